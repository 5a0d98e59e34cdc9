// The unit-type editor (frmEdit7): name, attack, cost, mobility and attacks of one unit type.
#pragma once

#include <QLineEdit>
#include <array>

#include "editors/others/editor_dialog.h"
#include "platform/numericbox.h"

namespace garam {

class UnitTypeEditor : public EntityEditor {
  Q_OBJECT
 public:
  // The number boxes, in the order of the window and of the edit.
  enum Number { Attack, Cost, Mobility, Attacks, NumberCount };

  UnitTypeEditor(MainWindowLink& w, int record);

  QLineEdit* nameBox;
  std::array<NumericBox*, NumberCount> numberBoxes{};
  QLabel* kindLabel;

 protected:
  void Apply() override;
  void UpdateRows() override;

 private:
  int lastBox_ = -1;  // the number box that last had the focus
};

}  // namespace garam
