// The Expert operations on synthetic installations: what each run writes, what it refuses, and
// that a failure anywhere leaves every file as it was.
#include <gtest/gtest.h>

#include <functional>

#include "data/cp949.h"
#include "data/expert_sets.h"
#include "data/fileio.h"
#include "data/mapfiles.h"
#include "data/scenario_io.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

using test::Installation;

ScenarioSet Load(const Installation& inst, int n) {
  ScenarioSet s;
  EXPECT_TRUE(EXEDataReadInto(inst.exe, s.exe));
  s.exe.path = inst.exe;
  s.n = n;
  s.scenarioPath = inst.scenarioPath(n);
  s.mapFixPath = inst.path(inst.mapFixName());
  s.mapVarPath = inst.path(inst.mapVarName(n));
  EXPECT_EQ(LoadScenarioSet(s), SetRead::Ok);
  return s;
}

// Changes scenario n of an installation through a loaded set.
void Rewrite(const Installation& inst, int n, const std::function<void(GameDataSet&)>& change) {
  ScenarioSet s = Load(inst, n);
  change(s.data);
  ASSERT_TRUE(WriteFileAtomic(s.scenarioPath, SerializeScenario(s.data, s.expansion() ? kScenarioQV : kScenarioKr)));
  ASSERT_TRUE(WriteFileAtomic(s.mapFixPath, *BuildMapImage(s.mapFixPath, true, s.data.gMapFix)));
  ASSERT_TRUE(WriteFileAtomic(s.mapVarPath, *BuildMapImage(s.mapVarPath, false, s.data.gMapVar)));
}

template <typename Rec>
void Name(Rec& r, const char* utf8) { WriteFixedName(r.bytes(Rec::L.name), utf8); }

ExpertRequest Request(ExpertMode mode, const Installation& a, int na, const Installation* b = nullptr, int nb = 0,
                      int kind = -1) {
  ExpertRequest r;
  r.mode = mode;
  r.source = {a.exe, a.scenarioPath(na)};
  if (b) r.target = {b->exe, b->scenarioPath(nb)};
  r.kind = kind;
  return r;
}

std::vector<std::string> Changed(const std::map<std::string, Bytes>& before, const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : test::Snapshot(dir))
    if (!before.count(name) || before.at(name) != bytes) names.push_back(name);
  return names;
}

Bytes At(const std::string& path, std::uint64_t offset, std::size_t n) { return *ReadFileRange(path, offset, n); }
Bytes operator+(Bytes a, const Bytes& b) { return a.insert(a.end(), b.begin(), b.end()), a; }

TEST(ExpertSets, EachEditionReadsAndSerialisesByteForByte) {
  for (auto plan : {test::KoreanInstall(), test::ExpansionInstall('B')}) {
    Installation inst(plan);
    ScenarioSet s = Load(inst, 2);
    EXPECT_EQ(SerializeScenario(s.data, s.expansion() ? kScenarioQV : kScenarioKr), *ReadWholeFile(inst.scenarioPath(2)));
    EXPECT_EQ(*BuildMapImage(s.mapVarPath, false, s.data.gMapVar), *ReadWholeFile(s.mapVarPath));
  }
}

TEST(ExpertSync, MarksFollowTheCitiesAndASecondRunChangesNothing) {
  GameDataSet d;
  d.gMapVar.reset();
  for (auto& c : d.gMapVar.cells) c.raw = {255, 255, 255};
  d.gMapVar.at(5, 5).raw = {0, 0, 7};     // a former city's mark
  d.gMapVar.at(9, 9).raw = {13, 4, 1};    // a wall where a city now stands
  d.gMapVar.at(20, 20).raw = {13, 4, 2};  // a wall elsewhere
  d.gMapVar.at(21, 20).raw = {40, 1, 3};  // a building elsewhere
  d.gCities.resize(4);
  const int places[4][2] = {{9, 9}, {30, 40}, {30, 40}, {250, 10}};  // the last one lies off the grid
  for (int i = 0; i < 4; ++i) d.gCities[i].set(kCityScen.x, places[i][0]), d.gCities[i].set(kCityScen.y, places[i][1]);
  SyncCityLocations(d);
  using Cell = std::array<std::uint8_t, 3>;
  EXPECT_EQ((std::vector<Cell>{d.gMapVar.at(5, 5).raw, d.gMapVar.at(9, 9).raw, d.gMapVar.at(30, 40).raw, d.gMapVar.at(20, 20).raw,
                               d.gMapVar.at(21, 20).raw}),
            (std::vector<Cell>{{255, 255, 7}, {0, 0, 1}, {0, 0, 255}, {13, 4, 2}, {40, 1, 3}}));
  const auto once = d.gMapVar;
  SyncCityLocations(d);
  EXPECT_EQ(d.gMapVar, once);
}

