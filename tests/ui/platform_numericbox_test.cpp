#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "platform/numericbox.h"

namespace garam {
namespace {

TEST(NumericValue, ReadsLeadingNumber) {
  const std::pair<const char*, double> cases[] = {{"", 0}, {" 7", 7}, {"12/3", 12}, {"1.5.2", 1.5}, {"./", 0}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(NumericValue(text), value) << text;
}

TEST(NumericBox, TakesOnlyBackspaceAndPointToNine) {
  NumericBox box;
  QTest::keyClicks(&box, "1a2 3-.,/+9");
  EXPECT_EQ(box.text(), "123./9");
  QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QStringLiteral("가"), Qt::NoModifier);
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(box.text(), "123./");
  // A committed composition goes through the same filter.
  for (const char* committed : {"가", "4"}) {
    QInputMethodEvent event(QString(), {});
    event.setCommitString(QString::fromUtf8(committed));
    QApplication::sendEvent(&box, &event);
  }
  EXPECT_EQ(box.text(), "123./4");
}

TEST(NumericBox, ClampsOnLeavingAndSwallowsEveryPaste) {
  QWidget window;
  auto* box = new NumericBox(&window);
  auto* other = new QLineEdit(&window);
  other->move(0, 40);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const std::tuple<double, double, const char*, const char*> cases[] = {  // minimum, maximum, typed, after
      {0, 2000, "2101", "2000"}, {1, 2000, "", "1"}, {1, 2000, "0", "1"}, {0, 2000, "12/5", "12/5"}};
  for (const auto& [min, max, typed, after] : cases) {
    box->setRange(min, max);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Backspace);  // focus selects the whole text
    QTest::keyClicks(box, typed);
    other->setFocus();
    EXPECT_EQ(box->text(), after) << typed;
  }
  // Ctrl+V, Shift+Insert and the middle button paste nothing.
  QApplication::clipboard()->setText("abc999");
  box->setText("12");
  box->setFocus();
  box->end(false);
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::mouseClick(box, Qt::MiddleButton);
  EXPECT_EQ(box->text(), "12");
}

}  // namespace
}  // namespace garam
