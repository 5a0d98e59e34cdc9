// Records of the save files of both editions, as stored on disk. Each record keeps its raw bytes;
// the layout constants name the fields the editor interprets, everything else is carried as read.
#pragma once

#include <cstdint>
#include <span>

#include "data/bytes.h"
#include "data/layout.h"
#include "data/tablecounts.h"

namespace garam {

// Little-endian value of a run of 1 to 4 bytes: the player count is a byte in the Korean header
// and a word in the expansion one.
inline std::uint32_t GetLE(std::span<const std::uint8_t> b) {
  std::uint32_t v = 0;
  for (std::size_t i = b.size(); i-- > 0;) v = (v << 8) | b[i];
  return v;
}
inline void PutLE(std::span<std::uint8_t> b, std::uint32_t v) {
  for (auto& c : b) {
    c = std::uint8_t(v);
    v >>= 8;
  }
}

// The save file's header: its own name, the save time, the player's king and country, the date.
struct SaveHeaderLayout {
  BytesF fileName;
  U16F saveYear;
  U8F saveMonth, saveDay, saveHour, saveMinute;
  NameF kingName, countryName;
  BytesF players;
  U16F currentYear;
  U8F season;
  U8F playerCountry;  // index into the tail block's country-number map
  BytesF playerSlots;
  BytesF stamp;  // what a save rewrites: save time and the two names
  constexpr auto fields() const {
    return std::tuple(fileName, saveYear, saveMonth, saveDay, saveHour, saveMinute, kingName,
                      countryName, players, currentYear, season, playerCountry, playerSlots, stamp);
  }
};
// The expansion header has the 3 bytes shorter king's name of its generals and a player count
// one byte wider; everything behind each moves along.
constexpr SaveHeaderLayout SaveHeaderLayoutWith(std::size_t kingNameWidth, std::size_t playersWidth) {
  const std::size_t country = 20 + kingNameWidth, players = country + 19, year = players + playersWidth;
  return {{0, 14}, {14}, {16}, {17}, {18}, {19}, {20, kingNameWidth}, {country, 19},
          {players, playersWidth}, {year}, {year + 2}, {year + 5}, {year + 6, 8}, {14, players - 14}};
}
inline constexpr SaveHeaderLayout kSaveHeaderKr = SaveHeaderLayoutWith(20, 1);
inline constexpr SaveHeaderLayout kSaveHeaderQV = SaveHeaderLayoutWith(17, 2);
// Only the Korean header carries the two event-flag bytes.
inline constexpr U8F kSaveHeaderEventFlags1{77}, kSaveHeaderEventFlags2{78};

struct SaveHeaderRec : RawRecord<81> { static constexpr const auto& L = kSaveHeaderKr; };
struct SaveHeaderQVRec : RawRecord<89> { static constexpr const auto& L = kSaveHeaderQV; };
static_assert(LayoutFits(kSaveHeaderKr, SaveHeaderRec::kSize));
static_assert(LayoutFits(kSaveHeaderQV, SaveHeaderQVRec::kSize));
static_assert(FieldFits(kSaveHeaderEventFlags2, SaveHeaderRec::kSize));
// The event flags lie behind the player slots, which the expansion header moved.
static_assert(kSaveHeaderKr.playerSlots.off + kSaveHeaderKr.playerSlots.width <= kSaveHeaderEventFlags1.off);

struct RegionSaveLayout {
  U8F code;
  NameF name;
  U8F kind, sphere;
  constexpr auto fields() const { return std::tuple(code, name, kind, sphere); }
};
inline constexpr RegionSaveLayout kRegionSave{{0}, {1, 15}, {16}, {17}};
struct RegionSaveRec : RawRecord<20> { static constexpr const auto& L = kRegionSave; };
static_assert(LayoutFits(kRegionSave, RegionSaveRec::kSize));

struct CultureItemSaveLayout {
  NameF name;
  constexpr auto fields() const { return std::tuple(name); }
};
inline constexpr CultureItemSaveLayout kCultureItemSave{{0, 23}};
struct CultureItemSaveRec : RawRecord<26> { static constexpr const auto& L = kCultureItemSave; };
static_assert(LayoutFits(kCultureItemSave, CultureItemSaveRec::kSize));

// Generals: the expansion name is 3 bytes shorter and every later field moves with it.
struct GeneralSaveLayout {
  U16F biography, face;
  NameF name;
  U8F region, city;
  U16F mission, x, y, grandfather, father;
  U16F createdWord;
  U8F createdByte;
  U16F birthYear, employmentYear;
  U8F politics, battle, intelligence, loyalty, merit;
  BytesF aptitudes;  // infantry, archer, cavalry, navy
  U16F flags;
  U8F proficiency1, proficiency2;
  U16F status;
  constexpr auto fields() const {
    return std::tuple(biography, face, name, region, city, mission, x, y, grandfather, father,
                      createdWord, createdByte, birthYear, employmentYear, politics, battle,
                      intelligence, loyalty, merit, aptitudes, flags, proficiency1, proficiency2, status);
  }
};
constexpr GeneralSaveLayout GeneralSaveLayoutWithName(std::size_t nameWidth) {
  const std::size_t d = 20 - nameWidth;  // how far the fields behind the name move forward
  return {{0}, {2}, {4, nameWidth}, {24 - d}, {25 - d}, {26 - d}, {28 - d}, {30 - d}, {32 - d},
          {34 - d}, {36 - d}, {38 - d}, {39 - d}, {41 - d}, {43 - d}, {44 - d}, {45 - d}, {46 - d},
          {47 - d}, {48 - d, 4}, {52 - d}, {54 - d}, {55 - d}, {56 - d}};
}
inline constexpr GeneralSaveLayout kGeneralSaveKr = GeneralSaveLayoutWithName(20);
inline constexpr GeneralSaveLayout kGeneralSaveQV = GeneralSaveLayoutWithName(17);
struct GeneralSaveRec : RawRecord<58> { static constexpr const auto& L = kGeneralSaveKr; };
struct GeneralSaveQVRec : RawRecord<57> { static constexpr const auto& L = kGeneralSaveQV; };
static_assert(LayoutFits(kGeneralSaveKr, GeneralSaveRec::kSize));
static_assert(LayoutFits(kGeneralSaveQV, GeneralSaveQVRec::kSize));
// The Korean record ends with the status word; the expansion one carries two more bytes behind it.
static_assert(kGeneralSaveKr.status.off + 2 == GeneralSaveRec::kSize);
static_assert(kGeneralSaveQV.status.off + 4 == GeneralSaveQVRec::kSize);
inline constexpr std::uint16_t kGeneralStatusMask = 0x7;

struct QueenSaveLayout {
  U8F code, face;
  NameF name;
  U8F region;
  U16F husband, father;
  U8F culture, flags;
  U16F marriageYear;
  constexpr auto fields() const { return std::tuple(code, face, name, region, husband, father, culture, flags, marriageYear); }
};
inline constexpr QueenSaveLayout kQueenSave{{0}, {1}, {2, 17}, {19}, {20}, {22}, {24}, {25}, {26}};
struct QueenSaveRec : RawRecord<28> { static constexpr const auto& L = kQueenSave; };
static_assert(LayoutFits(kQueenSave, QueenSaveRec::kSize));

struct PrincessLayout {
  NameF name;
  U8F mother;
  U16F birthYear;
  U8F adult;
  constexpr auto fields() const { return std::tuple(name, mother, birthYear, adult); }
};
inline constexpr PrincessLayout kPrincess{{0, 17}, {17}, {18}, {20}};
struct PrincessRec : RawRecord<21> { static constexpr const auto& L = kPrincess; };
static_assert(LayoutFits(kPrincess, PrincessRec::kSize));

// Queue of generals not yet appeared; the general number is the sort key, compared signed.
struct AppearanceQueueLayout {
  I16F general;
  U16F year;
  U8F city;
  constexpr auto fields() const { return std::tuple(general, year, city); }
};
inline constexpr AppearanceQueueLayout kAppearanceQueue{{0}, {2}, {4}};
struct AppearanceQueueRec : RawRecord<5> { static constexpr const auto& L = kAppearanceQueue; };
static_assert(LayoutFits(kAppearanceQueue, AppearanceQueueRec::kSize));
inline constexpr std::uint16_t kQueueEmpty = 500;

// The head every mission record shares; the rest of each record is carried unchanged.
struct MissionLayout {
  U8F kind;
  U16F inUse;  // kMissionNotInUse: a free slot
  U16F x, y;
  U8F action1, action2;
  U16F actionWord;
  constexpr auto fields() const { return std::tuple(kind, inUse, x, y, action1, action2, actionWord); }
};
inline constexpr MissionLayout kMission{{0}, {1}, {3}, {5}, {7}, {8}, {9}};
struct ArmyRec : RawRecord<43> { static constexpr const auto& L = kMission; };
struct TransportRec : RawRecord<15> { static constexpr const auto& L = kMission; };
struct LabourRec : RawRecord<13> { static constexpr const auto& L = kMission; };
struct EnvoyRec : RawRecord<13> { static constexpr const auto& L = kMission; };
struct SpyRec : RawRecord<13> { static constexpr const auto& L = kMission; };
struct MarchRec : RawRecord<11> { static constexpr const auto& L = kMission; };
struct CaravanRec : RawRecord<26> { static constexpr const auto& L = kMission; };
struct MigrationRec : RawRecord<15> { static constexpr const auto& L = kMission; };
static_assert(LayoutFits(kMission, MarchRec::kSize));  // the smallest of the eight
inline constexpr std::uint16_t kMissionNotInUse = 500;

struct CitySaveLayout {
  U8F code;
  NameF name;
  U8F owner, scale;
  U16F defence, gold, food, soldiers, wounded;
  BytesF unknown34, unknown65;  // cleared when the city is deleted
  U16F x, y;
  U8F style;
  BytesF culture, items;
  U16F mask;
  U32F unitMask;
  BytesF citySet;  // bit n mod 8 of byte n div 8: city n
  U8F unknown135;   // 80 when the city is deleted
  U16F unknown136;  // cleared when the city is deleted
  BytesF generals;  // u16[500], entry 0 the lord, 500 empty
  BytesF missions;  // u16[4080], 4080 empty
  constexpr auto fields() const {
    return std::tuple(code, name, owner, scale, defence, gold, food, soldiers, wounded, unknown34,
                      unknown65, x, y, style, culture, items, mask, unitMask, citySet, unknown135,
                      unknown136, generals, missions);
  }
};
inline constexpr CitySaveLayout kCitySave{{0},   {1, 21},    {22},  {23},     {24},  {26},
                                          {28},  {30},       {32},  {34, 31}, {65, 31}, {96},
                                          {98},  {100},      {101, 10}, {111, 8}, {119}, {121},
                                          {125, 10}, {135},  {136}, {138, 1000}, {1138, 8160}};
struct CitySaveRec : RawRecord<9298> {
  static constexpr const auto& L = kCitySave;
  std::uint16_t general(std::size_t i) const { return GetU16(&raw[L.generals.off + 2 * i]); }
  void setGeneral(std::size_t i, std::uint16_t v) { PutU16(&raw[L.generals.off + 2 * i], v); }
};
static_assert(LayoutFits(kCitySave, CitySaveRec::kSize));
inline constexpr std::size_t kCityGeneralSlots = kGeneralSlots;
static_assert(kCitySave.generals.width == 2 * kCityGeneralSlots);
inline constexpr std::uint16_t kFreeCityX = 65535;

// Countries; the expansion record carries 42 more bytes after the same fields.
struct CountrySaveLayout {
  U8F code;
  NameF name;
  I16F king;  // 500: free slot; compared signed by the save checks
  U8F sphere;
  BytesF relations;
  // Bytes written only when a country is created; what the game reads in them is not known.
  U8F unknown183;
  U8F unknown213, unknown214;
  BytesF itemMask;
  U8F unknown225;
  BytesF cities;
  constexpr auto fields() const {
    return std::tuple(code, name, king, sphere, relations, unknown183, unknown213, unknown214,
                      itemMask, unknown225, cities);
  }
};
inline constexpr CountrySaveLayout kCountrySave{{0}, {1, 19}, {20}, {22}, {23, 160}, {183},
                                                {213}, {214}, {215, 10}, {225}, {226, 80}};
struct CountrySaveRec : RawRecord<306> { static constexpr const auto& L = kCountrySave; };
struct CountrySaveQVRec : RawRecord<348> { static constexpr const auto& L = kCountrySave; };
static_assert(LayoutFits(kCountrySave, CountrySaveRec::kSize));

// Map cell: two words of bit fields.
struct SaveMapCellLayout {
  U32F first, second;
  constexpr auto fields() const { return std::tuple(first, second); }
};
inline constexpr SaveMapCellLayout kSaveMapCell{{0}, {4}};
struct SaveMapCell : RawRecord<8> {
  static constexpr const auto& L = kSaveMapCell;
  std::uint32_t first() const { return get(L.first); }
  std::uint32_t second() const { return get(L.second); }
  void setFirst(std::uint32_t v) { set(L.first, v); }
  void setSecond(std::uint32_t v) { set(L.second, v); }
};
static_assert(LayoutFits(kSaveMapCell, SaveMapCell::kSize));

// A bit field of a map cell word.
struct BitField {
  unsigned shift, width;
  constexpr std::uint32_t mask() const { return ((1u << width) - 1) << shift; }
  constexpr std::uint32_t get(std::uint32_t w) const { return (w & mask()) >> shift; }
  constexpr std::uint32_t with(std::uint32_t w, std::uint32_t v) const { return (w & ~mask()) | ((v << shift) & mask()); }
};
inline constexpr BitField kCellTerrain{0, 6};     // first word
inline constexpr BitField kCellBuilding{6, 4};    // first word; 0 castle
inline constexpr BitField kCellUnknown10{10, 2};  // first word; meaning not known, carried with the castle
inline constexpr BitField kCellInterior{12, 3};   // first word
inline constexpr BitField kCellSpecialty{15, 5};  // first word; 31 none
inline constexpr BitField kCellRoads{20, 4};      // first word
inline constexpr BitField kCellUnitMark{31, 1};   // first word; set while a unit stands there
inline constexpr BitField kCellRegion{0, 6};      // second word
inline constexpr BitField kCellOwner{6, 7};       // second word; 80 no city
inline constexpr BitField kCellUnit{17, 8};       // second word; 255 no unit
// Second word, beside the unit reference: clear on a cell no unit holds.
inline constexpr BitField kCellUnitLow{13, 4};
inline constexpr BitField kCellUnitHigh{28, 2};
inline constexpr std::uint32_t kNoCellUnit = 255;
inline constexpr std::uint32_t kCastleBuilding = 0;
inline constexpr std::uint32_t kNoSpecialty = 31;

// The closing block: flags, the country-number map and the city list.
struct SaveTailLayout {
  U8F flags;
  BytesF countryMap;
  BytesF cityList;
  constexpr auto fields() const { return std::tuple(flags, countryMap, cityList); }
};
inline constexpr SaveTailLayout kSaveTail{{0}, {13, 80}, {102, 80}};
struct SaveTailBlock : RawRecord<182> { static constexpr const auto& L = kSaveTail; };
static_assert(LayoutFits(kSaveTail, SaveTailBlock::kSize));

// Entry of a variable part: a byte and the count of the 6-byte items that follow it.
struct SaveVarEntryLayout {
  U8F tag;
  I16F count;
  constexpr auto fields() const { return std::tuple(tag, count); }
};
inline constexpr SaveVarEntryLayout kSaveVarEntry{{0}, {1}};
struct SaveVarEntryRec : RawRecord<3> { static constexpr const auto& L = kSaveVarEntry; };
static_assert(LayoutFits(kSaveVarEntry, SaveVarEntryRec::kSize));
inline constexpr std::size_t kSaveVarItemSize = 6;

}  // namespace garam
