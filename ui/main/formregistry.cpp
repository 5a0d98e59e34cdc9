#include "ui/main/formregistry.h"

#include "editors/general/general_forms.h"
#include "tools/expert_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterGeneralEditorForms();
  RegisterExpertForms();
}

}  // namespace garam
