#pragma once
// Where the real disc files made by others are (beside the project, never inside it).

#include <filesystem>
#include <optional>

namespace mirtal::support {

// The real-data folder, or nullopt when it is absent; tests then GTEST_SKIP with a message.
std::optional<std::filesystem::path> realDataDir();

}  // namespace mirtal::support

// In a test: auto dir = REAL_DATA_OR_SKIP(); gives the folder or skips, saying why.
#define REAL_DATA_OR_SKIP()                                                                       \
    ({                                                                                            \
        auto mirtalRealDir = ::mirtal::support::realDataDir();                                    \
        if (!mirtalRealDir)                                                                       \
            GTEST_SKIP() << "real disc files not found (../shared/testdata/real is absent)";      \
        *mirtalRealDir;                                                                           \
    })