TEST(ExpertConvert, MasksUnitTypesNamesAndTitle) {
  Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('A'));
  ScenarioSet s = Load(kr, 1), t = Load(qv, 1);
  const std::uint32_t masks[][2] = {{0x007FFFFF, 0x00FFDFFF}, {0x2000, 0x4000}, {0x80000000, 0}, {0x1FFF, 0x1FFF}};
  for (int i = 0; i < 4; ++i) s.data.gCities[i].set(kCityScen.unitMask, masks[i][0]);
  s.data.gUnitTypes[13].raw[12] = 77;
  s.data.gUnitTypes[22].raw[12] = 88;
  // A character across bytes 16 and 17 goes; a genuine "?" stays.
  WriteFixedNameBytes(s.data.gScenarioHeader.bytes(kScenarioHeaderKr.title), "ab?defghijklmno\xB0\xA1");
  const std::vector<std::pair<std::string, std::string>> names{
      {"abcdefghijklmnopq", "abcdefghijklmnopq"},     // 17 bytes fill the field without a NUL
      {"abcdefghijklmnop\xB0\xA1", std::string("abcdefghijklmnop\0", 17)},  // a cut character goes
      {"a?b", std::string("a?b\0             ", 17)}};
  for (std::size_t i = 0; i < names.size(); ++i) WriteFixedNameBytes(s.data.gGenerals[i].bytes(kGeneralScenKr.name), names[i].first);
  s.data.gGenerals[0].raw[53] = 232;  // appearance city, the last field

  ConvertScenario(s.data, t.data);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(t.data.gCities[i].get(kCityScen.unitMask), masks[i][1]) << i;
  EXPECT_EQ(std::pair(int(t.data.gUnitTypesQV[14].raw[14]), int(t.data.gUnitTypesQV[23].raw[14])), std::pair(77, 88));
  const auto title = t.data.gScenarioHeaderQV.bytes(kScenarioHeaderQV.title);
  EXPECT_EQ(std::string(title.begin(), title.end()), std::string("ab?defghijklmno\0 ", 17));
  ASSERT_EQ(t.data.gGeneralsQV.size(), 206u);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto field = t.data.gGeneralsQV[i].bytes(kGeneralScenQV.name);
    EXPECT_EQ(std::string(field.begin(), field.end()), names[i].second) << i;
  }
  EXPECT_EQ(t.data.gGeneralsQV[0].raw[50], 232);
}

TEST(ExpertConvert, WritesTheScenarioItsMapsCountsAndStartYear) {
  auto krPlan = test::KoreanInstall();
  krPlan.scenarios[1].generals = 150;
  auto qvPlan = test::ExpansionInstall('A');
  qvPlan.scenarios[3].generals = 300;
  Installation kr(krPlan), qv(qvPlan);
  Rewrite(kr, 2, [](GameDataSet& d) { d.gMapFix.at(0, 0).raw = d.gMapVar.at(0, 0).raw = {7, 7, 7}; });
  const auto before = test::Snapshot(qv.dir.dir()), krBefore = test::Snapshot(kr.dir.dir());
  const ExpertOutcome out = RunExpertOperation(Request(ExpertMode::Convert, kr, 2, &qv, 4));
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(out.message, "작업이 완료되었습니다.");
  EXPECT_EQ(Changed(before, qv.dir.dir()), (std::vector<std::string>{"Mapfix.wn", "Mapvar4.wn", "game.exe", "scedat4.wn"}));
  EXPECT_TRUE(Changed(krBefore, kr.dir.dir()).empty());
  const ExeBuild& a = test::BuildOf('A');
  EXPECT_EQ(At(qv.exe, CountOffset(a.countryTable, 4), 1) + At(qv.exe, CountOffset(a.cityTable, 4), 1) +
                At(qv.exe, GeneralCountOffset(a.generalTable, 4), 2) + At(qv.exe, CountOffset(a.consortTable, 4), 1),
            (Bytes{27, 41, 150, 0, 27}));
  for (auto off : a.startYearTables) EXPECT_EQ(At(qv.exe, off + 6, 2), (Bytes{0xE3, 0x04}));
  EXPECT_EQ(Load(qv, 4).data.gGeneralsQV.size(), 150u);
}

