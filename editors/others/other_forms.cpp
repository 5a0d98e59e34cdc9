#include "editors/others/other_forms.h"

#include "data/gamedata.h"
#include "data/record_access.h"
#include "editors/others/consort_editor.h"
#include "editors/others/create_consort.h"
#include "editors/others/princess_editor.h"
#include "editors/others/region_culture_editors.h"
#include "editors/others/unittype_editor.h"
#include "platform/modal.h"
#include "ui/common/childforms.h"
#include "ui/common/mainlink.h"

namespace garam {
namespace {

template <typename V>
bool Holds(const V& v, int i) {
  return i >= 0 && std::size_t(i) < v.size();
}

// An editor opens only over the main window and for a record its arrays hold.
template <typename Editor>
FormOpener EditorOpener(bool (*exists)(int)) {
  return [exists](QWidget* owner, const FormArgs& args) {
    MainWindowLink* w = LinkOf(owner);
    if (!w || !exists(args.record)) return;
    Editor editor(*w, args.record);
    RunModal(editor);
  };
}

}  // namespace

void RegisterOtherEditorForms() {
  RegisterForm("frmEdit5", EditorOpener<ConsortEditor>([](int r) { return WithConsort(r, [](const auto&) {}); }));
  RegisterForm("frmEdit6", EditorOpener<PrincessEditor>([](int r) { return IsSaveFile() && Holds(gData.gSavePrincesses, r); }));
  RegisterForm("frmEdit7", EditorOpener<UnitTypeEditor>([](int r) { return WithUnitType(r, [](const auto&) {}); }));
  RegisterForm("frmEdit8", EditorOpener<RegionEditor>([](int r) { return WithRegion(r, [](const auto&) {}); }));
  RegisterForm("frmEdit9", EditorOpener<CultureItemEditor>([](int r) { return !IsSaveFile() && Holds(gData.gCultureItems, r); }));
  RegisterForm("frmAdd4", [](QWidget* owner, const FormArgs&) {
    MainWindowLink* w = LinkOf(owner);
    // Only the Korean save file and the numbered scenarios offer the add button.
    if (!w || !(gFileKind == kSaveKr || IsNumberedScenario(gFileKind))) return;
    CreateConsortDialog dialog(*w);
    RunModal(dialog);
  });
}

}  // namespace garam
