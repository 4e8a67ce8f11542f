// The CLIPINF tab against mirtal-cli: the ProgramInfo rows and stream labels of demo and real
// clips, the files Save PID writes under each option, and Cancel during a long run.

#include "ui_fixture.h"

#include "core/files.h"
#include "support/real_data.h"
#include "support/ts_builder.h"
#include "ui/clip_tab.h"

#include <QCheckBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <map>

using namespace mirtal;
using namespace mirtal::ui;
using namespace mirtal::ui::test;
namespace fs = std::filesystem;

namespace {

// mirtal-cli's standard output without its last line end, and its exit status.
std::pair<int, std::string> runCli(const QStringList& arguments)
{
    auto [status, out] = cliOutput(arguments);
    if (out.endsWith(u'\n'))
        out.chop(1);
    return {status, out.toStdString()};
}

// Selects clip i in the selector, which Auto Read (on by default) reads, and returns the tab as
// `mirtal-cli clip` prints it.
std::string showClip(TfMain& window, int i)
{
    auto* list = control<QComboBox>(window, "cbClipinf");
    list->setCurrentIndex(-1);
    list->setCurrentIndex(i);
    const auto joined = [](const std::vector<std::string>& cells) {
        QStringList parts;
        for (const auto& c : cells)
            parts << QString::fromStdString(c);
        return parts.join(u'\t');
    };
    auto* grid = control<QTableWidget>(window, "sgCI");
    QStringList lines{QStringLiteral("[ProgramInfo]"), joined(captionTexts(grid))};
    for (int r = 0; r < grid->rowCount(); ++r)
        lines << joined(rowTexts(grid, r));
    lines << QStringLiteral("[Stream]")
          << control<QLabel>(window, "lStreamName")->text() + u'\t' + control<QLabel>(window, "lStreamSize")->text();
    return lines.join(u'\n').toStdString();
}

std::map<std::string, std::vector<uint8_t>> filesIn(const fs::path& folder)
{
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& e : fs::directory_iterator(folder))
        EXPECT_TRUE(core::readWholeFile(e.path(), files[e.path().filename().string()]).ok) << e.path();
    return files;
}

class ClipInfTest : public WindowTest {
protected:
    // Shows clip i and expects what `mirtal-cli clip` prints; returns what the tab shows.
    static std::string expectClipAsCli(TfMain& window, const fs::path& bdmv, int i)
    {
        const std::string shown = showClip(window, i);
        const QString clip = control<QComboBox>(window, "cbClipinf")->itemText(i);
        const auto [status, printed] = runCli({QStringLiteral("clip"), QString::fromStdString(bdmv.string()), clip});
        EXPECT_EQ(status, 0) << bdmv << " " << clip.toStdString();
        EXPECT_EQ(shown, printed) << bdmv << " " << clip.toStdString();
        return shown;
    }
};

}  // namespace

