#include "data/mapfiles.h"

#include <cstring>
#include <type_traits>

#include "data/fileio.h"

namespace garam {
namespace {

// The grids are copied whole: a cell is its three file bytes, with nothing between cells.
static_assert(sizeof(MapCell) == MapCell::kSize && std::is_trivially_copyable_v<MapCell>);

bool HeaderOk(const std::uint8_t* p, bool fixed) {
  return std::memcmp(p, fixed ? "FMAPDATA" : "VMAPDATA", 9) == 0;  // the NUL behind is part of it
}

bool IsMapFile(std::span<const std::uint8_t> f, bool fixed) {
  return f.size() == (fixed ? kMapFixSize : kMapVarSize) && HeaderOk(f.data(), fixed);
}

bool CheckMapFile(const std::string& path, bool fixed) {
  if (FileSize(path).value_or(0) != (fixed ? kMapFixSize : kMapVarSize)) return false;
  auto head = ReadFileRange(path, 0, 9);
  return head && HeaderOk(head->data(), fixed);
}

bool ReadGrid(const std::string& path, bool fixed, Grid<MapCell>& grid) {
  auto f = ReadWholeFile(path);
  return f && ParseMapImage(*f, fixed, grid);
}

}  // namespace

bool ParseMapImage(std::span<const std::uint8_t> f, bool fixed, Grid<MapCell>& grid) {
  if (!IsMapFile(f, fixed)) return false;
  grid.cells.resize(kMapGridBytes / sizeof(MapCell));
  std::memcpy(grid.cells.data(), f.data() + kMapGridOffset, kMapGridBytes);
  return true;
}

bool LocateMapFiles(int n, bool expansion) {
  const std::string ext = expansion ? ".wn" : ".rn";
  const std::string fixName = "Mapfix" + ext;
  const std::string varName = "Mapvar" + std::string(1, char('0' + n)) + ext;
  std::optional<std::string> fix;
  if (!gFileDirs.map.empty()) fix = FindFileNoCase(gFileDirs.map, fixName);
  if (!fix) {
    std::string dataDir = DirOf(gCurrentFile);
    if (!dataDir.empty()) fix = FindFileNoCase(dataDir, fixName);
    if (!fix) return false;
    gFileDirs.map = dataDir;
  }
  if (!CheckMapFile(*fix, true)) return false;
  // The variable map belongs beside the fixed one; no second place is tried.
  auto var = FindFileNoCase(gFileDirs.map, varName);
  if (!var || !CheckMapFile(*var, false)) return false;
  gMapFixPath = *fix;
  gMapVarPath = *var;
  return true;
}

bool ReadMapFiles(GameDataSet& d) {
  return ReadGrid(gMapFixPath, true, d.gMapFix) && ReadGrid(gMapVarPath, false, d.gMapVar);
}

std::optional<Bytes> BuildMapImage(const std::string& path, bool fixed, const Grid<MapCell>& grid) {
  auto f = ReadWholeFile(path);
  if (!f || !IsMapFile(*f, fixed) || grid.cells.size() * MapCell::kSize != kMapGridBytes) return std::nullopt;
  std::memcpy(f->data() + kMapGridOffset, grid.cells.data(), kMapGridBytes);
  return f;
}

}  // namespace garam
