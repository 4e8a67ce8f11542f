#pragma once
// Chapter files: the PlayList's marks as text, in the three formats of the "Chapter format"
// option and in the chapter files other tools read (OGM simple chapters, Matroska XML,
// FFmetadata). Times in the files are on the PlayList axis; import places them on PlayItems.

#include "core/report.h"
#include "playlist/mpls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::playlist {

// The values are the settings' "ChapterFormat" values.
enum class ChapterFormat { Pts = 0, Frame = 1, Time = 2, Ogm = 3, Xml = 4, FfMetadata = 5 };
constexpr int kChapterFormatCount = 6;

// pts, frame, time, ogm, xml, ffmetadata (any case).
[[nodiscard]] std::optional<ChapterFormat> chapterFormatFromText(std::string_view text);
// "PTS", "Frame", "Time", "OGM", "Matroska XML", "FFmetadata": the Options tab's items.
[[nodiscard]] std::string chapterFormatCaption(ChapterFormat format);
// "chapter_" + name + "_PTS.txt", "_frame.txt", "_time.txt", "_ogm.txt", ".xml", "_ffmetadata.txt".
[[nodiscard]] std::string chapterFileName(const std::string& playListName, ChapterFormat format);
// The OGM, XML and FFmetadata files carry chapters only: the entry marks.
[[nodiscard]] bool carriesEntryMarksOnly(ChapterFormat format);
// FFmetadata is written, never read: an error line says so and true is returned.
bool refuseExportOnly(ChapterFormat format, core::Report& report);

struct FrameRate {
    uint32_t numerator = 0;
    uint32_t denominator = 0;
};
// The rate of the first primary video stream of the first PlayItem; nullopt when it has none.
[[nodiscard]] std::optional<FrameRate> chapterFrameRate(const TPLmpls& mpls);

// Chapter names, one a line ("line N names chapter N"); a byte-order mark is skipped and a
// blank line keeps that chapter's own name.
[[nodiscard]] std::vector<std::string> readChapterNames(std::string_view text);

// The chapter file. The three formats of the option write one line per mark in list order,
// each ended by CR LF; the others write the entry marks in PlayList time order, named
// "Chapter 01" … unless `names` gives a name. The "Frame" format without a rate is refused
// with an error line (nullopt).
[[nodiscard]] std::optional<std::string> exportChapters(const TPLmpls& mpls, ChapterFormat format,
                                                        core::Report& report,
                                                        const std::vector<std::string>& names = {});

// Reads a chapter file into the marks. A chapter whose time text equals what the export writes
// for an existing mark gives back that mark as it was; other chapters become entry marks placed
// on their PlayItem, with the import's log lines. The three formats of the option replace the
// whole mark list in file order; the others replace the entry marks and keep the link points,
// in PlayList time order. A text without chapters changes nothing; a line the format cannot
// read, a time at or past the PlayList's end or more than 999 marks is an error line naming
// `source` (and the line) and nothing changes. Returns false when nothing was imported.
bool importChapters(TPLmpls& mpls, std::string_view text, ChapterFormat format, core::Report& report,
                    std::string_view source = "chapter file");

}  // namespace mirtal::playlist
