#include "ui/main/formregistry.h"

#include "editors/others/forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterOtherEditorForms();
}

}  // namespace garam
