// Reading chapter files: each chapter's line, its time as written and that time counted in the
// format's unit. Nothing here knows the PlayList; placing the chapters is the import's job.

#include "playlist/chapters_common.h"

#include "core/text.h"

#include <pugixml.hpp>

#include <algorithm>

namespace mirtal::playlist {

namespace {

// Numbers beyond any PlayList stop growing here, so that they read as "past the end" (and a
// "Frame" count times 45 × 1001 still fits in 64 bits).
constexpr uint64_t kCountLimit = 10'000'000'000'000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Only digits; nullopt for anything else.
std::optional<uint64_t> decimalNumber(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    uint64_t v = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        v = std::min(kCountLimit, v * 10 + static_cast<uint64_t>(c - '0'));
    }
    return v;
}

// "cannot read LINE as WHAT", the line quoted as far as a message shows it.
std::string cannotRead(std::string_view line, std::string_view what)
{
    constexpr size_t kShown = 40;
    std::string message = "cannot read \"";
    message += line.substr(0, kShown);
    if (line.size() > kShown)
        message += "…";
    message += "\" as ";
    message += what;
    return message;
}

// The line of an offset in text, counted on from the offset asked before: the atoms come in
// document order, so a file of 999 chapters is counted through once, not once per chapter.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : m_text(text) {}
    size_t at(ptrdiff_t offset)
    {
        const size_t to = offset < 0 ? 0 : std::min(m_text.size(), static_cast<size_t>(offset));
        if (to < m_pos) {
            m_pos = 0;
            m_line = 1;
        }
        m_line += static_cast<size_t>(std::count(m_text.begin() + static_cast<ptrdiff_t>(m_pos),
                                                 m_text.begin() + static_cast<ptrdiff_t>(to), '\n'));
        m_pos = to;
        return m_line;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
    size_t m_line = 1;
};

void readLines(std::string_view text, ChapterFormat format, ChapterFile& file)
{
    const std::string what = "a " + chapterFormatCaption(format) + " chapter";
    const auto lines = textLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto line = trimmed(lines[i]);
        if (line.empty())
            continue;
        const auto count = format == ChapterFormat::Time ? clockNanoseconds(line) : decimalNumber(line);
        if (count)
            file.chapters.push_back({i + 1, std::string(line), *count});
        else
            addLineError(file.errors, i + 1, [&] { return cannotRead(line, what); });
    }
}

// CHAPTERnn=HH:MM:SS.mmm and CHAPTERnnNAME=name lines; the names are read and left.
void readOgm(std::string_view text, ChapterFile& file)
{
    const auto lines = textLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto line = trimmed(lines[i]);
        if (line.empty())
            continue;
        std::string_view rest = line.size() > 7 && core::equalsNoCase(line.substr(0, 7), "CHAPTER") ? line.substr(7) : "";
        const size_t digits = static_cast<size_t>(std::find_if_not(rest.begin(), rest.end(), isDigit) - rest.begin());
        rest.remove_prefix(digits);
        if (digits > 0 && rest.size() >= 5 && core::equalsNoCase(rest.substr(0, 5), "NAME="))
            continue;
        if (digits > 0 && !rest.empty() && rest[0] == '=') {
            const auto time = trimmed(rest.substr(1));
            if (const auto ns = clockNanoseconds(time)) {
                file.chapters.push_back({i + 1, std::string(time), *ns});
                continue;
            }
        }
        addLineError(file.errors, i + 1, [&] { return cannotRead(line, "an OGM chapter"); });
    }
}

// The atoms of the first edition; nested chapters, further editions, end times, flags and
// names have no place in a PlayList.
void readXml(std::string_view text, ChapterFile& file)
{
    LineCounter lines(text);
    pugi::xml_document doc;
    const auto parsed = doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
        file.errors.push_back({lines.at(parsed.offset), std::string("cannot read it as Matroska XML: ") + parsed.description()});
        return;
    }
    const auto root = doc.child("Chapters");
    if (!root) {
        file.errors.push_back({1, "no Chapters element: not a Matroska XML chapter file"});
        return;
    }
    const auto edition = root.child("EditionEntry");
    const auto editions = std::distance(root.children("EditionEntry").begin(), root.children("EditionEntry").end());
    if (editions > 1)
        file.notes.push_back("only the first of " + std::to_string(editions) + " editions is read");
    bool nested = false;
    for (const auto atom : edition.children("ChapterAtom")) {
        const auto start = atom.child("ChapterTimeStart");
        if (!start) {
            addLineError(file.errors, lines.at(atom.offset_debug()), [] { return "a ChapterAtom without ChapterTimeStart"; });
            continue;
        }
        const auto time = trimmed(start.child_value());
        if (const auto ns = clockNanoseconds(time))
            file.chapters.push_back({lines.at(start.offset_debug()), std::string(time), *ns});
        else
            addLineError(file.errors, lines.at(start.offset_debug()), [&] { return cannotRead(time, "a chapter time"); });
        nested = nested || atom.child("ChapterAtom");
    }
    if (nested)
        file.notes.push_back("nested chapters are not read");
}

}  // namespace

std::string_view withoutByteOrderMark(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return text;
}

std::vector<std::string_view> textLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::optional<uint64_t> clockNanoseconds(std::string_view text)
{
    size_t pos = 0;
    const auto digits = [&](size_t least, size_t most) -> std::optional<uint64_t> {
        size_t n = 0;
        uint64_t v = 0;
        while (pos < text.size() && isDigit(text[pos]) && n < most) {
            v = v * 10 + static_cast<uint64_t>(text[pos++] - '0');
            ++n;
        }
        if (n < least || (pos < text.size() && isDigit(text[pos])))
            return std::nullopt;
        return v;
    };
    const auto colon = [&] { return pos < text.size() && text[pos++] == ':'; };
    const auto hours = digits(1, 5);
    if (!hours || !colon())
        return std::nullopt;
    const auto minutes = digits(2, 2);
    if (!minutes || *minutes > 59 || !colon())
        return std::nullopt;
    const auto seconds = digits(2, 2);
    if (!seconds || *seconds > 59)
        return std::nullopt;
    uint64_t ns = ((*hours * 60 + *minutes) * 60 + *seconds) * 1'000'000'000;
    if (pos == text.size())
        return ns;
    if (text[pos++] != '.')
        return std::nullopt;
    const size_t fractionAt = pos;
    const auto fraction = digits(1, 9);
    if (!fraction || pos != text.size())
        return std::nullopt;
    uint64_t scale = 1;
    for (size_t n = pos - fractionAt; n < 9; ++n)
        scale *= 10;
    return ns + *fraction * scale;
}

ChapterFile readChapterFile(std::string_view text, ChapterFormat format)
{
    ChapterFile file;
    switch (format) {
    case ChapterFormat::Ogm: readOgm(text, file); break;
    case ChapterFormat::Xml: readXml(text, file); break;
    default: readLines(text, format, file); break;
    }
    return file;
}

}  // namespace mirtal::playlist