TEST_F(ClipInfTest, EveryDemoClipAndPidShowsAndSavesWhatTheCommandLineToolDoesUnderEachOption)
{
    if (!kCli)
        GTEST_SKIP() << "mirtal-cli is not part of this build";
    auto window = openSample();
    auto* list = control<QComboBox>(*window, "cbClipinf");
    ASSERT_EQ(list->count(), 6);
    auto* grid = control<QTableWidget>(*window, "sgCI");
    auto* save = control<QPushButton>(*window, "bSavePES");
    const struct { bool pes, sup; } options[] = {{false, true}, {false, false}, {true, true}};
    for (size_t o = 0; o < std::size(options); ++o) {
        control<QCheckBox>(*window, "cbSavePES")->setChecked(options[o].pes);
        control<QCheckBox>(*window, "cbSaveSUP")->setChecked(options[o].sup);
        const fs::path shown = dir.path() / ("ui" + std::to_string(o));
        const fs::path cli = dir.path() / ("cli" + std::to_string(o));
        fs::create_directories(shown);
        fs::create_directories(cli);
        // The output folder is taken with or without its closing separator.
        control<QLineEdit>(*window, "eWorkdir")->setText(QString::fromStdString(shown.string()) + (o == 1 ? "/" : ""));
        for (int i = 0; i < list->count(); ++i) {
            const bool hasStream = expectClipAsCli(*window, bdmvFolder, i).find("N/A\t") == std::string::npos;
            for (int r = 0; r < grid->rowCount(); ++r) {
                grid->setCurrentCell(r, 1);
                const int errors = window->reporter().errorCount();
                save->click();
                EXPECT_TRUE(save->isEnabled());
                EXPECT_FALSE(control<QPushButton>(*window, "bCancel")->isEnabled());
                if (!hasStream) {
                    EXPECT_GT(window->reporter().errorCount(), errors) << "no stream file, no error";
                    continue;
                }
                QStringList args{QStringLiteral("extract"), QString::fromStdString(bdmvFolder.string()),
                                 list->itemText(i), QStringLiteral("--pid"), grid->item(r, 1)->text(),
                                 QStringLiteral("--out"), QString::fromStdString(cli.string())};
                args << (options[o].pes ? QStringList{QStringLiteral("--pes")} : QStringList{})
                     << (options[o].sup ? QStringList{} : QStringList{QStringLiteral("--no-sup")});
                EXPECT_EQ(runCli(args).first, 0) << args.join(u' ').toStdString();
            }
        }
        const QString log = control<QTextEdit>(*window, "mLog")->toPlainText();
        EXPECT_TRUE(log.contains(QStringLiteral("Cannot open 00001.m2ts")));
        const auto files = filesIn(shown);
        EXPECT_EQ(files.size(), 3u);    // the PIDs of 00010 and 00011
        EXPECT_EQ(files, filesIn(cli));
    }
}

TEST_F(ClipInfTest, RealClipsShowTheRowsAndStreamOfTheCommandLineTool)
{
    if (!kCli)
        GTEST_SKIP() << "mirtal-cli is not part of this build";
    const fs::path real = REAL_DATA_OR_SKIP();
    std::vector<fs::path> discs;    // BDMV folders; the UHD ones are refused by the editor
    for (const auto& e : fs::recursive_directory_iterator(real)) {
        std::vector<uint8_t> index;
        if (e.is_directory() && e.path().filename() == "CLIPINF" && e.path().parent_path().filename() != "BACKUP" &&
            core::readWholeFile(e.path().parent_path() / "index.bdmv", index).ok && !support::isVersion0300(index))
            discs.push_back(e.path().parent_path());
    }
    std::sort(discs.begin(), discs.end());
    if (discs.empty())
        GTEST_SKIP() << "no disc with CLIPINF in " << real;
    auto window = std::make_unique<TfMain>();
    window->show();
    // About 40 clips in all, shared out over the discs and spread over each disc's clips (not
    // always its first, which is often a menu clip).
    const size_t budget = std::max<size_t>(40, discs.size());
    for (size_t d = 0; d < discs.size(); ++d) {
        // The disc's own entries linked into a folder with the BACKUP folder the editor asks for.
        const fs::path bdmv = dir.path() / ("Real" + std::to_string(d)) / "BDMV";
        fs::create_directories(bdmv / "BACKUP");
        for (const auto& e : fs::directory_iterator(discs[d]))
            if (e.path().filename() != "BACKUP")
                fs::create_symlink(fs::absolute(e.path()), bdmv / e.path().filename());
        control<QLineEdit>(*window, "eBDMVdir")->setText(QString::fromStdString(bdmv.string()) + u'/');
        window->bReadBDMVClick();
        const int clips = control<QComboBox>(*window, "cbClipinf")->count();
        ASSERT_GT(clips, 0) << discs[d];
        const int take = std::min(clips, static_cast<int>(budget * (d + 1) / discs.size() - budget * d / discs.size()));
        const int first = static_cast<int>(d) % clips;
        for (int k = 0; k < take; ++k)
            expectClipAsCli(*window, bdmv, (first + k * clips / take) % clips);
    }
}

