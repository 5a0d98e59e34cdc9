#include "data/blood_relations.h"

#include <cstdint>

#include "data/gamedata.h"
#include "data/general_record.h"

namespace garam {
namespace {

template <typename Rec>
auto Word(Relation which) {
  return which == Relation::Father ? Rec::L.father : Rec::L.grandfather;
}

}  // namespace

bool IsGeneralRecord(int n) { return GeneralExists(n); }

std::optional<int> RelationOf(int general, Relation which) {
  std::optional<int> value;
  WithStoredGeneral(general, [&](const auto& g) {
    using Rec = std::remove_cvref_t<decltype(g)>;
    value = int(std::int16_t(g.get(Word<Rec>(which))));
  });
  return value;
}

bool SetRelation(int general, Relation which, int value) {
  return WithStoredGeneral(general, [&](auto& g) {
    using Rec = std::remove_cvref_t<decltype(g)>;
    g.set(Word<Rec>(which), std::uint16_t(value));
  });
}

std::string RelationCellText(int value) {
  if (value == KinNone) return "[없음]";
  if (value > KinNone) return "[사망(" + std::to_string(value) + ")]";
  std::string name;
  return StoredGeneralName(value, name) ? " " + name : "[?(" + std::to_string(value) + ")]";
}

}  // namespace garam
