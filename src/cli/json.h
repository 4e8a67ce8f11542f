#pragma once
// The --json listings: every document is an object that names its schema and version first, so
// scripts can rely on them ({"schema": "mirtal-titles", "version": 1, ...}). Members keep the
// order they are added in.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::cli {

using Json = nlohmann::ordered_json;

// The version of every mirtal-cli JSON schema; it grows when a document changes in a way that
// breaks its readers.
constexpr int kJsonVersion = 1;

// {"schema": "mirtal-" + schema, "version": 1}; the command adds its data after these members.
[[nodiscard]] Json jsonDocument(std::string_view schema);

// The document on standard output, indented by two spaces and ending in a newline, as UTF-8;
// bytes of disc texts that are no UTF-8 are written as U+FFFD instead of stopping the output.
void printJson(const Json& document);

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
