// The city editor and the create-city dialog, registered as child windows of the main window.
#pragma once

namespace garam {

void RegisterCityForms();

}  // namespace garam
