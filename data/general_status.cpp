#include "data/general_status.h"

#include <algorithm>

#include "data/cities.h"
#include "data/gamedata.h"
#include "data/general_counts.h"
#include "data/territory.h"

namespace garam {

namespace {

constexpr int kQueueSlots = 100;

CitySaveRec* SaveCity(int city) { return city >= 0 && city < kNoCity ? At(gData.gSaveCities, city) : nullptr; }

// One general more or less in a city: its count and its owner's, each noted as recounted. An
// owner of 80 skips only the country's part.
void Count(StatusOutcome& out, int city, int delta) {
  if (city < 0 || city >= kNoCity) return;
  const int owner = OwnerOfCity(city);
  if (owner >= 0 && owner < kNoCity) {
    AddToGeneralCount(GeneralTally::Country, owner, delta);
    out.recountedCountries.insert(owner);
  }
  AddToGeneralCount(GeneralTally::City, city, delta);
  out.recountedCities.insert(city);
}
void CountMove(StatusOutcome& out, int from, int to) {
  Count(out, to, +1);
  Count(out, from, -1);
}
void CountOut(StatusOutcome& out, int from) { Count(out, from, -1); }
void CountIn(StatusOutcome& out, int to) { Count(out, to, +1); }

void SetCode(GeneralWorkingCopy& g, int code) { g.status = std::uint16_t((g.status & ~7u) | unsigned(code)); }

// --- save files: the cities' lists and the queue ---

int FindGeneral(const CitySaveRec& c, int general, std::size_t from) {
  for (std::size_t i = from; i < kCityGeneralSlots; ++i)
    if (c.general(i) == general) return int(i);
  return -1;
}

// Takes the general out of the city's list, the lord's entry included.
void LeaveCity(int city, int general) {
  CitySaveRec* c = SaveCity(city);
  if (!c) return;
  if (int at = FindGeneral(*c, general, 0); at >= 0) c->setGeneral(std::size_t(at), kNoGeneral);
  CompactCityGenerals(city);
}

// Puts the general behind the city's ordinary generals; a full list stays as it is.
void AppendToCity(int city, int general) {
  CitySaveRec* c = SaveCity(city);
  if (!c) return;
  CompactCityGenerals(city);
  if (int free = FindGeneral(*c, kNoGeneral, 1); free >= 0) c->setGeneral(std::size_t(free), std::uint16_t(general));
}

// The lord leaves entry 0 of his city; a successor serving there takes it.
void HandOverLordship(int city, int successor) {
  CitySaveRec* c = SaveCity(city);
  if (!c) return;
  c->setGeneral(0, kNoGeneral);
  if (successor != kNoGeneral)
    if (int at = FindGeneral(*c, successor, 1); at >= 0) {
      c->setGeneral(std::size_t(at), kNoGeneral);
      c->setGeneral(0, std::uint16_t(successor));
    }
  CompactCityGenerals(city);
}

bool SaveCityLedByOther(int city, int general) {
  const CitySaveRec* c = SaveCity(city);
  return c && c->general(0) != kNoGeneral && c->general(0) != general;
}

void RemoveObject(int city, std::uint16_t mission) {
  CitySaveRec* c = SaveCity(city);
  if (!c || mission == kNoMission) return;
  auto objects = c->bytes(kCitySave.missions);
  for (std::size_t i = 0; i + 1 < objects.size(); i += 2)
    if (GetU16(&objects[i]) == mission) {
      PutU16(&objects[i], kNoMission);
      break;
    }
  CompactCityObjects(city);
}

void AppendObject(int city, std::uint16_t mission) {
  CitySaveRec* c = SaveCity(city);
  if (!c || mission == kNoMission) return;
  CompactCityObjects(city);
  auto objects = c->bytes(kCitySave.missions);
  for (std::size_t i = 0; i + 1 < objects.size(); i += 2)
    if (GetU16(&objects[i]) == kNoMission) {
      PutU16(&objects[i], mission);
      return;
    }
}

void SetUnappeared(long long n) { gUnappearedCount = std::int32_t(std::clamp<long long>(n, 0, kQueueSlots)); }

// Behind the generals already waiting; a full queue takes no one, and no one waits without a
// city to appear in.
void Enqueue(int general, int year, int city) {
  if (city < 0 || city >= kNoCity) return;
  CompactUnappeared();
  for (auto& slot : gData.gAppearanceQueue) {
    if (slot.get(kAppearanceQueue.general) != std::int16_t(kQueueEmpty)) continue;
    slot.set(kAppearanceQueue.general, std::int16_t(general));
    slot.set(kAppearanceQueue.year, std::uint16_t(year));
    slot.set(kAppearanceQueue.city, std::uint8_t(city));
    SetUnappeared(gUnappearedCount + 1);
    return;
  }
}

// The queue entry the editor found at opening, when it still holds the general.
AppearanceQueueRec* QueueSlot(int slot, int general) {
  AppearanceQueueRec* q = At(gData.gAppearanceQueue, slot - 1);
  return slot >= 1 && slot <= kQueueSlots && q && q->get(kAppearanceQueue.general) == general ? q : nullptr;
}

struct SaveChange {
  GeneralWorkingCopy& g;
  const StatusChange& in;
  StatusOutcome& out;
  int o, c, lord;
  bool released, outside;

