// The event flags of a Korean save file: which of nine events count as having happened, as bits of
// the two event bytes of the save header.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <array>

namespace garam {

class EventFlagsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit EventFlagsDialog(QWidget* owner);

  std::array<QCheckBox*, 9> eventBoxes{};  // in the order of the event table
  QPushButton *okButton, *cancelButton;
  QWidget* focusSink;  // takes the focus out of sight, so that no box keeps a focus frame

  void Apply();

 protected:
  bool event(QEvent* e) override;

 private:
  void BoxClicked(int box);
  // Box 3 is out of use while bit 0 of the save's tail block is set.
  bool BoxInUse(int box) const;
  std::array<bool, 9> loaded_{};
  bool activated_ = false;
};

}  // namespace garam