TEST_F(ClipInfTest, CancelAsksOnceAPidRunHasStartedAndYesStopsTheRun)
{
    // Clip 00011 with a long video stream on PID 0x1011 (24 MB): PES packet i holds kPayload bytes
    // of value i.
    bdmvFolder = support::writeSampleDisc(dir.path() / "Disc");
    constexpr size_t kPayload = 24000;
    support::TsBuilder ts;
    std::vector<uint8_t> stream;
    for (int i = 0; i < 1000; ++i) {
        const std::vector<uint8_t> payload(kPayload, static_cast<uint8_t>(i));
        ts.pes(0x1011, support::pesPacket(0xE0, payload, 90000 + 3750 * static_cast<uint64_t>(i)));
        stream.insert(stream.end(), payload.begin(), payload.end());
    }
    ASSERT_TRUE(core::writeFileAtomic(bdmvFolder / "STREAM" / "00011.m2ts", ts.bytes()).ok);
    auto window = openArgument(QString::fromStdString((dir.path() / "Disc").string()));
    auto* save = control<QPushButton>(*window, "bSavePES");
    auto* cancel = control<QPushButton>(*window, "bCancel");
    control<QLineEdit>(*window, "eWorkdir")->setText(QString::fromStdString(dir.path().string()));
    ASSERT_TRUE(window->clipTab().showClip("00011"));
    const fs::path output = window->clipTab().savePidFile().toStdString();

    // The run lets the window's events through at every 64th poll, whatever the machine's speed.
    window->sink().setPumpIntervalMs(0);
    int questions = 0;
    QTimer clicker;    // clicks Cancel whenever the run lets the window's events through
    clicker.setInterval(0);
    QObject::connect(&clicker, &QTimer::timeout, [&] { if (cancel->isEnabled()) cancel->click(); });
    window->setQuestionRunner([&](const QString& question, bool) {
        EXPECT_EQ(question.toStdString(), "Are you sure to stop?");
        EXPECT_FALSE(save->isEnabled());
        EXPECT_TRUE(control<QProgressBar>(*window, "pbProgress")->isVisible());
        window->clipTab().bSavePESClick();    // no second run inside this one
        return ++questions == 1 ? TfMain::Answer::No : TfMain::Answer::Yes;
    });

    // Before any PID run Cancel stops at once, unasked; the flag it leaves does not stop the run.
    window->bCancelClick();
    save->click();
    EXPECT_EQ(questions, 0);
    std::vector<uint8_t> saved;
    ASSERT_TRUE(core::readWholeFile(output, saved).ok);
    EXPECT_TRUE(saved == stream) << saved.size() << " bytes saved";

    clicker.start();
    save->click();
    clicker.stop();
    EXPECT_EQ(questions, 2);
    ASSERT_TRUE(core::readWholeFile(output, saved).ok);
    EXPECT_GE(saved.size(), kPayload) << "No let the run go on";
    EXPECT_LT(saved.size(), stream.size());
    EXPECT_EQ(saved.size() % kPayload, 0u) << "a cancelled file ends with whole PES packets";
    EXPECT_TRUE(std::equal(saved.begin(), saved.end(), stream.begin()));
    const QString log = control<QTextEdit>(*window, "mLog")->toPlainText();
    EXPECT_EQ(log.count(QStringLiteral("Saving 00011_PID1011")), 2);
    EXPECT_EQ(log.count(QString::number(ts.packets()) + QStringLiteral(" source packets saved.")), 1);
    EXPECT_EQ(log.count(QStringLiteral("Saving cancelled.")), 1);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_FALSE(cancel->isEnabled());
}
