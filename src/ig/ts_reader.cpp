#include "ig/ts_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirtal::ig {

bool isHeaderless(uint8_t streamId)
{
    switch (streamId) {
    case 0xBC: case 0xBE: case 0xBF: case 0xF0: case 0xF1: case 0xF2: case 0xF8: case 0xFF:
        return true;
    default:
        return false;
    }
}

uint32_t timeStampAt(const Payload& p, int at)
{
    return (static_cast<uint32_t>(p.at(at) & 0x0E) << 29) + (static_cast<uint32_t>(p.at(at + 1)) << 22) +
           (static_cast<uint32_t>(p.at(at + 2) & 0xFE) << 14) + (static_cast<uint32_t>(p.at(at + 3)) << 7) +
           (static_cast<uint32_t>(p.at(at + 4) & 0xFE) >> 1);
}

std::span<const uint8_t> PesCollector::take(const Payload& p, bool start)
{
    if (start) {
        m_remaining = pesPacketLength(p);
        if (isHeaderless(p.data[3]))
            return {};
        const int from = 9 + pesHeaderDataLength(p);
        if (from >= p.length)
            return {};
        // Complete, remaining is left at 3 + PES_header_data_length: the length field counts the
        // three header bytes after it, which are never taken.
        m_remaining -= p.length - from;
        return {p.data + from, static_cast<size_t>(p.length - from)};
    }
    if (m_remaining <= 0)
        return {};
    m_remaining -= p.length;
    return {p.data, static_cast<size_t>(p.length)};
}

FileSource::FileSource(const std::filesystem::path& path)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = std::strerror(errno);
        return;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = S_ISDIR(st.st_mode) ? "is a folder" : std::strerror(errno);
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_size = st.st_size;
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
}

FileSource::~FileSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

size_t FileSource::read(uint8_t* to, size_t n)
{
    size_t got = 0;
    while (got < n) {
        const ssize_t r = ::read(m_fd, to + got, n - got);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        got += static_cast<size_t>(r);
    }
    return got;
}

size_t MemorySource::read(uint8_t* to, size_t n)
{
    const size_t k = std::min(n, m_bytes.size() - m_pos);
    if (k)
        std::memcpy(to, m_bytes.data() + m_pos, k);
    m_pos += k;
    return k;
}

ChunkReader::ChunkReader(ByteSource& source, int chunkPackets, int chunksPerRead)
    : m_source(source), m_size(source.size()),
      m_chunkBytes(static_cast<size_t>(chunkPackets) * kSourcePacketSize),
      m_block(static_cast<size_t>(std::min<int64_t>(
          static_cast<int64_t>(m_chunkBytes) * chunksPerRead,
          (std::max<int64_t>(m_size, 0) / kSourcePacketSize + 1) * kSourcePacketSize)))
{
}

std::span<const uint8_t> ChunkReader::next()
{
    if (m_blockUsed == m_blockFill) {
        if (m_sourceEnded)
            return {};
        const int64_t left = (m_size - m_position) / kSourcePacketSize * kSourcePacketSize;
        const size_t want = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(m_block.size())));
        if (want == 0)
            return {};
        const size_t got = m_source.read(m_block.data(), want);
        m_blockFill = got / kSourcePacketSize * kSourcePacketSize;
        m_blockUsed = 0;
        if (got < want)
            m_sourceEnded = true;    // a read error or a file that shrank: end with what is there
        if (m_blockFill == 0)
            return {};
    }
    const size_t n = std::min(m_chunkBytes, m_blockFill - m_blockUsed);
    std::span<const uint8_t> chunk(m_block.data() + m_blockUsed, n);
    m_blockUsed += n;
    m_position += static_cast<int64_t>(n);
    if (m_sourceEnded && m_blockUsed == m_blockFill)
        m_size = m_position;
    return chunk;
}

double RunClock::seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

std::string longTime(double seconds)
{
    if (!(seconds >= 0))
        seconds = 0;
    const auto total = static_cast<uint64_t>(seconds) % 86400;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%u:%02u:%02u", static_cast<unsigned>(total / 3600),
                  static_cast<unsigned>(total / 60 % 60), static_cast<unsigned>(total % 60));
    return buf;
}

std::string progressLine(int64_t soFar, int64_t total, double elapsedSeconds, double fractionDone)
{
    const double remaining = fractionDone > 0 ? elapsedSeconds / fractionDone - elapsedSeconds + 1 : 0;
    return "Packet: " + std::to_string(soFar) + "/" + std::to_string(total) + "   Elapsed: " +
           longTime(elapsedSeconds) + "   Remaining: " + longTime(remaining);
}

}  // namespace mirtal::ig
