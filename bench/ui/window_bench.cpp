// Times the window on large input, offscreen, with settings in a temporary folder:
//   1. selecting a PlayList of 255 PlayItems (video, 32 audio, 200 PG and 32 IG streams each) and
//      999 marks in the PLAYLIST tab, which reads it and fills every grid (target: under 100 ms);
//   2. with DIR (a disc made by bench_playlist_gen), reading that disc's folder again in the
//      window (target: under 0.5 s);
//   3. a navigation step (Right) on the Page view of a full-screen page of 32 buttons, which
//      redraws two buttons and shows the page (target: under 16 ms);
//   4. with --clip CLIPDIR (a disc made by ig_gen_m2ts), loading the menu of clip 00001 in the
//      window against the library's load that mirtal-cli menu runs (target: at most 1.2 times),
//      and how long a load takes to answer Cancel (target: a tenth of a second).
// Prints the median of the runs in milliseconds.
//
// usage: bench_window [DIR] [--clip CLIPDIR] [--runs 5]

#include "ig/ig_load.h"
#include "support/disc_builder.h"
#include "support/ig_builder.h"
#include "support/mpls_builder.h"
#include "support/sample_disc.h"
#include "ui/main_window.h"
#include "ui/menu_tab.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace mirtal;
using namespace mirtal::support;

std::vector<uint8_t> largePlayList()
{
    MplsBuilder b;
    for (int i = 0; i < 255; ++i) {
        PlayItemDesc p;
        p.in = static_cast<uint32_t>(i) * 45000 * 60;
        p.out = p.in + 45000 * 60;
        p.video.push_back(videoStream(0x1011));
        for (uint16_t a = 0; a < 32; ++a)
            p.audio.push_back(audioStream(static_cast<uint16_t>(0x1100 + a), "eng"));
        for (uint16_t g = 0; g < 200; ++g)
            p.pg.push_back(pgStream(static_cast<uint16_t>(0x1200 + g), "deu"));
        for (uint16_t g = 0; g < 32; ++g)
            p.ig.push_back(igStream(static_cast<uint16_t>(0x1400 + g), "fra"));
        b.playItem(p);
    }
    for (int m = 0; m < 999; ++m)
        b.mark({1, static_cast<uint16_t>(m / 4), static_cast<uint32_t>(m % 4) * 45000 * 15, 0xFFFF, 0});
    return b.bytes();
}

// A full-screen page of 8 × 4 buttons of 240 × 270 pixels, each with its own normal and
// selected object; Right moves along the row.
std::vector<uint8_t> fullScreenMenu()
{
    IcsLayout ics;
    PageLayout page;
    page.frameRateCode = 0;    // no frame delay: the step is all drawing
    BogLayout bog;
    std::vector<ByteVec> objects;
    for (uint16_t id = 0; id < 32; ++id) {
        ButtonLayout b;
        b.id = id;
        b.x = static_cast<uint16_t>((id % 8) * 240);
        b.y = static_cast<uint16_t>((id / 8) * 270);
        b.upper = b.lower = b.left = id;
        b.right = static_cast<uint16_t>((id + 1) % 32);
        b.normalStart = b.normalEnd = static_cast<uint16_t>(2 * id);
        b.selectedStart = b.selectedEnd = static_cast<uint16_t>(2 * id + 1);
        b.commands = {{0x50400001, 1, id}};
        page.bogs.push_back({id, {b}});
    }
    page.defaultSelected = 0;
    ics.pages = {page};
    std::vector<ByteVec> segs = icsSegments(ics);
    segs.push_back(pdsSegment(0, 0, {{1, 235, 128, 128, 255}, {2, 81, 240, 90, 255}, {3, 41, 110, 240, 255}}));
    for (uint16_t id = 0; id < 64; ++id) {
        ByteVec pixels(240 * 270);
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(1 + (i / 240 + id) % 3);
        for (auto& seg : odsSegments(id, 0, 240, 270, rleEncode(pixels, 240, 270)))
            segs.push_back(seg);
    }
    segs.push_back(endSegment());
    return segmentsToTs(segs);
}

