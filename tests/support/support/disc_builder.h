#pragma once
// Builds index.bdmv, MovieObject.bdmv and whole BDMV folders in code, for tests and the demo disc.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mirtal::support {

struct TitleDesc {
    uint8_t objectType = 1;    // 1 HDMV, 2 BD-J
    uint8_t accessType = 0;
    uint8_t playbackType = 0;
    uint16_t movieObjectId = 0;
    std::string bdjName;
};

struct ExtEntryDesc {
    uint16_t id1 = 0;
    uint16_t id2 = 0;
    std::vector<uint8_t> data;
};

// An ExtensionData() block: entries with their data laid out one after another after the table.
std::vector<uint8_t> extensionDataBlock(const std::vector<ExtEntryDesc>& entries);

struct ObjectDesc {
    bool resume = false;
    bool menuCallMasked = false;
    bool titleSearchMasked = false;
    std::vector<std::array<uint32_t, 3>> commands;
};

class DiscBuilder {
public:
    DiscBuilder& firstPlayback(TitleDesc t) { m_firstPlayback = t; return *this; }
    DiscBuilder& topMenu(TitleDesc t) { m_topMenu = t; return *this; }
    DiscBuilder& title(TitleDesc t) { m_titles.push_back(t); return *this; }
    DiscBuilder& object(ObjectDesc o) { m_objects.push_back(std::move(o)); return *this; }
    DiscBuilder& indexExtension(std::vector<ExtEntryDesc> e) { m_indexExt = std::move(e); return *this; }
    DiscBuilder& objectExtension(std::vector<ExtEntryDesc> e) { m_objectExt = std::move(e); return *this; }
    DiscBuilder& contentProvider(std::string s) { m_provider = std::move(s); return *this; }

    [[nodiscard]] std::vector<uint8_t> indexBytes() const;
    [[nodiscard]] std::vector<uint8_t> movieObjectBytes() const;

    // Writes root/BDMV with the database files and the folders PLAYLIST, CLIPINF, STREAM and
    // BACKUP (without BACKUP when withBackupDir is false). Returns the BDMV folder.
    std::filesystem::path writeTo(const std::filesystem::path& root, bool withBackupDir = true) const;

private:
    TitleDesc m_firstPlayback{1, 0, 0, 0, {}};
    TitleDesc m_topMenu{1, 0, 0, 0, {}};
    std::vector<TitleDesc> m_titles;
    std::vector<ObjectDesc> m_objects;
    std::optional<std::vector<ExtEntryDesc>> m_indexExt;
    std::optional<std::vector<ExtEntryDesc>> m_objectExt;
    std::string m_provider;
};

// Writes bytes to a file, creating its folder.
void writeBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
// A fresh empty folder under the system's temporary folder, removed by the returned guard.
class TempDir {
public:
    explicit TempDir(const std::string& tag);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace mirtal::support
