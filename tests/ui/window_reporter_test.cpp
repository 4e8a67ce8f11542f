#include "ui_fixture.h"

#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

namespace {

QTextCharFormat formatAt(QTextEdit* log, int blockNumber, int offset)
{
    const QTextBlock block = log->document()->findBlockByNumber(blockNumber);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + offset + 1);
    return cursor.charFormat();
}

}  // namespace

TEST_F(WindowTest, LogRendersTheMarkup)
{
    TfMain window;
    auto* log = control<QTextEdit>(window, "mLog");
    log->clear();
    auto& report = window.report();
    report.log("first");
    report.log("  Found [b]12[/b] titles, 0 extended entry.");
    report.log("[bl]PLAYLIST[/bl] folder: [b]OK[/b]");
    report.log("[i]it[/i][u]un[/u][s2]big[/s2][c:0000FF]red[/c:0000FF]");
    const int base = log->document()->blockCount() - 4;
    EXPECT_EQ(log->document()->findBlockByNumber(base + 1).text().toStdString(), "  Found 12 titles, 0 extended entry.");
    EXPECT_EQ(formatAt(log, base + 1, 8).fontWeight(), QFont::Bold);        // "1"
    EXPECT_NE(formatAt(log, base + 1, 2).fontWeight(), QFont::Bold);        // "F"
    EXPECT_EQ(formatAt(log, base + 2, 0).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(log, base + 3, 0).fontItalic(), true);
    EXPECT_EQ(formatAt(log, base + 3, 2).fontUnderline(), true);
    EXPECT_EQ(formatAt(log, base + 3, 4).fontPointSize(), 12.0);
    EXPECT_EQ(formatAt(log, base + 3, 7).foreground().color(), QColor(255, 0, 0));

    report.log2("word");
    EXPECT_EQ(log->document()->lastBlock().text().toStdString(), "");
    EXPECT_EQ(log->document()->lastBlock().previous().text().toStdString(), "word");
}

TEST_F(WindowTest, ErrorDisplayUntilTheNextStatusText)
{
    TfMain window;
    window.show();
    auto& report = window.report();
    auto* panel0 = control<QLabel>(window, "sbPanel0");
    auto* panel1 = control<QLabel>(window, "sbPanel1");
    report.erlog("Cannot create backup file.");
    EXPECT_TRUE(report.errorFlag());
    EXPECT_EQ(panel0->text().toStdString(), "ERROR");
    EXPECT_EQ(panel1->text().toStdString(), " Cannot create backup file.");
    EXPECT_TRUE(panel1->font().bold());
    EXPECT_EQ(window.statusBar()->toolTip().toStdString(), "Cannot create backup file.");
    EXPECT_EQ(control<QTextEdit>(window, "mLog")->document()->lastBlock().text().toStdString(),
              "Cannot create backup file.");
    report.slog("Ready", 0);
    EXPECT_EQ(panel0->text().toStdString(), " Ready ");
    EXPECT_FALSE(panel1->font().bold());
    report.slog("", 1);
    EXPECT_EQ(window.statusBar()->toolTip().toStdString(), "");
}

TEST_F(WindowTest, WaitKeepsTheWindowResponsiveAndCancelIsPolled)
{
    TfMain window;
    window.show();
    auto& sink = window.report().sink();
    bool fired = false;
    QTimer::singleShot(5, [&] { fired = true; });
    sink.wait(30);
    EXPECT_TRUE(fired);
    EXPECT_FALSE(window.report().cancelled());
    window.bCancelClick();
    EXPECT_TRUE(window.report().cancelled());
}

TEST_F(WindowTest, LongLogLinesKeepTheLeftEdgeInViewAndTheErrorCaptionFits)
{
    TfMain window;
    window.show();
    window.showTab(TfMain::kTabStatus);
    auto* log = control<QTextEdit>(window, "mLog");
    window.bPSRsClick();
    window.report().log(std::string(400, 'x'));
    EXPECT_GT(log->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(log->horizontalScrollBar()->value(), 0);
    window.report().erlog("Invalid format: 00001.mpls");
    auto* panel = control<QLabel>(window, "sbPanel0");
    QFont bold = panel->font();
    bold.setBold(true);
    EXPECT_GE(panel->contentsRect().width(), QFontMetrics(bold).horizontalAdvance(panel->text()) + 8);
}
