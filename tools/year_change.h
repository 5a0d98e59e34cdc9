// The bulk year change: a loaded scenario moves to a new start year and its generals move with it.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <array>

namespace garam {

class MainWindowLink;

class YearChangeDialog : public QDialog {
  Q_OBJECT
 public:
  YearChangeDialog(QWidget* owner, MainWindowLink* main);

  QLabel *currentYearLabel, *newYearLabel;
  QLineEdit *currentYear, *newYear;  // the current start year is locked
  QCheckBox* moveAppearance;
  QPushButton *okButton, *cancelButton;
  QStatusBar* hintBar;

  // Writes the new year's value, at most the limit, back as plain decimal ("" gives "0").
  void NormalizeNewYear();
  void Apply();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildYearRows();
  void BuildButtons();

  MainWindowLink* main_;
};

}  // namespace garam
