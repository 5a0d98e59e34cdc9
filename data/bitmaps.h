// Face and item bitmaps: located, checked and kept as file images for the picture clips.
#pragma once

#include <array>

#include "data/bytes.h"

namespace garam {

// Picture sheets by index (0 men, 1 women, 2 items, 3 womenqvx, 4 itemsqvx, 5 womenqvz,
// 6 menqvx). A sheet once loaded stays for the run.
inline std::array<Bytes, 7> gMaskData;
inline std::array<bool, 3> gBitmapOk{};  // men, women, items
inline int gFaceSheetMen = 0, gFaceSheetWomen = 1, gItemSheet = 2;

void LocateFaceBitmaps(bool useExeNames);
void LocateItemBitmap(bool useExeNames);
void LoadFaceBitmaps(bool useExeNames);

}  // namespace garam
