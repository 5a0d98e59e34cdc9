// Load then save with no edit: every file of the installation comes back byte for byte.
#include <gtest/gtest.h>

#include "data/gamedata.h"
#include "data/loader.h"
#include "data/message.h"
#include "data/scenario_io.h"
#include "tests/support/fakehost.h"
#include "tests/support/installation.h"

namespace garam {
namespace {

using test::Installation;

class ScenarioRoundTrip : public ::testing::Test {
 protected:
  test::FakeHost host;

  void ExpectRoundTrip(Installation& inst, int n, bool custom, std::int32_t kind) {
    SCOPED_TRACE(inst.scenarioName(n) + (custom ? " custom" : " plain"));
    test::ResetEditorState();
    if (custom) {
      ASSERT_TRUE(test::UseExecutable(inst));
    }
    const auto before = test::Snapshot(inst.dir.dir());
    ASSERT_TRUE(LoadGameFile(inst.scenarioPath(n), custom)) << host.lastMessage();
    EXPECT_EQ(gFileKind, kind);
    EXPECT_EQ(test::Snapshot(inst.dir.dir()), before) << "a load changed a file";
    MarkDataChanged();
    ASSERT_TRUE(SaveGameFile()) << host.lastMessage();
    EXPECT_FALSE(gDataChanged);
    const auto after = test::Snapshot(inst.dir.dir());
    ASSERT_EQ(after.size(), before.size()) << "a save left a file behind";
    for (const auto& [file, bytes] : before) EXPECT_TRUE(after.at(file) == bytes) << file << " changed";
  }
};

TEST_F(ScenarioRoundTrip, EveryKindOfBothEditions) {
  for (int variant : {0, 1}) {
    auto plan = test::KoreanInstall();
    plan.messageVariant = variant;
    Installation inst(plan);
    ExpectRoundTrip(inst, 1, false, kScedat1);
    ExpectRoundTrip(inst, 2, false, kScedat2);
    ExpectRoundTrip(inst, 1, true, kScenarioKr);
    ExpectRoundTrip(inst, 2, true, kScenarioKr);
  }
  for (char build : {'A', 'B'}) {
    Installation inst(test::ExpansionInstall(build));
    for (int n = 1; n <= 4; ++n) ExpectRoundTrip(inst, n, true, kScenarioQV);
  }
}

TEST(MessageEntries, SplitAndJoinAreInverse) {
  const std::string sep = "\x05\x05\x05";
  // An empty entry still takes its separator; extra separators stay in the filler.
  std::string area = "a" + sep + sep + "b" + sep + "c" + sep + "  ";
  auto e = SplitEntries(area, 2);
  EXPECT_EQ(e, (std::vector<std::string>{"a", "", "b" + sep + "c" + sep + "  "}));
  EXPECT_EQ(JoinEntries(e), area);
  // Fewer separators than entries: empty entries and filler, never a short list.
  EXPECT_EQ(SplitEntries("x" + sep + "y", 4), (std::vector<std::string>{"x", "y", "", "", ""}));
}

}  // namespace
}  // namespace garam
