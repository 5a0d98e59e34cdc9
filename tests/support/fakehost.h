// A data host that records what the data layer asked of the user interface.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "data/host.h"

namespace garam::test {

struct AskedMessage {
  std::string text;
  MsgIcon icon;
  MsgButtons buttons;
  std::string title;
};

class FakeHost : public DataHost {
 public:
  FakeHost() { SetDataHost(this); }
  ~FakeHost() override { SetDataHost(nullptr); }

  std::vector<AskedMessage> messages;
  std::vector<std::string> events;  // "show:<caption>|<label>", "paint", "close", "cache", "fill:1", "resize"
  bool progressVisible = false;
  std::map<int, std::string> status;
  std::map<MenuId, bool> enabled;

  // The data layer asks nothing but OK; answer Yes to anything else.
  MsgResult Message(const std::string& text, MsgIcon icon, MsgButtons buttons, const std::string& title) override {
    messages.push_back({text, icon, buttons, title});
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
  }
  void ProgressShow(const std::string& caption, const std::string& label) override {
    progressVisible = true;
    events.push_back("show:" + caption + "|" + label);
  }
  void Progress(int) override {}
  void ProgressPaint() override { events.push_back("paint"); }
  bool ProgressVisible() const override { return progressVisible; }
  void ProgressClose() override { progressVisible = false, events.push_back("close"); }
  void SetStatus(int panel, const std::string& text) override { status[panel] = text; }
  std::string Status(int panel) const override { return status.contains(panel) ? status.at(panel) : std::string(); }
  void SetMenuEnabled(MenuId id, bool e) override { enabled[id] = e; }
  bool MenuEnabled(MenuId id) const override { return enabled.contains(id) && enabled.at(id); }
  void SetMenuVisible(MenuId, bool) override {}
  bool MenuVisible(MenuId) const override { return true; }
  void BuildMapCache() override { events.push_back("cache"); }
  void FillMainWindow(bool sequential) override { events.push_back(sequential ? "fill:1" : "fill:0"); }
  void ReSize() override { events.push_back("resize"); }

  std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
};

}  // namespace garam::test
