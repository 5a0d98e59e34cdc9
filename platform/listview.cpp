#include "platform/listview.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>

namespace garam {
namespace {

// Hangul of the widest and deepest shapes, Latin descenders and the box-drawing strokes that the
// lists show.
const QString kTallestText = QStringLiteral("가힣뷁쀍gjpqy|()[]┃┫");

int RowHeightFor(const QFont& font) {
  const QFontMetrics fm(font);
  const QRect ink = fm.boundingRect(kTallestText);
  // The text is centred on its line, so the row grows by the larger overhang on both sides.
  const int overhang = std::max({0, -ink.top() - fm.ascent(), ink.bottom() + 1 - fm.descent()});
  return fm.height() + 2 * overhang + 2;
}

class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), RowHeightFor(option.font)));
    return size;
  }
};

}  // namespace

bool ListItem::operator<(const QTreeWidgetItem& other) const {
  const auto* view = qobject_cast<const ListView*>(treeWidget());
  const int c = view ? view->sortKey() : 0;
  return QString::compare(text(c), other.text(c), Qt::CaseSensitive) < 0;
}

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemDelegate(new RowDelegate(this));
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The list orders itself; Qt's own header sorting would fight the marks kept in the headers.
  setSortingEnabled(false);
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  connect(header(), &QHeaderView::sectionClicked, this, &ListView::headerClicked);
  connect(this, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item, int) { emit rowClicked(static_cast<ListItem*>(item)); });
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int) { emit rowDoubleClicked(static_cast<ListItem*>(item)); });
}

int ListView::rowHeight() const { return RowHeightFor(font()); }

int ListView::growthToKeepRows(int height) const {
  const int lineHeight = fontMetrics().height();
  const int rows = std::max(0, height - 2 * frameWidth() - header()->sizeHint().height()) / lineHeight;
  return rows * std::max(0, rowHeight() - lineHeight);
}

void ListView::setColumns(const QStringList& headers, const QList<Qt::Alignment>& alignments) {
  setColumnCount(int(headers.size()));
  setHeaderLabels(headers);
  for (int c = 0; c < headers.size(); ++c) {
    Qt::Alignment a = c < alignments.size() ? alignments[c] : Qt::AlignLeft;
    headerItem()->setTextAlignment(c, a | Qt::AlignVCenter);
  }
}

QString ListView::headerText(int column) const { return headerItem()->text(column); }
void ListView::setHeaderText(int column, const QString& text) { headerItem()->setText(column, text); }

void ListView::clearRows() { clear(); }

ListItem* ListView::addRow(const QString& text, const QString& tag, const QStringList& subItems) {
  QStringList texts;
  texts.reserve(subItems.size() + 1);
  texts << text << subItems;
  auto* item = new ListItem(texts);
  item->tag = tag;
  for (int c = 1; c < columnCount(); ++c) {
    const int a = headerItem()->textAlignment(c);
    if (a & Qt::AlignHCenter) item->setTextAlignment(c, Qt::Alignment(a));
  }
  if (sorted_ && batch_ == 0) {
    // Inserted straight at its place, so the list never shows a row out of order.
    insertTopLevelItem(SortedPosition(item), item);
  } else {
    addTopLevelItem(item);
  }
  return item;
}

ListItem* ListView::row(int index) const { return static_cast<ListItem*>(topLevelItem(index)); }

int ListView::indexOf(const ListItem* item) const {
  return item ? indexOfTopLevelItem(const_cast<ListItem*>(item)) : -1;
}

void ListView::removeRow(int index) {
  if (index < 0 || index >= count()) return;
  delete takeTopLevelItem(index);
}

ListItem* ListView::findTag(const QString& tag) const {
  for (int i = 0, n = count(); i < n; ++i)
    if (row(i)->tag == tag) return row(i);
  return nullptr;
}

void ListView::setCell(ListItem* item, int column, const QString& text) {
  if (!item || item->text(column) == text) return;
  item->setText(column, text);
  if (column == sortKey_ && sorted_ && batch_ == 0) placeRow(item);
}

QString ListView::cell(const ListItem* item, int column) const { return item ? item->text(column) : QString(); }

void ListView::setCellBold(ListItem* item, int column, bool bold) {
  if (!item) return;
  QFont f = item->font(column);
  f.setBold(bold);
  item->setFont(column, f);
}

bool ListView::cellBold(const ListItem* item, int column) const { return item && item->font(column).bold(); }

void ListView::setCellForeColor(ListItem* item, int column, const QColor& color) {
  if (item) item->setForeground(column, QBrush(color));
}

QColor ListView::cellForeColor(const ListItem* item, int column) const {
  if (!item) return {};
  QVariant v = item->data(column, Qt::ForegroundRole);
  return v.isValid() ? v.value<QBrush>().color() : QColor();
}

ListItem* ListView::selectedRow() const {
  const auto items = selectedItems();
  return items.isEmpty() ? nullptr : static_cast<ListItem*>(items.front());
}

void ListView::selectRow(ListItem* item) {
  if (!item) return;
  setCurrentItem(item);
  item->setSelected(true);
}

void ListView::setSortKey(int column) {
  sortKey_ = column;
  sortNow();
}
void ListView::setSortOrder(Qt::SortOrder order) {
  sortOrder_ = order;
  sortNow();
}
void ListView::setSorted(bool on) {
  sorted_ = on;
  sortNow();
}

void ListView::beginUpdate() {
  if (batch_++ == 0) {
    wasBlocked_ = blockSignals(true);
    setUpdatesEnabled(false);
  }
}

void ListView::endUpdate() {
  if (batch_ == 0 || --batch_ > 0) return;
  sortNow();
  setUpdatesEnabled(true);
  blockSignals(wasBlocked_);
}

void ListView::sortNow() {
  if (!sorted_ || batch_ > 0 || sortKey_ < 0 || sortKey_ >= columnCount()) return;
  ListItem* current = static_cast<ListItem*>(currentItem());
  sortItems(sortKey_, sortOrder_);
  if (current) scrollToItem(current);
}

bool ListView::lessThan(const ListItem* a, const ListItem* b) const {
  return QString::compare(a->text(sortKey_), b->text(sortKey_), Qt::CaseSensitive) < 0;
}

int ListView::SortedPosition(const ListItem* item) const {
  int lo = 0, hi = count();
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    const ListItem* other = row(mid);
    bool before = sortOrder_ == Qt::AscendingOrder ? lessThan(item, other) : lessThan(other, item);
    if (before) hi = mid; else lo = mid + 1;
  }
  return lo;
}

void ListView::placeRow(ListItem* item) {
  int from = indexOf(item);
  if (from < 0) return;
  const bool wasCurrent = currentItem() == item;
  const bool wasSelected = item->isSelected();
  takeTopLevelItem(from);
  insertTopLevelItem(SortedPosition(item), item);
  if (wasCurrent) setCurrentItem(item);
  if (wasSelected) item->setSelected(true);
}

void ListView::keyPressEvent(QKeyEvent* event) {
  QTreeWidget::keyPressEvent(event);
  const QString text = event->text();
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    emit charTyped(13);
  else if (!text.isEmpty())
    emit charTyped(text.at(0).unicode());
}

void ListView::keyReleaseEvent(QKeyEvent* event) {
  QTreeWidget::keyReleaseEvent(event);
  if (!event->isAutoRepeat()) emit keyReleased(event->key());
}

void ListView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::RightButton) emit rightButtonReleased(event->position().toPoint());
}

void ListView::focusInEvent(QFocusEvent* event) {
  QTreeWidget::focusInEvent(event);
  emit gotFocus();
}

}  // namespace garam
