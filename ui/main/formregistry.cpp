#include "ui/main/formregistry.h"

#include "editors/country_city/city_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterCityForms();
}

}  // namespace garam
