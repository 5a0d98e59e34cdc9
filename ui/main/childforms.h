// Modal child windows by name. Each window of a later subsystem registers its opener; the main
// window asks for a window by its name, and a name with no opener yet is recorded and ignored.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace garam {

using FormOpener = std::function<void(QWidget* owner)>;

void RegisterForm(const std::string& name, FormOpener opener);
// Shows the window modally with owner; false when no window of that name is registered.
bool ShowForm(const std::string& name, QWidget* owner);
// Every request so far, registered or not (tests read it).
const std::vector<std::string>& FormRequests();
void ClearFormRequests();

}  // namespace garam
