#pragma once
// Clip information files (CLIPINF/zzzzz.clpi): a viewer. The header is checked, a few ClipInfo and
// SequenceInfo values go to the log, and the streams of ProgramInfo fill the ProgramInfo grid.

#include "bdmv/disc.h"
#include "core/report.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mirtal::playlist {

constexpr uint32_t kHdmv = 0x48444D56;    // "HDMV"

struct ClipInfoView {
    bool ok = false;               // false: the grid keeps its previous content
    std::string streamNameLabel;   // the stream file name, "N/A" or "-"
    std::string streamSizeLabel;   // grouped size, "empty" or ""
    bool igLoaderEnabled = false;  // the "->" button: the stream file has bytes
    std::vector<std::array<std::string, 4>> rows;    // "1", PID, stream type, details
    std::vector<uint16_t> pids;                      // the PID of each row
};

// Reads the bytes of name + ".clpi" with the reader's log lines. stream is the clip's entry of
// the stream file list (nullopt: the clip has none). Never throws: a wrong type or version is
// "Invalid format: ", a start address or count the file cannot hold is "Truncated file: ".
[[nodiscard]] ClipInfoView readClipInfo(std::span<const uint8_t> bytes, const std::string& name,
                                        const std::optional<bdmv::TAVStream>& stream, core::Report& report);
// Reads CLIPINF/name.clpi of a BDMV folder (found without regard to case).
[[nodiscard]] ClipInfoView readClipInfoFile(const std::filesystem::path& bdmv, const std::string& name,
                                            const std::optional<bdmv::TAVStream>& stream, core::Report& report);
// The stream file entry of a clip: STREAM/name.m2ts with its size; an empty name when missing.
[[nodiscard]] bdmv::TAVStream streamFileOf(const std::filesystem::path& bdmv, const std::string& name);

[[nodiscard]] std::array<std::string, 4> programInfoCaptions();    // "", "PID", "Stream type", "Details"

// Row click: the "->" button is enabled for a PID 0x1400-0x14FF of a clip whose stream has bytes.
[[nodiscard]] bool igLoaderEnabledForRow(const std::string& pidText, int64_t streamSize);
enum class ProgramRowAction { None, LoadMenu, OpenStream };
// Double click: the PID text "1400" loads the menu; any other row opens a stream that has bytes.
[[nodiscard]] ProgramRowAction programRowDoubleClick(const std::string& pidText, int64_t streamSize);

}  // namespace mirtal::playlist
