// What every editor dialog shares besides the numeric boxes: focus hints in the dialog's status
// bar, name boxes with their byte guard and reserved names, the editable combo that settles typed
// text on a row when the user leaves it, and the parts each dialog is built of.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QString>
#include <QStringList>
#include <array>
#include <initializer_list>

namespace garam {

// The hint goes to the QStatusBar of the control's window whenever the control gets the focus,
// or, in a window without one, to its label named kHintLabelName; so does the focus the window gives
// when it opens, but a pop-up closing or the window being activated again gives no hint.
void SetFocusHint(QWidget* control, const QString& hint);
// The object name of the label that shows the hints of a window without a status bar.
inline constexpr const char* kHintLabelName = "hintLabel";

// The byte guard of the game's field, and on leaving the reserved-name clearing below.
void AttachNameBox(QLineEdit* box, int maxBytes);
// "없음" and a row of exactly maxBytes "-" are what the lists show for nobody; as a name they
// would read as an empty entry, so they become empty.
void ClearReservedName(QLineEdit* box, int maxBytes);

// The culture spheres as the sphere and style combos offer them, in sphere order.
QStringList CultureSphereNames();

// The status bar that shows the focus hints, without a size grip: the dialogs keep their size.
QStatusBar* MakeStatusBar(QWidget* dialog);

// "확인", the dialog's default button, and "취소", named okButton and cancelButton.
struct OkCancel {
  QPushButton* ok;
  QPushButton* cancel;
};
OkCancel MakeOkCancel(QWidget* dialog);
// The hints of the two buttons: the dialog's own for "확인", "취소" for "취소".
void SetOkCancelHints(const OkCancel& buttons, const QString& okHint);
// The row that ends a dialog: widgets on its left, then "확인" and "취소" on its right.
QHBoxLayout* MakeButtonRow(const OkCancel& buttons, std::initializer_list<QWidget*> left = {});

// A group box; with widgets, it holds them in a row.
QGroupBox* MakeFrame(QWidget* parent, const QString& caption, const QString& name, std::initializer_list<QWidget*> inside = {});
// The group boxes of a dialog, by its own frame enum; captions and object names in that order.
template <std::size_t N>
std::array<QGroupBox*, N> MakeFrames(QWidget* parent, const char* const (&captions)[N], const char* const (&names)[N]) {
  std::array<QGroupBox*, N> frames{};
  for (std::size_t i = 0; i < N; ++i) frames[i] = MakeFrame(parent, captions[i], names[i]);
  return frames;
}

// A chosen record's name beside the "변경" button that picks another, named role + "Name" and
// role + "Button".
struct NameChoice {
  QLabel* name;
  QPushButton* change;
};
NameChoice MakeNameChoice(QWidget* parent, const QString& role, int minimumWidth, const QString& shown = {});
// The choice in a row, the name taking the room.
void LayOutNameChoice(QBoxLayout* row, const NameChoice& choice);

// The tab order of the widgets as listed.
void ChainTabs(std::initializer_list<QWidget*> order);
// The widgets with their hints, in pairs.
void SetFocusHints(std::initializer_list<std::pair<QWidget*, QString>> hints);

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
