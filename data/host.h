// The narrow port through which the data layer reaches the user interface: message boxes, the
// progress window, the status panels, menu states and the hooks that run after a load. The main
// window installs its implementation; tests install a fake that records what was asked.
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

// Menus of the main window whose state the data layer sets.
enum class MenuId {
  mnuSave,
  mnu열전,
  mnuMapEdit,
  mnu혈연,
  mnuEvent,
  mnuYear,
  mnuUnit,
  mnuStatistics,
  mnuStat5,
  mnuExpertm,
  mnuLoadC0,
  mnuLoadC1,
  mnuLoadC2,
};

class DataHost {
 public:
  virtual ~DataHost() = default;

  virtual MsgResult Message(const std::string& text, MsgIcon icon, MsgButtons buttons,
                            const std::string& title) = 0;

  // Progress window: shown modeless with its caption and label, let paint once after the first
  // report, closed by the caller when its work ends.
  virtual void ProgressShow(const std::string& caption, const std::string& label) = 0;
  virtual void Progress(int percent) = 0;
  virtual void ProgressPaint() = 0;
  virtual bool ProgressVisible() const = 0;
  virtual void ProgressClose() = 0;

  // Status bar panels 1 (hints), 2 (file name), 3 ("*").
  virtual void SetStatus(int panel, const std::string& text) = 0;
  virtual std::string Status(int panel) const = 0;

  virtual void SetMenuEnabled(MenuId id, bool enabled) = 0;
  virtual bool MenuEnabled(MenuId id) const = 0;
  virtual void SetMenuVisible(MenuId id, bool visible) = 0;
  virtual bool MenuVisible(MenuId id) const = 0;

  // Hooks at the end of a load, in this order.
  virtual void BuildMapCache() = 0;
  virtual void FillMainWindow(bool sequential) = 0;
  virtual void ReSize() = 0;
};

// The installed host; a silent default answers OK to every message until the UI installs its own.
DataHost& Host();
void SetDataHost(DataHost* host);

// The common message of the data layer: title "가람누리4 에디터v2.51".
MsgResult ShowMessage(const std::string& text, MsgIcon icon = MsgIcon::Exclamation,
                      MsgButtons buttons = MsgButtons::Ok);

}  // namespace garam
