#pragma once
// Big-endian field reading over a byte buffer. The structured disc files are small and are read
// whole; the cursor can never leave the buffer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace mirtal::core {

class FieldReader {
public:
    explicit FieldReader(std::span<const uint8_t> data) : m_data(data) {}

    // Each reader advances by the field's width. Past the end a byte reads as 0, the position
    // stops at the end and the sticky overrun flag records where the first missing byte was.
    uint8_t readbyte();
    uint16_t readword();
    uint32_t read3byte();
    uint32_t readlword();
    // n bytes as text: cut at the first byte 0; bytes past the end stay blanks.
    std::string readstring(size_t n);
    void skip(size_t n);
    // Reads up to n bytes; fewer when the buffer ends first (which sets the overrun flag).
    std::span<const uint8_t> readbytes(size_t n);

    // Absolute seek; a position past the end clamps to the end and sets the overrun flag.
    void seek(uint64_t position);
    [[nodiscard]] uint64_t position() const { return m_pos; }
    [[nodiscard]] uint64_t size() const { return m_data.size(); }
    [[nodiscard]] uint64_t remaining() const { return m_data.size() - m_pos; }
    [[nodiscard]] bool atEnd() const { return m_pos >= m_data.size(); }
    [[nodiscard]] bool overrun() const { return m_overrun; }
    [[nodiscard]] uint64_t overrunAt() const { return m_overrunAt; }
    // How many of `count` declared records of at least `bytesEach` bytes the rest can hold (one
    // more, the record the end cuts): what a list is reserved for, never what a header declares.
    [[nodiscard]] size_t fitting(uint64_t count, uint64_t bytesEach) const
    {
        return static_cast<size_t>(std::min(count, remaining() / bytesEach + 1));
    }

private:
    void markOverrun();
    uint32_t readBigEndian(size_t width);

    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
    bool m_overrun = false;
    uint64_t m_overrunAt = 0;
};

}  // namespace mirtal::core
