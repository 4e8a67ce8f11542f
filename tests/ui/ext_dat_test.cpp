#include "ui_fixture.h"

#include "bdmv/movie_object.h"
#include "core/files.h"
#include "ui/ext_dat.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

TEST_F(WindowTest, ExtensionDataDialogShowsTheBlock)
{
    auto window = openSample();
    std::string summary;
    std::string dump;
    std::string title;
    int rows = 0;
    window->setExtDatRunner([&](TfExtDat& dialog) {
        summary = control<QLabel>(dialog, "lExtDatSummary")->text().toStdString();
        dump = control<QTextEdit>(dialog, "DataBlock")->toPlainText().toStdString();
        title = dialog.windowTitle().toStdString();
        rows = control<QTableWidget>(dialog, "sgExtDatEntry")->rowCount();
        EXPECT_EQ(rowTexts(control<QTableWidget>(dialog, "sgExtDatEntry"), 0)[1], "0010");
        return static_cast<int>(QDialog::Rejected);
    });
    control<QPushButton>(*window, "bObjExtDatEdit")->click();
    EXPECT_EQ(title, "MovieObject.bdmv ExtensionData edit");
    EXPECT_EQ(summary, "32 bytes, 1 entry");
    EXPECT_EQ(rows, 1);
    EXPECT_NE(dump.find(" 4D 69 72 74 61 6C 00 01"), std::string::npos) << dump;
    EXPECT_NE(dump.find("Mirtal.."), std::string::npos) << dump;
    // Cancel changes nothing.
    EXPECT_EQ(window->disc().movieObjects.extensionData.numberOfEntries, 1);
}

TEST_F(WindowTest, ExtensionDataDeleteAndOkRemovesTheBlockFromTheFile)
{
    auto window = openSample();
    window->setExtDatRunner([](TfExtDat& dialog) {
        dialog.bbDelExtDatClick();
        EXPECT_FALSE(control<QPushButton>(dialog, "bbDelExtDat")->isEnabled());
        EXPECT_EQ(control<QLabel>(dialog, "lExtDatSummary")->text().toStdString(), "None");
        return static_cast<int>(QDialog::Accepted);
    });
    control<QPushButton>(*window, "bObjExtDatEdit")->click();
    EXPECT_EQ(window->disc().movieObjects.extensionDataStartAddress, 0u);
    EXPECT_EQ(control<QLabel>(*window, "lObjExtDatCap")->text().toStdString(), "no ExtensionData()");

    control<QPushButton>(*window, "bSave")->click();
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(core::readWholeFile(bdmvFolder / "MovieObject.bdmv", bytes).ok);
    core::NullReporter sink;
    core::Report report(sink);
    const auto back = bdmv::readMovieObjects(bytes, report);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value.extensionDataStartAddress, 0u);
    EXPECT_TRUE(back.value.extensionData.empty());
    size_t expected = 50;
    for (const auto& o : back.value.objects)
        expected += 4 + 12 * o.commands.size();
    EXPECT_EQ(bytes.size(), expected);
}

TEST_F(WindowTest, ExdFileSavedAndLoadedGivesTheSameBlock)
{
    auto window = openSample();
    const auto file = QString::fromStdString((dir.path() / "block.exd").string());
    const core::TExtensionData original = window->disc().movieObjects.extensionData;
    TfExtDat dialog;
    dialog.setBlock(QStringLiteral("MovieObject.bdmv"), original);
    ASSERT_TRUE(dialog.saveExtDat(file));
    dialog.bbDelExtDatClick();
    ASSERT_TRUE(dialog.loadExtDat(file));
    EXPECT_EQ(dialog.block(), original);
    EXPECT_FALSE(dialog.loadExtDat(QString::fromStdString((dir.path() / "missing.exd").string())));
    EXPECT_EQ(dialog.block(), original);
}

TEST_F(WindowTest, ExtensionDataGridStoresATypedId1)
{
    auto window = openSample();
    window->setExtDatRunner([](TfExtDat& dialog) {
        auto* grid = control<QTableWidget>(dialog, "sgExtDatEntry");
        grid->item(0, 1)->setText(QStringLiteral("1abcd"));
        EXPECT_EQ(grid->item(0, 1)->text().toStdString(), "ABCD");
        return static_cast<int>(QDialog::Accepted);
    });
    control<QPushButton>(*window, "bObjExtDatEdit")->click();
    ASSERT_EQ(window->disc().movieObjects.extensionData.entries.size(), 1u);
    EXPECT_EQ(window->disc().movieObjects.extensionData.entries[0].id1, 0xABCD);
}
