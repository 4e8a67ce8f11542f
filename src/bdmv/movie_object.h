#pragma once
// MovieObject.bdmv: the disc's HDMV programs.

#include "core/extension_data.h"
#include "core/read_result.h"
#include "core/report.h"
#include "hdmv/command.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mirtal::bdmv {

struct Tmobjects {
    uint8_t resume = 0;         // 0 discard, 1 suspend
    uint8_t menuCall = 0;       // 0 enable, 1 disable
    uint8_t titleSearch = 0;    // 0 enable, 1 disable
    uint16_t numberOfCommands = 0;
    hdmv::CommandList commands;    // exactly numberOfCommands entries
    bool operator==(const Tmobjects&) const = default;
};

constexpr uint32_t kMobj = 0x4D4F424A;    // "MOBJ"

struct TMovieObjectFile {
    uint32_t typeIndicator = kMobj;
    uint32_t version = 0x30323030;
    uint32_t extensionDataStartAddress = 0;    // 0: none
    std::array<uint8_t, 28> reserved{};
    uint32_t movieObjectsLength = 6;           // the bytes after this field up to the ExtensionData
    uint32_t reservedWord = 0;
    uint16_t numberOfMovieObjects = 0;
    std::vector<Tmobjects> objects;
    core::TExtensionData extensionData;
    bool operator==(const TMovieObjectFile&) const = default;
};

// FormatError: wrong type or version (the array stays empty); endedEarly: the file ended before
// its counts said, read up to there.
using MovieObjectRead = core::ReadResult<TMovieObjectFile>;

// Reads the bytes of MovieObject.bdmv with the opening sequence's log lines. A file that ends
// early stops at the end of a command or object; the rest stays zero.
[[nodiscard]] MovieObjectRead readMovieObjects(std::span<const uint8_t> bytes, core::Report& report);
// Empty, with the reason in problem (when given), when the ExtensionData start address points
// into the movie objects: the block would not stand where the address says.
[[nodiscard]] std::vector<uint8_t> writeMovieObjects(const TMovieObjectFile& file, std::string* problem = nullptr);

// The movie-objects grid.
[[nodiscard]] std::array<std::string, 5> objectCaptions();
// objline: the grid row of object i.
[[nodiscard]] std::array<std::string, 5> objline(const Tmobjects& object, size_t i);
[[nodiscard]] std::vector<std::array<std::string, 5>> objectRows(const TMovieObjectFile& file);

[[nodiscard]] std::string resumeText(uint8_t resume);    // "discard", "suspend"
[[nodiscard]] std::string maskText(uint8_t mask);        // "enable", "disable"

}  // namespace mirtal::bdmv
