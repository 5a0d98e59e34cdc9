// The general editor's status change, without widgets: what "확인" does to the edited general's
// status, city, years, position and unit, to the cities' general and object lists, the appearance
// queue, a successor lord and the "장군수" counts, for save files and scenarios alike.
#pragma once

#include <optional>
#include <set>

#include "data/ids.h"
#include "data/general_record.h"

namespace garam {

// What the editor holds when "확인" is pressed.
struct StatusChange {
  std::optional<GeneralStatus> newStatus;  // as the status label shows it
  int city = kNoCity;     // 소속도시
  int orgCity = kNoCity;  // 원래도시
  int newLord = kNoGeneral;
  int appearCity = kNoAppearanceCity;  // 등장도시
  int queueSlot = 0;     // 1 to 100; 0 when the general waits in no slot
  int employmentYear = 0, appearanceYear = 0;
  int x = 0, y = 0;          // the position labels (save files)
  bool unitReleased = false;       // he had a unit and the status menu let it go
  bool unitOutsideCastle = false;  // he keeps a unit that stands outside his castle
};

struct StatusOutcome {
  std::optional<GeneralStatus> status;  // what the general's row shows now
  bool successorInstalled = false;
  // The cities and countries whose general count the change moved: their rows show it anew.
  std::set<int> recountedCities, recountedCountries;
};

// Whether general may succeed lord as lord of city: he serves there (status code 2 with that
// city) and, in saves, is held in the city's list behind its lord and stands on its castle. The
// successor picker offers exactly these, and a status change installs no one else.
bool CanSucceedLord(int lord, int city, int general);
bool HasSuccessorFor(int lord, int city);

// The status the record gives a general: in saves a code-2 general standing in entry 0 of his
// city's list is its lord. nullopt for a code no status stands for.
std::optional<GeneralStatus> RecordStatus(const GeneralWorkingCopy& g);

// Carries out the change on the working copy g (whose status code, city and years are still as
// loaded) and on the data set. A lord's successor is installed when CanSucceedLord holds for him;
// a cell that would make g the lord of a city already led by another general makes him an
// ordinary general of it instead. A city without an owner country moves no country's count.
StatusOutcome ApplyStatusChange(GeneralWorkingCopy& g, const StatusChange& change);

}  // namespace garam
