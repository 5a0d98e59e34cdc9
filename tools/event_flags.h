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
  // The events in the order the dialog lists them.
  enum class GameEvent {
    DazaifuShrine = 0,
    MontSaintMichel,
    ArabianNights,
    AngkorWat,
    EuropeanAlliance,
    IslamicAlliance,
    EastAsianAlliance,
    SouthAsianAlliance,
    Renaissance,
  };
  static constexpr int kGameEvents = 9;

  explicit EventFlagsDialog(QWidget* owner);

  QCheckBox* EventBox(GameEvent event) const { return eventBoxes_[std::size_t(event)]; }
  QPushButton *okButton, *cancelButton;
  QWidget* focusSink;  // takes the focus out of sight, so that no box keeps a focus frame

  void Apply();

 protected:
  bool event(QEvent* e) override;

 private:
  void BuildEventBoxes();
  void BuildButtons();
  void ShowLoadedFlags();
  void BoxClicked(int box);
  // Angkor Wat's box is out of use while bit 0 of the save's tail block is set.
  bool BoxInUse(int box) const;
  std::array<QCheckBox*, kGameEvents> eventBoxes_{};
  std::array<bool, kGameEvents> loaded_{};
  bool activated_ = false;
};

}  // namespace garam
