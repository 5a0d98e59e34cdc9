// What a reader changes before it knows that the load will work (side-file locations, sheet
// indices, menu states), taken at its start and put back when it fails, so that a failed load
// leaves the editor as it was.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "data/bitmaps.h"
#include "data/host.h"
#include "data/message.h"

namespace garam {

inline constexpr const char* kMsgMessageFile = "메세지파일이 없거나 잘못된 파일입니다.";
inline constexpr const char* kMsgBadData = "잘못된 파일 형식입니다";

class ReaderRollback {
 public:
  ReaderRollback();
  // Puts everything back, disables Save, closes the progress window, then shows the message.
  // Always false, so a reader can return it.
  bool Fail(const char* text, MsgIcon icon) const;

 private:
  MessageFileState message_ = MessageFileState::Take();
  BitmapState bitmaps_ = BitmapState::Take();
  std::string mapFix_, mapVar_;
  std::array<std::pair<MenuId, bool>, 5> menus_{};
};

// The status hint and the progress window of every reader, painted once after the first report.
void ShowReadProgress();

}  // namespace garam
