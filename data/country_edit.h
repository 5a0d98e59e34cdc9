// Countries of the loaded file: their relation words and the text rows the country editor shows
// them in, applying the country editor's values (with a change of king), and creating a country.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/general_record.h"
#include "data/ids.h"
#include "data/records_save.h"
#include "data/records_scenario.h"
#include "data/tablecounts.h"

namespace garam {

// A country's name in code page 949 bytes: the field keeps room for its NUL.
inline constexpr int kCountryNameBytes = int(kCountrySave.name.width) - 1;
static_assert(kCountryScedat1.name.width == kCountrySave.name.width && kCountryScedat2.name.width == kCountrySave.name.width &&
              CountryScenRec::L.name.width == kCountrySave.name.width);
// A country's code, one for each country slot.
inline constexpr int kMaxCountryCode = int(kCountrySlots) - 1;

// A relation word: friendship in bits 0-3, alliance months in bits 4-11, marriage in bit 12.
// The parts are masked to their fields, so a value out of range never spills into a neighbour.
std::uint16_t PackRelation(int months, bool married, int friendship);

// The three value columns of a relation row: months right-aligned in three characters, "O" or
// "X", friendship right-aligned in two.
struct RelationTexts {
  std::string months, marriage, friendship;
  bool operator==(const RelationTexts&) const = default;
};
RelationTexts RelationRowTexts(std::uint16_t word);
// The edited country's own row.
RelationTexts OwnRelationRowTexts();
std::uint16_t RelationFromRow(const RelationTexts& row);

// The leading whole number of a text after leading spaces (digits only), 0 when there is none.
int LeadingNumber(std::string_view text);

// The country record of the loaded file kind, seen through its fields. The relation words lie in
// the record's bytes (word p at 2p) or, for the numbered scenarios, in its word array.
struct CountryAccess {
  std::span<std::uint8_t> name;
  std::uint8_t* code = nullptr;
  std::uint8_t* king = nullptr;    // 16 bits, little-endian
  std::uint8_t* sphere = nullptr;  // save files only
  std::span<std::uint8_t> itemMask;        // save files only
  std::span<std::uint8_t> relationBytes;   // fixed layouts
  std::vector<std::uint16_t>* relationWords = nullptr;  // numbered scenarios

  int relationCount() const;
  // Partners outside the table read 0 and are not written.
  std::uint16_t relation(int partner) const;
  void setRelation(int partner, std::uint16_t word);
  int kingNo() const;
};
// nullopt for a number the loaded kind's array does not hold.
std::optional<CountryAccess> CountryAt(int country);

// A general of the loaded file kind, the fields the country work touches.
struct GeneralAccess {
  std::span<std::uint8_t> name;
  std::uint8_t* region = nullptr;
  std::uint8_t* city = nullptr;
  std::uint8_t* status = nullptr;      // 16 bits
  std::uint8_t* loyalty = nullptr;
  std::uint8_t* employment = nullptr;  // 16 bits
  std::uint8_t* x = nullptr;           // save files, 16 bits
  std::uint8_t* y = nullptr;
  std::uint16_t statusWord() const;
  void setStatusWord(std::uint16_t w);
};
std::optional<GeneralAccess> GeneralAt(int general);

// The culture sphere of a general's home region, nullopt when the general, his region or a sphere
// of it is missing (kNoSphere is "none").
std::optional<int> HomeSphere(int general);

// The owner of a city, kNoCountry for none or a number outside the table; the owner of a general's
// city.
int CityOwner(int city);
int GeneralCountry(int general);

// Status word changes of a change of king; every other bit is kept.
inline constexpr std::uint16_t KingMask(std::uint16_t w) { return std::uint16_t((w & 0xDFFC) | 4); }
inline constexpr std::uint16_t OrdinaryMask(std::uint16_t w) { return std::uint16_t((w & 0xFFFA) | 2); }
inline constexpr std::uint16_t LordMask(std::uint16_t w) { return std::uint16_t((w & 0xFFFE) | 6); }

// What the country editor's "확인" writes.
struct CountryEdit {
  int country = 0;
  std::string name;  // UTF-8; empty is stored as one blank
  int code = 0;      // more than kMaxCountryCode is stored as kMaxCountryCode
  int king = kNoGeneral, orgKing = kNoGeneral;
  int sphere = -1;   // save files; -1 keeps the stored sphere
  std::array<bool, kNoCultureItem> items{};  // save files, by culture item
  struct Partner {
    int country;
    std::uint16_t word;
  };
  std::vector<Partner> relations;
};

// A general whose status a change of king set, as the general list is to show it.
struct StatusRow {
  int general;
  GeneralStatus status;
  bool operator==(const StatusRow&) const = default;
};

struct CountryApplyResult {
  std::vector<StatusRow> statusRows;  // to be shown in this order
  bool playerCountry = false;         // a save file's player country: the player labels follow
};
CountryApplyResult ApplyCountryEdit(const CountryEdit& edit);

// The change of king alone (ApplyCountryEdit runs it when the king changed).
std::vector<StatusRow> ChangeKing(int oldKing, int newKing);

// What the create-country dialog hands over.
struct NewCountry {
  std::string name;  // UTF-8
  int king = kNoGeneral;
  int capital = kNoCity;
  int sphere = 0;    // save files, below kNoSphere
};
struct CreateResult {
  int country = -1;   // -1: nothing was created
  int oldOwner = kNoCountry;  // scenarios: the capital's former owner
};
// A save file: the first free slot; the new country gets relation 10 with every listed country
// (listed: the countries the main window shows, by record number).
CreateResult CreateSaveCountry(const NewCountry& c, std::span<const int> listed);
// A numbered scenario: appended, relation 7 with every country, itself included.
CreateResult CreateScenarioCountry(const NewCountry& c);

}  // namespace garam
