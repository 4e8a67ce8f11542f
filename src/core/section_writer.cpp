#include "core/section_writer.h"

#include <algorithm>
#include <string>

namespace mirtal::core {

void SectionWriter::writebyte(uint32_t value, size_t offset)
{
    if (offset < m_section.size())
        m_section[offset] = static_cast<uint8_t>(value & 0xFF);
    else if (m_problem.empty())
        m_problem = (m_name.empty() ? std::string("a record") : m_name) + " holds more than its stored length (" +
                    std::to_string(m_section.size()) + " bytes) leaves room for";
}

void SectionWriter::placeAt(uint64_t address, std::string_view what)
{
    const uint64_t have = m_out.size();
    if (address < have) {
        if (m_problem.empty())
            m_problem = "the start address of " + std::string(what) + " (" + std::to_string(address) +
                        ") points into the " + std::to_string(have) + " bytes written before it";
        return;
    }
    if (address - have > kMaxGap) {
        if (m_problem.empty())
            m_problem = "the start address of " + std::string(what) + " (" + std::to_string(address) + ") lies " +
                        std::to_string(address - have) + " bytes past the data before it";
        return;
    }
    m_out.resize(static_cast<size_t>(address), 0);
}

void SectionWriter::writeword(uint32_t value, size_t offset)
{
    writeBigEndian(value, offset, 2);
}

void SectionWriter::writelong(uint32_t value, size_t offset)
{
    writeBigEndian(value, offset, 4);
}

// Most significant byte first; a field that runs past the section goes byte by byte, so that the
// bytes inside are written and the first one outside is the one reported.
void SectionWriter::writeBigEndian(uint32_t value, size_t offset, size_t width)
{
    if (offset < m_section.size() && m_section.size() - offset >= width) {
        for (size_t i = 0; i < width; ++i)
            m_section[offset + i] = static_cast<uint8_t>(value >> (8 * (width - 1 - i)));
        return;
    }
    for (size_t i = 0; i < width; ++i)
        writebyte(value >> (8 * (width - 1 - i)), offset + i);
}

void SectionWriter::writestr(std::string_view text, size_t offset, size_t width)
{
    if (offset < m_section.size() && m_section.size() - offset >= width) {
        const size_t n = std::min(width, text.size());
        std::copy_n(text.begin(), n, m_section.begin() + static_cast<std::ptrdiff_t>(offset));
        std::fill_n(m_section.begin() + static_cast<std::ptrdiff_t>(offset + n), width - n, uint8_t{0});
        return;
    }
    for (size_t i = 0; i < width; ++i)
        writebyte(i < text.size() ? static_cast<uint8_t>(text[i]) : 0, offset + i);
}

void SectionWriter::append()
{
    m_out.insert(m_out.end(), m_section.begin(), m_section.end());
}

void SectionWriter::appendRaw(std::span<const uint8_t> bytes)
{
    m_out.insert(m_out.end(), bytes.begin(), bytes.end());
}

}  // namespace mirtal::core
