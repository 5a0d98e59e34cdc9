// Data sets and a fixture for the tests of the main window's commands: a numbered scenario and a
// save file of either edition, filled into a main window with scripted dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>

#include "data/territory.h"
#include "tests/ui/list_fixtures.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/childforms.h"
#include "ui/main/entitycommands.h"
#include "ui/main/frmMain.h"
#include "ui/main/rowtexts.h"

namespace garam::test {

// A numbered scenario: countries 백제 (0), 신라 (1) and 가야 (2, the last, one city: 금관, where its
// king 수로 and the minor 아이 live); generals 4 and 7 unaffiliated, 7 the last; consorts with
// unique codes 0 and 48. A smaller generalCount ends the scenario earlier.
inline void MakeScenario(bool qv, int generalCount = 8) {
  GameDataSet& d = gData;
  const auto info = CountsInfo(qv, 3, 4, generalCount, 2);
  if (qv) ResetArraysScenarioQV(d, info, 1);
  else ResetArraysScenarioKr(d, info, 1);
  const char* countries[3] = {"백제", "신라", "가야"};
  const int kings[3] = {0, 2, 5};
  for (int c = 0; c < 3; ++c) {
    ScenCountry(d, c, countries[c], kings[c]);
    d.gCountries[std::size_t(c)].relations.assign(3, std::uint16_t(0x1003));
  }
  const char* cities[4] = {"사비", "서라벌", "금성", "금관"};
  const int owners[4] = {0, 1, 1, 2};
  for (int c = 0; c < 4; ++c) {
    ScenCity(d, c, cities[c], owners[c]);
    d.gCities[std::size_t(c)].set(kCityScen.x, std::uint16_t(30 + c));
    d.gCities[std::size_t(c)].set(kCityScen.y, std::uint16_t(40 + c));
    d.gCities[std::size_t(c)].set(kCityScen.code, std::uint8_t(50 + c));
  }
  const GeneralSpec generals[8] = {{"의자", 0, 4},   {"계백", 0, 6},         {"김춘추", 1, 4}, {"미등", 80, 1},
                                   {"누리", 80, 3},  {"수로", 3, 4 | 0x2000}, {"아이", 3, 5},   {"떠돌이", 80, 3}};
  for (int g = 0; g < generalCount; ++g) {
    ScenGeneral(d, qv, g, generals[g]);
    auto clear = [&](auto& r) {
      r.set(r.L.appearanceCity, kNoAppearanceCity);
      r.set(r.L.father, std::uint16_t(500));
      r.set(r.L.grandfather, std::uint16_t(500));
    };
    if (qv) clear(d.gGeneralsQV[std::size_t(g)]);
    else clear(d.gGenerals[std::size_t(g)]);
  }
  SetName(d.gQueens[0], kQueenScen.name, "선덕");
  d.gQueens[0].set(kQueenScen.husband, std::uint16_t(2));
  SetName(d.gQueens[1], kQueenScen.name, "허황옥");
  d.gQueens[1].set(kQueenScen.code, std::uint8_t(48));
  d.gQueens[1].set(kQueenScen.husband, std::uint16_t(generalCount - 1));
  SetName(d.gScenarioHeader, kScenarioHeaderKr.title, "삼국");
  SetName(d.gScenarioHeader, kScenarioHeaderKr.description, "첫째 줄\r\n둘째 줄");
  d.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(660));
  SetName(d.gScenarioHeaderQV, kScenarioHeaderQV.title, "삼국");
  d.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, std::uint16_t(660));
}

