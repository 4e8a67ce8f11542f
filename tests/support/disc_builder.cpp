#include "support/disc_builder.h"

#include "support/bytes.h"

#include <fstream>
#include <random>
#include <unistd.h>

namespace mirtal::support {

namespace fs = std::filesystem;

std::vector<uint8_t> extensionDataBlock(const std::vector<ExtEntryDesc>& entries)
{
    Bytes b;
    const uint32_t table = 12 + 12 * static_cast<uint32_t>(entries.size());
    uint32_t dataBytes = 0;
    for (const auto& e : entries)
        dataBytes += static_cast<uint32_t>(e.data.size());
    b.u32(table - 4 + dataBytes).u32(table).u24(0).u8(static_cast<uint32_t>(entries.size()));
    uint32_t at = table;
    for (const auto& e : entries) {
        b.u16(e.id1).u16(e.id2).u32(at).u32(static_cast<uint32_t>(e.data.size()));
        at += static_cast<uint32_t>(e.data.size());
    }
    for (const auto& e : entries)
        b.raw(e.data);
    return b.b;
}

namespace {

void entry(Bytes& b, const TitleDesc& t, bool isTitle)
{
    b.u32((uint32_t{t.objectType} << 30) | (isTitle ? uint32_t{t.accessType} << 28 : 0));
    b.u16(uint32_t{t.playbackType} << 14);
    if (t.objectType == 1)
        b.u16(t.movieObjectId).u32(0);
    else
        b.str(t.bdjName, 5).u8(0);
}

}  // namespace

std::vector<uint8_t> DiscBuilder::indexBytes() const
{
    const uint32_t indexesLength = 26 + 12 * static_cast<uint32_t>(m_titles.size());
    const uint32_t extStart = m_indexExt ? 78 + 4 + indexesLength : 0;
    Bytes b;
    b.str("INDX", 4).str("0200", 4).u32(78).u32(extStart).zeros(24);
    b.u32(34).u16(0).str(m_provider, 32);
    b.u32(indexesLength);
    entry(b, m_firstPlayback, false);
    entry(b, m_topMenu, false);
    b.u16(static_cast<uint32_t>(m_titles.size()));
    for (const auto& t : m_titles)
        entry(b, t, true);
    if (m_indexExt)
        b.raw(extensionDataBlock(*m_indexExt));
    return b.b;
}

std::vector<uint8_t> DiscBuilder::movieObjectBytes() const
{
    uint32_t length = 6;
    for (const auto& o : m_objects)
        length += 4 + 12 * static_cast<uint32_t>(o.commands.size());
    Bytes b;
    b.str("MOBJ", 4).str("0200", 4).u32(m_objectExt ? 44 + length : 0).zeros(28);
    b.u32(length).u32(0).u16(static_cast<uint32_t>(m_objects.size()));
    for (const auto& o : m_objects) {
        b.u16((o.resume ? 0x8000u : 0) | (o.menuCallMasked ? 0x4000u : 0) | (o.titleSearchMasked ? 0x2000u : 0));
        b.u16(static_cast<uint32_t>(o.commands.size()));
        for (const auto& c : o.commands)
            b.u32(c[0]).u32(c[1]).u32(c[2]);
    }
    if (m_objectExt)
        b.raw(extensionDataBlock(*m_objectExt));
    return b.b;
}

void writeBytes(const fs::path& file, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

fs::path DiscBuilder::writeTo(const fs::path& root, bool withBackupDir) const
{
    const fs::path bdmv = root / "BDMV";
    for (const char* dir : {"PLAYLIST", "CLIPINF", "STREAM"})
        fs::create_directories(bdmv / dir);
    if (withBackupDir)
        fs::create_directories(bdmv / "BACKUP");
    writeBytes(bdmv / "index.bdmv", indexBytes());
    writeBytes(bdmv / "MovieObject.bdmv", movieObjectBytes());
    return bdmv;
}

TempDir::TempDir(const std::string& tag)
{
    static std::mt19937 gen(std::random_device{}());
    m_path = fs::temp_directory_path() /
             ("mirtal-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(gen() % 100000000));
    fs::remove_all(m_path);
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

}  // namespace mirtal::support
