#pragma once
// Walking a clip's stream file: 192-byte source packets (4-byte header, 188-byte transport
// packet), the packets of one PID, the PES packets they carry and the payload bytes a consumer
// takes. Shared by the IG load and the PID extraction.

#include "core/page_buffer.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace mirtal::ig {

constexpr int kSourcePacketSize = 192;
constexpr uint16_t kNullPid = 0x1FFF;

[[nodiscard]] inline bool hasSync(const uint8_t* sp) { return sp[4] == 0x47; }
[[nodiscard]] inline uint16_t packetPid(const uint8_t* sp)
{
    return static_cast<uint16_t>(((sp[5] & 0x1F) << 8) | sp[6]);
}
[[nodiscard]] inline bool hasPayloadFlag(const uint8_t* sp) { return sp[7] & 0x10; }

// The payload: the last L bytes of the packet, L = 184, or 183 − adaptation_field_length with an
// adaptation field (a length above 183 leaves nothing).
struct Payload {
    const uint8_t* data = nullptr;
    int length = 0;
    // Byte i of the payload, 0 beyond its end (a short payload cannot hold a whole PES header).
    [[nodiscard]] uint8_t at(int i) const { return i < length ? data[i] : 0; }
};
[[nodiscard]] inline Payload payloadOf(const uint8_t* sp)
{
    int length = 184;
    if (sp[7] & 0x20)
        length = sp[8] > 183 ? 0 : 183 - sp[8];
    return {sp + kSourcePacketSize - length, length};
}

// Stream ids whose PES packets have no optional header: no bytes are taken from their start packet.
[[nodiscard]] bool isHeaderless(uint8_t streamId);
// The payload begins 00 00 01 with a stream_id above 0xB0.
[[nodiscard]] inline bool beginsPes(const Payload& p)
{
    return p.length >= 4 && p.data[0] == 0 && p.data[1] == 0 && p.data[2] == 1 && p.data[3] > 0xB0;
}
[[nodiscard]] inline uint16_t pesPacketLength(const Payload& p)
{
    return static_cast<uint16_t>((p.at(4) << 8) | p.at(5));
}
[[nodiscard]] inline uint8_t ptsDtsFlags(const Payload& p) { return p.at(7) >> 6; }
[[nodiscard]] inline int pesHeaderDataLength(const Payload& p) { return p.at(8); }
// The 33-bit time stamp at payload offset at (PTS at 9, DTS at 14), low 32 bits.
[[nodiscard]] uint32_t timeStampAt(const Payload& p, int at);

// The PES reassembly of the IG load: which payload bytes of the selected PID are taken.
class PesCollector {
public:
    // A start: fewer than 184 bytes still expected and the payload begins a PES packet. A packet
    // on which more is expected is a continuation whatever its payload holds.
    [[nodiscard]] bool isStart(const Payload& p) const { return m_remaining < 184 && beginsPes(p); }
    // The bytes taken from a packet on the PID that has a payload; start as isStart said.
    [[nodiscard]] std::span<const uint8_t> take(const Payload& p, bool start);
    [[nodiscard]] int32_t remaining() const { return m_remaining; }

private:
    int32_t m_remaining = 0;
};

// Where the packets come from: a file or bytes in memory. Reads are large blocks.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    [[nodiscard]] virtual int64_t size() const = 0;
    // Up to n bytes at the current position; fewer only at the end or on a read error.
    virtual size_t read(uint8_t* to, size_t n) = 0;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    [[nodiscard]] bool ok() const { return m_fd >= 0; }
    [[nodiscard]] const std::string& error() const { return m_error; }
    [[nodiscard]] int64_t size() const override { return m_size; }
    size_t read(uint8_t* to, size_t n) override;

private:
    int m_fd = -1;
    int64_t m_size = 0;
    std::string m_error;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
    [[nodiscard]] int64_t size() const override { return static_cast<int64_t>(m_bytes.size()); }
    size_t read(uint8_t* to, size_t n) override;

private:
    std::span<const uint8_t> m_bytes;
    size_t m_pos = 0;
};

// Reads whole source packets in chunks of chunkPackets (fewer when fewer remain), several chunks
// per system read. A trailing partial packet is never returned.
class ChunkReader {
public:
    ChunkReader(ByteSource& source, int chunkPackets, int chunksPerRead);
    // The next chunk; empty at the end.
    [[nodiscard]] std::span<const uint8_t> next();
    // Bytes of whole packets handed out so far.
    [[nodiscard]] int64_t position() const { return m_position; }
    [[nodiscard]] int64_t size() const { return m_size; }
    // True when the chunk last handed out was the last one.
    [[nodiscard]] bool atEnd() const { return m_size - m_position < kSourcePacketSize || m_sourceEnded; }

private:
    ByteSource& m_source;
    int64_t m_size;
    int64_t m_position = 0;
    size_t m_chunkBytes;
    core::PageBuffer m_block;
    size_t m_blockUsed = 0;
    size_t m_blockFill = 0;
    bool m_sourceEnded = false;
};

// Elapsed time of a run, for the progress line.
class RunClock {
public:
    RunClock() : m_start(std::chrono::steady_clock::now()) {}
    [[nodiscard]] double seconds() const;

private:
    std::chrono::steady_clock::time_point m_start;
};

// Seconds in the long time format: "0:00:00" (hours without a leading zero, wrapping at a day).
[[nodiscard]] std::string longTime(double seconds);
// "Packet: 12/345   Elapsed: 0:00:01   Remaining: 0:00:09".
[[nodiscard]] std::string progressLine(int64_t soFar, int64_t total, double elapsedSeconds,
                                       double fractionDone);

}  // namespace mirtal::ig
