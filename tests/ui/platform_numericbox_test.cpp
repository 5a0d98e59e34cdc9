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

void TypeText(QWidget* w, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

TEST(NumericValue, ReadsLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"", 0}, {"2000", 2000}, {" 7", 7}, {"12/3", 12}, {"1.5.2", 1.5}, {"./", 0}, {"0042", 42}, {"9a", 9}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NumericValue(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(NumericBox, TakesOnlyBackspaceAndPointToNine) {
  NumericBox box;
  EXPECT_FALSE(box.testAttribute(Qt::WA_InputMethodEnabled));
  QTest::keyClicks(&box, "1a2 3-.,/+9");
  EXPECT_EQ(box.text(), "123./9");
  TypeText(&box, "가Ａ");
  EXPECT_EQ(box.text(), "123./9");
  QTest::keyClick(&box, Qt::Key_Backspace);
  EXPECT_EQ(box.text(), "123./");

  // A committed composition goes through the same filter.
  QInputMethodEvent hangul(QString(), {});
  hangul.setCommitString("가");
  QApplication::sendEvent(&box, &hangul);
  QInputMethodEvent digit(QString(), {});
  digit.setCommitString("4");
  QApplication::sendEvent(&box, &digit);
  EXPECT_EQ(box.text(), "123./4");

  // Typing switches the input method off again after someone turned it on.
  box.setAttribute(Qt::WA_InputMethodEnabled, true);
  QTest::keyClick(&box, Qt::Key_5);
  EXPECT_FALSE(box.testAttribute(Qt::WA_InputMethodEnabled));
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
  EXPECT_FALSE(w.box->acceptDrops());

  // Locked from the press to the release, so nothing can be pasted meanwhile.
  QTest::mousePress(w.box, Qt::LeftButton);
  EXPECT_TRUE(w.box->isReadOnly());
  QTest::mouseRelease(w.box, Qt::LeftButton);
  EXPECT_FALSE(w.box->isReadOnly());
  QTest::keyClick(w.box, Qt::Key_3);
  EXPECT_TRUE(w.box->text().endsWith("3"));

  // The context menu offers no paste.
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
  EXPECT_FALSE(w.box->isReadOnly());
}

TEST(NumericBox, SelectsAllOnFocusAndClampsOnLeaving) {
  BoxWindow w;
  w.box->setRange(0, 2000);
  w.box->setText("1999");
  int hints = 0;
  QObject::connect(w.box, &NumericBox::gotFocus, [&] { ++hints; });
  w.other->setFocus();
  w.box->setFocus();
  EXPECT_EQ(w.box->selectedText(), "1999");
  EXPECT_EQ(hints, 1);

  struct Case {
    double min, max;
    const char* typed;
    const char* after;
  } cases[] = {{0, 2000, "2101", "2000"}, {0, 2100, "2101", "2100"}, {1, 2000, "", "1"},
               {1, 2000, "0", "1"},       {0, 2000, "1500", "1500"}, {0, 2000, "12/5", "12/5"}};
  for (const auto& c : cases) {
    w.box->setRange(c.min, c.max);
    w.box->setFocus();
    QTest::keyClick(w.box, Qt::Key_Backspace);  // the whole text is selected
    QTest::keyClicks(w.box, c.typed);
    w.other->setFocus();
    EXPECT_EQ(w.box->text(), c.after) << c.typed;
  }
}

}  // namespace
}  // namespace garam
