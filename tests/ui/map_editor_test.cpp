// The map editor window, shown without a modal loop: opening modes, navigation, the cursor and its
// status line, the tool panel, and how often the map is drawn.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <QWheelEvent>

#include "data/cities.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/mapcache.h"
#include "map/cityplaces.h"
#include "map/mapeditor.h"
#include "platform/listview.h"
#include "platform/modal.h"
#include "tests/support/plausible_map.h"
#include "tests/support/scripted_rng.h"
#include "tests/support/test_map.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/common/childforms.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

using M = MapEditMode;

void LoadScenario(std::int32_t kind) {
  test::EmptyMap(kind);
  for (std::size_t r = 0; r < gData.gRegions.size(); ++r) WriteFixedName(gData.gRegions[r].bytes(kRegionScen.name), "지역" + std::to_string(r));
  test::PaintPlausibleMap(5);
  BuildMapCache();
}

// A Korean save whose player's king stays in city 7 at (120, 61).
void LoadSave() {
  test::EmptyMap(kSaveKr);
  for (auto& c : gData.gSaveCities) c.set(kCitySave.x, kFreeCityX), c.set(kCitySave.y, kFreeCityX);
  for (int c : {2, 7, 9}) gData.gSaveCities[std::size_t(c)].set(kCitySave.x, 0);
  test::PaintPlausibleMap(6);
  gData.gSaveCities[7].set(kCitySave.x, 120), gData.gSaveCities[7].set(kCitySave.y, 61);
  gData.gSaveTail.bytes(kSaveTail.countryMap)[3] = 5;
  gData.gSaveHeader.set(kSaveHeaderKr.playerCountry, 3);
  gData.gSaveCountries[5].set(kCountrySave.king, std::int16_t(42));
  gData.gSaveGenerals[42].set(kGeneralSaveKr.city, 7);
  BuildMapCache();
}

