// Replacing a set of files together: a failure at any step leaves every file as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/fileio.h"
#include "data/filetransaction.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

// A scenario, both maps and the executable, each with a changed image, in the writers' order.
std::vector<FileImage> FourFiles(const test::Installation& inst) {
  std::vector<FileImage> files;
  for (const char* name : {"SCEDAT1.RN", "Mapfix.rn", "Mapvar1.rn", "game.exe"}) {
    files.push_back({inst.path(name), *ReadWholeFile(inst.path(name))});
    files.back().image[20] ^= 0xFF;
  }
  return files;
}

FileStep gFailStep;
std::string gFailName;
std::vector<std::string> gRenamed;

bool FailAt(FileStep step, const std::string& path) {
  if (step == FileStep::Rename) gRenamed.push_back(NameOf(path));
  return step == gFailStep && NameOf(path) == gFailName;
}

TEST(FileTransaction, AFailureAtAnyStepLeavesEveryFileAsItWas) {
  for (FileStep step : {FileStep::Backup, FileStep::Write, FileStep::Rename}) {
    for (const char* name : {"SCEDAT1.RN", "Mapfix.rn", "Mapvar1.rn", "game.exe"}) {
      SCOPED_TRACE(std::to_string(int(step)) + " " + name);
      test::Installation inst(test::KoreanInstall());
      const auto before = test::Snapshot(inst.dir.dir());
      gFailStep = step, gFailName = name, gFileFault = FailAt;
      EXPECT_FALSE(ReplaceFiles(FourFiles(inst)));
      EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);  // also: no temporary or backup left
    }
  }
  // A real failure too: a directory where a temporary would go cannot be written, even by root.
  test::Installation inst(test::KoreanInstall());
  const auto before = test::Snapshot(inst.dir.dir());
  gFileFault = nullptr;
  std::filesystem::create_directory(TempPathFor(inst.path("Mapvar1.rn")));
  EXPECT_FALSE(ReplaceFiles(FourFiles(inst)));
  EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
}

TEST(FileTransaction, ReplacesInOrderSkipsUnchangedFilesAndKeepsModes) {
  test::Installation inst(test::KoreanInstall());
  const auto before = test::Snapshot(inst.dir.dir());
  auto files = FourFiles(inst);
  files[1].image = before.at("Mapfix.rn");
  const auto mode = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read;
  std::filesystem::permissions(files[3].path, mode);
  gFailName.clear(), gRenamed.clear(), gFileFault = FailAt;
  ASSERT_TRUE(ReplaceFiles(files));
  auto after = test::Snapshot(inst.dir.dir());
  EXPECT_EQ(gRenamed, (std::vector<std::string>{"SCEDAT1.RN", "Mapvar1.rn", "game.exe"}));
  EXPECT_EQ(std::filesystem::status(files[3].path).permissions(), mode);
  for (const auto& f : files) {
    EXPECT_TRUE(after.at(NameOf(f.path)) == f.image) << f.path;
    after[NameOf(f.path)] = before.at(NameOf(f.path));
  }
  EXPECT_EQ(after, before);  // nothing else changed and nothing is left beside them
}

// Backups go under names nobody uses: "<file>.bak" files the user keeps beside the game are
// neither overwritten nor removed, whether the update succeeds or is undone.
TEST(FileTransaction, TheUsersOwnBackupsAreLeftAlone) {
  for (bool fails : {false, true}) {
    SCOPED_TRACE(fails);
    test::Installation inst(test::KoreanInstall());
    inst.dir.write("Mapfix.rn.bak", Bytes(5, 1));
    inst.dir.write("game.exe.bak", Bytes(6, 2));
    inst.dir.write("game.exe.bak1", Bytes(7, 3));
    auto expected = test::Snapshot(inst.dir.dir());
    const auto files = FourFiles(inst);
    gFailStep = FileStep::Rename, gFailName = fails ? "game.exe" : "", gFileFault = FailAt;
    EXPECT_EQ(ReplaceFiles(files), !fails);
    if (!fails)
      for (const auto& f : files) expected[NameOf(f.path)] = f.image;
    EXPECT_EQ(test::Snapshot(inst.dir.dir()), expected);
  }
}

// A file its owner may not write is not replaced, nor is anything else of the update; judged by
// the permission bits too, since root may write anything. An unchanged one is not written at all.
TEST(FileTransaction, AReadOnlyFileStopsTheUpdateBeforeAnythingChanges) {
  namespace fs = std::filesystem;
  test::Installation inst(test::KoreanInstall());
  const auto before = test::Snapshot(inst.dir.dir());
  auto files = FourFiles(inst);
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(inst.path("Mapvar1.rn"), readOnly);
  gFileFault = nullptr;
  EXPECT_FALSE(ReplaceFiles(files));
  EXPECT_EQ(test::Snapshot(inst.dir.dir()), before);
  EXPECT_EQ(fs::status(inst.path("Mapvar1.rn")).permissions(), readOnly);
  files[2].image = before.at("Mapvar1.rn");
  EXPECT_TRUE(ReplaceFiles(files));
}

// A backup that cannot be renamed back holds the only copy of the old bytes: it stays, and the
// other files are still put back.
TEST(FileTransaction, AFailedRestoreKeepsItsBackup) {
  test::Installation inst(test::KoreanInstall());
  const auto before = test::Snapshot(inst.dir.dir());
  const auto files = FourFiles(inst);
  gFileFault = [](FileStep step, const std::string& path) {
    return (step == FileStep::Rename && NameOf(path) == "game.exe") || (step == FileStep::Restore && NameOf(path) == "Mapfix.rn");
  };
  EXPECT_FALSE(ReplaceFiles(files));
  auto after = test::Snapshot(inst.dir.dir());
  EXPECT_TRUE(after.at("Mapfix.rn") == files[1].image && after.at("Mapfix.rn.bak") == before.at("Mapfix.rn"));
  after.erase("Mapfix.rn.bak"), after["Mapfix.rn"] = before.at("Mapfix.rn");
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace garam
