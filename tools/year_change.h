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

  std::array<QLabel*, 2> lblYear{};
  std::array<QLineEdit*, 2> txtNum{};  // 0 the current start year (locked), 1 the new one
  QCheckBox* chkAppear;
  std::array<QPushButton*, 2> cmdYear{};  // 0 OK, 1 cancel
  QStatusBar* YearChangeStatus;

  // Writes the new year's value, at most the limit, back as plain decimal ("" gives "0").
  void NormalizeNewYear();
  void Apply();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MainWindowLink* main_;
};

}  // namespace garam
