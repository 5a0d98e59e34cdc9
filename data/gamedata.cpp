#include "data/gamedata.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <type_traits>

#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/host.h"

namespace garam {
namespace {

// A zeroed record is all zero bytes; an array of the kind being reset keeps its memory.
template <typename T>
void Fresh(std::vector<T>& v, std::size_t n) {
  if constexpr (std::is_trivially_copyable_v<T>) {
    v.resize(n);
    if (n) std::memset(static_cast<void*>(v.data()), 0, n * sizeof(T));
  } else {
    v.assign(n, T{});
  }
}

// One array of the kind being reset, with its bound.
template <typename T>
struct Bound {
  std::vector<T>& array;
  std::size_t size;
};
template <typename T>
Bound(std::vector<T>&, std::size_t) -> Bound<T>;

// Everything erased, then the arrays of the kind zeroed to their bounds. Those are set aside
// across the erasure and keep their memory, so a load of the kind already loaded allocates
// nothing for its tables. The message blocks' texts are the resets' to blank or to keep.
template <typename... T>
void ResetTo(GameDataSet& d, std::tuple<Bound<T>...> bounds) {
  std::apply(
      [&](Bound<T>... b) {
        std::tuple<std::vector<T>...> aside{std::move(b.array)...};
        std::string nameBlock = std::move(d.gBiographyNameBlock.text);
        std::string textBlock = std::move(d.gBiographyTextBlock.text);
        d = GameDataSet{};
        d.gBiographyNameBlock.text = std::move(nameBlock);
        d.gBiographyTextBlock.text = std::move(textBlock);
        std::tie(b.array...) = std::move(aside);
        (Fresh(b.array, b.size), ...);
      },
      bounds);
}

auto Counts(GameDataSet& d, std::size_t countries, std::size_t cities) {
  return std::tuple{Bound{d.gCountryCityCount, countries}, Bound{d.gCityGeneralCount, cities},
                    Bound{d.gCountryGeneralCount, countries}};
}

void BlankMessageBlocks(GameDataSet& d) {
  d.gBiographyNameBlock.text.assign(gBiographyNameBlockSize, ' ');
  d.gBiographyTextBlock.text.assign(gBiographyTextBlockSize, ' ');
}

constexpr std::size_t kMapCells = std::size_t(kMapWidth) * kMapHeight;

auto ScenarioCommon(GameDataSet& d) {
  return std::tuple{Bound{d.gRegions, kRegionCount}, Bound{d.gSpecialties, kSpecialtyCount},
                    Bound{d.gCultureItems, kCultureItemCount}, Bound{d.gMapFix.cells, kMapCells},
                    Bound{d.gMapVar.cells, kMapCells}};
}

auto SaveCommon(GameDataSet& d) {
  return std::tuple_cat(
      std::tuple{Bound{d.gSaveRegions, kRegionCount}, Bound{d.gSaveSpecialties, kSpecialtyCount},
                 Bound{d.gSaveCultureItems, kCultureItemCount}, Bound{d.gSaveQueens, kConsortSlots},
                 Bound{d.gSavePrincesses, kPrincessSlots}, Bound{d.gAppearanceQueue, kQueueEntries},
                 Bound{d.gArmies, kArmySlots}, Bound{d.gTransports, kTransportSlots},
                 Bound{d.gLabours, kLabourSlots}, Bound{d.gEnvoys, kEnvoySlots}, Bound{d.gSpies, kSpySlots},
                 Bound{d.gMarches, kMarchSlots}, Bound{d.gCaravans, kCaravanSlots},
                 Bound{d.gMigrations, kMigrationSlots}, Bound{d.gSaveCities, kCitySlots},
                 Bound{d.gSaveMap.cells, kMapCells}},
      Counts(d, kCountrySlots, kCitySlots));
}

// Counts of scenario n in the executable's tables; a negative general count reads as none.
ScenarioCounts NumberedCounts(const ExeInfo& info, int n) {
  const std::size_t i = (n >= 1 && n <= 4) ? std::size_t(n - 1) : 0;
  return {info.countries[i], info.cities[i], std::size_t(std::max<int>(0, info.generals[i])), info.consorts[i]};
}

// The two fixed-layout Korean scenarios differ only in their country record and their counts.
template <typename Country>
void ResetFixedLayout(GameDataSet& d, std::vector<Country>& countries, const ScenarioCounts& n) {
  ResetTo(d, std::tuple_cat(ScenarioCommon(d),
                            std::tuple{Bound{countries, n.countries}, Bound{d.gCities, n.cities},
                                       Bound{d.gUnitTypes, kUnitTypeCountKr}, Bound{d.gGenerals, n.generals},
                                       Bound{d.gQueens, n.consorts}},
                            Counts(d, n.countries, n.cities)));
  BlankMessageBlocks(d);
}

// The numbered scenarios of either edition: their countries, cities and consorts by the
// executable's counts, unit types and generals in the edition's own layouts.
template <typename UnitType, typename General>
void ResetNumbered(GameDataSet& d, std::vector<UnitType>& unitTypes, std::size_t unitTypeCount,
                   std::vector<General>& generals, const ScenarioCounts& n) {
  ResetTo(d, std::tuple_cat(ScenarioCommon(d),
                            std::tuple{Bound{d.gCountries, n.countries}, Bound{d.gCities, n.cities},
                                       Bound{d.gQueens, n.consorts}, Bound{unitTypes, unitTypeCount},
                                       Bound{generals, n.generals}},
                            Counts(d, kCountrySlots, kCitySlots)));
}

}  // namespace

void ResetArraysScedat1(GameDataSet& d) { ResetFixedLayout(d, d.gCountriesScedat1, kScedat1Counts); }
void ResetArraysScedat2(GameDataSet& d) { ResetFixedLayout(d, d.gCountriesScedat2, kScedat2Counts); }

void ResetArraysScenarioKr(GameDataSet& d, const ExeInfo& info, int n) {
  ResetNumbered(d, d.gUnitTypes, kUnitTypeCountKr, d.gGenerals, NumberedCounts(info, n));
}

void ResetArraysScenarioQV(GameDataSet& d, const ExeInfo& info, int n) {
  ResetNumbered(d, d.gUnitTypesQV, kUnitTypeCountQV, d.gGeneralsQV, NumberedCounts(info, n));
}

void ResetArraysSaveKr(GameDataSet& d) {
  ResetTo(d, std::tuple_cat(SaveCommon(d), std::tuple{Bound{d.gSaveUnitTypes, kUnitTypeCountKr},
                                                      Bound{d.gSaveGenerals, kGeneralSlots},
                                                      Bound{d.gSaveCountries, kCountrySlots}}));
  BlankMessageBlocks(d);
}

void ResetArraysSaveQV(GameDataSet& d) {
  ResetTo(d, std::tuple_cat(SaveCommon(d), std::tuple{Bound{d.gSaveUnitTypesQV, kUnitTypeCountQV},
                                                      Bound{d.gSaveGeneralsQV, kGeneralSlots},
                                                      Bound{d.gSaveCountriesQV, kCountrySlots}}));
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
  return code < kCultureFields ? kNames[code] : std::string();
}

std::string CultureSphereName(std::uint8_t sphere) {
  static const char* const kNames[] = {"일본", "중국", "몽골", "인도", "이슬람", "동유럽", "서유럽", "없음"};
  return sphere <= kNoSphere ? kNames[sphere] : std::string();
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
