#include "ui/common/childforms.h"

#include <map>

namespace garam {
namespace {

std::map<std::string, FormOpener>& Openers() {
  static std::map<std::string, FormOpener> m;
  return m;
}
std::vector<FormRequest>& Requests() {
  static std::vector<FormRequest> r;
  return r;
}

}  // namespace

void RegisterForm(const std::string& name, FormOpener opener) { Openers()[name] = std::move(opener); }

bool ShowForm(const std::string& name, QWidget* owner, const FormArgs& args) {
  Requests().push_back({name, args});
  auto it = Openers().find(name);
  if (it == Openers().end()) return false;
  it->second(owner, args);
  return true;
}

const std::vector<FormRequest>& FormRequests() { return Requests(); }
void ClearFormRequests() { Requests().clear(); }
void ClearForms() { Openers().clear(); }

}  // namespace garam