  void Position() { g.x = std::uint16_t(in.x), g.y = std::uint16_t(in.y); }
  void ReleaseUnit() {
    if (!released) return;
    RemoveObject(o, g.mission);
    ResetMissionRecord(g.mission);
    g.mission = kNoMission;
  }
  void ReleaseOrFollow() {
    if (released) ReleaseUnit();
    else SetMissionPosition(std::int16_t(g.mission), g.x, g.y);
  }
  void ClearHighSkills() { g.flags &= 0x0FFF; }
  void Enqueue() { garam::Enqueue(g.number, in.appearanceYear, in.appearCity); }

  // A lord or an ordinary general leaving his city for no city.
  void LeaveFor(int code, bool wasLord) {
    SetCode(g, code);
    g.employmentYear = code == 5 ? std::uint16_t(g.birthWord & 0x7FF) : 0;
    if (code == 1) Enqueue();
    if (wasLord) HandOverLordship(o, lord);
    else LeaveCity(o, g.number);
    g.city = kNoCity;
    ReleaseUnit();
    CountOut(out, o);
    if (code == 1) g.x = g.y = 0;
    else Position();
    ClearHighSkills();
  }

  // Into city c, as its lord or behind its generals, counted there instead of in o.
  GeneralStatus Settle(GeneralStatus to, bool lead) {
    if (!lead) AppendToCity(c, g.number);
    else if (CitySaveRec* city = SaveCity(c)) city->setGeneral(0, std::uint16_t(g.number));
    CountMove(out, o, c);
    g.city = std::uint8_t(c);
    Position();
    ReleaseOrFollow();
    return to;
  }

  GeneralStatus FromLord(GeneralStatus to) {
    if (to == GeneralStatus::Lord) {
      g.employmentYear = std::uint16_t(in.employmentYear);
      if (c == o) {
        ReleaseUnit();
        return to;
      }
      if (SaveCityLedByOther(c, g.number)) return FromLord(GeneralStatus::Ordinary);
      HandOverLordship(o, lord);
      return Settle(to, true);
    }
    if (to == GeneralStatus::Ordinary) {
      g.employmentYear = std::uint16_t(in.employmentYear);
      if (c == o) {
        // Lord and successor change places; without one the city is left without a lord.
        CitySaveRec* city = SaveCity(o);
        const int at = city && lord != kNoGeneral ? FindGeneral(*city, lord, 1) : -1;
        if (at >= 0) {
          city->setGeneral(std::size_t(at), std::uint16_t(g.number));
          city->setGeneral(0, std::uint16_t(lord));
        } else if (city) {
          city->setGeneral(0, kNoGeneral);
          AppendToCity(o, g.number);
        }
        ReleaseUnit();
        return to;
      }
      HandOverLordship(o, lord);
      return Settle(to, false);
    }
    if (to == GeneralStatus::Unaffiliated) LeaveFor(3, true);
    else if (to == GeneralStatus::Minor) LeaveFor(5, true);
    else if (to == GeneralStatus::NotYetAppeared) LeaveFor(1, true);
    return to;
  }

