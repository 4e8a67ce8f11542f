#include "bdmv/editing.h"

#include <algorithm>

namespace mirtal::bdmv {

namespace {

// Moves a non-zero start address by delta bytes.
void moveAddress(uint32_t& address, int64_t delta)
{
    if (address != 0)
        address = static_cast<uint32_t>(int64_t{address} + delta);
}

void renumber(TIndexBdmv& index, size_t from)
{
    for (size_t i = from; i < index.titles.size(); ++i)
        index.titles[i].titleNumber = static_cast<int32_t>(i + 1);
}

}  // namespace

std::optional<size_t> insertTitle(TIndexBdmv& index, std::optional<size_t> lastSelected)
{
    if (index.titles.size() >= kMaxTitles)
        return std::nullopt;
    const size_t p = lastSelected ? std::min(*lastSelected + 1, index.titles.size()) : 0;
    TIndexTitle title;
    title.objectType = 1;
    index.titles.insert(index.titles.begin() + static_cast<std::ptrdiff_t>(p), title);
    renumber(index, p);
    index.numberOfTitles = static_cast<uint16_t>(index.titles.size());
    index.indexesLength += 12;
    moveAddress(index.extensionDataStartAddress, 12);
    return p;
}

std::optional<size_t> deleteTitles(TIndexBdmv& index, size_t first, size_t last)
{
    if (index.titles.empty() || first > last || first >= index.titles.size())
        return std::nullopt;
    last = std::min(last, index.titles.size() - 1);
    const size_t n = last - first + 1;
    index.titles.erase(index.titles.begin() + static_cast<std::ptrdiff_t>(first),
                       index.titles.begin() + static_cast<std::ptrdiff_t>(last + 1));
    renumber(index, first);
    index.numberOfTitles = static_cast<uint16_t>(index.titles.size());
    index.indexesLength -= static_cast<uint32_t>(12 * n);
    moveAddress(index.extensionDataStartAddress, -12 * static_cast<int64_t>(n));
    if (index.titles.empty())
        return std::nullopt;
    return first > 0 ? first - 1 : 0;
}

void setTitleObjectType(TIndexBdmv& index, size_t title, int listIndex)
{
    if (title < index.titles.size())
        setEntryObjectType(index.titles[title], listIndex);
}

void setTitleAccessType(TIndexBdmv& index, size_t title, int listIndex)
{
    static constexpr uint8_t kAccess[] = {0, 2, 3};
    if (title < index.titles.size() && listIndex >= 0 && listIndex < 3)
        index.titles[title].accessType = kAccess[listIndex];
}

int accessListIndex(uint8_t accessType)
{
    return accessType <= 1 ? 0 : accessType - 1;
}

void setTitlePlaybackType(TIndexBdmv& index, size_t title, int listIndex)
{
    if (title < index.titles.size())
        setEntryPlaybackType(index.titles[title], listIndex);
}

void setTitleObjectId(TIndexBdmv& index, size_t title, uint16_t movieObjectId)
{
    if (title < index.titles.size())
        index.titles[title].movieObjectId = movieObjectId;
}

void setTitleBdjName(TIndexBdmv& index, size_t title, const std::string& name)
{
    if (title < index.titles.size())
        setEntryBdjName(index.titles[title], name);
}

void setEntryOn(TIndexTitle& entry, bool on, uint16_t objectListId)
{
    if (entry.objectType == 1 || !on)
        entry.movieObjectId = on ? objectListId : kNoMovieObject;
    if (!on)
        entry.objectType = 1;    // off is an HDMV entry without an object
}

void setEntryObjectType(TIndexTitle& entry, int listIndex)
{
    if (listIndex == 0 || listIndex == 1)
        entry.objectType = static_cast<uint8_t>(listIndex + 1);
}

void setEntryPlaybackType(TIndexTitle& entry, int listIndex)
{
    if (listIndex >= 0 && listIndex <= 3)
        entry.playbackType = static_cast<uint8_t>(listIndex);
}

void setEntryObjectId(TIndexTitle& entry, uint16_t movieObjectId)
{
    entry.movieObjectId = movieObjectId;
}

void setEntryBdjName(TIndexTitle& entry, const std::string& name)
{
    entry.bdjObjectName = name.substr(0, 5);
}

std::optional<size_t> insertObject(TMovieObjectFile& file, std::optional<size_t> lastSelected)
{
    if (file.objects.size() >= 0xFFFF)
        return std::nullopt;
    const size_t p = lastSelected ? std::min(*lastSelected + 1, file.objects.size()) : 0;
    file.objects.insert(file.objects.begin() + static_cast<std::ptrdiff_t>(p), Tmobjects{});
    file.numberOfMovieObjects = static_cast<uint16_t>(file.objects.size());
    file.movieObjectsLength += 4;
    moveAddress(file.extensionDataStartAddress, 4);
    return p;
}

void replaceObjects(TMovieObjectFile& file, std::vector<Tmobjects> objects)
{
    const auto bytes = [](const std::vector<Tmobjects>& list) {
        int64_t n = 0;
        for (const auto& o : list)
            n += 4 + 12 * static_cast<int64_t>(o.commands.size());
        return n;
    };
    const int64_t delta = bytes(objects) - bytes(file.objects);
    file.objects = std::move(objects);
    file.numberOfMovieObjects = static_cast<uint16_t>(file.objects.size());
    file.movieObjectsLength = static_cast<uint32_t>(int64_t{file.movieObjectsLength} + delta);
    moveAddress(file.extensionDataStartAddress, delta);
}

std::optional<size_t> deleteObjects(TMovieObjectFile& file, size_t first, size_t last)
{
    if (file.objects.empty() || first > last || first >= file.objects.size())
        return std::nullopt;
    last = std::min(last, file.objects.size() - 1);
    int64_t bytes = 0;
    for (size_t i = first; i <= last; ++i)
        bytes += 4 + 12 * static_cast<int64_t>(file.objects[i].commands.size());
    file.objects.erase(file.objects.begin() + static_cast<std::ptrdiff_t>(first),
                       file.objects.begin() + static_cast<std::ptrdiff_t>(last + 1));
    file.numberOfMovieObjects = static_cast<uint16_t>(file.objects.size());
    file.movieObjectsLength = static_cast<uint32_t>(int64_t{file.movieObjectsLength} - bytes);
    moveAddress(file.extensionDataStartAddress, -bytes);
    if (file.objects.empty())
        return std::nullopt;
    return first > 0 ? first - 1 : 0;
}

void setObjectFlags(TMovieObjectFile& file, size_t object, int resume, int menuCall, int titleSearch)
{
    if (object >= file.objects.size())
        return;
    auto& o = file.objects[object];
    o.resume = resume ? 1 : 0;
    o.menuCall = menuCall ? 1 : 0;
    o.titleSearch = titleSearch ? 1 : 0;
}

void commitIndexExtensionData(TIndexBdmv& index, core::TExtensionData block)
{
    index.extensionData = std::move(block);
    index.extensionDataStartAddress =
        index.extensionData.length == 0 ? 0 : index.indexesStartAddress + index.indexesLength + 4;
}

void commitMovieObjectExtensionData(TMovieObjectFile& file, core::TExtensionData block)
{
    file.extensionData = std::move(block);
    file.extensionDataStartAddress = file.extensionData.length == 0 ? 0 : file.movieObjectsLength + 44;
}

std::string movieObjectExtensionCaption(const TMovieObjectFile& file)
{
    const std::string caption = core::ExtDatCap(file.extensionData);
    return caption == "None" ? "no ExtensionData()" : caption;
}

}  // namespace mirtal::bdmv
