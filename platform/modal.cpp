#include "platform/modal.h"

namespace garam {
namespace {
ModalRunner& Runner() {
  static ModalRunner r;
  return r;
}
}  // namespace

int RunModal(QDialog& dialog) {
  // A copy: the runner may install another one while the dialog runs.
  ModalRunner runner = Runner();
  return runner ? runner(dialog) : dialog.exec();
}

void SetModalRunner(ModalRunner runner) { Runner() = std::move(runner); }

}  // namespace garam