  GeneralStatus FromOrdinary(GeneralStatus to) {
    if (to == GeneralStatus::Lord) {
      if (SaveCityLedByOther(c, g.number)) return FromOrdinary(GeneralStatus::Ordinary);
      g.employmentYear = std::uint16_t(in.employmentYear);
      LeaveCity(o, g.number);
      return Settle(to, true);
    }
    if (to == GeneralStatus::Ordinary) {
      g.employmentYear = std::uint16_t(in.employmentYear);
      if (outside) {
        // A general in the field stands in no city's list; his unit's entry follows his city.
        if (c != o) {
          RemoveObject(o, g.mission);
          AppendObject(c, g.mission);
        }
      } else if (c != o) {
        LeaveCity(o, g.number);
        AppendToCity(c, g.number);
      }
      CountMove(out, o, c);
      g.city = std::uint8_t(c);
      Position();
      if (released) ReleaseUnit();
      else if (!outside) SetMissionPosition(std::int16_t(g.mission), g.x, g.y);
      return to;
    }
    if (to == GeneralStatus::Unaffiliated) LeaveFor(3, false);
    else if (to == GeneralStatus::Minor) LeaveFor(5, false);
    else if (to == GeneralStatus::NotYetAppeared) LeaveFor(1, false);
    return to;
  }

  // Rows of the unaffiliated, the minors and those not yet appeared.
  GeneralStatus FromUnemployed(int oldCode, GeneralStatus to) {
    AppearanceQueueRec* slot = nullptr;
    if (oldCode == 1) {
      slot = QueueSlot(in.queueSlot, g.number);
      if (slot) SetUnappeared(gUnappearedCount - 1);
    }
    auto dequeue = [&] {
      if (!slot) return;
      slot->set(kAppearanceQueue.general, std::int16_t(kQueueEmpty));
      slot->set(kAppearanceQueue.year, std::uint16_t(1188));
      slot->set(kAppearanceQueue.city, std::uint8_t(kNoCity));
      CompactUnappeared();
    };
    GeneralStatus applied = to;
    if (to == GeneralStatus::Lord || to == GeneralStatus::Ordinary) {
      const bool lead = to == GeneralStatus::Lord && !SaveCityLedByOther(c, g.number);
      applied = lead ? GeneralStatus::Lord : GeneralStatus::Ordinary;
      SetCode(g, 2);
      g.employmentYear = std::uint16_t(in.employmentYear);
      if (lead) {
        if (CitySaveRec* city = SaveCity(c)) city->setGeneral(0, std::uint16_t(g.number));
      } else {
        AppendToCity(c, g.number);
      }
      CountIn(out, c);
      g.city = std::uint8_t(c);
      Position();
      dequeue();
    } else if (to == GeneralStatus::Unaffiliated && oldCode == 3) {
      Position();
    } else if (to == GeneralStatus::Minor && oldCode == 5) {
      g.employmentYear = std::uint16_t(g.birthWord & 0x7FF);
      Position();
    } else if (to == GeneralStatus::Unaffiliated || to == GeneralStatus::Minor) {
      SetCode(g, to == GeneralStatus::Unaffiliated ? 3 : 5);
      g.employmentYear = to == GeneralStatus::Unaffiliated ? 0 : std::uint16_t(g.birthWord & 0x7FF);
      Position();
      dequeue();
    } else if (to == GeneralStatus::NotYetAppeared && oldCode == 1) {
      if (slot) {
        slot->set(kAppearanceQueue.year, std::uint16_t(in.appearanceYear));
        slot->set(kAppearanceQueue.city, std::uint8_t(in.appearCity));
        SetUnappeared(gUnappearedCount + 1);
      } else {
        Enqueue();  // he waited in no slot
      }
    } else if (to == GeneralStatus::NotYetAppeared) {
      SetCode(g, 1);
      g.employmentYear = 0;
      g.x = g.y = 0;
      Enqueue();
    }
    return applied;
  }
};

// --- scenarios: the code of the city's generals is all there is ---

bool ScenarioCityLedByOther(int city, int general) {
  const int n = StoredGeneralCount();
  for (int i = 0; i < n; ++i) {
    GeneralWorkingCopy other;
    if (i == general || !ReadGeneral(i, other)) continue;
    if (other.city == city && (other.statusCode() == 6 || other.statusCode() == 4)) return true;
  }
  return false;
}

struct ScenarioChange {
  GeneralWorkingCopy& g;
  const StatusChange& in;
  StatusOutcome& out;
  int o, c, lord;
  bool installed = false;

