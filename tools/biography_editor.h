// The biography editor: names and texts of the 343 biographies of the Korean message file, within
// the room that the file's two fixed-size areas leave.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <string>

namespace garam {

class BiographyEditor : public QDialog {
  Q_OBJECT
 public:
  explicit BiographyEditor(QWidget* owner);

  QComboBox* entryCombo;
  QLineEdit* nameBox;
  QPlainTextEdit* textBox;
  QPushButton *applyButton, *closeButton;
  QPushButton* searchButton;
  std::array<QLabel*, 4> roomCaptions{};  // the free-room captions and their units
  QLabel *freeNameLabel, *freeTextLabel;  // free bytes of the two areas
  QLabel* entryNumber;
  QTimer* holdTimer;

  // Free bytes of the two areas as stored (before the boxes' unapplied edits).
  long long FreeNameBytes() const;
  long long FreeTextBytes() const;

  void ShowEntry(int index);
  void Apply();
  void Search();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The controls the focus hold brings the focus back to: the last of them that had it.
  enum class HeldControl { None, Entry, Name, Text, Apply, Close };
  static constexpr HeldControl kHeldControls[] = {HeldControl::Entry, HeldControl::Name, HeldControl::Text,
                                                  HeldControl::Apply, HeldControl::Close};
  QWidget* ControlOf(HeldControl control) const;

  void BuildControls();
  void BuildEntryRow();
  void BuildRoomLabels();
  void BuildBoxes();
  void BuildButtons();
  void WireControls();
  void ShowEntries();
  // Byte limits of the boxes for the shown entry; never below 0.
  void SetLimits();
  void BoxChanged(QWidget* box);
  void FocusControl(HeldControl control);
  void HoldTick();
  void SetHold(bool on);

  long long nameRoom_ = 0, textRoom_ = 0;
  HeldControl focused_ = HeldControl::None;
  bool holdOn_ = false;
  // The boxes' last accepted texts: a change that adds a control character is taken back to them.
  QString lastName_, lastText_;
};

}  // namespace garam
