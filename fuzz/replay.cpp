// fuzz_replay: runs every fuzz target over its seeds (made by the test builders) and over every
// input kept under fuzz/findings/TARGET, so that the tests keep each past finding fixed without
// clang. fuzz_replay --write-seeds DIR writes the seeds as DIR/TARGET/seed-N for libFuzzer.
// fuzz_replay TARGET FILE... runs one target over the given files.

#include "fuzz/targets.h"

#include "core/files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace mirtal;

namespace {

bool runFile(const fuzz::Target& target, const fs::path& file)
{
    fuzz::Bytes bytes;
    if (!core::readWholeFile(file, bytes).ok) {
        std::fprintf(stderr, "fuzz_replay: cannot read %s\n", file.c_str());
        return false;
    }
    target.run(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-seeds") == 0) {
        int n = 0;
        for (const auto& [name, bytes] : fuzz::seeds()) {
            const fs::path dir = fs::path(argv[2]) / name;
            fs::create_directories(dir);
            std::ofstream(dir / ("seed-" + std::to_string(n++)), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        std::printf("%d seeds written under %s\n", n, argv[2]);
        return 0;
    }
    if (argc >= 3) {
        const auto* target = fuzz::findTarget(argv[1]);
        if (!target) {
            std::fprintf(stderr, "fuzz_replay: no target %s\n", argv[1]);
            return 2;
        }
        bool ok = true;
        for (int i = 2; i < argc; ++i)
            ok = runFile(*target, argv[i]) && ok;
        return ok ? 0 : 1;
    }
    size_t seeds = 0, findings = 0;
    for (const auto& [name, bytes] : fuzz::seeds()) {
        fuzz::findTarget(name)->run(bytes.data(), bytes.size());
        ++seeds;
    }
    const fs::path kept = MIRTAL_FINDINGS;
    for (const auto& target : fuzz::targets()) {
        const fs::path dir = kept / target.name;
        if (!fs::is_directory(dir))
            continue;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
                if (!runFile(target, entry.path()))
                    return 1;
                ++findings;
            }
    }
    std::printf("fuzz_replay: %zu seeds and %zu findings replayed over %zu targets\n", seeds, findings,
                fuzz::targets().size());
    return 0;
}
