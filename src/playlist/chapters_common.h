#pragma once
// What the chapter export and import share: a chapter's time as each format writes and counts
// it, and the reading of a chapter file into its chapters.

#include "playlist/chapters.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirtal::playlist {

// A chapter's time in the format's own count: ticks ("PTS"), thousandths of a frame ("Frame"),
// nanoseconds (the others; "Time" and OGM write whole milliseconds, Matroska XML nanoseconds).
struct ChapterScale {
    ChapterFormat format = ChapterFormat::Pts;
    FrameRate rate;    // "Frame" only

    // What the export writes for a PlayList time: each conversion truncates.
    [[nodiscard]] uint64_t count(uint64_t ticks) const;
    // A count back to ticks ("Frame" truncating, nanoseconds to the nearest tick).
    [[nodiscard]] uint64_t ticks(uint64_t count) const;
    // One step of the format, in its count.
    [[nodiscard]] uint64_t unit() const;
    // The time as the export writes it.
    [[nodiscard]] std::string text(uint32_t ticks) const;
};

// The chapter's position on the PlayList axis as the export computes it (32-bit unsigned).
[[nodiscard]] uint32_t playListTime(const TPLmpls& mpls, const TMarkEntry& mark);
// S(k): where PlayItem k starts on the PlayList axis (32-bit, as the durations add up).
[[nodiscard]] uint32_t startOf(const TPLmpls& mpls, size_t k);

// "Frame" without a frame rate: an error line and true.
bool refuseWithoutRate(const TPLmpls& mpls, ChapterFormat format, core::Report& report);
// The marks a format writes: every mark, or the entry marks only.
[[nodiscard]] bool isWritten(ChapterFormat format, const TMarkEntry& mark);

// One chapter of a file: where it is, its time as written and that time in the format's count.
struct ChapterLine {
    size_t line = 0;    // from 1
    std::string key;    // compared with what the export writes
    uint64_t count = 0;
};

struct LineError {
    size_t line = 0;
    std::string message;
};

// At most this many error lines are shown, the first by line; the rest are counted.
constexpr size_t kShownErrors = 10;

// An error of `line` after those already in `errors` (lines only grow): its message, made by
// `message()`, only while it can be among the lines shown.
template <typename Message>
void addLineError(std::vector<LineError>& errors, size_t line, Message&& message)
{
    errors.push_back({line, errors.size() < kShownErrors ? message() : std::string()});
}

struct ChapterFile {
    std::vector<ChapterLine> chapters;
    std::vector<LineError> errors;
    std::vector<std::string> notes;    // parts of the file a PlayList cannot hold
};

// The chapters of a file in one of the readable formats; blank lines and a byte-order mark are
// skipped, every line the format cannot read is an error.
[[nodiscard]] ChapterFile readChapterFile(std::string_view text, ChapterFormat format);

[[nodiscard]] std::string_view withoutByteOrderMark(std::string_view text);
// The lines of a text without their line ends (LF or CR LF).
[[nodiscard]] std::vector<std::string_view> textLines(std::string_view text);
[[nodiscard]] std::string_view trimmed(std::string_view text);
// H:MM:SS with an optional fraction of 1 to 9 digits, in nanoseconds; nullopt for anything else.
[[nodiscard]] std::optional<uint64_t> clockNanoseconds(std::string_view text);

}  // namespace mirtal::playlist
