// Registers the create-general dialog and the blood-relation list under their form names.
#pragma once

namespace garam {

void RegisterCreateGeneralForms();

}  // namespace garam
