// The city-place menus of the main window: the map editor's context menu of existing cities,
// the predefined sites by region and the recommended new-city places. An item scrolls the open
// map editor to its place; it neither opens nor redraws the editor.
#pragma once

#include <QMenu>

namespace garam {

class ListView;

// Fills the places menu once: "기존 도시들" (filled by BuildExistingCityMenu), the seven regions of
// predefined sites and "신도시 건설 추천 장소".
void BuildCityPlaceMenus(QMenu* placesMenu);

// Rebuilds the items of "기존 도시들" in place from the city list's rows in their shown order:
// surplus items go from the end, new ones are appended. An empty list leaves one disabled "없음".
void BuildExistingCityMenu(QMenu* placesMenu, const ListView* cityList);

}  // namespace garam
