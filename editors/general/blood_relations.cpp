#include "editors/general/blood_relations.h"

#include <cstdint>

#include "data/gamedata.h"
#include "editors/general/general_record.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

// Calls f with the general array of the loaded kind.
template <typename F>
decltype(auto) WithGenerals(F&& f) {
  switch (gFileKind) {
    case kSaveKr: return f(gData.gSaveGenerals);
    case kSaveQV: return f(gData.gSaveGeneralsQV);
    case kScenarioQV: return f(gData.gGeneralsQV);
    default: return f(gData.gGenerals);
  }
}

template <typename Rec>
auto Word(Relation which) {
  return which == Relation::Father ? Rec::L.father : Rec::L.grandfather;
}

}  // namespace

bool IsGeneralRecord(int n) {
  return WithGenerals([n](auto& generals) { return At(generals, n) != nullptr; });
}

std::optional<int> RelationOf(int general, Relation which) {
  return WithGenerals([&](auto& generals) -> std::optional<int> {
    using Rec = std::remove_cvref_t<decltype(generals[0])>;
    const Rec* g = At(generals, general);
    if (!g) return std::nullopt;
    return int(std::int16_t(g->get(Word<Rec>(which))));
  });
}

bool SetRelation(int general, Relation which, int value) {
  return WithGenerals([&](auto& generals) {
    using Rec = std::remove_cvref_t<decltype(generals[0])>;
    Rec* g = At(generals, general);
    if (g) g->set(Word<Rec>(which), std::uint16_t(value));
    return g != nullptr;
  });
}

std::string RelationCellText(int value) {
  if (value == KinNone) return "[없음]";
  if (value > KinNone) return "[사망(" + std::to_string(value) + ")]";
  std::string name;
  return StoredGeneralName(value, name) ? " " + name : "[?(" + std::to_string(value) + ")]";
}

}  // namespace garam
