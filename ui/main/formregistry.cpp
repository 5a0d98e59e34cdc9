#include "ui/main/formregistry.h"

namespace garam {

void RegisterAllForms() {
}

}  // namespace garam
