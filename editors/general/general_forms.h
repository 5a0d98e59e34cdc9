// The general editing windows under their form names.
#pragma once

namespace garam {

void RegisterGeneralEditorForms();

}  // namespace garam
