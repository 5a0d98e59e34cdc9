#include "ui/main/formregistry.h"

#include "editors/country_city/country_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterCountryForms();
}

}  // namespace garam
