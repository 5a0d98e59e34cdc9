#include "data/expert_sets.h"

#include <algorithm>
#include <cmath>

#include "data/entity_ops.h"
#include "data/expert_tools.h"
#include "data/fileio.h"
#include "data/mapfiles.h"
#include "data/scenario_io.h"

namespace garam {
namespace {

constexpr const char* kMsgReadFailed = "시나리오 파일을 읽던 도중 문제가 발견되었습니다.";
constexpr const char* kMsgSaveFailed = "데이터 저장에 문제가 발생했습니다.";
constexpr const char* kMsgInUse = "게임이 실행중이라서 작업을 수행할 수 없습니다.";
constexpr const char* kMsgDone = "작업이 완료되었습니다.";
// A scenario file is a few tens of kilobytes; anything far larger is not one.
constexpr std::uint64_t kMaxScenarioBytes = 1 << 20;

bool Blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

std::string PairPrefix(Side side, ExpertMode mode) {
  if (side == Side::Target) return "대상 ";
  return mode == ExpertMode::Sync ? "" : "원본 ";
}

// Messages about a side's map files begin with this.
std::string MapPrefix(Side side, ExpertMode mode) {
  if (side == Side::Target) return "대상 시나리오의 ";
  return mode == ExpertMode::Sync ? "" : "원본 시나리오의 ";
}

// The refusal for a set that did not read.
std::optional<std::string> ReadRefusal(SetRead result, Side side, ExpertMode mode) {
  switch (result) {
    case SetRead::Ok: return std::nullopt;
    case SetRead::BadMap: return MapPrefix(side, mode) + "맵 파일이 없거나 잘못된 파일입니다.";
    case SetRead::BadScenario: break;
  }
  return kMsgReadFailed;
}

std::int32_t KindOf(const ScenarioSet& s) { return s.expansion() ? kScenarioQV : kScenarioKr; }

// The counts of d into scenario n of info; a refusal when the game would not accept them.
std::optional<std::string> PutCounts(ExeInfo& info, int n, const GameDataSet& d, bool expansion) {
  const std::size_t g = expansion ? d.gGeneralsQV.size() : d.gGenerals.size();
  if (g < 1 || g > kGeneralSlots) return "장군수 허용범위(1~500)를 초과하게 됩니다. 작업이 취소됩니다.";
  // The others come from a checked executable and cannot have grown; kept as a guard.
  if (d.gCountries.empty() || d.gCountries.size() > kCountrySlots || d.gCities.empty() ||
      d.gCities.size() > kCitySlots || d.gQueens.empty() || d.gQueens.size() > kConsortSlots)
    return kMsgSaveFailed;
  SetCounts(info, n, {d.gCountries.size(), d.gCities.size(), g, d.gQueens.size()});
  return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckPathPair(const PathPair& pair, Side side, ExpertMode mode, ExeInfo& info,
                                         std::string& scenarioPath) {
  const std::string p = PairPrefix(side, mode);
  if (Blank(pair.exe)) return p + "실행파일의 경로를 입력하세요.";
  if (!FileExists(pair.exe)) return p + "실행파일의 경로가 잘못되었습니다.";
  ExeInfo read;
  if (!EXEDataReadInto(pair.exe, read)) return p + "실행파일의 정보를 읽던 도중 문제가 발견되었습니다.";
  read.directory = DirOf(pair.exe);
  read.path = pair.exe;
  info = read;
  if (Blank(pair.scenario)) return p + "시나리오 파일의 경로를 입력하세요.";
  if (!FileExists(pair.scenario)) return p + "시나리오 파일의 경로가 잘못되었습니다.";
  // The executable holds counts for scenarios 1 to 4, the Korean build for 1 and 2 only.
  const std::string name = NameOf(pair.scenario);
  const int n = ScenarioNumber(name);
  if (n == 0 || (!info.IsQVEdition() && n > 2)) return p + "시나리오 파일의 이름이 잘못되었습니다.";
  const auto size = FileSize(pair.scenario);
  if (!size || std::int64_t(*size) != ScenarioFileSize(info, name)) return p + "시나리오 파일의 크기가 잘못되었습니다.";
  // The run writes "scedat" + N + the edition's extension: only that file may be the one checked.
  const std::string expected = "scedat" + std::to_string(n) + (info.IsQVEdition() ? ".wn" : ".rn");
  if (ToLowerAscii(name) != expected) return p + "시나리오 파일의 이름이 잘못되었습니다.";
  scenarioPath = pair.scenario;
  return std::nullopt;
}

std::optional<std::string> CheckMapFiles(ScenarioSet& set, Side side, ExpertMode mode) {
  const std::string p = MapPrefix(side, mode);
  std::string dir = DirOf(set.scenarioPath);
  if (dir.empty()) dir = "./";  // a bare file name lies in the working directory, not in the root
  const auto fix = FindFileNoCase(dir, "mapfix" + set.extension());
  if (!fix) return p + "고정맵 파일을 발견할 수 없습니다.";
  if (FileSize(*fix) != kMapFixSize) return p + "고정맵 파일의 크기가 잘못되었습니다.";
  const auto var = FindFileNoCase(dir, "mapvar" + std::to_string(set.n) + set.extension());
  if (!var) return p + "가변맵 파일을 발견할 수 없습니다.";
  if (FileSize(*var) != kMapVarSize) return p + "가변맵 파일의 크기가 잘못되었습니다.";
  set.mapFixPath = *fix;
  set.mapVarPath = *var;
  return std::nullopt;
}

std::optional<std::string> CheckRange(double x1, double y1, double x2, double y2, CellRange& range) {
  // Pasted or unclamped values must not reach the grid loops.
  auto cell = [](double v, int high) {
    if (!std::isfinite(v)) return 0;
    return int(std::clamp(std::nearbyint(v), 0.0, double(high)));
  };
  const CellRange r{cell(x1, kMapWidth - 1), cell(y1, kMapHeight - 1), cell(x2, kMapWidth - 1), cell(y2, kMapHeight - 1)};
  if (r.x2 < r.x1 || r.y2 < r.y1) return "좌표 범위 설정이 잘못되었습니다.";
  range = r;
  return std::nullopt;
}

std::optional<std::string> CheckEditions(ExpertMode mode, int kind, const ExeInfo& source, const ExeInfo& target) {
  if (mode == ExpertMode::Convert) {
    if (source.IsQVEdition()) return "원본 경로에 가람누리4 한글판의 실행파일을 지정해야 합니다.";
    if (!target.IsQVEdition()) return "대상 경로에 가람누리4 QV의 실행파일을 지정해야 합니다.";
  } else if (mode == ExpertMode::Transfer) {
    if (kind >= kTransferCityData && kind <= kTransferNewGenerals && source.IsQVEdition() != target.IsQVEdition())
      return "원본 경로와 대상 경로에 지정된 실행파일의 타입이 일치하지 않습니다.";
    if (kind == kTransferWalls && !(source.IsQVEdition() && target.IsQVEdition()))
      return "가람누리4 한글판은 방벽을 지원하지 않습니다.";
  }
  return std::nullopt;
}

SetRead LoadScenarioSet(ScenarioSet& set) {
  GameDataSet& d = set.data;
  if (set.expansion()) ResetArraysScenarioQV(d, set.exe, set.n);
  else ResetArraysScenarioKr(d, set.exe, set.n);
  const auto image = ReadWholeFile(set.scenarioPath, kMaxScenarioBytes);
  if (!image || !ParseScenarioImage(*image, KindOf(set), d)) return SetRead::BadScenario;
  const auto fix = ReadWholeFile(set.mapFixPath, kMapFixSize);
  const auto var = ReadWholeFile(set.mapVarPath, kMapVarSize);
  if (!fix || !var || !ParseMapImage(*fix, true, d.gMapFix) || !ParseMapImage(*var, false, d.gMapVar))
    return SetRead::BadMap;
  return SetRead::Ok;
}

std::optional<std::vector<FileImage>> ExpertImages(ExpertMode mode, int kind, const ScenarioSet& source,
                                                   ScenarioSet& target, ExpertOutcome& outcome) {
  auto refuse = [&](std::string text, MsgIcon icon) {
    outcome.message = std::move(text);
    outcome.icon = icon;
    return std::nullopt;
  };
  std::vector<FileImage> files;
  bool ok = true;
  auto map = [&](const ScenarioSet& s, bool fixed) {
    const std::string& path = fixed ? s.mapFixPath : s.mapVarPath;
    auto image = BuildMapImage(path, fixed, fixed ? s.data.gMapFix : s.data.gMapVar);
    if (image) files.push_back({path, std::move(*image)});
    else ok = false;
  };
  if (mode == ExpertMode::Sync) {
    map(source, false);
    if (!ok) return refuse(kMsgSaveFailed, MsgIcon::Critical);
    return files;
  }

  const bool mapKind = mode == ExpertMode::Transfer && IsMapKind(kind);
  const bool exeChanges = mode == ExpertMode::Convert || kind == kTransferNewGenerals;
  ExeInfo info = target.exe;
  std::vector<FilePatch> patches;
  if (mode == ExpertMode::Convert) {
    // The executable refuses a start-year entry (the year after) above 2100.
    const int year = target.data.gScenarioHeaderQV.get(kScenarioHeaderQV.startYear);
    if (year > MaxStartYear(true)) return refuse("시작년도 허용범위(0~2099)를 초과하였습니다. 작업이 취소됩니다.", MsgIcon::Exclamation);
    info.startYears[std::size_t(target.n - 1)] = std::int16_t(year + 1);
    patches = StartYearPatches(info);
  }
  if (exeChanges) {
    if (auto refusal = PutCounts(info, target.n, target.data, target.expansion()))
      return refuse(*refusal, MsgIcon::Exclamation);
    for (auto& p : CountPatches(info, target.n)) patches.push_back(std::move(p));
  }

  if (!mapKind) files.push_back({target.scenarioPath, SerializeScenario(target.data, KindOf(target))});
  if (mode == ExpertMode::Convert || kind == kTransferTerrain || kind == kTransferSpecialties) map(target, true);
  if (mode == ExpertMode::Convert || kind == kTransferCityPlace || kind >= kTransferBuildings) map(target, false);
  if (exeChanges) {
    auto exe = PatchedExeImage(info, patches);
    if (exe) files.push_back({info.path, std::move(*exe)});
    else ok = false;
  }
  if (!ok) return refuse(kMsgSaveFailed, MsgIcon::Critical);
  target.exe = info;
  return files;
}

ExpertOutcome RunExpertOperation(const ExpertRequest& request) {
  ExpertOutcome out;
  auto refuse = [&](std::string text, MsgIcon icon = MsgIcon::Exclamation) {
    out.message = std::move(text);
    out.icon = icon;
    return out;
  };
  const ExpertMode mode = request.mode;
  const int kind = mode == ExpertMode::Transfer ? request.kind : -1;

  ScenarioSet source;
  if (auto m = CheckPathPair(request.source, Side::Source, mode, source.exe, source.scenarioPath)) return refuse(*m);
  out.source = source.exe;
  source.n = ScenarioNumber(NameOf(source.scenarioPath));
  if (auto m = CheckMapFiles(source, Side::Source, mode)) return refuse(*m);
  TransferOptions options;
  options.kind = kind;
  options.filter = request.filter;
  if (IsMapKind(kind))
    if (auto m = CheckRange(request.x1, request.y1, request.x2, request.y2, options.range)) return refuse(*m);
  if (auto m = ReadRefusal(LoadScenarioSet(source), Side::Source, mode)) return refuse(*m, MsgIcon::Critical);

  ScenarioSet target;
  if (mode == ExpertMode::Sync) {
    SyncCityLocations(source.data);
  } else {
    if (auto m = CheckPathPair(request.target, Side::Target, mode, target.exe, target.scenarioPath)) return refuse(*m);
    out.target = target.exe;
    target.n = ScenarioNumber(NameOf(target.scenarioPath));
    if (auto m = CheckEditions(mode, kind, source.exe, target.exe)) return refuse(*m);
    if (auto m = CheckMapFiles(target, Side::Target, mode)) return refuse(*m);
    if (auto m = ReadRefusal(LoadScenarioSet(target), Side::Target, mode)) return refuse(*m, MsgIcon::Critical);
    if (mode == ExpertMode::Convert) {
      ConvertScenario(source.data, target.data);
    } else {
      options.sameExecutable = source.exe.path == target.exe.path;
      TransferData(source, target, options);
    }
    if (FileInUse(target.exe.path, false)) return refuse(kMsgInUse, MsgIcon::Critical);
  }

  auto files = ExpertImages(mode, kind, source, target, out);
  if (!files) return out;
  if (!ReplaceFiles(*files)) return refuse(kMsgSaveFailed, MsgIcon::Critical);
  if (mode != ExpertMode::Sync) out.target = target.exe;
  out.done = true;
  return refuse(kMsgDone, MsgIcon::Information);
}

}  // namespace garam
