#include "ui/main/formregistry.h"

#include "tools/expert_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterExpertForms();
}

}  // namespace garam
