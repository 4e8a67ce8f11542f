// Times the window on large input, offscreen, with settings in a temporary folder:
//   1. selecting a PlayList of 255 PlayItems (video, 32 audio, 200 PG and 32 IG streams each) and
//      999 marks in the PLAYLIST tab, which reads it and fills every grid (target: under 100 ms);
//   2. with DIR (a disc made by bench_playlist_gen), reading that disc's folder again in the
//      window (target: under 0.5 s).
// Prints the median of the runs in milliseconds.
//
// usage: bench_window [DIR] [--runs 5]

#include "support/disc_builder.h"
#include "support/mpls_builder.h"
#include "support/sample_disc.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QComboBox>

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
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
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
    if (!disc.empty()) {
        ui::TfMain window(QStringList{QString::fromStdString(disc)});
        window.show();
        const double ms = medianMs(runs, [&] { window.bReadBDMVClick(); });
        std::printf("open %s: %zu PlayLists, %zu clips: %.1f ms (target 500 ms)\n", disc.c_str(),
                    window.disc().playlists.size(), window.disc().clips.size(), ms);
    }
    fs::remove_all(scratch);
    return 0;
}
