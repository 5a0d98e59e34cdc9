#include "data/gamedata.h"

#include <algorithm>
#include <cstdio>

#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/host.h"

namespace garam {
namespace {

template <typename T>
void Fresh(std::vector<T>& v, std::size_t n) {
  v.assign(n, T{});
}
template <typename T>
void Erase(std::vector<T>& v) {
  v.clear();
  v.shrink_to_fit();
}

// Everything erased, then each reset sizes what its kind uses.
void EraseAll(GameDataSet& d) {
  std::string nameBlock = std::move(d.gBiographyNameBlock.text);
  std::string textBlock = std::move(d.gBiographyTextBlock.text);
  d = GameDataSet{};
  d.gBiographyNameBlock.text = std::move(nameBlock);
  d.gBiographyTextBlock.text = std::move(textBlock);
}

void SizeCounts(GameDataSet& d, std::size_t countries, std::size_t cities) {
  Fresh(d.gCountryCityCount, countries);
  Fresh(d.gCityGeneralCount, cities);
  Fresh(d.gCountryGeneralCount, countries);
}

void BlankMessageBlocks(GameDataSet& d) {
  d.gBiographyNameBlock.text.assign(gBiographyNameBlockSize, ' ');
  d.gBiographyTextBlock.text.assign(gBiographyTextBlockSize, ' ');
}

void ResetScenarioCommon(GameDataSet& d) {
  Fresh(d.gRegions, kRegionCount);
  Fresh(d.gSpecialties, kSpecialtyCount);
  Fresh(d.gCultureItems, kCultureItemCount);
  d.gMapFix.reset();
  d.gMapVar.reset();
}

void ResetSaveCommon(GameDataSet& d) {
  Fresh(d.gSaveRegions, kRegionCount);
  Fresh(d.gSaveSpecialties, kSpecialtyCount);
  Fresh(d.gSaveCultureItems, kCultureItemCount);
  Fresh(d.gSaveQueens, kConsortSlots);
  Fresh(d.gSavePrincesses, kPrincessSlots);
  Fresh(d.gAppearanceQueue, kQueueEntries);
  Fresh(d.gArmies, kArmySlots);
  Fresh(d.gTransports, kTransportSlots);
  Fresh(d.gLabours, kLabourSlots);
  Fresh(d.gEnvoys, kEnvoySlots);
  Fresh(d.gSpies, kSpySlots);
  Fresh(d.gMarches, kMarchSlots);
  Fresh(d.gCaravans, kCaravanSlots);
  Fresh(d.gMigrations, kMigrationSlots);
  Fresh(d.gSaveCities, kCitySlots);
  d.gSaveMap.reset();
  SizeCounts(d, kCountrySlots, kCitySlots);
}

void ResetScenarioNumbered(GameDataSet& d, const ExeInfo& info, int n) {
  EraseAll(d);
  ResetScenarioCommon(d);
  int i = (n >= 1 && n <= 4) ? n - 1 : 0;
  Fresh(d.gCountries, info.countries[i]);
  Fresh(d.gCities, info.cities[i]);
  Fresh(d.gQueens, info.consorts[i]);
  SizeCounts(d, kCountrySlots, kCitySlots);
}

// The two fixed-layout Korean scenarios differ only in their country record and their counts.
template <typename Country>
void ResetFixedLayout(GameDataSet& d, std::vector<Country>& countries, const ScenarioCounts& n) {
  EraseAll(d);
  ResetScenarioCommon(d);
  Fresh(countries, n.countries);
  Fresh(d.gCities, n.cities);
  Fresh(d.gUnitTypes, kUnitTypeCountKr);
  Fresh(d.gGenerals, n.generals);
  Fresh(d.gQueens, n.consorts);
  SizeCounts(d, n.countries, n.cities);
  BlankMessageBlocks(d);
}

}  // namespace

void ResetArraysScedat1(GameDataSet& d) { ResetFixedLayout(d, d.gCountriesScedat1, kScedat1Counts); }
void ResetArraysScedat2(GameDataSet& d) { ResetFixedLayout(d, d.gCountriesScedat2, kScedat2Counts); }

void ResetArraysScenarioKr(GameDataSet& d, const ExeInfo& info, int n) {
  ResetScenarioNumbered(d, info, n);
  Fresh(d.gUnitTypes, kUnitTypeCountKr);
  Fresh(d.gGenerals, std::size_t(std::max<int>(0, info.generals[(n >= 1 && n <= 4) ? n - 1 : 0])));
}

void ResetArraysScenarioQV(GameDataSet& d, const ExeInfo& info, int n) {
  ResetScenarioNumbered(d, info, n);
  Fresh(d.gUnitTypesQV, kUnitTypeCountQV);
  Fresh(d.gGeneralsQV, std::size_t(std::max<int>(0, info.generals[(n >= 1 && n <= 4) ? n - 1 : 0])));
}

void ResetArraysSaveKr(GameDataSet& d) {
  EraseAll(d);
  ResetSaveCommon(d);
  Fresh(d.gSaveUnitTypes, kUnitTypeCountKr);
  Fresh(d.gSaveGenerals, kGeneralSlots);
  Fresh(d.gSaveCountries, kCountrySlots);
  BlankMessageBlocks(d);
}

void ResetArraysSaveQV(GameDataSet& d) {
  EraseAll(d);
  ResetSaveCommon(d);
  Fresh(d.gSaveUnitTypesQV, kUnitTypeCountQV);
  Fresh(d.gSaveGeneralsQV, kGeneralSlots);
  Fresh(d.gSaveCountriesQV, kCountrySlots);
}

int ScenarioNumber(const std::string& fileName) {
  if (fileName.size() < 7) return 0;
  char c = fileName[6];
  return (c >= '1' && c <= '4') ? c - '0' : 0;
}

std::int64_t ScenarioFileSize(const ExeInfo& info, const std::string& name) {
  int n = ScenarioNumber(name.empty() ? NameOf(gCurrentFile) : name);
  if (n == 0) return -1;
  const std::size_t i = std::size_t(n - 1);
  // A negative general count reads as none, as in the resets.
  const ScenarioCounts counts{info.countries[i], info.cities[i], std::size_t(std::max<int>(0, info.generals[i])),
                              info.consorts[i]};
  return std::int64_t(ScenarioBlocksOf(info.IsQVEdition(), counts).end);
}

bool IsSaveFile() { return gFileKind >= 0 && gFileKind % 3 == 0; }

std::string CultureFieldName(std::uint8_t code) {
  static const char* const kNames[] = {"농경", "목축", "무기", "전술", "항해",
                                       "건설", "학술", "예술", "의학", "공예"};
  return code < 10 ? kNames[code] : std::string();
}

bool FileInUse(const std::string& path, bool showMessage) {
  bool ok = false;
  if (FileFault(FileStep::InUse, path)) {
  } else if (std::FILE* f = std::fopen(path.c_str(), "r+b")) {
    std::uint8_t head[4];
    ok = std::fread(head, 1, 4, f) == 4 && std::fseek(f, 0, SEEK_SET) == 0 &&
         std::fwrite(head, 1, 4, f) == 4;
    ok = std::fclose(f) == 0 && ok;
  }
  if (ok) return false;
  if (showMessage) ShowMessage("게임이 실행중이라서 작업을 수행할 수 없습니다.", MsgIcon::Critical);
  if (Host().ProgressVisible()) Host().ProgressClose();
  return true;
}

void MarkDataChanged() {
  gDataChanged = true;
  Host().DataChanged();
}

void ResetEditorState() { gState = EditorState{}; }

}  // namespace garam
