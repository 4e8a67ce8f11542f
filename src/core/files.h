#pragma once
// File access for the formats: whole-file reads with a size limit, saves that never leave a
// truncated file, and look-ups that ignore case as a disc copied from another system needs.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::core {

namespace fs = std::filesystem;

struct FileResult {
    bool ok = false;
    std::string error;    // the system's reason when not ok
};

// The structured disc files are small; anything larger than maxBytes is refused.
[[nodiscard]] FileResult readWholeFile(const fs::path& path, std::vector<uint8_t>& out,
                                       uint64_t maxBytes = 256u * 1024 * 1024);
// Writes to a temporary file in the same folder, flushes it and renames it over path.
// On failure the temporary file is removed and path is as it was.
[[nodiscard]] FileResult writeFileAtomic(const fs::path& path, const std::vector<uint8_t>& bytes);
// Writes bytes to a new temporary file beside path and returns its name (empty on failure).
[[nodiscard]] FileResult writeTempBeside(const fs::path& path, const std::vector<uint8_t>& bytes, fs::path& temp);

// The entry of dir whose name equals name without regard to case; an exact match wins.
[[nodiscard]] std::optional<fs::path> findNoCase(const fs::path& dir, const std::string& name);
// Names of the ordinary files in dir whose extension equals ext (with its dot) without regard
// to case, sorted by name; ext empty: every ordinary file.
[[nodiscard]] std::vector<std::string> listFilesNoCase(const fs::path& dir, const std::string& ext);

// The label of the filesystem mounted exactly at dir, upper-cased; empty when dir is not a
// mount point or its filesystem has no label.
[[nodiscard]] std::string volumeLabel(const fs::path& dir);
[[nodiscard]] fs::path temporaryFolder();

}  // namespace mirtal::core
