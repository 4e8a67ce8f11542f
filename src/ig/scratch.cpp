#include "ig/scratch.h"

#include <algorithm>

namespace mirtal::ig {

Scratch::Scratch() : m_file(std::tmpfile()) {}

Scratch::~Scratch()
{
    if (m_file)
        std::fclose(m_file);
}

int64_t Scratch::append(std::span<const uint8_t> bytes)
{
    const int64_t at = m_size;
    if (!m_file || bytes.empty())
        return at;
    if (!m_writing) {
        std::fseek(m_file, 0, SEEK_END);
        m_writing = true;
    }
    m_size += static_cast<int64_t>(std::fwrite(bytes.data(), 1, bytes.size(), m_file));
    return at;
}

bool Scratch::readInto(int64_t pos, int64_t length, std::vector<uint8_t>& out)
{
    if (!m_file || pos < 0 || length <= 0 || pos >= m_size)
        return length <= 0;
    const int64_t n = std::min(length, m_size - pos);
    if (m_writing) {
        std::fflush(m_file);
        m_writing = false;
    }
    if (std::fseek(m_file, pos, SEEK_SET) != 0)
        return false;
    const size_t old = out.size();
    out.resize(old + static_cast<size_t>(n));
    const size_t got = std::fread(out.data() + old, 1, static_cast<size_t>(n), m_file);
    out.resize(old + got);
    return static_cast<int64_t>(got) == length;
}

std::vector<uint8_t> Scratch::read(int64_t pos, int64_t length)
{
    std::vector<uint8_t> out;
    readInto(pos, length, out);
    return out;
}

}  // namespace mirtal::ig
