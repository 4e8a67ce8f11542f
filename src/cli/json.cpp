#include "cli/json.h"

#include "core/text.h"
#include "hdmv/command_text.h"

#include <cstdio>

namespace mirtal::cli {

Json jsonDocument(std::string_view schema)
{
    Json document = Json::object();
    document["schema"] = "mirtal-" + std::string(schema);
    document["version"] = kJsonVersion;
    return document;
}

namespace {

std::string text(const Json& value)
{
    return value.dump(2, ' ', false, Json::error_handler_t::replace);
}

void write(const std::string& s)
{
    std::fwrite(s.data(), 1, s.size(), stdout);
}

}  // namespace

void printJson(const Json& document)
{
    write(text(document) + '\n');
    std::fflush(stdout);
}

JsonArrayStream::JsonArrayStream(const Json& head, std::string_view key)
{
    std::string out = text(head);    // "{\n  members\n}"
    out.resize(out.size() - 2);
    write(out + ",\n  " + text(Json(key)) + ": [");
}

void JsonArrayStream::push(const Json& element)
{
    std::string out = m_empty ? "\n    " : ",\n    ";
    for (const char c : text(element)) {
        out += c;
        if (c == '\n')
            out += "    ";
    }
    m_empty = false;
    write(out);
}

void JsonArrayStream::finish(const Json& tail)
{
    const std::string members = text(tail);
    write(std::string(m_empty ? "]" : "\n  ]") + (tail.empty() ? "\n}\n" : ",\n" + members.substr(2) + '\n'));
    std::fflush(stdout);
}

Json extensionDataJson(const core::TExtensionData& block)
{
    Json j = Json::object();
    j["caption"] = core::ExtDatCap(block);
    j["length"] = block.length;
    j["data_block_start_address"] = block.dataBlockStartAddress;
    j["number_of_entries"] = block.numberOfEntries;
    Json entries = Json::array();
    for (const auto& e : block.entries)
        entries.push_back({{"id1", e.id1}, {"id2", e.id2}, {"start_address", e.startAddress}, {"length", e.length}});
    j["entries"] = std::move(entries);
    std::string data;
    data.reserve(block.data.size() * 2);
    for (uint8_t b : block.data)
        data += core::hex(b, 2);
    j["data"] = std::move(data);
    return j;
}

Json commandJson(const hdmv::TNavCommand& command, size_t line, bool withCells)
{
    const auto row = hdmv::comm2str(command, line);
    Json j = Json::object();
    j["opcode"] = command.opcode;
    j["destination"] = command.destination;
    j["source"] = command.source;
    j["command_line"] = row.cells[4];
    j["valid"] = row.valid;
    if (withCells)
        j["cells"] = row.cells;
    return j;
}

Json commandListJson(const hdmv::CommandList& commands)
{
    Json list = Json::array();
    for (size_t i = 0; i < commands.size(); ++i)
        list.push_back(commandJson(commands[i], i));
    return list;
}

void AnswerReporter::statusText(int panel, std::string_view line)
{
    if (!answering || panel != 1 || line.empty())
        return;
    if (onLine)
        onLine(line);
    else
        std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
}

}  // namespace mirtal::cli
