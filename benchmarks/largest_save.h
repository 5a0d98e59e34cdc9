// The largest save of an edition as the benchmarks use it: every variable entry holding items,
// and, once it is loaded, every general, country, city, consort and princess slot in use, so that
// the lists are as long as they get.
#pragma once

#include <cstdint>

#include "data/gamedata.h"
#include "tests/support/save_builder.h"

namespace garam::bench {

inline test::SavePlan LargestSavePlan(bool expansion) {
  test::SavePlan plan;
  plan.expansion = expansion;
  plan.fileName = expansion ? "USER1.WNX" : "USER1.RN";
  plan.varCounts.assign(100, 40);
  if (expansion) plan.var2Counts.assign(50, 40);
  for (int i = 0; i < 100; ++i) plan.queue.push_back({std::int16_t(i * 3), 1300, 5});
  return plan;
}

// Puts every empty slot of the loaded save in gData into use.
inline void UseEverySlot(bool expansion) {
  auto fillGenerals = [](auto& generals) {
    for (auto& g : generals)
      if ((g.get(g.L.status) & 7) == 0) g.set(g.L.status, std::uint16_t(g.get(g.L.status) | 2));
  };
  if (expansion) fillGenerals(gData.gSaveGeneralsQV); else fillGenerals(gData.gSaveGenerals);
  for (auto& c : gData.gSaveCountries) if (c.get(kCountrySave.king) == 500) c.set(kCountrySave.king, std::int16_t(1));
  for (auto& c : gData.gSaveCountriesQV) if (c.get(kCountrySave.king) == 500) c.set(kCountrySave.king, std::int16_t(1));
  for (auto& c : gData.gSaveCities) {
    if (c.get(kCitySave.x) == kFreeCityX) c.set(kCitySave.x, std::uint16_t(1));
    if (c.get(kCitySave.y) == kFreeCityX) c.set(kCitySave.y, std::uint16_t(1));
  }
  for (auto& q : gData.gSaveQueens) if (q.get(kQueenSave.husband) == 500) q.set(kQueenSave.husband, std::uint16_t(1));
  for (auto& p : gData.gSavePrincesses) if (p.get(kPrincess.mother) == 200) p.set(kPrincess.mother, std::uint8_t(1));
}

}  // namespace garam::bench
