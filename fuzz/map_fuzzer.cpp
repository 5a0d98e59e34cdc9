// libFuzzer target: the map file reader. The files have one length each, so a valid image of each
// kind is made once and the input says which, how many bytes to add at the end (i8) and what to
// write over the image's start (its tag and the first cells).
#include <algorithm>
#include <cstring>

#include "data/gamedata.h"
#include "data/mapfiles.h"
#include "fuzz/common.h"
#include "tests/support/installation.h"

namespace {

using namespace garam;

constexpr std::size_t kMaxExtra = 127;

struct Image {
  Bytes base, buffer;
  std::size_t written = 0;  // bytes of buffer an earlier input changed
  explicit Image(Bytes b) : base(std::move(b)), buffer(base) { buffer.resize(base.size() + kMaxExtra, 0); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Image images[2] = {Image(test::BuildMapFix(99)), Image(test::BuildMapVar(101))};
  static Grid<MapCell> grid;
  fuzz::Controls c({data, size});
  const bool fixed = c.u8() % 2 == 0;
  const int extra = int(std::int8_t(c.u8()));
  Image& image = images[fixed ? 0 : 1];
  std::memcpy(image.buffer.data(), image.base.data(), image.written);
  const auto patch = c.take(image.base.size());
  std::memcpy(image.buffer.data(), patch.data(), patch.size());
  image.written = patch.size();

  const auto file = std::span(image.buffer).first(std::size_t(std::int64_t(image.base.size()) + extra));
  // The grid is the file's bytes behind the tag, cell after cell.
  if (ParseMapImage(file, fixed, grid) &&
      std::memcmp(grid.cells.data(), file.data() + kMapGridOffset, kMapGridBytes) != 0)
    __builtin_trap();
  return 0;
}

std::vector<Bytes> garam::fuzz::Seeds() {
  std::vector<Bytes> seeds;
  for (std::uint8_t kind : {0, 1}) {
    const Bytes image = kind == 0 ? test::BuildMapFix(99) : test::BuildMapVar(101);
    seeds.push_back({kind, 0});
    seeds.push_back({kind, 1});
    Bytes s{kind, 0};
    s.insert(s.end(), image.begin(), image.begin() + 64);
    seeds.push_back(std::move(s));
  }
  return seeds;
}
