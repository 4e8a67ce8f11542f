#pragma once
// Output built section by section: size the section, write every field at its offset
// (reserved bytes stay 0), append the section to the output.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::core {

class SectionWriter {
public:
    // Starts a new section of n bytes, all 0; name names its record in a refusal.
    void setSize(size_t n, std::string_view name = {})
    {
        m_section.assign(n, 0);
        m_name = name;
    }
    // A section is always exactly the size it was given: a write outside it is left out, and the
    // first one is kept as the writer's problem, so that the file is refused, never saved short.
    void writebyte(uint32_t value, size_t offset);
    void writeword(uint32_t value, size_t offset);
    void writelong(uint32_t value, size_t offset);
    // Fills width bytes with 0, then copies at most width characters of text.
    void writestr(std::string_view text, size_t offset, size_t width);
    // Appends the current section to the output.
    void append();
    // Appends bytes that need no layout (data blocks kept whole).
    void appendRaw(std::span<const uint8_t> bytes);

    // Zeros up to a start address beyond what is written so far; an address inside what is written
    // already, or more than kMaxGap past it, is a problem (the record would not stand where its
    // address says, or only after megabytes of nothing).
    void placeAt(uint64_t address, std::string_view what);
    static constexpr uint64_t kMaxGap = 1u << 20;
    // What the writer had to leave out or misplace; empty when the output is whole.
    [[nodiscard]] const std::string& problem() const { return m_problem; }

    [[nodiscard]] const std::vector<uint8_t>& bytes() const { return m_out; }
    [[nodiscard]] std::vector<uint8_t> take() { return std::move(m_out); }

private:
    void writeBigEndian(uint32_t value, size_t offset, size_t width);

    std::vector<uint8_t> m_section;
    std::vector<uint8_t> m_out;
    std::string m_name;
    std::string m_problem;
};

}  // namespace mirtal::core
