// libFuzzer target: arbitrary bytes as one file of a synthetic installation (scenarios and save
// files of both editions), fed through the same entry point a load uses. The first byte picks the
// file and the load command; the second says whether the rest replaces the file whole or patches
// the valid file (five bytes a patch: 32-bit offset, new byte), which reaches far past the
// readers' size checks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string_view>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/cities.h"
#include "data/loader.h"
#include "data/mapcache.h"
#include "fuzz/common.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"
#include "tests/support/save_builder.h"

namespace {

using namespace garam;

struct Setup {
  std::unique_ptr<test::Installation> kr, qv;
  test::FakeHost host;
  Setup() {
    auto plan = test::KoreanInstall();
    plan.marker = true;
    kr = std::make_unique<test::Installation>(plan);
    qv = std::make_unique<test::Installation>(test::ExpansionInstall('A'));
    kr->dir.write("USER1.RN", test::BuildSaveImage({.varCounts = {2, 0, 5}, .queue = {{7, 1200, 3}}}).bytes);
    qv->dir.write("user1.wnx", test::BuildSaveImage({.expansion = true, .fileName = "user1.wnx",
                                                     .varCounts = {1}, .var2Counts = {0, 3}})
                                   .bytes);
  }
};

struct Case {
  bool expansion, custom;
  const char* file;      // replaced by the input
  const char* scenario;  // then loaded
};
constexpr Case kCases[] = {
    {false, false, "SCEDAT1.RN", "SCEDAT1.RN"}, {false, false, "SCEDAT2.RN", "SCEDAT2.RN"},
    {false, true, "SCEDAT1.RN", "SCEDAT1.RN"},  {false, false, "message.rn", "SCEDAT1.RN"},
    {false, true, "message.rn", "SCEDAT2.RN"},  {false, false, "Mapfix.rn", "SCEDAT1.RN"},
    {false, true, "Mapvar2.rn", "SCEDAT2.RN"},  {false, true, "game.exe", "SCEDAT1.RN"},
    {true, true, "scedat1.wn", "scedat1.wn"},   {true, true, "message.wn", "scedat2.wn"},
    {true, true, "Mapvar3.wn", "scedat3.wn"},   {true, true, "game.exe", "scedat4.wn"},
    {false, false, "USER1.RN", "USER1.RN"},     {false, true, "USER1.RN", "USER1.RN"},
    {true, true, "user1.wnx", "user1.wnx"},     {false, false, "message.rn", "USER1.RN"},
};

Setup& TheSetup() {
  static Setup setup;
  return setup;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Setup& setup = TheSetup();
  if (size < 2) return 0;
  const Case& c = kCases[data[0] % std::size(kCases)];
  test::Installation& inst = c.expansion ? *setup.qv : *setup.kr;
  const std::string path = inst.path(c.file);
  const Bytes original = *ReadWholeFile(path);
  if (data[1] % 2) {
    inst.dir.write(c.file, Bytes(data + 2, data + size));
  } else {
    Bytes patched = original;
    for (std::size_t i = 2; i + 5 <= size; i += 5) {
      std::uint32_t off = GetU32(data + i);
      // Offsets past the end grow the file a little, so lengths near the valid one are tried too.
      if (off % 64 == 63 && patched.size() >= 4) patched.resize(patched.size() + (data[i + 4] % 8) - 4);
      else if (!patched.empty()) patched[off % patched.size()] = data[i + 4];
    }
    inst.dir.write(c.file, patched);
  }

  test::ResetEditorState();
  bool exeOk = !c.custom || test::UseExecutable(inst);
  if (exeOk && LoadGameFile(inst.path(c.scenario), c.custom)) {
    // What the map editor reads of a loaded map: the display cache, its start cell, status lines.
    BuildMapCache();
    const MapPoint start = MapStartCell();
    const std::vector<int> cities = ListedCities();
    for (int y = 0; y < kMapHeight; y += 7) CellStatusText(start.x, y, cities);
  }
  inst.dir.write(c.file, original);
  return 0;
}

// Every case with its valid file, and the same with a byte patched into the first kilobyte; and
// each of the six kinds of data file whole, so that mutations of the whole-file mode start from
// a file its reader accepts.
std::vector<Bytes> garam::fuzz::Seeds() {
  std::vector<Bytes> seeds;
  for (std::uint8_t i = 0; i < std::size(kCases); ++i) {
    seeds.push_back({i, 0});
    seeds.push_back({i, 0, std::uint8_t(17 * i), 1, 0, 0, 0xFF});
  }
  std::set<std::int32_t> kinds;
  for (std::uint8_t i = 0; i < std::size(kCases); ++i) {
    const Case& c = kCases[i];
    if (std::string_view(c.file) != c.scenario || !kinds.insert(*ClassifyFileName(c.file, c.custom)).second) continue;
    test::Installation& inst = c.expansion ? *TheSetup().qv : *TheSetup().kr;
    Bytes seed{i, 1};
    const Bytes file = *ReadWholeFile(inst.path(c.file));
    seed.insert(seed.end(), file.begin(), file.end());
    seeds.push_back(std::move(seed));
  }
  if (kinds.size() != 6) std::abort();  // a case table without one of the six kinds
  return seeds;
}
