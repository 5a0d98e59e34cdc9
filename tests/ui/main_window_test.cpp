#include <gtest/gtest.h>

#include "data/gamedata.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/main/frmMain.h"

namespace garam {
namespace {

TEST(MainWindowStart, CaptionsMenusAndStatus) {
  test::ScriptedDialogs dialogs;
  frmMain w;
  EXPECT_EQ(w.windowTitle(), "가람누리4 에디터 v2.51");
  EXPECT_EQ(w.mnuAbout->text(), "가람누리4 에디터 v2.51 정보");
  EXPECT_EQ(w.StatusBarView->panelText(2), "선택된 파일 없음");
  EXPECT_FALSE(w.mnuSave->isEnabled());
  EXPECT_FALSE(w.mnuLoadC[0]->isEnabled());
  EXPECT_FALSE(w.mnuLoadC[1]->isEnabled());
  EXPECT_TRUE(w.mnuLoadC[2]->isEnabled());
  for (QAction* a : {w.mnu열전, w.mnuMapEdit, w.mnu혈연, w.mnuEvent, w.mnuYear}) EXPECT_FALSE(a->isEnabled());
  EXPECT_FALSE(w.mnuUnit->isVisible());
  EXPECT_FALSE(w.mnuStatistics->menuAction()->isVisible());
  EXPECT_TRUE(w.mnuExpertm->menuAction()->isEnabled());
  EXPECT_FALSE(w.TabStrip->isVisible());
  EXPECT_EQ(gAppPath.back(), '/');
}

}  // namespace
}  // namespace garam
