#include "data/loader.h"

#include <new>

#include "data/cp949.h"
#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/host.h"
#include "data/readerstate.h"
#include "data/save_io.h"
#include "data/scenario_io.h"

namespace garam {
namespace {

constexpr std::uint64_t kScedat1Size = ScenarioBlocksOf(false, kScedat1Counts).end;
constexpr std::uint64_t kScedat2Size = ScenarioBlocksOf(false, kScedat2Counts).end;
constexpr std::size_t kSaveHeaderNameBytes = 14;

bool StartsWith(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }
bool EndsWith(const std::string& s, const std::string& p) {
  return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

// The kinds each load command offers: the plain load the Korean save and the two fixed-layout
// scenarios, the custom load the kinds of the edition of the executable it was given.
bool KindOffered(std::int32_t kind, bool customLoad) {
  if (!customLoad) return kind == kSaveKr || kind == kScedat1 || kind == kScedat2;
  if (gExeInfo.IsQVEdition()) return kind == kSaveQV || kind == kScenarioQV;
  return kind == kSaveKr || kind == kScenarioKr;
}

// The save file's header names the file itself: its first 14 bytes, cut to the length of the
// file name (the expansion edition stores the name without the extension's last letter).
bool SaveHeaderNamesFile(const std::string& path, const std::string& name, bool expansion) {
  auto head = ReadFileRange(path, 0, kSaveHeaderNameBytes);
  if (!head) return false;
  // The cut counts characters, not bytes.
  std::string text = Cp949ToUtf8(std::span<const std::uint8_t>(*head));
  std::size_t keep = expansion ? name.size() - 1 : name.size();
  std::size_t i = 0;
  for (std::size_t chars = 0; chars < keep; ++chars) {
    if (i >= text.size()) return false;
    unsigned char c = text[i];
    i += c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
  }
  std::string candidate = text.substr(0, i);
  if (expansion) candidate += 'X';
  return ToUpperAscii(candidate) == ToUpperAscii(name);
}

bool Refuse(const std::string& message) {
  ShowMessage(message, MsgIcon::Exclamation);
  return false;
}

bool CheckAndRead(std::int32_t kind, const std::string& path, const std::string& name, bool customLoad) {
  auto size = FileSize(path).value_or(0);
  switch (kind) {
    case kScedat1:
      if (size != kScedat1Size) return Refuse("잘못된 파일 형식입니다");
      gDataLoaded = true;
      return ReadScedat1();
    case kScedat2:
      if (size != kScedat2Size) return Refuse("잘못된 파일 형식입니다");
      gDataLoaded = true;
      return ReadScedat2();
    case kScenarioKr:
    case kScenarioQV: {
      int n = ScenarioNumber(name);
      if (std::int64_t(size) != ScenarioFileSize(gExeInfo, name))
        return Refuse("시나리오 파일의 크기가 실행파일 내의 정보와 일치하지 않습니다");
      gDataLoaded = true;
      return kind == kScenarioKr ? ReadScenarioKr(n) : ReadScenarioQV(n);
    }
    case kSaveQV:
      if (size < kSaveQVMinBytes) return Refuse("파일 크기가 이상합니다.");
      if (size > kSaveQVMaxBytes) return Refuse(kMsgBadData);
      if (!SaveHeaderNamesFile(path, name, true)) return Refuse("잘못된 파일 형식입니다");
      gDataLoaded = true;
      return ReadSaveQV();
    case kSaveKr:
      if (size < kSaveKrMinBytes) return Refuse("파일 크기가 이상합니다.");
      if (size > kSaveKrMaxBytes) return Refuse(kMsgBadData);
      if (!SaveHeaderNamesFile(path, name, false)) return Refuse("잘못된 파일 형식입니다");
      gDataLoaded = true;
      return ReadSaveKr(customLoad);
  }
  return false;
}

}  // namespace

std::optional<std::int32_t> ClassifyFileName(const std::string& fileName, bool customLoad) {
  std::string name = ToUpperAscii(fileName);
  if (name == "SCEDAT1.RN") return customLoad ? kScenarioKr : kScedat1;
  if (name == "SCEDAT2.RN") return customLoad ? kScenarioKr : kScedat2;
  if (StartsWith(name, "USER") && EndsWith(name, ".RN")) return kSaveKr;
  if (StartsWith(name, "USER") && EndsWith(name, ".WNX")) return kSaveQV;
  // Only "SCEDAT" + one digit 1..4 + ".WN": the digit indexes the executable's four count tables.
  if (StartsWith(name, "SCEDAT") && EndsWith(name, ".WN") && name.size() == 10 && ScenarioNumber(name) != 0)
    return kScenarioQV;
  return std::nullopt;
}

bool LoadGameFile(const std::string& path, bool customLoad) {
  const LoadedFileState before = gState.file;
  const std::string dir = DirOf(path);
  const std::string name = NameOf(path);

  gCurrentFile = path;
  gDataDir = dir;
  gFileDirs = FileDirs{dir, dir, dir, dir, dir};
  for (auto* d : {&gFileDirsSaved.men, &gFileDirsSaved.women, &gFileDirsSaved.message,
                  &gFileDirsSaved.map, &gFileDirsSaved.item})
    if (d->empty()) *d = dir;
  gDataLoaded = false;

  // A load creates no file, so each directory it searches need be listed only once.
  DirectoryListingScope listings;
  bool ok = false;
  try {
    if (!FileExists(path)) {
      Refuse("파일이 없습니다");
    } else if (auto kind = ClassifyFileName(name, customLoad); !kind || !KindOffered(*kind, customLoad)) {
      Refuse("잘못된 파일 이름입니다");
    } else {
      gFileKind = *kind;
      ok = CheckAndRead(*kind, path, name, customLoad);
    }
  } catch (const std::bad_alloc&) {
    // The sizes are checked before anything is read, but a file may still need more memory than
    // there is: a failed load, not a crash.
    ReadFailed(kMsgBadData, MsgIcon::Exclamation);
    ok = false;
  }

  if (!ok) {
    gState.file = before;
    return false;
  }
  gDataLoaded = true;
  gDataChanged = false;
  return true;
}

bool SaveGameFile() {
  if (!gDataLoaded) return false;
  int n = ScenarioNumber(NameOf(gCurrentFile));
  try {
    switch (gFileKind) {
      case kScedat1: return WriteScedat1();
      case kScedat2: return WriteScedat2();
      case kSaveKr: return WriteSaveKr();
      case kSaveQV: return WriteSaveQV();
      case kScenarioKr: return n != 0 && WriteScenarioKr(n);
      case kScenarioQV: return n != 0 && WriteScenarioQV(n);
    }
  } catch (const std::bad_alloc&) {
    // The images, where the memory goes, are built before any game file is replaced.
    if (Host().ProgressVisible()) Host().ProgressClose();
    ShowMessage(IsNumberedScenario(gFileKind) ? "데이터 저장에 문제가 발생했습니다." : "데이터 저장에 문제가 발생했습니다",
                MsgIcon::Critical);
  }
  return false;
}

}  // namespace garam
