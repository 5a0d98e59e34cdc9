#include "data/save_io.h"

#include <algorithm>
#include <ctime>
#include <string>
#include <utility>

#include "data/bitmaps.h"
#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/host.h"
#include "data/message.h"
#include "data/readerstate.h"

namespace garam {
namespace {

constexpr std::size_t kMapCells = std::size_t(kMapWidth) * kMapHeight;
constexpr std::size_t kReservedSize = std::tuple_size_v<decltype(SaveRawParts::reserved)>;

// The tables from the header to the princesses lie back to back; the Korean file's known offsets
// (regions 97, specialties 1217, culture items 1868, unit types 3948, generals 4316, consorts
// 33316, princesses 38916) and the expansion file's variable start follow from the record sizes.
template <typename Header, typename UnitType, typename General>
constexpr std::size_t SaveHeadSize(std::size_t unitTypes) {
  return Header::kSize + kReservedSize + kRegionCount * RegionSaveRec::kSize + kSpecialtyCount * SpecialtyRec::kSize +
         kCultureItemCount * CultureItemSaveRec::kSize + unitTypes * UnitType::kSize + kGeneralSlots * General::kSize +
         kConsortSlots * QueenSaveRec::kSize + kPrincessSlots * PrincessRec::kSize;
}
static_assert(SaveHeaderRec::kSize + kReservedSize + kRegionCount * RegionSaveRec::kSize == 1217);
static_assert(1217 + kSpecialtyCount * SpecialtyRec::kSize + kCultureItemCount * CultureItemSaveRec::kSize == 3948);
static_assert(3948 + kUnitTypeCountKr * UnitTypeRec::kSize + kGeneralSlots * GeneralSaveRec::kSize == 33316);
static_assert(SaveHeadSize<SaveHeaderRec, UnitTypeRec, GeneralSaveRec>(kUnitTypeCountKr) == kSaveKrVariableStart);
static_assert(SaveHeadSize<SaveHeaderQVRec, UnitTypeQVRec, GeneralSaveQVRec>(kUnitTypeCountQV) == kSaveQVVariableStart);

// Bytes from the appearance queue to the end of the countries, and from the map to the end.
constexpr std::size_t kMissionBytes =
    kArmySlots * ArmyRec::kSize + kTransportSlots * TransportRec::kSize + kLabourSlots * LabourRec::kSize +
    kEnvoySlots * EnvoyRec::kSize + kSpySlots * SpyRec::kSize + kMarchSlots * MarchRec::kSize +
    kCaravanSlots * CaravanRec::kSize + kMigrationSlots * MigrationRec::kSize;
constexpr std::size_t kQueueToCities = kQueueEntries * AppearanceQueueRec::kSize + kMissionBytes;
constexpr std::size_t kQueueToMapKr = kQueueToCities + kCitySlots * CitySaveRec::kSize + kCountrySlots * CountrySaveRec::kSize;
constexpr std::size_t kQueueToVar2QV = kQueueToCities + kCitySlots * CitySaveRec::kSize + kCountrySlots * CountrySaveQVRec::kSize;
constexpr std::size_t kMapToEnd = kMapCells * SaveMapCell::kSize + SaveTailBlock::kSize;
constexpr std::size_t kEmptyVariable = kSaveVarEntries * SaveVarEntryRec::kSize + kSaveVarTrailer;
constexpr std::size_t kEmptyVariable2 = kSaveVarEntries2 * SaveVarEntryRec::kSize;
static_assert(kQueueToMapKr + kMapToEnd == kSaveKrTailSize);
static_assert(kSaveKrVariableStart + kEmptyVariable + kSaveKrTailSize == kSaveKrMinBytes);
static_assert(kSaveQVVariableStart + kEmptyVariable + kQueueToVar2QV + kEmptyVariable2 + kSaveBeforeMapSize +
                  kMapToEnd == kSaveQVMinBytes);

// Where a part of a save image the editor does not interpret lies.
struct Extent {
  std::size_t begin = 0, end = 0;
};
// The raw parts of a save image, found before anything is read into a data set; the tables lie
// between them as the record layouts say.
struct SavePlan {
  Extent variable;                        // ends at the appearance queue
  Extent variable2, beforeMap, trailing;  // expansion only
};

std::optional<SavePlan> PlanSaveKr(std::span<const std::uint8_t> file, bool sequential) {
  if (file.size() < kSaveKrMinBytes) return std::nullopt;
  SavePlan p;
  p.variable = {kSaveKrVariableStart, file.size() - kSaveKrTailSize};
  if (sequential) {
    // The custom load reads the queue where the walk ends; anywhere but the start of the fixed
    // tail would read every later table at the wrong place.
    auto walked = WalkVariablePart(file, kSaveKrVariableStart, kSaveVarEntries, kSaveVarTrailer);
    if (!walked || *walked != p.variable.end) return std::nullopt;
  }
  return p;
}

std::optional<SavePlan> PlanSaveQV(std::span<const std::uint8_t> file) {
  if (file.size() < kSaveQVMinBytes) return std::nullopt;
  SavePlan p;
  auto walked = WalkVariablePart(file, kSaveQVVariableStart, kSaveVarEntries, kSaveVarTrailer);
  if (!walked || file.size() - *walked < kQueueToVar2QV) return std::nullopt;
  p.variable = {kSaveQVVariableStart, *walked};
  const std::size_t var2 = *walked + kQueueToVar2QV;
  auto walked2 = WalkVariablePart(file, var2, kSaveVarEntries2, 0);
  if (!walked2 || file.size() - *walked2 < kSaveBeforeMapSize + kMapToEnd) return std::nullopt;
  p.variable2 = {var2, *walked2};
  p.beforeMap = {*walked2, *walked2 + kSaveBeforeMapSize};
  p.trailing = {p.beforeMap.end + kMapToEnd, file.size()};
  return p;
}

// One list drives reading and writing: the tables of a save file in file order with their counts,
// and where the raw parts lie between them. Only the record layouts differ between the editions.
template <typename IO, typename Data, typename Raw>
void VisitSave(IO& io, Data& d, Raw& raw, bool expansion) {
  if (expansion) io.record(d.gSaveHeaderQV);
  else io.record(d.gSaveHeader);
  io.bytes(raw.reserved);
  io.records(d.gSaveRegions, kRegionCount);
  io.records(d.gSaveSpecialties, kSpecialtyCount);
  io.records(d.gSaveCultureItems, kCultureItemCount);
  if (expansion) {
    io.records(d.gSaveUnitTypesQV, kUnitTypeCountQV);
    io.records(d.gSaveGeneralsQV, kGeneralSlots);
  } else {
    io.records(d.gSaveUnitTypes, kUnitTypeCountKr);
    io.records(d.gSaveGenerals, kGeneralSlots);
  }
  io.records(d.gSaveQueens, kConsortSlots);
  io.records(d.gSavePrincesses, kPrincessSlots);
  io.part(raw.variable, &SavePlan::variable);
  io.records(d.gAppearanceQueue, kQueueEntries);
  io.records(d.gArmies, kArmySlots);
  io.records(d.gTransports, kTransportSlots);
  io.records(d.gLabours, kLabourSlots);
  io.records(d.gEnvoys, kEnvoySlots);
  io.records(d.gSpies, kSpySlots);
  io.records(d.gMarches, kMarchSlots);
  io.records(d.gCaravans, kCaravanSlots);
  io.records(d.gMigrations, kMigrationSlots);
  io.records(d.gSaveCities, kCitySlots);
  if (expansion) {
    io.records(d.gSaveCountriesQV, kCountrySlots);
    io.part(raw.variable2, &SavePlan::variable2);
    io.part(raw.beforeMap, &SavePlan::beforeMap);
  } else {
    io.records(d.gSaveCountries, kCountrySlots);
  }
  io.records(d.gSaveMap.cells, kMapCells);
  io.record(d.gSaveTail);
  if (expansion) io.part(raw.trailing, &SavePlan::trailing);
}

class SaveReader : public ByteReader {
 public:
  SaveReader(std::span<const std::uint8_t> file, const SavePlan& plan) : ByteReader(file), file_(file), plan_(plan) {}
  // Every table read, each raw part where the plan found it, and nothing left over.
  bool done() const { return ok() && placed_ && pos() == file_.size(); }