TEST(ExpertTransfer, NewGeneralsArriveUnaffiliatedAndCountInTheExecutable) {
  auto plan = test::ExpansionInstall('A');
  plan.scenarios[2].generals = 200;
  Installation src(plan), dst(plan);
  const char* names[] = {"새1", "새2", "새3", "새4", "새5", "새5"};  // the second "새5" is not appended again
  Rewrite(src, 3, [&](GameDataSet& d) {
    for (int i = 0; i < 6; ++i) Name(d.gGeneralsQV[i], names[i]);
    d.gGeneralsQV[0].set(kGeneralScenQV.status, 0xFFFC);
  });
  const auto before = test::Snapshot(dst.dir.dir());
  const ExpertOutcome out = RunExpertOperation(Request(ExpertMode::Transfer, src, 3, &dst, 3, kTransferNewGenerals));
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(Changed(before, dst.dir.dir()), (std::vector<std::string>{"game.exe", "scedat3.wn"}));
  // The general count becomes 205; the other counts are written with the values they had.
  EXPECT_EQ(*ReadWholeFile(dst.exe), [&] {
    Bytes b = before.at("game.exe");
    b[593732] = 0xCD;
    return b;
  }());
  ScenarioSet t = Load(dst, 3);
  ASSERT_EQ(t.data.gGeneralsQV.size(), 205u);
  const auto& added = t.data.gGeneralsQV[200];
  EXPECT_EQ(ReadFixedName(added.bytes(kGeneralScenQV.name)), "새1");
  const auto& L = kGeneralScenQV;
  EXPECT_EQ((std::array<int, 7>{added.get(L.city), added.get(L.father), added.get(L.grandfather), added.get(L.employed),
                                added.get(L.status), added.get(L.appearanceYear), added.get(L.appearanceCity)}),
            (std::array<int, 7>{80, 500, 500, 0, 0xFFFB, 0, 232}));
}

TEST(ExpertRun, ValuesTheExecutableCannotHoldAreRefusedBeforeWriting) {
  Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('A')), qv2(test::ExpansionInstall('A'));
  Rewrite(kr, 1, [](GameDataSet& d) { d.gScenarioHeader.set(kScenarioHeaderKr.startYear, 2100); });
  Rewrite(qv2, 3, [](GameDataSet& d) {  // 201 new names beside 300 generals
    for (int i = 0; i < 201; ++i) Name(d.gGeneralsQV[i], ("신" + std::to_string(i)).c_str());
  });
  const std::pair<ExpertRequest, std::string> cases[] = {
      {Request(ExpertMode::Convert, kr, 1, &qv, 1), "시작년도 허용범위(0~2099)를 초과하였습니다. 작업이 취소됩니다."},
      {Request(ExpertMode::Transfer, qv2, 3, &qv, 3, kTransferNewGenerals), "장군수 허용범위(1~500)를 초과하게 됩니다. 작업이 취소됩니다."}};
  const auto before = test::Snapshot(qv.dir.dir());
  for (const auto& [request, message] : cases) {
    const ExpertOutcome out = RunExpertOperation(request);
    EXPECT_EQ(std::pair(out.done, out.message), std::pair(false, message));
  }
  EXPECT_EQ(test::Snapshot(qv.dir.dir()), before);
}

