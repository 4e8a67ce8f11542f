// Writes a benchmark disc: DIR/BDMV with a database, CLIPINF/00001.clpi and STREAM/00001.m2ts of
// the requested size: a dense video PID 0x1011, an audio PID 0x1100, a sparse PG PID 0x1200 (a
// display set every two seconds) and a sparse IG PID 0x1400 (the menu repeated every ten
// seconds), with PAT/PMT and PCR. The video and audio elementary streams are taken from files
// when given (H.264 Annex B with access-unit delimiters, AC-3), looped; otherwise synthetic
// frames of the same shape are used. The stream is written in 4 MiB blocks.
//
// usage: ig_gen_m2ts DIR SIZE_MIB [--video FILE.h264] [--audio FILE.ac3]

#include "support/disc_builder.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void u8(Bytes& b, uint32_t v) { b.push_back(static_cast<uint8_t>(v)); }
void u16(Bytes& b, uint32_t v) { u8(b, v >> 8); u8(b, v); }
void u24(Bytes& b, uint32_t v) { u8(b, v >> 16); u16(b, v); }
void u32(Bytes& b, uint32_t v) { u16(b, v >> 16); u16(b, v); }

uint32_t crc32Mpeg(const uint8_t* p, size_t n)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= static_cast<uint32_t>(p[i]) << 24;
        for (int k = 0; k < 8; ++k)
            crc = (crc & 0x80000000) ? (crc << 1) ^ 0x04C11DB7 : crc << 1;
    }
    return crc;
}

class Writer {
public:
    explicit Writer(const fs::path& p) : m_f(std::fopen(p.c_str(), "wb")) { m_buf.reserve(kBlock + 192); }
    ~Writer() { flush(); if (m_f) std::fclose(m_f); }
    [[nodiscard]] bool ok() const { return m_f != nullptr; }
    [[nodiscard]] uint64_t bytes() const { return m_total; }

    // One 188-byte TS packet with its 4-byte arrival header.
    void packet(const uint8_t* ts188)
    {
        const uint32_t ats = static_cast<uint32_t>((m_total / 192) * 600) & 0x3FFFFFFF;
        const uint8_t h[4] = {static_cast<uint8_t>(ats >> 24), static_cast<uint8_t>(ats >> 16),
                              static_cast<uint8_t>(ats >> 8), static_cast<uint8_t>(ats)};
        m_buf.insert(m_buf.end(), h, h + 4);
        m_buf.insert(m_buf.end(), ts188, ts188 + 188);
        m_total += 192;
        if (m_buf.size() >= kBlock)
            flush();
    }
    void flush()
    {
        if (m_f && !m_buf.empty())
            std::fwrite(m_buf.data(), 1, m_buf.size(), m_f);
        m_buf.clear();
    }

private:
    static constexpr size_t kBlock = 4 * 1024 * 1024;
    std::FILE* m_f;
    Bytes m_buf;
    uint64_t m_total = 0;
};

class Muxer {
public:
    explicit Muxer(Writer& w) : m_w(w) {}

