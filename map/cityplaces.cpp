#include "map/cityplaces.h"

namespace garam {

// The places come with the map editor's city-place menus.
void BuildCityPlaceMenus(QMenu*) {}

}  // namespace garam