TEST(ExpertTransfer, RecordKindsMatchByNameAndFilter) {
  Installation inst(test::ExpansionInstall('A'));
  ScenarioSet s = Load(inst, 1), t = Load(inst, 1);
  const char* sourceNames[] = {"가 나", "가 나다", "가", "가나"};
  for (int i = 0; i < 4; ++i) Name(s.data.gCities[i], sourceNames[i]), s.data.gCities[i].set(kCityScen.gold, 100 + i);
  // City 5 is a second target of the same name.
  for (int i : {0, 1, 2, 3, 5}) Name(t.data.gCities[i], i < 4 ? sourceNames[i] : "가 나"), t.data.gCities[i].set(kCityScen.gold, 1);
  TransferData(s, t, {.kind = kTransferCityData, .filter = "가 나"});
  std::vector<int> gold;
  for (int i : {0, 1, 2, 3, 5}) gold.push_back(t.data.gCities[i].get(kCityScen.gold));
  EXPECT_EQ(gold, (std::vector<int>{100, 101, 1, 1, 1}));
  EXPECT_EQ(ReadFixedName(t.data.gCities[0].bytes(kCityScen.name)), "가 나");
}

TEST(ExpertTransfer, SameExecutablePathDecidesTheBiographyNumberInARun) {
  Installation a(test::ExpansionInstall('A')), b(test::ExpansionInstall('A'));  // b: a copy of the same build elsewhere
  for (const Installation* target : {&a, &b}) {
    Rewrite(a, 1, [](GameDataSet& d) { Name(d.gGeneralsQV[0], "같은이름"), d.gGeneralsQV[0].set(kGeneralScenQV.biography, 300); });
    Rewrite(*target, 2, [](GameDataSet& d) { Name(d.gGeneralsQV[3], "같은이름"), d.gGeneralsQV[3].set(kGeneralScenQV.biography, 5); });
    ASSERT_TRUE(RunExpertOperation(Request(ExpertMode::Transfer, a, 1, target, 2, kTransferNamedGenerals)).done);
    EXPECT_EQ(Load(*target, 2).data.gGeneralsQV[3].get(kGeneralScenQV.biography), target == &a ? 300 : 5);
  }
}

TEST(ExpertTransfer, MapKindsCopyTheirLayerInTheRangeOnly) {
  Installation src(test::ExpansionInstall('A'));
  Rewrite(src, 1, [](GameDataSet& d) { d.gMapFix.at(10, 20).raw = {1, 2, 3}, d.gMapVar.at(10, 20).raw = {13, 5, 6}; });
  // Kind, the files changed, the cell afterwards: a source wall is no building to copy.
  const std::vector<std::tuple<int, std::vector<std::string>, std::array<std::uint8_t, 3>>> cases{
      {kTransferTerrain, {"Mapfix.wn"}, {1, 2, 9}}, {kTransferSpecialties, {"Mapfix.wn"}, {9, 9, 3}}, {kTransferBuildings, {}, {40, 9, 9}},
      {kTransferRoads, {"Mapvar1.wn"}, {40, 9, 6}}, {kTransferWalls, {"Mapvar1.wn"}, {13, 5, 9}}};
  for (const auto& [kind, changed, cell] : cases) {
    Installation target(test::ExpansionInstall('B'));
    Rewrite(target, 1, [](GameDataSet& d) { d.gMapFix.at(10, 20).raw = {9, 9, 9}, d.gMapVar.at(10, 20).raw = {40, 9, 9}; });
    const ScenarioSet t0 = Load(target, 1);
    const auto before = test::Snapshot(target.dir.dir());
    ExpertRequest r = Request(ExpertMode::Transfer, src, 1, &target, 1, kind);
    r.x1 = r.x2 = 10;
    r.y1 = r.y2 = 20;
    ASSERT_TRUE(RunExpertOperation(r).done);
    EXPECT_EQ(Changed(before, target.dir.dir()), changed) << kind;
    const bool fixed = kind <= kTransferSpecialties;
    const ScenarioSet t = Load(target, 1);
    const auto& g = fixed ? t.data.gMapFix : t.data.gMapVar;
    const auto& g0 = fixed ? t0.data.gMapFix : t0.data.gMapVar;
    EXPECT_EQ(g.at(10, 20).raw, cell) << kind;
    int differing = 0;  // no cell outside the range
    for (std::size_t k = 0; k < g.cells.size(); ++k) differing += g.cells[k] != g0.cells[k];
    EXPECT_EQ(differing, changed.empty() ? 0 : 1) << kind;
  }
}