  void MakeNewLord() {
    if (lord == kNoGeneral) return;
    GeneralWorkingCopy s;
    if (!ReadGeneral(lord, s)) return;
    installed = SetStoredGeneralStatus(lord, std::uint16_t((s.status & 0xFFFE) | 6));
  }
  void FathersCity() {
    GeneralWorkingCopy father;
    if (g.father < kNoGeneral && g.father != g.number && ReadGeneral(g.father, father))
      g.appearanceCity = father.city;
  }
  void Employ() { g.employmentYear = std::uint16_t(in.employmentYear); }
  void Appear() {
    g.appearanceYear = std::uint16_t(in.appearanceYear);
    g.appearanceCity = std::uint8_t(in.appearCity);
    SetUnappeared(gUnappearedCount + 1);
  }

  GeneralStatus FromLord(GeneralStatus to) {
    if (to == GeneralStatus::Lord) {
      Employ();
      if (c == o) return to;
      if (ScenarioCityLedByOther(c, g.number)) return FromLord(GeneralStatus::Ordinary);
      g.city = std::uint8_t(c);
      MakeNewLord();
      CountMove(out, o, c);
    } else if (to == GeneralStatus::Ordinary) {
      Employ();
      SetCode(g, 2);
      MakeNewLord();
      if (c == o) return to;
      g.city = std::uint8_t(c);
      CountMove(out, o, c);
    } else if (to == GeneralStatus::Unaffiliated || to == GeneralStatus::Minor || to == GeneralStatus::NotYetAppeared) {
      g.employmentYear = 0;
      if (to == GeneralStatus::Unaffiliated) {
        g.city = std::uint8_t(c);
        SetCode(g, 3);
      } else if (to == GeneralStatus::Minor) {
        g.city = kNoCity;
        FathersCity();
        SetCode(g, 5);
      } else {
        g.appearanceYear = std::uint16_t(in.appearanceYear);
        g.appearanceCity = std::uint8_t(in.appearCity);
        g.city = kNoCity;
        SetCode(g, 1);
        SetUnappeared(gUnappearedCount + 1);
      }
      MakeNewLord();
      CountOut(out, o);
    }
    return to;
  }

  GeneralStatus FromOrdinary(GeneralStatus to) {
    if (to == GeneralStatus::Lord || to == GeneralStatus::Ordinary) {
      const bool lead = to == GeneralStatus::Lord && !ScenarioCityLedByOther(c, g.number);
      Employ();
      SetCode(g, lead ? 6 : 2);
      g.city = std::uint8_t(c);
      CountMove(out, o, c);
      return lead ? GeneralStatus::Lord : GeneralStatus::Ordinary;
    }
    if (to == GeneralStatus::Unaffiliated) {
      g.employmentYear = 0;
      SetCode(g, 3);
      g.city = std::uint8_t(c);
      CountOut(out, o);
    } else if (to == GeneralStatus::Minor) {
      g.employmentYear = 0;
      SetCode(g, 5);
      g.city = kNoCity;
      FathersCity();
      CountOut(out, o);
    } else if (to == GeneralStatus::NotYetAppeared) {
      g.employmentYear = 0;
      SetCode(g, 1);
      g.city = kNoCity;
      g.appearanceYear = std::uint16_t(in.appearanceYear);
      g.appearanceCity = std::uint8_t(in.appearCity);
      CountOut(out, o);
      SetUnappeared(gUnappearedCount + 1);
    }
    return to;
  }

