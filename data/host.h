// The narrow port through which the data layer reaches the user interface: message boxes, the
// progress window, the news that the data changed and the hooks that run after a read. What the
// screen makes of a load or save (menus, status panels) is the main window's business: the data
// layer only says whether it worked. The main window installs its implementation; tests install a
// fake that records what was asked.
#pragma once

#include <string>

namespace garam {

enum class MsgIcon { None, Exclamation, Critical, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

// The program's version and the two spellings of the message title.
inline constexpr const char* kVersion = "2.51";
inline const std::string kMsgTitle = std::string("가람누리4 에디터v") + kVersion;
inline const std::string kMsgTitleSpaced = std::string("가람누리4 에디터 v") + kVersion;

class DataHost {
 public:
  virtual ~DataHost() = default;

  virtual MsgResult Message(const std::string& text, MsgIcon icon, MsgButtons buttons,
                            const std::string& title) = 0;

  // Progress window: shown modeless with its caption and label while the work lasts, with the
  // hint the status bar shows meanwhile; let paint once after the first report, closed by the
  // caller when its work ends.
  virtual void ProgressShow(const std::string& caption, const std::string& label, const std::string& hint) = 0;
  virtual void Progress(int percent) = 0;
  virtual void ProgressPaint() = 0;
  virtual bool ProgressVisible() const = 0;
  virtual void ProgressClose() = 0;

  // The loaded data set now differs from its files.
  virtual void DataChanged() = 0;

  // Hooks at the end of a successful read, before the progress window closes, in this order.
  virtual void BuildMapCache() = 0;
  virtual void FillMainWindow() = 0;
};

// The installed host; a silent default answers OK to every message until the UI installs its own.
DataHost& Host();
void SetDataHost(DataHost* host);

// The common message of the data layer: title "가람누리4 에디터v2.51".
MsgResult ShowMessage(const std::string& text, MsgIcon icon = MsgIcon::Exclamation,
                      MsgButtons buttons = MsgButtons::Ok);

}  // namespace garam
