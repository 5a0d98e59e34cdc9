// The in-memory data sets of the main-window tests, written straight into the record layouts, and
// a main window filled from them with scripted dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QTest>
#include <algorithm>
#include <iterator>
#include <string>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/territory.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/common/childforms.h"
#include "ui/main/entitycommands.h"
#include "ui/main/main_window.h"
#include "ui/main/rowtexts.h"

namespace garam::test {

template <typename Rec, typename F>
void SetName(Rec& r, F field, const std::string& utf8) {
  WriteFixedName(r.bytes(field), utf8);
}

// A save set of the kind with every slot free.
inline void BlankSave(GameDataSet& d, bool qv) {
  if (qv) ResetArraysSaveQV(d); else ResetArraysSaveKr(d);
  for (auto& c : d.gSaveCountries) c.set(kCountrySave.king, std::int16_t(500));
  for (auto& c : d.gSaveCountriesQV) c.set(kCountrySave.king, std::int16_t(500));
  for (auto& c : d.gSaveCities) {
    c.set(kCitySave.x, kFreeCityX), c.set(kCitySave.y, kFreeCityX), c.set(kCitySave.owner, std::uint8_t(80));
    for (std::size_t i = 0; i < kCityGeneralSlots; ++i) c.setGeneral(i, 500);
  }
  for (auto& q : d.gSaveQueens) q.set(kQueenSave.husband, std::uint16_t(500));
  for (auto& p : d.gSavePrincesses) p.set(kPrincess.mother, std::uint8_t(200));
  for (auto& e : d.gAppearanceQueue) e.set(kAppearanceQueue.general, std::int16_t(500)), e.set(kAppearanceQueue.city, std::uint8_t(80));
  for (auto& g : d.gSaveGenerals) g.set(kGeneralSaveKr.mission, std::uint16_t(4080));
  for (auto& g : d.gSaveGeneralsQV) g.set(kGeneralSaveQV.mission, std::uint16_t(4080));
}

inline void SaveCountry(GameDataSet& d, bool qv, int i, const std::string& name, int king) {
  auto set = [&](auto& c) { SetName(c, kCountrySave.name, name), c.set(kCountrySave.king, std::int16_t(king)); };
  if (qv) set(d.gSaveCountriesQV[i]); else set(d.gSaveCountries[i]);
}

inline void SaveCity(GameDataSet& d, int i, const std::string& name, int owner, int lord = 500) {
  auto& c = d.gSaveCities[i];
  SetName(c, kCitySave.name, name);
  c.set(kCitySave.owner, std::uint8_t(owner)), c.set(kCitySave.x, std::uint16_t(10 + i)), c.set(kCitySave.y, std::uint16_t(20 + i));
  c.set(kCitySave.defence, std::uint16_t(100)), c.setGeneral(0, std::uint16_t(lord));
}

struct GeneralFields {
  std::string name;
  int city = 80, status = 2, mission = 4080;
};

inline void SaveGeneral(GameDataSet& d, bool qv, int i, const GeneralFields& f) {
  auto set = [&](auto& g, const auto& L) {
    SetName(g, L.name, f.name);
    g.set(L.city, std::uint8_t(f.city)), g.set(L.status, std::uint16_t(f.status));
    g.set(L.birthYear, std::uint16_t(1150)), g.set(L.mission, std::uint16_t(f.mission));
  };
  if (qv) set(d.gSaveGeneralsQV[i], kGeneralSaveQV); else set(d.gSaveGenerals[i], kGeneralSaveKr);
}

inline void ScenGeneral(GameDataSet& d, bool qv, int i, const GeneralFields& f) {
  auto set = [&](auto& g, const auto& L) {
    SetName(g, L.name, f.name);
    g.set(L.city, std::uint8_t(f.city)), g.set(L.status, std::uint16_t(f.status)), g.set(L.appearanceCity, kNoAppearanceCity);
    g.set(L.father, std::uint16_t(500)), g.set(L.grandfather, std::uint16_t(500));
  };
  if (qv) set(d.gGeneralsQV[i], kGeneralScenQV); else set(d.gGenerals[i], kGeneralScenKr);
}

inline void ScenCountry(GameDataSet& d, int i, const std::string& name, int king) {
  auto& c = d.gCountries[i];
  WriteFixedName(std::span(c.head).subspan(CountryScenRec::L.name.off, CountryScenRec::L.name.width), name);
  c.setKing(std::uint16_t(king));
}

inline void ScenCity(GameDataSet& d, int i, const std::string& name, int owner) {
  auto& c = d.gCities[i];
  SetName(c, kCityScen.name, name);
  c.set(kCityScen.owner, std::uint8_t(owner)), c.set(kCityScen.x, std::uint16_t(30 + i)), c.set(kCityScen.y, std::uint16_t(40 + i));
  c.set(kCityScen.code, std::uint8_t(50 + i));
}

// The executable's tables for a numbered scenario of the given counts (scenario 1).
inline ExeInfo CountsInfo(bool qv, int countries, int cities, int generals, int consorts) {
  ExeInfo info;
  info.editionFlag = qv ? -1 : 0;
  info.countries[0] = std::uint8_t(countries), info.cities[0] = std::uint8_t(cities);
  info.generals[0] = std::int16_t(generals), info.consorts[0] = std::uint8_t(consorts);
  return info;
}

// A numbered scenario: countries 백제 (0), 신라 (1) and 가야 (2, the last, one city: 금관, where its
// king 수로 and the minor 아이 live); generals 4 and 7 unaffiliated, 7 the last, 3 not yet
// appeared; consorts with unique codes 0 and 48. A smaller generalCount ends the scenario earlier.
inline void MakeScenario(bool qv, int generalCount = 8) {
  GameDataSet& d = gData;
  if (qv) ResetArraysScenarioQV(d, CountsInfo(qv, 3, 4, generalCount, 2), 1);
  else ResetArraysScenarioKr(d, CountsInfo(qv, 3, 4, generalCount, 2), 1);
  const char* countries[3] = {"백제", "신라", "가야"};
  const int kings[3] = {0, 2, 5};
  for (int c = 0; c < 3; ++c) {
    ScenCountry(d, c, countries[c], kings[c]);
    d.gCountries[std::size_t(c)].relations.assign(3, std::uint16_t(0x1003));
  }
  const char* cities[4] = {"사비", "서라벌", "금성", "금관"};
  const int owners[4] = {0, 1, 1, 2};
  for (int c = 0; c < 4; ++c) ScenCity(d, c, cities[c], owners[c]);
  const GeneralFields generals[8] = {{"의자", 0, 4},   {"계백", 0, 6},         {"김춘추", 1, 4}, {"미등", 80, 1},
                                     {"누리", 80, 3},  {"수로", 3, 4 | 0x2000}, {"아이", 3, 5},   {"떠돌이", 80, 3}};
  for (int g = 0; g < generalCount; ++g) ScenGeneral(d, qv, g, generals[g]);
  SetName(d.gQueens[0], kQueenScen.name, "선덕");
  SetName(d.gQueens[1], kQueenScen.name, "허황옥");
  d.gQueens[0].set(kQueenScen.husband, std::uint16_t(2));
  d.gQueens[1].set(kQueenScen.code, std::uint8_t(48)), d.gQueens[1].set(kQueenScen.husband, std::uint16_t(generalCount - 1));
  SetName(d.gScenarioHeader, kScenarioHeaderKr.title, "삼국");
  SetName(d.gScenarioHeader, kScenarioHeaderKr.description, "첫째 줄\r\n둘째 줄");
  SetName(d.gScenarioHeaderQV, kScenarioHeaderQV.title, "삼국");
  d.gScenarioHeader.set(kScenarioHeaderKr.startYear, std::uint16_t(660)), d.gScenarioHeaderQV.set(kScenarioHeaderQV.startYear, std::uint16_t(660));
}

// A Korean or expansion save: 고려 (3, the player's in slot 1 unless withPlayer is false; cities 0
// and 2), 송 (5) and 요 (7); ownerless cities 4 to 7, of which only 4 is free of generals and
// events; general 13 unaffiliated without a city, 15 unaffiliated in ownerless city 5.
inline void MakeSave(GameDataSet& d, bool qv, bool withPlayer = true) {
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
  SaveGeneral(d, qv, 10, {"왕건", 0, 4});
  SaveGeneral(d, qv, 11, {"조광윤", 1, 4});
  SaveGeneral(d, qv, 12, {"유금필", 2, 2, 0});
  SaveGeneral(d, qv, 13, {"야율", 80, 3});
  SaveGeneral(d, qv, 14, {"박술희", 2, 2, 499});
  SaveGeneral(d, qv, 15, {"견훤", 5, 3});
  auto header = [&](auto& h) {
    const auto& L = h.L;
    auto ps = h.bytes(L.playerSlots);
    std::fill(ps.begin(), ps.end(), 80);
    if (withPlayer) ps[0] = 3, PutLE(h.bytes(L.players), 1);
    h.set(L.playerCountry, std::uint8_t(2)), h.set(L.currentYear, std::uint16_t(1210)), h.set(L.season, std::uint8_t(3));
  };
  if (qv) header(d.gSaveHeaderQV); else header(d.gSaveHeader);
  d.gSaveTail.bytes(kSaveTail.countryMap)[2] = 3;
}

// A create dialog that appends a row to its list, as the real ones will.
struct FakeAddDialog {
  static inline ListView* list = nullptr;
  static void Register() {
    for (const char* name : {"frmAdd1", "frmAdd2", "frmAdd3", "frmAdd4"})
      RegisterForm(name, [](QWidget*, const FormArgs&) {
        if (list) list->addRow("새것", QString::number(list->count()), {});
      });
  }
};

class MainFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearFormRequests();
    w = std::make_unique<MainWindow>();
  }
  void TearDown() override {
    FakeAddDialog::list = nullptr;
    w.reset();
  }
  void Fill(std::int32_t kind, const char* file, bool fresh = true) {
    gFileKind = kind;
    gExeInfo.editionFlag = (kind == kSaveQV || kind == kScenarioQV) ? -1 : 0;
    w->SetStatus(StatusPanel::FileName, file), w->SetStatus(StatusPanel::ChangedMark, "");
    gCountsChanged = false, gLoadWithExeInfo = fresh;
    w->FillMainWindow();
    EXPECT_TRUE(gCountsChanged) << "a fill recounts";
    gCountsChanged = gDataChanged = false;
  }
  void LoadScenario(bool qv, const char* file = "scedat1.rn", int generals = 8) {
    MakeScenario(qv, generals);
    Fill(qv ? kScenarioQV : kScenarioKr, file);
  }
  void LoadSave(bool qv, bool withPlayer = true) {
    MakeSave(gData, qv, withPlayer);
    Fill(qv ? kSaveQV : kSaveKr, "user1.rn");
  }
  // Lists are numbered as the main window's pages (EntityList).
  ListItem* Select(int list, int tag) {
    ListView* lv = w->List(EntityList(list));
    ListItem* row = lv->findTag(QString::number(tag));
    lv->selectRow(row);
    return row;
  }
  QString Cell(int list, int tag, int column) {
    ListView* lv = w->List(EntityList(list));
    return lv->cell(lv->findTag(QString::number(tag)), column);
  }
  // Runs a command and returns the texts of the boxes it showed.
  QStringList Run(int list, int index) {
    dialogs.boxes.clear();
    EntityCommand(*w, EntityList(list), ListCommand(index));
    QStringList texts;
    for (const auto& b : dialogs.boxes) texts << b.text;
    return texts;
  }
  // Shows a window as a modal run does and waits until the activation, with its focus, arrives.
  static void ShowActive(QWidget& window) {
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
  }
  static void Focus(QWidget* box, QEvent::Type type) {
    QFocusEvent e(type, Qt::TabFocusReason);
    QApplication::sendEvent(box, &e);
  }
  // Every row of the countries, cities and generals lists with colour and weight, in tag order.
  std::vector<std::string> EntityRows() {
    std::vector<std::string> rows;
    for (int list : {2, 3, 4}) {
      ListView* lv = w->ListOf(EntityList(list));
      for (int i = 0; i < lv->count(); ++i) {
        const ListItem* row = lv->row(i);
        std::string text = std::to_string(list) + ":" + row->tag.toStdString();
        for (int c = 0; c < lv->columnCount(); ++c) {
          // Black set on a cell reads as the list's own text colour.
          const QColor colour = lv->cellForeColor(row, c);
          const bool coloured = colour.isValid() && colour != QColor(Qt::black);
          text += "|" + lv->cell(row, c).toStdString() + (coloured ? " " + colour.name().toStdString() : "") +
                  (lv->cellBold(row, c) ? " bold" : "");
        }
        rows.push_back(text);
      }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  // The rows an edit left against those a new fill of the same data shows.
  void ExpectRowsAsFilled(std::int32_t kind, const char* file) {
    const auto edited = EntityRows();
    Fill(kind, file);
    const auto filled = EntityRows();
    // Only the rows that differ, each as the edit left it and as the fill shows it.
    std::vector<std::string> editedOnly, filledOnly;
    std::ranges::set_difference(edited, filled, std::back_inserter(editedOnly));
    std::ranges::set_difference(filled, edited, std::back_inserter(filledOnly));
    EXPECT_EQ(editedOnly, filledOnly);
  }
  ScriptedDialogs dialogs;
  std::unique_ptr<MainWindow> w;
};

}  // namespace garam::test