TEST(ExpertTransfer, BuildingsSkipCityMarksAndWallsButCopyEmptyCells) {
  Installation inst(test::ExpansionInstall('A'));
  ScenarioSet s = Load(inst, 1), t = Load(inst, 1);
  const std::uint8_t source[] = {0, 13, 255};
  for (int x = 0; x < 3; ++x) s.data.gMapVar.at(x, 0).raw = {source[x], 1, 2}, t.data.gMapVar.at(x, 0).raw = {40, 7, 8};
  TransferData(s, t, {.kind = kTransferBuildings, .range = {0, 0, 2, 0}});
  using Cell = std::array<std::uint8_t, 3>;
  EXPECT_EQ((std::vector<Cell>{t.data.gMapVar.at(0, 0).raw, t.data.gMapVar.at(1, 0).raw, t.data.gMapVar.at(2, 0).raw}),
            (std::vector<Cell>{{40, 7, 8}, {40, 7, 8}, {255, 1, 8}}));
}

TEST(ExpertChecks, RefusalsComeInOrderWithTheSidesPrefix) {
  Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('A'));
  auto pair = [](std::string exe, std::string scen, Side side, ExpertMode mode) {
    ExeInfo info;
    std::string path;
    return CheckPathPair({exe, scen}, side, mode, info, path).value_or("");
  };
  const std::string junk = kr.dir.write("junk.exe", Bytes(100, 1));
  const std::string scedat3 = kr.dir.write("scedat3.rn", *ReadWholeFile(kr.scenarioPath(1)));
  const std::string renamed = kr.dir.write("scedat1_old.rn", *ReadWholeFile(kr.scenarioPath(1)));
  const std::vector<std::tuple<std::string, std::string, Side, ExpertMode, std::string>> cases{
      {"/nowhere.exe", "", Side::Target, ExpertMode::Transfer, "대상 실행파일의 경로가 잘못되었습니다."},
      {junk, "", Side::Source, ExpertMode::Transfer, "원본 실행파일의 정보를 읽던 도중 문제가 발견되었습니다."},
      {kr.exe, scedat3, Side::Source, ExpertMode::Convert, "원본 시나리오 파일의 이름이 잘못되었습니다."},
      {kr.exe, kr.scenarioPath(2), Side::Source, ExpertMode::Sync, ""},
      {kr.exe, renamed, Side::Source, ExpertMode::Sync, "시나리오 파일의 이름이 잘못되었습니다."},
  };
  for (const auto& [exe, scen, side, mode, message] : cases) EXPECT_EQ(pair(exe, scen, side, mode), message) << scen;

  // Map files, then the range: only its order is refused, after rounding and clamping.
  const std::vector<std::pair<std::function<void()>, std::string>> maps{
      {[&] { kr.dir.write("MAPFIX.RN", Bytes(10)); }, "원본 시나리오의 고정맵 파일의 크기가 잘못되었습니다."},
      {[&] { kr.dir.write("MAPFIX.RN", test::BuildMapFix(1)), RemoveFile(kr.path(kr.mapVarName(1))); },
       "원본 시나리오의 가변맵 파일을 발견할 수 없습니다."},
      {[&] { kr.dir.write("mapvar1.rn", Bytes(10)); }, "원본 시나리오의 가변맵 파일의 크기가 잘못되었습니다."},
  };
  for (const auto& [change, message] : maps) {
    change();
    EXPECT_EQ(RunExpertOperation(Request(ExpertMode::Convert, kr, 1, &qv, 1)).message, message);
  }
  CellRange r;
  EXPECT_FALSE(CheckRange(-5, 2.5, 300, 224.4, r));
  EXPECT_EQ((std::array{r.x1, r.y1, r.x2, r.y2}), (std::array{0, 2, 249, 224}));  // clamped, halves to even
  EXPECT_EQ(CheckRange(10, 0, 9, 0, r).value_or(""), "좌표 범위 설정이 잘못되었습니다.");
  EXPECT_FALSE(CheckRange(10, 3, 10, 3, r));
}

