#include "tests/support/exe_builder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace garam::test {

ExePlan KoreanExe() { return ExePlan{}; }

ExePlan ExpansionExe(char build) {
  ExePlan s;
  s.build = build;
  s.countries = {30, 27, 40, 50};
  s.cities = {42, 41, 60, 80};
  s.generals = {206, 151, 300, 500};
  s.consorts = {31, 27, 50, 200};
  s.startYears = {1180, 1200, 1250, 1300};
  s.messagePositions = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110};
  s.menBitmap = "menqvx.bmp", s.womenBitmap = "womenqvz.bmp", s.itemBitmap = "itemsqvx.bmp";
  return s;
}

const ExeBuild& BuildOf(char id) {
  for (const auto& b : kExeBuilds)
    if (b.id == id) return b;
  throw std::invalid_argument("unknown build");
}

Bytes BuildExe(const ExePlan& plan) {
  const ExeBuild& b = BuildOf(plan.build);
  std::size_t size = plan.size;
  if (size == 0) size = std::max<std::size_t>(1960000, b.expansion ? std::size_t(b.startYearTables[2]) + 8 : 0);
  Bytes exe(size, 0xCC);
  auto put = [&](std::int64_t off, const void* p, std::size_t n) {
    if (off >= 0 && std::size_t(off) + n <= exe.size()) std::memcpy(&exe[off], p, n);
  };
  auto put8 = [&](std::int64_t off, int v) { std::uint8_t x = std::uint8_t(v); put(off, &x, 1); };
  auto put16 = [&](std::int64_t off, int v) { std::uint8_t x[2]; PutU16(x, std::uint16_t(v)); put(off, x, 2); };
  auto putName = [&](std::int64_t off, const std::string& s) {
    std::uint8_t field[13] = {};
    std::memcpy(field, s.data(), std::min<std::size_t>(s.size(), 13));
    put(off, field, 13);
  };
  put(b.marker, plan.marker.data(), std::min<std::size_t>(plan.marker.size(), 8));
  for (int i = 0; i < 12; ++i) {
    std::uint8_t x[4];
    PutU32(x, std::uint32_t(plan.messagePositions[i]));
    put(b.messageTable + 4 * i, x, 4);
  }
  for (int n = 1; n <= 4; ++n) {
    if (!b.expansion && n > 2) break;
    put8(CountOffset(b.countryTable, n), plan.countries[n - 1]);
    put8(CountOffset(b.cityTable, n), plan.cities[n - 1]);
    put16(GeneralCountOffset(b.generalTable, n), plan.generals[n - 1]);
    put8(CountOffset(b.consortTable, n), plan.consorts[n - 1]);
  }
  if (b.expansion)
    for (auto t : b.startYearTables)
      for (int n = 0; n < 4; ++n) put16(t + 2 * n, plan.startYears[n]);
  putName(b.itemBitmapName, plan.itemBitmap);
  putName(b.womenBitmapName, plan.womenBitmap);
  putName(b.menBitmapName, plan.menBitmap);
  return exe;
}

}  // namespace garam::test
