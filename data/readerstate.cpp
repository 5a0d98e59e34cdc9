#include "data/readerstate.h"

#include "data/gamedata.h"
#include "data/mapfiles.h"

namespace garam {

ReaderRollback::ReaderRollback() : mapFix_(gMapFixPath), mapVar_(gMapVarPath) {
  std::size_t i = 0;
  for (MenuId id : {MenuId::mnu열전, MenuId::mnuMapEdit, MenuId::mnuYear, MenuId::mnu혈연, MenuId::mnuEvent})
    menus_[i++] = {id, Host().MenuEnabled(id)};
}

bool ReaderRollback::Fail(const char* text, MsgIcon icon) const {
  message_.Restore();
  bitmaps_.Restore();
  gMapFixPath = mapFix_;
  gMapVarPath = mapVar_;
  auto& h = Host();
  for (auto [id, on] : menus_) h.SetMenuEnabled(id, on);
  h.SetMenuEnabled(MenuId::mnuSave, false);
  if (h.ProgressVisible()) h.ProgressClose();
  ShowMessage(text, icon);
  gDataLoaded = false;
  gFileDirs = gFileDirsSaved;
  return false;
}

void ShowReadProgress() {
  auto& h = Host();
  h.SetStatus(1, "데이터 읽는 중...");
  h.ProgressShow("데이터 읽기", "데이터를 읽고 있습니다...");
  h.Progress(0);
  h.ProgressPaint();
}

}  // namespace garam
