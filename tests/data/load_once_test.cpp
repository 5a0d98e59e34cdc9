// A load does each thing once: it holds the bytes of its files about once, resets its tables in
// the memory they already have, and lists a directory once however many side files it looks for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"
#include "tests/support/save_builder.h"

namespace {
// Bytes asked of operator new while counting; the whole binary allocates through these.
std::size_t gAllocatedBytes = 0;
bool gCountingAllocations = false;
}  // namespace

void* operator new(std::size_t n) {
  if (gCountingAllocations) gAllocatedBytes += n;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
// GCC takes the replacement's own free for a mismatch with operator new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
#pragma GCC diagnostic pop
void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }

namespace garam {
namespace {

struct LoadCase {
  const char* what;
  bool expansion, save, customLoad;
  int scenario;  // 0: a save file
  bool largest = false;
};

// Every file kind, the numbered scenarios at the largest counts.
const LoadCase kLoads[] = {
    {"Korean save, plain load", false, true, false, 0},
    {"Korean save, custom load", false, true, true, 0},
    {"fixed-layout scenario 1", false, false, false, 1},
    {"fixed-layout scenario 2", false, false, false, 2},
    {"expansion save", true, true, true, 0},
    {"Korean numbered scenario", false, false, true, 1, true},
    {"expansion numbered scenario", true, false, true, 1, true},
};

struct Prepared {
  std::unique_ptr<test::Installation> inst;
  std::string file;
  std::uint64_t bytesRead = 0;  // of every file the load reads
};

Prepared Prepare(const LoadCase& c) {
  auto plan = c.expansion ? test::ExpansionInstall('A') : test::KoreanInstall();
  if (c.largest) plan.scenarios[0] = {c.expansion, 80, 80, 500, 200, 1200, 3};
  Prepared p{std::make_unique<test::Installation>(plan)};
  std::vector<std::string> reads{p.inst->path(p.inst->messageName())};
  if (c.save) {
    test::SavePlan save;
    save.expansion = c.expansion;
    save.fileName = c.expansion ? "USER1.WNX" : "USER1.RN";
    save.varCounts.assign(100, 40);
    p.file = p.inst->dir.write(save.fileName, test::BuildSaveImage(save).bytes);
  } else {
    p.file = p.inst->scenarioPath(c.scenario);
    reads.push_back(p.inst->path(p.inst->mapFixName()));
    reads.push_back(p.inst->path(p.inst->mapVarName(c.scenario)));
  }
  reads.push_back(p.file);
  for (const auto& f : reads) p.bytesRead += *FileSize(f);
  return p;
}

// Reloading the loaded file holds each byte of its files about once: tables reset in the memory
// they have, map grids read straight from their files, the data file read into the memory of the
// last one.
TEST(LoadOnce, AReloadAllocatesLessThanTheBytesOfItsFiles) {
  for (const auto& c : kLoads) {
    SCOPED_TRACE(c.what);
    test::ResetEditorState();
    test::FakeHost host;
    Prepared p = Prepare(c);
    ASSERT_TRUE(test::UseExecutable(*p.inst));
    // The first loads allocate what later ones reuse.
    ASSERT_TRUE(LoadGameFile(p.file, c.customLoad));
    ASSERT_TRUE(LoadGameFile(p.file, c.customLoad));
    gAllocatedBytes = 0;
    gCountingAllocations = true;
    const bool ok = LoadGameFile(p.file, c.customLoad);
    gCountingAllocations = false;
    ASSERT_TRUE(ok);
    // Before, a load allocated every table anew beside whole images of every file: twice this.
    EXPECT_LT(gAllocatedBytes, p.bytesRead);
  }
}

// Whatever a set held, each reset leaves it as that reset leaves an empty set: a reset reuses the
// memory of its kind's tables, never their contents.
TEST(LoadOnce, EveryResetOfALoadedSetEqualsTheResetOfAnEmptyOne) {
  const std::pair<const char*, void (*)(GameDataSet&)> resets[] = {
      {"save Kr", ResetArraysSaveKr},
      {"save QV", ResetArraysSaveQV},
      {"scedat1", ResetArraysScedat1},
      {"scedat2", ResetArraysScedat2},
      {"scenario Kr", [](GameDataSet& d) { ResetArraysScenarioKr(d, gExeInfo, 1); }},
      {"scenario QV", [](GameDataSet& d) { ResetArraysScenarioQV(d, gExeInfo, 1); }},
  };
  for (const auto& c : kLoads) {
    SCOPED_TRACE(c.what);
    test::ResetEditorState();
    test::FakeHost host;
    Prepared p = Prepare(c);
    ASSERT_TRUE(test::UseExecutable(*p.inst));
    ASSERT_TRUE(LoadGameFile(p.file, c.customLoad));
    for (const auto& [name, reset] : resets) {
      SCOPED_TRACE(name);
      GameDataSet used = gData, empty;
      // Some resets keep the message blocks' texts: both start with the same.
      empty.gBiographyNameBlock.text = used.gBiographyNameBlock.text;
      empty.gBiographyTextBlock.text = used.gBiographyTextBlock.text;
      reset(used);
      reset(empty);
      EXPECT_TRUE(used == empty);
    }
  }
}

// Within a scope each directory is listed once and every later search answers from its listing.
TEST(LoadOnce, AScopeListsEachDirectoryOnce) {
  test::TempDir a, b;
  a.write("MESSAGE.RN", Bytes{1});
  b.write("Message.Rn", Bytes{2});
  {
    DirectoryListingScope scope;
    EXPECT_EQ(FindFileNoCase(a.dir(), "message.rn"), a.path("MESSAGE.RN"));
    EXPECT_EQ(FindFileNoCase(b.dir(), "message.rn"), b.path("Message.Rn"));
    // A spelling written after the first search is not seen: the directory is not read again.
    a.write("message.rn", Bytes{3});
    EXPECT_EQ(FindFileNoCase(a.dir(), "message.rn"), a.path("MESSAGE.RN"));
  }
  EXPECT_EQ(FindFileNoCase(a.dir(), "message.rn"), a.path("message.rn"));
}

}  // namespace
}  // namespace garam
