#include "data/host.h"

#include <map>

namespace garam {
namespace {

class SilentHost : public DataHost {
 public:
  MsgResult Message(const std::string&, MsgIcon, MsgButtons buttons, const std::string&) override {
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
  }
  void ProgressShow(const std::string&, const std::string&) override { visible_ = true; }
  void Progress(int) override {}
  void ProgressPaint() override {}
  bool ProgressVisible() const override { return visible_; }
  void ProgressClose() override { visible_ = false; }
  void SetStatus(int panel, const std::string& text) override { status_[panel] = text; }
  std::string Status(int panel) const override {
    auto it = status_.find(panel);
    return it == status_.end() ? std::string() : it->second;
  }
  void SetMenuEnabled(MenuId id, bool e) override { enabled_[id] = e; }
  bool MenuEnabled(MenuId id) const override {
    auto it = enabled_.find(id);
    return it == enabled_.end() || it->second;
  }
  void SetMenuVisible(MenuId id, bool v) override { visible_menus_[id] = v; }
  bool MenuVisible(MenuId id) const override {
    auto it = visible_menus_.find(id);
    return it == visible_menus_.end() || it->second;
  }
  void BuildMapCache() override {}
  void FillMainWindow(bool) override {}
  void ReSize() override {}

 private:
  bool visible_ = false;
  std::map<int, std::string> status_;
  std::map<MenuId, bool> enabled_, visible_menus_;
};

SilentHost gSilentHost;
DataHost* gHost = &gSilentHost;

}  // namespace

DataHost& Host() { return *gHost; }
void SetDataHost(DataHost* host) { gHost = host ? host : &gSilentHost; }

MsgResult ShowMessage(const std::string& text, MsgIcon icon, MsgButtons buttons) {
  return Host().Message(text, icon, buttons, kMsgTitle);
}

}  // namespace garam
