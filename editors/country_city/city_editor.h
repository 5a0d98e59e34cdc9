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

class ListItem;

class CityEditor : public QDialog, public CityEditorCaller {
  Q_OBJECT
 public:
  CityEditor(QWidget* owner, const MainLists& lists, int city);

  // Public variables of the form.
  std::uint8_t OwnerNo = kNoCountry;
  int UnitTypeMax = 22;

  QLabel* lblNo;
  std::array<QGroupBox*, 9> edt3Frames{};
  QLineEdit* edt3Text;
  std::array<QLabel*, 5> edt3lbl2s{};
  QPushButton* edt3Cmd2;
  std::array<NumericBox*, 16> edt3Num{};
  std::array<QPushButton*, 14> edt3Cmd3{};
  std::array<QComboBox*, 10> edt3Combo{};  // 1 to 8 are PrefixCombos
  QListWidget* edt3List;
  std::array<QPushButton*, 2> edt3Cmd{};
  QStatusBar* edt3Status;

  // CityEditorCaller
  QWidget* Form() override { return this; }
  void SetOwnerNo(std::uint8_t v) override { OwnerNo = v; }
  QLabel* edt3lbl2(int index) override { return index >= 0 && index < 5 ? edt3lbl2s[std::size_t(index)] : nullptr; }
  QWidget* edt3Frame(int index) override { return index >= 0 && index < 9 ? edt3Frames[std::size_t(index)] : nullptr; }

  // The owner button: the country picker over this window.
  void ChooseOwner();
  // "확인": writes the city and the main window's rows, then closes.
  void Apply();

 private:
  void Build();
  void Load();
  void UpdateScaleLabel();
  // The item uniqueness: another item combo on the same row goes to the empty row.
  void KeepItemUnique(int index);
  PrefixCombo* ItemCombo(int j) const { return static_cast<PrefixCombo*>(edt3Combo[std::size_t(j)]); }
  CityEdit Collect() const;
  void UpdateRows(const CityApplyResult& r);

  MainLists lists_;
  int city_;
  ListItem* row_ = nullptr;
  int lastNum_ = -1;  // the numeric box that last had the focus
};

}  // namespace garam
