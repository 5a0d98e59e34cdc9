// The blood-relation list: every general with his birth year, father and grandfather, sortable
// by any column; and its setter, which changes the father or grandfather of the selected general
// to another general, to none or to a dead person.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "data/blood_relations.h"
#include "platform/listview.h"
#include "platform/numericbox.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class BloodRelationList : public QDialog {
  Q_OBJECT
 public:
  BloodRelationList(QWidget* owner, const MainLists& lists);

  // Fills the rows from the main window's general list, without showing the window.
  void Load();
  int ShowModal();

  // Index 0 the father, 1 the grandfather, 2 closes.
  void cmd혈연_Click(int index);

  garam::ListView* ListView;
  std::array<QPushButton*, 3> cmd혈연{};

 private:
  void FollowSelection();
  MainLists lists_;
};

class BloodRelationSetter : public QDialog, public BloodRelationCaller {
  Q_OBJECT
 public:
  // list: the blood-relation list, whose selected row is the general; purpose 1 the father, any
  // other value the grandfather.
  BloodRelationSetter(QWidget* owner, garam::ListView* list, const MainLists& lists, int purpose);

  // Reads the relation and sets the options, without showing the window; false without a
  // selected row in the list.
  bool Load();
  int ShowModal();

  void opt혈연_Click(int index);
  void cmd혈연_Click(int index);

  std::int16_t Man = KinNone;
  std::array<QRadioButton*, 3> opt혈연{};
  NumericBox* txtNum;
  QLabel* lblStatus;

  // The general picker's answer.
  QWidget* Form() override { return this; }
  void SetGeneralNo(std::int16_t v) override { Man = v; }
  QLabel* lbl혈연() override { return name_; }
  QAbstractButton* cmd혈연(int index) override { return index >= 0 && index < 3 ? cmd_[std::size_t(index)] : nullptr; }

 private:
  Relation which() const { return purpose_ == 1 ? Relation::Father : Relation::Grandfather; }
  int column() const { return purpose_ == 1 ? 2 : 3; }
  void Apply();

  garam::ListView* list_;
  MainLists lists_;
  int purpose_;
  std::array<QPushButton*, 3> cmd_{};
  QLabel* name_;
};

}  // namespace garam
