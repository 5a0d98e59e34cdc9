#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "platform/textguard.h"
#include "tests/ui/scripted_dialogs.h"

namespace garam {
namespace {

// Lets the queued take-backs run until the text stops changing.
void Settle() {
  for (int i = 0; i < 100; ++i) QApplication::processEvents();
}
void Type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    Settle();
  }
}

TEST(TextGuard, TakesBackWhatGoesOverTheByteLimit) {
  test::ScriptedDialogs dialogs;
  QLineEdit box;
  AttachTextByteGuard(&box, 5);
  Type(&box, "가나다a");  // 다 would make 6 bytes; a makes exactly 5
  EXPECT_EQ(box.text(), "가나a");
  EXPECT_EQ(dialogs.beeps, 1);
  // A paste shrinks from the caret, one beep for each character taken back.
  box.setText("ab");
  box.setCursorPosition(1);
  box.insert("가나다");  // "a가나다b": 8 bytes
  Settle();
  EXPECT_EQ(box.text(), "a가b");
  EXPECT_EQ(dialogs.beeps, 3);
  // Text without a code page 949 code counts as too long; a surrogate pair goes as one character.
  box.setText("가");
  box.insert(QString::fromUtf8("ก"));
  Settle();
  box.insert(QString::fromUtf8("😀"));
  Settle();
  EXPECT_EQ(box.text(), "가");
  EXPECT_EQ(dialogs.beeps, 5);
  // A line break counts as CR LF.
  QPlainTextEdit plain;
  AttachTextByteGuard(&plain, 4);
  plain.insertPlainText("a\nb");
  Type(&plain, "c");
  EXPECT_EQ(plain.toPlainText(), "a\nb");
}

TEST(TextGuard, ShortensTheBoxItChecksNotTheFocusedOne) {
  test::ScriptedDialogs dialogs;
  QWidget window;
  auto* title = new QLineEdit(&window);
  auto* focused = new QLineEdit(&window);
  AttachTextByteGuard(title, 4);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  focused->setText("xyz");
  focused->setFocus();
  ASSERT_TRUE(focused->hasFocus());
  title->setText("가나다");  // set by the program
  Settle();
  EXPECT_EQ(title->text(), "가나");
  EXPECT_EQ(focused->text(), "xyz");
}

}  // namespace
}  // namespace garam
