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

  // CreateCountryCaller
  QWidget* Form() override { return this; }
  void SetKingNo(std::int16_t v) override { KingNo = v; }
  void SetCapitalNo(std::int16_t v) override { CapitalNo = v; }
  QLabel* Add1lbl(int index) override { return index == 0 || index == 1 ? Add1lbl_[std::size_t(index)] : nullptr; }
  QWidget* Add1Frame(int index) override { return index >= 0 && index < 4 ? Add1Frame_[std::size_t(index)] : nullptr; }
  QAbstractButton* Add1Cmd2(int index) override {
    return index == 0 || index == 1 ? Add1Cmd2_[std::size_t(index)] : nullptr;
  }

  std::int16_t KingNo = kNoGeneral;
  std::int16_t CapitalNo = kNoCity;
  QLineEdit* Add1Text;
  QComboBox* Add1Combo;
  std::array<QPushButton*, 2> Add1Cmd{};
  QStatusBar* Add1Status;

  void ChooseKing();
  void ChooseCapital();
  void Create();  // "확인"

 private:
  void FollowCreateButton();
  void CreateInSave();
  void CreateScenarioCountry();

  MainWindowLink& main_;
  std::array<QLabel*, 2> Add1lbl_{};
  std::array<QGroupBox*, 4> Add1Frame_{};
  std::array<QPushButton*, 2> Add1Cmd2_{};
};

}  // namespace garam
