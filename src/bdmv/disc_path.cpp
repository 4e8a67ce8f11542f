#include "bdmv/disc_path.h"

#include "core/files.h"

namespace mirtal::bdmv {

std::optional<fs::path> resolveBdmvFolder(const std::string& path)
{
    std::error_code ec;
    fs::path p(path);
    if (!fs::exists(p, ec))
        return std::nullopt;
    p = fs::absolute(p, ec).lexically_normal();
    if (!p.has_filename())
        p = p.parent_path();
    if (!fs::is_directory(p, ec))
        return p.parent_path();
    if (auto inner = core::findNoCase(p, "BDMV"); inner && fs::is_directory(*inner, ec))
        return *inner;
    return p;
}

fs::path discEntry(const fs::path& bdmv, const std::string& name)
{
    if (auto found = core::findNoCase(bdmv, name))
        return *found;
    return bdmv / name;
}

fs::path discEntry(const fs::path& bdmv, const std::string& folder, const std::string& file)
{
    return discEntry(discEntry(bdmv, folder), file);
}

}  // namespace mirtal::bdmv
