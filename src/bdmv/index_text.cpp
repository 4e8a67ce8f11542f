#include "bdmv/index_bdmv.h"

#include "core/text.h"

namespace mirtal::bdmv {

std::string objectTypeText(uint8_t objectType)
{
    switch (objectType) {
    case 1: return "HDMV";
    case 2: return "BD-J";
    default: return "";
    }
}

std::string accessTypeText(uint8_t accessType)
{
    switch (accessType) {
    case 2: return "Prohibited1";
    case 3: return "Prohibited2";
    default: return "Permitted";
    }
}

std::string playbackTypeText(uint8_t playbackType)
{
    switch (playbackType) {
    case 0: return "Movie";
    case 1: return "Interactive";
    default: return "";
    }
}

std::array<std::string, 5> titleCaptions()
{
    return {"No.", "object t.", "title search", "playback t.", "OID/file"};
}

std::array<std::string, 5> indline(const TIndexTitle& title)
{
    return {core::padded(title.titleNumber, 3), objectTypeText(title.objectType), accessTypeText(title.accessType),
            playbackTypeText(title.playbackType),
            title.objectType == 1 ? std::to_string(title.movieObjectId) : title.bdjObjectName};
}

std::vector<std::array<std::string, 5>> titleRows(const TIndexBdmv& index)
{
    std::vector<std::array<std::string, 5>> rows;
    rows.reserve(index.titles.size());
    for (const auto& t : index.titles)
        rows.push_back(indline(t));
    return rows;
}

}  // namespace mirtal::bdmv
