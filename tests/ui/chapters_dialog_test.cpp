// Chapter files for other tools through the PLAYLIST tab's dialogs.

#include "ui_fixture.h"

#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

TEST_F(WindowTest, MatroskaXmlChaptersSaveAndLoadThroughTheDialogsAndFfmetadataIsExportOnly)
{
    auto window = openSample();
    control<QTabWidget>(*window, "PageControl")->setCurrentIndex(TfMain::kTabPlayList);
    control<QComboBox>(*window, "cbPlaylist")->setCurrentIndex(1);
    ASSERT_EQ(window->session().playList.name, "00001");
    control<QRadioButton>(*window, "rgChapterFormat4")->setChecked(true);
    QStringList proposed;
    QString chosen = QString::fromStdString((dir.path() / "chapters").string());    // ".xml" is added
    window->setFileRunner([&](const QString&, const QString& file, bool) {
        proposed << QFileInfo(file).fileName();
        return chosen;
    });
    control<QPushButton>(*window, "bSaveChapters")->click();
    chosen += QStringLiteral(".xml");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(core::readWholeFile(chosen.toStdString(), bytes).ok);
    std::string xml(bytes.begin(), bytes.end());
    size_t atoms = 0;
    for (size_t i = xml.find("<ChapterAtom>"); i != std::string::npos; i = xml.find("<ChapterAtom>", i + 1))
        ++atoms;
    EXPECT_EQ(atoms, 4u) << xml;    // the entry marks; the link point is no chapter

    // The chapter at 00:02:00 (PlayItem 1's IN time) moves to 00:04:00 on the PlayList axis, on
    // PlayItem 2 before the link point at 00:04:20.
    const size_t at = xml.find("00:02:00.000000000");
    ASSERT_NE(at, std::string::npos);
    xml.replace(at, 8, "00:04:00");
    ASSERT_TRUE(core::writeFileAtomic(chosen.toStdString(), std::vector<uint8_t>(xml.begin(), xml.end())).ok);
    control<QPushButton>(*window, "bLoadChapters")->click();
    EXPECT_EQ(proposed, (QStringList{QStringLiteral("chapter_00001.xml"), QStringLiteral("chapter_00001.xml")}));
    auto* marks = control<QTableWidget>(*window, "sgPlayListMark");
    ASSERT_EQ(marks->rowCount(), 5);
    EXPECT_EQ(rowTexts(marks, 2), (std::vector<std::string>{"002", "entry-mark", "002", "00:02:00.000", "FFFF", "0"}));
    EXPECT_EQ(rowTexts(marks, 3), (std::vector<std::string>{"003", "entry-mark", "002", "00:03:00.000", "FFFF", "0"}));
    EXPECT_EQ(rowTexts(marks, 4), (std::vector<std::string>{"004", "link point", "002", "00:03:20.000", "FFFF", "0"}));
    EXPECT_TRUE(window->session().hasUnsavedPlayList());

    control<QRadioButton>(*window, "rgChapterFormat5")->setChecked(true);
    proposed.clear();
    control<QPushButton>(*window, "bLoadChapters")->click();
    EXPECT_TRUE(proposed.isEmpty());
    EXPECT_TRUE(control<QTextEdit>(*window, "mLog")->toPlainText().contains(QStringLiteral("export only")));
    EXPECT_EQ(marks->rowCount(), 5);
}
