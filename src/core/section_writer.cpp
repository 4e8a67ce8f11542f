#include "core/section_writer.h"

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
    writebyte(value >> 8, offset);
    writebyte(value, offset + 1);
}

void SectionWriter::writelong(uint32_t value, size_t offset)
{
    writebyte(value >> 24, offset);
    writebyte(value >> 16, offset + 1);
    writebyte(value >> 8, offset + 2);
    writebyte(value, offset + 3);
}

void SectionWriter::writestr(std::string_view text, size_t offset, size_t width)
{
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
