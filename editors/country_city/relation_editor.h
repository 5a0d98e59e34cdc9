// The relation row editor: alliance months, marriage and friendship of one partner row of the
// country editor's relation list. It changes that row's texts only, on "확인".
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include "platform/listview.h"
#include "platform/numericbox.h"

namespace garam {

// The relation list's columns after the partner's name: what a relation row editor edits.
enum RelationColumn : int { kAllianceMonthsColumn = 1, kMarriageColumn, kFriendshipColumn };

class RelationEditor : public QDialog {
  Q_OBJECT
 public:
  RelationEditor(QWidget* owner, ListView* list, ListItem* row);

  QLabel* partnerName;
  NumericBox* allianceMonths;
  QPushButton* marriageButton;  // "O" married, "X" not
  QComboBox* friendshipCombo;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QStatusBar* statusBar;

  void Apply();  // "확인"

 private:
  ListView* list_;
  ListItem* row_;
};

}  // namespace garam
