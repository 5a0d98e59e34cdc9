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
  QLabel* MotherNameLabel() override { return motherName_; }
  QWidget* MotherGroup() override { return motherFrame_; }
  QAbstractButton* ChangeMotherButton() override { return motherButton_; }
  QLabel* PrincessFaceLabel() override { return face_; }

  QLineEdit* nameBox;
  QCheckBox* adultCheck;
  NumericBox* birthYear;

  void ChooseMother();

 protected:
  void Apply() override;
  void UpdateRows() override;

 private:
  void MakeControls(bool qvEdition);
  void LayOut(bool qvEdition);
  void ShowAdult();
  void ShowAge();
  void ShowFace();

  std::int16_t motherNo_ = 0;
  QGroupBox* motherFrame_;
  QLabel *motherName_, *age_;
  QPushButton* motherButton_;
  QLabel* face_;
};

}  // namespace garam
