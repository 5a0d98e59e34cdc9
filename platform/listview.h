// The list view control: a report-style list whose rows carry a text, a tag and sub-items, each
// cell with its own bold flag and fore colour, and a sort state (key column, order, on/off) that
// the list keeps at all times, also while rows are added or their texts change.
//
// Cells compare as text in code-unit order. The lists write numbers right-aligned with leading
// spaces so that this order is the numeric one; a locale-aware collation would break that.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

namespace garam {

class ListItem : public QTreeWidgetItem {
 public:
  ListItem() : QTreeWidgetItem(UserType) {}
  explicit ListItem(const QStringList& texts) : QTreeWidgetItem(texts, UserType) {}
  bool operator<(const QTreeWidgetItem& other) const override;
  QString tag;
};

class ListView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit ListView(QWidget* parent = nullptr);

  // Rows are as tall as the ink of their text with a pixel of air above and below. Qt makes them
  // one font line high, and the Hangul and descenders of a coding font reach past that line, so
  // letters touched the next row and the selection bar clipped them.
  int rowHeight() const;
  // How much taller a list of the given height must be to show as many rows as it would with
  // rows one font line high, the rows its window's designed size was made for.
  int growthToKeepRows(int height) const;

  // Columns: header texts (column 0 is the row text) and their alignment.
  void setColumns(const QStringList& headers, const QList<Qt::Alignment>& alignments = {});
  QString headerText(int column) const;
  void setHeaderText(int column, const QString& text);

  // Rows, by position in the present order.
  void clearRows();
  ListItem* addRow(const QString& text, const QString& tag, const QStringList& subItems = {});
  ListItem* row(int index) const;
  int count() const { return topLevelItemCount(); }
  int indexOf(const ListItem* item) const;
  void removeRow(int index);
  // The first row whose tag is exactly tag, or nullptr.
  ListItem* findTag(const QString& tag) const;

  // Sub-items are numbered from 1; 0 is the row text.
  void setCell(ListItem* item, int column, const QString& text);
  QString cell(const ListItem* item, int column) const;
  void setSubItem(ListItem* item, int n, const QString& text) { setCell(item, n, text); }
  QString subItem(const ListItem* item, int n) const { return cell(item, n); }
  void setCellBold(ListItem* item, int column, bool bold);
  bool cellBold(const ListItem* item, int column) const;
  void setCellForeColor(ListItem* item, int column, const QColor& color);
  QColor cellForeColor(const ListItem* item, int column) const;  // invalid when default

  ListItem* selectedRow() const;
  void selectRow(ListItem* item);

  // Sort state. Changing any part re-orders the rows at once when sorting is on.
  int sortKey() const { return sortKey_; }
  Qt::SortOrder sortOrder() const { return sortOrder_; }
  void setSortKey(int column);
  void setSortOrder(Qt::SortOrder order);
  void setSorted(bool on);

  // A batch of changes: order, repaint and signals wait until the outermost end.
  void beginUpdate();
  void endUpdate();

 signals:
  void headerClicked(int column);  // 0-based
  void rowClicked(garam::ListItem* item);
  void keyReleased(int key);
  void charTyped(int code);  // 13 for Enter
  void rowDoubleClicked(garam::ListItem* item);
  void rightButtonReleased(const QPoint& pos);
  void gotFocus();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void sortNow();
  // Moves one row to its place after its sort-column text changed.
  void placeRow(ListItem* item);
  bool lessThan(const ListItem* a, const ListItem* b) const;
  // Where item belongs among the present rows in the present order.
  int SortedPosition(const ListItem* item) const;

  int sortKey_ = 0;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  bool sorted_ = true;
  int batch_ = 0;
  bool wasBlocked_ = false;
};

}  // namespace garam
