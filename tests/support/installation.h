// Synthetic game installations: scenario files of both editions with their executable, message
// file, map files and bitmaps, built byte by byte from the file layouts (not through the editor's
// own serialisers), so reader and writer faults cannot cancel out.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "data/bytes.h"
#include "tests/support/exe_builder.h"
#include "tests/support/tempdir.h"

namespace garam::test {

struct ScenarioPlan {
  bool expansion = false;
  int countries = 30, cities = 42, generals = 206, consorts = 31;
  int startYear = 1200;
  std::uint32_t seed = 1;
};
// Random record bytes with sound cross-references: kings and husbands name existing generals,
// cities belong to existing countries, generals serve in a city 0 to 80.
Bytes BuildScenario(const ScenarioPlan& plan);

// message.rn of the shipped lengths: variant 0 is 281553 bytes, variant 1 is 278282. The
// Korean executable's message positions point at the same areas of a variant.
struct KoreanMessageVariant {
  std::size_t length, cultureStart, textStart, nameStart, nameSize, textSize, marker;
};
extern const std::array<KoreanMessageVariant, 2> kKoreanMessageVariants;
Bytes BuildMessageRn(int variant, bool withMarker, std::uint32_t seed = 7);
std::array<std::int32_t, 12> KoreanMessagePositions(int variant);

Bytes BuildMapFix(std::uint32_t seed);
Bytes BuildMapVar(std::uint32_t seed);
// A bitmap file of exactly length bytes whose header names a sheet of width x height pixels.
Bytes BuildBmp(std::size_t length, int width, int height);

// A whole installation in one directory.
struct InstallPlan {
  bool expansion = false;
  char build = 'C';  // 'A' or 'B' for the expansion edition
  int messageVariant = 0;
  bool marker = false;
  bool bitmaps = false;
  // Counts of scenarios 1 to 4 (the Korean edition uses 1 and 2).
  std::array<ScenarioPlan, 4> scenarios{};
};
InstallPlan KoreanInstall();
InstallPlan ExpansionInstall(char build = 'A');

struct Installation {
  InstallPlan plan;
  TempDir dir;
  std::string exe;
  explicit Installation(const InstallPlan& s);
  std::string path(const std::string& name) const { return dir.path(name); }
  // Reads a file of the installation, lets f change its bytes and writes it back.
  void edit(const std::string& name, const std::function<void(Bytes&)>& f) const;
  // The file name of scenario n: SCEDAT<n>.RN or scedat<n>.wn.
  std::string scenarioName(int n) const;
  std::string scenarioPath(int n) const { return path(scenarioName(n)); }
  std::string mapVarName(int n) const;
  std::string mapFixName() const { return plan.expansion ? "Mapfix.wn" : "Mapfix.rn"; }
  std::string messageName() const { return plan.expansion ? "message.wn" : "message.rn"; }
};

// Reads the executable of an installation into gExeInfo as the custom load does.
bool UseExecutable(const Installation& inst);

// Puts the whole editor state and the test seams back to a fresh start.
void ResetEditorState();
// Every test starts from a fresh state, whatever the test before it left behind.
void InstallFreshStatePerTest();
// Every file of a directory with its bytes, for before/after comparisons.
std::map<std::string, Bytes> Snapshot(const std::string& dir);
}  // namespace garam::test
