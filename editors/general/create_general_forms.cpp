#include "editors/general/create_general_forms.h"

#include "editors/general/blood_relations_window.h"
#include "editors/general/create_general_dialog.h"
#include "ui/common/childforms.h"
#include "ui/common/mainlink.h"

namespace garam {

void RegisterCreateGeneralForms() {
  RegisterForm("frmAdd3", [](QWidget* owner, const FormArgs&) {
    CreateGeneralDialog dialog(owner, ListsOf(owner));
    dialog.ShowModal();
  });
  RegisterForm("frm혈연", [](QWidget* owner, const FormArgs&) {
    BloodRelationList list(owner, ListsOf(owner));
    list.ShowModal();
  });
}

}  // namespace garam
