#include "ui_fixture.h"

#include "bdmv/index_bdmv.h"
#include "hdmv/command_text.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;
using Cells = std::vector<std::string>;

TEST_F(WindowTest, FirstRunWithoutArgumentShowsBdmvTabAndReadsNothing)
{
    TfMain window;
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "Mirtal v0.21b4");
    auto* tabs = control<QTabWidget>(window, "PageControl");
    EXPECT_EQ(tabs->currentWidget()->objectName().toStdString(), "tsBDMV");
    auto* titles = control<QTableWidget>(window, "sgTitles");
    EXPECT_FALSE(titles->isEnabled());
    EXPECT_EQ(titles->rowCount(), 1);
    EXPECT_FALSE(control<QPushButton>(window, "bSave")->isEnabled());
    EXPECT_EQ(window.size(), QSize(976, 599));
    EXPECT_EQ(window.minimumSize(), QSize(913, 550));
}

TEST_F(WindowTest, HasTheSevenTabsInOrder)
{
    TfMain window;
    auto* tabs = control<QTabWidget>(window, "PageControl");
    ASSERT_EQ(tabs->count(), 7);
    const char* names[] = {"tsBDMV", "tsPLAYLIST", "tsCLIPINF", "tsMenu", "tsOptions", "tsStatus", "tsAbout"};
    const char* captions[] = {"BDMV", "PLAYLIST", "CLIPINF", "Menu", "Options", "Status", "About"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(tabs->widget(i)->objectName().toStdString(), names[i]);
        EXPECT_EQ(tabs->tabText(i).toStdString(), captions[i]);
    }
}

TEST_F(WindowTest, ArgumentOpensTheDiscAndFillsTheGridsExactly)
{
    auto window = openSample();
    EXPECT_EQ(window->windowTitle().toStdString(), "Mirtal v0.21b4 [Disc]");
    auto* titles = control<QTableWidget>(*window, "sgTitles");
    EXPECT_EQ(captionTexts(titles), (Cells{"No.", "object t.", "title search", "playback t.", "OID/file"}));
    ASSERT_EQ(titles->rowCount(), 3);
    EXPECT_EQ(rowTexts(titles, 0), (Cells{"001", "HDMV", "Permitted", "Movie", "2"}));
    EXPECT_EQ(rowTexts(titles, 1), (Cells{"002", "HDMV", "Prohibited1", "Movie", "3"}));
    EXPECT_EQ(rowTexts(titles, 2), (Cells{"003", "HDMV", "Permitted", "Interactive", "4"}));

    auto* objects = control<QTableWidget>(*window, "sgObject");
    EXPECT_EQ(captionTexts(objects), (Cells{"No.", "resume", "menu call", "title search", "commands"}));
    ASSERT_EQ(objects->rowCount(), 5);
    EXPECT_EQ(rowTexts(objects, 0), (Cells{"000", "discard", "disable", "disable", "7"}));
    EXPECT_EQ(rowTexts(objects, 2), (Cells{"002", "suspend", "enable", "enable", "6"}));
    EXPECT_EQ(rowTexts(objects, 4), (Cells{"004", "discard", "enable", "disable", "6"}));

    // The first title is selected after the read, and with it its movie object (2): its commands
    // are shown and Start runs it.
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    EXPECT_EQ(captionTexts(commands), (Cells{"No.", "Opcode", "Destinat.", "Source", "Command line"}));
    ASSERT_EQ(commands->rowCount(), 6);
    EXPECT_EQ(rowTexts(commands, 0), (Cells{"0000", "50400001", "00000002", "00000001", "Move GPR2, 1"}));
    EXPECT_EQ(rowTexts(commands, 1), (Cells{"0001", "22000000", "00000002", "00000000", "Play PL GPR2"}));
    EXPECT_EQ(control<QComboBox>(*window, "cbObject")->currentText().toStdString(), "0002");
    showObject(*window, 0);
    ASSERT_EQ(commands->rowCount(), 7);
    EXPECT_EQ(rowTexts(commands, 3), (Cells{"0003", "20810000", "00000005", "00000000", "GoTo 5"}));

    EXPECT_EQ(control<QLineEdit>(*window, "eContentProvider")->text().toStdString(), "Mirtal demo disc");
    EXPECT_EQ(control<QLabel>(*window, "lObjExtDatCap")->text().toStdString(), "1 entry, 32 bytes");
    EXPECT_EQ(control<QLabel>(*window, "lIndExtDatCap")->text().toStdString(), "None");
    auto* save = control<QPushButton>(*window, "bSave");
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(save->toolTip().toStdString(), "Save index.bdmv and MovieObject.bdmv");
}

