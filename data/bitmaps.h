// Face and item bitmaps: located, checked and kept as file images for the picture clips.
#pragma once

#include <array>
#include <string>

#include "data/bytes.h"
#include "data/gamedata.h"

namespace garam {

// The sheets and the locators' findings, as names into the editor state.
inline std::array<Bytes, 7>& gMaskData = gState.maskData;
inline std::array<bool, 3>& gBitmapOk = gState.file.bitmaps.ok;
inline int& gFaceSheetMen = gState.file.bitmaps.men;
inline int& gFaceSheetWomen = gState.file.bitmaps.women;
inline int& gItemSheet = gState.file.bitmaps.item;
// The files the locators accepted, read again by LoadFaceBitmaps.
inline std::array<std::string, 3>& gBitmapPaths = gState.file.bitmaps.paths;

// The grid of equal cells each sheet is cut into, and the file length that selects it.
struct SheetLayout {
  std::uint64_t length;
  int rows, cols;
  int cells() const { return rows * cols; }
};
inline constexpr std::array<SheetLayout, 7> kSheetLayouts{{
    {3277878, 32, 20}, {861238, 12, 14}, {769078, 12, 10}, {932918, 13, 14},
    {897078, 14, 10}, {1864758, 26, 14}, {3482678, 34, 20},
}};

void LocateFaceBitmaps(bool useExeNames);
void LocateItemBitmap(bool useExeNames);
void LoadFaceBitmaps(bool useExeNames);

}  // namespace garam