  GeneralStatus FromUnemployed(int oldCode, GeneralStatus to) {
    if (oldCode == 1) SetUnappeared(gUnappearedCount - 1);
    const bool leaving = oldCode == 1;
    auto noAppearance = [&] {
      if (!leaving) return;
      g.appearanceYear = 0;
      g.appearanceCity = kNoAppearanceCity;
    };
    if (to == GeneralStatus::Lord || to == GeneralStatus::Ordinary) {
      const bool lead = to == GeneralStatus::Lord && !ScenarioCityLedByOther(c, g.number);
      Employ();
      SetCode(g, lead ? 6 : 2);
      g.city = std::uint8_t(c);
      noAppearance();
      CountIn(out, c);
      return lead ? GeneralStatus::Lord : GeneralStatus::Ordinary;
    }
    if (to == GeneralStatus::Unaffiliated) {
      SetCode(g, 3);
      g.city = std::uint8_t(c);
      noAppearance();
    } else if (to == GeneralStatus::Minor && oldCode != 5) {
      SetCode(g, 5);
      if (oldCode == 3) g.city = kNoCity;
      else g.appearanceYear = 0;
      FathersCity();
    } else if (to == GeneralStatus::NotYetAppeared) {
      SetCode(g, 1);
      if (oldCode == 3) g.city = kNoCity;
      Appear();
    }
    return to;
  }
};

}  // namespace

bool CanSucceedLord(int lord, int city, int general) {
  GeneralWorkingCopy s;
  if (general == lord || city < 0 || city >= kNoCity || !ReadGeneral(general, s)) return false;
  if (s.city != city || s.statusCode() != 2) return false;
  if (!s.save) return true;
  // Entry 0 is the lord's own; a general in the field stands in no castle to hold.
  const CitySaveRec* c = SaveCity(city);
  return c && FindGeneral(*c, general, 1) >= 0 && !IsGeneralAwayFromCity(general);
}

bool HasSuccessorFor(int lord, int city) {
  const int n = StoredGeneralCount();
  for (int i = 0; i < n; ++i)
    if (CanSucceedLord(lord, city, i)) return true;
  return false;
}

std::optional<GeneralStatus> RecordStatus(const GeneralWorkingCopy& g) {
  const CitySaveRec* c = g.save && g.statusCode() == 2 ? SaveCity(g.city) : nullptr;
  return StatusOfCode(g.statusCode(), g.save, c && c->general(0) == g.number);
}

StatusOutcome ApplyStatusChange(GeneralWorkingCopy& g, const StatusChange& in) {
  const std::optional<GeneralStatus> from = RecordStatus(g);
  const std::optional<GeneralStatus> to = in.newStatus;
  StatusOutcome out{to, false, {}, {}};
  const int o = in.orgCity, c = in.city;

  const int lord = from == GeneralStatus::Lord && CanSucceedLord(g.number, o, in.newLord) ? in.newLord : kNoGeneral;
  const bool unemployed = from == GeneralStatus::Unaffiliated || from == GeneralStatus::Minor ||
                          from == GeneralStatus::NotYetAppeared;

  if (g.save) {
    SaveChange s{g, in, out, o, c, lord, in.unitReleased, in.unitOutsideCastle};
    if (to && from == GeneralStatus::Lord) out.status = s.FromLord(*to);
    else if (to && from == GeneralStatus::Ordinary) out.status = s.FromOrdinary(*to);
    else if (to && unemployed)
      out.status = s.FromUnemployed(g.statusCode() == 1 ? 1 : from == GeneralStatus::Unaffiliated ? 3 : 5, *to);
    // A lord whose successor took entry 0 installed him, whatever cell ran.
    if (lord != kNoGeneral)
      if (const CitySaveRec* city = SaveCity(o)) out.successorInstalled = city->general(0) == lord;
    return out;
  }

  ScenarioChange s{g, in, out, o, c, lord};
  if (to && from == GeneralStatus::Lord) out.status = s.FromLord(*to);
  else if (to && from == GeneralStatus::Ordinary) out.status = s.FromOrdinary(*to);
  else if (to && unemployed) out.status = s.FromUnemployed(g.statusCode(), *to);
  out.successorInstalled = s.installed;
  return out;
}

}  // namespace garam
