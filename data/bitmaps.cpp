#include "data/bitmaps.h"

#include <optional>

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

}  // namespace garam
