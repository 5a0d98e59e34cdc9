#include "editors/general/general_forms.h"

#include "editors/general/general_editor.h"
#include "platform/modal.h"
#include "ui/common/childforms.h"
#include "ui/common/mainlink.h"

namespace garam {

void RegisterGeneralEditorForms() {
  RegisterForm("frmEdit4", [](QWidget* owner, const FormArgs& args) {
    MainWindowLink* main = LinkOf(owner);
    if (!main) return;
    GeneralEditor editor(owner, *main, args.record);
    if (editor.Loaded()) RunModal(editor);
  });
}

}  // namespace garam
