#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ui/main/frmAbout.h"
#include "ui/main/frmStatus.h"

namespace garam {
namespace {

TEST(ProgressWindow, BarWidthAndPercentText) {
  frmStatus status(nullptr);
  EXPECT_EQ(status.windowTitle(), "상황표시");
  EXPECT_EQ(status.lblStatus->text(), "");
  struct Case {
    int percent;
    double twips;
    const char* text;
  } cases[] = {{0, 0, "0%"}, {5, 220.5, "5%"}, {55, 2425.5, "55%"}, {99, 4365.9, "99%"}, {100, 4410, "100%"}};
  for (const auto& c : cases) {
    status.Progress(c.percent);
    EXPECT_FLOAT_EQ(status.ProgressBar->barWidthTwips, float(c.twips)) << c.percent;
    EXPECT_EQ(status.lblProgress->text(), c.text);
  }
}

TEST(ProgressWindow, HasNoWayForTheUserToCloseIt) {
  frmStatus status(nullptr);
  EXPECT_FALSE(status.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(status.isModal());
  status.show();
  QApplication::setActiveWindow(&status);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&status));
  QTest::keyClick(&status, Qt::Key_Escape);
  EXPECT_TRUE(status.isVisible());
}

TEST(AboutBox, CaptionParticleFollowsTheLastCharacter) {
  struct Case {
    const char* version;
    const char* caption;
  } cases[] = {{"2.51", "가람누리4 에디터 2.51은..."}, {"2.52", "가람누리4 에디터 2.52는..."},
               {"2.50", "가람누리4 에디터 2.50은..."}, {"2.53", "가람누리4 에디터 2.53은..."},
               {"2.54", "가람누리4 에디터 2.54는..."}, {"2.56", "가람누리4 에디터 2.56은..."},
               {"2.57", "가람누리4 에디터 2.57은..."}, {"2.58", "가람누리4 에디터 2.58은..."},
               {"2.59", "가람누리4 에디터 2.59는..."}, {"2.55", "가람누리4 에디터 2.55는..."},
               {"2.5a", ""},                         {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(frmAbout::CaptionFor(c.version), QString::fromUtf8(c.caption)) << c.version;
}

TEST(AboutBox, ShowsTheDocumentUnderItsCaption) {
  frmAbout about(nullptr);
  EXPECT_EQ(about.windowTitle(), "가람누리4 에디터 2.51은...");
  QStringList lines = about.txtDocument->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 10);
  EXPECT_EQ(lines[0], "가람누리4 에디터 v2.51 정보");
  EXPECT_EQ(lines[1] + lines[2] + lines[3], "");
  EXPECT_TRUE(lines[4].startsWith("만든이:"));
  EXPECT_GT(lines[4].size(), 4);
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "최종수정일:2021년 10월 22일");
  EXPECT_EQ(lines[7] + lines[8], "");
  EXPECT_EQ(lines[9], "지나친 에디트로 게임의 재미를 망치지 맙시다.");
  EXPECT_TRUE(frmAbout::DocumentText("2.51").contains("정보\r\n\r\n\r\n\r\n만든이:"));
  EXPECT_EQ(about.cmdOK->text(), "확인");
}

TEST(AboutBox, EnterEscapeAndTheButtonCloseIt) {
  enum class Way { Enter, Escape, Click };
  for (Way way : {Way::Enter, Way::Escape, Way::Click}) {
    frmAbout about(nullptr);
    about.show();
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &about;
    if (way == Way::Enter) QTest::keyClick(target, Qt::Key_Return);
    if (way == Way::Escape) QTest::keyClick(target, Qt::Key_Escape);
    if (way == Way::Click) QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible()) << int(way);
    EXPECT_EQ(about.txtDocument->toPlainText().split('\n').size(), 10) << int(way);
  }
}

}  // namespace
}  // namespace garam
