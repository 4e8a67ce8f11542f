#pragma once
// A small JSON writer for the --json listings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::cli {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member inside an object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(int64_t number);
    JsonWriter& value(uint64_t number);
    JsonWriter& value(int number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(unsigned number) { return value(static_cast<uint64_t>(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& null();
    template <typename T>
    JsonWriter& member(std::string_view name, const T& v) { return key(name).value(v); }

    [[nodiscard]] const std::string& str() const { return m_out; }

private:
    void separator();
    std::string m_out;
    std::vector<bool> m_first;    // per open container: no member written yet
    bool m_afterKey = false;
};

}  // namespace mirtal::cli
