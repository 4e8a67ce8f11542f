#pragma once
// Walks the bytes of a .mpls file by its fixed layout, independently of the reader and writer
// under test: measures every section and record, compares with the stored lengths and start
// addresses, and marks the reserved bits that a writer gives back as zero.

#include <cstdint>
#include <string>
#include <vector>

namespace mirtal::support {

struct MplsLayout {
    bool complete = false;              // the walk reached the end of every section inside the file
    std::vector<std::string> mismatches;    // "PlayItem 0 length: stored 80, holds 82", ...
    // One mask byte per file byte: the bits that are reserved (header reserved bytes, reserved
    // bits of flag words, reserved bytes of STN tables, stream entries and attributes, the
    // byte after each reference count and the padding after odd counts, gaps between sections).
    std::vector<uint8_t> reservedBits;
};

[[nodiscard]] MplsLayout walkMpls(const std::vector<uint8_t>& bytes);

}  // namespace mirtal::support
