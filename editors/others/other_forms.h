// The windows of the consort, princess, unit-type, region and culture-item lists.
#pragma once

namespace garam {

// frmEdit5 to frmEdit9 and frmAdd4.
void RegisterOtherEditorForms();

}  // namespace garam
