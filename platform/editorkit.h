// What every editor dialog shares besides the numeric boxes: focus hints in the dialog's status
// bar, name boxes with their byte guard and reserved names, and the editable combo that settles
// typed text on a row when the user leaves it.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QString>

namespace garam {

// The hint goes to the QStatusBar of the control's window whenever the control gets the focus,
// or, in a window without one, to its hint label "lblStatus"; so does the focus the window gives
// when it opens, but a pop-up closing or the window being activated again gives no hint.
void SetFocusHint(QWidget* control, const QString& hint);

// The byte guard of the game's field, and on leaving the reserved-name clearing below.
void AttachNameBox(QLineEdit* box, int maxBytes);
// "없음" and a row of exactly maxBytes "-" are what the lists show for nobody; as a name they
// would read as an empty entry, so they become empty.
void ClearReservedName(QLineEdit* box, int maxBytes);

// An editable combo whose typed text selects a row only when the user leaves it, so typing a
// name's beginning picks that name and typing nonsense keeps what was there.
class PrefixCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit PrefixCombo(QWidget* parent = nullptr);

  // Sets the row with signals blocked, as the dialogs do while they fill themselves.
  void setRowQuietly(int row);
  // Settles the typed text on a row. Text equal to the row held at focus (or the current one)
  // keeps it, so a duplicate or prefix-sharing name never jumps; an empty text goes back to that
  // row; otherwise an exact match, then the first row that begins with the text; with no match
  // the row held at focus comes back. settled() follows every case but the last.
  void Leave();
  // The row held when the combo got the focus, -1 when it has not had it since the last leave.
  int rememberedRow() const { return remembered_; }

 signals:
  void settled(int row);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int remembered_ = -1;
};

}  // namespace garam
