// The overview dialog of the PLAYLIST tab: its grid holds what mirtal-cli playlists prints, and a
// row chosen by double click or Enter is read through the tab's read path, which asks about
// unsaved edits first.

#include "ui_fixture.h"

#include "support/decoy_disc.h"
#include "ui/overview_dialog.h"
#include "ui/playlist_tab.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

namespace {

int rowOf(QTableWidget* grid, const QString& name)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0) && grid->item(r, 0)->text() == name)
            return r;
    return -1;
}

}  // namespace

TEST_F(WindowTest, OverviewShowsTheCliGridAndReadsTheChosenPlayListAfterAsking)
{
    support::writeDecoyDisc(dir.path() / "Decoy");
    const QString root = QString::fromStdString((dir.path() / "Decoy").string());
    auto window = openArgument(root);
    ASSERT_EQ(window->session().playList.name, "00001");    // read on opening (Auto Read)

    control<QPushButton>(*window, "bOverview")->click();
    auto* dialog = control<QDialog>(*window, "fOverview");
    ASSERT_TRUE(dialog && dialog->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    auto* grid = control<QTableWidget>(*dialog, "sgOverview");
    if (kCli) {
        EXPECT_EQ(gridLines(grid), cliOutput({QStringLiteral("playlists"), root}).second.split(u'\n', Qt::SkipEmptyParts));
    }
    const int feature = rowOf(grid, QStringLiteral("00800"));
    ASSERT_GE(feature, 0);
    EXPECT_EQ(grid->item(feature, 7)->text(), QStringLiteral("Title 1"));

    // With unsaved edits the read asks; Cancel keeps the PlayList and the selector on it.
    window->session().playListEdited();
    QStringList asked;
    TfMain::Answer answer = TfMain::Answer::Cancel;
    window->setQuestionRunner([&](const QString& q, bool) {
        asked << q;
        return answer;
    });
    emit grid->cellDoubleClicked(feature, 1);
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(window->session().playList.name, "00001");
    EXPECT_EQ(window->playListTab().selectedName(), QStringLiteral("00001"));

    // Enter on the row, the edits given up: the PlayList is read and the dialog stays open.
    answer = TfMain::Answer::No;
    grid->setCurrentCell(feature, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(window->session().playList.name, "00800");
    EXPECT_EQ(window->playListTab().selectedName(), QStringLiteral("00800"));
    EXPECT_EQ(window->session().playList.model.playList.playItems.size(), 3u);
    EXPECT_TRUE(dialog->isVisible());
}
