// The general editor's record work, without widgets: the working copy of the edited general read
// from any of the four general layouts and written back field by field, the blood-relation test,
// the son-in-law toggle rule, and the save-file bookkeeping (mission records, city lists, the
// appearance queue) that status changes rely on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/gamedata.h"
#include "data/ids.h"

namespace garam {

// Calls f with the stored record of a general in the loaded kind's layout; false without one.
template <typename F>
bool WithStoredGeneral(int n, F f) {
  if (n < 0) return false;
  auto& d = gData;
  auto in = [&](auto& v) {
    if (std::size_t(n) >= v.size()) return false;
    f(v[std::size_t(n)]);
    return true;
  };
  switch (gFileKind) {
    case kSaveKr: return in(d.gSaveGenerals);
    case kSaveQV: return in(d.gSaveGeneralsQV);
    case kScenarioQV: return in(d.gGeneralsQV);
    case kScedat1: case kScedat2: case kScenarioKr: return in(d.gGenerals);
    default: return false;
  }
}

// A general's status as the editor and the lists tell it. A save file gives a lord the code of an
// ordinary general (2); he is the one heading his city's list.
enum class GeneralStatus { King, Lord, Ordinary, Unaffiliated, Minor, NotYetAppeared };
// The word shown for a status, and the status a shown word names (nullopt for any other text).
const char* StatusCaption(GeneralStatus status);
std::optional<GeneralStatus> StatusOfCaption(std::string_view shown);
// The status the code of a status word (its low three bits) stands for; nullopt for a code no
// status has (0, 7, and 6 in save files).
std::optional<GeneralStatus> StatusOfCode(int code, bool saveFile, bool lordOfHisCity);

inline bool GeneralExists(int n) {
  return WithStoredGeneral(n, [](const auto&) {});
}

inline constexpr std::uint16_t kSonInLawBit = 0x2000;
inline constexpr std::uint16_t kActionDoneBit = 0x4000;
inline constexpr std::uint16_t kVirtualBit = 0x8000;
inline constexpr std::uint16_t kBirthVirtualBit = 0x0800;
// The flags word: bits 0 to 11 the twelve skills, then a general out searching for talent ("S")
// and one with a special trait ("W").
inline constexpr std::uint16_t kTalentSearchFlag = 0x1000;
inline constexpr std::uint16_t kSpecialTraitFlag = 0x2000;

// The expansion layouts hold the generals of kinds 3 and 5, and only of those: the custom load
// offers an expansion executable no other kind.
bool IsQVGeneralKind();

// The edited general, edition-neutral. Fields only one family of layouts has (save: mission and
// position; scenario: appearance year and city) stay at their defaults in the other. Bytes no
// field names (the save layouts' unshown word and byte, the scenario's unshown word, the two bytes
// that end the expansion save record) are never read or written.
struct GeneralWorkingCopy {
  int number = -1;
  bool save = false;
  std::string nameBytes;  // code page 949, up to the first NUL
  std::uint16_t biography = 0xFFFF, face = 0;
  std::uint8_t region = 0, city = kNoCity;
  std::uint16_t mission = kNoMission, x = 0, y = 0;
  std::uint16_t grandfather = kNoGeneral, father = kNoGeneral;
  std::uint16_t birthWord = 0, employmentYear = 0;
  std::uint8_t politics = 0, battle = 0, intelligence = 0, loyalty = 0, merit = 0;
  std::array<std::uint8_t, 4> aptitudes{};
  std::uint16_t flags = 0;
  std::uint8_t proficiency1 = 0, proficiency2 = 0;
  std::uint16_t status = 0;
  std::uint16_t appearanceYear = 0;
  std::uint8_t appearanceCity = kNoAppearanceCity;

  int statusCode() const { return status & 7; }
  int birthYear() const { return save ? birthWord & 0x7FF : birthWord; }
};

// Reads general number of the loaded file from its stored array; false when there is none.
bool ReadGeneral(int number, GeneralWorkingCopy& out);
// Writes the copy back into the stored record of its number; nameUtf8 is the name as the user left
// it: when it still reads as the stored bytes, those bytes go back, else the text, cut by bytes to
// the field. False when there is no such record.
bool WriteGeneral(const GeneralWorkingCopy& g, const std::string& nameUtf8);

// The number of stored generals of the loaded file, and the status word of one written in place:
// the generals a status change touches besides the edited one (a successor lord).
int StoredGeneralCount();
bool SetStoredGeneralStatus(int general, std::uint16_t status);
// The owner byte of a city of the loaded file, or -1 without such a city.
int OwnerOfCity(int city);

// Father and grandfather of a stored general (500 when there is no such general).
struct Kin {
  int father = kNoGeneral, grandfather = kNoGeneral;
};
Kin KinOf(int general);
// The name of a stored general up to its first NUL; false when there is no such general.
bool StoredGeneralName(int general, std::string& utf8);
// What a relation label shows: "없음", "사망(n)", the general's name, or "???" for a number that
// names no general.
std::string RelationText(int relation);

// Whether two generals are blood relatives by their father and grandfather fields. A relation
// that names no record counts as none.
bool IsBloodRelated(int a, int b);

// The king of the country owning city, or -1 when the city, its owner or the king is missing.
int KingOfCity(int city);
// The name of the country owning city, up to its first NUL; "없음" without one.
std::string CountryNameOfCity(int city);
// The name of city, up to its first NUL; nullptr-like false when the city is missing.
bool CityName(int city, std::string& utf8);

enum class SonInLawToggle { DisabledX, EnabledX, EnabledO };
// The son-in-law toggle for a general of the shown status in city: only an ordinary general or a
// lord not related to his king may be one; afterChange starts him at "X".
SonInLawToggle SonInLawSetting(std::optional<GeneralStatus> shown, int general, int city, std::uint16_t statusWord,
                               bool afterChange);

// Whether the status menu may act on a general: his status as shown must be one of the five the
// menu knows and agree with his record (the code; in saves whether he is his city's lord), and a
// unit of his must not stand outside his city.
bool StatusChangeAllowed(std::optional<GeneralStatus> shown, const GeneralWorkingCopy& g, bool unitOutside);

// The current year of a save file or the start year of a scenario.
int CurrentGameYear();
// "0살", "n살" or "---살".
std::string AgeText(int currentYear, int birthYear);

// Save files: empties the mission record an id selects (0 to 4079; others change nothing).
void ResetMissionRecord(int missionId);
// Save files: sets or clears bit 7 of the action byte of the mission record an id selects.
void SetMissionActionDone(int missionId, bool done);
// Save files: packs a city's general list behind its lord, and its object list.
void CompactCityGenerals(int city);
void CompactCityObjects(int city);
// Save files: packs the queue of generals not yet appeared; the count is the caller's.
void CompactUnappeared();

}  // namespace garam