TEST(ExpertChecks, EditionRules) {
  ExeInfo kr, qv;
  qv.editionFlag = -1;
  // The window test shows the other refusals; queens, regions and map layers cross editions.
  EXPECT_EQ(CheckEditions(ExpertMode::Convert, -1, kr, kr).value_or(""), "대상 경로에 가람누리4 QV의 실행파일을 지정해야 합니다.");
  for (int kind : {4, 5, 6, 7, 10}) EXPECT_FALSE(CheckEditions(ExpertMode::Transfer, kind, kr, qv)) << kind;
  EXPECT_FALSE(CheckEditions(ExpertMode::Transfer, 11, qv, qv));
}

TEST(ExpertRun, AnyFailureLeavesEveryFileAsItWas) {
  Installation kr(test::KoreanInstall()), qv(test::ExpansionInstall('A'));
  const auto qvBefore = test::Snapshot(qv.dir.dir());
  const ExpertRequest convert = Request(ExpertMode::Convert, kr, 1, &qv, 1);
  const ExpertRequest sync = Request(ExpertMode::Sync, kr, 1);
  // A stray city mark for synchronize to clear; maps that differ from the target's.
  Rewrite(kr, 1, [](GameDataSet& d) { d.gMapFix.at(0, 0).raw = d.gMapVar.at(0, 0).raw = {0, 0, 0}; });
  const auto krStart = test::Snapshot(kr.dir.dir());
  // Every step on every file the run replaces, and the in-use test.
  std::vector<std::pair<FileStep, std::string>> faults;
  for (auto step : {FileStep::Backup, FileStep::Write, FileStep::Rename})
    for (const auto& name : {"scedat1.wn", "Mapfix.wn", "Mapvar1.wn", "game.exe"}) faults.push_back({step, qv.path(name)});
  faults.push_back({FileStep::InUse, qv.exe});
  static std::pair<FileStep, std::string> fault;
  gFileFault = [](FileStep step, const std::string& path) { return step == fault.first && path == fault.second; };
  for (const auto& f : faults) {
    fault = f;
    const ExpertOutcome out = RunExpertOperation(convert);
    EXPECT_EQ(std::pair(out.done, out.icon), std::pair(false, MsgIcon::Critical));
    EXPECT_EQ(out.message, f.first == FileStep::InUse ? "게임이 실행중이라서 작업을 수행할 수 없습니다." : "데이터 저장에 문제가 발생했습니다.");
    EXPECT_EQ(test::Snapshot(qv.dir.dir()), qvBefore) << int(f.first) << f.second;
  }
  for (auto step : {FileStep::Backup, FileStep::Write, FileStep::Rename}) {
    fault = {step, kr.path(kr.mapVarName(1))};
    EXPECT_FALSE(RunExpertOperation(sync).done);
    EXPECT_EQ(test::Snapshot(kr.dir.dir()), krStart);
  }
  // Synchronize writes no executable: it completes while the game holds it.
  fault = {FileStep::InUse, kr.exe};
  EXPECT_TRUE(RunExpertOperation(sync).done);
  EXPECT_EQ(Changed(krStart, kr.dir.dir()), (std::vector<std::string>{"Mapvar1.rn"}));
  gFileFault = nullptr;

  // A map file that no longer reads is refused before anything is written, as a map file of its
  // side: the right size, but a damaged header.
  qv.edit(qv.mapVarName(1), [](Bytes& b) { b[8] = 'X'; });
  EXPECT_EQ(RunExpertOperation(convert).message, "대상 시나리오의 맵 파일이 없거나 잘못된 파일입니다.");
  kr.edit(kr.mapFixName(), [](Bytes& b) { b[0] = 'X'; });
  EXPECT_EQ(RunExpertOperation(convert).message, "원본 시나리오의 맵 파일이 없거나 잘못된 파일입니다.");
  EXPECT_EQ(RunExpertOperation(sync).message, "맵 파일이 없거나 잘못된 파일입니다.");
  qv.edit(qv.mapVarName(1), [](Bytes& b) { b[8] = 0; });
  EXPECT_EQ(test::Snapshot(qv.dir.dir()), qvBefore);
  // The editor's own executable and data file stay as they were.
  EXPECT_TRUE(gExeInfo == ExeInfo{} && gCurrentFile.empty());
}

}  // namespace
}  // namespace garam
