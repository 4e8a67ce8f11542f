#pragma once
// Shared helpers of the IG tests: loading a built stream from memory.

#include "ig/ig_load.h"
#include "support/ig_builder.h"
#include "support/recording_reporter.h"

namespace mirtal::ig::testing {

inline LoadResult loadBytes(const std::vector<uint8_t>& ts, IgMenu& menu, support::RecordingReporter& rec,
                            uint16_t pid = 0x1400)
{
    core::Report report(rec);
    MemorySource src(ts);
    LoadResult r = loadIG(src, pid, static_cast<int64_t>(ts.size()), "00010.m2ts", report);
    menu = std::move(r.value);
    return r;
}

// A 4 × 2 object: entries 1 and 2 on the top line, 3 on the second.
inline std::vector<uint8_t> smallPixels() { return {1, 1, 2, 2, 3, 3, 3, 3}; }

}  // namespace mirtal::ig::testing
