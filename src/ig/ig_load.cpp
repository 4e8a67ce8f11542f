#include "ig/ig_load.h"

#include "core/field_reader.h"
#include "core/text.h"

#include <algorithm>

namespace mirtal::ig {

void SegmentRing::write(std::span<const uint8_t> bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t piece = std::min(bytes.size() - done, static_cast<size_t>(kSize - m_write));
        std::copy_n(bytes.data() + done, piece, m_bytes.get() + m_write);
        done += piece;
        m_write = static_cast<int32_t>((m_write + piece) % kSize);
    }
    m_written += static_cast<uint32_t>(bytes.size());
}

uint8_t SegmentRing::readByte()
{
    const uint8_t v = m_bytes[m_read];
    m_read = m_read == kSize - 1 ? 0 : m_read + 1;
    return v;
}

uint16_t SegmentRing::readWord()
{
    const uint16_t hi = readByte();
    return static_cast<uint16_t>((hi << 8) | readByte());
}

uint32_t SegmentRing::read3Byte()
{
    const uint32_t hi = readWord();
    return (hi << 8) | readByte();
}

void SegmentRing::skip(int32_t n)
{
    m_read = (m_read + n % kSize) % kSize;
    m_consumed += static_cast<uint32_t>(n);
}

void SegmentRing::copy(int32_t n, std::vector<uint8_t>& out)
{
    const int32_t first = std::min(n, kSize - m_read);
    const uint8_t* bytes = m_bytes.get();
    out.insert(out.end(), bytes + m_read, bytes + m_read + first);
    if (n > first)
        out.insert(out.end(), bytes, bytes + (n - first));
    m_read = (m_read + n) % kSize;
    m_consumed += static_cast<uint32_t>(n);
}

bool SegmentDispatcher::segment(uint8_t type, std::span<const uint8_t> body)
{
    switch (type) {
    case 0x14: palette(body); break;
    case 0x15: object(body); break;
    case 0x18: composition(body); break;
    case 0x80: return !m_report.cancelled();
    default: break;
    }
    return true;
}

void SegmentDispatcher::palette(std::span<const uint8_t> body)
{
    core::FieldReader in(body);
    TPalette p;
    p.paletteId = in.readbyte();
    p.version = in.readbyte();
    const auto entries = body.size() > 2 ? body.subspan(2) : std::span<const uint8_t>{};
    p.dataLength = static_cast<uint16_t>(entries.size());
    p.scratchPos = m_menu.scratch->append(entries);
    m_menu.palettes.push_back(p);
}

void SegmentDispatcher::object(std::span<const uint8_t> body)
{
    core::FieldReader in(body);
    const uint16_t id = in.readword();
    // Only the last object is compared: an ODS for an earlier id starts a new entry.
    if (m_menu.objects.empty() || m_menu.objects.back().objectId != id) {
        m_menu.objects.emplace_back();
        m_menu.objects.back().objectId = id;
    }
    TIGobject& obj = m_menu.objects.back();
    TFragment f;
    f.version = in.readbyte();
    f.sequenceFlags = in.readbyte() >> 6;
    size_t header = 4;
    if (f.sequenceFlags & 2) {
        obj.dataLength = in.read3byte();
        obj.width = in.readword();
        obj.height = in.readword();
        header = 11;
    }
    const auto data = body.size() > header ? body.subspan(header) : std::span<const uint8_t>{};
    f.dataLength = static_cast<int64_t>(data.size());
    f.scratchPos = m_menu.scratch->append(data);
    obj.fragments.push_back(f);
}

void SegmentDispatcher::composition(std::span<const uint8_t> body)
{
    core::FieldReader in(body);
    TIGSc& c = m_menu.ics;
    c.videoWidth = in.readword();
    c.videoHeight = in.readword();
    c.frameRateId = in.readbyte() >> 4;
    c.compositionNumber = in.readword();
    c.compositionState = in.readbyte() >> 6;
    TFragment f;
    f.sequenceFlags = in.readbyte() >> 6;
    size_t header = 9;
    if (f.sequenceFlags & 2) {
        c.compositionDataLength = in.read3byte();
        c.modelFlags = in.readbyte();
        header += 4;
        if (!(c.modelFlags & 0x80)) {
            in.skip(10);    // composition and selection time-out PTS
            header += 10;
        }
        c.userTimeOut = in.read3byte();
        c.numberOfPages = in.readbyte();
        header += 4;
        c.pages.assign(c.numberOfPages, TPage{});
        c.pageButtons.assign(c.numberOfPages, TPageButton{});
    }
    const auto data = body.size() > header ? body.subspan(header) : std::span<const uint8_t>{};
    f.dataLength = static_cast<int64_t>(data.size());
    f.scratchPos = m_menu.scratch->append(data);
    c.fragments.push_back(f);
}

