#include "data/missions.h"

#include "data/gamedata.h"

namespace garam {
namespace {

template <typename Rec>
void ResetActions(std::vector<Rec>& table, bool onlyInUse, std::uint8_t action1, std::uint8_t action2) {
  for (auto& r : table) {
    if (onlyInUse && r.get(kMission.inUse) == kMissionNotInUse) continue;
    r.set(kMission.action1, action1);
    r.set(kMission.action2, action2);
    r.set(kMission.actionWord, 0xFFFF);
  }
}

}  // namespace

void ResetUnitActions() {
  if (gFileKind != kSaveKr && gFileKind != kSaveQV) return;
  const std::uint8_t s = gFileKind == kSaveQV ? 1 : 0;
  const std::uint8_t a1 = 48 + 2 * s, a2 = 25 + s;
  auto& d = gData;
  ResetActions(d.gArmies, true, a1, a2);
  ResetActions(d.gTransports, true, a1, a2);
  ResetActions(d.gLabours, true, a1, a2);
  ResetActions(d.gEnvoys, true, a1, a2);
  ResetActions(d.gSpies, true, a1, a2);
  ResetActions(d.gMarches, true, a1, a2);
  ResetActions(d.gMigrations, true, a1, a2);
  ResetActions(d.gCaravans, false, a1, a2);
}

}  // namespace garam
