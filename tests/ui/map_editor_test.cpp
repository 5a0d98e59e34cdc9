// The map editor window, shown without a modal loop: opening modes, navigation, the cursor and its
// status line, the tool panel, and how often the map is drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/mapcache.h"
#include "map/mapart.h"
#include "map/mapeditor.h"
#include "platform/modal.h"
#include "tests/support/plausible_map.h"
#include "tests/support/scripted_rng.h"
#include "ui/main/childforms.h"

namespace garam {
namespace {

void LoadScenario(std::int32_t kind) {
  gFileKind = kind;
  gLoadedExeInfo.editionFlag = kind == kScenarioQV ? -1 : 0;
  ExeInfo info;
  info.countries[0] = 3, info.cities[0] = 4, info.generals[0] = 6;
  if (kind == kScenarioQV) ResetArraysScenarioQV(gData, info, 1);
  else ResetArraysScenarioKr(gData, info, 1);
  for (std::size_t r = 0; r < gData.gRegions.size(); ++r) WriteFixedName(gData.gRegions[r].bytes(kRegionScen.name), "지역" + std::to_string(r));
  test::PaintPlausibleMap(5);
  BuildMapCache();
}

// A save whose player's king stays in city 7 at (120, 61).
void LoadSave(std::int32_t kind) {
  gFileKind = kind;
  gLoadedExeInfo.editionFlag = kind == kSaveQV ? -1 : 0;
  if (kind == kSaveQV) ResetArraysSaveQV(gData);
  else ResetArraysSaveKr(gData);
  for (auto& c : gData.gSaveCities) c.set(kCitySave.x, kFreeCityX), c.set(kCitySave.y, kFreeCityX);
  for (int c : {2, 7, 9}) gData.gSaveCities[std::size_t(c)].set(kCitySave.x, 0);
  test::PaintPlausibleMap(6);
  gData.gSaveCities[7].set(kCitySave.x, 120), gData.gSaveCities[7].set(kCitySave.y, 61);
  gData.gSaveTail.bytes(kSaveTail.countryMap)[3] = 5;
  if (kind == kSaveQV) {
    gData.gSaveHeaderQV.set(kSaveHeaderQV.playerCountry, 3);
    gData.gSaveCountriesQV[5].set(kCountrySave.king, std::int16_t(42));
    gData.gSaveGeneralsQV[42].set(kGeneralSaveQV.city, 7);
  } else {
    gData.gSaveHeader.set(kSaveHeaderKr.playerCountry, 3);
    gData.gSaveCountries[5].set(kCountrySave.king, std::int16_t(42));
    gData.gSaveGenerals[42].set(kGeneralSaveKr.city, 7);
  }
  BuildMapCache();
}

// The pixel at the middle of a cell in the view.
QPoint Centre(const MapEditor& e, int x, int y) {
  return {62 * (x - e.ViewLeft) + (y % 2 ? 31 : 0) + 30, 16 * (y - e.ViewTop) + 15};
}
void MoveTo(MapEditor& e, QPoint p) {
  QMouseEvent ev(QEvent::MouseMove, QPointF(p), e.picMap->mapToGlobal(QPointF(p)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(e.picMap, &ev);
}
void Wheel(QWidget* w, int delta) {
  QWheelEvent ev(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &ev);
}
const QString kNoCell = QStringLiteral("(\?\?\?,\?\?\?)");
QString Status(const MapEditor& e) { return e.StatusBar->currentMessage(); }
// Draws what is due and tells how many pictures the view has drawn so far.
int Renders(MapEditor& e) {
  e.picMap->repaint();
  return e.picMap->renderCount();
}

TEST(MapEditorOpening, ModesAndFileKinds) {
  struct Case {
    std::int32_t kind;
    int mode;
    QString caption;
    int width, buildings, regions, regionRow, terrains;
    bool scenarioTools;
  };
  const Case cases[] = {
      {kScenarioKr, 2, "Map Edit", 739, 12, 57, 0, 63, true},
      {kScenarioQV, 2, "Map Edit", 739, 13, 57, 0, 63, true},
      {kSaveKr, 2, "Map Edit", 739, 12, 1, -1, 0, false},
      {kSaveQV, 2, "Map Edit", 739, 13, 1, -1, 0, false},
      {kScenarioKr, kNewCityMode, "신도시 위치 지정", 637, 0, 0, -1, 0, true},
  };
  for (const Case& c : cases) {
    if (c.kind % 3 == 0) LoadSave(c.kind);
    else LoadScenario(c.kind);
    MapEditor e(nullptr, {}, c.mode);
    e.show();
    const std::string what = std::to_string(c.kind) + "/" + std::to_string(c.mode);
    EXPECT_EQ(std::tuple(e.windowTitle(), e.width(), e.MapCombo[0]->count(), e.MapCombo[2]->count(), e.MapCombo[2]->currentIndex(),
                         e.MapCombo[4]->count()),
              std::tuple(c.caption, c.width, c.buildings, c.regions, c.regionRow, c.terrains))
        << what;
    if (c.buildings == 13) {
      EXPECT_EQ(e.MapCombo[0]->itemText(12), "방벽");
    }
    if (c.regions == 1) {
      EXPECT_EQ(e.MapCombo[3]->itemText(0), "--------------");
    }
    if (c.mode == 2) {
      EXPECT_EQ(std::tuple(e.MapOpt[21]->isEnabled(), e.MapOpt[22]->isEnabled(), e.picView->isVisible()),
                std::tuple(c.scenarioTools, c.scenarioTools, c.scenarioTools))
          << what;
      EXPECT_EQ(std::pair(e.modes->checkedId(), e.MapCombo[1]->count()), std::pair(0, 31)) << what;
    } else {
      EXPECT_EQ(e.modes->checkedId(), -1);
    }
    EXPECT_EQ(std::tuple(e.CursorX, e.CursorY, e.PickedCityX), std::tuple(-1, -1, -1)) << what;
  }

  // A save opens at its player's king's city; a scenario at (223, 57), whose odd row puts it one
  // column further left and whose odd top row gives way to the even one above.
  LoadSave(kSaveKr);
  MapEditor save(nullptr, {}, 2);
  EXPECT_EQ(std::pair(save.HScroll->value(), save.VScroll->value()), std::pair(116, 46));
  LoadScenario(kScenarioKr);
  MapEditor scenario(nullptr, {}, 2);
  scenario.show();
  EXPECT_EQ(std::tuple(scenario.HScroll->value(), scenario.VScroll->value(), scenario.ViewLeft, scenario.ViewTop),
            std::tuple(219, 42, 219, 42));
  MoveTo(scenario, QPoint(310, 256));
  EXPECT_TRUE(Status(scenario).startsWith("(223,57)      ")) << Status(scenario).toStdString();
  EXPECT_TRUE(scenario.picMap->cursorVisible());
}

TEST(MapEditorOpening, NewCityModeMarksItsStart) {
  LoadScenario(kScenarioKr);
  const int x = gData.gCities[2].get(kCityScen.x), y = gData.gCities[2].get(kCityScen.y);
  test::ScriptedRng rng({2.5 / 84});
  MapEditor e(nullptr, {}, kNewCityMode);
  e.show();
  EXPECT_EQ(std::pair(e.MarkX, e.MarkY), std::pair(x, y));
  // Green on a castle (the mark stands on one), red elsewhere, blue on a mark without a castle.
  MoveTo(e, Centre(e, x, y));
  EXPECT_EQ(e.picMap->cursorColor(), QColor(0, 255, 0));
  MoveTo(e, Centre(e, x + 2, y));
  EXPECT_EQ(e.picMap->cursorColor(), QColor(255, 0, 0));
  e.SetLocation(x + 2, y);
  MoveTo(e, Centre(e, x + 2, y));
  EXPECT_EQ(e.picMap->cursorColor(), QColor(0, 0, 255));
}

TEST(MapEditorNavigation, PointerScrollWheelAndEnlargedView) {
  LoadScenario(kScenarioKr);
  MapEditor e(nullptr, {}, 2);
  e.show();
  // Off the view there is no cell, also while a button drags the pointer beyond it.
  for (QPoint off : {QPoint(-3, 10), QPoint(700, 10), QPoint(10, 600)}) {
    MoveTo(e, off);
    EXPECT_EQ(std::tuple(e.CursorX, e.CursorY, Status(e)), std::tuple(-1, -1, kNoCell));
    EXPECT_FALSE(e.picMap->cursorVisible());
  }
  // The map moves under a resting pointer; column 249 of an odd row is no cell.
  e.SetLocation(100, 101);
  EXPECT_EQ(std::pair(e.ViewLeft, e.ViewTop), std::pair(96, 86));
  MoveTo(e, QPoint(619, 31));
  EXPECT_EQ(std::pair(e.CursorX, e.CursorY), std::pair(105, 87));
  e.HScroll->setValue(99);
  EXPECT_EQ(std::pair(e.CursorX, e.CursorY), std::pair(108, 87));
  e.HScroll->setValue(240);
  EXPECT_EQ(std::pair(e.CursorX, Status(e)), std::pair(-1, kNoCell));

  // The wheel moves two rows a notch within the limits, wherever the pointer is; the list under
  // it keeps its item.
  e.VScroll->setValue(2);
  const int specialty = e.MapCombo[1]->currentIndex();
  struct Turn {
    QWidget* target;
    int delta, expected;
  };
  for (const Turn t : {Turn{e.MapCombo[1], -120, 4}, {e.picMap, 240, 0}, {e.picMap, 120, 0}, {&e, 0, 0}, {e.HScroll, -360, 6}}) {
    Wheel(t.target, t.delta);
    EXPECT_EQ(e.VScroll->value(), t.expected) << t.delta;
  }
  e.VScroll->setValue(190);
  Wheel(e.picMap, -120);
  EXPECT_EQ(std::pair(e.VScroll->value(), e.MapCombo[1]->currentIndex()), std::pair(190, specialty));

  // The enlarged view, on and off again, puts every control back.
  std::vector<QRect> before;
  for (QWidget* w : e.findChildren<QWidget*>()) before.push_back(w->geometry());
  const QSize size = e.size();
  e.mapCheck->click();
  EXPECT_EQ(std::tuple(e.picMap->size(), e.ViewLeft, e.ViewTop, e.HScroll->maximum()), std::tuple(QSize(992, 832), 234, 174, 234));
  e.SetLocation(249, 224);
  EXPECT_EQ(std::pair(e.ViewLeft, e.ViewTop), std::pair(234, 174));
  e.mapCheck->click();
  std::vector<QRect> after;
  for (QWidget* w : e.findChildren<QWidget*>()) after.push_back(w->geometry());
  EXPECT_EQ(after, before);
  EXPECT_EQ(e.size(), size);
}

TEST(MapEditorPanel, PreviewsRegionMarksAndDrawsPerChange) {
  LoadScenario(kScenarioKr);
  MapEditor e(nullptr, {}, 2);
  e.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&e));
  const int first = Renders(e);
  EXPECT_EQ(first, 1);

  struct Preview {
    int code;
    const QImage& sheet;
    int x, y;
  };
  for (const Preview& p : {Preview{8, TileSheet(), 496, 0}, {9, RiverSheet(), 0, 0}, {58, RiverSheet(), 248, 288}, {62, TileSheet(), 186, 32}}) {
    e.MapCombo[4]->setCurrentIndex(p.code);
    const QImage shown = e.picView->pixmap().toImage().convertToFormat(QImage::Format_RGB32).copy(0, 0, kTileW, kTileH);
    EXPECT_TRUE(shown == p.sheet.copy(p.x, p.y, kTileW, kTileH)) << p.code;
  }

  // Neither pointer moves nor a bare expose draw the map; each scroll, notch, mode and toggle
  // draws it once.
  MoveTo(e, QPoint(300, 300));
  e.picMap->update();
  EXPECT_EQ(Renders(e), first);
  int n = first;
  auto once = [&](const char* what, auto&& act) {
    act();
    EXPECT_EQ(Renders(e), ++n) << what;
  };
  once("horizontal", [&] { e.HScroll->setValue(e.HScroll->value() + 1); });
  once("odd vertical", [&] { e.VScroll->setValue(e.VScroll->value() + 5); });
  once("wheel", [&] { Wheel(e.picMap, -120); });
  const QImage plain = e.picMap->image();
  // Mode 21 marks the region under the view's middle; back in mode 0 no mark is left.
  const int region = gData.gMapFix.at(e.ViewLeft + 5, e.ViewTop + 18).raw[1];
  once("region mode", [&] { e.MapOpt[21]->click(); });
  e.MapCombo[2]->setCurrentIndex(region + 1);
  EXPECT_EQ(Renders(e), n) << "a region chosen shows at the next drawing";
  once("next drawing", [&] { e.RedrawMap(); });
  EXPECT_FALSE(e.picMap->image() == plain);
  once("mode 0", [&] { e.MapOpt[0]->click(); });
  EXPECT_TRUE(e.picMap->image() == plain);
  once("enlarged", [&] { e.mapCheck->click(); });
}

TEST(MapEditorOpening, OpenedFromItsRegistrationAndLeavesTheDataAlone) {
  for (std::int32_t kind : {kScenarioQV, kSaveKr}) {
    if (kind == kSaveKr) LoadSave(kind);
    else LoadScenario(kind);
    const GameDataSet before = gData;
    RegisterMapForms();
    int runs = 0;
    SetModalRunner([&](QDialog& d) {
      auto& e = static_cast<MapEditor&>(d);
      EXPECT_EQ(d.objectName(), "frmMapEdit");
      e.show();
      MoveTo(e, QPoint(200, 200));
      e.HScroll->setValue(3), e.VScroll->setValue(100);
      Wheel(e.MapCombo[0], -120);
      e.mapCheck->click();
      for (int mode : {2, 21, 6, 0}) e.MapOpt[std::size_t(mode)]->click();
      Renders(e);
      QTest::keyClick(e.picMap, Qt::Key_Escape);
      EXPECT_FALSE(e.isVisible()) << "Esc closes the map";
      ++runs;
      return e.result();
    });
    EXPECT_TRUE(ShowForm("frmMapEdit", nullptr, {.mode = 2}));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(gData.gMapFix == before.gMapFix && gData.gMapVar == before.gMapVar && gData.gSaveMap == before.gSaveMap);
    EXPECT_TRUE(gData.gCities == before.gCities && gData.gSaveCities == before.gSaveCities && gData.gRegions == before.gRegions);
    EXPECT_FALSE(gDataChanged);
  }
}

}  // namespace
}  // namespace garam