    // A PES packet split over TS packets; pcr (27 MHz) in the first packet's adaptation field when >= 0.
    void pes(uint16_t pid, uint8_t streamId, const uint8_t* data, size_t n, int64_t pts, int64_t dts, int64_t pcr)
    {
        Bytes p = {0, 0, 1, streamId, 0, 0, 0x81, 0, 0};
        if (pts >= 0) {
            const bool both = dts >= 0 && dts != pts;
            p[7] = both ? 0xC0 : 0x80;
            timeStamp(p, both ? 3 : 2, static_cast<uint64_t>(pts));
            if (both)
                timeStamp(p, 1, static_cast<uint64_t>(dts));
        }
        p[8] = static_cast<uint8_t>(p.size() - 9);
        p.insert(p.end(), data, data + n);
        const size_t len = p.size() - 6;
        p[4] = static_cast<uint8_t>(len >> 8);
        p[5] = static_cast<uint8_t>(len);
        send(pid, p.data(), p.size(), pcr);
    }
    // A PSI section on pid (pointer field 0).
    void section(uint16_t pid, const Bytes& s)
    {
        Bytes p = {0};
        p.insert(p.end(), s.begin(), s.end());
        send(pid, p.data(), p.size(), -1);
    }
    void nullPacket()
    {
        uint8_t t[188];
        std::memset(t, 0xFF, sizeof t);
        t[0] = 0x47;
        t[1] = 0x1F;
        t[2] = 0xFF;
        t[3] = 0x10;
        m_w.packet(t);
    }

private:
    static void timeStamp(Bytes& b, uint8_t prefix, uint64_t ts)
    {
        u8(b, (prefix << 4) | (((ts >> 30) & 7) << 1) | 1);
        u8(b, ts >> 22);
        u8(b, (((ts >> 15) & 0x7F) << 1) | 1);
        u8(b, ts >> 7);
        u8(b, ((ts & 0x7F) << 1) | 1);
    }
    void send(uint16_t pid, const uint8_t* d, size_t n, int64_t pcr)
    {
        size_t at = 0;
        bool first = true;
        uint8_t& cc = m_cc[pid];
        while (at < n) {
            uint8_t t[188];
            t[0] = 0x47;
            t[1] = static_cast<uint8_t>((first ? 0x40 : 0) | (pid >> 8));
            t[2] = static_cast<uint8_t>(pid);
            const bool withPcr = first && pcr >= 0;
            const size_t room = withPcr ? 176 : 184;
            const size_t take = std::min(room, n - at);
            size_t pos = 4;
            if (withPcr || take < 184) {
                t[3] = static_cast<uint8_t>(0x30 | (cc & 0xF));
                const size_t afl = 183 - take;
                t[pos++] = static_cast<uint8_t>(afl);
                if (afl > 0) {
                    std::memset(t + pos, 0xFF, afl);
                    t[pos] = withPcr ? 0x10 : 0x00;
                    if (withPcr) {
                        const uint64_t base = static_cast<uint64_t>(pcr) / 300;
                        const uint32_t ext = static_cast<uint32_t>(static_cast<uint64_t>(pcr) % 300);
                        t[pos + 1] = static_cast<uint8_t>(base >> 25);
                        t[pos + 2] = static_cast<uint8_t>(base >> 17);
                        t[pos + 3] = static_cast<uint8_t>(base >> 9);
                        t[pos + 4] = static_cast<uint8_t>(base >> 1);
                        t[pos + 5] = static_cast<uint8_t>(((base & 1) << 7) | 0x7E | (ext >> 8));
                        t[pos + 6] = static_cast<uint8_t>(ext);
                    }
                    pos += afl;
                }
            } else {
                t[3] = static_cast<uint8_t>(0x10 | (cc & 0xF));
            }
            std::memcpy(t + pos, d + at, take);
            cc = static_cast<uint8_t>(cc + 1);
            m_w.packet(t);
            at += take;
            first = false;
        }
    }

    Writer& m_w;
    uint8_t m_cc[0x2000] = {};
};

Bytes psiSection(uint8_t tableId, uint16_t idExt, const Bytes& body)
{
    Bytes s;
    u8(s, tableId);
    u16(s, 0xB000 | (body.size() + 9));
    u16(s, idExt);
    u8(s, 0xC1);
    u8(s, 0);
    u8(s, 0);
    s.insert(s.end(), body.begin(), body.end());
    u32(s, crc32Mpeg(s.data(), s.size()));
    return s;
}

Bytes pat()
{
    Bytes b;
    u16(b, 1);
    u16(b, 0xE000 | 0x0100);
    return psiSection(0x00, 1, b);
}

Bytes pmt()
{
    Bytes b;
    u16(b, 0xE000 | 0x1011);    // PCR PID
    u16(b, 0xF000 | 6);
    b.insert(b.end(), {0x05, 0x04, 'H', 'D', 'M', 'V'});
    const std::pair<uint8_t, uint16_t> streams[] = {{0x1B, 0x1011}, {0x81, 0x1100}, {0x90, 0x1200}, {0x91, 0x1400}};
    for (const auto& [type, pid] : streams) {
        u8(b, type);
        u16(b, 0xE000 | pid);
        u16(b, 0xF000);
    }
    return psiSection(0x02, 1, b);
}

Bytes segment(uint8_t type, const Bytes& body)
{
    Bytes s;
    u8(s, type);
    u16(s, static_cast<uint32_t>(body.size()));
    s.insert(s.end(), body.begin(), body.end());
    return s;
}

