// The list view control: order kept at all times in code-unit order, tags and removal. Its
// mouse and key events are driven through the main window's lists (main_lists_test.cpp).
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace garam
