#include "ui/page_control.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace mirtal::ui {

namespace {

constexpr QColor kActiveText{0x00, 0x00, 0x88};
constexpr QColor kInactiveText{0x66, 0x66, 0x99};
constexpr QColor kActiveBar{0xFF, 0xBB, 0x00};

// The caption without its "&" marker ("&&" stands for one "&"), and the position of the
// accelerator letter in it (-1 without one).
QString plainCaption(const QString& caption, int& accelerator)
{
    QString out;
    accelerator = -1;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&' && accelerator < 0)
                accelerator = static_cast<int>(out.size());
        }
        out += caption[i];
    }
    return out;
}

}  // namespace

void TTabBar::paintEvent(QPaintEvent* event)
{
    (void)event;
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_TabBarTabShape, option);

        const QRect r = tabRect(i);
        const bool active = i == currentIndex();
        int accelerator = -1;
        const QString text = plainCaption(caption, accelerator);
        const QFontMetrics metrics = painter.fontMetrics();
        const int x = r.x() + (r.width() - metrics.horizontalAdvance(text)) / 2;
        const int y = r.y() + 4;
        if (active)
            painter.fillRect(QRect(QPoint(r.left() + 4, r.top() + 2), QPoint(r.right() - 4, r.top() + 5)), kActiveBar);
        painter.setPen(active ? kActiveText : kInactiveText);
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
        if (!active && accelerator >= 0) {
            const int from = x + metrics.horizontalAdvance(text.left(accelerator));
            const int to = from + metrics.horizontalAdvance(text.mid(accelerator, 1));
            painter.drawLine(from, r.y() + 16, to - 1, r.y() + 16);
        }
    }
}

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TTabBar);
}

}  // namespace mirtal::ui
