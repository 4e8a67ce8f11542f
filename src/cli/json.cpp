#include "cli/json.h"

#include <cstdio>
#include <string>

namespace mirtal::cli {

Json jsonDocument(std::string_view schema)
{
    Json document = Json::object();
    document["schema"] = "mirtal-" + std::string(schema);
    document["version"] = kJsonVersion;
    return document;
}

void printJson(const Json& document)
{
    const std::string text = document.dump(2, ' ', false, Json::error_handler_t::replace);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void JsonWriter::separator()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back())
            m_out += ',';
        m_first.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject()
{
    separator();
    m_out += '{';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    m_out += '}';
    m_first.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    separator();
    m_out += '[';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    m_out += ']';
    m_first.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    value(name);
    m_out += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    separator();
    m_out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"': m_out += "\\\""; break;
        case '\\': m_out += "\\\\"; break;
        case '\n': m_out += "\\n"; break;
        case '\r': m_out += "\\r"; break;
        case '\t': m_out += "\\t"; break;
        default:
            if (c < 0x20 || c >= 0x80) {
                // Disc texts are 8-bit; each byte is given as its Latin-1 character.
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                m_out += buf;
            } else {
                m_out += static_cast<char>(c);
            }
        }
    }
    m_out += '"';
    return *this;
}

JsonWriter& JsonWriter::value(int64_t number)
{
    separator();
    m_out += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(uint64_t number)
{
    separator();
    m_out += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool flag)
{
    separator();
    m_out += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null()
{
    separator();
    m_out += "null";
    return *this;
}

}  // namespace mirtal::cli
