#include "bdmv/program.h"

#include "bdmv/editing.h"
#include "core/text.h"

#include <algorithm>
#include <charconv>

namespace mirtal::bdmv {
namespace {

// resume=discard|suspend, menu=enable|disable, search=enable|disable, in any order, each optional.
bool readFlags(std::string_view header, size_t column, Tmobjects& object, hdmv::ProgramError& error)
{
    constexpr std::string_view kBlanks = " \t";
    for (size_t pos = header.find_first_not_of(kBlanks); pos != std::string_view::npos;
         pos = header.find_first_not_of(kBlanks, pos)) {
        const size_t end = std::min(header.find_first_of(kBlanks, pos), header.size());
        const std::string_view word = header.substr(pos, end - pos);
        const auto flag = [&](std::string_view key, std::string_view off, std::string_view on, uint8_t& field) {
            if (word.substr(0, key.size()) != key)
                return false;
            const std::string_view value = word.substr(key.size());
            if (value == off)
                field = 0;
            else if (value == on)
                field = 1;
            else
                return false;
            return true;
        };
        const bool known = word[0] == 'r'   ? flag("resume=", "discard", "suspend", object.resume)
                           : word[0] == 'm' ? flag("menu=", "enable", "disable", object.menuCall)
                           : word[0] == 's' && flag("search=", "enable", "disable", object.titleSearch);
        if (!known) {
            error.column = column + pos;
            error.message = "expected resume=discard|suspend, menu=enable|disable or search=enable|disable";
            return false;
        }
        pos = end;
    }
    return true;
}

}  // namespace

std::string exportProgram(const TMovieObjectFile& file)
{
    std::string out = "; ";
    core::appendDecimal(out, file.objects.size());
    out += " movie objects\n";
    for (size_t i = 0; i < file.objects.size(); ++i) {
        const Tmobjects& o = file.objects[i];
        out += "\nobject ";
        core::appendDecimal(out, i);
        out += " resume=";
        out += resumeText(o.resume);
        out += " menu=";
        out += maskText(o.menuCall);
        out += " search=";
        out += maskText(o.titleSearch);
        out += '\n';
        hdmv::appendCommandListText(out, o.commands, "    ");
    }
    return out;
}

ImportedProgram importProgram(std::string_view text)
{
    ImportedProgram result;
    auto sections = hdmv::parseProgram(text, "object", result.errors);
    if (!sections.front().commands.empty())
        result.errors.push_back({1, 1, "commands before the first \"object\" line"});
    for (size_t s = 1; s < sections.size(); ++s) {
        auto& section = sections[s];
        const size_t expected = s - 1;
        // "N", then the flags.
        const std::string_view header = section.header;
        size_t n = 0;
        const auto [end, ec] = std::from_chars(header.data(), header.data() + header.size(), n);
        const size_t digits = static_cast<size_t>(end - header.data());
        if (ec != std::errc{} || digits == 0 || n != expected || (digits < header.size() && header[digits] != ' ')) {
            result.errors.push_back({section.line, section.headerColumn,
                                     "expected \"object " + std::to_string(expected) + "\": objects come in order from 0"});
            continue;
        }
        Tmobjects object;
        hdmv::ProgramError error;
        if (!readFlags(header.substr(digits), section.headerColumn + digits, object, error)) {
            error.line = section.line;
            result.errors.push_back(error);
            continue;
        }
        object.commands = std::move(section.commands);
        object.numberOfCommands = static_cast<uint16_t>(object.commands.size());
        // The file's count is 16 bits (the editor's line insertion stops at 9999, a file need not).
        if (object.commands.size() > 0xFFFF)
            result.errors.push_back({section.line, section.headerColumn, "more than 65535 commands in one object"});
        result.objects.push_back(std::move(object));
    }
    if (result.objects.size() > 0xFFFF)
        result.errors.push_back({1, 1, "more than 65535 movie objects"});
    if (!result.ok())
        result.objects.clear();
    return result;
}

std::optional<size_t> pasteCommandText(TMovieObjectFile& file, size_t object, std::optional<size_t> lastSelected,
                                       std::string_view text, std::vector<hdmv::ProgramError>& errors)
{
    if (object >= file.objects.size())
        return std::nullopt;
    const auto& commands = file.objects[object].commands;
    const size_t at = commands.empty() ? 0 : std::min(lastSelected.value_or(0), commands.size() - 1) + 1;
    const auto lines = hdmv::pasteText(text, at, errors);
    if (!lines)
        return std::nullopt;
    return insertCommandLines(file, object, lastSelected, *lines);
}

std::vector<std::string> entriesPastObjects(const TIndexBdmv& index, size_t objectCount)
{
    std::vector<std::string> names;
    const auto check = [&](const TIndexTitle& entry, const std::string& name) {
        if (entry.objectType == 1 && entry.movieObjectId != kNoMovieObject && entry.movieObjectId >= objectCount)
            names.push_back(name + " (object " + std::to_string(entry.movieObjectId) + ")");
    };
    check(index.firstPlayback, "First Playback");
    check(index.topMenu, "Top Menu");
    for (size_t i = 0; i < index.titles.size(); ++i)
        check(index.titles[i], "Title " + std::to_string(i + 1));
    return names;
}

}  // namespace mirtal::bdmv
