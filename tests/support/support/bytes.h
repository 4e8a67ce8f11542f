#pragma once
// Raw big-endian byte building for the test builders (independent of the writers under test).

#include <cstdint>
#include <string>
#include <vector>

namespace mirtal::support {

struct Bytes {
    std::vector<uint8_t> b;

    Bytes& u8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); return *this; }
    Bytes& u16(uint32_t v) { return u8(v >> 8).u8(v); }
    Bytes& u24(uint32_t v) { return u8(v >> 16).u8(v >> 8).u8(v); }
    Bytes& u32(uint32_t v) { return u16(v >> 16).u16(v); }
    // text in a field of n bytes, zero-padded
    Bytes& str(const std::string& s, size_t n)
    {
        for (size_t i = 0; i < n; ++i)
            u8(i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
        return *this;
    }
    Bytes& raw(const std::vector<uint8_t>& v) { b.insert(b.end(), v.begin(), v.end()); return *this; }
    Bytes& zeros(size_t n) { b.insert(b.end(), n, 0); return *this; }
    [[nodiscard]] size_t size() const { return b.size(); }
    // Overwrites a 32-bit field already appended.
    void put32(size_t at, uint32_t v)
    {
        b[at] = static_cast<uint8_t>(v >> 24);
        b[at + 1] = static_cast<uint8_t>(v >> 16);
        b[at + 2] = static_cast<uint8_t>(v >> 8);
        b[at + 3] = static_cast<uint8_t>(v);
    }
};

}  // namespace mirtal::support
