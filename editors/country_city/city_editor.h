// The city editor: one city's name, owner, code, defence, holdings, castle styles, culture levels,
// culture items and unit types, written back with the main window's rows on "확인".
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <array>

#include "data/city_edit.h"
#include "data/ids.h"
#include "platform/editorkit.h"
#include "platform/numericbox.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class CityEditor : public QDialog, public CityEditorCaller {
  Q_OBJECT
 public:
  CityEditor(QWidget* owner, const MainLists& lists, int city);

  // The group boxes, in the order the owner picker counts them.
  enum Frame { NameFrame, OwnerFrame, DefenceFrame, HoldingsFrame, StylesFrame, PlaceFrame, LevelsFrame, ItemsFrame,
               UnitsFrame, kFrames };
  // The four holdings, in the record's order.
  enum Holding { Gold, Food, Soldiers, Wounded, kHoldings };
  static constexpr int kItemSlots = 8;

  QLabel* recordNumber;
  std::array<QGroupBox*, kFrames> frames{};
  QLineEdit* nameBox;
  QLabel* ownerName;
  QPushButton* ownerButton;
  NumericBox* defenceBox;
  QLabel* scaleLabel;
  std::array<NumericBox*, kHoldings> holdingBoxes{};
  std::array<QPushButton*, kHoldings> holdingMaxButtons{};
  QComboBox* interiorStyle;
  QComboBox* exteriorStyle;
  QLabel* placeX;
  QLabel* placeY;
  // One per culture field.
  std::array<NumericBox*, kCultureFields> levelBoxes{};
  std::array<QPushButton*, kCultureFields> levelMaxButtons{};
  std::array<PrefixCombo*, kItemSlots> itemCombos{};
  QListWidget* unitTypeList;
  QLabel* capitalStatus;
  NumericBox* codeBox;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QStatusBar* statusBar;

  // CityEditorCaller: the owner picker writes the owner's name and the city's status.
  QWidget* Form() override { return this; }
  void SetOwnerNo(std::uint8_t v) override { owner_ = v; }
  QLabel* OwnerNameLabel() override { return ownerName; }
  QLabel* CityStatusLabel() override { return capitalStatus; }
  QWidget* OwnerGroup() override { return frames[OwnerFrame]; }

  // The owner button: the country picker over this window.
  void ChooseOwner();
  // "확인": writes the city and the main window's rows, then closes.
  void Apply();

 private:
  void Build();
  void BuildControls();
  void BuildButtons();
  void FillFrames();
  void LayOut();
  void SetTabOrder();
  void Load();
  void LoadFromRecord(const CityEdit& e);
  void UpdateScaleLabel();
  // The item uniqueness: another item combo on the same row goes to the empty row.
  void KeepItemUnique(int slot);
  CityEdit Collect() const;
  void RefreshRows(const CityApplyResult& r);

  MainLists lists_;
  int city_;
  std::uint8_t owner_ = kNoCountry;
  int unitTypeMax_ = 22;
  NumericBox* lastFocusedBox_ = nullptr;
};

}  // namespace garam
