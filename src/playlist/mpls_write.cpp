// The PlayList writer: every length and start address as the model stores it.

#include "core/section_writer.h"

#include <algorithm>
#include "playlist/mpls_io.h"
#include "playlist/vocabulary.h"

namespace mirtal::playlist {
namespace {

using core::SectionWriter;

// stream_entry() in 10 bytes and stream_attributes() in 6; what a type does not carry stays 0.
void writeStream(SectionWriter& w, const TStreamEntry& e, size_t o)
{
    w.writebyte(e.entryLength, o);
    w.writebyte(e.entryType, o + 1);
    switch (e.entryType) {
    case 1:
        w.writeword(e.mainPid, o + 2);
        break;
    case 2:
        w.writebyte(e.subPathId, o + 2);
        w.writebyte(e.subclipId, o + 3);
        w.writeword(e.subPid, o + 4);
        break;
    case 3:
        w.writebyte(e.subPathId, o + 2);
        w.writeword(e.mainPid, o + 3);
        break;
    default:
        break;
    }
    const size_t a = o + 10;
    w.writebyte(e.attributesLength, a);
    w.writebyte(e.codingType, a + 1);
    const uint8_t t = e.codingType;
    if (isVideoCoding(t)) {
        w.writebyte((e.videoFormat << 4) + (e.frameRate & 0x0F), a + 2);
    } else if (isAudioCoding(t)) {
        w.writebyte((e.audioFormat << 4) + (e.sampleRate & 0x0F), a + 2);
        w.writestr(e.language, a + 3, 3);
    } else if (t == 0x90 || t == 0x91) {
        w.writestr(e.language, a + 2, 3);
    } else if (t == 0x92) {
        w.writebyte(e.characterCode, a + 2);
        w.writestr(e.language, a + 3, 3);
    }
}

// count (1), zero byte, the references, a zero byte after an odd count; returns the end.
size_t writeRefs(SectionWriter& w, uint8_t count, const std::vector<uint8_t>& refs, size_t o)
{
    w.writebyte(count, o);
    o += 2;
    for (size_t i = 0; i < count; ++i)
        w.writebyte(i < refs.size() ? refs[i] : 0, o + i);
    return o + count + count % 2;
}

size_t writeClipRef(SectionWriter& w, const TClipRef& c, size_t o)
{
    w.writestr(c.clipName, o, 5);
    w.writestr(c.codecId, o + 5, 4);
    w.writebyte(c.stcId, o + 9);
    return o + 10;
}

size_t writePlayItem(SectionWriter& w, const TPlayItem& p, size_t o)
{
    w.writeword(p.length, o);
    w.writestr(p.clipName, o + 2, 5);
    w.writestr(p.codecId, o + 7, 4);
    w.writeword(p.multiAngle * 16 + (p.connectionCondition & 0x0F), o + 11);
    w.writebyte(p.stcId, o + 13);
    w.writelong(p.inTime45k, o + 14);
    w.writelong(p.outTime45k, o + 18);
    w.writelong(p.uoMask1, o + 22);
    w.writelong(p.uoMask2, o + 26);
    w.writebyte(p.randomAccessFlag * 128, o + 30);
    w.writebyte(p.stillMode, o + 31);
    w.writeword(p.stillTime, o + 32);
    o += 34;
    if (p.multiAngle == 1) {
        w.writebyte(p.angles.numberOfAngles, o);
        w.writebyte(p.angles.differentAudios * 2 + p.angles.seamlessAngleChange, o + 1);
        o += 2;
        for (size_t i = 1; i < p.angles.numberOfAngles; ++i)
            o = writeClipRef(w, i < p.angles.angleClips.size() ? p.angles.angleClips[i] : TClipRef{}, o);
    }
    const auto& s = p.stn;
    w.writeword(s.length, o);
    w.writeword(s.reserved, o + 2);
    w.writebyte(s.primaryVideoCount, o + 4);
    w.writebyte(s.primaryAudioCount, o + 5);
    w.writebyte(s.pgCount, o + 6);
    w.writebyte(s.igCount, o + 7);
    w.writebyte(s.secondaryAudioCount, o + 8);
    w.writebyte(s.secondaryVideoCount, o + 9);
    w.writebyte(s.pipPgCount, o + 10);
    o += 16;
    for (const auto* list : {&s.primaryVideo, &s.primaryAudio, &s.pg, &s.ig})
        for (const auto& e : *list) {
            writeStream(w, e, o);
            o += 16;
        }
    for (const auto& e : s.secondaryAudio) {
        writeStream(w, e, o);
        o = writeRefs(w, e.numberOfPrimaryAudioRefs, e.primaryAudioRefs, o + 16);
    }
    for (const auto& e : s.secondaryVideo) {
        writeStream(w, e, o);
        o = writeRefs(w, e.numberOfSecondaryAudioRefs, e.secondaryAudioRefs, o + 16);
        o = writeRefs(w, e.numberOfPipPgRefs, e.pipPgRefs, o);
    }
    return o;
}

size_t writeSubPath(SectionWriter& w, const TSubPath& p, size_t o)
{
    w.writelong(p.length, o);
    w.writebyte(p.reserved1, o + 4);
    w.writebyte(p.subPathType, o + 5);
    w.writeword(p.repeat, o + 6);
    w.writebyte(p.reserved2, o + 8);
    w.writebyte(p.numberOfSubPlayItems, o + 9);
    o += 10;
    for (const auto& s : p.subPlayItems) {
        w.writeword(s.length, o);
        w.writestr(s.clipName, o + 2, 5);
        w.writestr(s.codecId, o + 7, 4);
        w.writelong(uint32_t(s.connectionCondition) * 2 + s.multiClip, o + 11);
        w.writebyte(s.stcId, o + 15);
        w.writelong(s.inTime45k, o + 16);
        w.writelong(s.outTime45k, o + 20);
        w.writeword(s.syncPlayItemId, o + 24);
        w.writelong(s.syncStartPts, o + 26);
        o += 30;
        if (s.multiClip == 1) {
            w.writebyte(s.numberOfClipEntries, o);
            w.writebyte(s.reserved, o + 1);
            o += 2;
            for (size_t i = 1; i < s.numberOfClipEntries; ++i)
                o = writeClipRef(w, i < s.clipEntries.size() ? s.clipEntries[i] : TClipRef{}, o);
        }
    }
    return o;
}

// The file size the stored lengths and addresses ask for, counted in 64 bits.
uint64_t plannedSize(const TPLmpls& m)
{
    uint64_t end = 44 + uint64_t{m.appInfoLength};
    end = std::max<uint64_t>(end, m.playListStartAddress);
    const uint64_t marks = std::max<uint64_t>(end + m.playList.length + 4, m.playListMarkStartAddress);
    end = marks + m.marks.length + 4;
    if (m.extensionDataStartAddress != 0)
        // The block writer never pads a block far beyond the data it holds.
        end = std::max<uint64_t>(end, m.extensionDataStartAddress) +
              std::min<uint64_t>(uint64_t{m.extensionData.length} + 4,
                                 m.extensionData.data.size() + 12 * (m.extensionData.entries.size() + 1) + 65536);
    return end;
}

}  // namespace

std::vector<uint8_t> writePlaylist(const TPLmpls& m, std::string* problem)
{
    if (plannedSize(m) > kMaxPlaylistFileSize) {
        if (problem)
            *problem = "its stored lengths and start addresses are out of range";
        return {};
    }
    SectionWriter w;
    w.setSize(40);
    w.writelong(m.typeIndicator, 0);
    w.writelong(m.version, 4);
    w.writelong(m.playListStartAddress, 8);
    w.writelong(m.playListMarkStartAddress, 12);
    w.writelong(m.extensionDataStartAddress, 16);
    w.append();

    w.setSize(size_t(m.appInfoLength) + 4, "AppInfoPlayList()");
    w.writelong(m.appInfoLength, 0);
    w.writebyte(m.appInfoReserved, 4);
    w.writebyte(m.playbackType, 5);
    w.writeword(m.playbackCount, 6);
    w.writelong(m.uoMask1, 8);
    w.writelong(m.uoMask2, 12);
    w.writeword(m.randomAccessFlag * 0x8000 + m.audioMixFlag * 0x4000 + m.bypassMixerFlag * 0x2000, 16);
    w.append();

    w.placeAt(m.playListStartAddress, "PlayList()");
    const uint64_t playListStart = w.bytes().size();
    const auto& pl = m.playList;
    // The marks follow the PlayList directly, or at their start address when that lies further on.
    uint64_t marksAt = uint64_t(pl.length) + 4;
    if (m.playListMarkStartAddress > playListStart + marksAt)
        marksAt = m.playListMarkStartAddress - playListStart;
    w.setSize(static_cast<size_t>(marksAt + m.marks.length + 4), "PlayListMark()");
    w.writelong(pl.length, 0);
    w.writeword(pl.reserved, 4);
    w.writeword(pl.numberOfPlayItems, 6);
    w.writeword(pl.numberOfSubPaths, 8);
    size_t o = 10;
    for (const auto& item : pl.playItems)
        o = writePlayItem(w, item, o);
    for (const auto& sub : pl.subPaths)
        o = writeSubPath(w, sub, o);
    // The PlayItems and SubPaths must end within the PlayList's stored length: past it they
    // would run into the marks.
    std::string inPlace;
    if (o > uint64_t(pl.length) + 4)
        inPlace = "PlayList() holds more than its stored length (" + std::to_string(uint64_t(pl.length) + 4) +
                  " bytes) leaves room for";
    o = static_cast<size_t>(marksAt);
    w.writelong(m.marks.length, o);
    w.writeword(m.marks.numberOfMarks, o + 4);
    o += 6;
    for (const auto& e : m.marks.marks) {
        w.writebyte(e.reserved, o);
        w.writebyte(e.markType, o + 1);
        w.writeword(e.playItemRef, o + 2);
        w.writelong(e.markTime45k, o + 4);
        w.writeword(e.entryPid, o + 8);
        w.writelong(e.duration45k, o + 10);
        o += 14;
    }
    w.append();

    if (m.extensionDataStartAddress != 0) {
        w.placeAt(m.extensionDataStartAddress, "ExtensionData()");
        core::writeExtensionDataSized(w, m.extensionData);
    }
    if (inPlace.empty())
        inPlace = w.problem();
    if (!inPlace.empty()) {
        if (problem)
            *problem = inPlace;
        return {};
    }
    return w.take();
}

core::SaveOutcome plsave(const std::filesystem::path& bdmv, const std::string& name, const TPLmpls& model,
                         const core::BackupOptions& options, core::Report& report)
{
    std::string problem;
    const auto bytes = writePlaylist(model, &problem);
    if (bytes.empty()) {
        report.erlog("Cannot save " + name + ".mpls: " + problem + "; nothing was written.");
        showReady(report);
        return core::SaveOutcome::WriteFailed;
    }
    core::BackupOptions o = options;
    o.saveToBackupDir = false;    // PlayLists are never copied into BACKUP
    const auto outcome = core::saveWithBackup(playlistPath(bdmv, name), bytes, o, report);
    showReady(report);
    return outcome;
}

}  // namespace mirtal::playlist
