#include "core/extension_data.h"

#include "core/text.h"

#include <algorithm>
#include <cstring>

namespace mirtal::core {

TExtensionData ReadExtensionData(FieldReader& in)
{
    TExtensionData block;
    block.length = in.readlword();
    if (block.length == 0)
        return block;
    block.dataBlockStartAddress = in.readlword();
    in.readword();    // reserved
    in.readbyte();
    block.numberOfEntries = in.readbyte();
    block.entries.resize(block.numberOfEntries);
    for (auto& e : block.entries) {
        e.id1 = in.readword();
        e.id2 = in.readword();
        e.startAddress = in.readlword();
        e.length = in.readlword();
    }
    const auto rest = in.readbytes(static_cast<size_t>(in.remaining()));
    block.data.assign(rest.begin(), rest.end());
    return block;
}

namespace {

size_t headerSize(const TExtensionData& block)
{
    return 12 + 12 * block.entries.size();
}

void writeHeader(SectionWriter& out, const TExtensionData& block)
{
    out.writelong(block.length, 0);
    out.writelong(block.dataBlockStartAddress, 4);
    out.writeword(0, 8);
    out.writebyte(0, 10);
    out.writebyte(static_cast<uint32_t>(block.entries.size()), 11);
    for (size_t i = 0; i < block.entries.size(); ++i) {
        const auto& e = block.entries[i];
        const size_t at = 12 + 12 * i;
        out.writeword(e.id1, at);
        out.writeword(e.id2, at + 2);
        out.writelong(e.startAddress, at + 4);
        out.writelong(e.length, at + 8);
    }
}

}  // namespace

void writeExtensionData(SectionWriter& out, const TExtensionData& block)
{
    out.setSize(headerSize(block));
    writeHeader(out, block);
    out.append();
    out.appendRaw(block.data);
}

void writeExtensionDataSized(SectionWriter& out, const TExtensionData& block)
{
    const uint64_t declared = uint64_t{block.length} + 4;
    const uint64_t header = headerSize(block);
    uint64_t section = declared > block.data.size() ? declared - block.data.size() : 0;
    // The data were read to the end of the file, so a declared length beyond them is a damaged
    // block: write what is held instead of megabytes of zeros.
    if (section > header + 65536)
        section = header;
    out.setSize(static_cast<size_t>(std::max(section, header)));
    writeHeader(out, block);
    out.append();
    out.appendRaw(block.data);
}

std::string ExtDatCap(const TExtensionData& block)
{
    const size_t k = block.numberOfEntries;
    if (k == 0)
        return "None";
    return std::to_string(k) + (k == 1 ? " entry, " : " entries, ") + std::to_string(uint64_t{block.length} + 4) +
           " bytes";
}

std::string extDatSummary(const TExtensionData& block)
{
    if (block.length == 0)
        return "None";
    const size_t k = block.numberOfEntries;
    return std::to_string(uint64_t{block.length} + 4) + " bytes, " + std::to_string(k) + " entr" +
           (k < 2 ? "y" : "ies");
}

std::array<std::string, 5> extDatEntryCaptions()
{
    return {"", "ID1", "ID2", "start", "length"};
}

std::vector<std::array<std::string, 5>> extDatEntryRows(const TExtensionData& block)
{
    std::vector<std::array<std::string, 5>> rows;
    for (size_t i = 0; i < block.entries.size(); ++i) {
        const auto& e = block.entries[i];
        rows.push_back({padded(static_cast<int64_t>(i), 3), hex(e.id1, 4), hex(e.id2, 4), hex(e.startAddress, 8),
                        hex(e.length, 8)});
    }
    return rows;
}

void setExtDatId1(TExtensionData& block, size_t entry, std::string_view typed)
{
    if (entry < block.entries.size())
        block.entries[entry].id1 = static_cast<uint16_t>(hexToNumber(typed) & 0xFFFF);
}

std::vector<DumpLine> extDatDump(const TExtensionData& block, size_t entry)
{
    std::vector<DumpLine> lines;
    if (entry >= block.entries.size())
        return lines;
    const auto& e = block.entries[entry];
    const int64_t offset = int64_t{e.startAddress} - int64_t{block.dataBlockStartAddress};
    const int64_t held = offset < 0 ? 0 : std::max<int64_t>(0, static_cast<int64_t>(block.data.size()) - offset);
    const int64_t shown = std::min<int64_t>(e.length, held);
    for (int64_t j = 0; j == 0 || 32 * j < shown; ++j) {
        DumpLine line;
        line.address = " " + hex(uint64_t{e.startAddress} + 32 * static_cast<uint64_t>(j), 4);
        // 32 bytes a line: " HH" each in the hex part, one Latin-1 character (UTF-8) each after a blank.
        char hexPart[32 * 3];
        char charPart[1 + 32 * 2];
        char* h = hexPart;
        char* c = charPart;
        *c++ = ' ';
        const int64_t first = 32 * j;
        const int64_t n = std::clamp<int64_t>(shown - first, 0, 32);
        const uint8_t* bytes = block.data.data() + (n > 0 ? offset + first : 0);
        static constexpr char kDigits[] = "0123456789ABCDEF";
        for (int64_t p = 0; p < n; ++p) {
            const uint8_t byte = bytes[p];
            h[0] = ' ';
            h[1] = kDigits[byte >> 4];
            h[2] = kDigits[byte & 0xF];
            h += 3;
            if (byte < 0x20) {
                *c++ = '.';
            } else if (byte < 0x80) {
                *c++ = static_cast<char>(byte);
            } else {
                *c++ = static_cast<char>(0xC0 | (byte >> 6));
                *c++ = static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        std::memset(h, ' ', static_cast<size_t>(32 - n) * 3);
        line.hexPart.assign(hexPart, sizeof hexPart);
        line.charPart.assign(charPart, static_cast<size_t>(c - charPart));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<uint8_t> exdFileBytes(const TExtensionData& block)
{
    SectionWriter out;
    out.setSize(headerSize(block));
    writeHeader(out, block);
    out.append();
    const int64_t want = int64_t{block.length} - 8 - 12 * static_cast<int64_t>(block.entries.size());
    const size_t n = static_cast<size_t>(std::clamp<int64_t>(want, 0, static_cast<int64_t>(block.data.size())));
    out.appendRaw(std::span<const uint8_t>(block.data).first(n));
    return out.take();
}

ReadResult<TExtensionData> readExdFile(std::span<const uint8_t> bytes)
{
    FieldReader in(bytes);
    ReadResult<TExtensionData> r;
    r.value = ReadExtensionData(in);
    r.status = ReadStatus::Ok;
    r.endedEarly = in.overrun();
    r.stopPosition = in.position();
    return r;
}

}  // namespace mirtal::core
