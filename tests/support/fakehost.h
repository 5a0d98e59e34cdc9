// A data host that records what the data layer asked of the user interface and answers
// messages from a script.
#pragma once

#include <deque>
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
  std::deque<MsgResult> answers;  // next answers; OK/Yes when empty
  std::vector<int> progress;
  std::vector<std::string> events;  // "show:<caption>|<label>", "paint", "close", "cache", "fill:1", "resize"
  bool progressVisible = false;
  std::map<int, std::string> status;
  std::map<MenuId, bool> enabled, visible;

  MsgResult Message(const std::string& text, MsgIcon icon, MsgButtons buttons, const std::string& title) override {
    messages.push_back({text, icon, buttons, title});
    if (!answers.empty()) {
      MsgResult r = answers.front();
      answers.pop_front();
      return r;
    }
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
  }
  void ProgressShow(const std::string& caption, const std::string& label) override {
    progressVisible = true;
    events.push_back("show:" + caption + "|" + label);
  }
  void Progress(int p) override { progress.push_back(p); }
  void ProgressPaint() override { events.push_back("paint"); }
  bool ProgressVisible() const override { return progressVisible; }
  void ProgressClose() override {
    progressVisible = false;
    events.push_back("close");
  }
  void SetStatus(int panel, const std::string& text) override { status[panel] = text; }
  std::string Status(int panel) const override {
    auto it = status.find(panel);
    return it == status.end() ? std::string() : it->second;
  }
  void SetMenuEnabled(MenuId id, bool e) override { enabled[id] = e; }
  bool MenuEnabled(MenuId id) const override {
    auto it = enabled.find(id);
    return it != enabled.end() && it->second;
  }
  void SetMenuVisible(MenuId id, bool v) override { visible[id] = v; }
  bool MenuVisible(MenuId id) const override {
    auto it = visible.find(id);
    return it == visible.end() || it->second;
  }
  void BuildMapCache() override {
    events.push_back("cache");
    for (int p : {55, 65, 75, 85}) progress.push_back(p);
  }
  void FillMainWindow(bool sequential) override {
    events.push_back(sequential ? "fill:1" : "fill:0");
    for (int p : {90, 91, 92, 93, 96, 97, 98, 99, 100}) progress.push_back(p);
  }
  void ReSize() override { events.push_back("resize"); }

  std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
};

}  // namespace garam::test