  void bytes(std::span<std::uint8_t> b) {
    if (auto p = take(b.size())) std::copy_n(p, b.size(), b.begin());
  }
  template <typename R>
  void records(std::vector<R>& v, std::size_t count) {
    placed_ = placed_ && v.size() == count;
    ByteReader::records(v);
  }
  // A raw part must begin where the tables before it end.
  void part(Bytes& b, Extent SavePlan::*which) {
    const Extent e = plan_.*which;
    if (pos() != e.begin || e.end < e.begin || e.end > file_.size()) {
      placed_ = false;
      return;
    }
    b.assign(file_.begin() + std::ptrdiff_t(e.begin), file_.begin() + std::ptrdiff_t(e.end));
    seek(e.end);
  }

 private:
  std::span<const std::uint8_t> file_;
  const SavePlan& plan_;
  bool placed_ = true;
};

class SaveWriter : public ByteWriter {
 public:
  using ByteWriter::ByteWriter;
  // Every table at the size of its table: another size would shift every later one.
  bool sized() const { return sized_; }

  template <typename R>
  void records(const std::vector<R>& v, std::size_t count) {
    sized_ = sized_ && v.size() == count;
    ByteWriter::records(v);
  }
  void part(const Bytes& b, Extent SavePlan::*) { bytes(b); }

