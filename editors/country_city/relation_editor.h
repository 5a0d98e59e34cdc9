// The relation row editor: alliance months, marriage and friendship of one partner row of the
// country editor's relation list. It changes that row's texts only, on "확인".
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <array>

#include "platform/listview.h"
#include "platform/numericbox.h"

namespace garam {

class RelationEditor : public QDialog {
  Q_OBJECT
 public:
  RelationEditor(QWidget* owner, ListView* list, ListItem* row);

  QLabel* edt1lbl;
  NumericBox* edt1Num;
  QPushButton* edt1Cmd2;
  QComboBox* edt1Combo;
  std::array<QPushButton*, 2> edt1Cmd{};
  QStatusBar* edt1Status;

  void Apply();  // "확인"

 private:
  ListView* list_;
  ListItem* row_;
};

}  // namespace garam
