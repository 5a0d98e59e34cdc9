#include "tools/expert_forms.h"

#include "tools/expert_dialog.h"
#include "ui/common/childforms.h"

namespace garam {

void RegisterExpertForms() {
  RegisterForm("frmSetting", [](QWidget* owner, const FormArgs& args) { OpenExpertDialog(owner, args.mode); });
  RegisterForm("mnuExpertE", [](QWidget* owner, const FormArgs&) { PatchExeCounts(owner); });
  RegisterForm("mnuExpInit", [](QWidget* owner, const FormArgs& args) { ResetMapLayer(owner, args.mode); });
}

}  // namespace garam
