#include "data/save_io.h"

#include <ctime>
#include <memory>
#include <string>
#include <utility>

#include "data/bitmaps.h"
#include "data/fileio.h"
#include "data/host.h"
#include "data/message.h"
#include "data/readerstate.h"

namespace garam {
namespace {

// The tables from the header to the princesses lie back to back; the Korean file's known offsets
// (regions 97, specialties 1217, culture items 1868, unit types 3948, generals 4316, consorts
// 33316, princesses 38916) and the expansion file's variable start follow from the record sizes.
template <typename Header, typename UnitType, typename General>
constexpr std::size_t SaveHeadSize(std::size_t unitTypes) {
  return Header::kSize + 16 + 56 * RegionSaveRec::kSize + 31 * SpecialtyRec::kSize + 80 * CultureItemSaveRec::kSize +
         unitTypes * UnitType::kSize + 500 * General::kSize + 200 * QueenSaveRec::kSize + 200 * PrincessRec::kSize;
}
static_assert(SaveHeaderRec::kSize + 16 + 56 * RegionSaveRec::kSize == 1217);
static_assert(1217 + 31 * SpecialtyRec::kSize + 80 * CultureItemSaveRec::kSize == 3948);
static_assert(3948 + 23 * UnitTypeRec::kSize + 500 * GeneralSaveRec::kSize == 33316);
static_assert(SaveHeadSize<SaveHeaderRec, UnitTypeRec, GeneralSaveRec>(23) == kSaveKrVariableStart);
static_assert(SaveHeadSize<SaveHeaderQVRec, UnitTypeQVRec, GeneralSaveQVRec>(24) == kSaveQVVariableStart);

constexpr std::size_t kQueueEntries = 100;
constexpr std::size_t kMapCells = std::size_t(kMapWidth) * kMapHeight;

// Bytes from the appearance queue to the end of the countries, and from the map to the end.
constexpr std::size_t kMissionBytes = 500 * (ArmyRec::kSize + TransportRec::kSize + LabourRec::kSize +
                                             EnvoyRec::kSize + SpyRec::kSize + MarchRec::kSize) +
                                      1000 * CaravanRec::kSize + 80 * MigrationRec::kSize;
constexpr std::size_t kQueueToCities = kQueueEntries * AppearanceQueueRec::kSize + kMissionBytes;
constexpr std::size_t kQueueToMapKr = kQueueToCities + 80 * CitySaveRec::kSize + 80 * CountrySaveRec::kSize;
constexpr std::size_t kQueueToVar2QV = kQueueToCities + 80 * CitySaveRec::kSize + 80 * CountrySaveQVRec::kSize;
constexpr std::size_t kMapToEnd = kMapCells * SaveMapCell::kSize + SaveTailBlock::kSize;
static_assert(kQueueToMapKr + kMapToEnd == kSaveKrTailSize);
static_assert(kSaveKrVariableStart + 300 + kSaveVarTrailer + kSaveKrTailSize == kSaveKrMinBytes);
static_assert(kSaveQVVariableStart + 300 + kSaveVarTrailer + kQueueToVar2QV + 150 + kSaveBlock20808 +
                  kMapToEnd == kSaveQVMinBytes);

// Where the parts of a save image lie, found before anything is read into a data set.
struct SavePlan {
  std::size_t queue = 0;       // start of the appearance queue (end of the variable part)
  std::size_t var2 = 0, var2End = 0;  // expansion: second variable part
  std::size_t end = 0;         // end of the closing block
};

std::optional<SavePlan> PlanSaveKr(std::span<const std::uint8_t> file, bool sequential) {
  if (file.size() < kSaveKrMinBytes) return std::nullopt;
  SavePlan p;
  p.queue = file.size() - kSaveKrTailSize;
  p.end = file.size();
  if (sequential) {
    // The custom load reads the queue where the walk ends; anywhere but the start of the fixed
    // tail would read every later table at the wrong place.
    auto walked = WalkVariablePart(file, kSaveKrVariableStart, kSaveVarEntries, kSaveVarTrailer);
    if (!walked || *walked != p.queue) return std::nullopt;
  }
  return p;
}

std::optional<SavePlan> PlanSaveQV(std::span<const std::uint8_t> file) {
  if (file.size() < kSaveQVMinBytes) return std::nullopt;
  SavePlan p;
  auto walked = WalkVariablePart(file, kSaveQVVariableStart, kSaveVarEntries, kSaveVarTrailer);
  if (!walked || file.size() - *walked < kQueueToVar2QV) return std::nullopt;
  p.queue = *walked;
  p.var2 = p.queue + kQueueToVar2QV;
  auto walked2 = WalkVariablePart(file, p.var2, kSaveVarEntries2, 0);
  if (!walked2 || file.size() - *walked2 < kSaveBlock20808 + kMapToEnd) return std::nullopt;
  p.var2End = *walked2;
  p.end = p.var2End + kSaveBlock20808 + kMapToEnd;
  return p;
}

Bytes Slice(std::span<const std::uint8_t> file, std::size_t from, std::size_t to) {
  return Bytes(file.begin() + std::ptrdiff_t(from), file.begin() + std::ptrdiff_t(to));
}

// The tables every save holds in the same order, from the queue to the countries.
template <typename Country>
void ReadQueueToCountries(ByteReader& r, GameDataSet& d, std::vector<Country>& countries) {
  r.records(d.gAppearanceQueue);
  r.records(d.gArmies);
  r.records(d.gTransports);
  r.records(d.gLabours);
  r.records(d.gEnvoys);
  r.records(d.gSpies);
  r.records(d.gMarches);
  r.records(d.gCaravans);
  r.records(d.gMigrations);
  r.records(d.gSaveCities);
  r.records(countries);
}

template <typename Country>
void WriteQueueToCountries(ByteWriter& w, const GameDataSet& d, const std::vector<Country>& countries) {
  w.records(d.gAppearanceQueue);
  w.records(d.gArmies);
  w.records(d.gTransports);
  w.records(d.gLabours);
  w.records(d.gEnvoys);
  w.records(d.gSpies);
  w.records(d.gMarches);
  w.records(d.gCaravans);
  w.records(d.gMigrations);
  w.records(d.gSaveCities);
  w.records(countries);
}

// Both editions from the header to the princesses, back to back; only the record layouts differ.
template <typename Header, typename UnitType, typename General>
void ReadSaveHead(ByteReader& r, GameDataSet& d, SaveRawParts& raw, Header& header, std::vector<UnitType>& unitTypes,
                  std::vector<General>& generals) {
  r.record(header);
  if (auto b = r.take(raw.reserved.size())) std::copy_n(b, raw.reserved.size(), raw.reserved.begin());
  r.records(d.gSaveRegions);
  r.records(d.gSaveSpecialties);
  r.records(d.gSaveCultureItems);
  r.records(unitTypes);
  r.records(generals);
  r.records(d.gSaveQueens);
  r.records(d.gSavePrincesses);
}

bool ParseKr(std::span<const std::uint8_t> file, const SavePlan& p, GameDataSet& d, SaveRawParts& raw) {
  ByteReader r(file);
  ReadSaveHead(r, d, raw, d.gSaveHeader, d.gSaveUnitTypes, d.gSaveGenerals);
  if (!r.ok() || r.pos() != kSaveKrVariableStart || p.queue < kSaveKrVariableStart) return false;
  raw.variable = Slice(file, kSaveKrVariableStart, p.queue);
  r.seek(p.queue);
  ReadQueueToCountries(r, d, d.gSaveCountries);
  r.records(d.gSaveMap.cells);
  r.record(d.gSaveTail);
  return r.ok() && r.pos() == p.end;
}

bool ParseQV(std::span<const std::uint8_t> file, const SavePlan& p, GameDataSet& d, SaveRawParts& raw) {
  ByteReader r(file);
  ReadSaveHead(r, d, raw, d.gSaveHeaderQV, d.gSaveUnitTypesQV, d.gSaveGeneralsQV);
  if (!r.ok() || r.pos() != kSaveQVVariableStart) return false;
  raw.variable = Slice(file, kSaveQVVariableStart, p.queue);
  r.seek(p.queue);
  ReadQueueToCountries(r, d, d.gSaveCountriesQV);
  if (!r.ok() || r.pos() != p.var2) return false;
  raw.variable2 = Slice(file, p.var2, p.var2End);
  raw.block20808 = Slice(file, p.var2End, p.var2End + kSaveBlock20808);
  r.seek(p.var2End + kSaveBlock20808);
  r.records(d.gSaveMap.cells);
  r.record(d.gSaveTail);
  if (!r.ok() || r.pos() != p.end) return false;
  raw.trailing = Slice(file, p.end, file.size());
  return true;
}

// Every array the writers serialise must have the size of its table, or the image would shift.
template <typename Country, typename General, typename Unit>
bool SaveArraysSized(const GameDataSet& d, const std::vector<Country>& countries,
                     const std::vector<General>& generals, const std::vector<Unit>& units,
                     std::size_t unitCount) {
  return d.gSaveRegions.size() == 56 && d.gSaveSpecialties.size() == 31 && d.gSaveCultureItems.size() == 80 &&
         units.size() == unitCount && generals.size() == 500 && d.gSaveQueens.size() == 200 &&
         d.gSavePrincesses.size() == 200 && d.gAppearanceQueue.size() == kQueueEntries &&
         d.gArmies.size() == 500 && d.gTransports.size() == 500 && d.gLabours.size() == 500 &&
         d.gEnvoys.size() == 500 && d.gSpies.size() == 500 && d.gMarches.size() == 500 &&
         d.gCaravans.size() == 1000 && d.gMigrations.size() == 80 && d.gSaveCities.size() == 80 &&
         countries.size() == 80 && d.gSaveMap.cells.size() == kMapCells;
}

// --- Reader protocol -------------------------------------------------------------------------

constexpr const char* kMsgMessageSize = "메세지파일의 크기가 잘못되었습니다.";

bool RefuseFileFormat() {
  ShowMessage(kMsgBadData, MsgIcon::Exclamation);
  return false;
}

bool MessageFileTooShort(const char* name, std::int64_t minimum) {
  auto path = FindFileNoCase(gFileDirs.message, name);
  auto size = path ? FileSize(*path) : std::nullopt;
  return !size || std::int64_t(*size) < minimum;
}

// A save file carries its own map; it has no biographies or years to edit here.
void SetSaveMenusAndShowProgress() {
  auto& h = Host();
  h.SetMenuEnabled(MenuId::mnuMapEdit, true);
  h.SetMenuEnabled(MenuId::mnu혈연, true);
  h.SetMenuEnabled(MenuId::mnuYear, false);
  h.SetMenuEnabled(MenuId::mnu열전, false);
  ShowReadProgress();
}

// Both editions: the whole image is read into a fresh set, with the message file, and only then
// swapped in, so a failure anywhere leaves the loaded data as it was.
template <typename Parse>
bool ReadSave(bool expansion, bool useExeTables, Parse parse) {
  auto& h = Host();
  const ReaderRollback before;
  h.SetMenuEnabled(MenuId::mnuEvent, !expansion);
  if (!LocateMessageFile(useExeTables)) return before.Fail(kMsgMessageFile, MsgIcon::None);
  const bool tooShort = expansion ? MessageFileTooShort("message.wn", std::int64_t(gExeInfo.messagePositions[11]) + 870)
                                  : useExeTables && MessageFileTooShort("message.rn", std::int64_t(gExeInfo.messagePositions[8]) + 888);
  if (tooShort) return before.Fail(kMsgMessageSize, MsgIcon::None);
  LocateFaceBitmaps(useExeTables);
  SetSaveMenusAndShowProgress();

  auto fresh = std::make_unique<GameDataSet>();
  // The expansion reset keeps the message blocks of the previous load.
  if (expansion) {
    fresh->gBiographyNameBlock = gData.gBiographyNameBlock;
    fresh->gBiographyTextBlock = gData.gBiographyTextBlock;
    ResetArraysSaveQV(*fresh);
  } else {
    ResetArraysSaveKr(*fresh);
  }
  h.Progress(5);
  LoadFaceBitmaps(useExeTables);
  h.Progress(10);
  SaveRawParts raw;
  if (!parse(*fresh, raw)) return before.Fail(kMsgBadData, MsgIcon::Exclamation);
  h.Progress(30);
  if (!ReadMessageFile(*fresh)) return before.Fail(kMsgMessageFile, MsgIcon::None);
  h.Progress(50);

  std::swap(gData, *fresh);
  fresh.reset();
  gSaveRaw = std::move(raw);
  gFileDirsSaved = gFileDirs;
  if (!expansion) gSaveTailFirstByte = gData.gSaveTail.get(kSaveTail.flags);
  // The writers and editors follow the executable the file was read with.
  if (useExeTables) {
    gLoadedExeInfo = gExeInfo;
  } else {
    gLoadedExeInfo.editionFlag = 0;
  }
  h.BuildMapCache();
  h.FillMainWindow(useExeTables);
  h.ProgressClose();
  return true;
}

// --- Writer protocol -------------------------------------------------------------------------

bool WriterFailure(const std::string& text) {
  ShowMessage(text, MsgIcon::Critical);
  if (Host().ProgressVisible()) Host().ProgressClose();
  return false;
}

template <typename General, typename Country>
std::optional<std::string> BrokenReference(const std::vector<Country>& countries, const std::vector<General>& generals) {
  for (const auto& c : countries)
    if (c.get(c.L.king) > 500) return "국가 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  for (const auto& c : gData.gSaveCities)
    if (c.get(c.L.owner) > 80) return "도시 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  for (const auto& g : generals)
    if (g.get(g.L.city) > 80) return "장군 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  for (const auto& q : gData.gSaveQueens)
    if (std::int16_t(q.get(q.L.husband)) > 500) return "왕비 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  return std::nullopt;
}

// Stamps the save time and names the player's king and country. Each link of the chain from the
// player slot to the king's name is checked; a broken link leaves that name as it was.
template <typename Header, typename Country, typename General>
void StampHeader(Header& h, const std::vector<Country>& countries, const std::vector<General>& generals) {
  const auto& L = h.L;
  SaveStamp s = gSaveClock();
  h.set(L.saveYear, s.year);
  h.set(L.saveMonth, s.month);
  h.set(L.saveDay, s.day);
  h.set(L.saveHour, s.hour);
  h.set(L.saveMinute, s.minute);

  std::uint8_t player = h.get(L.playerCountry);
  auto map = gData.gSaveTail.bytes(kSaveTail.countryMap);
  if (player >= map.size()) return;
  std::size_t index = map[player];
  if (index >= countries.size()) return;
  const auto& country = countries[index];
  auto countryName = country.bytes(country.L.name);
  std::copy(countryName.begin(), countryName.end(), h.bytes(L.countryName).begin());
  std::int16_t king = country.get(country.L.king);
  if (king < 0 || std::size_t(king) >= generals.size()) return;
  const auto& g = generals[std::size_t(king)];
  auto kingName = g.bytes(g.L.name);
  static_assert(kSaveHeaderKr.kingName.width == kGeneralSaveKr.name.width);
  static_assert(kSaveHeaderQV.kingName.width == kGeneralSaveQV.name.width);
  static_assert(kSaveHeaderKr.countryName.width == kCountrySave.name.width);
  std::copy(kingName.begin(), kingName.end(), h.bytes(L.kingName).begin());
}

template <typename Header, typename Country, typename General, typename Build>
bool WriteSave(Header& header, const std::vector<Country>& countries, const std::vector<General>& generals,
               Build build) {
  auto& h = Host();
  h.SetStatus(1, "데이터 저장 중...");
  h.ProgressShow("데이터 저장", "데이터를 저장 중입니다...");
  h.Progress(0);
  h.ProgressPaint();
  if (auto broken = BrokenReference(countries, generals))
    return WriterFailure(*broken + "\n다시 로드해 주십시오.");

  StampHeader(header, countries, generals);
  SortAppearanceQueue(gData.gAppearanceQueue, 1, int(kQueueEntries));
  h.Progress(30);
  std::optional<Bytes> image = build();
  h.Progress(50);
  if (!image) return WriterFailure("데이터 저장에 문제가 발생했습니다");
  h.Progress(70);
  if (!WriteFileAtomic(gCurrentFile, *image)) return WriterFailure("데이터 저장에 문제가 발생했습니다");
  h.Progress(100);
  gDataChanged = false;
  h.SetStatus(1, "");
  h.SetStatus(3, "");
  h.ProgressClose();
  return true;
}

}  // namespace

std::optional<std::size_t> WalkVariablePart(std::span<const std::uint8_t> data, std::size_t pos,
                                            std::size_t entries, std::size_t trailer) {
  for (std::size_t i = 0; i < entries; ++i) {
    if (pos > data.size() || data.size() - pos < SaveVarEntryRec::kSize) return std::nullopt;
    std::int16_t count = std::int16_t(GetU16(&data[pos + kSaveVarEntry.count.off]));
    pos += SaveVarEntryRec::kSize;
    // A count of 0 or below is followed by no items.
    std::size_t items = count > 0 ? std::size_t(count) * kSaveVarItemSize : 0;
    if (data.size() - pos < items) return std::nullopt;
    pos += items;
  }
  if (pos > data.size() || data.size() - pos < trailer) return std::nullopt;
  return pos + trailer;
}

bool ParseSaveKr(std::span<const std::uint8_t> file, bool sequential, GameDataSet& d, SaveRawParts& raw) {
  auto plan = PlanSaveKr(file, sequential);
  return plan && ParseKr(file, *plan, d, raw);
}

bool ParseSaveQV(std::span<const std::uint8_t> file, GameDataSet& d, SaveRawParts& raw) {
  auto plan = PlanSaveQV(file);
  return plan && ParseQV(file, *plan, d, raw);
}

// Both editions from the header to the countries; only the record layouts differ.
template <typename Header, typename UnitType, typename General, typename Country>
void WriteSaveHead(ByteWriter& w, const GameDataSet& d, const SaveRawParts& raw, const Header& header,
                   const std::vector<UnitType>& unitTypes, const std::vector<General>& generals,
                   const std::vector<Country>& countries) {
  w.record(header);
  w.bytes(raw.reserved);
  w.records(d.gSaveRegions);
  w.records(d.gSaveSpecialties);
  w.records(d.gSaveCultureItems);
  w.records(unitTypes);
  w.records(generals);
  w.records(d.gSaveQueens);
  w.records(d.gSavePrincesses);
  w.bytes(raw.variable);
  WriteQueueToCountries(w, d, countries);
}

bool BuildSaveKr(const GameDataSet& d, const SaveRawParts& raw, bool sequential, Bytes& out) {
  out.clear();
  if (!SaveArraysSized(d, d.gSaveCountries, d.gSaveGenerals, d.gSaveUnitTypes, 23)) return false;
  // The custom load found the queue behind the walked variable part: write it there again.
  if (sequential && WalkVariablePart(raw.variable, 0, kSaveVarEntries, kSaveVarTrailer) != raw.variable.size())
    return false;
  out.reserve(kSaveKrVariableStart + raw.variable.size() + kSaveKrTailSize);
  ByteWriter w(out);
  WriteSaveHead(w, d, raw, d.gSaveHeader, d.gSaveUnitTypes, d.gSaveGenerals, d.gSaveCountries);
  w.records(d.gSaveMap.cells);
  w.record(d.gSaveTail);
  return true;
}

bool BuildSaveQV(const GameDataSet& d, const SaveRawParts& raw, Bytes& out) {
  out.clear();
  if (!SaveArraysSized(d, d.gSaveCountriesQV, d.gSaveGeneralsQV, d.gSaveUnitTypesQV, 24)) return false;
  if (WalkVariablePart(raw.variable, 0, kSaveVarEntries, kSaveVarTrailer) != raw.variable.size() ||
      WalkVariablePart(raw.variable2, 0, kSaveVarEntries2, 0) != raw.variable2.size() ||
      raw.block20808.size() != kSaveBlock20808)
    return false;
  out.reserve(kSaveQVMinBytes + raw.variable.size() + raw.variable2.size() + raw.trailing.size());
  ByteWriter w(out);
  WriteSaveHead(w, d, raw, d.gSaveHeaderQV, d.gSaveUnitTypesQV, d.gSaveGeneralsQV, d.gSaveCountriesQV);
  w.bytes(raw.variable2);
  w.bytes(raw.block20808);
  w.records(d.gSaveMap.cells);
  w.record(d.gSaveTail);
  w.bytes(raw.trailing);
  return true;
}

std::optional<Bytes> BuildSaveKr(const GameDataSet& d, const SaveRawParts& raw, bool sequential) {
  Bytes out;
  if (!BuildSaveKr(d, raw, sequential, out)) return std::nullopt;
  return out;
}

std::optional<Bytes> BuildSaveQV(const GameDataSet& d, const SaveRawParts& raw) {
  Bytes out;
  if (!BuildSaveQV(d, raw, out)) return std::nullopt;
  return out;
}

void SortAppearanceQueue(std::vector<AppearanceQueueRec>& queue, int lo, int hi) {
  // Entries are numbered from 1; a range outside the queue is cut to it.
  lo = std::max(lo, 1);
  hi = std::min(hi, int(queue.size()));
  if (lo >= hi) return;
  auto key = [&](int e) { return queue[std::size_t(e - 1)].get(kAppearanceQueue.general); };
  const std::int16_t pivot = key((lo + hi) / 2);
  int i = lo, j = hi;
  do {
    while (i < hi && key(i) < pivot) ++i;
    while (j > lo && key(j) > pivot) --j;
    if (i > j) break;
    std::swap(queue[std::size_t(i - 1)], queue[std::size_t(j - 1)]);
    ++i;
    --j;
  } while (i <= j);
  if (lo < j) SortAppearanceQueue(queue, lo, j);
  if (i < hi) SortAppearanceQueue(queue, i, hi);
}

SaveStamp SystemSaveStamp() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return {std::uint16_t(t.tm_year + 1900), std::uint8_t(t.tm_mon + 1), std::uint8_t(t.tm_mday),
          std::uint8_t(t.tm_hour), std::uint8_t(t.tm_min)};
}

