#include "cli/menu_access.h"

#include "bdmv/disc_path.h"

#include <cstdio>

namespace mirtal::cli {

bool loadClipMenu(const std::filesystem::path& bdmv, const std::string& clip, uint16_t pid, ig::IgMenu& menu,
                  core::Report& report)
{
    const auto loaded = ig::loadIG(bdmv::discEntry(bdmv, "STREAM", clip + ".m2ts"), pid, menu, report);
    if (loaded.status == ig::LoadStatus::NotIgs)
        std::fprintf(stderr, "mirtal-cli: Not an IGS\n");
    return loaded.status != ig::LoadStatus::NotIgs && menu.loaded;
}

}  // namespace mirtal::cli
