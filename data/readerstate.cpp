#include "data/readerstate.h"

#include <utility>

namespace garam {

bool ReadFailed(const char* text, MsgIcon icon) {
  auto& h = Host();
  if (h.ProgressVisible()) h.ProgressClose();
  ShowMessage(text, icon);
  return false;
}

void ShowReadProgress() {
  auto& h = Host();
  h.ProgressShow("데이터 읽기", "데이터를 읽고 있습니다...", "데이터 읽는 중...");
  h.Progress(0);
  h.ProgressPaint();
}

void CommitRead(GameDataSet& fresh, bool useExeTables) {
  std::swap(gData, fresh);
  gFileDirsSaved = gFileDirs;
  gLoadWithExeInfo = useExeTables;
  if (useExeTables) {
    gLoadedExeInfo = gExeInfo;
  } else {
    gLoadedExeInfo.editionFlag = 0;
  }
}

}  // namespace garam
