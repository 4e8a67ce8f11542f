#pragma once
// A buffer of bytes that starts on a page boundary. The kernel copies between the page cache and
// a page-aligned buffer at full speed; at an odd offset in a page the same reads of a warm file
// took twice as long.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

namespace mirtal::core {

class PageBuffer {
public:
    static constexpr size_t kPage = 4096;

    explicit PageBuffer(size_t size) : m_size(size)
    {
        const size_t rounded = (size + kPage - 1) / kPage * kPage;
        m_data.reset(static_cast<uint8_t*>(std::aligned_alloc(kPage, rounded == 0 ? kPage : rounded)));
        if (!m_data)
            throw std::bad_alloc();
    }
    [[nodiscard]] uint8_t* data() { return m_data.get(); }
    [[nodiscard]] const uint8_t* data() const { return m_data.get(); }
    [[nodiscard]] size_t size() const { return m_size; }

private:
    struct Free {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t[], Free> m_data;
    size_t m_size;
};

}  // namespace mirtal::core
