#pragma once
// The menu commands' common first step: a clip's Interactive Graphics menu, loaded.

#include "core/report.h"
#include "ig/ig_load.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace mirtal::cli {

// Loads the IG stream on `pid` of clip `clip` (five digits) of the BDMV folder, with the load's
// log lines; a PID that carries no IG is said on standard error too. True when a menu was loaded.
bool loadClipMenu(const std::filesystem::path& bdmv, const std::string& clip, uint16_t pid, ig::IgMenu& menu,
                  core::Report& report);

}  // namespace mirtal::cli
