// The PlayList reader: one pass, field after field; sections at their start addresses.

#include "bdmv/disc_path.h"
#include "core/field_reader.h"
#include "core/files.h"
#include "playlist/mpls_io.h"
#include "playlist/vocabulary.h"

namespace mirtal::playlist {
namespace {

using core::FieldReader;

// stream_entry(): the fields its type carries; the entry then ends where its stored length says,
// so an unknown type is skipped whole.
void readStreamEntry(FieldReader& in, TStreamEntry& e)
{
    e.entryLength = in.readbyte();
    const uint64_t start = in.position();
    e.entryType = in.readbyte();
    switch (e.entryType) {
    case 1:
        e.mainPid = in.readword();
        break;
    case 2:
        e.subPathId = in.readbyte();
        e.subclipId = in.readbyte();
        e.subPid = in.readword();
        break;
    case 3:
        e.subPathId = in.readbyte();
        e.mainPid = in.readword();
        break;
    default:
        break;
    }
    in.seek(start + e.entryLength);
}

void readStreamAttributes(FieldReader& in, TStreamEntry& e)
{
    e.attributesLength = in.readbyte();
    const uint64_t start = in.position();
    e.codingType = in.readbyte();
    const uint8_t t = e.codingType;
    if (isVideoCoding(t)) {
        const uint8_t b = in.readbyte();
        e.videoFormat = b >> 4;
        e.frameRate = b & 0x0F;
    } else if (isAudioCoding(t)) {
        const uint8_t b = in.readbyte();
        e.audioFormat = b >> 4;
        e.sampleRate = b & 0x0F;
        e.language = in.readstring(3);
    } else if (t == 0x90 || t == 0x91) {
        e.language = in.readstring(3);
    } else if (t == 0x92) {
        e.characterCode = in.readbyte();
        e.language = in.readstring(3);
    }
    in.seek(start + e.attributesLength);
}

void readStream(FieldReader& in, TStreamEntry& e)
{
    readStreamEntry(in, e);
    readStreamAttributes(in, e);
}

std::vector<uint8_t> readRefs(FieldReader& in, uint8_t n)
{
    std::vector<uint8_t> refs;
    refs.reserve(in.fitting(n, 1));
    for (uint8_t i = 0; i < n && !in.overrun(); ++i)
        refs.push_back(in.readbyte());
    if (n % 2)
        in.skip(1);
    return refs;
}

template <typename T>
void readList(FieldReader& in, std::vector<T>& list, size_t count)
{
    // An entry holds at least its two length bytes.
    list.reserve(in.fitting(count, 2));
    for (size_t i = 0; i < count && !in.overrun(); ++i) {
        T e;
        readStream(in, e);
        if constexpr (std::is_same_v<T, TSecAudio>) {
            e.numberOfPrimaryAudioRefs = in.readbyte();
            e.reserved = in.readbyte();
            e.primaryAudioRefs = readRefs(in, e.numberOfPrimaryAudioRefs);
        } else if constexpr (std::is_same_v<T, TSecVideo>) {
            e.numberOfSecondaryAudioRefs = in.readbyte();
            e.reserved = in.readbyte();
            e.secondaryAudioRefs = readRefs(in, e.numberOfSecondaryAudioRefs);
            e.numberOfPipPgRefs = in.readbyte();
            in.skip(1);
            e.pipPgRefs = readRefs(in, e.numberOfPipPgRefs);
        }
        list.push_back(std::move(e));
    }
}

void readStn(FieldReader& in, TSTN& stn)
{
    stn.length = in.readword();
    stn.reserved = in.readword();
    stn.primaryVideoCount = in.readbyte();
    stn.primaryAudioCount = in.readbyte();
    stn.pgCount = in.readbyte();
    stn.igCount = in.readbyte();
    stn.secondaryAudioCount = in.readbyte();
    stn.secondaryVideoCount = in.readbyte();
    stn.pipPgCount = in.readbyte();
    in.skip(5);
    readList(in, stn.primaryVideo, stn.primaryVideoCount);
    readList(in, stn.primaryAudio, stn.primaryAudioCount);
    readList(in, stn.pg, size_t(stn.pgCount) + stn.pipPgCount);
    readList(in, stn.ig, stn.igCount);
    readList(in, stn.secondaryAudio, stn.secondaryAudioCount);
    readList(in, stn.secondaryVideo, stn.secondaryVideoCount);
}

TClipRef readClipRef(FieldReader& in)
{
    TClipRef c;
    c.clipName = in.readstring(5);
    c.codecId = in.readstring(4);
    c.stcId = in.readbyte();
    return c;
}

TPlayItem readPlayItem(FieldReader& in)
{
    TPlayItem item;
    item.length = in.readword();
    item.clipName = in.readstring(5);
    item.codecId = in.readstring(4);
    const uint16_t flags = in.readword();
    item.multiAngle = (flags >> 4) & 1;
    item.connectionCondition = flags & 0x0F;
    item.stcId = in.readbyte();
    item.inTime45k = in.readlword();
    item.outTime45k = in.readlword();
    item.uoMask1 = in.readlword();
    item.uoMask2 = in.readlword();
    item.randomAccessFlag = in.readbyte() >> 7;
    item.stillMode = in.readbyte();
    item.stillTime = in.readword();
    if (item.multiAngle == 1) {
        auto& a = item.angles;
        a.numberOfAngles = in.readbyte();
        const uint8_t f = in.readbyte();
        a.differentAudios = (f >> 1) & 1;
        a.seamlessAngleChange = f & 1;
        // A clip reference holds 10 bytes.
        a.angleClips.reserve(in.fitting(a.numberOfAngles, 10));
        if (a.numberOfAngles > 0)
            a.angleClips.push_back({item.clipName, item.codecId, item.stcId});
        for (int i = 1; i < a.numberOfAngles && !in.overrun(); ++i)
            a.angleClips.push_back(readClipRef(in));
    }
    readStn(in, item.stn);
    return item;
}

TSubPlayItem readSubPlayItem(FieldReader& in)
{
    TSubPlayItem s;
    s.length = in.readword();
    s.clipName = in.readstring(5);
    s.codecId = in.readstring(4);
    const uint32_t w = in.readlword();
    s.connectionCondition = (w >> 1) & 0xFF;
    s.multiClip = w & 1;
    s.stcId = in.readbyte();
    s.inTime45k = in.readlword();
    s.outTime45k = in.readlword();
    s.syncPlayItemId = in.readword();
    s.syncStartPts = in.readlword();
    if (s.multiClip == 1) {
        s.numberOfClipEntries = in.readbyte();
        s.reserved = in.readbyte();
        s.clipEntries.reserve(in.fitting(s.numberOfClipEntries, 10));
        if (s.numberOfClipEntries > 0)
            s.clipEntries.push_back({s.clipName, s.codecId, s.stcId});
        for (int i = 1; i < s.numberOfClipEntries && !in.overrun(); ++i)
            s.clipEntries.push_back(readClipRef(in));
    }
    return s;
}

TSubPath readSubPath(FieldReader& in)
{
    TSubPath p;
    p.length = in.readlword();
    p.reserved1 = in.readbyte();
    p.subPathType = in.readbyte();
    p.repeat = in.readword();
    p.reserved2 = in.readbyte();
    p.numberOfSubPlayItems = in.readbyte();
    p.subPlayItems.reserve(in.fitting(p.numberOfSubPlayItems, 30));
    for (int i = 0; i < p.numberOfSubPlayItems && !in.overrun(); ++i)
        p.subPlayItems.push_back(readSubPlayItem(in));
    return p;
}

std::string positionText(const FieldReader& in)
{
    // Short enough for the string's own buffer: no allocation at all.
    return std::to_string(in.position()) + "/" + std::to_string(in.size());
}

}  // namespace

PlayListRead readPlaylist(std::span<const uint8_t> bytes, const std::string& name, core::Report& report)
{
    const std::string file = name + ".mpls";
    report.log("Reading " + file);
    report.slog("Reading " + file, 0);
    FieldReader in(bytes);
    PlayListRead r;
    const auto finish = [&](core::ReadStatus status) {
        showReady(report);
        r.status = status;
        r.stopPosition = in.position();
        return std::move(r);
    };

    TPLmpls& m = r.value;
    if (!core::readTypeAndVersion(in, kMpls, m.typeIndicator, m.version)) {
        report.erlog("Invalid format: " + file);
        return finish(core::ReadStatus::FormatError);
    }
    m.playListStartAddress = in.readlword();
    m.playListMarkStartAddress = in.readlword();
    m.extensionDataStartAddress = in.readlword();
    const auto reserved = in.readbytes(20);
    m.reserved.assign(reserved.begin(), reserved.end());
    m.reserved.resize(20, 0);
    m.appInfoLength = in.readlword();
    m.appInfoReserved = in.readbyte();
    m.playbackType = in.readbyte();
    m.playbackCount = in.readword();
    m.uoMask1 = in.readlword();
    m.uoMask2 = in.readlword();
    const uint16_t flags = in.readword();
    m.randomAccessFlag = (flags >> 15) & 1;
    m.audioMixFlag = (flags >> 14) & 1;
    m.bypassMixerFlag = (flags >> 13) & 1;

    in.seek(m.playListStartAddress);
    auto& pl = m.playList;
    pl.length = in.readlword();
    pl.reserved = in.readword();
    pl.numberOfPlayItems = in.readword();
    pl.numberOfSubPaths = in.readword();
    // A PlayItem holds at least 50 bytes, a SubPath 10, a mark 14.
    pl.playItems.reserve(in.fitting(pl.numberOfPlayItems, 50));
    for (int i = 0; i < pl.numberOfPlayItems && !in.overrun(); ++i) {
        report.slog(positionText(in), 1);
        pl.playItems.push_back(readPlayItem(in));
    }
    pl.subPaths.reserve(in.fitting(pl.numberOfSubPaths, 10));
    for (int i = 0; i < pl.numberOfSubPaths && !in.overrun(); ++i) {
        report.slog(positionText(in), 1);
        pl.subPaths.push_back(readSubPath(in));
    }
    if (m.playListMarkStartAddress != 0 && !in.overrun()) {
        in.seek(m.playListMarkStartAddress);
        m.marks.length = in.readlword();
        m.marks.numberOfMarks = in.readword();
        m.marks.marks.reserve(in.fitting(m.marks.numberOfMarks, 14));
        for (int i = 0; i < m.marks.numberOfMarks && !in.overrun(); ++i) {
            report.slog(positionText(in), 1);
            TMarkEntry e;
            e.reserved = in.readbyte();
            e.markType = in.readbyte();
            e.playItemRef = in.readword();
            e.markTime45k = in.readlword();
            e.entryPid = in.readword();
            e.duration45k = in.readlword();
            m.marks.marks.push_back(e);
        }
    }
    if (m.extensionDataStartAddress != 0 && !in.overrun()) {
        in.seek(m.extensionDataStartAddress);
        m.extensionData = core::ReadExtensionData(in);
    }
    // The stored section lengths promise bytes too: each section must fit in the file (the
    // writer sizes its sections by them).
    const uint64_t size = in.size();
    const bool sectionsFit = 44 + uint64_t{m.appInfoLength} <= size &&
                             uint64_t{m.playListStartAddress} + m.playList.length + 4 <= size &&
                             (m.playListMarkStartAddress == 0 ||
                              uint64_t{m.playListMarkStartAddress} + m.marks.length + 4 <= size);
    if (in.overrun() || !sectionsFit) {
        report.erlog("Truncated file: " + file + " ends at byte " + std::to_string(in.size()) +
                     " before its contents do");
        return finish(core::ReadStatus::Truncated);
    }
    report.log(std::to_string(m.playList.numberOfPlayItems) + " PlayItem(s), " +
               std::to_string(m.playList.numberOfSubPaths) + " SubPath(s) and " +
               std::to_string(m.marks.numberOfMarks) + " PlayListMark(s) found.");
    return finish(core::ReadStatus::Ok);
}

std::filesystem::path playlistPath(const std::filesystem::path& bdmv, const std::string& name)
{
    return bdmv::discEntry(bdmv, "PLAYLIST", name + ".mpls");
}

PlayListRead readPlaylistFile(const std::filesystem::path& bdmv, const std::string& name, core::Report& report)
{
    std::vector<uint8_t> bytes;
    if (auto r = core::readWholeFile(playlistPath(bdmv, name), bytes); !r.ok) {
        report.erlog("Cannot read " + name + ".mpls: " + r.error);
        showReady(report);
        PlayListRead failed;
        failed.status = core::ReadStatus::FileError;
        return failed;
    }
    return readPlaylist(bytes, name, report);
}

}  // namespace mirtal::playlist
