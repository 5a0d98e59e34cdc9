#include "data/host.h"

namespace garam {
namespace {

class SilentHost : public DataHost {
 public:
  MsgResult Message(const std::string&, MsgIcon, MsgButtons buttons, const std::string&) override {
    return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Yes;
  }
  void ProgressShow(const std::string&, const std::string&, const std::string&) override { visible_ = true; }
  void Progress(int) override {}
  void ProgressPaint() override {}
  bool ProgressVisible() const override { return visible_; }
  void ProgressClose() override { visible_ = false; }
  void DataChanged() override {}
  void BuildMapCache() override {}
  void FillMainWindow() override {}

 private:
  bool visible_ = false;
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
