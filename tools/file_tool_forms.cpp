#include "tools/file_tool_forms.h"

#include "platform/modal.h"
#include "tools/biography_editor.h"
#include "tools/event_flags.h"
#include "tools/report_command.h"
#include "tools/year_change.h"
#include "ui/common/childforms.h"
#include "ui/common/mainlink.h"

namespace garam {

void RegisterFileToolForms() {
  // The statistics menu's entries follow the report kinds' order.
  RegisterForm("mnuStat", [](QWidget* owner, const FormArgs& args) {
    if (args.mode < 0 || args.mode >= kUsageReportKinds) return;
    if (MainWindowLink* w = LinkOf(owner)) WriteUsageReport(*w, UsageReportKind(args.mode));
  });
  RegisterForm("frm열전편집", [](QWidget* owner, const FormArgs&) {
    BiographyEditor dialog(owner);
    RunModal(dialog);
  });
  RegisterForm("frmEvent", [](QWidget* owner, const FormArgs&) {
    EventFlagsDialog dialog(owner);
    RunModal(dialog);
  });
  RegisterForm("frmYearChange", [](QWidget* owner, const FormArgs&) {
    YearChangeDialog dialog(owner, LinkOf(owner));
    RunModal(dialog);
  });
}

}  // namespace garam
