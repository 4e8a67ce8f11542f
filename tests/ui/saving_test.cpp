// Saving from the BDMV tab under the backup options, and opening a disc whose database files
// are damaged: the error is shown and nothing is saved over the damaged file.

#include "ui_fixture.h"

#include "core/files.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolButton>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

namespace {

std::vector<uint8_t> bytesOf(const std::filesystem::path& file)
{
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(core::readWholeFile(file, bytes).ok) << file;
    return bytes;
}

int occurrences(const QString& text, const QString& what)
{
    return static_cast<int>(text.count(what));
}

// Changes the first title's search access, so that each save writes different bytes.
void editTitle(TfMain& window, int accessItem)
{
    control<QTableWidget>(window, "sgTitles")->setCurrentCell(0, 1);
    control<QComboBox>(window, "cbTitleAT")->setCurrentIndex(accessItem);
}

}  // namespace

TEST_F(WindowTest, OnlyFirstKeepsTheFileAsItWasBeforeTheFirstSave)
{
    auto window = openSample();
    const auto original = bytesOf(bdmvFolder / "index.bdmv");
    auto* save = control<QPushButton>(*window, "bSave");
    for (int i = 0; i < 3; ++i) {
        editTitle(*window, i);
        save->click();
    }
    EXPECT_EQ(bytesOf(bdmvFolder / "index.bdmv.backup"), original);
    EXPECT_NE(bytesOf(bdmvFolder / "index.bdmv"), original);
}

TEST_F(WindowTest, OverwriteKeepsTheVersionOfThePreviousSave)
{
    auto window = openSample();
    control<QRadioButton>(*window, "rgBackupMode1")->setChecked(true);
    auto* save = control<QPushButton>(*window, "bSave");
    editTitle(*window, 2);
    save->click();
    const auto first = bytesOf(bdmvFolder / "index.bdmv");
    editTitle(*window, 1);
    save->click();
    EXPECT_EQ(bytesOf(bdmvFolder / "index.bdmv.backup"), first);
    EXPECT_NE(bytesOf(bdmvFolder / "index.bdmv"), first);
}

TEST_F(WindowTest, StopIfExistsStopsBothSavesOnceEachAndChangesNothing)
{
    auto window = openSample();
    support::writeBytes(bdmvFolder / "index.bdmv.backup", {1});
    support::writeBytes(bdmvFolder / "MovieObject.bdmv.backup", {2});
    const auto index = bytesOf(bdmvFolder / "index.bdmv");
    const auto objects = bytesOf(bdmvFolder / "MovieObject.bdmv");
    control<QRadioButton>(*window, "rgBackupMode2")->setChecked(true);
    editTitle(*window, 2);
    control<QPushButton>(*window, "bSave")->click();
    EXPECT_EQ(occurrences(control<QTextEdit>(*window, "mLog")->toPlainText(), QStringLiteral("Cannot create backup file.")), 2);
    EXPECT_TRUE(window->reporter().errorShown());
    EXPECT_EQ(bytesOf(bdmvFolder / "index.bdmv"), index);
    EXPECT_EQ(bytesOf(bdmvFolder / "MovieObject.bdmv"), objects);
    EXPECT_EQ(bytesOf(bdmvFolder / "index.bdmv.backup"), (std::vector<uint8_t>{1}));
}

TEST_F(WindowTest, WithoutBackupsTheFilesAreOverwrittenAndBackupDirGetsCopies)
{
    auto window = openSample();
    control<QCheckBox>(*window, "cbOBackup")->setChecked(false);
    EXPECT_FALSE(control<QWidget>(*window, "rgBackupMode")->isEnabled());
    control<QCheckBox>(*window, "cbSaveBACKUP")->setChecked(true);
    editTitle(*window, 2);
    control<QPushButton>(*window, "bSave")->click();
    EXPECT_FALSE(std::filesystem::exists(bdmvFolder / "index.bdmv.backup"));
    EXPECT_FALSE(std::filesystem::exists(bdmvFolder / "MovieObject.bdmv.backup"));
    EXPECT_EQ(window->disc().index.titles[0].accessType, 3);
    for (const char* name : {"index.bdmv", "MovieObject.bdmv"})
        EXPECT_EQ(bytesOf(bdmvFolder / "BACKUP" / name), bytesOf(bdmvFolder / name)) << name;
}

TEST_F(WindowTest, DamagedIndexIsShownAsAnErrorAndCannotBeSavedOver)
{
    support::DiscBuilder b;
    b.title({1, 0, 0, 0, {}}).object({false, false, false, {{0x50400001, 0, 1}}});
    auto index = b.indexBytes();
    index[0] = 'X';
    bdmvFolder = b.writeTo(dir.path() / "Damaged");
    support::writeBytes(bdmvFolder / "index.bdmv", index);
    auto window = openArgument(QString::fromStdString((dir.path() / "Damaged").string()));

    EXPECT_TRUE(control<QTextEdit>(*window, "mLog")->toPlainText().contains(QStringLiteral("index.bdmv format error at $00000008")));
    EXPECT_TRUE(window->reporter().errorShown());
    for (const char* name : {"bSave", "bIndExDatEdit"})
        EXPECT_FALSE(control<QPushButton>(*window, name)->isEnabled()) << name;
    EXPECT_FALSE(control<QTableWidget>(*window, "sgTitles")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(*window, "eContentProvider")->isEnabled());
    EXPECT_FALSE(control<QComboBox>(*window, "cbTitleNo")->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(*window, "cbFPBon")->isEnabled());
    // Even a save forced past the button leaves the damaged file as it is.
    window->bSaveClick();
    EXPECT_EQ(bytesOf(bdmvFolder / "index.bdmv"), index);
    EXPECT_FALSE(std::filesystem::exists(bdmvFolder / "index.bdmv.backup"));
}

TEST_F(WindowTest, DamagedMovieObjectsAreShownAsAnErrorAndNeverSavedOver)
{
    support::DiscBuilder b;
    b.title({1, 0, 0, 0, {}}).object({false, false, false, {{0x50400001, 0, 1}}});
    auto objects = b.movieObjectBytes();
    objects[7] = '9';    // version "0109"
    bdmvFolder = b.writeTo(dir.path() / "Damaged");
    support::writeBytes(bdmvFolder / "MovieObject.bdmv", objects);
    auto window = openArgument(QString::fromStdString((dir.path() / "Damaged").string()));

    EXPECT_TRUE(control<QTextEdit>(*window, "mLog")->toPlainText().contains(QStringLiteral("Format error MovieObject.bdmv")));
    EXPECT_TRUE(window->reporter().errorShown());
    auto* grid = control<QTableWidget>(*window, "sgObject");
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_FALSE(control<QTableWidget>(*window, "sgCommands")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(*window, "bObjExtDatEdit")->isEnabled());
    EXPECT_FALSE(control<QComboBox>(*window, "cbCmdGrp")->isEnabled());
    // Nothing to insert into, and the titles of the sound index.bdmv still save.
    control<QToolButton>(*window, "bbObins")->click();
    EXPECT_TRUE(window->disc().movieObjects.objects.empty());
    EXPECT_TRUE(control<QTableWidget>(*window, "sgTitles")->isEnabled());
    control<QPushButton>(*window, "bSave")->click();
    EXPECT_EQ(bytesOf(bdmvFolder / "MovieObject.bdmv"), objects);
    EXPECT_FALSE(std::filesystem::exists(bdmvFolder / "MovieObject.bdmv.backup"));
    EXPECT_TRUE(std::filesystem::exists(bdmvFolder / "index.bdmv.backup"));
}
