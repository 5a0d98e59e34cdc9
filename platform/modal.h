// Every modal window of the editor runs through one runner, so that tests can drive a window (fill
// its boxes, answer a picker, press its buttons) instead of entering a modal loop that would wait
// for a user who is not there.
#pragma once

#include <QDialog>
#include <functional>

namespace garam {

using ModalRunner = std::function<int(QDialog& dialog)>;

// Runs dialog modally: exec() unless a runner was installed.
int RunModal(QDialog& dialog);
// Installs a runner; an empty one restores exec().
void SetModalRunner(ModalRunner runner);

}  // namespace garam
