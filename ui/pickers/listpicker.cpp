#include "ui/pickers/listpicker.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <cmath>

#include "platform/modal.h"
#include "platform/numericbox.h"
#include "platform/twips.h"

namespace garam {

QString TrimSpaces(const QString& text) {
  qsizetype b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return text.mid(b, e - b);
}

int CellNumber(const QString& text) { return int(std::lround(NumericValue(text))); }

ListItem* RowByNumber(const ListView* list, int number) {
  return list ? list->findTag(QString::number(number)) : nullptr;
}

ListPicker::ListPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers, const char* name,
                       const QString& designCaption, int clientWidthTwips, int clientHeightTwips,
                       int listWidthTwips, int listHeightTwips)
    // No title-bar buttons: the answer, Esc and the right button are the only ways out.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), lists_(lists), callers_(callers) {
  setObjectName(name);
  setWindowTitle(designCaption);
  setModal(true);

  list_ = new ListView(this);
  list_->setObjectName("list");
  QFont f("NanumGothicCoding");
  f.setPointSize(9);
  list_->setFont(f);
  // Rows taller than the font's line would show fewer of them: list and window grow instead.
  const QRect listRect = TwipsRect(0, 0, listWidthTwips, listHeightTwips);
  const int growth = list_->growthToKeepRows(listRect.height());
  list_->setGeometry(listRect.adjusted(0, 0, 0, growth));
  setFixedSize(TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips) + growth);
  list_->viewport()->installEventFilter(this);

  connect(list_, &ListView::headerClicked, this, &ListPicker::SortBy);
  connect(list_, &ListView::charTyped, this, [this](int code) {
    if (code == 13) Answer();
    else if (code == 27) Cancel();
  });
}

void ListPicker::SetColumns(const QStringList& headers, const QList<int>& widthsTwips) {
  list_->setColumns(headers);
  for (int c = 0; c < widthsTwips.size(); ++c) list_->setColumnWidth(c, TwipsToPixels(widthsTwips[c]));
}

void ListPicker::Load() {
  answered_ = finished_ = false;
  list_->beginUpdate();
  list_->clearRows();
  list_->setSortOrder(Qt::AscendingOrder);
  list_->setSortKey(0);
  list_->setSorted(true);
  Fill();
  list_->endUpdate();
  if (list_->count() > 0) list_->selectRow(list_->row(0));
}

int ListPicker::ShowModal() {
  Load();
  return RunModal(*this);
}

void ListPicker::Answer() {
  if (finished_) return;
  ListItem* row = list_->selectedRow();
  if (!row) return;  // an empty list, or no row chosen yet: the user can still cancel
  finished_ = answered_ = true;
  TakeAnswer(row);
  done(Accepted);
}

void ListPicker::Cancel() {
  if (finished_) return;
  // A picker that must be answered can still be left when it has nothing to offer.
  if (!CanCancel() && list_->count() > 0) return;
  finished_ = true;
  done(Rejected);
}

void ListPicker::SortBy(int column) {
  // Always ascending and without a mark, so a second click on the same header changes nothing.
  list_->setSortOrder(Qt::AscendingOrder);
  list_->setSortKey(column);
  if (ListItem* row = list_->selectedRow()) list_->scrollToItem(row);
}

void ListPicker::PlaceBy(QWidget* form, QPointF offset) {
  if (!form) return;
  QPoint origin = form->isWindow() ? form->pos() : form->mapToGlobal(QPoint());
  move(origin + offset.toPoint());
}

QPointF ListPicker::At(const QWidget* control) { return control ? QPointF(control->pos()) : QPointF(); }

QPointF ListPicker::BelowButton(const QWidget* frame, const QWidget* button) {
  if (!button) return At(frame);
  return At(frame) + At(button) + QPointF(button->width() / 2.0, button->height() * 1.5);
}

ListItem* ListPicker::AddRow(const QString& text, const QString& tag, const QStringList& cells) {
  return list_->addRow(text, tag, cells);
}

bool ListPicker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      Cancel();
      return true;
    }
    // The press before it has already selected the row under the pointer, if any.
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      Answer();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace garam
