#pragma once
// The menu clips of the sample disc: STREAM/00010.m2ts (an IG menu on PID 0x1400: two pages,
// several BOGs, neighbours, animations, an auto-action button, SetButtonPage, EnableButton,
// DisableButton and Play PL commands) and STREAM/00011.m2ts (video on PID 0x1011, a PG stream
// on PID 0x1200).

#include <filesystem>

namespace mirtal::support {

void addSampleMenu(const std::filesystem::path& bdmvDir);

}  // namespace mirtal::support
