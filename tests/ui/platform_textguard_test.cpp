#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/textguard.h"
#include "tests/ui/scripted_dialogs.h"

namespace garam {
namespace {

void Type(QWidget* w, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Lets the queued take-backs run until the text stops changing.
void Settle() {
  for (int i = 0; i < 100; ++i) QApplication::processEvents();
}

TEST(TextGuard, HangulAtTheLimitAndOneSyllableOver) {
  test::ScriptedDialogs dialogs;
  QLineEdit box;
  AttachTextByteGuard(&box, 5);
  Type(&box, "가나");
  Settle();
  EXPECT_EQ(box.text(), "가나");
  EXPECT_EQ(dialogs.beeps, 0);

  Type(&box, "다");
  Settle();
  EXPECT_EQ(box.text(), "가나");
  EXPECT_EQ(dialogs.beeps, 1);

  Type(&box, "a");  // exactly 5 bytes
  Settle();
  EXPECT_EQ(box.text(), "가나a");
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_EQ(TextByteLength(&box), 5);
}

TEST(TextGuard, PastedTextShrinksFromTheCaretOneBeepEach) {
  test::ScriptedDialogs dialogs;
  QLineEdit box;
  AttachTextByteGuard(&box, 6);
  box.setText("ab");
  box.setCursorPosition(1);
  box.insert("가나다라");  // "a가나다라b": 10 bytes
  Settle();
  EXPECT_EQ(box.text(), "a가나b");
  EXPECT_EQ(dialogs.beeps, 2);
  EXPECT_EQ(box.cursorPosition(), 3);
}

TEST(TextGuard, UnencodableCharactersCountAsTooLong) {
  test::ScriptedDialogs dialogs;
  QLineEdit box;
  AttachTextByteGuard(&box, 20);
  Type(&box, "가");
  box.insert(QString::fromUtf8("ก"));  // Thai: no code page 949 code
  Settle();
  EXPECT_EQ(box.text(), "가");
  box.insert(QString::fromUtf8("😀"));  // a surrogate pair goes as one character
  Settle();
  EXPECT_EQ(box.text(), "가");
  EXPECT_EQ(dialogs.beeps, 2);
  EXPECT_EQ(TextByteLength(&box), 2);
}

TEST(TextGuard, ShortensTheBoxItChecksNotTheFocusedOne) {
  test::ScriptedDialogs dialogs;
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* title = new QLineEdit(&window);
  auto* focused = new QLineEdit(&window);
  layout->addWidget(title);
  layout->addWidget(focused);
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
  EXPECT_EQ(dialogs.beeps, 1);
}

TEST(TextGuard, MultiLineBoxesCountLineBreaksAsTwoBytes) {
  test::ScriptedDialogs dialogs;
  QPlainTextEdit plain;
  AttachTextByteGuard(&plain, 4);
  plain.insertPlainText("a\nb");  // a CR LF b
  Settle();
  EXPECT_EQ(plain.toPlainText(), "a\nb");
  Type(&plain, "c");
  Settle();
  EXPECT_EQ(plain.toPlainText(), "a\nb");
  EXPECT_EQ(dialogs.beeps, 1);

  // Text set by the program leaves the caret at the start: the end is taken back instead.
  QTextEdit rich;
  AttachTextByteGuard(&rich, 4);
  rich.setPlainText("가나다");
  Settle();
  EXPECT_EQ(rich.toPlainText(), "가나");
  EXPECT_EQ(dialogs.beeps, 2);
}

TEST(TextGuard, MaximumZeroTakesBackEveryCharacter) {
  test::ScriptedDialogs dialogs;
  QLineEdit box;
  AttachTextByteGuard(&box, 0);
  Type(&box, "a");
  Settle();
  Type(&box, "가");
  Settle();
  EXPECT_EQ(box.text(), "");
  EXPECT_EQ(dialogs.beeps, 2);

  // A box that was never given a limit has 0.
  QLineEdit unlimited;
  EXPECT_EQ(ByteMaxLength(&unlimited), 0);
}

}  // namespace
}  // namespace garam
