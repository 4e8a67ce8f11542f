#include "support/real_data.h"

#include "core/text.h"

#include <algorithm>
#include <cstdlib>

namespace mirtal::support {

std::optional<std::filesystem::path> realDataDir()
{
    std::error_code ec;
    if (const char* env = std::getenv("MIRTAL_REAL_DATA"); env && *env) {
        if (std::filesystem::is_directory(env, ec))
            return std::filesystem::path(env);
        return std::nullopt;
    }
#ifdef MIRTAL_REAL_DATA_DIR
    if (std::filesystem::is_directory(MIRTAL_REAL_DATA_DIR, ec))
        return std::filesystem::path(MIRTAL_REAL_DATA_DIR);
#endif
    return std::nullopt;
}

std::vector<std::filesystem::path> realFiles(const std::filesystem::path& root, const std::string& name)
{
    std::vector<std::filesystem::path> out;
    const bool byExtension = !name.empty() && name.front() == '.';
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        if (!e.is_regular_file())
            continue;
        if (byExtension ? core::equalsNoCase(e.path().extension().string(), name) : e.path().filename() == name)
            out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool isVersion0300(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= 8 && std::string(bytes.begin() + 4, bytes.begin() + 8) == "0300";
}

}  // namespace mirtal::support
