#include "support/sample_disc.h"

#if __has_include("support/playlist_sample.h")
#include "support/playlist_sample.h"
#define MIRTAL_SAMPLE_PLAYLISTS 1
#endif
#if __has_include("support/ig_sample.h")
#include "support/ig_sample.h"
#define MIRTAL_SAMPLE_MENU 1
#endif

namespace mirtal::support {

DiscBuilder sampleDatabase()
{
    DiscBuilder b;
    b.contentProvider("Mirtal demo disc");
    b.firstPlayback({1, 0, 1, 0, {}});
    b.topMenu({1, 0, 0, 1, {}});
    b.title({1, 0, 0, 2, {}});
    b.title({1, 2, 0, 3, {}});
    b.title({1, 0, 1, 4, {}});
    // 0: First Playback: counts, compares, skips a jump, plays the intro, goes to title 1.
    b.object({false, true, true,
              {{0x50400001, 0x00000000, 0x00000001},     // Move GPR0, 1
               {0x50400003, 0x00000000, 0x00000002},     // Add GPR0, 2
               {0x48400200, 0x00000000, 0x00000003},     // EQ GPR0, 3
               {0x20810000, 0x00000005, 0x00000000},     // GoTo 5
               {0x21810000, 0x00000002, 0x00000000},     // Jump Title 2 (skipped)
               {0x22800000, 0x00000000, 0x00000000},     // Play PL 0
               {0x21810000, 0x00000001, 0x00000000}}});  // Jump Title 1
    // 1: Top Menu: the menu PlayList.
    b.object({false, true, false,
              {{0x50400001, 0x80000000 | 10, 0x00000000},    // Move PSR10, 0 (no comment clash)
               {0x22800000, 0x00000004, 0x00000000},         // Play PL 4
               {0x00020000, 0x00000000, 0x00000000}}});      // Break
    // 2: Title 1: the main feature from a register, resumable.
    b.object({true, false, false,
              {{0x50400001, 0x00000002, 0x00000001},     // Move GPR2, 1
               {0x22000000, 0x00000002, 0x00000000},     // Play PL GPR2
               {0x50400004, 0x00000001, 0x00000001},     // Sub GPR1, 1
               {0x48400700, 0x00000001, 0x00000010},     // LT GPR1, 16
               {0x21810000, 0x00000002, 0x00000000},     // Jump Title 2
               {0x21830000, 0x00000000, 0x00000000}}});  // Call Title 0
    // 3: Title 2: chapter play and a random choice.
    b.object({false, false, false,
              {{0x50400008, 0x00000003, 0x00000006},     // Rnd GPR3, 6
               {0x42C10000, 0x00000002, 0x00000000},     // Play PL_PI 2, 0
               {0x50400001, 0x80000010, 0x00656E67},     // Move PSR16, "eng"
               {0x21810000, 0x00000003, 0x00000000}}});  // Jump Title 3
    // 4: Title 3: extras with marks.
    b.object({false, false, true,
              {{0x42C20000, 0x00000003, 0x00000001},     // Play PL_MK 3, 1
               {0x50000001, 0x00000004, 0x00000003},     // Move GPR4, GPR3
               {0x50400009, 0x00000004, 0x00000001},     // And GPR4, 1
               {0x48400300, 0x00000004, 0x00000000},     // NE GPR4, 0
               {0x22800000, 0x00000001, 0x00000000},     // Play PL 1
               {0x21810000, 0x00000001, 0x00000000}}});  // Jump Title 1
    b.objectExtension({{0x0010, 0x0001, {'M', 'i', 'r', 't', 'a', 'l', 0, 1}}});
    return b;
}

std::filesystem::path writeSampleDisc(const std::filesystem::path& dir)
{
    const auto bdmv = sampleDatabase().writeTo(dir);
#ifdef MIRTAL_SAMPLE_PLAYLISTS
    addSamplePlaylists(bdmv);
#endif
#ifdef MIRTAL_SAMPLE_MENU
    addSampleMenu(bdmv);
#endif
    return bdmv;
}

}  // namespace mirtal::support
