// The PLAYLIST tab against mirtal-cli: every grid the tab fills for a PlayList holds what
// `mirtal-cli playlist` prints for it, an unedited PlayList saved from the window keeps its bytes,
// and edits made through the tab's editors are read back exactly.

#include "ui_fixture.h"

#include "core/files.h"
#include "playlist/app_info.h"
#include "playlist/mark_edit.h"
#include "playlist/mpls_io.h"
#include "playlist/stn_edit.h"
#include "playlist/subpath_edit.h"
#include "support/real_data.h"
#include "ui/num_edit.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <map>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;

namespace {

#ifdef MIRTAL_CLI_PATH
// The cli's "[Section]" blocks of one PlayList.
std::map<QString, QStringList> cliSections(const std::filesystem::path& bdmv, const std::string& name)
{
    std::map<QString, QStringList> sections;
    QString current;
    for (const QString& line : cliLines({QStringLiteral("playlist"), QString::fromStdString(bdmv.string()),
                                         QString::fromStdString(name)})) {
        if (line.startsWith(u'[') && line.endsWith(u']'))
            current = line.mid(1, line.size() - 2);
        else
            sections[current] << line;
    }
    return sections;
}

// A grid as the cli prints it: a grid reset to its blank row is the caption row alone.
QStringList shown(QTableWidget* grid)
{
    QStringList lines = gridLines(grid);
    if (!grid->isEnabled() && grid->rowCount() == 1)
        lines = lines.mid(0, 1);
    return lines;
}

// Selects every row and list of the loaded PlayList in turn and compares each grid with its section.
void expectGridsLikeCli(TfMain& window, const std::filesystem::path& bdmv, const std::string& name)
{
    SCOPED_TRACE(bdmv.string() + " " + name);
    auto sections = cliSections(bdmv, name);
    auto* items = control<QTableWidget>(window, "sgPLitem");
    EXPECT_EQ(shown(items), sections[QStringLiteral("PlayItems")]);
    const auto& model = window.session().playList.model;
    for (size_t i = 0; i < model.playList.playItems.size(); ++i) {
        const QString n = QString::number(i);
        items->setCurrentCell(static_cast<int>(i), 1);
        auto* counts = control<QTableWidget>(window, "sgSTN");
        EXPECT_EQ(shown(counts), sections[QStringLiteral("STN ") + n]);
        for (int list = 0; list < playlist::kListCount; ++list) {
            const QString key = QStringLiteral("Streams ") + n + u' ' + QString::number(list);
            if (!sections.count(key))
                continue;
            emit counts->cellClicked(0, list);
            EXPECT_EQ(shown(control<QTableWidget>(window, "sgStreamEntry")), sections[key]) << key.toStdString();
        }
        if (sections.count(QStringLiteral("Angles ") + n)) {
            EXPECT_EQ(shown(control<QTableWidget>(window, "sgPIangles")), sections[QStringLiteral("Angles ") + n]);
        }
    }
    auto* subPaths = control<QTableWidget>(window, "sgSubPath");
    EXPECT_EQ(shown(subPaths), sections[QStringLiteral("SubPaths")]);
    for (size_t j = 0; j < model.playList.subPaths.size(); ++j) {
        subPaths->setCurrentCell(static_cast<int>(j), 1);
        const QString key = QStringLiteral("SubPlayItems ") + QString::number(j);
        if (!sections.count(key))
            continue;
        auto* subItems = control<QTableWidget>(window, "sgSubPlayItem");
        EXPECT_EQ(shown(subItems), sections[key]);
        for (int k = 0; k < subItems->rowCount(); ++k) {
            const QString entries = QStringLiteral("ClipEntries ") + QString::number(j) + u' ' + QString::number(k);
            subItems->setCurrentCell(k, 1);
            if (sections.count(entries)) {
                EXPECT_EQ(shown(control<QTableWidget>(window, "sgAngles")), sections[entries]);
            }
        }
    }
    EXPECT_EQ(shown(control<QTableWidget>(window, "sgPlayListMark")), sections[QStringLiteral("Marks")]);
    const QStringList appInfo = sections[QStringLiteral("AppInfo")].value(1).split(u'\t');
    EXPECT_EQ(control<QComboBox>(window, "cbAIpbt")->currentText(), appInfo.value(0));
    EXPECT_EQ(control<QLineEdit>(window, "heAIUO")->text(), appInfo.value(2));
    EXPECT_EQ(control<QLineEdit>(window, "heAIUO2")->text(), appInfo.value(3));
    EXPECT_EQ(control<QCheckBox>(window, "cbAIrandom")->isChecked(), appInfo.value(4) == QStringLiteral("1"));
    EXPECT_EQ(control<QLabel>(window, "lPLExtDatCap")->text(), sections[QStringLiteral("ExtensionData")].value(0));
}

// Selects each PlayList of the window's disc (Auto Read reads it), compares its grids, saves it
// unedited and compares the file with what the library writes for the original bytes.
size_t checkEveryPlayList(TfMain& window, const std::filesystem::path& bdmv, size_t most)
{
    size_t checked = 0;
    auto* list = control<QComboBox>(window, "cbPlaylist");
    control<QTabWidget>(window, "PageControl")->setCurrentIndex(TfMain::kTabPlayList);
    const auto names = window.disc().playlists;
    for (size_t i = 0; i < names.size() && i < most; ++i) {
        const auto path = playlist::playlistPath(bdmv, names[i]);
        std::vector<uint8_t> original;
        if (!core::readWholeFile(path, original).ok) {
            ADD_FAILURE() << path;
            return checked;
        }
        list->setCurrentIndex(-1);
        list->setCurrentIndex(static_cast<int>(i));
        if (!window.session().playList.loaded || window.session().playList.name != names[i])
            continue;    // refused by the reader (the cli refuses it too)
        expectGridsLikeCli(window, bdmv, names[i]);
        control<QPushButton>(window, "bSave")->click();
        std::vector<uint8_t> saved;
        EXPECT_TRUE(core::readWholeFile(path, saved).ok);
        core::NullReporter sink;
        core::Report report(sink);
        playlist::TPLmpls model;
        EXPECT_TRUE(playlist::readPlaylist(original, names[i], report).into(model));
        EXPECT_EQ(saved, playlist::writePlaylist(model)) << path;
        ++checked;
    }
    return checked;
}
#endif

}  // namespace

