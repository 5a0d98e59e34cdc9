// The city-place pop-up menus of the main window.
#pragma once

#include <QMenu>

namespace garam {

// Fills the pop-up menus under mnuCityPos with the predefined new-city places.
void BuildCityPlaceMenus(QMenu* mnuCityPos);

}  // namespace garam
