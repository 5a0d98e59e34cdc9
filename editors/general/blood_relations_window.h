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

  // Opens the setter of the selected general's father or grandfather.
  void ChangeRelation(Relation which);

  garam::ListView* generalList;
  QPushButton* fatherButton;
  QPushButton* grandfatherButton;
  QPushButton* closeButton;

 private:
  void FollowSelection();
  MainLists lists_;
};

class BloodRelationSetter : public QDialog, public BloodRelationCaller {
  Q_OBJECT
 public:
  // list: the blood-relation list, whose selected row is the general whose relation which is set.
  BloodRelationSetter(QWidget* owner, garam::ListView* list, const MainLists& lists, Relation which);

  // Reads the relation and sets the options, without showing the window; false without a
  // selected row in the list.
  bool Load();
  int ShowModal();

  // What the relation is set to, in the order of the options.
  enum class RelativeKind { General, None, Dead };
  void KindChosen(RelativeKind kind);
  void PickGeneral();

  std::int16_t relative = KinNone;  // the general picked
  std::array<QRadioButton*, 3> kindOptions{};  // by RelativeKind
  QRadioButton* Option(RelativeKind kind) const { return kindOptions[std::size_t(kind)]; }
  NumericBox* deathNumberBox;
  QLabel* hintLabel;
  QPushButton* pickButton;
  QPushButton* okButton;
  QPushButton* cancelButton;

  // The general picker's answer.
  QWidget* Form() override { return this; }
  void SetGeneralNo(std::int16_t v) override { relative = v; }
  QLabel* RelativeNameLabel() override { return name_; }
  QAbstractButton* PickGeneralButton() override { return pickButton; }
  QAbstractButton* OkButton() override { return okButton; }

 private:
  void MakeKindOptions();
  void MakeButtons();
  void MakeNumberAndLabels();
  // The list's column of the relation set.
  int column() const { return which_ == Relation::Father ? 2 : 3; }
  void Apply();

  garam::ListView* list_;
  MainLists lists_;
  Relation which_;
  QLabel* name_;
};

}  // namespace garam
