#pragma once
// Loading the IG stream of a clip: the PES payload of the PID goes through a 140,001-byte ring
// from which the segments (PDS, ODS, ICS, END) are cut; palette, object and composition bodies
// go to the scratch store, and the pages are parsed from the first composition.

#include "core/read_result.h"
#include "core/report.h"
#include "ig/ig.h"
#include "ig/ts_reader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mirtal::ig {

// The byte ring between the PES reader and the segment cutter. 140,001 bytes: every index wraps
// from 140,000 to 0, also inside a multi-byte value. Only bytes written are ever read (the cutter
// takes at most what is available), so the ring is not cleared first.
class SegmentRing {
public:
    static constexpr int32_t kSize = 140001;
    SegmentRing() : m_bytes(std::make_unique_for_overwrite<uint8_t[]>(kSize)) {}

    void write(std::span<const uint8_t> bytes);
    [[nodiscard]] int32_t available() const
    {
        const int32_t a = m_write - m_read;
        return a < 0 ? a + kSize : a;
    }
    uint8_t readByte();
    uint16_t readWord();
    uint32_t read3Byte();
    void skip(int32_t n);
    // Appends n bytes to out (two pieces when they wrap).
    void copy(int32_t n, std::vector<uint8_t>& out);
    [[nodiscard]] uint32_t writtenTotal() const { return m_written; }
    [[nodiscard]] uint32_t consumedTotal() const { return m_consumed; }

private:
    std::unique_ptr<uint8_t[]> m_bytes;
    int32_t m_write = 0;
    int32_t m_read = 0;
    uint32_t m_written = 0;
    uint32_t m_consumed = 0;
};

// The loaded menu. FormatError: not an IG PID (nothing is read); Truncated: the stream holds no
// composition (what it held is in the value, loaded); Cancelled: the value is empty.
using LoadResult = core::ReadResult<IgMenu>;

// Turns segment bodies into the menu model.
class SegmentDispatcher {
public:
    SegmentDispatcher(IgMenu& menu, core::Report& report) : m_menu(menu), m_report(report) {}
    // One segment; body holds its segment_length bytes (fewer for a stream that ends early).
    // Returns false when an END segment found the run cancelled.
    bool segment(uint8_t type, std::span<const uint8_t> body);

private:
    void palette(std::span<const uint8_t> body);
    void object(std::span<const uint8_t> body);
    void composition(std::span<const uint8_t> body);

    IgMenu& m_menu;
    core::Report& m_report;
};

// Parses the pages from the first composition (the composition fragments up to the first that
// ends a sequence) and builds the page-button arrays and the object index table. Entries that
// do not fit the indexed arrays are logged and left out.
void parsePages(IgMenu& menu, core::Report& report);

// The whole load. pid must be 0x1400..0x14FF and recordedSize above 0, else "Not an IGS"
// (error display) and nothing is read. streamName names the stream in the log and the status.
// The caller resets the registers afterwards, as the Menu tab does.
LoadResult loadIG(ByteSource& source, uint16_t pid, int64_t recordedSize, const std::string& streamName,
                  core::Report& report);
LoadResult loadIG(const std::filesystem::path& m2ts, uint16_t pid, core::Report& report);

}  // namespace mirtal::ig
