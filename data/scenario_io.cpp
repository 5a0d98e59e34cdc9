#include "data/scenario_io.h"

#include "data/readerstate.h"

#include <cstring>
#include <utility>
#include <vector>

#include "data/bitmaps.h"
#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/host.h"
#include "data/mapfiles.h"
#include "data/message.h"

namespace garam {

namespace {

// The fixed-layout files are the sequential layout with their own counts.
constexpr ScenarioBlocks kScedat1Blocks = ScenarioBlocksOf(false, kScedat1Counts);
constexpr ScenarioBlocks kScedat2Blocks = ScenarioBlocksOf(false, kScedat2Counts);
static_assert(kScedat1Blocks.countries == 1585 && kScedat1Blocks.cities == 4045 &&
              kScedat1Blocks.specialties == 6607 && kScedat1Blocks.cultureItems == 7258 &&
              kScedat1Blocks.unitTypes == 9338 && kScedat1Blocks.generals == 9706 &&
              kScedat1Blocks.queens == 20830 && kScedat1Blocks.end == 21574);
static_assert(kScedat2Blocks.cities == 3637 && kScedat2Blocks.specialties == 6138 &&
              kScedat2Blocks.cultureItems == 6789 && kScedat2Blocks.unitTypes == 8869 &&
              kScedat2Blocks.generals == 9237 && kScedat2Blocks.queens == 17391 && kScedat2Blocks.end == 18039);

constexpr const char* kMsgMapFiles = "맵 파일이 없거나 잘못된 파일입니다.";
constexpr const char* kMsgSaveFailed = "데이터 저장에 문제가 발생했습니다.";
constexpr const char* kMsgSaveFailedFixed = "데이터 저장에 문제가 발생했습니다";
constexpr const char* kMsgReload = "다시 로드해 주십시오.";
constexpr int kMaxStartYear = 2100;  // the executable's own limit, checked when it is read

bool Expansion(std::int32_t kind) { return kind == kScenarioQV; }

std::size_t CountryCount(const GameDataSet& d, std::int32_t kind) {
  return kind == kScedat1 ? d.gCountriesScedat1.size() : kind == kScedat2 ? d.gCountriesScedat2.size() : d.gCountries.size();
}
std::size_t GeneralCount(const GameDataSet& d, std::int32_t kind) {
  return Expansion(kind) ? d.gGeneralsQV.size() : d.gGenerals.size();
}

ScenarioBlocks BlocksOf(const GameDataSet& d, std::int32_t kind) {
  return ScenarioBlocksOf(Expansion(kind), {CountryCount(d, kind), d.gCities.size(), GeneralCount(d, kind), d.gQueens.size()});
}

// One field list drives reading and writing: Visit walks the blocks of a scenario file in order.
template <typename IO, typename Data>
void VisitScenario(IO& io, Data& d, std::int32_t kind) {
  if (Expansion(kind)) io.record(d.gScenarioHeaderQV);
  else io.record(d.gScenarioHeader);
  io.records(d.gRegions);
  if (kind == kScedat1) io.records(d.gCountriesScedat1);
  else if (kind == kScedat2) io.records(d.gCountriesScedat2);
  else io.countries(d.gCountries);
  io.records(d.gCities);
  io.records(d.gSpecialties);
  io.records(d.gCultureItems);
  if (Expansion(kind)) {
    io.records(d.gUnitTypesQV);
    io.records(d.gGeneralsQV);
  } else {
    io.records(d.gUnitTypes);
    io.records(d.gGenerals);
  }
  io.records(d.gQueens);
}

struct Reader : ByteReader {
  using ByteReader::ByteReader;
  void countries(std::vector<CountryScenRec>& v) {
    const std::size_t c = v.size();
    for (auto& country : v) {
      if (auto p = take(kCountryHeadSize)) std::memcpy(country.head.data(), p, kCountryHeadSize);
      country.relations.assign(c, 0);
      for (auto& w : country.relations) w = u16();
    }
  }
};

struct Writer : ByteWriter {
  using ByteWriter::ByteWriter;
  // Exactly one relation word per country, so the record length always matches the count that
  // goes into the executable.
  void countries(const std::vector<CountryScenRec>& v) {
    for (const auto& country : v) {
      bytes(country.head);
      for (std::size_t k = 0; k < v.size(); ++k) u16(k < country.relations.size() ? country.relations[k] : 0);
    }
  }
};

// The first broken cross-reference, in the game's order, or nullptr.
const char* CrossReferenceFault(const GameDataSet& d, std::int32_t kind) {
  const std::int64_t g = std::int64_t(GeneralCount(d, kind));
  const std::int64_t c = std::int64_t(CountryCount(d, kind));
  auto kingBad = [&](std::uint16_t king) { return std::int64_t(king) > g - 1; };
  bool countryBad = false;
  if (kind == kScedat1) {
    for (const auto& r : d.gCountriesScedat1) countryBad = countryBad || kingBad(r.get(r.L.king));
  } else if (kind == kScedat2) {
    for (const auto& r : d.gCountriesScedat2) countryBad = countryBad || kingBad(r.get(r.L.king));
  } else {
    for (const auto& r : d.gCountries) countryBad = countryBad || kingBad(r.king());
  }
  if (countryBad) return "국가 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  for (const auto& r : d.gCities)
    if (std::int64_t(r.get(r.L.owner)) > c - 1) return "도시 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  auto generalBad = [](const auto& v) {
    for (const auto& r : v)
      if (r.get(r.L.city) > 80) return true;
    return false;
  };
  if (Expansion(kind) ? generalBad(d.gGeneralsQV) : generalBad(d.gGenerals))
    return "장군 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  for (const auto& r : d.gQueens)
    if (std::int64_t(r.get(r.L.husband)) > g - 1) return "왕비 데이터 저장에 문제가 발생하여 작업을 중단합니다.";
  return nullptr;
}

void ResetForKind(GameDataSet& d, std::int32_t kind, int n) {
  switch (kind) {
    case kScedat1: ResetArraysScedat1(d); break;
    case kScedat2: ResetArraysScedat2(d); break;
    case kScenarioKr: ResetArraysScenarioKr(d, gExeInfo, n); break;
    case kScenarioQV: ResetArraysScenarioQV(d, gExeInfo, n); break;
  }
}

bool ReadScenario(std::int32_t kind, int n) {
  auto& h = Host();
  const bool sequential = IsNumberedScenario(kind), expansion = Expansion(kind);
  if (!LocateMessageFile(sequential)) return ReadFailed(kMsgMessageFile, MsgIcon::None);
  if (!LocateMapFiles(n, expansion)) return ReadFailed(kMsgMapFiles, MsgIcon::None);
  LocateFaceBitmaps(sequential);
  LocateItemBitmap(sequential);
  ShowReadProgress();

  // Filled aside and swapped in only when every file was read.
  GameDataSet& fresh = gState.loadData;
  // The resets of kinds 4 and 5 keep the message blocks' texts; a scenario load starts without.
  fresh.gBiographyNameBlock = {};
  fresh.gBiographyTextBlock = {};
  ResetForKind(fresh, kind, n);
  h.Progress(5);
  LoadFaceBitmaps(sequential);
  h.Progress(10);

  Bytes& image = gState.loadImage;
  if (!ReadWholeFileInto(gCurrentFile, image) || !ParseScenarioImage(image, kind, fresh))
    return ReadFailed(kMsgBadData, MsgIcon::Exclamation);
  h.Progress(30);
  if (!ReadMessageFile(fresh)) return ReadFailed(kMsgMessageFile, MsgIcon::None);
  if (!ReadMapFiles(fresh)) return ReadFailed(kMsgMapFiles, MsgIcon::None);
  h.Progress(50);

  CommitRead(fresh, sequential);
  h.BuildMapCache();
  h.FillMainWindow();
  if (sequential) gCountsChanged = false;
  h.ProgressClose();
  return true;
}

// ---- writing -------------------------------------------------------------------------------

// The side files of a save, built before anything is written.
struct SideImages {
  std::optional<Bytes> message, mapFix, mapVar;
  MessageBlock nameBlock, textBlock;
};

bool PrepareSideFiles(std::int32_t kind, SideImages& s) {
  if (!Expansion(kind)) {
    s.message = BuildMessageImage(gData, s.nameBlock, s.textBlock);
    if (!s.message) return false;
  }
  s.mapFix = BuildMapImage(gMapFixPath, true, gData.gMapFix);
  s.mapVar = BuildMapImage(gMapVarPath, false, gData.gMapVar);
  return s.mapFix && s.mapVar;
}

// The files of a save in the order they are replaced: the data file, its message file, the maps.
std::vector<FileImage> SaveImages(Bytes data, SideImages& s) {
  std::vector<FileImage> files;
  files.push_back({gCurrentFile, std::move(data)});
  if (s.message) files.push_back({gMessageFilePath, std::move(*s.message)});
  files.push_back({gMapFixPath, std::move(*s.mapFix)});
  files.push_back({gMapVarPath, std::move(*s.mapVar)});
  return files;
}

void CommitBlocks(std::int32_t kind, SideImages& s) {
  if (Expansion(kind)) return;
  gData.gBiographyNameBlock = std::move(s.nameBlock);
  gData.gBiographyTextBlock = std::move(s.textBlock);
}

void ShowCheckFault(const char* text) {
  ShowMessage(std::string(text) + "\n" + kMsgReload, MsgIcon::Critical);
}

void StartSaveProgress() {
  auto& h = Host();
  h.ProgressShow("데이터 저장", "데이터를 저장 중입니다...", "데이터 저장 중...");
  h.Progress(0);
  h.ProgressPaint();
}

void FinishSave() { gDataChanged = false; }

void CloseProgressIfVisible() {
  if (Host().ProgressVisible()) Host().ProgressClose();
}

bool WriteFixed(std::int32_t kind) {
  auto& h = Host();
  auto errorStep = [&] {
    ShowMessage(kMsgSaveFailedFixed, MsgIcon::Critical);
    CloseProgressIfVisible();
    return false;
  };
  StartSaveProgress();
  if (const char* fault = CrossReferenceFault(gData, kind)) {
    ShowCheckFault(fault);
    CloseProgressIfVisible();
    return false;
  }
  SideImages side;
  if (!PrepareSideFiles(kind, side)) return errorStep();
  h.Progress(30);
  if (!ReplaceFiles(SaveImages(SerializeScenario(gData, kind), side))) return errorStep();
  h.Progress(70);
  CommitBlocks(kind, side);
  FinishSave();
  h.Progress(100);
  h.ProgressClose();
  return true;
}

// The executable with the new counts (and start years) of scenario n, or nullopt when they
// cannot be stored: the file is no longer the build it was read as, or a value is beyond what the
// game accepts when it reads its own tables. info takes the new tables.
std::optional<Bytes> PlanExePatches(std::int32_t kind, int n, ExeInfo& info) {
  const std::size_t c = gData.gCountries.size(), r = gData.gCities.size(), g = GeneralCount(gData, kind),
                    q = gData.gQueens.size();
  if (c < 1 || c > kCountrySlots || r < 1 || r > kCitySlots || g < 1 || g > kGeneralSlots || q < 1 || q > kConsortSlots)
    return std::nullopt;
  const bool expansion = Expansion(kind);
  // The Korean build holds scenarios 1 and 2 only.
  const int slot = expansion ? n : (n == 1 ? 1 : 2);
  info.countries[slot - 1] = std::uint8_t(c);
  info.cities[slot - 1] = std::uint8_t(r);
  info.generals[slot - 1] = std::int16_t(g);
  info.consorts[slot - 1] = std::uint8_t(q);

  std::vector<FilePatch> patches;
  if (expansion) {
    int year = int(gData.gScenarioHeaderQV.get(gData.gScenarioHeaderQV.L.startYear)) + 1;
    if (year > kMaxStartYear) return std::nullopt;
    info.startYears[n - 1] = std::int16_t(year);
    patches = StartYearPatches(info);
  }
  for (auto& p : CountPatches(info, slot)) patches.push_back(std::move(p));
  return PatchedExeImage(info, patches);
}

bool WriteNumbered(std::int32_t kind, int n) {
  auto& h = Host();
  ExeInfo info = gLoadedExeInfo;
  std::optional<Bytes> exe;

  auto errorStep = [&] {
    ShowMessage(kMsgSaveFailed, MsgIcon::Critical);
    CloseProgressIfVisible();
    return false;
  };
  if (gCountsChanged) {
    if (FileInUse(info.path, true)) return false;
    exe = PlanExePatches(kind, n, info);
    if (!exe) return errorStep();
  }

  StartSaveProgress();
  h.Progress(30);
  if (const char* fault = CrossReferenceFault(gData, kind)) {
    ShowCheckFault(fault);
    CloseProgressIfVisible();
    return false;
  }
  h.Progress(50);
  SideImages side;
  if (!PrepareSideFiles(kind, side)) return errorStep();
  auto files = SaveImages(SerializeScenario(gData, kind), side);
  if (exe) files.push_back({info.path, std::move(*exe)});
  h.Progress(70);
  if (!ReplaceFiles(files)) return errorStep();
  h.Progress(90);
  h.Progress(100);
  CommitBlocks(kind, side);
  if (exe) gLoadedExeInfo = info;
  gCountsChanged = false;
  FinishSave();
  h.ProgressClose();
  return true;
}

}  // namespace

bool ParseScenarioImage(std::span<const std::uint8_t> image, std::int32_t kind, GameDataSet& d) {
  if (image.size() != BlocksOf(d, kind).end) return false;
  Reader r(image);
  VisitScenario(r, d, kind);
  return r.ok() && r.remaining() == 0;
}

Bytes SerializeScenario(const GameDataSet& d, std::int32_t kind) {
  Bytes out;
  out.reserve(BlocksOf(d, kind).end);
  Writer w(out);
  VisitScenario(w, d, kind);
  return out;
}

bool ReadScedat1() { return ReadScenario(kScedat1, 1); }
bool ReadScedat2() { return ReadScenario(kScedat2, 2); }
bool ReadScenarioKr(int n) { return ReadScenario(kScenarioKr, n); }
bool ReadScenarioQV(int n) { return ReadScenario(kScenarioQV, n); }

bool WriteScedat1() { return WriteFixed(kScedat1); }
bool WriteScedat2() { return WriteFixed(kScedat2); }
bool WriteScenarioKr(int n) { return WriteNumbered(kScenarioKr, n); }
bool WriteScenarioQV(int n) { return WriteNumbered(kScenarioQV, n); }

}  // namespace garam
