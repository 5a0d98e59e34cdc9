// Modal child windows by name. Each window of a later subsystem registers its opener; the main
// window asks for a window by its name, and a name with no opener yet is recorded and ignored.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace garam {

// What a window is opened with besides its owner.
struct FormArgs {
  // The window's own mode: which entry of the Expert, initialize or statistics menu was chosen,
  // or how the map editor opens.
  int mode = 0;
  // The record an entity editor edits; -1 for the windows that edit none.
  int record = -1;
};

using FormOpener = std::function<void(QWidget* owner, const FormArgs& args)>;

void RegisterForm(const std::string& name, FormOpener opener);
// Shows the window modally with owner; false when no window of that name is registered.
bool ShowForm(const std::string& name, QWidget* owner, const FormArgs& args = {});

struct FormRequest {
  std::string name;
  FormArgs args;
};
// Every request so far, registered or not (tests read it).
const std::vector<FormRequest>& FormRequests();
void ClearFormRequests();
// Forgets every opener (tests register only the windows they drive).
void ClearForms();

}  // namespace garam
