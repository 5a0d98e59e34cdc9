// Synthetic save files of both editions, laid out from the file's offset tables (not from the
// editor's reader), filled with seeded random bytes so that a slipped field shows in a round trip.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/bytes.h"

namespace garam::test {

struct QueueEntry {
  std::int16_t general;
  std::uint16_t year;
  std::uint8_t city;
};

struct SavePlan {
  bool expansion = false;
  std::string fileName = "USER1.RN";  // the header names the file (expansion: without the last letter)
  std::vector<std::int16_t> varCounts;   // counts of the first variable entries; the rest 0
  std::vector<std::int16_t> var2Counts;  // expansion: counts of the second variable part
  std::vector<QueueEntry> queue;         // entries 1.. in this order; the rest empty (500)
  std::size_t trailing = 0;              // expansion: extra bytes behind the closing block
  std::uint32_t seed = 1;
};

// A save image with the positions of its tables and raw parts. The Korean file has no second
// variable part nor block in front of the map: both are empty at the map.
struct SaveImage {
  bool expansion = false;
  Bytes bytes;
  std::size_t regions = 0, specialties = 0, cultureItems = 0, unitTypes = 0, generals = 0, queens = 0, princesses = 0,
              variable = 0, queue = 0, cities = 0, countries = 0, variable2 = 0, beforeMap = 0, map = 0, tail = 0;
  // Armies, transports, labours, envoys, spies, marches, caravans, migrations.
  std::array<std::size_t, 8> missions{};
  std::size_t generalSize() const { return expansion ? 57 : 58; }
  std::size_t countrySize() const { return expansion ? 348 : 306; }
  std::uint8_t* general(int i) { return &bytes[generals + generalSize() * std::size_t(i)]; }
  std::uint8_t* city(int i) { return &bytes[cities + 9298 * std::size_t(i)]; }
  std::uint8_t* country(int i) { return &bytes[countries + countrySize() * std::size_t(i)]; }
  std::uint8_t* tailBlock() { return &bytes[tail]; }
};

// Korean minimum 1,344,418 bytes, expansion 1,368,308, plus 6 per variable item.
SaveImage BuildSaveImage(const SavePlan& plan);

// Every cross-reference the save checks test holds in the image: kings, owners, cities and
// husbands in range, the player's country chain intact (player 3 -> record 5 -> king 42).
inline constexpr int kPlayerCountryNumber = 3;
inline constexpr int kPlayerCountryRecord = 5;
inline constexpr int kPlayerKing = 42;

// message.rn (281,553 bytes, the length the plain load recognises) or message.wn into dir.
void WriteMessageFile(const std::string& dir, bool expansion);

}  // namespace garam::test