bool ReadSaveKr(bool customLoad) {
  // The layout, the variable part's walk included, is checked before any state changes, so a
  // broken file leaves the loaded data set, menus and directories as they were.
  auto file = ReadWholeFile(gCurrentFile);
  if (!file) return RefuseFileFormat();
  auto plan = PlanSaveKr(*file, customLoad);
  if (!plan) return RefuseFileFormat();
  return ReadSave(false, customLoad,
                  [&](GameDataSet& d, SaveRawParts& raw) { return ParseKr(*file, *plan, d, raw); });
}

bool ReadSaveQV() {
  auto file = ReadWholeFile(gCurrentFile);
  if (!file) return RefuseFileFormat();
  auto plan = PlanSaveQV(*file);
  if (!plan) return RefuseFileFormat();
  return ReadSave(true, true,
                  [&](GameDataSet& d, SaveRawParts& raw) { return ParseQV(*file, *plan, d, raw); });
}

bool WriteSaveKr() {
  const bool sequential = gLoadWithExeInfo;
  return WriteSave(gData.gSaveHeader, gData.gSaveCountries, gData.gSaveGenerals,
                   [&] { return BuildSaveKr(gData, gSaveRaw, sequential); });
}

bool WriteSaveQV() {
  return WriteSave(gData.gSaveHeaderQV, gData.gSaveCountriesQV, gData.gSaveGeneralsQV,
                   [&] { return BuildSaveQV(gData, gSaveRaw); });
}

}  // namespace garam