double medianMs(int runs, const std::function<void()>& once)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        once();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    std::string disc;
    std::string clipDisc;
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--clip") == 0 && i + 1 < argc)
            clipDisc = argv[++i];
        else
            disc = argv[i];
    }
    const fs::path scratch = fs::temp_directory_path() / ("mirtal-bench-window-" + std::to_string(::getpid()));
    fs::create_directories(scratch / "config");
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);

    const fs::path bdmv = writeSampleDisc(scratch / "Disc");
    {
        const auto bytes = largePlayList();
        std::ofstream(bdmv / "PLAYLIST" / "00004.mpls", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    {
        ui::TfMain window(QStringList{QString::fromStdString(bdmv.string())});
        window.show();
        window.showTab(ui::TfMain::kTabPlayList);
        auto* list = window.findChild<QComboBox*>(QStringLiteral("cbPlaylist"));
        const double ms = medianMs(runs, [&] {
            list->setCurrentIndex(0);
            list->setCurrentIndex(4);
        });
        std::printf("select a PlayList of 255 PlayItems and 999 marks: %.1f ms (target 100 ms)\n", ms);
    }
    {
        writeBytes(bdmv / "STREAM" / "00010.m2ts", fullScreenMenu());
        ui::TfMain window(QStringList{QString::fromStdString(bdmv.string())});
        window.show();
        auto& menu = window.menuTab();
        if (!menu.bLoadToMenuClick("00010", 0x1400))
            return 1;
        window.findChild<QTabWidget*>(QStringLiteral("pcMenu"))->setCurrentIndex(3);
        window.findChild<QPushButton*>(QStringLiteral("bStart"))->click();
        auto* right = window.findChild<QPushButton*>(QStringLiteral("bNavRight"));
        const double ms = medianMs(std::max(runs, 32), [&] { right->click(); });
        std::printf("navigation step on a full-screen page of 32 buttons: %.1f ms (target 16 ms)\n", ms);
    }
    if (!clipDisc.empty()) {
        ui::TfMain window(QStringList{QString::fromStdString(clipDisc)});
        window.show();
        auto& menu = window.menuTab();
        const double windowMs = medianMs(runs, [&] { (void)menu.bLoadToMenuClick("00001", 0x1400); });
        const fs::path clip = window.disc().bdmv / "STREAM" / "00001.m2ts";
        const double libraryMs = medianMs(runs, [&] {
            core::NullReporter sink;
            core::Report report(sink);
            ig::IgMenu loaded;
            loaded = ig::loadIG(clip, 0x1400, report).value;
        });
        std::printf("menu load of %s: window %.1f ms, library %.1f ms: %.2f x (target 1.2 x)\n", clip.c_str(),
                    windowMs, libraryMs, windowMs / libraryMs);
        // Cancel a third of the way in; the time from the click to the load's return.
        std::vector<double> answers;
        for (int i = 0; i < runs; ++i) {
            std::chrono::steady_clock::time_point clicked;
            QTimer::singleShot(static_cast<int>(windowMs / 3), &window, [&] {
                clicked = std::chrono::steady_clock::now();
                window.bCancelClick();
            });
            (void)menu.bLoadToMenuClick("00001", 0x1400);
            answers.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clicked).count());
        }
        std::sort(answers.begin(), answers.end());
        std::printf("Cancel during the load answered in %.1f ms (target 100 ms)\n", answers[answers.size() / 2]);
    }
    if (!disc.empty()) {
        ui::TfMain window(QStringList{QString::fromStdString(disc)});
        window.show();
        const double ms = medianMs(runs, [&] { window.bReadBDMVClick(); });
        std::printf("open %s: %zu PlayLists, %zu clips: %.1f ms (target 500 ms)\n", disc.c_str(),
                    window.disc().playlists.size(), window.disc().clips.size(), ms);
        // Every PlayList read once, the entries run, the grid filled.
        auto* overview = window.findChild<QPushButton*>(QStringLiteral("bOverview"));
        const double overviewMs = medianMs(runs, [&] { overview->click(); });
        std::printf("overview of %zu PlayLists: %.1f ms (target 500 ms)\n", window.disc().playlists.size(), overviewMs);
    }
    fs::remove_all(scratch);
    return 0;
}
