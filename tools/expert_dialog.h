// The Expert dialog (frmSetting): the paths of one or two scenarios with their executables, the
// transfer kind with its range or name filter, and "실행", which runs the operation of its mode.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "data/exeinfo.h"
#include "data/expert_sets.h"
#include "platform/numericbox.h"

namespace garam {

class ExpertDialog : public QDialog {
  Q_OBJECT
 public:
  // Menu entry 0 synchronizes, 1 converts, anything else transfers.
  ExpertDialog(QWidget* owner, int menuIndex);

  ExpertMode mode() const { return mode_; }

  std::array<QGroupBox*, 4> pathFrames{};
  std::array<QLineEdit*, 4> pathBoxes{};
  std::array<QPushButton*, 4> browseButtons{};
  QComboBox* transferKind;
  QLabel *firstComma, *rangeDash, *secondComma;  // between the range boxes
  QLabel *rangeCaption, *filterCaption;
  std::array<NumericBox*, 4> rangeBoxes{};  // x1, y1, x2, y2
  QLineEdit* nameFilter;                  // the name filter
  QRadioButton *allTargets, *someTargets;  // the name filter applies to some
  QPushButton* runButton;
  QPushButton* cancelButton;

  // The tables of each side's executable, from its browse or from its last checked run.
  ExeInfo SourceExeInfo, TargetExeInfo;

  void Browse(int index);
  void Run();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Edition { Undetermined, Korean, Expansion };
  void BuildPathFrames();
  void BuildTransferRow();
  void BuildButtons();
  // The caption, size and controls of the mode, once: a re-activation after a message box must
  // not reset the kind.
  void ShapeForMode();
  void SetTabOrder();
  void SelectKind(int kind);
  void SetEdition(int index, Edition edition);

  ExpertMode mode_;
  std::array<Edition, 2> editions_{};  // the source and the target scenario frame
};

// Opens the dialog modally for the Expert menu's entry.
void OpenExpertDialog(QWidget* owner, int menuIndex);

}  // namespace garam
