#include "cli/menu_access.h"

#include "bdmv/disc_path.h"

#include <cstdio>

namespace mirtal::cli {

bool loadClipMenu(const std::filesystem::path& bdmv, const std::string& clip, uint16_t pid, ig::IgMenu& menu,
                  core::Report& report)
{
    auto loaded = ig::loadIG(bdmv::discEntry(bdmv, "STREAM", clip + ".m2ts"), pid, report);
    menu = std::move(loaded.value);
    if (loaded.status == core::ReadStatus::FormatError)
        std::fprintf(stderr, "mirtal-cli: Not an IGS\n");
    // A stream without a composition shows what it held.
    return loaded.status != core::ReadStatus::FormatError && menu.loaded;
}

}  // namespace mirtal::cli
