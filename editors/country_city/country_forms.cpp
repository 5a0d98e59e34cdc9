#include "editors/country_city/country_forms.h"

#include "editors/country_city/country_create.h"
#include "editors/country_city/country_editor.h"
#include "platform/modal.h"
#include "ui/common/childforms.h"
#include "ui/common/mainlink.h"

namespace garam {

void RegisterCountryForms() {
  RegisterForm("frmEdit2", [](QWidget* owner, const FormArgs& args) {
    MainWindowLink* main = LinkOf(owner);
    if (!main || args.record < 0) return;
    CountryEditor editor(*main, args.record);
    RunModal(editor);
  });
  RegisterForm("frmAdd1", [](QWidget* owner, const FormArgs&) {
    MainWindowLink* main = LinkOf(owner);
    if (!main) return;
    CreateCountryDialog dialog(*main);
    RunModal(dialog);
  });
}

}  // namespace garam
