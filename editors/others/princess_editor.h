// The princess editor (frmEdit6): name, mother, birth year and adulthood of a save file's princess.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

#include "editors/others/editor_dialog.h"
#include "platform/numericbox.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class PrincessEditor : public EntityEditor, public PrincessEditorCaller {
  Q_OBJECT
 public:
  PrincessEditor(MainWindowLink& w, int record);

  // PrincessEditorCaller
  QWidget* Form() override { return this; }
  std::int16_t MotherNo() const override { return motherNo_; }
  void SetMotherNo(std::int16_t v) override { motherNo_ = v; }
  QLabel* edt6lbl(int index) override { return lbl_.at(std::size_t(index)); }
  QWidget* edt6Frame(int index) override { return frames_.at(std::size_t(index)); }
  QAbstractButton* edt6Cmd2() override { return motherButton_; }
  QLabel* edt6Mask() override { return mask_; }

  QLineEdit* edt6Text;
  QCheckBox* edt6Check;
  NumericBox* edt6Num;

  void ChooseMother();

 protected:
  void Apply() override;
  void UpdateRows() override;

 private:
  void ShowAge();
  void ShowFace();

  std::int16_t motherNo_ = 0;
  std::array<QGroupBox*, 4> frames_{};
  std::array<QLabel*, 2> lbl_{};
  QPushButton* motherButton_;
  QLabel* mask_;
};

}  // namespace garam
