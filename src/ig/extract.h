#pragma once
// Saving one PID of a clip's stream file as an elementary stream, a PES stream or a SUP file
// (each PES payload preceded by "PG", PTS and DTS relative to the first video PTS).

#include "core/report.h"
#include "ig/ts_reader.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace mirtal::ig {

enum class StreamKind { Video, Audio, PresentationGraphics, InteractiveGraphics, None };
enum class ExtractMode { Elementary, Pes, Sup };

// By the PID's high byte: 0x10 video, 0x11 audio, 0x12 PG, 0x14 IG.
[[nodiscard]] StreamKind kindOfPid(uint16_t pid);
// By the clip's stream coding type: video 0x02/0x1B/0xEA, audio 0x80-0x86/0xA1/0xA2, PG 0x90,
// IG 0x91.
[[nodiscard]] StreamKind kindOfCodingType(uint8_t codingType);
// The kind a PID is saved as: by the PID, but when the clip lists the PID (codingType given) the
// graphics kinds come from the coding type: 0x90 PG, 0x91 IG, and a graphics PID of another
// coding type has no kind.
[[nodiscard]] StreamKind kindOfStream(uint16_t pid, std::optional<uint8_t> codingType);

// SUP for IG, and for PG when saveSup; otherwise PES when savePes; otherwise elementary.
[[nodiscard]] ExtractMode extractMode(StreamKind kind, bool savePes, bool saveSup);
// clip + "_PID" + T + "." + extension, T = the PID, stream type and details cells joined with
// "_", blanks and ":" made "_", "," removed. Extension "sup", or "vis"/"aus"/"pgs"/"" preceded
// by "PES." in PES mode.
[[nodiscard]] std::string extractFileName(const std::string& clip, const std::array<std::string, 3>& rowCells,
                                          StreamKind kind, ExtractMode mode);

struct ExtractResult {
    bool ok = false;    // false: nothing was saved (the output could not be written, or no packet is on the PID; logged)
    bool cancelled = false;
    int64_t packetsRead = 0;
    int64_t packetsOnPid = 0;
    int64_t bytesWritten = 0;
};

// The run: reads source in chunks of 341 packets, writes to output (created or replaced), logs
// "Saving <name> ..." and the packet count or "Saving cancelled.". Cancel (report.cancelled())
// is polled at each PES start on the PID and at the end of each chunk, so a cancelled file ends
// with whole PES packets.
ExtractResult extractPid(ByteSource& source, uint16_t pid, ExtractMode mode, const std::filesystem::path& output,
                         core::Report& report);

}  // namespace mirtal::ig
