#pragma once
// Clip information files (CLIPINF/zzzzz.clpi): a viewer. The header is checked, a few ClipInfo and
// SequenceInfo values go to the log, and the streams of ProgramInfo are kept as numbers; the
// ProgramInfo grid's texts are made from them.

#include "bdmv/disc.h"
#include "core/read_result.h"
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

// One stream of ProgramInfo: its PID and what its StreamCodingInfo() carries for its coding
// type. Fields the coding type does not carry stay 0 (the language empty).
struct ProgramStream {
    uint16_t pid = 0;
    uint8_t codingType = 0;
    uint8_t videoFormat = 0;      // video coding types
    uint8_t frameRate = 0;
    uint8_t aspectRatio = 0;      // bits 7..4 of its byte; 2 is 4:3
    uint8_t audioFormat = 0;      // audio coding types
    uint8_t sampleRate = 0;
    uint8_t characterCode = 0;    // text subtitles
    std::string language;         // audio, PG, IG and text subtitles
    bool operator==(const ProgramStream&) const = default;
};

struct ClipInfo {
    std::string streamNameLabel;   // the stream file name, "N/A" or "-"
    std::string streamSizeLabel;   // grouped size, "empty" or ""
    bool igLoaderEnabled = false;  // the "->" button: the stream file has bytes
    std::vector<ProgramStream> streams;    // of the last program sequence; empty after an error
};
using ClipInfoView = ClipInfo;
// Not ok: the grid keeps its previous content (the labels are those of the clip read).
using ClipInfoRead = core::ReadResult<ClipInfo>;

// Reads the bytes of name + ".clpi" with the reader's log lines. stream is the clip's entry of
// the stream file list (nullopt: the clip has none). Never throws: a wrong type or version is
// "Invalid format: ", a start address or count the file cannot hold is "Truncated file: ".
[[nodiscard]] ClipInfoRead readClipInfo(std::span<const uint8_t> bytes, const std::string& name,
                                        const std::optional<bdmv::TAVStream>& stream, core::Report& report);
// Reads CLIPINF/name.clpi of a BDMV folder (found without regard to case).
[[nodiscard]] ClipInfoRead readClipInfoFile(const std::filesystem::path& bdmv, const std::string& name,
                                            const std::optional<bdmv::TAVStream>& stream, core::Report& report);
// The stream file entry of a clip: STREAM/name.m2ts with its size; an empty name when missing.
[[nodiscard]] bdmv::TAVStream streamFileOf(const std::filesystem::path& bdmv, const std::string& name);

// sgCI: "", "PID", "Stream type", "Details"; a row is the number from 1, the PID as 4 hexadecimal
// digits, the coding type name and the details of that coding type.
using ProgramInfoRow = std::array<std::string, 4>;
[[nodiscard]] ProgramInfoRow programInfoCaptions();
[[nodiscard]] ProgramInfoRow programInfoRow(const ProgramStream& s, size_t i);
[[nodiscard]] std::vector<ProgramInfoRow> programInfoRows(const ClipInfo& clip);
// The row (0-based) of the first stream with this PID; nullopt when the clip has none.
[[nodiscard]] std::optional<size_t> programRowOfPid(const ClipInfo& clip, uint16_t pid);

// Row click: the "->" button is enabled for a PID 0x1400-0x14FF of a clip whose stream has bytes.
[[nodiscard]] bool igLoaderEnabledForPid(uint16_t pid, int64_t streamSize);
[[nodiscard]] bool igLoaderEnabledForRow(const std::string& pidText, int64_t streamSize);
enum class ProgramRowAction { None, LoadMenu, OpenStream };
// Double click: PID 0x1400 (the text "1400") loads the menu; any other row opens a stream that
// has bytes.
[[nodiscard]] ProgramRowAction programStreamDoubleClick(uint16_t pid, int64_t streamSize);
[[nodiscard]] ProgramRowAction programRowDoubleClick(const std::string& pidText, int64_t streamSize);

}  // namespace mirtal::playlist
