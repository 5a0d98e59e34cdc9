#include "data/gamedata.h"

#include <cstdio>

#include "data/fileio.h"
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
  Fresh(d.gRegions, 56);
  Fresh(d.gSpecialties, 31);
  Fresh(d.gCultureItems, 80);
  d.gMapFix.reset();
  d.gMapVar.reset();
}

void ResetSaveCommon(GameDataSet& d) {
  Fresh(d.gSaveRegions, 56);
  Fresh(d.gSaveSpecialties, 31);
  Fresh(d.gSaveCultureItems, 80);
  Fresh(d.gSaveQueens, 200);
  Fresh(d.gSavePrincesses, 200);
  Fresh(d.gAppearanceQueue, 100);
  Fresh(d.gArmies, 500);
  Fresh(d.gTransports, 500);
  Fresh(d.gLabours, 500);
  Fresh(d.gEnvoys, 500);
  Fresh(d.gSpies, 500);
  Fresh(d.gMarches, 500);
  Fresh(d.gCaravans, 1000);
  Fresh(d.gMigrations, 80);
  Fresh(d.gSaveCities, 80);
  d.gSaveMap.reset();
  SizeCounts(d, 80, 80);
}

void ResetScenarioSequential(GameDataSet& d, const ExeInfo& info, int n) {
  EraseAll(d);
  ResetScenarioCommon(d);
  int i = (n >= 1 && n <= 4) ? n - 1 : 0;
  Fresh(d.gCountries, info.countries[i]);
  Fresh(d.gCities, info.cities[i]);
  Fresh(d.gQueens, info.consorts[i]);
  SizeCounts(d, 80, 80);
}

}  // namespace

void ResetArraysScedat1(GameDataSet& d) {
  EraseAll(d);
  ResetScenarioCommon(d);
  Fresh(d.gCountriesScedat1, 30);
  Fresh(d.gCities, 42);
  Fresh(d.gUnitTypes, 23);
  Fresh(d.gGenerals, 206);
  Fresh(d.gQueens, 31);
  SizeCounts(d, 30, 42);
  BlankMessageBlocks(d);
}

void ResetArraysScedat2(GameDataSet& d) {
  EraseAll(d);
  ResetScenarioCommon(d);
  Fresh(d.gCountriesScedat2, 27);
  Fresh(d.gCities, 41);
  Fresh(d.gUnitTypes, 23);
  Fresh(d.gGenerals, 151);
  Fresh(d.gQueens, 27);
  SizeCounts(d, 27, 41);
  BlankMessageBlocks(d);
}

void ResetArraysScenarioKr(GameDataSet& d, const ExeInfo& info, int n) {
  ResetScenarioSequential(d, info, n);
  Fresh(d.gUnitTypes, 23);
  Fresh(d.gGenerals, std::size_t(std::max<int>(0, info.generals[(n >= 1 && n <= 4) ? n - 1 : 0])));
}

void ResetArraysScenarioQV(GameDataSet& d, const ExeInfo& info, int n) {
  ResetScenarioSequential(d, info, n);
  Fresh(d.gUnitTypesQV, 24);
  Fresh(d.gGeneralsQV, std::size_t(std::max<int>(0, info.generals[(n >= 1 && n <= 4) ? n - 1 : 0])));
}

void ResetArraysSaveKr(GameDataSet& d) {
  EraseAll(d);
  ResetSaveCommon(d);
  Fresh(d.gSaveUnitTypes, 23);
  Fresh(d.gSaveGenerals, 500);
  Fresh(d.gSaveCountries, 80);
  BlankMessageBlocks(d);
}

void ResetArraysSaveQV(GameDataSet& d) {
  EraseAll(d);
  ResetSaveCommon(d);
  Fresh(d.gSaveUnitTypesQV, 24);
  Fresh(d.gSaveGeneralsQV, 500);
  Fresh(d.gSaveCountriesQV, 80);
}

int ScenarioNumber(const std::string& fileName) {
  if (fileName.size() < 7) return 0;
  char c = fileName[6];
  return (c >= '1' && c <= '4') ? c - '0' : 0;
}

std::int64_t ScenarioFileSize(const ExeInfo& info, const std::string& name) {
  int n = ScenarioNumber(name.empty() ? NameOf(gCurrentFile) : name);
  if (n == 0) return -1;
  std::int64_t c = info.countries[n - 1], r = info.cities[n - 1], g = info.generals[n - 1],
               q = info.consorts[n - 1];
  std::int64_t size = info.IsQVEdition() ? 4746 + 51 * g : 4684 + 54 * g;
  return size + c * (2 * c + 22) + 61 * r + 24 * q;
}

bool IsSaveFile() { return gFileKind >= 0 && gFileKind % 3 == 0; }

std::int32_t UnsignedWord(std::int16_t x) { return x < 0 ? std::int32_t(x) + 65536 : x; }

std::string CultureFieldName(std::uint8_t code) {
  static const char* const kNames[] = {"농경", "목축", "무기", "전술", "항해",
                                       "건설", "학술", "예술", "의학", "공예"};
  return code < 10 ? kNames[code] : std::string();
}

bool FileInUse(const std::string& path, bool showMessage) {
  bool ok = false;
  if (std::FILE* f = std::fopen(path.c_str(), "r+b")) {
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
