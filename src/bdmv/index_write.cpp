#include "bdmv/index_bdmv.h"

#include "core/section_writer.h"

namespace mirtal::bdmv {

namespace {

void writeEntry(core::SectionWriter& out, const TIndexTitle& title, size_t at, bool isTitle)
{
    uint32_t typeWord = static_cast<uint32_t>(title.objectType & 3) << 30;
    if (isTitle)
        typeWord |= static_cast<uint32_t>(title.accessType & 3) << 28;
    out.writelong(typeWord, at);
    out.writeword(static_cast<uint32_t>(title.playbackType & 3) << 14, at + 4);
    if (title.objectType == 1) {
        out.writeword(title.movieObjectId, at + 6);
        out.writelong(0, at + 8);
    } else {
        out.writestr(title.bdjObjectName, at + 6, 5);
        out.writebyte(0, at + 11);
    }
}

}  // namespace

std::vector<uint8_t> writeIndex(const TIndexBdmv& index, std::string* problem)
{
    core::SectionWriter out;
    out.setSize(78);
    out.writelong(index.typeIndicator, 0);
    out.writelong(index.version, 4);
    out.writelong(index.indexesStartAddress, 8);
    out.writelong(index.extensionDataStartAddress, 12);
    for (size_t i = 0; i < index.reserved.size(); ++i)
        out.writebyte(index.reserved[i], 16 + i);
    out.writelong(index.appInfoLength, 40);
    out.writeword(index.appInfoFlags, 44);
    out.writestr(index.contentProviderData, 46, 32);
    out.append();

    out.setSize(30);
    out.writelong(index.indexesLength, 0);
    writeEntry(out, index.firstPlayback, 4, false);
    writeEntry(out, index.topMenu, 16, false);
    // The count written is the number of entries written, so the file always reads back.
    out.writeword(static_cast<uint32_t>(index.titles.size()), 28);
    out.append();

    out.setSize(12 * index.titles.size());
    for (size_t i = 0; i < index.titles.size(); ++i)
        writeEntry(out, index.titles[i], 12 * i, true);
    out.append();

    if (index.extensionDataStartAddress != 0) {
        out.placeAt(index.extensionDataStartAddress, "ExtensionData()");
        core::writeExtensionData(out, index.extensionData);
    }
    if (!out.problem().empty()) {
        if (problem)
            *problem = out.problem();
        return {};
    }
    return out.take();
}

}  // namespace mirtal::bdmv
