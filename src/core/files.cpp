#include "core/files.h"

#include "core/text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace mirtal::core {

FileResult readWholeFile(const fs::path& path, std::vector<uint8_t>& out, uint64_t maxBytes)
{
    out.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {false, "Cannot open file " + path.string() + ": " + std::strerror(errno)};
    in.seekg(0, std::ios::end);
    const auto size = static_cast<int64_t>(in.tellg());
    if (size < 0)
        return {false, "Cannot read file " + path.string()};
    if (static_cast<uint64_t>(size) > maxBytes)
        return {false, "File too large: " + path.string()};
    in.seekg(0);
    out.resize(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(out.data()), size)) {
        out.clear();
        return {false, "Cannot read file " + path.string()};
    }
    return {true, {}};
}

namespace {

bool writeAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

std::string tempSuffix()
{
    static std::mt19937 gen(std::random_device{}());
    return ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(gen() % 1000000);
}

}  // namespace

FileResult writeTempBeside(const fs::path& path, const std::vector<uint8_t>& bytes, fs::path& temp)
{
    temp = path;
    temp += tempSuffix();
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return {false, "Cannot create file " + path.string() + ": " + std::strerror(errno)};
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        (void)::fchmod(fd, st.st_mode & 07777);
    const bool ok = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const int err = errno;
    if (::close(fd) != 0 || !ok) {
        std::error_code ec;
        fs::remove(temp, ec);
        return {false, "Cannot write file " + path.string() + ": " + std::strerror(ok ? errno : err)};
    }
    return {true, {}};
}

FileResult writeFileAtomic(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    fs::path temp;
    if (auto r = writeTempBeside(path, bytes, temp); !r.ok)
        return r;
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        return {false, "Cannot write file " + path.string() + ": " + ec.message()};
    }
    return {true, {}};
}

std::optional<fs::path> findNoCase(const fs::path& dir, const std::string& name)
{
    std::error_code ec;
    // The spellings discs use (as asked, all capitals, all small letters, the extension in
    // either case) are tried first, so that opening a folder of thousands of clips does not
    // read the folder once for every clip.
    const auto lower = [](std::string t) {
        for (char& c : t)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return t;
    };
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    for (const std::string& candidate :
         {name, toUpper(name), lower(name), stem + toUpper(ext), stem + lower(ext)}) {
        if (fs::exists(dir / candidate, ec))
            return dir / candidate;
    }
    std::optional<fs::path> found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (equalsNoCase(entry, name) && (!found || entry < found->filename().string()))
            found = it->path();
    }
    return found;
}

std::vector<std::string> listFilesNoCase(const fs::path& dir, const std::string& ext)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec))
            continue;
        const fs::path& p = it->path();
        if (!ext.empty() && !equalsNoCase(p.extension().string(), ext))
            continue;
        names.push_back(p.filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// mountinfo escapes blanks and a few other characters as \ooo.
std::string unescapeOctal(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
            out.push_back(static_cast<char>(std::stoi(s.substr(i + 1, 3), nullptr, 8)));
            i += 3;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// udev names labels with \xHH escapes.
std::string unescapeHex(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            out.push_back(static_cast<char>(hexToNumber(s.substr(i + 2, 2))));
            i += 3;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

}  // namespace

std::string volumeLabel(const fs::path& dir)
{
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(dir, ec);
    if (ec)
        return {};
    std::ifstream info("/proc/self/mountinfo");
    std::string line;
    std::string device;
    while (std::getline(info, line)) {
        std::istringstream fields(line);
        std::string id, parent, majmin, root, mountPoint;
        fields >> id >> parent >> majmin >> root >> mountPoint;
        if (fs::path(unescapeOctal(mountPoint)) != target)
            continue;
        const size_t dash = line.find(" - ");
        if (dash == std::string::npos)
            continue;
        std::istringstream tail(line.substr(dash + 3));
        std::string type, source;
        tail >> type >> source;
        device = unescapeOctal(source);
    }
    if (device.empty())
        return {};
    const fs::path deviceReal = fs::weakly_canonical(device, ec);
    for (fs::directory_iterator it("/dev/disk/by-label", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code lec;
        if (fs::weakly_canonical(it->path(), lec) == deviceReal && !lec)
            return toUpper(unescapeHex(it->path().filename().string()));
    }
    return {};
}

fs::path temporaryFolder()
{
    std::error_code ec;
    fs::path p = fs::temp_directory_path(ec);
    return ec ? fs::path("/tmp") : p;
}

}  // namespace mirtal::core
