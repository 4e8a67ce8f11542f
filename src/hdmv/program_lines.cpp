// Program texts line by line: sections, labels and their GoTos, and the lines of a command list
// for export, the clipboard and menus.

#include "hdmv/program_text.h"

#include "core/text.h"
#include "hdmv/text_cursor.h"

#include <algorithm>
#include <map>

namespace mirtal::hdmv {

using detail::Cursor;
using detail::isBlank;

std::vector<ProgramSection> parseProgram(std::string_view text, std::string_view headerWord,
                                         std::vector<ProgramError>& errors)
{
    std::vector<ProgramSection> sections(1);
    struct Reference {
        size_t command;
        std::string label;
        size_t line, column;
    };
    std::map<std::string, size_t> labels;
    std::map<std::string, size_t> labelLines;
    std::vector<Reference> references;
    const auto closeSection = [&] {
        auto& commands = sections.back().commands;
        for (const auto& r : references) {
            const auto it = labels.find(r.label);
            if (it == labels.end())
                errors.push_back({r.line, r.column, "label \"" + r.label + "\" is not defined"});
            else {
                commands[r.command].destination = static_cast<uint32_t>(it->second);
                sections.back().labelled.push_back(r.command);
            }
        }
        labels.clear();
        labelLines.clear();
        references.clear();
    };

    size_t lineNo = 0;
    size_t start = 0;
    // A byte-order mark at the start is not part of the first line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        start = 3;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNo;
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (const size_t semicolon = line.find(';'); semicolon != std::string_view::npos)
            line = line.substr(0, semicolon);
        Cursor in{line, 0, 1};
        in.skipBlanks();
        if (in.atEnd()) {
            if (end == text.size())
                break;
            continue;
        }
        // A header line starts the next section.
        if (!headerWord.empty() && in.text.substr(in.pos, headerWord.size()) == headerWord &&
            (in.pos + headerWord.size() >= line.size() || isBlank(line[in.pos + headerWord.size()]))) {
            closeSection();
            ProgramSection s;
            s.line = lineNo;
            in.pos += headerWord.size();
            in.skipBlanks();
            s.headerColumn = in.column();
            s.header = line.substr(in.pos);
            while (!s.header.empty() && isBlank(s.header.back()))
                s.header.remove_suffix(1);
            sections.push_back(std::move(s));
            continue;
        }
        // A label, alone or before a command.
        const size_t at = in.pos;
        const size_t labelColumn = in.column();
        const std::string_view name = in.identifier();
        if (!name.empty() && in.peek() == ':') {
            in.take(':');
            const std::string key(name);
            if (labels.count(key))
                errors.push_back({lineNo, labelColumn,
                                  "label \"" + key + "\" is defined twice (first on line " +
                                      std::to_string(labelLines[key]) + ")"});
            labels[key] = sections.back().commands.size();
            labelLines[key] = lineNo;
            in.skipBlanks();
            if (in.atEnd())
                continue;
        } else {
            in.pos = at;
        }
        ProgramError error;
        auto c = assembleCommand(line.substr(in.pos), in.column(), error);
        if (!c) {
            error.line = lineNo;
            errors.push_back(error);
            continue;
        }
        if (!c->gotoLabel.empty())
            references.push_back({sections.back().commands.size(), c->gotoLabel, lineNo, c->labelColumn});
        sections.back().commands.push_back(c->command);
        if (end == text.size())
            break;
    }
    closeSection();
    return sections;
}

namespace {

// The lines of a list with labels at the targets of the GoTos that `byLabel` names.
void appendLines(std::string& out, const CommandList& commands, std::string_view indent,
                 const std::vector<bool>& byLabel)
{
    std::vector<uint32_t> targets;
    for (size_t i = 0; i < commands.size(); ++i)
        if (byLabel[i])
            targets.push_back(commands[i].destination);
    std::sort(targets.begin(), targets.end());
    const auto label = [](uint32_t line) { return "L" + std::to_string(line); };
    for (size_t i = 0; i <= commands.size(); ++i) {
        if (std::binary_search(targets.begin(), targets.end(), static_cast<uint32_t>(i))) {
            out += 'L';
            core::appendDecimal(out, i);
            out += ":\n";
        }
        if (i == commands.size())
            break;
        const auto& c = commands[i];
        out += indent;
        out += commandSourceText(c, byLabel[i] ? label(c.destination) : std::string());
        out += '\n';
    }
}

}  // namespace

void appendCommandListText(std::string& out, const CommandList& commands, std::string_view indent)
{
    std::vector<bool> byLabel(commands.size());
    for (size_t i = 0; i < commands.size(); ++i)
        byLabel[i] = commands[i].opcode == kGoToImmediate && commands[i].destination <= commands.size();
    appendLines(out, commands, indent, byLabel);
}

std::string copyText(const CommandList& commands, size_t first, size_t last)
{
    if (commands.empty() || first > last || first >= commands.size())
        return {};
    last = std::min(last, commands.size() - 1);
    CommandList block(commands.begin() + static_cast<std::ptrdiff_t>(first),
                      commands.begin() + static_cast<std::ptrdiff_t>(last + 1));
    std::vector<bool> byLabel(block.size());
    for (size_t i = 0; i < block.size(); ++i)
        if (block[i].opcode == kGoToImmediate && block[i].destination >= first && block[i].destination <= last + 1) {
            block[i].destination -= static_cast<uint32_t>(first);
            byLabel[i] = true;
        }
    std::string out;
    appendLines(out, block, "", byLabel);
    return out;
}

std::optional<CommandList> pasteText(std::string_view text, size_t at, std::vector<ProgramError>& errors)
{
    auto sections = parseProgram(text, {}, errors);
    if (!errors.empty())
        return std::nullopt;
    if (sections.front().commands.empty()) {
        errors.push_back({1, 1, "no command to paste"});
        return std::nullopt;
    }
    CommandList& pasted = sections.front().commands;
    for (size_t i : sections.front().labelled)
        pasted[i].destination += static_cast<uint32_t>(at);
    return pasted;
}

}  // namespace mirtal::hdmv
