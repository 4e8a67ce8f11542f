#include "bdmv/index_bdmv.h"

#include "core/field_reader.h"
#include "core/text.h"

namespace mirtal::bdmv {

namespace {

// One 12-byte entry. Titles carry an access type; First Playback and Top Menu do not.
void readEntry(core::FieldReader& in, TIndexTitle& title, bool isTitle)
{
    const uint32_t typeWord = in.readlword();
    title.objectType = static_cast<uint8_t>(typeWord >> 30);
    if (isTitle)
        title.accessType = static_cast<uint8_t>((typeWord >> 28) & 3);
    title.playbackType = static_cast<uint8_t>(in.readword() >> 14);
    if (title.objectType == 1) {
        title.movieObjectId = in.readword();
        in.readlword();
    } else {
        title.bdjObjectName = in.readstring(5);
        in.readbyte();
    }
}

}  // namespace

IndexRead readIndex(std::span<const uint8_t> bytes, core::Report& report)
{
    IndexRead r;
    TIndexBdmv& index = r.value;
    report.log("Reading index.bdmv");
    report.slog("Reading index.bdmv...", 0);
    report.slog("", 1);

    core::FieldReader in(bytes);
    auto finish = [&](core::ReadStatus result) -> IndexRead {
        r.status = result;
        if (result == core::ReadStatus::Ok) {
            report.log("  Found [b]" + std::to_string(index.titles.size()) + "[/b] titles, " +
                       std::to_string(index.extensionData.numberOfEntries) + " extended entry.");
        } else if (result != core::ReadStatus::TooMany) {
            report.erlog("index.bdmv format error at $" + core::hex(r.stopPosition, 8));
        }
        if (result != core::ReadStatus::TooMany) {
            report.slog("Ready", 0);
            report.slog("", 1);
        }
        return std::move(r);
    };

    if (!core::readTypeAndVersion(in, kIndx, index.typeIndicator, index.version)) {
        r.stopPosition = in.position();
        return finish(core::ReadStatus::FormatError);
    }
    index.indexesStartAddress = in.readlword();
    index.extensionDataStartAddress = in.readlword();
    for (auto& b : index.reserved)
        b = in.readbyte();
    index.appInfoLength = in.readlword();
    index.appInfoFlags = in.readword();
    index.contentProviderData = in.readstring(32);
    if (in.position() != index.indexesStartAddress) {
        if (index.indexesStartAddress > in.size()) {
            r.stopPosition = in.size();
            return finish(core::ReadStatus::Truncated);
        }
        in.seek(index.indexesStartAddress);
    }
    index.indexesLength = in.readlword();
    index.firstPlayback = firstPlaybackEntry();
    readEntry(in, index.firstPlayback, false);
    index.topMenu = TIndexTitle{};
    readEntry(in, index.topMenu, false);
    const uint16_t n = in.readword();
    if (n > kMaxTitles) {
        report.log("Error in index.bdmv (number of title: " + std::to_string(n) + ")");
        return finish(core::ReadStatus::TooMany);
    }
    // A count the file cannot hold is caught here, before anything is sized by it.
    if (in.overrun() || uint64_t{n} * 12 > in.remaining()) {
        r.stopPosition = in.overrun() ? in.overrunAt() : in.size();
        return finish(core::ReadStatus::Truncated);
    }
    index.numberOfTitles = n;
    index.titles.resize(n);
    for (uint16_t i = 0; i < n; ++i) {
        index.titles[i].titleNumber = i + 1;
        readEntry(in, index.titles[i], true);
        if ((i + 1) % 64 == 0 || i + 1 == n)
            report.slog(std::to_string(i + 1) + "/" + std::to_string(n), 1);
    }
    if (index.extensionDataStartAddress != 0)
        index.extensionData = core::ReadExtensionData(in);
    if (in.overrun()) {
        r.stopPosition = in.overrunAt();
        return finish(core::ReadStatus::Truncated);
    }
    return finish(core::ReadStatus::Ok);
}

}  // namespace mirtal::bdmv
