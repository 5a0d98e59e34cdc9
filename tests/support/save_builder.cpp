#include "tests/support/save_builder.h"

#include <fstream>
#include <random>

namespace garam::test {
namespace {

// Writes a variable part of n entries (count word at +1, six bytes per item) from at; returns its end.
std::size_t PutVariablePart(Bytes& b, std::size_t at, std::size_t n, const std::vector<std::int16_t>& counts) {
  for (std::size_t e = 0; e < n; ++e) {
    const std::int16_t c = e < counts.size() ? counts[e] : 0;
    PutU16(&b[at + 1], std::uint16_t(c));
    at += 3 + (c > 0 ? 6 * std::size_t(c) : 0);
  }
  return at;
}

std::size_t Items(const std::vector<std::int16_t>& counts) {
  std::size_t n = 0;
  for (auto c : counts) n += c > 0 ? std::size_t(c) : 0;
  return n;
}

}  // namespace

SaveImage BuildSaveImage(const SavePlan& plan) {
  SaveImage s;
  const bool qv = s.expansion = plan.expansion;
  // Offsets as the file layout tables give them: regions, specialties, culture items, unit types,
  // generals, consorts, princesses and the variable part; then, from the appearance queue, the
  // eight mission tables, the cities and the countries.
  constexpr std::array<std::size_t, 8> kHeadKr{97, 1217, 1868, 3948, 4316, 33316, 38916, 43116};
  constexpr std::array<std::size_t, 8> kHeadQV{105, 1225, 1876, 3956, 4388, 32888, 38488, 42688};
  constexpr std::array<std::size_t, 8> kMissionsFromQueue{500, 22000, 29500, 36000, 42500, 49000, 54500, 80500};
  const auto& head = qv ? kHeadQV : kHeadKr;
  s.regions = head[0], s.specialties = head[1], s.cultureItems = head[2], s.unitTypes = head[3];
  s.generals = head[4], s.queens = head[5], s.princesses = head[6], s.variable = head[7];
  s.queue = s.variable + 100 * 3 + 6 * Items(plan.varCounts) + 800;
  for (std::size_t i = 0; i < s.missions.size(); ++i) s.missions[i] = s.queue + kMissionsFromQueue[i];
  s.cities = s.queue + 81700;
  s.countries = s.queue + 825540;
  if (qv) {
    s.variable2 = s.countries + 80 * 348;
    s.beforeMap = s.variable2 + 50 * 3 + 6 * Items(plan.var2Counts);
    s.map = s.beforeMap + 20808;
  } else {
    s.map = s.variable2 = s.beforeMap = s.queue + 850020;
  }
  s.tail = s.map + 450000;

  std::mt19937 rng(plan.seed);
  s.bytes.resize(s.tail + 182 + (qv ? plan.trailing : 0));
  for (auto& b : s.bytes) b = std::uint8_t(rng());

  // Header: the file's own name, NUL, spaces.
  const std::string name = qv ? plan.fileName.substr(0, plan.fileName.size() - 1) : plan.fileName;
  for (std::size_t i = 0; i < 14; ++i) s.bytes[i] = i < name.size() ? std::uint8_t(name[i]) : i == name.size() ? 0 : ' ';
  s.bytes[qv ? 63 : 65] = kPlayerCountryNumber;

  PutVariablePart(s.bytes, s.variable, 100, plan.varCounts);
  if (qv) PutVariablePart(s.bytes, s.variable2, 50, plan.var2Counts);

  // Cross-references within the ranges the save checks accept.
  for (int i = 0; i < 500; ++i) s.general(i)[qv ? 22 : 25] = std::uint8_t(rng() % 81);
  for (int i = 0; i < 80; ++i) {
    s.city(i)[22] = std::uint8_t(rng() % 81);
    PutU16(s.country(i) + 20, std::uint16_t(rng() % 501));
  }
  for (int i = 0; i < 200; ++i) PutU16(&s.bytes[s.queens + 28 * std::size_t(i) + 20], std::uint16_t(rng() % 501));
  s.tailBlock()[13 + kPlayerCountryNumber] = kPlayerCountryRecord;
  PutU16(s.country(kPlayerCountryRecord) + 20, kPlayerKing);

  for (std::size_t e = 0; e < 100; ++e) {
    const QueueEntry q = e < plan.queue.size() ? plan.queue[e] : QueueEntry{500, 0, 232};
    std::uint8_t* p = &s.bytes[s.queue + 5 * e];
    PutU16(p, std::uint16_t(q.general));
    PutU16(p + 2, q.year);
    p[4] = q.city;
  }
  return s;
}

void WriteMessageFile(const std::string& dir, bool expansion) {
  std::ofstream(dir + (expansion ? "message.wn" : "message.rn"), std::ios::binary) << std::string(281553, ' ');
}

}  // namespace garam::test
