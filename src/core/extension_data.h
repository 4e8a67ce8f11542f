#pragma once
// ExtensionData() blocks of index.bdmv, MovieObject.bdmv and the PlayLists: kept whole, never
// interpreted; captioned, dumped, edited (first id), deleted and exchanged with .exd files.

#include "core/field_reader.h"
#include "core/read_result.h"
#include "core/section_writer.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mirtal::core {

struct TExtDataEntry {
    uint16_t id1 = 0;
    uint16_t id2 = 0;
    uint32_t startAddress = 0;    // counted from the start of the block
    uint32_t length = 0;
    bool operator==(const TExtDataEntry&) const = default;
};

struct TExtensionData {
    uint32_t length = 0;                    // bytes of the block after this field; 0: empty
    uint32_t dataBlockStartAddress = 0;     // counted from the start of the block
    uint8_t numberOfEntries = 0;
    std::vector<TExtDataEntry> entries;
    std::vector<uint8_t> data;              // every byte after the entry table, to the end of the file
    bool operator==(const TExtensionData&) const = default;
    [[nodiscard]] bool empty() const { return length == 0; }
};

// Reads a block at the reader's position; the data are all bytes left in the buffer.
[[nodiscard]] TExtensionData ReadExtensionData(FieldReader& in);
// The form of index.bdmv and MovieObject.bdmv: header and entries (12 + 12 × k bytes), then
// the data as held. An empty block still writes its 4-byte length and the 8 bytes that follow.
void writeExtensionData(SectionWriter& out, const TExtensionData& block);
// The PlayList form: the block made exactly length + 4 bytes (the header section padded with
// zeros up to where the data bytes start). A padding beyond any real block is not written.
void writeExtensionDataSized(SectionWriter& out, const TExtensionData& block);

// "None", or "1 entry, 40 bytes" / "3 entries, 200 bytes".
[[nodiscard]] std::string ExtDatCap(const TExtensionData& block);

// The dialog's summary line: "None" or "40 bytes, 1 entry" / "200 bytes, 3 entries".
[[nodiscard]] std::string extDatSummary(const TExtensionData& block);
// The entries grid: captions, then one row per entry ("000", ID1, ID2, start, length).
[[nodiscard]] std::array<std::string, 5> extDatEntryCaptions();
[[nodiscard]] std::vector<std::array<std::string, 5>> extDatEntryRows(const TExtensionData& block);
// A typed ID1 (hexadecimal, 16 bits kept); rows outside the table are ignored.
void setExtDatId1(TExtensionData& block, size_t entry, std::string_view typed);

// One line of the data dump: the address, 32 cells of " XX" or three blanks, the characters
// (bytes below 0x20 as ".", others as 8-bit characters given in UTF-8).
struct DumpLine {
    std::string address;
    std::string hexPart;
    std::string charPart;
};
// The dump of entry e; bytes the block does not hold are left blank, and the dump never runs
// past the data.
[[nodiscard]] std::vector<DumpLine> extDatDump(const TExtensionData& block, size_t entry);

// The .exd file: the block alone (length + 4 bytes when the data are complete).
[[nodiscard]] std::vector<uint8_t> exdFileBytes(const TExtensionData& block);
// The block of an .exd file; endedEarly when its entry table or data run past the bytes.
[[nodiscard]] ReadResult<TExtensionData> readExdFile(std::span<const uint8_t> bytes);

}  // namespace mirtal::core
