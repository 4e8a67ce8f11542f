// What the window saves, mirtal-cli reads back: after edits of titles, objects and command lines
// and a Save, the command-line tool prints the rows the window's grids show.

#include "ui_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;


TEST_F(WindowTest, SavedEditsReadBackThroughTheCommandLineTool)
{
#ifndef MIRTAL_CLI_PATH
    GTEST_SKIP() << "mirtal-cli is not part of this build";
#else
    auto window = openSample();
    auto* titles = control<QTableWidget>(*window, "sgTitles");
    titles->setCurrentCell(2, 1);
    control<QToolButton>(*window, "bbTiins")->click();
    control<QComboBox>(*window, "cbTitleAT")->setCurrentIndex(1);
    control<QComboBox>(*window, "cbTitleOID")->setCurrentIndex(3);
    auto* objects = control<QTableWidget>(*window, "sgObject");
    objects->setCurrentCell(1, 1);
    control<QComboBox>(*window, "cbMenuCall")->setCurrentIndex(0);
    auto* commands = control<QTableWidget>(*window, "sgCommands");
    commands->setCurrentCell(0, 1);
    control<QToolButton>(*window, "bbNCins")->click();
    control<QPushButton>(*window, "bSave")->click();

    const QString disc = QString::fromStdString(bdmvFolder.string());
    const QStringList titleLines = cliLines({QStringLiteral("titles"), disc});
    const QStringList shownTitles = gridLines(titles);
    ASSERT_GE(titleLines.size(), shownTitles.size());
    EXPECT_EQ(titleLines.mid(0, shownTitles.size()), shownTitles);
    EXPECT_EQ(titleLines.at(4).toStdString(), "004\tHDMV\tProhibited1\tMovie\t3");
    EXPECT_EQ(cliLines({QStringLiteral("objects"), disc}), gridLines(objects));
    EXPECT_EQ(cliLines({QStringLiteral("commands"), disc, QStringLiteral("1")}), gridLines(commands));
    EXPECT_EQ(commands->rowCount(), 4);
#endif
}
