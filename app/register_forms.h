// Registers every child window of the editor under its form name, once at start-up. Each area
// registers its windows from a function of its own, called from here (registrations made by
// static initialisers in a static library would not be linked in).
#pragma once

namespace garam {

void RegisterAllForms();

}  // namespace garam
