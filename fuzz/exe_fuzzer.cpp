// libFuzzer target: the executable's tables. The reader needs an image of about two megabytes but
// reads only a few hundred bytes of it, so each build's valid image is made once and the input
// rewrites the windows the reader looks at:
//   u8 base build and window build (0..8), i8 bytes added at the end, then bytes for the windows
//   of the window build in order (marker, message table, the four count tables, start years,
//   bitmap names); windows the input does not reach keep the base's bytes.
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "data/exeinfo.h"
#include "fuzz/common.h"
#include "tests/support/exe_builder.h"

namespace {

using namespace garam;
using Window = std::pair<std::int64_t, std::size_t>;

constexpr char kBuildIds[] = {'A', 'B', 'C'};
constexpr std::size_t kMaxExtra = 127;

std::vector<Window> WindowsOf(const ExeBuild& b) {
  std::vector<Window> w{{b.marker, 8}, {b.messageTable, 48}};
  for (auto table : {b.countryTable, b.cityTable, b.consortTable}) w.push_back({table, std::size_t(CountOffset(table, 4) - table + 1)});
  w.push_back({b.generalTable, std::size_t(GeneralCountOffset(b.generalTable, 4) - b.generalTable + 2)});
  if (b.expansion)
    for (auto table : b.startYearTables) w.push_back({table, 8});
  for (auto name : {b.itemBitmapName, b.womenBitmapName, b.menBitmapName}) w.push_back({name, 13});
  return w;
}

test::ExePlan PlanOf(char id) { return id == 'C' ? test::KoreanExe() : test::ExpansionExe(id); }

struct Images {
  std::array<Bytes, 3> base, buffer;
  std::array<std::vector<Window>, 3> windows;
  Images() {
    for (int i = 0; i < 3; ++i) {
      base[i] = test::BuildExe(PlanOf(kBuildIds[i]));
      buffer[i] = base[i];
      buffer[i].resize(base[i].size() + kMaxExtra, 0);
      windows[i] = WindowsOf(test::BuildOf(kBuildIds[i]));
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Images images;
  fuzz::Controls c({data, size});
  const int sel = c.u8() % 9, baseIndex = sel % 3, windowIndex = sel / 3;
  const int extra = int(std::int8_t(c.u8()));
  Bytes& buffer = images.buffer[baseIndex];
  const Bytes& base = images.base[baseIndex];
  // Whatever an earlier input wrote into any build's windows goes back to the base first.
  for (const auto& windows : images.windows)
    for (auto [at, n] : windows)
      if (std::size_t(at) + n <= base.size()) std::memcpy(&buffer[at], &base[at], n);
  for (auto [at, n] : images.windows[windowIndex]) {
    auto bytes = c.take(n);
    if (std::size_t(at) + bytes.size() <= buffer.size()) std::memcpy(&buffer[at], bytes.data(), bytes.size());
  }
  ExeInfo info;
  ParseExeImage(std::span(buffer).first(std::size_t(std::int64_t(base.size()) + extra)), info);
  return 0;
}

std::vector<Bytes> garam::fuzz::Seeds() {
  std::vector<Bytes> seeds;
  for (int i = 0; i < 3; ++i) {
    const Bytes exe = test::BuildExe(PlanOf(kBuildIds[i]));
    Bytes s{std::uint8_t(4 * i), 0};
    for (auto [at, n] : WindowsOf(test::BuildOf(kBuildIds[i]))) s.insert(s.end(), &exe[at], &exe[at] + n);
    seeds.push_back(s);
    s[1] = std::uint8_t(-1);  // one byte short
    seeds.push_back(std::move(s));
  }
  return seeds;
}
