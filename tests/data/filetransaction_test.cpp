// Replacing a set of files together: a failure at any step leaves every file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ranges>
#include <tuple>

#include "data/fileio.h"
#include "data/filetransaction.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

namespace fs = std::filesystem;

// A scenario, both maps and the executable, each with a changed image, in the writers' order.
std::vector<FileImage> FourFiles(const test::Installation& inst) {
  std::vector<FileImage> files;
  for (const char* name : {"SCEDAT1.RN", "Mapfix.rn", "Mapvar1.rn", "game.exe"}) {
    Bytes image = *ReadWholeFile(inst.path(name));
    image[20] ^= 0xFF;
    files.push_back({inst.path(name), std::move(image)});
  }
  return files;
}

struct Fault {
  FileStep step;
  std::string name;
};
Fault gFailAt;
std::vector<std::pair<FileStep, std::string>> gAsked;

bool FailAt(FileStep step, const std::string& path) {
  gAsked.emplace_back(step, NameOf(path));
  return step == gFailAt.step && NameOf(path) == gFailAt.name;
}

TEST(FileTransaction, AFailureAtAnyStepLeavesEveryFileAsItWas) {
  for (FileStep step : {FileStep::Backup, FileStep::Write, FileStep::Rename}) {
    for (const char* name : {"SCEDAT1.RN", "Mapfix.rn", "Mapvar1.rn", "game.exe"}) {
      SCOPED_TRACE(std::to_string(int(step)) + " " + name);
      test::Installation inst(test::KoreanInstall());
      const auto before = test::Snapshot(inst.dir.dir());
      gFailAt = {step, name};
      gFileFault = FailAt;
      EXPECT_FALSE(ReplaceFiles(FourFiles(inst)));
      EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);  // also: no temporary or backup left
    }
  }
}

TEST(FileTransaction, ReplacesInOrderSkipsUnchangedFilesAndKeepsModes) {
  test::Installation inst(test::KoreanInstall());
  const auto before = test::Snapshot(inst.dir.dir());
  auto files = FourFiles(inst);
  files[1].image = *ReadWholeFile(files[1].path);  // the fixed map stays as it is
  fs::permissions(files[3].path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  gAsked.clear();
  gFailAt = {FileStep::InUse, ""};
  gFileFault = FailAt;
  ASSERT_TRUE(ReplaceFiles(files));
  const auto after = test::Snapshot(inst.dir.dir());
  EXPECT_TRUE(std::ranges::equal(std::views::keys(after), std::views::keys(before)));  // nothing left beside them
  for (const auto& f : files) EXPECT_TRUE(after.at(NameOf(f.path)) == f.image) << f.path;
  EXPECT_EQ(fs::status(files[3].path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  std::vector<std::pair<FileStep, std::string>> renames;
  for (const auto& a : gAsked)
    if (a.first == FileStep::Rename) renames.push_back(a);
  EXPECT_EQ(renames, (std::vector<std::pair<FileStep, std::string>>{
                         {FileStep::Rename, "SCEDAT1.RN"}, {FileStep::Rename, "Mapvar1.rn"}, {FileStep::Rename, "game.exe"}}));
  for (const auto& a : gAsked) EXPECT_NE(a.second, "Mapfix.rn");
}

// A backup that cannot be renamed back is the only copy of the old bytes: it stays, and the
// other files are still put back.
TEST(FileTransaction, AFailedRestoreKeepsItsBackup) {
  test::Installation inst(test::KoreanInstall());
  const auto before = test::Snapshot(inst.dir.dir());
  const auto files = FourFiles(inst);
  gFileFault = [](FileStep step, const std::string& path) {
    return (step == FileStep::Rename && NameOf(path) == "game.exe") ||
           (step == FileStep::Restore && NameOf(path) == "Mapfix.rn");
  };
  EXPECT_FALSE(ReplaceFiles(files));
  auto after = test::Snapshot(inst.dir.dir());
  EXPECT_TRUE(after.at("Mapfix.rn") == files[1].image);
  EXPECT_TRUE(after.at("Mapfix.rn.bak") == before.at("Mapfix.rn"));
  after.erase("Mapfix.rn.bak"), after["Mapfix.rn"] = before.at("Mapfix.rn");
  EXPECT_EQ(after, before);
}

TEST(FileTransaction, RealFailuresUndoToo) {
  test::Installation inst(test::KoreanInstall());
  const auto before = test::Snapshot(inst.dir.dir());
  auto files = FourFiles(inst);
  // A directory where the temporary would go cannot be written, even by root.
  fs::create_directory(TempPathFor(files[2].path));
  EXPECT_FALSE(ReplaceFiles(files));
  EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
  // A file that cannot be read stops everything before any step.
  files[2].path = inst.path("missing.rn");
  EXPECT_FALSE(ReplaceFiles(files));
  EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
}

TEST(FileTransaction, PatchesOutsideTheImageAreRefusedWhole) {
  Bytes image{1, 2, 3, 4};
  EXPECT_FALSE(ApplyPatches(image, {{0, {9}}, {3, {9, 9}}}));
  EXPECT_FALSE(ApplyPatches(image, {{UINT64_MAX, {9}}}));
  EXPECT_EQ(image, (Bytes{1, 2, 3, 4}));
  EXPECT_TRUE(ApplyPatches(image, {{0, {9}}, {2, {8, 7}}}));
  EXPECT_EQ(image, (Bytes{9, 2, 8, 7}));
}

}  // namespace
}  // namespace garam