TEST_F(WindowTest, ArgumentMayBeTheBdmvFolderOrAFileInIt)
{
    const auto bdmv = support::writeSampleDisc(dir.path() / "Disc");
    for (const auto& path : {bdmv, bdmv / "index.bdmv"}) {
        auto window = openArgument(QString::fromStdString(path.string()));
        EXPECT_EQ(window->windowTitle().toStdString(), "Mirtal v0.21b4 [Disc]") << path;
        EXPECT_EQ(control<QTableWidget>(*window, "sgTitles")->rowCount(), 3);
    }
}

TEST_F(WindowTest, FailedCheckLeavesNothingToEditOrSave)
{
    support::DiscBuilder b;
    b.title({1, 0, 0, 0, {}}).object({false, false, false, {{0, 0, 0}}});
    auto window = openBuilt(b, false);
    EXPECT_FALSE(window->disc().checksPassed);
    EXPECT_FALSE(control<QTableWidget>(*window, "sgTitles")->isEnabled());
    EXPECT_EQ(control<QTableWidget>(*window, "sgObject")->rowCount(), 1);
    EXPECT_FALSE(control<QPushButton>(*window, "bSave")->isEnabled());
    const QString log = control<QTextEdit>(*window, "mLog")->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("BACKUP folder: missing")));
    EXPECT_TRUE(log.contains(QStringLiteral("Check failed.")));
}

TEST_F(WindowTest, SelectingATitleSelectsItsMovieObjectAndShowsItsCommands)
{
    auto window = openSample();
    auto* titles = control<QTableWidget>(*window, "sgTitles");
    titles->setCurrentCell(1, 1);
    EXPECT_EQ(control<QComboBox>(*window, "cbTitleNo")->currentText().toStdString(), "2");
    EXPECT_EQ(control<QComboBox>(*window, "cbTitleAT")->currentText().toStdString(), "Prohibited1");
    EXPECT_EQ(control<QComboBox>(*window, "cbTitleOID")->currentText().toStdString(), "3");
    EXPECT_EQ(control<QTableWidget>(*window, "sgObject")->currentRow(), 3);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    ASSERT_EQ(commands->rowCount(), 4);
    EXPECT_EQ(rowTexts(commands, 0), (Cells{"0000", "50400008", "00000003", "00000006", "Rnd GPR3, 6"}));
    EXPECT_EQ(control<QComboBox>(*window, "cbObject")->currentIndex(), 3);
}

TEST_F(WindowTest, SaveButtonFollowsTheTab)
{
    auto window = openSample();
    auto* tabs = control<QTabWidget>(*window, "PageControl");
    auto* save = control<QPushButton>(*window, "bSave");
    auto* find = control<QPushButton>(*window, "bFind");
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(save->isHidden());
    EXPECT_FALSE(find->isHidden());
    tabs->setCurrentIndex(2);
    EXPECT_FALSE(save->isEnabled());
    tabs->setCurrentIndex(4);
    EXPECT_TRUE(save->isHidden());
    EXPECT_TRUE(control<QWidget>(*window, "pnlExecute")->isHidden());
    tabs->setCurrentIndex(0);
    EXPECT_FALSE(save->isHidden());
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(find->isHidden());
}

TEST_F(WindowTest, StatusButtonsListTheRegistersIntoTheLog)
{
    TfMain window;
    window.show();
    auto* log = control<QTextEdit>(window, "mLog");
    log->clear();
    const auto before = log->document()->blockCount();
    control<QPushButton>(window, "bPSRs")->click();
    // PSR 0-20, PSR 29-31 and one line of six-a-line items.
    EXPECT_GE(log->document()->blockCount() - before, 24);
    EXPECT_TRUE(log->toPlainText().contains(QStringLiteral("PSR20: 00000001 (1)")));
    control<QPushButton>(window, "bClear")->click();
    EXPECT_TRUE(log->toPlainText().isEmpty());
}
