#include "app/register_forms.h"

#include "editors/country_city/city_forms.h"
#include "editors/country_city/country_forms.h"
#include "editors/general/create_general_forms.h"
#include "editors/general/general_forms.h"
#include "editors/others/other_forms.h"
#include "tools/expert_forms.h"
#include "tools/file_tool_forms.h"
#include "map/mapeditor.h"

namespace garam {

void RegisterAllForms() {
  RegisterGeneralEditorForms();
  RegisterCreateGeneralForms();
  RegisterExpertForms();
  RegisterCityForms();
  RegisterCountryForms();
  RegisterMapForms();
  RegisterOtherEditorForms();
  RegisterFileToolForms();
}

}  // namespace garam
