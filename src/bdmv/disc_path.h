#pragma once
// Turning what a user names (the disc's root folder, its BDMV folder, or a file inside the
// BDMV folder) into the BDMV folder; and finding the disc's folders and files without regard
// to case, as a disc copied from another system may spell them.

#include <filesystem>
#include <optional>
#include <string>

namespace mirtal::bdmv {

namespace fs = std::filesystem;

// The BDMV folder for a path: a file gives its folder; a folder with a BDMV folder inside
// (any case) gives that one; any other folder is taken as the BDMV folder itself.
// nullopt when the path does not exist.
[[nodiscard]] std::optional<fs::path> resolveBdmvFolder(const std::string& path);

// bdmv / name, with name matched without regard to case; bdmv / name as spelt when nothing
// matches.
[[nodiscard]] fs::path discEntry(const fs::path& bdmv, const std::string& name);
// bdmv / folder / file, both matched without regard to case.
[[nodiscard]] fs::path discEntry(const fs::path& bdmv, const std::string& folder, const std::string& file);

}  // namespace mirtal::bdmv