// The pixel at the middle of a cell in the view.
QPoint Centre(const MapEditor& e, int x, int y) {
  return {62 * (x - e.ViewLeft) + (y % 2 ? 31 : 0) + 30, 16 * (y - e.ViewTop) + 15};
}
void MoveTo(MapEditor& e, QPoint p) {
  QMouseEvent ev(QEvent::MouseMove, QPointF(p), e.mapView->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(e.mapView, &ev);
}
void Wheel(QWidget* w, int delta) {
  QWheelEvent ev(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &ev);
}
const QString kNoCell = QStringLiteral("(\?\?\?,\?\?\?)");
QString Status(const MapEditor& e) { return e.statusLine->currentMessage(); }
// Draws what is due and tells how many pictures the view has drawn so far.
int Renders(MapEditor& e) {
  e.mapView->repaint();
  return e.mapView->renderCount();
}

TEST(MapEditorOpening, ModesAndFileKinds) {
  // The expansion's scenario offers the wall and the region tools; a save neither.
  for (auto [kind, buildings, regions, terrains] : {std::tuple{kScenarioQV, 13, 57, 63}, {kSaveKr, 12, 1, 0}}) {
    if (kind == kSaveKr) LoadSave();
    else LoadScenario(kind);
    MapEditor e(nullptr, {}, MapEditorOpening::EditMap);
    e.show();
    EXPECT_EQ(std::tuple(e.windowTitle(), e.buildingList->count(), e.regionList->count(), e.terrainList->count()),
              std::tuple(QString("Map Edit"), buildings, regions, terrains));
    EXPECT_EQ(std::pair(e.buildingList->itemText(12) == "방벽", e.ModeButton(M::SetRegion)->isEnabled()), std::pair(kind != kSaveKr, kind != kSaveKr));
    EXPECT_EQ(std::tuple(e.CursorX, e.CursorY, e.PickedCityX), std::tuple(-1, -1, -1));
  }

  // A scenario opens at (223, 57), whose odd row puts it one column further left and whose odd
  // top row gives way to the even one above.
  LoadScenario(kScenarioKr);
  MapEditor scenario(nullptr, {}, MapEditorOpening::EditMap);
  scenario.show();
  EXPECT_EQ(std::tuple(scenario.horizontalScroll->value(), scenario.verticalScroll->value(), scenario.ViewLeft, scenario.ViewTop),
            std::tuple(219, 42, 219, 42));
  MoveTo(scenario, QPoint(310, 256));
  EXPECT_TRUE(Status(scenario).startsWith("(223,57)      ") && scenario.mapView->cursorVisible());
}

TEST(MapEditorOpening, NewCityModeMarksItsStartAndColoursTheCursor) {
  LoadScenario(kScenarioKr);
  const int x = gData.gCities[2].get(kCityScen.x), y = gData.gCities[2].get(kCityScen.y);
  test::ScriptedRng rng({2.5 / 84});
  MapEditor e(nullptr, {}, MapEditorOpening::PickNewCitySite);
  e.show();
  EXPECT_EQ(std::tuple(e.windowTitle(), e.MarkX, e.MarkY), std::tuple(QString("신도시 위치 지정"), x, y));
  // Green on a castle (the mark stands on one), red elsewhere.
  MoveTo(e, Centre(e, x, y));
  const QColor onCastle = e.mapView->cursorColor();
  MoveTo(e, Centre(e, x + 2, y));
  EXPECT_EQ(std::pair(onCastle, e.mapView->cursorColor()), std::pair(QColor(0, 255, 0), QColor(255, 0, 0)));
}

TEST(MapEditorNavigation, PointerScrollAndWheel) {
  LoadScenario(kScenarioKr);
  MapEditor e(nullptr, {}, MapEditorOpening::EditMap);
  e.show();
  // Off the view there is no cell, also while a button drags the pointer beyond it.
  for (QPoint off : {QPoint(-3, 10), QPoint(700, 10), QPoint(10, 600)}) {
    MoveTo(e, off);
    EXPECT_EQ(std::tuple(e.CursorX, e.CursorY, Status(e)), std::tuple(-1, -1, kNoCell));
    EXPECT_FALSE(e.mapView->cursorVisible());
  }
  // The map moves under a resting pointer; column 249 of an odd row is no cell.
  e.SetLocation(100, 101);
  EXPECT_EQ(std::pair(e.ViewLeft, e.ViewTop), std::pair(96, 86));
  MoveTo(e, QPoint(619, 31));
  EXPECT_EQ(std::pair(e.CursorX, e.CursorY), std::pair(105, 87));
  e.horizontalScroll->setValue(240);
  EXPECT_EQ(std::pair(e.CursorX, Status(e)), std::pair(-1, kNoCell));

  // The wheel moves two rows a notch within the limits, wherever the pointer is; the list under
  // it keeps its item.
  e.verticalScroll->setValue(2);
  const int specialty = e.specialtyList->currentIndex();
  for (auto [target, delta, expected] : {std::tuple<QWidget*, int, int>{e.specialtyList, -120, 4}, {e.mapView, 240, 0}, {e.horizontalScroll, -360, 6}}) {
    Wheel(target, delta);
    EXPECT_EQ(e.verticalScroll->value(), expected) << delta;
  }
  e.verticalScroll->setValue(190);
  Wheel(e.mapView, -120);
  EXPECT_EQ(std::pair(e.verticalScroll->value(), e.specialtyList->currentIndex()), std::pair(190, specialty));
}

TEST(MapEditorPanel, RegionMarksAndDrawsPerChange) {
  LoadScenario(kScenarioKr);
  MapEditor e(nullptr, {}, MapEditorOpening::EditMap);
  e.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&e));
  const int first = Renders(e);
  EXPECT_EQ(first, 1);

  // Neither pointer moves nor a bare expose draw the map; each scroll, notch, mode and toggle
  // draws it once.
  MoveTo(e, QPoint(300, 300));
  e.mapView->update();
  EXPECT_EQ(Renders(e), first);
  int n = first;
  auto once = [&](const char* what, auto&& act) {
    act();
    EXPECT_EQ(Renders(e), ++n) << what;
  };
  once("horizontal", [&] { e.horizontalScroll->setValue(e.horizontalScroll->value() + 1); });
  once("wheel", [&] { Wheel(e.mapView, -120); });
  const QImage plain = e.mapView->image();
  // The region mode marks the region under the view's middle; back in the city mode no mark is left.
  const int region = gData.gMapFix.at(e.ViewLeft + 5, e.ViewTop + 18).get(kFixedMapCell.region);
  once("region mode", [&] { e.ModeButton(M::SetRegion)->click(); });
  e.regionList->setCurrentIndex(region + 1);
  EXPECT_EQ(Renders(e), n) << "a region chosen shows at the next drawing";
  once("next drawing", [&] { e.RedrawMap(); });
  EXPECT_FALSE(e.mapView->image() == plain);
  once("city mode", [&] { e.ModeButton(M::MoveCity)->click(); });
  EXPECT_TRUE(e.mapView->image() == plain);
}

