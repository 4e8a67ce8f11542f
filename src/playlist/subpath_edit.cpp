#include "playlist/subpath_edit.h"

#include "core/text.h"

namespace mirtal::playlist {

std::optional<size_t> insertSubPath(TPLmpls& m, size_t selected)
{
    auto& subPaths = m.playList.subPaths;
    if (subPaths.size() >= kMaxSubPaths)
        return std::nullopt;
    resizePlayListSection(m, 40);
    TSubPath sp;
    sp.length = 36;
    sp.subPathType = 3;
    sp.numberOfSubPlayItems = 1;
    TSubPlayItem& s = sp.subPlayItems.emplace_back();
    s.length = 28;
    // A PlayList without PlayItems gives an empty clip name at time 0.
    if (!m.playList.playItems.empty()) {
        const TPlayItem& first = m.playList.playItems.front();
        s.clipName = first.clipName;
        s.codecId = first.codecId;
        s.inTime45k = s.outTime45k = first.inTime45k;
    }
    s.connectionCondition = 1;
    const size_t pos = subPaths.empty() ? 0 : std::min(selected + 1, subPaths.size());
    subPaths.insert(subPaths.begin() + static_cast<std::ptrdiff_t>(pos), std::move(sp));
    m.playList.numberOfSubPaths = static_cast<uint16_t>(subPaths.size());
    setSubPathType(m, pos, 3);
    return pos;
}

SubPathDeletion deleteSubPath(TPLmpls& m, size_t index)
{
    auto& subPaths = m.playList.subPaths;
    if (index >= subPaths.size())
        return {};
    resizePlayListSection(m, -static_cast<int64_t>(subPathFileSize(subPaths[index])));
    subPaths.erase(subPaths.begin() + static_cast<std::ptrdiff_t>(index));
    m.playList.numberOfSubPaths = static_cast<uint16_t>(subPaths.size());
    SubPathDeletion d;
    d.deleted = true;
    if (!subPaths.empty())
        d.selection = index == 0 ? 0 : index - 1;
    return d;
}

bool setSubPathType(TPLmpls& m, size_t index, uint8_t type)
{
    if (index >= m.playList.subPaths.size())
        return false;
    TSubPath& sp = m.playList.subPaths[index];
    sp.subPathType = type;
    if (type != 2)
        sp.repeat = 0;
    return repeatSelectorEnabled(sp);
}

bool setSubPathRepeat(TPLmpls& m, size_t index, uint16_t item)
{
    if (index >= m.playList.subPaths.size() || item > 1)
        return false;
    m.playList.subPaths[index].repeat = item;
    return true;
}

bool repeatSelectorEnabled(const TSubPath& subPath)
{
    return subPath.subPathType == 2;
}

bool editSubPlayItemCell(TPLmpls& m, size_t subPath, size_t subPlayItem, int column, std::string_view text)
{
    if (subPath >= m.playList.subPaths.size() || subPlayItem >= m.playList.subPaths[subPath].subPlayItems.size())
        return false;
    TSubPlayItem& s = m.playList.subPaths[subPath].subPlayItems[subPlayItem];
    switch (column) {
    case 1:
        s.clipName = std::string(text.substr(0, 5));
        return true;
    case 3:
        s.connectionCondition = static_cast<uint8_t>(core::textToInteger(text));
        return true;
    case 6:
        s.inTime45k = core::timeToTicks(text) >> 1;
        return true;
    case 7:
        s.outTime45k = core::timeToTicks(text) >> 1;
        return true;
    default:
        return false;
    }
}

std::optional<size_t> clipSelectorIndex(const std::vector<std::string>& clips, const std::string& name)
{
    for (size_t i = 0; i < clips.size(); ++i)
        if (clips[i] == name)
            return i;
    return std::nullopt;
}

}  // namespace mirtal::playlist
