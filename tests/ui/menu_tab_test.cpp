// The Menu tab against mirtal-cli: every grid of a loaded menu equals `mirtal-cli menu`, the page
// after Start, key presses and clicks equals the PNG of `mirtal-cli render` pixel for pixel, on
// the demo disc's menu and on every real interactive composition; the preview's repeating
// animation ends with Cancel; a cancelled load leaves the window as it was.

#include "ui_fixture.h"

#include "core/files.h"
#include "ig/menu_selection.h"
#include "support/ig_builder.h"
#include "support/real_data.h"
#include "ui/clip_tab.h"
#include "ui/menu_tab.h"
#include "ui/num_edit.h"
#include "ui/page_view.h"

#include <QCheckBox>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;
namespace fs = std::filesystem;

namespace {

QString joined(const std::vector<std::string>& cells)
{
    QStringList parts;
    for (const auto& c : cells)
        parts << QString::fromStdString(c);
    return parts.join(u'\t');
}

// A grid as mirtal-cli prints it; a disabled grid has its caption row only.
void addGrid(QStringList& out, QTableWidget* grid)
{
    out << joined(captionTexts(grid));
    if (grid->isEnabled())
        for (int r = 0; r < grid->rowCount(); ++r)
            out << joined(rowTexts(grid, r));
}

void addEffects(QStringList& out, QWidget& window, const char* tag, int page, const QString& prefix)
{
    out << QStringLiteral("[%1 %2]").arg(QLatin1String(tag)).arg(page);
    auto* windows = window.findChild<QTableWidget*>(QStringLiteral("sg") + prefix + QStringLiteral("Windows"));
    auto* effects = window.findChild<QTableWidget*>(QStringLiteral("sg") + prefix + QStringLiteral("Effects"));
    auto* objects = window.findChild<QTableWidget*>(QStringLiteral("sg") + prefix + QStringLiteral("CompObjects"));
    addGrid(out, windows);
    addGrid(out, effects);
    if (effects->isEnabled())
        for (int r = 0; r < effects->rowCount(); ++r) {
            effects->setCurrentCell(r, 0);
            addGrid(out, objects);
        }
}

// Everything the Menu tab shows of the loaded menu, walked through its page list and grids, in
// the order `mirtal-cli menu` prints it.
QString menuListing(TfMain& window)
{
    QStringList out;
    out << control<QLabel>(window, "lIGSInfo")->text();
    out << QStringLiteral("User time out duration\t") + control<QLineEdit>(window, "eUTO")->text();
    for (const char* name : {"cbObjects", "cbPalettes"}) {
        auto* list = control<QComboBox>(window, name);
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        out << QString::fromLatin1(name + 2) + u'\t' + list->toolTip();
        out << items.join(u'\t');
    }
    auto* pages = control<QComboBox>(window, "cbPage");
    auto* bogs = control<QTableWidget>(window, "sgBOG");
    auto* buttons = control<QTableWidget>(window, "sgButton");
    auto* commands = control<QTableWidget>(window, "sgMCommands");
    for (int p = 0; p < pages->count(); ++p) {
        pages->setCurrentIndex(p);
        out << QStringLiteral("[Page %1]").arg(p);
        out << QStringLiteral("Page ID\t") + pages->currentText();
        for (const char* name : {"heUO1", "heUO2", "ieFramerate", "heDefSelButt", "heDefActButt", "hePalette",
                                 "ieInEffWin", "ieInEffEff", "ieOutEffWin", "ieOutEffEff", "ieBOGs"}) {
            auto* field = control<QLineEdit>(window, name);
            out << field->toolTip() + u'\t' + field->text();
        }
        out << QStringLiteral("[BOGs %1]").arg(p);
        for (int r = 0; r < 3; ++r)
            out << joined(rowTexts(bogs, r));
        QStringList commandLines;
        const int bogCount = bogs->item(0, 1)->text().isEmpty() ? 0 : bogs->columnCount() - 1;
        for (int b = 0; b < bogCount; ++b) {
            bogs->setCurrentCell(0, b + 1);
            out << QStringLiteral("[Buttons %1 %2]").arg(p).arg(b);
            addGrid(out, buttons);
            for (int r = 0; buttons->isEnabled() && r < buttons->rowCount(); ++r) {
                buttons->setCurrentCell(r, 9);
                commandLines << QStringLiteral("[Commands %1 %2]").arg(p).arg(buttons->item(r, 0)->text());
                addGrid(commandLines, commands);
            }
        }
        out << commandLines;
        addEffects(out, window, "InEffects", p, QStringLiteral("InEff"));
        addEffects(out, window, "OutEffects", p, QStringLiteral("OutEff"));
    }
    return out.join(u'\n') + u'\n';
}

class MenuTabTest : public WindowTest {
protected:
    // The demo disc with its menu clip; stream files replaced before the disc is opened.
    std::unique_ptr<TfMain> openDemo(const std::map<std::string, support::ByteVec>& streams = {})
    {
        bdmvFolder = support::writeSampleDisc(dir.path() / "Disc");
        for (const auto& [clip, bytes] : streams)
            support::writeBytes(bdmvFolder / "STREAM" / (clip + ".m2ts"), bytes);
        auto window = openArgument(QString::fromStdString((dir.path() / "Disc").string()));
        // The commands' messages go without the activation pause.
        control<TIntEdit>(*window, "ieActiDelay")->setValue(0);
        return window;
    }
    QStringList cliMenu() const
    {
        return {QStringLiteral("menu"), QString::fromStdString(bdmvFolder.string()), QStringLiteral("00010")};
    }
};

// The Page view's boxes, all four on or off.
void setOverlays(TfMain& window, bool on)
{
    for (const char* name : {"cbButtonId", "cbObjectId", "cbButtonFrame", "cbWindowFrame"})
        control<QCheckBox>(window, name)->setChecked(on);
}

TEST_F(MenuTabTest, DemoMenuGridsAndPagesEqualTheCli)
{
    if (!kCli)
        GTEST_SKIP() << "mirtal-cli is not built";
    auto window = openDemo();
    // The double click on the ProgramInfo row of PID 1400 loads the menu and shows the tab.
    ASSERT_TRUE(window->clipTab().showClip("00010"));
    auto* programs = control<QTableWidget>(*window, "sgCI");
    int row = -1;
    for (int r = 0; r < programs->rowCount(); ++r)
        for (int c = 0; c < programs->columnCount(); ++c)
            if (programs->item(r, c) && programs->item(r, c)->text() == QStringLiteral("1400"))
                row = r;
    ASSERT_GE(row, 0);
    programs->setCurrentCell(row, 0);
    window->clipTab().sgCIDblClick(row);
    ASSERT_EQ(window->currentTab(), TfMain::kTabMenu);
    ASSERT_TRUE(window->menuTab().menuShown());
    const auto [status, printed] = cliOutput(cliMenu());
    ASSERT_EQ(status, 0);
    EXPECT_EQ(menuListing(*window).toStdString(), printed.toStdString());

    auto* tabs = control<QTabWidget>(*window, "pcMenu");
    tabs->setCurrentIndex(3);
    auto* pageView = window->menuTab().pageView();
    auto* pageList = control<QComboBox>(*window, "cbPage");
    struct Case {
        bool overlays;
        QStringList keys;    // "click" takes the next page point
        QStringList cliOptions;
    };
    // The point of the view over page pixel (x, y), and the page pixel the view maps it back to.
    const auto viewPointOf = [&](int x, int y) {
        const QRect r = pageView->pageRect();
        return QPoint(r.x() + (x * r.width() + r.width() / 2) / 1920, r.y() + (y * r.height() + r.height() / 2) / 1080);
    };
    for (const bool overlays : {false, true}) {
        for (const QString& sequence : {QString(), QStringLiteral("down,right,click"), QStringLiteral("down,select")}) {
            // A fresh load for each sequence, as each render run loads the menu anew.
            ASSERT_TRUE(window->menuTab().bLoadToMenuClick("00010", 0x1400));
            tabs->setCurrentIndex(3);
            setOverlays(*window, overlays);
            control<QPushButton>(*window, "bStart")->click();
            // The auto-action default button of BOG 4 ran on arrival: it selected button 0.
            EXPECT_EQ(window->registers().psr[10], 0u);
            QStringList args{QStringLiteral("render"), QString::fromStdString(bdmvFolder.string()),
                             QStringLiteral("00010"), QStringLiteral("--page"), QStringLiteral("0"),
                             QStringLiteral("-o"), QString::fromStdString((dir.path() / "page.png").string())};
            if (overlays)
                args << QStringLiteral("--button-ids") << QStringLiteral("--object-ids")
                     << QStringLiteral("--button-frames") << QStringLiteral("--window-frames");
            for (const QString& key : sequence.split(u',', Qt::SkipEmptyParts)) {
                if (key == QStringLiteral("click")) {
                    const QPoint at = viewPointOf(210, 410);
                    const auto page = pageView->pagePoint(at);
                    ASSERT_TRUE(page);
                    QTest::mouseClick(pageView, Qt::LeftButton, {}, at);
                    args << QStringLiteral("--click") << QStringLiteral("%1,%2").arg(page->x()).arg(page->y());
                } else {
                    const char* name = key == QStringLiteral("down") ? "bNavDown"
                                       : key == QStringLiteral("right") ? "bNavRight" : "bNavSel";
                    control<QPushButton>(*window, name)->click();
                    args << QStringLiteral("--keys") << key;
                }
            }
            ASSERT_EQ(cliOutput(args).first, 0) << args.join(u' ').toStdString();
            QImage rendered(QString::fromStdString((dir.path() / "page.png").string()));
            ASSERT_FALSE(rendered.isNull());
            EXPECT_EQ(window->menuTab().pageImage().convertToFormat(QImage::Format_RGB888),
                      rendered.convertToFormat(QImage::Format_RGB888))
                << "overlays " << overlays << ", " << sequence.toStdString();
            if (sequence.endsWith(QStringLiteral("select"))) {
                // SetButtonPage to page 1: the page list, the grids and PSR 11 follow.
                EXPECT_EQ(pageList->currentText(), QStringLiteral("1"));
                EXPECT_EQ(window->registers().psr[11], 1u);
                EXPECT_EQ(control<QLineEdit>(*window, "ieBOGs")->text(), QStringLiteral("2"));
            }
        }
    }
}

TEST_F(MenuTabTest, EveryRealCompositionLoadsAndEqualsTheCli)
{
    const fs::path real = REAL_DATA_OR_SKIP();
    if (!kCli)
        GTEST_SKIP() << "mirtal-cli is not built";
    auto window = openDemo();
    int checked = 0;
    for (const auto& path : support::realFiles(real, "ics_menu.bin")) {
        support::ByteVec body;
        ASSERT_TRUE(core::readWholeFile(path, body).ok);
        // The composition wrapped into the menu clip; the disc is read again for its size.
        support::writeBytes(bdmvFolder / "STREAM" / "00010.m2ts",
                            support::segmentsToTs({support::segment(0x18, body), support::endSegment()}));
        window->bReadBDMVClick();
        const int errors = window->reporter().errorCount();
        ASSERT_TRUE(window->menuTab().bLoadToMenuClick("00010", 0x1400)) << path;
        EXPECT_EQ(window->reporter().errorCount(), errors) << path;
        const auto [status, printed] = cliOutput(cliMenu());
        ASSERT_EQ(status, 0) << path;
        EXPECT_EQ(menuListing(*window).toStdString(), printed.toStdString()) << path;
        ++checked;
    }
    EXPECT_EQ(checked, 21);
}

TEST_F(MenuTabTest, RepeatingAnimationEndsWithCancelAndButtonColumnsChooseTheObject)
{
    // One page, one button whose normal state repeats over three objects.
    support::IcsLayout ics;
    support::PageLayout page;
    page.frameRateCode = 1;
    support::ButtonLayout b;
    b.normalStart = 0;
    b.normalEnd = 2;
    b.normalFlags = 0x80;
    b.selectedStart = b.selectedEnd = 1;
    page.bogs = {{0, {b}}};
    ics.pages = {page};
    std::vector<support::ByteVec> segs = support::icsSegments(ics);
    segs.push_back(support::pdsSegment(0, 0, {{1, 235, 128, 128, 255}, {2, 81, 240, 90, 255}, {3, 41, 110, 240, 255}}));
    for (uint16_t id = 0; id < 3; ++id) {
        const support::ByteVec pixels(40 * 20, static_cast<uint8_t>(id + 1));
        for (auto& s : support::odsSegments(id, 0, 40, 20, support::rleEncode(pixels, 40, 20)))
            segs.push_back(s);
    }
    segs.push_back(support::endSegment());
    auto window = openDemo({{"00010", support::segmentsToTs(segs)}});
    ASSERT_TRUE(window->menuTab().bLoadToMenuClick("00010", 0x1400));

    auto* buttons = control<QTableWidget>(*window, "sgButton");
    buttons->setCurrentCell(0, 0);
    EXPECT_EQ(control<QLabel>(*window, "sbPanel1")->text().trimmed(), QStringLiteral("No object assigned"));
    buttons->setCurrentCell(0, 13);
    const QImage selected = window->menuTab().previewImage();
    EXPECT_EQ(selected.size(), QSize(40, 20));
    buttons->setCurrentCell(0, 9);
    const QImage first = window->menuTab().previewImage();
    EXPECT_NE(first, selected);

    // The double click plays objects 0..2 pass after pass until Cancel, then shows object 0.
    auto* cancel = control<QPushButton>(*window, "bCancel");
    bool enabledWhilePlaying = false;
    QTimer::singleShot(300, window.get(), [&] {
        enabledWhilePlaying = cancel->isEnabled();
        cancel->click();
    });
    window->menuTab().sgButtonDblClick();
    EXPECT_TRUE(enabledWhilePlaying);
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_EQ(window->menuTab().previewImage(), first);
}

TEST_F(MenuTabTest, CancelledLoadLeavesTheWindowAsItWasAndAClipWithoutMenuDisablesTheTab)
{
    // 00011 becomes a long clip: the menu's stream followed by some 300,000 null packets.
    support::ByteVec big = support::segmentsToTs({support::endSegment()});
    const auto nulls = support::TsBuilder().nullPacket(300000).bytes();
    big.insert(big.end(), nulls.begin(), nulls.end());
    auto window = openDemo({{"00011", big}});
    ASSERT_TRUE(window->menuTab().bLoadToMenuClick("00010", 0x1400));
    const QString before = menuListing(*window);

    auto* progress = control<QProgressBar>(*window, "pbProgress");
    auto* cancel = control<QPushButton>(*window, "bCancel");
    bool progressShown = false;
    QTimer::singleShot(0, window.get(), [&] {
        progressShown = progress->isVisible();
        cancel->click();
    });
    EXPECT_FALSE(window->menuTab().bLoadToMenuClick("00011", 0x1400));
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_TRUE(window->menuTab().menuShown());
    EXPECT_EQ(menuListing(*window), before);

    // A PID without a menu: the error line, and the tab is disabled.
    const int errors = window->reporter().errorCount();
    EXPECT_FALSE(window->menuTab().bLoadToMenuClick("00010", 0x1401));
    EXPECT_GT(window->reporter().errorCount(), errors);
    EXPECT_FALSE(window->menuTab().menuShown());
    EXPECT_FALSE(control<QComboBox>(*window, "cbPage")->isEnabled());
}

TEST_F(MenuTabTest, TraceStepsThroughButtonsAndCommandsFollowTheirTargets)
{
    auto window = openDemo();
    ASSERT_TRUE(window->menuTab().bLoadToMenuClick("00010", 0x1400));
    auto* bogs = control<QTableWidget>(*window, "sgBOG");
    auto* buttons = control<QTableWidget>(*window, "sgButton");
    auto* commands = control<QTableWidget>(*window, "sgMCommands");
    auto* start = control<QPushButton>(*window, "bStart");

    // Traced, Start positions on the auto-action default button of BOG 4 without running it.
    control<QCheckBox>(*window, "cbTrace")->setChecked(true);
    start->click();
    EXPECT_TRUE(window->emulator().RunPending);
    EXPECT_EQ(bogs->currentColumn(), 5);
    EXPECT_EQ(buttons->item(buttons->currentRow(), 0)->text(), QStringLiteral("0004"));
    EXPECT_EQ(commands->currentRow(), 0);
    EXPECT_TRUE(control<QLabel>(*window, "sbPanel1")->text().contains(QStringLiteral("Line 0000 : 51C00003")));
    EXPECT_EQ(window->registers().psr[10], 0xFFFFu);
    start->click();    // SetButtonPage 0: the button is selected and the run ends
    EXPECT_FALSE(window->emulator().RunPending);
    EXPECT_EQ(window->registers().psr[10], 0u);

    // A double click on button 1's SetButtonPage shows page 1 with its button 0.
    bogs->setCurrentCell(0, 2);
    ASSERT_EQ(commands->item(0, 4)->text().left(13), QStringLiteral("SetButtonPage"));
    emit commands->cellDoubleClicked(0, 4);
    EXPECT_EQ(control<QComboBox>(*window, "cbPage")->currentText(), QStringLiteral("1"));
    EXPECT_EQ(bogs->currentColumn(), 1);
    EXPECT_EQ(buttons->item(buttons->currentRow(), 0)->text(), QStringLiteral("0000"));
}

}  // namespace
