#include "playlist/mark_edit.h"

#include <algorithm>

namespace mirtal::playlist {

namespace {

// Marks are 14 bytes each in the file.
void adjust(TPLmpls& m, int64_t marks)
{
    resizeMarkSection(m, 14 * marks);
    m.marks.numberOfMarks = static_cast<uint16_t>(m.marks.marks.size());
}

}  // namespace

std::optional<size_t> insertMark(TPLmpls& m, size_t lastSelected)
{
    auto& marks = m.marks.marks;
    if (marks.size() >= kMaxMarks)
        return std::nullopt;
    const size_t pos = marks.empty() ? 0 : std::min(lastSelected + 1, marks.size());
    TMarkEntry e;
    e.markType = 1;
    e.entryPid = 0xFFFF;
    marks.insert(marks.begin() + static_cast<std::ptrdiff_t>(pos), e);
    adjust(m, 1);
    return pos;
}

MarkDeletion deleteMarks(TPLmpls& m, size_t first, size_t last)
{
    auto& marks = m.marks.marks;
    if (marks.empty() || first >= marks.size() || last < first)
        return {};
    last = std::min(last, marks.size() - 1);
    const size_t n = last - first + 1;
    marks.erase(marks.begin() + static_cast<std::ptrdiff_t>(first),
                marks.begin() + static_cast<std::ptrdiff_t>(last + 1));
    adjust(m, -static_cast<int64_t>(n));
    MarkDeletion d;
    d.removed = n;
    if (!marks.empty())
        d.selection = std::min(first == 0 ? 0 : first - 1, marks.size() - 1);
    return d;
}

bool setMarkType(TPLmpls& m, size_t index, size_t item)
{
    if (index >= m.marks.marks.size() || item > 1)
        return false;
    m.marks.marks[index].markType = static_cast<uint8_t>(item + 1);
    return true;
}

bool setMarkPlayItem(TPLmpls& m, size_t index, uint16_t playItem)
{
    if (index >= m.marks.marks.size())
        return false;
    m.marks.marks[index].playItemRef = playItem;
    return true;
}

MarkTimeParts markTimeParts(uint32_t t)
{
    const uint32_t ms = t / 45;
    return {ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000};
}

MarkTimeParts clampMarkTimeParts(MarkTimeParts p)
{
    p.hour = std::clamp<int64_t>(p.hour, 0, 25);
    p.minute = std::clamp<int64_t>(p.minute, 0, 59);
    p.second = std::clamp<int64_t>(p.second, 0, 59);
    p.millisecond = std::clamp<int64_t>(p.millisecond, 0, 999);
    return p;
}

std::optional<MarkTimeParts> setMarkTime(TPLmpls& m, size_t index, MarkTimeParts parts)
{
    if (index >= m.marks.marks.size())
        return std::nullopt;
    const auto p = clampMarkTimeParts(parts);
    m.marks.marks[index].markTime45k = static_cast<uint32_t>(p.hour * 162000000 + p.minute * 2700000 +
                                                             p.second * 45000 + p.millisecond * 45);
    return p;
}

const std::vector<std::string>& markTypeItems()
{
    static const std::vector<std::string> items{"entry-mark", "link point"};
    return items;
}

}  // namespace mirtal::playlist
