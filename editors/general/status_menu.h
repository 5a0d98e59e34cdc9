// The general editor's status menu: five buttons offering the statuses the edited general may
// take, chaining to the city picker or to the successor picker, and writing the outcome into the
// editor's labels, boxes and variables. It changes no record; the editor's "확인" does.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <array>

#include "data/general_record.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class GeneralEditor;

class StatusMenu : public QDialog {
  Q_OBJECT
 public:
  // Placed at the lower right of the editor's status button, its buttons enabled for the status
  // the editor shows.
  StatusMenu(GeneralEditor& editor, const MainLists& lists);
  static constexpr int kEntries = 5;

  // From top to bottom: lord, ordinary, unaffiliated, minor, not yet appeared.
  std::array<QPushButton*, kEntries> statusButtons{};
  // The button giving status; nullptr for a status the menu does not offer.
  QPushButton* Button(GeneralStatus status) const;
  void Choose(GeneralStatus status);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Unemployed(GeneralStatus status);
  void PlaceFromRelatives();
  bool SuccessorNeeded() const;

  GeneralEditor& e_;
  MainLists lists_;
  // The status the editor shows; one the menu does not offer counts as a lord's.
  GeneralStatus current_ = GeneralStatus::Lord;
};

}  // namespace garam
