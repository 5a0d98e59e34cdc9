// The create-country dialog: a name, a king and a capital (a scenario's capital brings its lord
// as king), and in a save file a culture sphere; "확인" creates the country and its list rows.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <array>

#include "data/ids.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class MainWindowLink;

class CreateCountryDialog : public QDialog, public CreateCountryCaller {
  Q_OBJECT
 public:
  explicit CreateCountryDialog(MainWindowLink& main);

  // The group boxes, in the order the pickers count them.
  enum Frame { NameFrame, SphereFrame, KingFrame, CapitalFrame, kFrames };

  // CreateCountryCaller: label and button 0 are the king's, 1 the capital's.
  QWidget* Form() override { return this; }
  void SetKingNo(std::int16_t v) override { king_ = v; }
  void SetCapitalNo(std::int16_t v) override { capital_ = v; }
  QLabel* Add1lbl(int index) override { return index == 0 ? kingName : index == 1 ? capitalName : nullptr; }
  QWidget* Add1Frame(int index) override { return index >= 0 && index < kFrames ? frames[std::size_t(index)] : nullptr; }
  QAbstractButton* Add1Cmd2(int index) override { return index == 0 ? kingButton : index == 1 ? capitalButton : nullptr; }

  QLineEdit* nameBox;
  QComboBox* sphereCombo;
  QLabel* kingName;
  QPushButton* kingButton;
  QLabel* capitalName;
  QPushButton* capitalButton;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QStatusBar* statusBar;
  std::array<QGroupBox*, kFrames> frames{};

  void ChooseKing();
  void ChooseCapital();
  void Create();  // "확인"

 private:
  void BuildControls();
  void LayOut();
  void Connect();
  void Preset();
  void FollowCreateButton();
  void CreateInSave();
  void CreateScenarioCountry();
  void RefreshRows(int country, int oldOwner);

  MainWindowLink& main_;
  std::int16_t king_ = kNoGeneral;
  std::int16_t capital_ = kNoCity;
};

}  // namespace garam
