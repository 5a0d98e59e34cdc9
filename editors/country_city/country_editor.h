// The country editor: name, culture sphere, code, king, owned culture items and the relation
// towards every listed country, written back on "확인" with a change of king and the main
// window's rows; "취소", Esc and the close box leave no trace.
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

#include "data/ids.h"
#include "platform/listview.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class MainWindowLink;

// The code box: digits only, at most three of them, at most 79 once left.
class CountryCodeBox : public QComboBox {
  Q_OBJECT
 public:
  explicit CountryCodeBox(QWidget* parent = nullptr);
  // The leave step: the value, at most 79, in decimal ("" becomes "0", "007" "7").
  void Leave();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void KeepDigits();
  bool rewriting_ = false;
};

class CountryEditor : public QDialog, public CountryEditorCaller {
  Q_OBJECT
 public:
  CountryEditor(MainWindowLink& main, int country);

  // CountryEditorCaller
  QWidget* Form() override { return this; }
  std::int16_t KingNo() const override { return KingNo_; }
  void SetKingNo(std::int16_t v) override { KingNo_ = v; }
  QLabel* edt2lbl2() override { return edt2lbl2_; }
  QLineEdit* edt2Text() override { return edt2Text_; }
  QComboBox* edt2Combo() override { return edt2Combo_; }
  QWidget* edt2Frame(int index) override { return index >= 0 && index < 5 ? edt2Frame_[std::size_t(index)] : nullptr; }

  QLabel* lblNo;
  ListView* edt2ListView;
  QListWidget* edt2List;
  CountryCodeBox* edt2ComboN;
  QPushButton* edt2Cmd2;
  std::array<QPushButton*, 2> edt2Cmd{};
  QStatusBar* edt2Status;
  std::int16_t OrgKingNo() const { return OrgKingNo_; }

  void Apply();  // "확인"
  void ChangeKingCommand();
  // The double-click of a relation row: the own row beeps, a partner row opens its editor.
  void EditRelation(ListItem* row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void FormLoad();
  void SortRelations(int column);
  void NameLeft();
  void RefreshMain(const QString& name, const std::string& capital, bool player);

  MainWindowLink& main_;
  int country_;
  std::int16_t KingNo_ = kNoGeneral, OrgKingNo_ = kNoGeneral;
  QLineEdit* edt2Text_;
  QComboBox* edt2Combo_;
  QLabel* edt2lbl2_;
  std::array<QGroupBox*, 5> edt2Frame_{};
};

}  // namespace garam
