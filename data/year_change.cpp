#include "data/year_change.h"

#include <algorithm>
#include <cstdint>

#include "data/entity_ops.h"
#include "data/gamedata.h"

namespace garam {
namespace {

// The birth word keeps the year in its low 11 bits; the bits above belong to the general editor.
constexpr std::uint16_t kBirthYearMask = 0x7FF;
constexpr int kWordMax = 32767;

int Shifted(int year, int delta, int maximum) { return std::clamp(year + delta, 0, maximum); }

template <typename Rec>
void ShiftGenerals(std::vector<Rec>& generals, int delta, int newYear, bool alignEmployment) {
  for (Rec& g : generals) {
    const auto& L = g.L;
    const std::uint16_t birth = g.get(L.birth);
    const int year = Shifted(birth & kBirthYearMask, delta, kBirthYearMask);
    g.set(L.birth, std::uint16_t((birth & ~kBirthYearMask) | year));
    if (const int appear = std::int16_t(g.get(L.appearanceYear)); appear != 0)
      g.set(L.appearanceYear, std::uint16_t(Shifted(appear, delta, kWordMax)));
    if (const int employed = std::int16_t(g.get(L.employed)); employed != 0)
      g.set(L.employed, std::uint16_t(alignEmployment ? newYear : Shifted(employed, delta, kWordMax)));
  }
}

}  // namespace

int YearChangeLimit() { return MaxStartYear(gFileKind == kScenarioQV); }

int StoredStartYear() {
  if (gFileKind == kScenarioQV) return std::int16_t(gData.gScenarioHeaderQV.get(gData.gScenarioHeaderQV.L.startYear));
  return std::int16_t(gData.gScenarioHeader.get(gData.gScenarioHeader.L.startYear));
}

bool ChangeStartYear(int newYear, bool alignEmployment) {
  newYear = std::clamp(newYear, 0, YearChangeLimit());
  const int delta = newYear - StoredStartYear();
  if (delta == 0 && !alignEmployment) return false;
  if (gFileKind == kScenarioQV) {
    gData.gScenarioHeaderQV.set(gData.gScenarioHeaderQV.L.startYear, std::uint16_t(newYear));
    ShiftGenerals(gData.gGeneralsQV, delta, newYear, alignEmployment);
    // The executable keeps its own copy of this start year; only a set counts flag rewrites it.
    if (delta != 0) gCountsChanged = true;
  } else {
    gData.gScenarioHeader.set(gData.gScenarioHeader.L.startYear, std::uint16_t(newYear));
    ShiftGenerals(gData.gGenerals, delta, newYear, alignEmployment);
  }
  MarkDataChanged();
  return true;
}

}  // namespace garam
