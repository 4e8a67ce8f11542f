#include "core/field_reader.h"

#include <algorithm>

namespace mirtal::core {

void FieldReader::markOverrun()
{
    if (!m_overrun) {
        m_overrun = true;
        m_overrunAt = m_pos;
    }
}

uint8_t FieldReader::readbyte()
{
    if (m_pos >= m_data.size()) {
        markOverrun();
        return 0;
    }
    return m_data[m_pos++];
}

// A field of `width` bytes, most significant first: one bounds test when the buffer holds it all;
// a field cut by the end reads byte by byte, so that what is missing reads as 0 and the overrun
// position is that of the first missing byte.
uint32_t FieldReader::readBigEndian(size_t width)
{
    uint32_t v = 0;
    if (m_data.size() - m_pos >= width) {
        for (size_t i = 0; i < width; ++i)
            v = (v << 8) | m_data[m_pos + i];
        m_pos += width;
        return v;
    }
    for (size_t i = 0; i < width; ++i)
        v = (v << 8) | readbyte();
    return v;
}

uint16_t FieldReader::readword()
{
    return static_cast<uint16_t>(readBigEndian(2));
}

uint32_t FieldReader::read3byte()
{
    return readBigEndian(3);
}

uint32_t FieldReader::readlword()
{
    return readBigEndian(4);
}

std::string FieldReader::readstring(size_t n)
{
    std::string text(n, ' ');
    const size_t have = std::min(n, m_data.size() - m_pos);
    std::copy_n(m_data.begin() + static_cast<std::ptrdiff_t>(m_pos), have, text.begin());
    m_pos += have;
    if (have < n)
        markOverrun();
    const auto zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    return text;
}

void FieldReader::skip(size_t n)
{
    (void)readbytes(n);
}

std::span<const uint8_t> FieldReader::readbytes(size_t n)
{
    const size_t have = std::min(n, m_data.size() - m_pos);
    auto out = m_data.subspan(m_pos, have);
    m_pos += have;
    if (have < n)
        markOverrun();
    return out;
}

void FieldReader::seek(uint64_t position)
{
    if (position > m_data.size()) {
        m_pos = m_data.size();
        markOverrun();
        return;
    }
    m_pos = static_cast<size_t>(position);
}

}  // namespace mirtal::core
