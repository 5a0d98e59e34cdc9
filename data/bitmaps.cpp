#include "data/bitmaps.h"

#include <cstdlib>

#include "data/exeinfo.h"
#include "data/fileio.h"
#include "data/gamedata.h"

namespace garam {
namespace {

enum Kind { kMen = 0, kWomen = 1, kItems = 2 };

// The largest sheet is under 4 MB; a name the game does not ship is not checked by length, so its
// file is not read at all when it is far larger.
constexpr std::uint64_t kMaxSheetBytes = 64u << 20;

std::string& DirOfKind(int kind) {
  return kind == kMen ? gFileDirs.men : kind == kWomen ? gFileDirs.women : gFileDirs.item;
}
int& SheetOfKind(int kind) { return kind == kMen ? gFaceSheetMen : kind == kWomen ? gFaceSheetWomen : gItemSheet; }

std::string NameOfKind(int kind, bool useExeNames) {
  if (useExeNames)
    return kind == kMen ? gExeInfo.menBitmapName : kind == kWomen ? gExeInfo.womenBitmapName : gExeInfo.itemBitmapName;
  return kind == kMen ? "Men.Bmp" : kind == kWomen ? "Women.Bmp" : "Items.Bmp";
}

// Sheets a kind may use; the default name (first) is also the one the default load checks.
const std::vector<std::pair<const char*, int>>& NamedSheets(int kind) {
  static const std::vector<std::pair<const char*, int>> men{{"men.bmp", 0}, {"menqvx.bmp", 6}};
  static const std::vector<std::pair<const char*, int>> women{{"women.bmp", 1}, {"womenqvx.bmp", 3}, {"womenqvz.bmp", 5}};
  static const std::vector<std::pair<const char*, int>> items{{"items.bmp", 2}, {"itemsqvx.bmp", 4}};
  return kind == kMen ? men : kind == kWomen ? women : items;
}

bool LengthAccepted(int kind, const std::string& name, std::uint64_t length, bool useExeNames) {
  const auto& sheets = NamedSheets(kind);
  if (!useExeNames) return length == kSheetLayouts[sheets[0].second].length;
  for (const auto& [n, sheet] : sheets)
    if (ToLowerAscii(name) == n) return length == kSheetLayouts[sheet].length;
  return true;  // a name the game does not ship is not checked by length
}

void Locate(int kind, bool useExeNames) {
  if (!gMaskData[SheetOfKind(kind)].empty()) return;
  gBitmapOk[kind] = false;
  const std::string name = NameOfKind(kind, useExeNames);
  if (name.empty()) return;
  std::optional<std::string> path;
  if (!DirOfKind(kind).empty()) path = FindFileNoCase(DirOfKind(kind), name);
  if (!path) {
    std::string dataDir = DirOf(gCurrentFile);
    if (!dataDir.empty()) path = FindFileNoCase(dataDir, name);
    if (!path) return;
    DirOfKind(kind) = dataDir;
  }
  auto length = FileSize(*path);
  if (!length || !LengthAccepted(kind, name, *length, useExeNames)) return;
  auto head = ReadFileRange(*path, 0, 2);
  gBitmapOk[kind] = head && (*head)[0] == 'B' && (*head)[1] == 'M';
  gBitmapPaths[kind] = *path;
}

void Load(int kind, bool useExeNames) {
  if (useExeNames) {
    auto length = FileSize(gBitmapPaths[kind]);
    for (const auto& [n, sheet] : NamedSheets(kind))
      if (length && *length == kSheetLayouts[sheet].length) SheetOfKind(kind) = sheet;
  } else {
    SheetOfKind(kind) = NamedSheets(kind)[0].second;
  }
  if (!gBitmapOk[kind]) return;
  // A sheet that fails to load keeps what it held.
  if (auto image = ReadWholeFile(gBitmapPaths[kind], kMaxSheetBytes)) gMaskData[SheetOfKind(kind)] = std::move(*image);
}

std::int32_t GetI32(const Bytes& b, std::size_t off) { return std::int32_t(GetU32(&b[off])); }

}  // namespace

void LocateFaceBitmaps(bool useExeNames) {
  Locate(kMen, useExeNames);
  Locate(kWomen, useExeNames);
}

void LocateItemBitmap(bool useExeNames) { Locate(kItems, useExeNames); }

void LoadFaceBitmaps(bool useExeNames) {
  Load(kMen, useExeNames);
  Load(kWomen, useExeNames);
  if (IsSaveFile()) return;
  Load(kItems, useExeNames);
}

std::optional<CellRect> SheetCellRect(int sheet, int number) {
  if (sheet < 0 || sheet >= int(kSheetLayouts.size())) return std::nullopt;
  const auto& layout = kSheetLayouts[sheet];
  if (number < 0 || number >= layout.cells()) return std::nullopt;
  const Bytes& b = gMaskData[sheet];
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  std::int64_t width = GetI32(b, 18), height = std::llabs(GetI32(b, 22));
  if (width <= 0 || height <= 0) return std::nullopt;
  int w = int(width / layout.cols), h = int(height / layout.rows);
  if (w == 0 || h == 0) return std::nullopt;
  return CellRect{(number % layout.cols) * w, (number / layout.cols) * h, w, h};
}

}  // namespace garam
