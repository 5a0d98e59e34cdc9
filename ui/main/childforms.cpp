#include "ui/main/childforms.h"

#include <map>

namespace garam {
namespace {

std::map<std::string, FormOpener>& Openers() {
  static std::map<std::string, FormOpener> m;
  return m;
}
std::vector<std::string>& Requests() {
  static std::vector<std::string> r;
  return r;
}

}  // namespace

void RegisterForm(const std::string& name, FormOpener opener) { Openers()[name] = std::move(opener); }

bool ShowForm(const std::string& name, QWidget* owner) {
  Requests().push_back(name);
  auto it = Openers().find(name);
  if (it == Openers().end()) return false;
  it->second(owner);
  return true;
}

const std::vector<std::string>& FormRequests() { return Requests(); }
void ClearFormRequests() { Requests().clear(); }

}  // namespace garam
