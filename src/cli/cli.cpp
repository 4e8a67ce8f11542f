#include "cli/cli.h"

#include "bdmv/disc_path.h"
#include "core/markup.h"
#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>

namespace mirtal::cli {

Args::Args(const std::vector<std::string>& raw, const std::vector<std::string>& valueOptions)
{
    for (size_t i = 0; i < raw.size(); ++i) {
        const std::string& a = raw[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::string name = a;
            std::string val;
            bool hasValue = false;
            if (const auto eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                val = a.substr(eq + 1);
                hasValue = true;
            }
            const bool takesValue =
                std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end();
            if (takesValue && !hasValue) {
                if (i + 1 >= raw.size()) {
                    m_error = name + " needs a value";
                    return;
                }
                val = raw[++i];
            } else if (!takesValue && hasValue) {
                m_error = name + " takes no value";
                return;
            }
            m_options.emplace_back(name, val);
        } else if (a == "-o") {
            if (i + 1 >= raw.size()) {
                m_error = "-o needs a file name";
                return;
            }
            m_options.emplace_back("-o", raw[++i]);
        } else {
            m_positional.push_back(a);
        }
    }
}

bool Args::has(const std::string& option) const
{
    return std::any_of(m_options.begin(), m_options.end(), [&](const auto& o) { return o.first == option; });
}

std::optional<std::string> Args::value(const std::string& option) const
{
    std::optional<std::string> found;
    for (const auto& o : m_options)
        if (o.first == option)
            found = o.second;    // the last one given wins
    return found;
}

std::vector<std::string> Args::values(const std::string& option) const
{
    std::vector<std::string> out;
    for (const auto& o : m_options)
        if (o.first == option)
            out.push_back(o.second);
    return out;
}

void StderrReporter::logLine(std::string_view markup)
{
    std::string line = core::markupToPlain(markup);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void StderrReporter::errorDisplay(std::string_view)
{
    ++m_errors;
}

void printGrid(const std::vector<std::string>& captions, const std::vector<std::vector<std::string>>& rows)
{
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += '\t';
            out += cells[i];
        }
        out += '\n';
    };
    line(captions);
    for (const auto& r : rows)
        line(r);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "mirtal-cli: %s\n", message.c_str());
    return kExitUsage;
}

std::optional<long long> parseNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    try {
        size_t used = 0;
        const int base = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? 16 : 10;
        const long long v = std::stoll(text, &used, base);
        if (used != text.size())
            return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<uint32_t> parseHex(const std::string& text)
{
    std::string t = text;
    if (t.rfind("0x", 0) == 0 || t.rfind("0X", 0) == 0)
        t = t.substr(2);
    if (t.empty() || t.size() > 8)
        return std::nullopt;
    for (char c : t)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    return static_cast<uint32_t>(std::stoul(t, nullptr, 16));
}

namespace {

std::vector<Command>& registry()
{
    static std::vector<Command> all;
    return all;
}

}  // namespace

Registration::Registration(Command command)
{
    registry().push_back(std::move(command));
}

const std::vector<Command>& commands()
{
    return registry();
}

std::optional<std::string> fiveDigitName(const std::string& text, const std::string& extension)
{
    std::string name = text;
    if (name.size() == 5 + extension.size() && core::equalsNoCase(name.substr(5), extension))
        name.resize(5);
    if (name.size() != 5 || !std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return name;
}

std::optional<fs::path> bdmvFolderFor(const std::string& path)
{
    auto bdmv = bdmv::resolveBdmvFolder(path);
    if (!bdmv)
        return bdmv;
    // A file or folder of PLAYLIST, CLIPINF or STREAM names its disc too (BACKUP, with its own
    // PLAYLIST and CLIPINF, stays the folder named).
    for (const char* sub : {"PLAYLIST", "CLIPINF", "STREAM"})
        if (core::equalsNoCase(bdmv->filename().string(), sub))
            return bdmv->parent_path();
    return bdmv;
}

std::optional<DiscFileArg> discFileArg(const std::string& path, const std::string& name,
                                       const std::string& extension, const char* kind, int& status)
{
    const auto bdmv = bdmvFolderFor(path);
    if (!bdmv) {
        status = usageError("no such file or folder: " + path);
        return std::nullopt;
    }
    const auto five = fiveDigitName(name, extension);
    if (!five) {
        std::fprintf(stderr, "mirtal-cli: not a %s name: %s (five digits, as 00001 or 00001%s)\n", kind,
                     name.c_str(), extension.c_str());
        status = kExitFailed;
        return std::nullopt;
    }
    return DiscFileArg{*bdmv, *five};
}

}  // namespace mirtal::cli
