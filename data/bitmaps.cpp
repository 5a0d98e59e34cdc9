#include "data/bitmaps.h"

namespace garam {

// Filled in by the bitmap locators.
void LocateFaceBitmaps(bool) {}
void LocateItemBitmap(bool) {}
void LoadFaceBitmaps(bool) {}

}  // namespace garam
