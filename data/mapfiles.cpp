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

std::uint64_t MapFileSize(bool fixed) { return fixed ? kMapFixSize : kMapVarSize; }

bool IsMapFile(std::span<const std::uint8_t> f, bool fixed) {
  return f.size() == MapFileSize(fixed) && HeaderOk(f.data(), fixed);
}

bool CheckMapFile(const std::string& path, bool fixed) {
  std::uint8_t head[9];
  return ReadFileStart(path, MapFileSize(fixed), {head}) && HeaderOk(head, fixed);
}

// The grid goes from the file straight into its cells: a cell is its three file bytes.
bool ReadGrid(const std::string& path, bool fixed, Grid<MapCell>& grid) {
  std::uint8_t head[kMapGridOffset];
  grid.cells.resize(kMapGridBytes / sizeof(MapCell));
  auto cells = std::span(reinterpret_cast<std::uint8_t*>(grid.cells.data()), kMapGridBytes);
  return ReadFileStart(path, MapFileSize(fixed), {head, cells}) && HeaderOk(head, fixed);
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