// The panel reads well: a status line whose padded fields line up, road buttons named for their
// roads, and tool lists that open wide enough for their items.
TEST(MapEditorPanel, ReadableStatusLineAndTools) {
  LoadScenario(kScenarioKr);
  MapEditor e(nullptr, {}, MapEditorOpening::EditMap);
  e.show();
  // Labels of one field are padded to one display width, a Hangul syllable counting two.
  const QFontMetrics status(e.statusLine->font());
  for (const char* label : {"평지      ", "습지하천  ", "만        ", "무기공장  ", "(223,57)  "})
    EXPECT_EQ(status.horizontalAdvance(QString::fromUtf8(label)), status.horizontalAdvance(QString(10, ' '))) << label;

  QSet<QString> names;
  for (int code = 0; code < kRoadCodes; ++code) {
    const QAbstractButton* b = e.ModeButton(RoadCodeMode(code));
    EXPECT_TRUE(!b->toolTip().isEmpty() && b->accessibleName() == b->toolTip()) << code;
    names.insert(b->toolTip());
  }
  EXPECT_EQ(names.size(), 16);
  // The eraser, the piece with the upper-right edge alone, and the crossing of all four.
  EXPECT_EQ(QStringList({e.ModeButton(M::EraseRoad)->toolTip(), e.ModeButton(RoadCodeMode(1))->toolTip(), e.ModeButton(RoadCodeMode(15))->toolTip()}),
            QStringList({"가도 삭제", "가도 추가 (북동)", "가도 추가 (북동·남동·남서·북서)"}));

  // "습지하천10 ┫" and its kin are longer than the box is wide.
  QComboBox* terrains = e.terrainList;
  terrains->setEnabled(true);
  terrains->showPopup();
  const QAbstractItemView* popup = terrains->view();
  int widest = 0;
  for (int i = 0; i < terrains->count(); ++i) widest = std::max(widest, popup->sizeHintForIndex(popup->model()->index(i, 0)).width());
  EXPECT_GE(popup->viewport()->width(), widest);
  terrains->hidePopup();
}

TEST(MapEditorOpening, OpenedFromItsRegistrationAndLeavesTheDataAlone) {
  for (std::int32_t kind : {kScenarioQV, kSaveKr}) {
    if (kind == kSaveKr) LoadSave();
    else LoadScenario(kind);
    const GameDataSet before = gData;
    RegisterMapForms();
    int runs = 0;
    SetModalRunner([&](QDialog& d) {
      auto& e = static_cast<MapEditor&>(d);
      EXPECT_EQ(d.objectName(), "frmMapEdit");
      e.show();
      MoveTo(e, QPoint(200, 200));
      e.enlargeCheck->click();
      for (MapEditMode mode : {M::PlaceBuilding, M::SetRegion, RoadCodeMode(1), M::MoveCity}) e.ModeButton(mode)->click();
      QTest::keyClick(e.mapView, Qt::Key_Escape);
      EXPECT_FALSE(e.isVisible()) << "Esc closes the map";
      ++runs;
      return e.result();
    });
    EXPECT_TRUE(ShowForm("frmMapEdit", nullptr, {.mode = int(MapEditorOpening::EditMap)}));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(gData.gMapFix == before.gMapFix && gData.gMapVar == before.gMapVar && gData.gSaveMap == before.gSaveMap);
    EXPECT_TRUE(gData.gCities == before.gCities && gData.gSaveCities == before.gSaveCities && gData.gRegions == before.gRegions);
    EXPECT_FALSE(gDataChanged);
  }
}

