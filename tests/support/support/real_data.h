#pragma once
// Where the real disc files made by others are (beside the project, never inside it).

#include <filesystem>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::support {

// The real-data folder, or nullopt when it is absent; tests then GTEST_SKIP with a message.
std::optional<std::filesystem::path> realDataDir();

// Every ordinary file below root named `name`, or, when name starts with ".", whose extension is
// name (without regard to case); sorted.
std::vector<std::filesystem::path> realFiles(const std::filesystem::path& root, const std::string& name);
// True for a disc file whose version field reads "0300" (the UHD format the editor refuses).
bool isVersion0300(const std::vector<uint8_t>& bytes);

}  // namespace mirtal::support

// In a test: auto dir = REAL_DATA_OR_SKIP(); gives the folder or skips, saying why.
#define REAL_DATA_OR_SKIP()                                                                       \
    ({                                                                                            \
        auto mirtalRealDir = ::mirtal::support::realDataDir();                                    \
        if (!mirtalRealDir)                                                                       \
            GTEST_SKIP() << "real disc files not found (../shared/testdata/real is absent)";      \
        *mirtalRealDir;                                                                           \
    })
