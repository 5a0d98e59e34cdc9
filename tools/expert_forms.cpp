#include "tools/expert_forms.h"

#include "ui/main/childforms.h"

namespace garam {

void RegisterExpertForms() {
  RegisterForm("mnuExpertE", [](QWidget* owner, const FormArgs&) { PatchExeCounts(owner); });
  RegisterForm("mnuExpInit", [](QWidget* owner, const FormArgs& args) { ResetMapLayer(owner, args.mode); });
}

}  // namespace garam