TEST_F(WindowTest, PlayListGridsEqualTheCliAndAnUneditedSaveKeepsTheFile)
{
#ifndef MIRTAL_CLI_PATH
    GTEST_SKIP() << "mirtal-cli is not part of this build";
#else
    auto window = openSample();
    EXPECT_EQ(checkEveryPlayList(*window, bdmvFolder, 99), 5u);
    // The demo disc's PlayLists are written exactly as they were.
    for (const auto& name : window->disc().playlists) {
        std::vector<uint8_t> saved;
        std::vector<uint8_t> backup;
        ASSERT_TRUE(core::readWholeFile(playlist::playlistPath(bdmvFolder, name), saved).ok);
        ASSERT_TRUE(core::readWholeFile(bdmvFolder / "PLAYLIST" / (name + ".mpls.backup"), backup).ok);
        EXPECT_EQ(saved, backup) << name;
    }
#endif
}

TEST_F(WindowTest, PlayListGridsEqualTheCliOnRealDiscs)
{
#ifndef MIRTAL_CLI_PATH
    GTEST_SKIP() << "mirtal-cli is not part of this build";
#else
    const auto real = REAL_DATA_OR_SKIP();
    // Each disc folder is copied (the real files stay as they are) with the folders the opening
    // checks ask for; a few PlayLists of each keep the test short.
    size_t discs = 0;
    size_t checked = 0;
    std::vector<std::filesystem::path> folders;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(real))
        if (entry.is_directory() && entry.path().filename() == "PLAYLIST" && entry.path().parent_path().filename() != "BACKUP")
            folders.push_back(entry.path().parent_path());
    std::sort(folders.begin(), folders.end());
    for (const auto& folder : folders) {
        const auto copy = dir.path() / ("real" + std::to_string(discs++)) / "BDMV";
        std::filesystem::create_directories(copy);
        for (const char* part : {"PLAYLIST", "CLIPINF"})
            if (std::filesystem::exists(folder / part))
                std::filesystem::copy(folder / part, copy / part, std::filesystem::copy_options::recursive);
        for (const char* part : {"PLAYLIST", "CLIPINF", "BACKUP"})
            std::filesystem::create_directories(copy / part);
        for (const char* file : {"index.bdmv", "MovieObject.bdmv"})
            if (std::filesystem::exists(folder / file))
                std::filesystem::copy_file(folder / file, copy / file);
        auto window = openArgument(QString::fromStdString(copy.string()));
        if (!window->disc().checksPassed)
            continue;
        checked += checkEveryPlayList(*window, copy, 4);
        window->session().playList.edited = false;
    }
    EXPECT_GT(checked, 20u) << discs << " disc folders";
#endif
}

namespace {

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setModified(true);
    emit edit->editingFinished();
}

}  // namespace

