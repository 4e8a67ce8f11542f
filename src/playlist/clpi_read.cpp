#include "playlist/clpi.h"

#include "bdmv/disc_path.h"
#include "core/field_reader.h"
#include "core/files.h"
#include "core/text.h"
#include "playlist/mpls.h"
#include "playlist/vocabulary.h"

namespace mirtal::playlist {

namespace {

using core::FieldReader;

// The fields of StreamCodingInfo() after the coding type that the coding type carries.
void readCodingInfo(FieldReader& in, ProgramStream& s)
{
    if (isVideoCoding(s.codingType)) {
        const uint8_t b = in.readbyte();
        s.videoFormat = b >> 4;
        s.frameRate = b & 0x0F;
        s.aspectRatio = in.readbyte() >> 4;
    } else if (isAudioCoding(s.codingType)) {
        const uint8_t b = in.readbyte();
        s.audioFormat = b >> 4;
        s.sampleRate = b & 0x0F;
        s.language = in.readstring(3);
    } else if (s.codingType == 0x90 || s.codingType == 0x91) {
        s.language = in.readstring(3);
    } else if (s.codingType == 0x92) {
        s.characterCode = in.readbyte();
        s.language = in.readstring(3);
    }
}

}  // namespace

ClipInfoRead readClipInfo(std::span<const uint8_t> bytes, const std::string& name,
                          const std::optional<bdmv::TAVStream>& stream, core::Report& report)
{
    ClipInfoRead r;
    ClipInfo& v = r.value;
    const std::string file = name + ".clpi";
    report.log("");
    report.log("Reading " + file);
    v.igLoaderEnabled = stream && stream->size > 0;

    FieldReader in(bytes);
    uint32_t type = 0;
    uint32_t version = 0;
    const bool known = core::readTypeAndVersion(in, kHdmv, type, version);

    v.streamNameLabel = "-";
    if (stream) {
        v.streamNameLabel = stream->name.empty() ? "N/A" : stream->name;
        v.streamSizeLabel = core::grouped(stream->size);
        if (v.streamSizeLabel == "0")
            v.streamSizeLabel = v.streamNameLabel != "N/A" ? "empty" : "";
    }

    if (!known) {
        report.erlog("Invalid format: " + file);
        r.stopPosition = in.position();
        return r;
    }
    const auto truncated = [&] {
        report.erlog("Truncated file: " + file + " (" + std::to_string(in.size()) +
                     " bytes) is shorter than its counts and addresses promise");
        v.streams.clear();
        r.status = core::ReadStatus::Truncated;
        r.stopPosition = in.size();
        return r;
    };

    const uint32_t sequenceInfoStart = in.readlword();
    const uint32_t programInfoStart = in.readlword();
    const uint32_t cpiStart = in.readlword();
    const uint32_t clipMarkStart = in.readlword();
    const uint32_t extensionDataStart = in.readlword();
    in.skip(12);

    // ClipInfo()
    in.skip(4 + 2);
    const uint8_t clipStreamType = in.readbyte();
    const uint8_t applicationType = in.readbyte();
    const bool atcDelta = in.readlword() & 1;
    const uint32_t rate = in.readlword();
    const uint32_t packets = in.readlword();
    if (in.overrun())
        return truncated();
    report.log("Clip stream type: " + std::to_string(clipStreamType));
    report.log("application type: " + applicationTypeName(applicationType));
    report.log("rate: " + std::to_string(rate));
    report.log("packet: " + std::to_string(packets));
    in.skip(128);
    in.skip(2 + 1 + 4 + 9 + 16);    // TS type info, not shown
    if (atcDelta) {
        in.skip(1);
        const uint8_t n = in.readbyte();
        report.log("number of ATC delta:" + std::to_string(n));
        for (int i = 0; i < n && !in.overrun(); ++i) {
            in.skip(4);
            const std::string following = in.readstring(5);
            const std::string codec = in.readstring(4);
            in.skip(1);
            report.log(following);
            report.log(codec);
        }
    }
    if (applicationType == 6) {
        in.skip(1);
        const uint8_t fonts = in.readbyte();
        in.skip(size_t{fonts} * 6);
    }
    if (in.overrun())
        return truncated();

    // SequenceInfo()
    in.seek(sequenceInfoStart);
    in.skip(4 + 1);
    const uint8_t atcSequences = in.readbyte();
    report.log("ATC sequences: " + std::to_string(atcSequences));
    for (int i = 0; i < atcSequences && !in.overrun(); ++i) {
        in.skip(4);
        const uint8_t stcSequences = in.readbyte();
        const uint8_t offsetStc = in.readbyte();
        report.log("  offset STC: " + std::to_string(offsetStc));
        in.skip(size_t{stcSequences} * 14);
    }
    if (in.overrun())
        return truncated();

    // ProgramInfo(): a later program sequence replaces the streams of an earlier one.
    in.seek(programInfoStart);
    in.skip(4 + 1);
    const uint8_t programSequences = in.readbyte();
    for (int p = 0; p < programSequences && !in.overrun(); ++p) {
        in.skip(4 + 2);
        const uint8_t streams = in.readbyte();
        in.skip(1);
        v.streams.clear();
        for (int s = 0; s < streams && !in.overrun(); ++s) {
            ProgramStream& entry = v.streams.emplace_back();
            entry.pid = in.readword();
            const uint8_t length = in.readbyte();
            const uint64_t infoStart = in.position();
            entry.codingType = in.readbyte();
            readCodingInfo(in, entry);
            // The rest of StreamCodingInfo() (ISRC, reserved, or what an unknown coding type
            // carries) is skipped by its stored length, which keeps the reader in step.
            in.seek(infoStart + length);
        }
    }
    if (in.overrun())
        return truncated();

    // CPI()
    in.seek(cpiStart);
    const uint32_t cpiLength = in.readlword();
    if (cpiLength != 0) {
        in.skip(2 + 1);
        const uint8_t entries = in.readbyte();
        report.log("Stream PID entries: " + std::to_string(entries));
        in.skip(size_t{entries} * 12);
    }
    in.seek(clipMarkStart);
    (void)in.readlword();
    if (extensionDataStart != 0)
        in.seek(extensionDataStart);
    if (in.overrun())
        return truncated();

    report.log("");
    r.status = core::ReadStatus::Ok;
    r.stopPosition = in.position();
    return r;
}

ClipInfoRead readClipInfoFile(const std::filesystem::path& bdmv, const std::string& name,
                              const std::optional<bdmv::TAVStream>& stream, core::Report& report)
{
    const auto path = bdmv::discEntry(bdmv, "CLIPINF", name + ".clpi");
    std::vector<uint8_t> bytes;
    if (auto f = core::readWholeFile(path, bytes); !f.ok) {
        report.log("");
        report.log("Reading " + name + ".clpi");
        report.erlog("Cannot open " + path.string() + ": " + f.error);
        ClipInfoRead failed;
        failed.status = core::ReadStatus::FileError;
        return failed;
    }
    return readClipInfo(bytes, name, stream, report);
}

bdmv::TAVStream streamFileOf(const std::filesystem::path& bdmv, const std::string& name)
{
    const auto folder = bdmv::discEntry(bdmv, "STREAM");
    const auto path = core::findNoCase(folder, name + ".m2ts");
    if (!path)
        return {};
    std::error_code ec;
    const auto size = std::filesystem::file_size(*path, ec);
    return {path->filename().string(), ec ? 0 : static_cast<int64_t>(size)};
}

}  // namespace mirtal::playlist
