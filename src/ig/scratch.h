#pragma once
// The scratch store of an IG load: the palette, object and composition segment bodies back to
// back, addressed by byte position. It is an anonymous temporary file: it keeps the memory of a
// load small whatever the menu's size, and the system removes it when the store is closed or
// the program ends, so nothing is left in the temporary folder.

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace mirtal::ig {

class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    // False when the temporary file could not be created.
    [[nodiscard]] bool ok() const { return m_file != nullptr; }
    // Appends bytes; returns the position of the first.
    int64_t append(std::span<const uint8_t> bytes);
    [[nodiscard]] int64_t size() const { return m_size; }
    // Up to length bytes from pos; fewer when the store ends first.
    [[nodiscard]] std::vector<uint8_t> read(int64_t pos, int64_t length);
    // Appends the bytes at pos to out; false when fewer than length were there.
    bool readInto(int64_t pos, int64_t length, std::vector<uint8_t>& out);

private:
    std::FILE* m_file = nullptr;
    int64_t m_size = 0;
    bool m_writing = true;
};

}  // namespace mirtal::ig
