// The fixed and variable map files of a scenario.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "data/bytes.h"
#include "data/gamedata.h"

namespace garam {

inline constexpr std::uint64_t kMapFixSize = 179004;
inline constexpr std::uint64_t kMapVarSize = 168761;
inline constexpr std::size_t kMapGridOffset = 11;
inline constexpr std::size_t kMapGridBytes = std::size_t(kMapWidth) * kMapHeight * MapCell::kSize;

// The map files as found by the last LocateMapFiles, written back under these names.
inline std::string& gMapFixPath = gState.file.mapFixPath;
inline std::string& gMapVarPath = gState.file.mapVarPath;

// Finds "Mapfix" and "Mapvar" + n with the edition's extension (case-blind), checks length and
// header.
bool LocateMapFiles(int n, bool expansion);
// Reads both grids of the located files into d; false when a file changed since it was located.
bool ReadMapFiles(GameDataSet& d);
// The grid of a map file image; false, with grid untouched, when the image is not a map file of
// its kind.
bool ParseMapImage(std::span<const std::uint8_t> image, bool fixed, Grid<MapCell>& grid);
// The file at path with its grid replaced by grid and every other byte kept; nullopt when the
// file is no longer a map file of its kind.
std::optional<Bytes> BuildMapImage(const std::string& path, bool fixed, const Grid<MapCell>& grid);

}  // namespace garam