LoadResult loadIG(ByteSource& source, uint16_t pid, int64_t recordedSize, const std::string& streamName,
                  core::Report& report)
{
    const RunClock clock;
    LoadResult result;
    IgMenu& menu = result.value;
    menu.streamName = streamName;
    if (pid < 0x1400 || pid > 0x14FF || recordedSize <= 0) {
        report.erslog("Not an IGS");
        result.status = core::ReadStatus::FormatError;
        return result;
    }
    report.progress(0, 100);
    report.clearCancel();
    report.slog("Reading " + streamName, 0);
    report.slog("", 1);
    menu.scratch = std::make_shared<Scratch>();
    if (!menu.scratch->ok()) {
        report.erlog("Cannot create the scratch file for " + streamName + ".");
        result.status = core::ReadStatus::FileError;
        return result;
    }

    SegmentRing ring;
    PesCollector pes;
    SegmentDispatcher dispatcher(menu, report);
    ChunkReader chunks(source, 729, 30);    // 729 packets a chunk, about 4 MiB a read
    std::vector<uint8_t> body;
    body.reserve(65535);
    bool cancelled = false;

    // Cuts one segment: its 3-byte header, then exactly segment_length bytes (what is left when
    // the stream ends inside the segment). False when an END segment found the run cancelled.
    const auto cut = [&]() {
        const uint8_t type = ring.readByte();
        const uint16_t length = ring.readWord();
        const int32_t n = std::min<int32_t>(length, ring.available());
        body.clear();
        ring.copy(n, body);
        if (n < length)
            report.erlog("The IG stream of " + streamName + " ends inside a segment (type 0x" + core::hex(type, 2) +
                         ", " + std::to_string(n) + " of " + std::to_string(length) + " bytes).");
        return dispatcher.segment(type, body);
    };

    while (!cancelled) {
        const auto chunk = chunks.next();
        if (chunk.empty())
            break;
        for (size_t off = 0; off + kSourcePacketSize <= chunk.size(); off += kSourcePacketSize) {
            const uint8_t* sp = chunk.data() + off;
            if (!hasSync(sp))
                break;    // the rest of the chunk is abandoned
            if (packetPid(sp) == pid) {
                if (hasPayloadFlag(sp)) {
                    const Payload p = payloadOf(sp);
                    const bool start = pes.isStart(p);
                    if (start && report.cancelled()) {
                        cancelled = true;
                        break;
                    }
                    const auto taken = pes.take(p, start);
                    if (!taken.empty())
                        ring.write(taken);
                }
                while (ring.available() > 65541)
                    if (!cut()) {
                        cancelled = true;
                        break;
                    }
                if (cancelled)
                    break;
            }
            if (report.cancelled()) {
                cancelled = true;
                break;
            }
        }
        const double fraction = chunks.size() > 0 ? static_cast<double>(chunks.position()) / chunks.size() : 1;
        report.slog(progressLine(chunks.position() / kSourcePacketSize, chunks.size() / kSourcePacketSize,
                                 clock.seconds(), fraction),
                    1);
        report.progress(chunks.size() > 0 ? chunks.position() * 80 / chunks.size() : 80, 100);
    }
    // Final drain: everything left is cut.
    while (!cancelled && ring.available() >= 3)
        if (!cut())
            cancelled = true;
    if (!cancelled && ring.available() > 0)
        report.erlog("The IG stream of " + streamName + " ends inside a segment header.");

    if (cancelled) {
        report.log("Reading cancelled.");
        menu = IgMenu{};
        result.status = core::ReadStatus::Cancelled;
        return result;
    }

    parsePages(menu, report);
    menu.loaded = true;
    result.status = menu.ics.fragments.empty() ? core::ReadStatus::Truncated : core::ReadStatus::Ok;
    result.stopPosition = static_cast<uint64_t>(chunks.position());
    report.slog("Ready.", 0);
    report.slog("", 1);
    report.log2(streamName + " loaded. (" + longTime(clock.seconds()) + ")");
    return result;
}

LoadResult loadIG(const std::filesystem::path& m2ts, uint16_t pid, core::Report& report)
{
    FileSource source(m2ts);
    if (!source.ok()) {
        report.erlog("Cannot open " + m2ts.string() + ": " + source.error());
        LoadResult failed;
        failed.status = core::ReadStatus::FileError;
        return failed;
    }
    return loadIG(source, pid, source.size(), m2ts.filename().string(), report);
}

}  // namespace mirtal::ig
