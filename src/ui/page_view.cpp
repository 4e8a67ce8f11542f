#include "ui/page_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace mirtal::ui {

TPageView::TPageView(QWidget* parent) : QWidget(parent), m_surround(Qt::darkBlue)
{
    setObjectName(QStringLiteral("iFullpage"));
    setMinimumSize(192, 108);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageView::setImage(const ig::RgbImage& image)
{
    if (m_image.width() != image.width() || m_image.height() != image.height())
        m_image = QImage(image.width(), image.height(), QImage::Format_RGB888);
    const size_t rowBytes = static_cast<size_t>(image.width()) * 3;
    const uint8_t* from = image.bytes().data();
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(m_image.scanLine(y), from + rowBytes * static_cast<size_t>(y), rowBytes);
    if (isVisible())
        repaint();
}

void TPageView::setSurround(const QColor& colour)
{
    m_surround = colour;
    update();
}

QRect TPageView::pageRect() const
{
    if (m_image.isNull())
        return {};
    const double scale = std::min({1.0, static_cast<double>(width()) / m_image.width(),
                                   static_cast<double>(height()) / m_image.height()});
    const int w = std::max(1, static_cast<int>(m_image.width() * scale));
    const int h = std::max(1, static_cast<int>(m_image.height() * scale));
    return {(width() - w) / 2, (height() - h) / 2, w, h};
}

std::optional<QPoint> TPageView::pagePoint(const QPoint& at) const
{
    const QRect r = pageRect();
    if (!r.contains(at))
        return std::nullopt;
    // The page pixel whose area holds the point: floor((at − origin) × page size / shown size).
    const int x = static_cast<int>(static_cast<int64_t>(at.x() - r.x()) * m_image.width() / r.width());
    const int y = static_cast<int>(static_cast<int64_t>(at.y() - r.y()) * m_image.height() / r.height());
    return QPoint(std::min(x, m_image.width() - 1), std::min(y, m_image.height() - 1));
}

void TPageView::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    const QRect r = pageRect();
    painter.fillRect(rect(), m_surround);
    if (!r.isEmpty())
        painter.drawImage(r, m_image);
}

void TPageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        if (const auto p = pagePoint(event->position().toPoint()))
            emit pageMouseDown(p->x(), p->y());
    QWidget::mousePressEvent(event);
}

}  // namespace mirtal::ui
