// Record writes of the consort, princess, unit-type, region and culture-item editors and the new
// consort record. The editors gather what the user chose; these functions check every index
// against the arrays of the loaded file kind and write only the fields named.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/ids.h"
#include "data/records_save.h"
#include "data/records_scenario.h"

namespace garam {

// A consort's or a princess's name in code page 949 bytes: the field keeps room for its NUL.
inline constexpr int kWomanNameBytes = int(kQueenSave.name.width) - 1;
static_assert(kQueenScen.name.width == kQueenSave.name.width && kPrincess.name.width == kQueenSave.name.width);

// A region's kind: 0 to 20 islands, 21 a continent, 22 the sea.
inline constexpr int kIslandKinds = 21, kLastRegionKind = 22;

// The consort flag byte: bits 0-4 the pregnancy field (4 x remaining turns + 2), bit 5 a son
// expected, bit 7 fictional.
inline constexpr std::uint8_t kConsortSonBit = 0x20;
inline constexpr std::uint8_t kConsortFictionalBit = 0x80;
// Remaining turns of the pregnancy field, truncated toward zero: 0-5 give 0, 22-25 give 5, and
// the fields 26-31 that no list offers give 6 and 7.
int PregnancyTurns(std::uint8_t flags);
// Turns 0 ends a pregnancy (field 2, son bit cleared); 1 to 5 set the field and keep bits 5-7.
std::uint8_t WithPregnancyTurns(std::uint8_t flags, int turns);

// " 0" below 1, the number right-aligned in two characters up to 99, "--" from 100; then unit.
std::string AgeText(long long n, std::string_view unit);
// A typed value as a stored integer: rounded half to even, then held to [lo, hi].
int RoundedInRange(double value, int lo, int hi);
// The loaded save file's current year (0 when no save file is loaded).
int CurrentSaveYear();
// The start year of the loaded scenario.
int ScenarioStartYear();

// The origin-region list of the consort dialogs: every region with a culture sphere (not
// kNoSphere), in region order.
struct OriginRegionList {
  std::vector<int> regionOfEntry;
  std::array<int, 56> entryOfRegion;  // -1: the region has no entry
  std::vector<std::string> names;     // UTF-8
  int EntryOf(int region) const;      // -1 for a region without entry or outside 0 to 55
};
OriginRegionList BuildOriginRegionList();

// A general of the loaded file's array: name (UTF-8) and origin region; nullopt-like empty name
// and region -1 when the number names no record.
struct GeneralBrief {
  bool found = false;
  std::string name;
  int region = -1;
};
GeneralBrief GeneralOf(int general);

// Writes of the editors. A choice of -1 keeps the stored value (a list the record's value had no
// entry in, left alone by the user). Names are written by the header pages' rule. False when the
// record does not exist.
struct ConsortEdit {
  std::string name;
  int face = 0, region = -1, tendency = -1, husband = kNoGeneral, father = kNoGeneral;
  std::uint8_t flags = 2;
  double marriageYear = 0, code = 0;
};
bool ApplyConsortEdit(int record, const ConsortEdit& e, bool qvEdition);

struct PrincessEdit {
  std::string name;
  int mother = 0;
  bool adult = false;
  double birthYear = 0;
};
bool ApplyPrincessEdit(int record, const PrincessEdit& e, bool qvEdition);
// A princess's face is the women's face kPrincessFaceBase + the culture sphere of her mother's
// origin region (7, none, included).
inline constexpr int kPrincessFaceBase = 161;
// That sphere for a save file's consort; -1 when the consort or her region is not in the file.
int MotherSphere(int consort);

struct UnitTypeEdit {
  std::string name;
  std::array<double, 4> values{};  // attack, cost, mobility, attacks
};
bool ApplyUnitTypeEdit(int record, const UnitTypeEdit& e);
// Name width of the unit-type records of the loaded kind: 11 Korean, 13 expansion.
int UnitTypeNameWidth();

struct RegionEdit {
  std::string name;
  int sphere = -1, kind = -1;
};
bool ApplyRegionEdit(int record, const RegionEdit& e);

struct CultureItemEdit {
  std::string name;
  int description = -1, field = -1;
  int rise = 0;  // 0 to 15; bits 4-7 of the stored byte stay
};
bool ApplyCultureItemEdit(int record, const CultureItemEdit& e);

// The new consort. Save files fill the first free record (husband 500); scenarios append one.
struct NewConsort {
  std::string name;
  int face = 0, region = 0, husband = kNoGeneral, tendency = 0;
};
int FirstFreeSaveConsort();  // -1 when every record is taken
// (last code + 1) mod 256, raised once by 111 when the scenario's events use it; -1 for lastCode
// means no consort yet, which continues from 255.
std::uint8_t NewConsortCode(int lastCode, std::string_view fileName);
// The record number written, or -1 when none could be (no free save record, a full scenario).
int CreateConsortRecord(const NewConsort& c, std::string_view fileName);
// A face suiting the culture sphere of the region, drawn from Random().
int RandomConsortFace(int region);
// Save files: the king of the player's country; scenarios: the king of a random one of the first
// countryRows countries. 500 when the chain names no general of the file.
int DefaultConsortHusband(int countryRows);

// Culture-item descriptions: titles and texts in pairs; from description 115 on an even number of
// texts skips the extra text at 230. At most 256 descriptions, the widest a byte can number.
struct DescriptionPair {
  int title, text;
};
std::vector<DescriptionPair> CultureDescriptionPairs(std::size_t count);
// The culture field the keyword table gives the text (the last matching row), -1 for none.
int KeywordCulture(std::string_view utf8);
// The text with each rise place (bytes 2 and 16) showing the rise value.
std::string RiseFilled(std::string_view text, int rise);

}  // namespace garam
