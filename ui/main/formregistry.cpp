#include "ui/main/formregistry.h"

#include "editors/general/general_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterGeneralEditorForms();
}

}  // namespace garam
