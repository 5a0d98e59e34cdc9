#include "ui/main/formregistry.h"

#include "map/mapeditor.h"

namespace garam {

void RegisterAllForms() {
  RegisterMapForms();
}

}  // namespace garam