// A w x h object: horizontal bands of colours 1..3 with a transparent border.
Bytes rleObject(int w, int h)
{
    Bytes r;
    for (int y = 0; y < h; ++y) {
        const uint8_t c = static_cast<uint8_t>(1 + (y / 8) % 3);
        r.insert(r.end(), {0x00, 0x02});                          // 2 pixels of 0
        u8(r, 0);
        u8(r, 0xC0 | ((w - 4) >> 8));
        u8(r, (w - 4) & 0xFF);
        u8(r, c);                                                  // w-4 pixels of c
        r.insert(r.end(), {0x00, 0x02, 0x00, 0x00});               // 2 of 0, end of line
    }
    return r;
}

Bytes pds(uint8_t id)
{
    Bytes b = {id, 0};
    const uint8_t entries[4][5] = {{0, 16, 128, 128, 0}, {1, 235, 128, 128, 255}, {2, 81, 240, 90, 255}, {3, 145, 54, 34, 255}};
    for (const auto& e : entries)
        b.insert(b.end(), e, e + 5);
    return segment(0x14, b);
}

Bytes ods(uint16_t id, int w, int h)
{
    const Bytes rle = rleObject(w, h);
    Bytes b;
    u16(b, id);
    u8(b, 0);
    u8(b, 0xC0);
    u24(b, static_cast<uint32_t>(rle.size() + 4));
    u16(b, w);
    u16(b, h);
    b.insert(b.end(), rle.begin(), rle.end());
    return segment(0x15, b);
}

// An in-mux menu: one page, two BOGs of one button each, objects 0..3.
Bytes ics()
{
    Bytes ic;
    u8(ic, 0x80);       // stream_model 1
    u24(ic, 0);         // user time-out
    u8(ic, 1);          // pages
    u8(ic, 0); u8(ic, 0); u32(ic, 0); u32(ic, 0);
    u8(ic, 0); u8(ic, 0);    // in effects
    u8(ic, 0); u8(ic, 0);    // out effects
    u8(ic, 0); u16(ic, 0); u16(ic, 0xFFFF); u8(ic, 0);
    u8(ic, 2);
    for (int g = 0; g < 2; ++g) {
        u16(ic, g);
        u8(ic, 1);
        u16(ic, g); u16(ic, 0xFFFF); u8(ic, 0); u16(ic, 200); u16(ic, 200 + 150 * g);
        u16(ic, 1 - g); u16(ic, 1 - g); u16(ic, g); u16(ic, g);
        u16(ic, 2 * g); u16(ic, 2 * g); u8(ic, 0); u8(ic, 0xFF); u16(ic, 2 * g + 1); u16(ic, 2 * g + 1); u8(ic, 0);
        u8(ic, 0xFF); u16(ic, 2 * g + 1); u16(ic, 2 * g + 1);
        u16(ic, 1);
        u32(ic, 0x22000000); u32(ic, static_cast<uint32_t>(g)); u32(ic, 0);
    }
    Bytes b;
    u16(b, 1920); u16(b, 1080); u8(b, 0x10); u16(b, 0); u8(b, 0x80); u8(b, 0xC0);
    u24(b, static_cast<uint32_t>(ic.size()));
    b.insert(b.end(), ic.begin(), ic.end());
    return segment(0x18, b);
}

// A PG display set: PCS, WDS, PDS, ODS, END.
std::vector<Bytes> pgDisplaySet(uint16_t number)
{
    Bytes pcs;
    u16(pcs, 1920); u16(pcs, 1080); u8(pcs, 0x10); u16(pcs, number); u8(pcs, 0x80); u8(pcs, 0); u8(pcs, 0);
    u8(pcs, 1); u16(pcs, 0); u8(pcs, 0); u8(pcs, 0); u16(pcs, 560); u16(pcs, 900);
    Bytes wds;
    u8(wds, 1); u8(wds, 0); u16(wds, 560); u16(wds, 900); u16(wds, 800); u16(wds, 100);
    return {segment(0x16, pcs), segment(0x17, wds), pds(0), ods(0, 800, 100), segment(0x80, {})};
}

Bytes readFile(const std::string& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Access units of an Annex B stream, cut before each access-unit delimiter.
std::vector<std::pair<size_t, size_t>> accessUnits(const Bytes& es)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i + 4 < es.size(); ++i)
        if (es[i] == 0 && es[i + 1] == 0 && es[i + 2] == 1 && (es[i + 3] & 0x1F) == 9)
            starts.push_back(i > 0 && es[i - 1] == 0 ? i - 1 : i);
    if (starts.empty() || starts[0] != 0)
        starts.insert(starts.begin(), 0);
    std::vector<std::pair<size_t, size_t>> out;
    for (size_t k = 0; k < starts.size(); ++k)
        out.emplace_back(starts[k], (k + 1 < starts.size() ? starts[k + 1] : es.size()) - starts[k]);
    return out;
}

