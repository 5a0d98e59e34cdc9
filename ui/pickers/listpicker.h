// What the four list pickers share: one list view filling a window without title-bar buttons,
// sorting by a clicked header, answering with the selected row on a double-click or Enter, and
// closing without an answer on Esc or a right-button press.
#pragma once

#include <QDialog>
#include <QPoint>

#include "platform/listview.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class ListPicker : public QDialog {
  Q_OBJECT
 public:
  // Fills, captions and places the window for its mode without showing it.
  void Load();
  // Load, then the modal loop; returns once the picker has unloaded itself.
  int ShowModal();

  ListView* List() const { return list_; }
  bool Answered() const { return answered_; }
  // The answer keys and the double-click; nothing happens without a selected row.
  void Answer();
  // Esc and the right button; refused while the picker must be answered.
  void Cancel();

  void reject() override { Cancel(); }

 protected:
  ListPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers, const char* name,
             const QString& designCaption, int clientWidthTwips, int clientHeightTwips, int listWidthTwips,
             int listHeightTwips);

  void SetColumns(const QStringList& headers, const QList<int>& widthsTwips);
  // Rows, caption and place for the current mode; the base clears the list before and selects
  // the top row after.
  virtual void Fill() = 0;
  virtual void TakeAnswer(ListItem* row) = 0;
  virtual bool CanCancel() const { return true; }

  // Moves the picker to a point given relative to the caller's window.
  void PlaceBy(QWidget* form, QPointF offset);
  // Offset of a control's position inside its container, and of the point below the middle of a
  // button one and a half heights down, as the pickers that open from a button place themselves.
  static QPointF At(const QWidget* control);
  static QPointF BelowButton(const QWidget* frame, const QWidget* button);

  ListItem* AddRow(const QString& text, const QString& tag, const QStringList& cells = {});

  MainLists lists_;
  PickerCallers callers_;
  ListView* list_;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SortBy(int column);
  bool answered_ = false;
  bool finished_ = false;
};

// Texts and numbers the way the pickers read them from list cells.
QString TrimSpaces(const QString& text);  // spaces only, as the names are padded with them
int CellNumber(const QString& text);      // the leading number, 0 when there is none
// The row of list whose tag is the decimal text of number, or nullptr.
ListItem* RowByNumber(const ListView* list, int number);

}  // namespace garam
