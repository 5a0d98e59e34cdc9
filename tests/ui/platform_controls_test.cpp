// The platform controls: list view order and tags, numeric boxes, the byte guard and picture clips.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "data/bitmaps.h"
#include "platform/listview.h"
#include "platform/numericbox.h"
#include "platform/pictureclip.h"
#include "platform/textguard.h"
#include "tests/ui/scripted_dialogs.h"

namespace garam {
namespace {

QStringList Column(const ListView& lv, int c) {
  QStringList out;
  for (int i = 0; i < lv.count(); ++i) out << lv.row(i)->text(c);
  return out;
}

TEST(ListView, KeepsOrderWhileRowsAreAddedAndChanged) {
  ListView lv;
  lv.setColumns({"이름", "수"});
  lv.setSortKey(1);
  for (auto [name, n] : {std::pair{"가", "   12"}, {"나", "    9"}, {"다", "  100"}, {"라", "    9"}})
    lv.addRow(name, name, {n});
  EXPECT_EQ(Column(lv, 1), (QStringList{"    9", "    9", "   12", "  100"}));
  EXPECT_EQ(Column(lv, 0), (QStringList{"나", "라", "가", "다"}));  // equal keys keep their arrival order

  // A changed text moves its row at once and keeps it selected.
  ListItem* ga = lv.findTag("가");
  lv.selectRow(ga);
  lv.setSubItem(ga, 1, "    1");
  EXPECT_EQ(lv.indexOf(ga), 0);
  EXPECT_EQ(lv.selectedRow(), ga);

  lv.setSortOrder(Qt::DescendingOrder);
  EXPECT_EQ(Column(lv, 1), (QStringList{"  100", "    9", "    9", "    1"}));

  // Code-unit order, not a collation: capitals before small letters, digits and spaces first.
  ListView t;
  t.setColumns({"이름"});
  for (const char* s : {"b", "B", "a", "10", " 9", "가", "A"}) t.addRow(s, s);
  EXPECT_EQ(Column(t, 0), (QStringList{" 9", "10", "A", "B", "a", "b", "가"}));
}

TEST(ListView, TagsMatchWholeTextAndRemovalStaysInRange) {
  ListView lv;
  lv.setColumns({"이름"});
  lv.addRow("x", "12");
  lv.addRow("y", "1");
  EXPECT_EQ(lv.findTag("2"), nullptr);
  ListItem* y = lv.findTag("1");
  lv.removeRow(0);
  lv.removeRow(5);  // out of range: nothing
  ASSERT_EQ(lv.count(), 1);
  EXPECT_EQ(lv.row(0), y);
}

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
  box.setText("a");
  box.insert(QString::fromUtf8("ก"));
  Settle();
  box.insert(QString::fromUtf8("😀"));
  Settle();
  EXPECT_EQ(box.text(), "a");
  EXPECT_EQ(dialogs.beeps, 5);
  // A line break counts as CR LF.
  QPlainTextEdit plain;
  AttachTextByteGuard(&plain, 4);
  plain.insertPlainText("a\nb");
  Type(&plain, "c");
  EXPECT_EQ(plain.toPlainText(), "a\nb");
}

// A stored name may fill its whole field, one byte more than the box lets the user type: filling
// the box is no typing, so the name stays whole until the user edits it.
TEST(TextGuard, LeavesTextSetByTheProgramWholeUntilTheUserEditsIt) {
  test::ScriptedDialogs dialogs;
  QWidget window;
  auto* title = new QLineEdit(&window);
  auto* description = new QPlainTextEdit(&window);
  auto* focused = new QLineEdit(&window);
  AttachTextByteGuard(title, 4);
  AttachTextByteGuard(description, 4);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  focused->setText("xyz");
  focused->setFocus();
  title->setText("가나a");
  description->setPlainText("가\n나");
  Settle();
  EXPECT_EQ(QStringList({title->text(), description->toPlainText(), focused->text()}), QStringList({"가나a", "가\n나", "xyz"}));
  EXPECT_EQ(dialogs.beeps, 0);
  // An edit of such a text brings it within the limit, from the caret backwards.
  title->setFocus();
  title->end(false);
  Type(title, "b");
  description->setFocus();
  description->moveCursor(QTextCursor::End);
  Type(description, "c");
  EXPECT_EQ(QStringList({title->text(), description->toPlainText()}), QStringList({"가나", "가\n"}));
}

QColor CellColour(int n) { return QColor(n * 7 % 256, n * 13 % 256, n * 29 % 256); }

// A BMP file of 2 x 3 cells of 4 x 5 pixels, cell n filled with CellColour(n).
Bytes SheetBytes() {
  QImage sheet(12, 10, QImage::Format_RGB32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) sheet.setPixelColor(x, y, CellColour(y / 5 * 3 + x / 4));
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::WriteOnly);
  sheet.save(&buffer, "BMP");
  return Bytes(file.begin(), file.end());
}

TEST(PictureClip, CutsCellsRowByRowAndNoneOutsideTheGridOrFromABrokenSheet) {
  PictureClip clip(2, 3);
  EXPECT_TRUE(clip.Cell(0).isNull());
  Bytes bytes = SheetBytes();
  bytes.resize(40);
  clip.SetSource(&bytes);
  EXPECT_TRUE(clip.Cell(0).isNull());
  bytes = SheetBytes();  // a sheet that arrives later is decoded then
  for (int n = 0; n < 6; ++n) {
    QImage cell = clip.Cell(n);
    ASSERT_EQ(cell.size(), QSize(4, 5)) << n;
    EXPECT_EQ(cell.pixelColor(0, 0), CellColour(n)) << n;
    EXPECT_EQ(cell.pixelColor(3, 4), CellColour(n)) << n;
  }
  for (int n : {-1, 6, 1 << 30}) EXPECT_TRUE(clip.Cell(n).isNull()) << n;
  EXPECT_TRUE(MaskData(7).Cell(0).isNull());
  EXPECT_TRUE(MaskData(-1).Cell(0).isNull());
}

}  // namespace
}  // namespace garam
