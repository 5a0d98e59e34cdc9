// The consort editor (frmEdit5): name, face, origin region, culture tendency, husband, father,
// pregnancy, historical or fictional, marriage year and code of one consort of the loaded file.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

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
  // The two people a consort names.
  enum Person { Father, Husband };

  ConsortEditor(MainWindowLink& w, int record);

  // ConsortEditorCaller
  QWidget* Form() override { return this; }
  void SetFatherNo(std::int16_t v) override { FatherNo = v; }
  void SetHusbandNo(std::int16_t v) override;
  std::uint8_t FaceNo() const override { return faceNo_; }
  void SetFaceNo(std::uint8_t v) override { faceNo_ = v; }
  QLabel* FatherNameLabel() override { return people_[Father].name; }
  QLabel* HusbandNameLabel() override { return people_[Husband].name; }
  QWidget* FatherGroup() override { return people_[Father].frame; }
  QWidget* HusbandGroup() override { return people_[Husband].frame; }
  QAbstractButton* ChangeFatherButton() override { return people_[Father].change; }
  QAbstractButton* ChangeHusbandButton() override { return people_[Husband].change; }
  QLabel* ConsortFaceLabel() override { return face_; }

  std::int16_t HusbandNo = kNoGeneral, FatherNo = kNoGeneral;
  std::uint8_t WorkingFlags = 2;

  QLineEdit* nameBox;
  QPushButton* faceButton;
  PrefixCombo* regionCombo;
  QComboBox *tendencyCombo, *turnsCombo;
  QRadioButton *pregnantOption, *notPregnantOption;
  QPushButton* childSexButton;
  QPushButton* fictionButton;  // historical or fictional
  NumericBox *marriageYear, *codeBox;

  // The buttons' actions, as a click runs them.
  void ChooseFace();
  void ChoosePerson(Person who);
  void ChoosePregnant(bool pregnant);
  void ChooseTurns(int entry);

 protected:
  void Apply() override;
  void UpdateRows() override;

 private:
  // The frame of a person with the name shown and the button that picks another.
  struct PersonChoice {
    QGroupBox* frame = nullptr;
    QLabel* name = nullptr;
    QPushButton* change = nullptr;
  };

  void MakeControls(bool qvEdition);
  void LayOut();
  void SetHints(bool qvEdition);
  void Connect();
  void ReadRecord();
  void Open(bool save);
  void FillChoices(int region, int tendency);
  void ShowFace();
  void ShowYears();
  void ShowChildSex();
  void ShowFiction();
  void CodeLeft();

  std::uint8_t faceNo_ = 0;
  QLabel* face_;
  std::array<PersonChoice, 2> people_{};
  QLabel *turnsCaption_, *turnsUnit_, *marriedYears_;
  QGroupBox *regionFrame_, *tendencyFrame_, *pregnancyFrame_, *marriageFrame_;
  OriginRegionList regions_;
  int storedHusband_ = kNoGeneral, storedCode_ = 0;
  bool ignoredNone_ = false;
};

}  // namespace garam
