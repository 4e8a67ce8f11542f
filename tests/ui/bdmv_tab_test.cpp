#include "ui_fixture.h"

#include "bdmv/index_bdmv.h"
#include "bdmv/movie_object.h"
#include "core/files.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;
using Cells = std::vector<std::string>;

TEST_F(WindowTest, InsertingATitleAfterTheSecondShiftsTheThirdAndSaves)
{
    auto window = openSample();
    auto* titles = control<QTableWidget>(*window, "sgTitles");
    const uint32_t length = window->disc().index.indexesLength;
    titles->setCurrentCell(1, 1);
    control<QToolButton>(*window, "bbTiins")->click();
    ASSERT_EQ(titles->rowCount(), 4);
    EXPECT_EQ(rowTexts(titles, 2), (Cells{"003", "HDMV", "Permitted", "Movie", "0"}));
    EXPECT_EQ(rowTexts(titles, 3), (Cells{"004", "HDMV", "Permitted", "Interactive", "4"}));
    EXPECT_EQ(titles->currentRow(), 2);
    EXPECT_EQ(control<QComboBox>(*window, "cbTitleNo")->count(), 4);
    EXPECT_EQ(window->disc().index.indexesLength, length + 12);

    // The new title is edited through its lists.
    control<QComboBox>(*window, "cbTitleAT")->setCurrentIndex(2);
    control<QComboBox>(*window, "cbTitleOID")->setCurrentIndex(1);
    EXPECT_EQ(rowTexts(titles, 2), (Cells{"003", "HDMV", "Prohibited2", "Movie", "1"}));
    EXPECT_EQ(window->disc().index.titles[2].accessType, 3);

    control<QPushButton>(*window, "bSave")->click();
    const auto back = readIndexBack(bdmvFolder);
    ASSERT_EQ(back.titles.size(), 4u);
    EXPECT_EQ(back.titles[2].accessType, 3);
    EXPECT_EQ(back.titles[2].movieObjectId, 1);
    EXPECT_EQ(back.titles[3].movieObjectId, 4);
    EXPECT_EQ(back.titles[3].playbackType, 1);
    EXPECT_TRUE(std::filesystem::exists(bdmvFolder / "index.bdmv.backup"));
}

TEST_F(WindowTest, DeletingTitlesRenumbersAndDeletingAllDisablesTheEditors)
{
    auto window = openSample();
    auto* titles = control<QTableWidget>(*window, "sgTitles");
    selectRows(titles, 0, 1);
    control<QToolButton>(*window, "bbTidel")->click();
    ASSERT_EQ(titles->rowCount(), 1);
    EXPECT_EQ(rowTexts(titles, 0), (Cells{"001", "HDMV", "Permitted", "Interactive", "4"}));
    EXPECT_EQ(window->disc().index.numberOfTitles, 1);
    selectRows(titles, 0, 0);
    control<QToolButton>(*window, "bbTidel")->click();
    EXPECT_FALSE(titles->isEnabled());
    EXPECT_FALSE(control<QComboBox>(*window, "cbTitleNo")->isEnabled());
    EXPECT_TRUE(window->disc().index.titles.empty());

    control<QPushButton>(*window, "bSave")->click();
    EXPECT_TRUE(readIndexBack(bdmvFolder).titles.empty());
}

TEST_F(WindowTest, FirstPlaybackOffStoresNoObjectAndSaves)
{
    auto window = openSample();
    auto* on = control<QCheckBox>(*window, "cbFPBon");
    ASSERT_TRUE(on->isChecked());
    on->click();
    EXPECT_EQ(window->disc().index.firstPlayback.movieObjectId, bdmv::kNoMovieObject);
    EXPECT_FALSE(control<QComboBox>(*window, "cbFPBObject")->isEnabled());
    on->click();
    control<QComboBox>(*window, "cbFPBObject")->setCurrentIndex(3);
    EXPECT_EQ(window->disc().index.firstPlayback.movieObjectId, 3);
    control<QCheckBox>(*window, "cbTMon")->click();
    control<QPushButton>(*window, "bSave")->click();
    const auto back = readIndexBack(bdmvFolder);
    EXPECT_EQ(back.firstPlayback.movieObjectId, 3);
    EXPECT_EQ(back.topMenu.movieObjectId, bdmv::kNoMovieObject);
}

TEST_F(WindowTest, InsertingAndDeletingMovieObjectsChangesGridModelAndFile)
{
    auto window = openSample();
    auto* objects = control<QTableWidget>(*window, "sgObject");
    objects->setCurrentCell(4, 1);
    control<QToolButton>(*window, "bbObins")->click();
    ASSERT_EQ(objects->rowCount(), 6);
    EXPECT_EQ(rowTexts(objects, 5), (Cells{"005", "discard", "enable", "enable", "0"}));
    EXPECT_EQ(objects->currentRow(), 5);
    // The command grid shows the new, empty object.
    EXPECT_FALSE(control<QTableWidget>(*window, "sgCommands")->isEnabled());

    control<QComboBox>(*window, "cbResume")->setCurrentIndex(1);
    EXPECT_EQ(rowTexts(objects, 5), (Cells{"005", "suspend", "enable", "enable", "0"}));

    selectRows(objects, 0, 0);
    control<QToolButton>(*window, "bbObdel")->click();
    ASSERT_EQ(objects->rowCount(), 5);
    EXPECT_EQ(rowTexts(objects, 0), (Cells{"000", "discard", "disable", "enable", "3"}));

    control<QPushButton>(*window, "bSave")->click();
    const auto back = readObjectsBack(bdmvFolder);
    ASSERT_EQ(back.objects.size(), 5u);
    EXPECT_EQ(back.objects[0].commands.size(), 3u);
    EXPECT_EQ(back.objects[4].resume, 1);
    EXPECT_TRUE(back.objects[4].commands.empty());
    EXPECT_EQ(back, window->disc().movieObjects);
}

TEST_F(WindowTest, TitleMadeBdjTakesTheBdjFileAndSaves)
{
    support::DiscBuilder b;
    b.title({1, 0, 0, 0, {}}).object({false, false, false, {{0, 0, 0}}});
    const auto bdmv = b.writeTo(dir.path() / "Bdj");
    support::writeBytes(bdmv / "BDJO" / "00007.bdjo", {0});
    auto window = openArgument(QString::fromStdString((dir.path() / "Bdj").string()));
    auto* type = control<QComboBox>(*window, "cbTitleOT");
    EXPECT_TRUE(type->isEnabled());
    type->setCurrentIndex(1);
    EXPECT_EQ(rowTexts(control<QTableWidget>(*window, "sgTitles"), 0), (Cells{"001", "BD-J", "Permitted", "Movie", "00007"}));
    EXPECT_TRUE(control<QComboBox>(*window, "cbTitleFN")->isEnabled());
    EXPECT_FALSE(control<QComboBox>(*window, "cbTitleOID")->isEnabled());
    control<QPushButton>(*window, "bSave")->click();
    const auto back = readIndexBack(bdmv);
    ASSERT_EQ(back.titles.size(), 1u);
    EXPECT_EQ(back.titles[0].objectType, 2);
    EXPECT_EQ(back.titles[0].bdjObjectName, "00007");
}
