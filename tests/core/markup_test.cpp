#include "core/markup.h"
#include "core/report.h"
#include "support/recording_reporter.h"

#include <gtest/gtest.h>

using namespace mirtal::core;

TEST(Markup, BoldCountInAFoundLine)
{
    const std::string m = "  Found [b]12[/b] titles, 0 extended entry.";
    EXPECT_EQ(markupToPlain(m), "  Found 12 titles, 0 extended entry.");
    const auto spans = parseMarkup(m);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_FALSE(spans[0].bold);
    EXPECT_TRUE(spans[1].bold);
    EXPECT_EQ(spans[1].text, "12");
    EXPECT_FALSE(spans[2].bold);
}

TEST(Markup, ColoursAndSizes)
{
    const auto spans = parseMarkup("[bl]PLAYLIST[/bl] folder: [b]OK[/b]");
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].rgb, 0x0000FFu);
    EXPECT_EQ(spans[1].text, " folder: ");
    EXPECT_TRUE(spans[2].bold);

    // Platform colour values keep red in the lowest byte.
    EXPECT_EQ(parseMarkup("[c:0000FF]x[/c:0000FF]")[0].rgb, 0xFF0000u);
    EXPECT_EQ(parseMarkup("[c:FF0000]x[/c:FF0000]")[0].rgb, 0x0000FFu);
    EXPECT_EQ(parseMarkup("[re]x[/re]")[0].rgb, 0xFF0000u);
    EXPECT_EQ(parseMarkup("[gr]x[/gr]")[0].rgb, 0x00FF00u);
    EXPECT_EQ(parseMarkup("[s2]x[/s2]")[0].sizePt, 12);
    EXPECT_EQ(parseMarkup("[s1]x[/s1]")[0].sizePt, 10);
    EXPECT_EQ(parseMarkup("[zz]x[/zz]")[0].sizePt, 8);
    EXPECT_TRUE(parseMarkup("[i]x[/i]")[0].italic);
    EXPECT_TRUE(parseMarkup("[u]x[/u]")[0].underline);
}

TEST(Markup, BrokenMarkupStillShowsItsText)
{
    EXPECT_EQ(markupToPlain("[b]open"), "open");
    EXPECT_EQ(parseMarkup("[b]open")[0].text, "open");
    EXPECT_EQ(markupToPlain("a [b"), "a [b");                 // no closing bracket: kept, never loops
    EXPECT_EQ(markupToPlain("Disc [2001] x"), "Disc  x");     // brackets cannot be shown
    const std::string longTail(400, 'x');
    EXPECT_EQ(markupToPlain("[b]" + longTail + "[/b]"), longTail);    // long lines are not cut
    EXPECT_TRUE(parseMarkup("").empty());
}

TEST(Report, ErlogShowsTheErrorAndRaisesTheFlag)
{
    mirtal::support::RecordingReporter rec;
    Report report(rec);
    report.erlog("Cannot create backup file.");
    EXPECT_EQ(rec.lines.back(), "[re]Cannot create backup file.[/re]");
    EXPECT_TRUE(rec.errorShown);
    EXPECT_EQ(rec.errors.back(), "Cannot create backup file.");
    EXPECT_EQ(rec.beeps, 1);
    EXPECT_TRUE(report.errorFlag());
    report.slog("Ready", 0);
    EXPECT_FALSE(rec.errorShown);
    EXPECT_TRUE(report.errorFlag());    // only the savers clear it

    report.log("");
    EXPECT_EQ(rec.lines.back(), "");
    report.log2("word");
    EXPECT_EQ(rec.lines[rec.lines.size() - 2], "word");
    EXPECT_EQ(rec.lines.back(), "");

    report.setActiDelayMs(250);
    report.slogw("Play PL 1", 1);
    EXPECT_EQ(rec.panels[1], "Play PL 1");
    EXPECT_EQ(rec.waits.back(), 250);
    report.slog("", 1);
    EXPECT_EQ(rec.panels[1], "");
}
