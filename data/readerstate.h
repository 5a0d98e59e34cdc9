// What every reader does the same way: its progress, its failure and the moment it commits. A
// reader changes the side-file locations before it knows that the load will work; the load that
// called it puts the whole loaded-file state back when it fails.
#pragma once

#include "data/gamedata.h"
#include "data/host.h"

namespace garam {

inline constexpr const char* kMsgMessageFile = "메세지파일이 없거나 잘못된 파일입니다.";
inline constexpr const char* kMsgBadData = "잘못된 파일 형식입니다";

// Closes the progress window, then shows the message. Always false, so a reader can return it.
bool ReadFailed(const char* text, MsgIcon icon);

// The status hint and the progress window of every reader, painted once after the first report.
void ShowReadProgress();

// Swaps a completely read data set in and commits the executable tables it was read with: those
// of the custom load's executable, or none (the Korean edition's fixed layouts).
void CommitRead(GameDataSet& fresh, bool useExeTables);

}  // namespace garam
