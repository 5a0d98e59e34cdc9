// The list view control: order kept at all times in code-unit order, tags, cells and events.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "platform/listview.h"

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

  // In a batch the order waits for its end; off, the rows stay as added.
  ListView b;
  b.setColumns({"이름"});
  b.beginUpdate();
  for (const char* s : {"c", "a", "b"}) b.addRow(s, s);
  EXPECT_EQ(Column(b, 0), (QStringList{"c", "a", "b"}));
  b.endUpdate();
  EXPECT_EQ(Column(b, 0), (QStringList{"a", "b", "c"}));
  b.setSorted(false);
  b.addRow("0", "0");
  EXPECT_EQ(b.row(3)->text(0), "0");
}

TEST(ListView, TagsMatchWholeTextAndRemovalStaysInRange) {
  ListView lv;
  lv.setColumns({"이름", "a"});
  lv.setSorted(false);
  lv.addRow("x", "12", {"1"});
  lv.addRow("y", "1", {"3"});
  ListItem* y = lv.findTag("1");
  ASSERT_TRUE(y);
  EXPECT_EQ(y->text(0), "y");
  EXPECT_EQ(lv.findTag("2"), nullptr);
  lv.removeRow(0);
  lv.removeRow(5);  // out of range: nothing
  ASSERT_EQ(lv.count(), 1);
  EXPECT_EQ(lv.row(0), y);
  EXPECT_EQ(lv.selectedRow(), nullptr);
}

TEST(ListView, Events) {
  ListView lv;
  lv.setColumns({"이름", "수"});
  lv.addRow("가", "0", {"1"});
  lv.addRow("나", "1", {"2"});
  lv.resize(300, 200);
  lv.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&lv));
  QSignalSpy header(&lv, &ListView::headerClicked), click(&lv, &ListView::rowClicked),
      dbl(&lv, &ListView::rowDoubleClicked), typed(&lv, &ListView::charTyped), up(&lv, &ListView::keyReleased),
      right(&lv, &ListView::rightButtonReleased);

  QHeaderView* h = lv.header();
  QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionPosition(1) + 5, h->height() / 2));
  ASSERT_EQ(header.count(), 1);
  EXPECT_EQ(header[0][0].toInt(), 1);

  const QPoint second = lv.visualItemRect(lv.row(1)).center();
  QTest::mouseClick(lv.viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(click.count(), 1);
  EXPECT_EQ(lv.selectedRow(), lv.row(1));
  QTest::mousePress(lv.viewport(), Qt::LeftButton, {}, second);
  QTest::mouseRelease(lv.viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(lv.viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(dbl.count(), 1);
  QTest::mouseClick(lv.viewport(), Qt::RightButton, {}, second);
  EXPECT_EQ(right.count(), 1);

  lv.setFocus();
  QTest::keyClick(&lv, Qt::Key_Up);
  EXPECT_EQ(lv.selectedRow(), lv.row(0));
  EXPECT_GE(up.count(), 1);
  QTest::keyClick(&lv, Qt::Key_Return);
  ASSERT_GE(typed.count(), 1);
  EXPECT_EQ(typed.last()[0].toInt(), 13);
}

}  // namespace
}  // namespace garam
