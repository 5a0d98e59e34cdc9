// A data host that records what the data layer asked of the user interface.
#pragma once

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
  std::vector<std::string> events;  // "show:<caption>|<label>", "paint", "close", "changed", "cache", "fill"
  bool progressVisible = false;

  // The data layer asks nothing but OK; answer Yes to anything else.
  MsgResult Message(const std::string& text, MsgIcon icon, MsgButtons buttons, const std::string& title) override {
    messages.push_back({text, icon, buttons, title});
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
  }
  void ProgressShow(const std::string& caption, const std::string& label, const std::string&) override {
    progressVisible = true, events.push_back("show:" + caption + "|" + label);
  }
  void Progress(int) override {}
  void ProgressPaint() override { events.push_back("paint"); }
  bool ProgressVisible() const override { return progressVisible; }
  void ProgressClose() override { progressVisible = false, events.push_back("close"); }
  void DataChanged() override { events.push_back("changed"); }
  void BuildMapCache() override { events.push_back("cache"); }
  void FillMainWindow() override { events.push_back("fill"); }

  std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }
};

}  // namespace garam::test
