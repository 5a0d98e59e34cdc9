#include "map/cityplaces.h"

#include "data/cities.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/record_access.h"
#include "map/mapeditor.h"
#include "platform/dialogs.h"
#include "platform/listview.h"

namespace garam {
namespace {

struct Recommended {
  const char* by;  // who recommends the place, with the subject particle
  int x, y;
};
constexpr Recommended kRecommended[] = {
    {"이슬람 상인이", 10, 221}, {"떠돌이 학자가", 78, 75},  {"늙은 어부가", 98, 200}, {"사막의 길잡이가", 172, 147},
    {"변방의 장수가", 214, 72}, {"초원의 목동이", 157, 48}, {"남해의 선장이", 238, 186},
};

QString Caption(const QString& name, int x, int y) { return QString("%1 (%2,%3)").arg(name).arg(x).arg(y); }

// Three digits each: the last three characters of "00" and the number.
QString Tag(int x, int y) {
  auto three = [](int v) { return ("00" + QString::number(v)).right(3); };
  return three(x) + "," + three(y);
}

void GoTo(int x, int y) {
  gSkipMapMouseUp = false;
  if (MapEditor* editor = OpenMapEditor()) editor->SetLocation(x, y);
}

// The handler reads the cell back from the item's tag, never from its caption.
void AddPlace(QMenu* menu, const QString& caption, const QString& tag) {
  QAction* a = menu->addAction(caption);
  a->setData(tag);
  QObject::connect(a, &QAction::triggered, a, [a] {
    const QString t = a->data().toString();
    GoTo(t.left(3).toInt(), t.right(3).toInt());
  });
}

QMenu* ExistingCities(QMenu* placesMenu) {
  return placesMenu ? placesMenu->findChild<QMenu*>("existingCities", Qt::FindDirectChildrenOnly) : nullptr;
}

struct Place {
  QString caption, tag;
};

// The cities of the list's rows, in their shown order; a row naming no record gives none.
std::vector<Place> ListedPlaces(const ListView* cityList) {
  std::vector<Place> items;
  for (int i = 0; cityList && i < cityList->count(); ++i) {
    bool ok = false;
    const int city = cityList->row(i)->tag.toInt(&ok);
    std::string name;
    int x = 0, y = 0;
    const bool found = ok && WithCity(city, [&](const auto& c) {
      name = ReadFixedName(c.bytes(c.L.name));
      x = std::int16_t(c.get(c.L.x)), y = std::int16_t(c.get(c.L.y));
    });
    if (!found) continue;  // a row naming no record gives no item
    items.push_back({Caption(Q(name), x, y), Tag(x, y)});
  }
  return items;
}

// Rewrites the menu's items in place: surplus items go from the end, new ones are appended; an
// item without a tag is disabled.
void SetPlaces(QMenu* menu, const std::vector<Place>& items) {
  QList<QAction*> actions = menu->actions();
  while (actions.size() > qsizetype(items.size())) {
    QAction* last = actions.takeLast();
    menu->removeAction(last);
    delete last;
  }
  while (actions.size() < qsizetype(items.size())) {
    AddPlace(menu, {}, {});
    actions = menu->actions();
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    QAction* a = actions[qsizetype(i)];
    a->setText(items[i].caption);
    a->setData(items[i].tag);
    a->setEnabled(!items[i].tag.isEmpty());
  }
}

}  // namespace

void BuildCityPlaceMenus(QMenu* placesMenu) {
  auto submenu = [&](const QString& title, const QString& name) {
    QMenu* m = placesMenu->addMenu(title);
    m->setObjectName(name);
    return m;
  };
  submenu("기존 도시들", "existingCities");
  const auto regions = HistoricSiteRegions();
  std::vector<QMenu*> byRegion;
  for (std::size_t r = 0; r < regions.size(); ++r) byRegion.push_back(submenu(regions[r], QString("historicSites(%1)").arg(r)));
  for (const HistoricCitySite& s : HistoricCitySites())
    AddPlace(byRegion[std::size_t(s.region)], Caption(QString::fromUtf8(s.name), s.x, s.y), Tag(s.x, s.y));
  QMenu* recommended = submenu("신도시 건설 추천 장소", "recommendedSites");
  for (const Recommended& r : kRecommended) {
    QAction* a = recommended->addAction(Caption(QString::fromUtf8(r.by) + " 추천한 장소", r.x, r.y));
    QObject::connect(a, &QAction::triggered, a, [r] { GoTo(r.x, r.y); });
  }
}

void BuildExistingCityMenu(QMenu* placesMenu, const ListView* cityList) {
  QMenu* menu = ExistingCities(placesMenu);
  if (!menu) return;
  std::vector<Place> items = ListedPlaces(cityList);
  if (items.empty()) {
    // The menu keeps one item, which leads nowhere.
    items.push_back({"없음", {}});
  }
  SetPlaces(menu, items);
}

}  // namespace garam
