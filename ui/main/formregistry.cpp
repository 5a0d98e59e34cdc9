#include "ui/main/formregistry.h"

#include "editors/general/create_general_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterCreateGeneralForms();
}

}  // namespace garam
