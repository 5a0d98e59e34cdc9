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

  // The group boxes, row by row.
  enum Frame { NameFrame, SphereFrame, KingFrame, CapitalFrame, kFrames };

  // CreateCountryCaller
  QWidget* Form() override { return this; }
  void SetKingNo(std::int16_t v) override { king_ = v; }
  void SetCapitalNo(std::int16_t v) override { capital_ = v; }
  QLabel* NewKingNameLabel() override { return kingName; }
  QLabel* NewCapitalNameLabel() override { return capitalName; }
  QWidget* NewKingGroup() override { return frames[KingFrame]; }
  QWidget* NewCapitalGroup() override { return frames[CapitalFrame]; }
  QAbstractButton* ChangeNewKingButton() override { return kingButton; }
  QAbstractButton* ChangeNewCapitalButton() override { return capitalButton; }

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