// AC-3 frames: sync word 0B 77, frame size from frmsizecod (48 kHz).
std::vector<std::pair<size_t, size_t>> ac3Frames(const Bytes& es)
{
    static const int words48[38] = {64, 64, 80, 80, 96, 96, 112, 112, 128, 128, 160, 160, 192, 192,
                                    224, 224, 256, 256, 320, 320, 384, 384, 448, 448, 512, 512, 640, 640,
                                    768, 768, 896, 896, 1024, 1024, 1152, 1152, 1280, 1280};
    std::vector<std::pair<size_t, size_t>> out;
    size_t i = 0;
    while (i + 5 < es.size() && es[i] == 0x0B && es[i + 1] == 0x77) {
        const int code = es[i + 4] & 0x3F;
        if (code >= 38)
            break;
        const size_t n = static_cast<size_t>(words48[code]) * 2;
        if (i + n > es.size())
            break;
        out.emplace_back(i, n);
        i += n;
    }
    return out;
}

Bytes clpi()
{
    // Header, ClipInfo, SequenceInfo, ProgramInfo with the four streams, empty CPI and ClipMark.
    Bytes clip;
    u32(clip, 0); u16(clip, 0); u8(clip, 1); u8(clip, 1); u32(clip, 0); u32(clip, 48000000); u32(clip, 0);
    clip.insert(clip.end(), 128, 0);
    u16(clip, 30); u8(clip, 0x80); clip.insert(clip.end(), {'H', 'D', 'M', 'V'}); clip.insert(clip.end(), 25, 0);
    clip[0] = 0; clip[3] = static_cast<uint8_t>(clip.size() - 4);
    Bytes seq;
    u32(seq, 0); u8(seq, 0); u8(seq, 1); u32(seq, 0); u8(seq, 1); u8(seq, 0);
    u16(seq, 0x1011); u32(seq, 0); u32(seq, 0); u32(seq, 0xFFFFFFFF);
    seq[3] = static_cast<uint8_t>(seq.size() - 4);
    Bytes prog;
    u32(prog, 0); u8(prog, 0); u8(prog, 1); u32(prog, 0); u16(prog, 0x0100); u8(prog, 4); u8(prog, 0);
    auto lang = [](Bytes& b) { b.insert(b.end(), {'e', 'n', 'g'}); };
    u16(prog, 0x1011); u8(prog, 21); u8(prog, 0x1B); u8(prog, 0x61); u8(prog, 0x30); prog.insert(prog.end(), 18, 0);
    u16(prog, 0x1100); u8(prog, 21); u8(prog, 0x81); u8(prog, 0x31); lang(prog); prog.insert(prog.end(), 16, 0);
    u16(prog, 0x1200); u8(prog, 21); u8(prog, 0x90); lang(prog); prog.insert(prog.end(), 17, 0);
    u16(prog, 0x1400); u8(prog, 21); u8(prog, 0x91); lang(prog); prog.insert(prog.end(), 17, 0);
    prog[3] = static_cast<uint8_t>(prog.size() - 4);
    Bytes f;
    f.insert(f.end(), {'H', 'D', 'M', 'V', '0', '2', '0', '0'});
    const uint32_t seqAt = static_cast<uint32_t>(40 + clip.size());
    const uint32_t progAt = seqAt + static_cast<uint32_t>(seq.size());
    const uint32_t cpiAt = progAt + static_cast<uint32_t>(prog.size());
    u32(f, seqAt); u32(f, progAt); u32(f, cpiAt); u32(f, cpiAt + 4); u32(f, 0);
    f.insert(f.end(), 12, 0);
    f.insert(f.end(), clip.begin(), clip.end());
    f.insert(f.end(), seq.begin(), seq.end());
    f.insert(f.end(), prog.begin(), prog.end());
    u32(f, 0);    // CPI
    u32(f, 0);    // ClipMark
    return f;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: ig_gen_m2ts DIR SIZE_MIB [--video FILE.h264] [--audio FILE.ac3]\n");
        return 2;
    }
    const fs::path dir = argv[1];
    const uint64_t target = std::stoull(argv[2]) * 1024 * 1024;
    Bytes video, audio;
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--video")
            video = readFile(argv[i + 1]);
        else if (std::string(argv[i]) == "--audio")
            audio = readFile(argv[i + 1]);
    }
    std::mt19937 rng(1);
    if (video.empty()) {
        // Synthetic access units: delimiter, then a filler NAL of 60-120 KB of noise.
        for (int k = 0; k < 48; ++k) {
            const Bytes head = {0, 0, 0, 1, 0x09, 0xF0, 0, 0, 0, 1, 0x0C};
            video.insert(video.end(), head.begin(), head.end());
            const size_t n = 60000 + rng() % 60000;
            for (size_t i = 0; i < n; ++i)
                video.push_back(static_cast<uint8_t>(1 + rng() % 255));
        }
    }
    if (audio.empty()) {
        for (int k = 0; k < 32; ++k) {
            Bytes fr(1792, 0);
            fr[0] = 0x0B; fr[1] = 0x77; fr[4] = 0x1C;    // 448 kbit/s at 48 kHz
            for (size_t i = 5; i < fr.size(); ++i)
                fr[i] = static_cast<uint8_t>(rng());
            audio.insert(audio.end(), fr.begin(), fr.end());
        }
    }
    const auto aus = accessUnits(video);
    const auto frames = ac3Frames(audio);
    if (aus.empty() || frames.empty()) {
        std::fprintf(stderr, "ig_gen_m2ts: no access units or audio frames found\n");
        return 1;
    }

    mirtal::support::DiscBuilder disc;
    disc.title({1, 0, 0, 0, {}}).object({false, false, false, {{0x22000000, 1, 0}}});
    const fs::path bdmv = disc.writeTo(dir);
    {
        const Bytes c = clpi();
        std::ofstream(bdmv / "CLIPINF" / "00001.clpi", std::ios::binary)
            .write(reinterpret_cast<const char*>(c.data()), static_cast<std::streamsize>(c.size()));
    }
    Writer w(bdmv / "STREAM" / "00001.m2ts");
    if (!w.ok()) {
        std::perror("ig_gen_m2ts");
        return 1;
    }
    Muxer mux(w);
    const Bytes menu[] = {pds(0), ods(0, 300, 80), ods(1, 300, 80), ods(2, 300, 80), ods(3, 300, 80), ics(),
                          segment(0x80, {})};
    size_t au = 0, af = 0;
    uint64_t frame = 0, audioFrame = 0;
    uint16_t pgNumber = 0;
    const int64_t start = 90000;
    while (w.bytes() < target) {
        const int64_t dts = start + static_cast<int64_t>(frame * 90000 * 1001 / 24000);
        if (frame % 12 == 0) {
            mux.section(0x0000, pat());
            mux.section(0x0100, pmt());
        }
        // Video: one access unit, in PES packets of at most 60,000 bytes; the first has the time stamps.
        const auto [at, n] = aus[au];
        for (size_t off = 0; off < n; off += 60000) {
            const size_t piece = std::min<size_t>(60000, n - off);
            if (off == 0)
                mux.pes(0x1011, 0xE0, video.data() + at, piece, dts, dts, (dts - 9000) * 300);
            else
                mux.pes(0x1011, 0xE0, video.data() + at + off, piece, -1, -1, -1);
        }
        au = (au + 1) % aus.size();
        // Audio frames of 32 ms that are due.
        while (static_cast<int64_t>(audioFrame * 2880) <= static_cast<int64_t>(frame * 90000 * 1001 / 24000)) {
            const auto [aat, an] = frames[af];
            mux.pes(0x1100, 0xBD, audio.data() + aat, an, start + static_cast<int64_t>(audioFrame * 2880), -1, -1);
            af = (af + 1) % frames.size();
            ++audioFrame;
        }
        if (frame % 48 == 24)
            for (const auto& s : pgDisplaySet(pgNumber++))
                mux.pes(0x1200, 0xBD, s.data(), s.size(), dts, -1, -1);
        if (frame % 240 == 0)
            for (const auto& s : menu)
                mux.pes(0x1400, 0xBD, s.data(), s.size(), dts, -1, -1);
        if (frame % 5 == 0)
            mux.nullPacket();
        ++frame;
    }
    w.flush();
    std::printf("%s: %llu bytes, %llu video frames\n", (bdmv / "STREAM" / "00001.m2ts").c_str(),
                static_cast<unsigned long long>(w.bytes()), static_cast<unsigned long long>(frame));
    return 0;
}
