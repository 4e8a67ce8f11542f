#include "support/real_data.h"

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

}  // namespace mirtal::support