// Clicks on the map: the editor over its context menu and a city list of the loaded cities.
class MapEditorClicks : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildCityPlaceMenus(&places);
    gSkipMapMouseUp = true;  // left over from an earlier editor: the opening clears it
  }
  void ListCities() {
    cities.clearRows();
    for (int c : ListedCities()) cities.addRow("c", QString::number(c));
  }
  std::unique_ptr<MapEditor> Open(MapEditorOpening opening = MapEditorOpening::EditMap) {
    ListCities();
    auto e = std::make_unique<MapEditor>(nullptr, MainLists{nullptr, &cities, nullptr, nullptr}, opening, &places);
    e->show();
    return e;
  }
  // A release over cell (x, y), which the view shows.
  void Release(MapEditor& e, int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    const QPoint p = Centre(e, x, y);
    MoveTo(e, p);
    ASSERT_EQ(std::pair(e.CursorX, e.CursorY), std::pair(x, y));
    QMouseEvent ev(QEvent::MouseButtonRelease, QPointF(p), e.mapView->mapToGlobal(QPointF(p)), b, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(e.mapView, &ev);
  }
  // A shown cell on which the click of mode would be asked about.
  std::pair<int, int> AskedCell(MapEditor& e, MapEditMode mode) {
    for (int y = e.ViewTop + 1; y < e.ViewTop + 34; ++y)
      for (int x = e.ViewLeft + 1; x < e.ViewLeft + 9; ++x) {
        CityMove probe = e.cityMove;
        if (ApplyMapEdit(probe, mode, x, y, {}).kind == MapEditKind::Confirm) return {x, y};
      }
    ADD_FAILURE() << "no cell";
    return {-1, -1};
  }
  QStringList Existing() {
    QStringList texts;
    for (QAction* a : places.findChild<QMenu*>("existingCities")->actions()) texts << a->text();
    return texts;
  }

  QMenu places;
  ListView cities;
  test::ScriptedDialogs dialogs;
};

TEST_F(MapEditorClicks, MovingACityAndCancellingWithTheRightButton) {
  LoadScenario(kScenarioKr);
  auto e = Open();
  EXPECT_FALSE(gSkipMapMouseUp);
  const int cx = gData.gCities[0].get(kCityScen.x), cy = gData.gCities[0].get(kCityScen.y);
  e->SetLocation(cx, cy);
  Release(*e, cx, cy);
  EXPECT_EQ(e->windowTitle(), "Map Edit - 도시 이동중...");
  Release(*e, cx, cy, Qt::RightButton);
  EXPECT_EQ(std::tuple(e->windowTitle(), e->PickedCityX, dialogs.menus.size()), std::tuple(QString("Map Edit"), -1, 0u));

  Release(*e, cx, cy);
  const auto [x, y] = AskedCell(*e, M::MoveCity);
  dialogs.boxAnswers = {MsgResult::No};
  Release(*e, x, y);
  EXPECT_EQ(std::pair(e->windowTitle(), gDataChanged), std::pair(QString("Map Edit - 도시 이동중..."), false));
  Release(*e, x, y);  // Yes
  EXPECT_EQ(std::pair(e->windowTitle(), gDataChanged), std::pair(QString("Map Edit"), true));
  EXPECT_EQ(dialogs.boxes.back().text, "이 위치로 이동하시겠습니까?");
  EXPECT_EQ(Existing()[0], QString("%1 (%2,%3)").arg(Q(ReadFixedName(gData.gCities[0].bytes(kCityScen.name)))).arg(x).arg(y));
}

TEST_F(MapEditorClicks, RefusalsReachTheUser) {
  LoadSave();
  auto e = Open();
  e->ModeButton(M::PlaceBuilding)->click();
  const int cx = 120, cy = 61;  // city 7
  test::Put(cx, cy, {.building = 0});
  RefreshCacheCell(cx, cy);
  Release(*e, cx, cy);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  const test::AskedBox& box = dialogs.boxes[0];
  EXPECT_EQ(std::tuple(box.text, box.icon, box.buttons, box.title),
            std::tuple(QString("건물이나 특산품이 있는 곳에는 건설할 수 없습니다."), MsgIcon::Exclamation, MsgButtons::Ok,
                       QString("가람누리4 에디터v2.51")));
  EXPECT_FALSE(gDataChanged);
}

