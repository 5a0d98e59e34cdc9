// The general editor: one general of the loaded file, filled from his record and his row of the
// main window's general list; "확인" writes back what it shows, "취소" and closing change nothing.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <array>
#include <map>
#include <vector>

#include "data/ids.h"
#include "data/general_record.h"
#include "data/general_status.h"
#include "platform/editorkit.h"
#include "platform/numericbox.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class MainWindowLink;
class ListItem;

class GeneralEditor : public QDialog, public GeneralEditorCaller {
  Q_OBJECT
 public:
  // Edits general record of the loaded file; main holds the lists and labels the apply updates.
  // Loaded() is false when there is no such general or no row for him: the window then has
  // nothing to edit and is not shown.
  GeneralEditor(QWidget* owner, MainWindowLink& main, int record);
  ~GeneralEditor() override;
  bool Loaded() const { return loaded_; }

  // Who he is: name, record number, status, where he serves, his unit and place, his kin.
  QLineEdit* nameBox;
  QLabel* recordNumberLabel;
  QLabel* statusLabel;
  QLabel* cityLabel;
  QLabel* countryLabel;
  QLabel* unitLabel;
  QLabel* positionXLabel;
  QLabel* positionYLabel;
  QLabel* appearanceCityLabel;
  QLabel* grandfatherLabel;
  QLabel* fatherLabel;
  QLabel* ageLabel;
  QPushButton* changeStatusButton;
  QPushButton* changeCityButton;
  QPushButton* changeAppearanceCityButton;
  // The number boxes.
  NumericBox* politicsBox;
  NumericBox* battleBox;
  NumericBox* intelligenceBox;
  NumericBox* loyaltyBox;
  NumericBox* meritBox;
  NumericBox* employmentYearBox;
  NumericBox* birthYearBox;
  NumericBox* appearanceYearBox;
  NumericBox* faceNumberBox;
  // Infantry, archers, cavalry, navy; agriculture, commerce, building, culture.
  std::array<QComboBox*, 4> aptitudeCombos{};
  std::array<QComboBox*, 4> proficiencyCombos{};
  PrefixCombo* regionCombo;
  QComboBox* lifespanCombo;
  QComboBox* speechCombo;  // what he says when captured or asked to serve
  PrefixCombo* biographyCombo;
  QPlainTextEdit* biographyText;
  QLabel* faceLabel;
  QPushButton* changeFaceButton;
  std::array<QPushButton*, 12> skillButtons{};  // checkable; checked = the skill is owned
  QCheckBox* talentSearchCheck;  // "S": out searching for talent
  QCheckBox* specialTraitCheck;  // "W": a special trait
  QPushButton* fictionToggle;     // "사실" / "가상"
  QPushButton* actionDoneToggle;  // "미완" / "완료"
  QPushButton* sonInLawToggle;    // "X" / "O"
  QPushButton* okButton;
  QPushButton* cancelButton;
  QStatusBar* hintBar;
  QWidget* focusParking;
  QGroupBox* cityFrame = nullptr;
  QGroupBox* appearanceFrame = nullptr;
  QGroupBox* biographyFrame = nullptr;

  // Form state the pickers and the status menu answer into.
  std::uint8_t cityNumber = kNoCity;
  std::uint8_t loadedCityNumber = kNoCity;
  std::uint8_t appearanceCityNumber = kNoAppearanceCity;
  std::int16_t faceNumber = 0;
  std::int16_t newLordNumber = kNoGeneral;
  std::uint8_t queueSlot = 0;
  // The number box that last had the focus.
  NumericBox* lastNumBox = nullptr;
  // The general as the editor edits him; the stored record changes only on "확인".
  GeneralWorkingCopy Working;

  // Handlers.
  void OkClicked();
  void CancelClicked();
  void ChangeFace();
  void ToggleFiction();
  void ToggleActionDone();
  void ToggleSonInLaw();
  void ChangeCity();
  void ChangeStatus();
  void ChangeAppearanceCity();
  void ShowBiography();
  void SpecialFlagClicked(QCheckBox* check);
  void setCityLabel(const QString& text);
  // The status menu let his unit go: the label shows none and "확인" releases it.
  void ReleaseUnit();
  // The status the status label shows; nullopt for a text that names none.
  std::optional<GeneralStatus> ShownStatus() const;

  // GeneralEditorCaller
  QWidget* Form() override { return this; }
  void SetCityNo(std::uint8_t v) override;
  std::uint8_t OrgCityNo() const override { return loadedCityNumber; }
  void SetAppearCityNo(std::uint8_t v) override { appearanceCityNumber = v; }
  void SetNewLordNo(std::int16_t v) override { newLordNumber = v; }
  std::int16_t FaceNo() const override { return faceNumber; }
  void SetFaceNo(std::int16_t v) override { faceNumber = v; }
  QLabel* StatusLabel() override { return statusLabel; }
  QLabel* UnitLabel() override { return unitLabel; }
  QLabel* CityLabel() override { return cityLabel; }
  QLabel* AppearanceCityLabel() override { return appearanceCityLabel; }
  QLabel* PositionXLabel() override { return positionXLabel; }
  QLabel* PositionYLabel() override { return positionYLabel; }
  QAbstractButton* ChangeCityButton() override { return changeCityButton; }
  QAbstractButton* ChangeAppearanceCityButton() override { return changeAppearanceCityButton; }
  QLineEdit* EmploymentYearBox() override { return employmentYearBox; }
  QLineEdit* AppearanceYearBox() override { return appearanceYearBox; }
  QWidget* CityFrame() override { return cityFrame; }
  QWidget* AppearanceFrame() override { return appearanceFrame; }
  QLabel* FaceLabel() override { return faceLabel; }
  void UpdateSonInLawToggle(bool afterChange) override;

 private:
  void Build();
  void MakeControls();
  void MakeLabelsAndButtons();
  void MakeNumberBoxes();
  void MakeCombos();
  void MakeLooksAndMarks();
  void LayOut();
  QLayout* LayOutWhoHeIs();
  QLayout* LayOutAbilities();
  QLayout* LayOutLooksAndMarks();
  void SetHints();
  void Connect();
  bool Fill(int record);
  void FillIdentity(ListView& generals, int record);
  void FillMarks();
  void ShowFiction();
  void ShowActionDone();
  void FillAbilities(int record);
  void FillServiceAndKin();
  void FillAppearance(int record);
  void SetNumberRanges();
  void FillLists();
  void FillRegionList();
  void FillBiographyList();
  void NumLeft(NumericBox* box);
  void ShowFace();
  void Apply();
  QString CommitName();
  void WriteBoxes();
  void WriteMarks();
  StatusChange ShownChange() const;
  void ShowApplied(const StatusOutcome& outcome, const QString& name);
  void ShowKingName(const QString& name);
  static int ComboValue(const QComboBox* combo);
  // Selects the entry holding value, adding a placeholder entry that keeps it when none does.
  static void SelectValue(QComboBox* combo, int value, const QString& placeholder);
  std::vector<NumericBox*> NumberBoxes() const;
  std::vector<QComboBox*> Combos() const;

  MainWindowLink& main_;
  ListItem* item_ = nullptr;
  QString loadedUnitText_;
  bool hasUnit_ = false;            // he had a unit at opening
  bool unitOutsideCastle_ = false;  // and it stands outside his castle
  bool unitReleased_ = false;       // the status menu let it go
  // The virtual and action-done marks the toggles show; only saves keep them.
  bool fictional_ = false;
  bool actionDone_ = false;
  bool loaded_ = false;
};

}  // namespace garam
