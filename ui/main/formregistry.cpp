#include "ui/main/formregistry.h"

#include "tools/file_tool_forms.h"

namespace garam {

void RegisterAllForms() {
  RegisterFileToolForms();
}

}  // namespace garam