 private:
  bool sized_ = true;
};

bool ParseWithPlan(std::span<const std::uint8_t> file, const SavePlan& p, bool expansion, GameDataSet& d,
                   SaveRawParts& raw) {
  SaveReader r(file, p);
  VisitSave(r, d, raw, expansion);
  return r.done();
}

bool BuildSave(const GameDataSet& d, const SaveRawParts& raw, bool expansion, Bytes& out) {
  out.reserve((expansion ? kSaveQVMinBytes : kSaveKrMinBytes) + raw.variable.size() + raw.variable2.size() +
              raw.trailing.size());
  SaveWriter w(out);
  VisitSave(w, d, raw, expansion);
  return w.sized();
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

// Both editions: the whole image is read into a fresh set, with the message file, and only then
// swapped in, so a failure anywhere leaves the loaded data as it was.
template <typename Parse>
bool ReadSave(bool expansion, bool useExeTables, Parse parse) {
  auto& h = Host();
  if (!LocateMessageFile(useExeTables)) return ReadFailed(kMsgMessageFile, MsgIcon::None);
  const bool tooShort = expansion ? MessageFileTooShort("message.wn", std::int64_t(gExeInfo.messagePositions[11]) + 870)
                                  : useExeTables && MessageFileTooShort("message.rn", std::int64_t(gExeInfo.messagePositions[8]) + 888);
  if (tooShort) return ReadFailed(kMsgMessageSize, MsgIcon::None);
  LocateFaceBitmaps(useExeTables);
  ShowReadProgress();

  GameDataSet& fresh = gState.loadData;
  // The expansion reset keeps the message blocks of the previous load.
  if (expansion) {
    fresh.gBiographyNameBlock = gData.gBiographyNameBlock;
    fresh.gBiographyTextBlock = gData.gBiographyTextBlock;
    ResetArraysSaveQV(fresh);
  } else {
    ResetArraysSaveKr(fresh);
  }
  h.Progress(5);
  LoadFaceBitmaps(useExeTables);
  h.Progress(10);
  SaveRawParts raw;
  if (!parse(fresh, raw)) return ReadFailed(kMsgBadData, MsgIcon::Exclamation);
  h.Progress(30);
  if (!ReadMessageFile(fresh)) return ReadFailed(kMsgMessageFile, MsgIcon::None);
  h.Progress(50);

  CommitRead(fresh, useExeTables);
  gSaveRaw = std::move(raw);
  if (!expansion) gSaveTailFirstByte = gData.gSaveTail.get(kSaveTail.flags);
  h.BuildMapCache();
  h.FillMainWindow();
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
  h.ProgressShow("데이터 저장", "데이터를 저장 중입니다...", "데이터 저장 중...");
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
  if (!ReplaceFiles({{gCurrentFile, std::move(*image)}})) return WriterFailure("데이터 저장에 문제가 발생했습니다");
  h.Progress(100);
  gDataChanged = false;
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
  return plan && ParseWithPlan(file, *plan, false, d, raw);
}

bool ParseSaveQV(std::span<const std::uint8_t> file, GameDataSet& d, SaveRawParts& raw) {
  auto plan = PlanSaveQV(file);
  return plan && ParseWithPlan(file, *plan, true, d, raw);
}

bool BuildSaveKr(const GameDataSet& d, const SaveRawParts& raw, bool sequential, Bytes& out) {
  out.clear();
  // The custom load found the queue behind the walked variable part: write it there again.
  if (sequential && WalkVariablePart(raw.variable, 0, kSaveVarEntries, kSaveVarTrailer) != raw.variable.size())
    return false;
  return BuildSave(d, raw, false, out);
}

bool BuildSaveQV(const GameDataSet& d, const SaveRawParts& raw, Bytes& out) {
  out.clear();
  if (WalkVariablePart(raw.variable, 0, kSaveVarEntries, kSaveVarTrailer) != raw.variable.size() ||
      WalkVariablePart(raw.variable2, 0, kSaveVarEntries2, 0) != raw.variable2.size() ||
      raw.beforeMap.size() != kSaveBeforeMapSize)
    return false;
  return BuildSave(d, raw, true, out);
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
  // broken file leaves the loaded data set and the side-file locations as they were.
  Bytes& file = gState.loadImage;
  if (!ReadWholeFileInto(gCurrentFile, file, kSaveKrMaxBytes)) return RefuseFileFormat();
  auto plan = PlanSaveKr(file, customLoad);
  if (!plan) return RefuseFileFormat();
  return ReadSave(false, customLoad,
                  [&](GameDataSet& d, SaveRawParts& raw) { return ParseWithPlan(file, *plan, false, d, raw); });
}

bool ReadSaveQV() {
  Bytes& file = gState.loadImage;
  if (!ReadWholeFileInto(gCurrentFile, file, kSaveQVMaxBytes)) return RefuseFileFormat();
  auto plan = PlanSaveQV(file);
  if (!plan) return RefuseFileFormat();
  return ReadSave(true, true,
                  [&](GameDataSet& d, SaveRawParts& raw) { return ParseWithPlan(file, *plan, true, d, raw); });
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