TEST_F(MapEditorClicks, ContextMenuSwallowsOneReleaseAndItsPlacesScroll) {
  LoadScenario(kScenarioKr);
  auto e = Open();
  e->ModeButton(M::EraseRoad)->click();
  const int x = e->ViewLeft + 3, y = e->ViewTop + 4;
  Release(*e, x, y, Qt::RightButton);  // dismissed
  ASSERT_EQ(dialogs.menus.size(), 1u);
  Release(*e, x, y);
  EXPECT_FALSE(gDataChanged) << "the release after a dismissed menu is swallowed";
  Release(*e, x, y);
  EXPECT_TRUE(gDataChanged);

  for (auto [item, left, top] : {std::tuple{"리스본 (4,80)", 0, 66}, {"변방의 장수가 추천한 장소 (214,72)", 209, 58}}) {
    dialogs.menuAnswers = {item};
    Release(*e, e->ViewLeft + 3, e->ViewTop + 4, Qt::RightButton);
    EXPECT_EQ(std::tuple(e->ViewLeft, e->ViewTop, gSkipMapMouseUp), std::tuple(left, top, false)) << item;
  }
}

TEST_F(MapEditorClicks, ExistingCitiesFollowTheList) {
  LoadSave();
  for (int c = 0; c < 42; ++c) {
    auto& rec = gData.gSaveCities[std::size_t(c)];
    WriteFixedName(rec.bytes(kCitySave.name), "도시" + std::to_string(c));
    rec.set(kCitySave.x, std::uint16_t(c)), rec.set(kCitySave.y, std::uint16_t(2 * c));
  }
  Open();
  EXPECT_EQ(Existing().size(), 42);
  const QAction* seventh = places.findChild<QMenu*>("existingCities")->actions()[7];
  EXPECT_EQ(std::pair(seventh->text(), seventh->data().toString()), std::pair(QString("도시7 (7,14)"), QString("007,014")));
  for (auto& c : gData.gSaveCities) c.set(kCitySave.x, kFreeCityX);
  Open();
  EXPECT_EQ(Existing(), QStringList{"없음"});
  EXPECT_FALSE(places.findChild<QMenu*>("existingCities")->actions()[0]->isEnabled());
}

// The create-city dialog as the map's owner: it only takes the cell.
class FakeCreateCity : public QWidget, public CreateCityCaller {
 public:
  QWidget* Form() override { return this; }
  void SetOwnerNo(std::uint8_t) override {}
  void SetCell(int x, int y) override { cells.push_back({x, y}); }
  QLabel* NewCityOwnerNameLabel() override { return nullptr; }
  QAbstractButton* NewCityOwnerButton() override { return nullptr; }
  std::vector<std::pair<int, int>> cells;
};

TEST_F(MapEditorClicks, NewCityCellGoesToItsOwner) {
  LoadSave();
  RegisterMapForms();
  MainWindow main;
  FakeCreateCity owner;
  owner.setParent(&main);  // the editor finds the main window's menu above its owner
  test::ScriptedRng rng({0.0});
  SetModalRunner([&](QDialog& d) {
    auto& e = static_cast<MapEditor&>(d);
    e.show();
    const auto [x, y] = AskedCell(e, M::NewCitySite);
    Release(e, x, y, Qt::RightButton);  // nothing to cancel: the menu comes up, and is dismissed
    EXPECT_EQ(dialogs.menus, std::vector<QMenu*>{main.cityPlaceMenu});
    Release(e, x, y);
    EXPECT_TRUE(dialogs.boxes.empty());
    dialogs.boxAnswers = {MsgResult::No};
    Release(e, x, y);
    EXPECT_TRUE(e.isVisible() && owner.cells.empty());
    Release(e, x, y);
    EXPECT_EQ(dialogs.boxes.back().text, "이 위치에 건설하시겠습니까?");
    EXPECT_FALSE(e.isVisible());
    EXPECT_EQ(owner.cells, (std::vector<std::pair<int, int>>{{x, y}}));
    return e.result();
  });
  const GameDataSet before = gData;
  EXPECT_TRUE(ShowForm("frmMapEdit", &owner, {.mode = int(MapEditorOpening::PickNewCitySite)}));
  EXPECT_TRUE(gData.gSaveMap == before.gSaveMap && !gDataChanged);
}

}  // namespace
}  // namespace garam
