#include "tests/support/save_builder.h"

#include <fstream>
#include <random>

namespace garam::test {
namespace {

void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}

}  // namespace

SaveImage BuildSaveImage(const SaveSpec& spec) {
  SaveImage s;
  s.expansion = spec.expansion;
  const bool qv = spec.expansion;
  std::size_t items = 0, items2 = 0;
  for (auto c : spec.varCounts) items += c > 0 ? std::size_t(c) : 0;
  for (auto c : spec.var2Counts) items2 += c > 0 ? std::size_t(c) : 0;

  // Offsets as the file layout tables give them.
  if (!qv) {
    s.regions = 97;
    s.specialties = 1217;
    s.cultureItems = 1868;
    s.unitTypes = 3948;
    s.generals = 4316;
    s.queens = 33316;
    s.princesses = 38916;
    s.variable = 43116;
  } else {
    s.regions = 105;
    s.specialties = s.regions + 56 * 20;
    s.cultureItems = s.specialties + 31 * 21;
    s.unitTypes = s.cultureItems + 80 * 26;
    s.generals = s.unitTypes + 24 * 18;
    s.queens = s.generals + 500 * 57;
    s.princesses = s.queens + 200 * 28;
    s.variable = s.princesses + 200 * 21;
  }
  s.queue = s.variable + 100 * 3 + 6 * items + 800;
  s.armies = s.queue + 500;
  s.transports = s.queue + 22000;
  s.labours = s.queue + 29500;
  s.envoys = s.queue + 36000;
  s.spies = s.queue + 42500;
  s.marches = s.queue + 49000;
  s.caravans = s.queue + 54500;
  s.migrations = s.queue + 80500;
  s.cities = s.queue + 81700;
  s.countries = s.queue + 825540;
  if (!qv) {
    s.map = s.queue + 850020;
  } else {
    s.variable2 = s.countries + 80 * 348;
    s.block = s.variable2 + 50 * 3 + 6 * items2;
    s.map = s.block + 20808;
  }
  s.tail = s.map + 450000;
  std::size_t size = s.tail + 182 + (qv ? spec.trailing : 0);

  std::mt19937 rng(spec.seed);
  s.bytes.resize(size);
  for (auto& b : s.bytes) b = std::uint8_t(rng());

  // Header: the file's own name, NUL, spaces.
  std::string name = qv ? spec.fileName.substr(0, spec.fileName.size() - 1) : spec.fileName;
  for (std::size_t i = 0; i < 14; ++i) s.bytes[i] = i < name.size() ? std::uint8_t(name[i]) : i == name.size() ? 0 : ' ';
  s.bytes[qv ? 63 : 65] = kPlayerCountryNumber;

  // Variable parts: the counts the spec asks for, the other entries empty.
  std::size_t pos = s.variable;
  for (std::size_t e = 0; e < 100; ++e) {
    std::int16_t c = e < spec.varCounts.size() ? spec.varCounts[e] : 0;
    Put16(s.bytes, pos + 1, std::uint16_t(c));
    pos += 3 + (c > 0 ? 6 * std::size_t(c) : 0);
  }
  if (qv) {
    pos = s.variable2;
    for (std::size_t e = 0; e < 50; ++e) {
      std::int16_t c = e < spec.var2Counts.size() ? spec.var2Counts[e] : 0;
      Put16(s.bytes, pos + 1, std::uint16_t(c));
      pos += 3 + (c > 0 ? 6 * std::size_t(c) : 0);
    }
  }

  // Cross-references within the ranges the save checks accept.
  const std::size_t gs = s.generalSize(), cityOff = qv ? 22 : 25;
  for (int i = 0; i < 500; ++i) s.bytes[s.generals + gs * std::size_t(i) + cityOff] = std::uint8_t(rng() % 81);
  for (int i = 0; i < 80; ++i) {
    s.city(i)[22] = std::uint8_t(rng() % 81);
    Put16(s.bytes, s.countries + s.countrySize() * std::size_t(i) + 20, std::uint16_t(rng() % 501));
  }
  for (int i = 0; i < 200; ++i) Put16(s.bytes, s.queens + 28 * std::size_t(i) + 20, std::uint16_t(rng() % 501));
  s.tailBlock()[13 + kPlayerCountryNumber] = kPlayerCountryRecord;
  Put16(s.bytes, s.countries + s.countrySize() * kPlayerCountryRecord + 20, kPlayerKing);

  for (int e = 1; e <= 100; ++e) {
    QueueEntry q = std::size_t(e - 1) < spec.queue.size() ? spec.queue[std::size_t(e - 1)] : QueueEntry{500, 0, 232};
    std::uint8_t* p = s.queueEntry(e);
    p[0] = std::uint8_t(q.general);
    p[1] = std::uint8_t(std::uint16_t(q.general) >> 8);
    p[2] = std::uint8_t(q.year);
    p[3] = std::uint8_t(q.year >> 8);
    p[4] = q.city;
  }
  return s;
}

void WriteMessageFile(const std::string& dir, bool expansion) {
  std::ofstream f(dir + (expansion ? "message.wn" : "message.rn"), std::ios::binary);
  std::string body(281553, ' ');
  f.write(body.data(), std::streamsize(body.size()));
}

}  // namespace garam::test
