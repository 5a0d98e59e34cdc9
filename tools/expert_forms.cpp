#include "tools/expert_forms.h"

#include "tools/expert_dialog.h"
#include "ui/common/childforms.h"

namespace garam {
namespace {

// The Expert menu's entries in order: synchronize, convert, and anything past them transfers.
ExpertMode ExpertModeOfEntry(int entry) {
  return entry == 0 ? ExpertMode::Sync : entry == 1 ? ExpertMode::Convert : ExpertMode::Transfer;
}

}  // namespace

void RegisterExpertForms() {
  RegisterForm("frmSetting", [](QWidget* owner, const FormArgs& args) { OpenExpertDialog(owner, ExpertModeOfEntry(args.mode)); });
  RegisterForm("mnuExpertE", [](QWidget* owner, const FormArgs&) { PatchExeCounts(owner); });
  // The initialize menu's entries follow the layers' order.
  RegisterForm("mnuExpInit", [](QWidget* owner, const FormArgs& args) {
    if (args.mode >= 0 && args.mode <= int(MapLayer::SeaRoad)) ResetMapLayer(owner, MapLayer(args.mode));
  });
}

}  // namespace garam
