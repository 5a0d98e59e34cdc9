#include "ui/main/formregistry.h"

#include "editors/country_city/country_forms.h"
#include "editors/general/general_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterGeneralEditorForms();
  RegisterCountryForms();
}

}  // namespace garam
