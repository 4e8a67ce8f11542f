// The window's geometry: at its default size every control of every tab lies inside its parent,
// overlaps none of its siblings and has room for its text; every grid column has room for its
// caption; the panels keep their minimum heights when the window or a splitter shrinks them.

#include "ui_fixture.h"

#include "ui/grid.h"
#include "ui/num_edit.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

#include <sstream>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

namespace {

QString describe(const QWidget* w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
}

// Widgets whose children are their own business (a grid's scroll bars, a list's line edit).
bool isControl(const QWidget* w)
{
    return qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QLabel*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QSplitterHandle*>(w) || w->inherits("QProgressBar") || w->inherits("QSizeGrip");
}

// A text that does not fit its control is cut off.
bool hasRoomForText(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->wordWrap() && !label->text().isEmpty())
        return label->width() >= label->minimumSizeHint().width();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w); button && !button->text().isEmpty())
        return button->width() >= button->fontMetrics().horizontalAdvance(button->text().remove(u'&')) + 4;
    // A list has room for its widest item beside the arrow.
    if (const auto* list = qobject_cast<const QComboBox*>(w); list && list->count() > 0) {
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
        // The arrow and the frame take about 20 pixels in the desktop styles.
        return list->width() >= widest + 20;
    }
    if (const auto* hex = qobject_cast<const THexEdit*>(w))
        return hex->width() >= hex->fontMetrics().horizontalAdvance(QString(hex->digits(), u'0')) + 10;
    if (const auto* field = qobject_cast<const QLineEdit*>(w); field && field->maxLength() < 32)
        return field->width() >= field->fontMetrics().horizontalAdvance(QString(field->maxLength(), u'0')) + 10;
    return true;
}

void checkChildren(const QWidget* parent, std::ostringstream& faults)
{
    std::vector<const QWidget*> shown;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w == nullptr || w->isWindow() || !w->isVisible())
            continue;
        shown.push_back(w);
        if (!parent->rect().contains(w->geometry()))
            faults << describe(w).toStdString() << " lies outside " << describe(parent).toStdString() << "\n";
        if (!hasRoomForText(w))
            faults << describe(w).toStdString() << " cuts its text off (" << w->width() << " px)\n";
    }
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry()))
                faults << describe(shown[i]).toStdString() << " overlaps " << describe(shown[j]).toStdString() << "\n";
    for (const QWidget* w : shown)
        if (!isControl(w))
            checkChildren(w, faults);
}

void checkGrids(const QWidget* page, std::ostringstream& faults)
{
    for (const auto* grid : page->findChildren<QTableWidget*>()) {
        for (int c = 0; c < grid->columnCount(); ++c) {
            const auto* item = grid->horizontalHeaderItem(c);
            if (item == nullptr || grid->horizontalHeader()->isHidden())
                continue;
            const int need = grid->horizontalHeader()->fontMetrics().horizontalAdvance(item->text()) + 8;
            if (grid->columnWidth(c) < need)
                faults << grid->objectName().toStdString() << " column \"" << item->text().toStdString() << "\" is "
                       << grid->columnWidth(c) << " px, its caption needs " << need << "\n";
        }
    }
}

std::string layoutFaults(TfMain& window)
{
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    std::ostringstream faults;
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        // The menu's sub-tabs are looked at one after the other, too.
        auto* sub = tabs->widget(t)->findChild<QTabWidget*>(QStringLiteral("pcMenu"));
        for (int s = 0; s < (sub ? sub->count() : 1); ++s) {
            if (sub)
                sub->setCurrentIndex(s);
            QApplication::processEvents();
            std::ostringstream found;
            checkChildren(window.centralWidget(), found);
            if (!found.str().empty())
                faults << "On " << tabs->tabText(t).toStdString() << (sub ? " / " + sub->tabText(s).toStdString() : "")
                       << ":\n" << found.str();
        }
        checkGrids(tabs->widget(t), faults);
    }
    return faults.str();
}

}  // namespace

TEST_F(WindowTest, EveryTabFitsTheDefaultSizeWithoutCutsOrOverlaps)
{
    auto window = openSample();
    ASSERT_EQ(window->size(), QSize(976, 599));
    const std::string faults = layoutFaults(*window);
    EXPECT_TRUE(faults.empty()) << faults;
}

TEST_F(WindowTest, EveryTabFitsTheMinimumSize)
{
    auto window = openSample();
    window->resize(window->minimumSize());
    QApplication::processEvents();
    ASSERT_EQ(window->size(), QSize(913, 550));
    const std::string faults = layoutFaults(*window);
    EXPECT_TRUE(faults.empty()) << faults;
}

TEST_F(WindowTest, PanelsKeepTheirMinimumHeightsWhenTheWindowShrinks)
{
    auto window = openSample();
    auto* tabs = control<QTabWidget>(*window, "PageControl");
    auto* objects = control<QSplitter>(*window, "splObjects");
    auto* playList = control<QSplitter>(*window, "splPlayList");
    window->resize(913, 550);
    tabs->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_GE(control<QWidget>(*window, "pnlCommands")->height(), 167);
    EXPECT_GE(control<QWidget>(*window, "pnlObjects")->height(), 80);
    EXPECT_GE(control<QWidget>(*window, "pnlPlayListMark")->height(), 95);
    EXPECT_GE(control<QWidget>(*window, "gbSubPath")->height(), 62);
    EXPECT_GE(control<QWidget>(*window, "gbPlayList")->height(), 158);

    // A splitter refuses to squeeze a panel below its limit.
    objects->setSizes({5000, 1});
    EXPECT_GE(objects->sizes().at(1), 167);
    objects->setSizes({1, 5000});
    EXPECT_GE(objects->sizes().at(0), 80);
    playList->setSizes({5000, 1, 1});
    EXPECT_GE(playList->sizes().at(1), 62);
    EXPECT_GE(playList->sizes().at(2), 95);
    playList->setSizes({1, 1, 5000});
    EXPECT_GE(playList->sizes().at(0), 158);
}
