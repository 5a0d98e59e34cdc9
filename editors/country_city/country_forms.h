// The country editor and the create-country dialog, registered under their form names.
#pragma once

namespace garam {

void RegisterCountryForms();

}  // namespace garam
