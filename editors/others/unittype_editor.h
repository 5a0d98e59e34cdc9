// The unit-type editor (frmEdit7): name, attack, cost, mobility and attacks of one unit type.
#pragma once

#include <QLineEdit>

#include "editors/others/editor_dialog.h"
#include "platform/numericbox.h"

namespace garam {

class UnitTypeEditor : public EntityEditor {
  Q_OBJECT
 public:
  UnitTypeEditor(MainWindowLink& w, int record);

  QLineEdit* edt7Text;
  std::array<NumericBox*, 4> edt7Num{};  // attack, cost, mobility, attacks
  QLabel* edt7lbl;

 protected:
  void Apply() override;
  void UpdateRows() override;

 private:
  int lastBox_ = -1;  // the number box that last had the focus
};

}  // namespace garam
