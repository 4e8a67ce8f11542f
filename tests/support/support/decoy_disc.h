#pragma once
// A disc that hides its film among decoys, as many commercial discs do: a feature played through
// a register, a duplicate of its chain that a skipped command names, another duplicate nothing
// plays, a chain with other times, thirty short PlayLists nothing plays, a warning and a menu
// reached through Call Object, Resume and a loop, and a BD-J title.

#include <filesystem>

namespace mirtal::support {

// The feature: 00800, three PlayItems (00100, 00101 multi-angle with 3 angles, 00102) that last
// 2:00:00.123 in all, 20 entry marks and a link point; the first PlayItem's streams are video,
// audio eng fra deu, PG eng jpn and IG eng.
constexpr const char* kDecoyFeature = "00800";

// Writes dir/BDMV: index.bdmv, MovieObject.bdmv, PLAYLIST and empty CLIPINF, STREAM, BACKUP.
// Returns the BDMV folder.
std::filesystem::path writeDecoyDisc(const std::filesystem::path& dir);

}  // namespace mirtal::support