// A Korean or expansion save: 고려 (3, the player's, slot 1), 송 (5) and 요 (7); ownerless cities
// 4 to 7, of which only 4 is free of generals and events.
inline void MakeSave(bool qv) {
  GameDataSet& d = gData;
  BlankSave(d, qv);
  SaveCountry(d, qv, 3, "고려", 10);
  SaveCountry(d, qv, 5, "송", 11);
  SaveCountry(d, qv, 7, "요", 13);
  SaveCity(d, 0, "개경", 3, 10);
  SaveCity(d, 1, "개봉", 5, 11);
  SaveCity(d, 2, "서경", 3, 12);
  SaveCity(d, 4, "빈성", 80);
  SaveCity(d, 5, "들성", 80);
  SaveCity(d, 6, "솔성", 80, 14);  // an ownerless city whose list still holds general 14
  SaveCity(d, 7, "옛성", 80);
  d.gSaveCities[7].set(kCitySave.code, std::uint8_t(32));
  SaveGeneral(d, qv, 10, {"왕건", 0, 4});
  SaveGeneral(d, qv, 11, {"조광윤", 1, 4});
  SaveGeneral(d, qv, 12, {"유금필", 2, 2});
  SaveGeneral(d, qv, 13, {"야율", 80, 3});
  SaveGeneral(d, qv, 14, {"박술희", 2, 2});
  SaveGeneral(d, qv, 15, {"견훤", 5, 3});  // unaffiliated, staying in ownerless city 5
  auto header = [&](auto& h) {
    const auto& L = h.L;
    auto ps = h.bytes(L.playerSlots);
    std::fill(ps.begin(), ps.end(), 80);
    ps[0] = 3;
    PutLE(h.bytes(L.players), 1);
    h.set(L.playerCountry, std::uint8_t(2));
    h.set(L.currentYear, std::uint16_t(1210));
    h.set(L.season, std::uint8_t(3));
  };
  if (qv) header(d.gSaveHeaderQV);
  else header(d.gSaveHeader);
  d.gSaveTail.bytes(kSaveTail.countryMap)[2] = 3;
}

// A create dialog that appends a row to its list, as the real ones will.
struct FakeAddDialog {
  static inline ListView* list = nullptr;
  static void Register() {
    for (const char* name : {"frmAdd1", "frmAdd2", "frmAdd3", "frmAdd4"})
      RegisterForm(name, [](QWidget*) {
        if (list) list->addRow("새것", QString::number(list->count()), {});
      });
  }
};

class Commands : public ::testing::Test {
 protected:
  void SetUp() override {
    gExeInfo = ExeInfo{};
    gLoadedExeInfo = ExeInfo{};
    gPlayerCountry = 80;
    gDataChanged = false;
    ClearFormRequests();
    w = std::make_unique<frmMain>();
  }
  void TearDown() override {
    FakeAddDialog::list = nullptr;
    w.reset();
    gData = GameDataSet{};
    gFileKind = -1;
    gDataChanged = false;
    gMapCacheLookup = nullptr;
  }
  void Fill(std::int32_t kind, const char* file) {
    gFileKind = kind;
    gExeInfo.editionFlag = (kind == kSaveQV || kind == kScenarioQV) ? -1 : 0;
    w->SetStatus(2, file);
    w->SetStatus(3, "");
    w->FillMainWindow(true);
    gCountsChanged = false;
    gDataChanged = false;
  }
  void LoadScenario(bool qv, const char* file = "scedat1.rn", int generals = 8) {
    MakeScenario(qv, generals);
    Fill(qv ? kScenarioQV : kScenarioKr, file);
  }
  void LoadSave(bool qv) {
    MakeSave(qv);
    Fill(qv ? kSaveQV : kSaveKr, "user1.rn");
  }
  ListItem* Select(int list, int tag) {
    ListView* lv = w->List(list);
    ListItem* row = lv->findTag(QString::number(tag));
    lv->selectRow(row);
    return row;
  }
  QString Cell(int list, int tag, int column) {
    ListView* lv = w->List(list);
    return lv->cell(lv->findTag(QString::number(tag)), column);
  }
  // Runs a command and returns the texts of the boxes it showed.
  QStringList Run(int list, int index) {
    dialogs.boxes.clear();
    EntityCommand(*w, list, index);
    QStringList texts;
    for (const auto& b : dialogs.boxes) texts << b.text;
    return texts;
  }
  static void Focus(QWidget* box, QEvent::Type type) {
    QFocusEvent e(type, Qt::TabFocusReason);
    QApplication::sendEvent(box, &e);
  }
  ScriptedDialogs dialogs;
  std::unique_ptr<frmMain> w;
};

}  // namespace garam::test
