#include "editors/country_city/city_forms.h"

#include "editors/country_city/city_editor.h"
#include "editors/country_city/create_city.h"
#include "platform/modal.h"
#include "ui/main/childforms.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

MainLists ListsOf(QWidget* owner) {
  auto* w = dynamic_cast<MainWindow*>(owner);
  return w ? MainLists{w->ListView2, w->ListView3, w->ListView4, w->ListView5} : MainLists{};
}

}  // namespace

void RegisterCityForms() {
  RegisterForm("frmEdit3", [](QWidget* owner, const FormArgs& args) {
    CityEditor editor(owner, ListsOf(owner), args.record);
    RunModal(editor);
  });
  RegisterForm("frmAdd2", [](QWidget* owner, const FormArgs&) { OpenCreateCity(owner, ListsOf(owner)); });
}

}  // namespace garam
