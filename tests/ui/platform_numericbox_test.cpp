#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/numericbox.h"

namespace garam {
namespace {

// A shown, active window with the box and a second control to move the focus to.
struct BoxWindow {
  QWidget window;
  NumericBox* box = new NumericBox(&window);
  QLineEdit* other = new QLineEdit(&window);
  BoxWindow() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

TEST(NumericValue, ReadsLeadingNumber) {
  const std::pair<const char*, double> cases[] = {{"", 0},        {" 7", 7}, {"12/3", 12},
                                                  {"1.5.2", 1.5}, {"./", 0}, {"9a", 9}};
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

TEST(NumericBox, SwallowsEveryPaste) {
  BoxWindow w;
  QApplication::clipboard()->setText("abc999");
  w.box->setText("12");
  w.box->setFocus();
  w.box->end(false);
  QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(w.box, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::mouseClick(w.box, Qt::MiddleButton);
  EXPECT_EQ(w.box->text(), "12");

  // Nor does the context menu offer to paste.
  QStringList offered;
  QTimer::singleShot(0, [&] {
    for (QMenu* menu : w.box->findChildren<QMenu*>()) {
      if (!menu->isVisible()) continue;
      for (QAction* a : menu->actions()) offered << a->text();
      menu->close();
    }
  });
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), w.box->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(w.box, &menuEvent);
  EXPECT_FALSE(offered.filter("Copy").isEmpty());
  EXPECT_TRUE(offered.filter("Paste").isEmpty());
}

TEST(NumericBox, ClampsOnLeaving) {
  BoxWindow w;
  const std::tuple<double, double, const char*, const char*> cases[] = {  // minimum, maximum, typed, after
      {0, 2000, "2101", "2000"}, {1, 2000, "", "1"},         {1, 2000, "0", "1"},
      {0, 2000, "1500", "1500"}, {0, 2000, "12/5", "12/5"}};
  for (const auto& [min, max, typed, after] : cases) {
    w.box->setRange(min, max);
    w.box->setFocus();
    QTest::keyClick(w.box, Qt::Key_Backspace);  // focus selects the whole text
    QTest::keyClicks(w.box, typed);
    w.other->setFocus();
    EXPECT_EQ(w.box->text(), after) << typed;
  }
}

}  // namespace
}  // namespace garam
