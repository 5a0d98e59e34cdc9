#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ui/main/about_box.h"

namespace garam {
namespace {

TEST(AboutBox, CaptionParticleFollowsTheLastCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"2.51", "가람누리4 에디터 2.51은..."}, {"2.52", "가람누리4 에디터 2.52는..."}, {"2.5a", ""}, {"", ""}};
  for (const auto& [version, caption] : cases)
    EXPECT_EQ(AboutBox::CaptionFor(version), QString::fromUtf8(caption)) << version;
  EXPECT_EQ(AboutBox(nullptr).windowTitle(), "가람누리4 에디터 2.51은...");
}

TEST(AboutBox, EnterEscapeAndTheButtonCloseIt) {
  for (int way = 0; way < 3; ++way) {  // Enter, Esc, the button
    AboutBox about(nullptr);
    about.show();
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &about;
    if (way < 2) QTest::keyClick(target, way == 0 ? Qt::Key_Return : Qt::Key_Escape);
    if (way == 2) QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible()) << way;
  }
}

}  // namespace
}  // namespace garam
