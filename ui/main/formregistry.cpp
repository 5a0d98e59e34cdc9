#include "ui/main/formregistry.h"

#include "editors/general/general_forms.h"
#include "map/mapeditor.h"

namespace garam {

void RegisterAllForms() {
  RegisterGeneralEditorForms();
  RegisterMapForms();
}

}  // namespace garam
