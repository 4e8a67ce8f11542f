#pragma once
// Output built section by section: size the section, write every field at its offset
// (reserved bytes stay 0), append the section to the output.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mirtal::core {

class SectionWriter {
public:
    // Starts a new section of n bytes, all 0.
    void setSize(size_t n) { m_section.assign(n, 0); }
    // Writes outside the section are dropped: a section is always exactly the size it was given.
    void writebyte(uint32_t value, size_t offset);
    void writeword(uint32_t value, size_t offset);
    void writelong(uint32_t value, size_t offset);
    // Fills width bytes with 0, then copies at most width characters of text.
    void writestr(std::string_view text, size_t offset, size_t width);
    // Appends the current section to the output.
    void append();
    // Appends bytes that need no layout (data blocks kept whole).
    void appendRaw(std::span<const uint8_t> bytes);

    [[nodiscard]] const std::vector<uint8_t>& bytes() const { return m_out; }
    [[nodiscard]] std::vector<uint8_t> take() { return std::move(m_out); }

private:
    std::vector<uint8_t> m_section;
    std::vector<uint8_t> m_out;
};

}  // namespace mirtal::core