TEST_F(WindowTest, EditsMadeInThePlayListTabAreSavedExactlyAndNotLostUnasked)
{
    auto window = openSample();
    const std::string name = "00001";
    const auto path = playlist::playlistPath(bdmvFolder, name);
    std::vector<uint8_t> original;
    ASSERT_TRUE(core::readWholeFile(path, original).ok);
    control<QTabWidget>(*window, "PageControl")->setCurrentIndex(TfMain::kTabPlayList);
    control<QComboBox>(*window, "cbPlaylist")->setCurrentIndex(1);
    ASSERT_EQ(window->session().playList.name, name);

    // A chapter file through the dialog, then mark, stream, SubPath, mask and flag edits.
    const std::string chapters = "0\r\n2700000\r\n5400000\r\n9000000\r\n";
    const auto chapterFile = dir.path() / "chapters.txt";
    ASSERT_TRUE(core::writeFileAtomic(chapterFile, std::vector<uint8_t>(chapters.begin(), chapters.end())).ok);
    QString proposed;
    window->setFileRunner([&](const QString&, const QString& file, bool) {
        proposed = file;
        return QString::fromStdString(chapterFile.string());
    });
    control<QPushButton>(*window, "bLoadChapters")->click();
    EXPECT_EQ(QFileInfo(proposed).fileName().toStdString(), "chapter_00001_PTS.txt");
    auto* marks = control<QTableWidget>(*window, "sgPlayListMark");
    ASSERT_EQ(marks->rowCount(), 4);
    marks->setCurrentCell(1, 1);
    typeInto(control<QLineEdit>(*window, "iePLMPI"), QStringLiteral("2"));
    typeInto(control<QLineEdit>(*window, "iePLMmin"), QStringLiteral("2"));
    typeInto(control<QLineEdit>(*window, "iePLMsec"), QStringLiteral("75"));    // clamped to 59
    EXPECT_EQ(control<QLineEdit>(*window, "iePLMsec")->text().toStdString(), "59");
    marks->setCurrentCell(3, 1);
    control<QToolButton>(*window, "bbPLMins")->click();
    marks->setCurrentCell(0, 1);
    control<QToolButton>(*window, "bbPLMdel")->click();

    emit control<QTableWidget>(*window, "sgSTN")->cellClicked(0, playlist::kListAudio);
    control<QTableWidget>(*window, "sgStreamEntry")->setCurrentCell(1, 1);
    control<QToolButton>(*window, "bbSTNins")->click();
    control<QComboBox>(*window, "coAudio")->setCurrentIndex(2);
    auto* language = control<QComboBox>(*window, "coLang");
    language->setCurrentIndex(language->findText(QStringLiteral("jpn")));
    emit language->activated(language->currentIndex());
    control<QToolButton>(*window, "bbSPins")->click();
    control<QCheckBox>(*window, "cbUO5")->click();
    control<QCheckBox>(*window, "cbAIaudioMix")->click();
    EXPECT_EQ(control<QLineEdit>(*window, "heAIUO")->text().toStdString(), "00000020");

    // Another PlayList is about to replace the edited one: the question comes once; Cancel
    // keeps the edits and the selector on the edited PlayList.
    QStringList questions;
    window->setQuestionRunner([&](const QString& q, bool) {
        questions << q;
        return TfMain::Answer::Cancel;
    });
    control<QComboBox>(*window, "cbPlaylist")->setCurrentIndex(2);
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(control<QComboBox>(*window, "cbPlaylist")->currentText().toStdString(), name);
    EXPECT_TRUE(window->session().hasUnsavedPlayList());
    control<QPushButton>(*window, "bSave")->click();
    EXPECT_FALSE(window->session().hasUnsavedPlayList());
    control<QComboBox>(*window, "cbPlaylist")->setCurrentIndex(2);
    EXPECT_EQ(questions.size(), 1);

    // The same edits made by the library give the bytes the window saved.
    core::NullReporter sink;
    core::Report report(sink);
    playlist::TPLmpls expected;
    ASSERT_TRUE(playlist::readPlaylist(original, name, report).into(expected));
    ASSERT_TRUE(playlist::importChapters(expected, chapters, playlist::ChapterFormat::Pts, report));
    playlist::setMarkPlayItem(expected, 1, 2);
    ASSERT_TRUE(playlist::setMarkTime(expected, 1, {0, 2, 59, 0}));
    ASSERT_TRUE(playlist::insertMark(expected, 3));
    (void)playlist::deleteMarks(expected, 0, 0);
    const auto row = playlist::insertStream(expected, 0, playlist::kListAudio, 1);
    ASSERT_TRUE(row);
    playlist::setAudioCoding(expected, 0, playlist::kListAudio, *row, 2);
    playlist::setLanguage(expected, 0, playlist::kListAudio, *row, "jpn");
    ASSERT_TRUE(playlist::insertSubPath(expected, 0));
    playlist::setUoBit(expected, 5, true);
    playlist::setAppInfoFlag(expected, playlist::AppInfoFlag::AudioMix, true);
    std::vector<uint8_t> saved;
    ASSERT_TRUE(core::readWholeFile(path, saved).ok);
    EXPECT_EQ(saved, playlist::writePlaylist(expected));
#ifdef MIRTAL_CLI_PATH
    const QStringList lines = cliLines({QStringLiteral("playlist"), QString::fromStdString(bdmvFolder.string()),
                                        QString::fromStdString(name)});
    EXPECT_TRUE(lines.contains(QStringLiteral("000\tentry-mark\t002\t00:02:59.000\tFFFF\t0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("003\tPlayItem\t1100\t\t\t\tDTS, Multi-ch., 48 kHz, jpn")));
#endif
}
