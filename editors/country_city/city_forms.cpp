#include "editors/country_city/city_forms.h"

#include "editors/country_city/city_editor.h"
#include "editors/country_city/create_city.h"
#include "platform/modal.h"
#include "ui/common/childforms.h"
#include "ui/common/mainlink.h"

namespace garam {

void RegisterCityForms() {
  RegisterForm("frmEdit3", [](QWidget* owner, const FormArgs& args) {
    CityEditor editor(owner, ListsOf(owner), args.record);
    RunModal(editor);
  });
  RegisterForm("frmAdd2", [](QWidget* owner, const FormArgs&) { OpenCreateCity(owner, ListsOf(owner)); });
}

}  // namespace garam
