// The consort editor (frmEdit5): name, face, origin region, culture tendency, husband, father,
// pregnancy, historical or fictional, marriage year and code of one consort of the loaded file.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "data/ids.h"
#include "data/other_edits.h"
#include "editors/others/editor_dialog.h"
#include "platform/editorkit.h"
#include "platform/numericbox.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class ConsortEditor : public EntityEditor, public ConsortEditorCaller {
  Q_OBJECT
 public:
  ConsortEditor(MainWindowLink& w, int record);

  // ConsortEditorCaller
  QWidget* Form() override { return this; }
  void SetFatherNo(std::int16_t v) override { FatherNo = v; }
  void SetHusbandNo(std::int16_t v) override;
  std::uint8_t FaceNo() const override { return faceNo_; }
  void SetFaceNo(std::uint8_t v) override { faceNo_ = v; }
  QLabel* edt5lbl(int index) override { return lbl_.at(std::size_t(index)); }
  QWidget* edt5Frame(int index) override { return frames_.at(std::size_t(index)); }
  QAbstractButton* edt5Cmd3(int index) override { return pickButtons_.at(std::size_t(index)); }
  QLabel* edt5Mask() override { return mask_; }

  std::int16_t HusbandNo = kNoGeneral, FatherNo = kNoGeneral;
  std::uint8_t WorkingFlags = 2;

  QLineEdit* edt5Text;
  QPushButton* edt5Cmd2;
  PrefixCombo* regionCombo;                 // edt5Combo(0)
  QComboBox *tendencyCombo, *turnsCombo;    // edt5Combo(1), edt5Combo(2)
  std::array<QRadioButton*, 2> edt5Option;  // 0 "임신", 1 "안함"
  QPushButton *edt5Cmd4, *edt5Cmd5;         // child's sex, historical or fictional
  std::array<NumericBox*, 2> edt5Num;       // 0 marriage year, 1 code

  // The buttons' actions, as a click runs them.
  void ChooseFace();
  void ChoosePerson(int index);  // 0 father, 1 husband
  void ChoosePregnant(bool pregnant);
  void ChooseTurns(int entry);

 protected:
  void Apply() override;
  void UpdateRows() override;

 private:
  void ShowFace();
  void ShowYears();
  void CodeLeft();

  std::uint8_t faceNo_ = 0;
  std::array<QGroupBox*, 7> frames_{};
  std::array<QLabel*, 5> lbl_{};
  std::array<QPushButton*, 2> pickButtons_{};
  QLabel* mask_;
  OriginRegionList regions_;
  int storedHusband_ = kNoGeneral, storedCode_ = 0;
  bool ignoredNone_ = false;
};

}  // namespace garam
