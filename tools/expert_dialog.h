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

#include "data/expert_sets.h"
#include "platform/numericbox.h"

namespace garam {

class ExpertDialog : public QDialog {
  Q_OBJECT
 public:
  // The path boxes, each in its own frame with its own browse button: each side's executable,
  // then the scenario file that belongs to it. The sync mode has the source side only.
  enum class PathSlot { SourceExe = 0, SourceScenario, TargetExe, TargetScenario };
  static constexpr int kPathSlots = 4;
  // The corners of the map range the map kinds transfer.
  enum class RangeSlot { Left = 0, Top, Right, Bottom };
  static constexpr int kRangeSlots = 4;

  ExpertDialog(QWidget* owner, ExpertMode mode);

  ExpertMode mode() const { return mode_; }

  QGroupBox* PathFrame(PathSlot slot) const { return pathFrames_[std::size_t(slot)]; }
  QLineEdit* PathBox(PathSlot slot) const { return pathBoxes_[std::size_t(slot)]; }
  QPushButton* BrowseButton(PathSlot slot) const { return browseButtons_[std::size_t(slot)]; }
  NumericBox* RangeBox(RangeSlot slot) const { return rangeBoxes_[std::size_t(slot)]; }

  QComboBox* transferKind;
  QLabel *firstComma, *rangeDash, *secondComma;  // between the range boxes
  QLabel *rangeCaption, *filterCaption;
  QLineEdit* nameFilter;                  // the name filter
  QRadioButton *allTargets, *someTargets;  // the name filter applies to some
  QPushButton* runButton;
  QPushButton* cancelButton;

  void Browse(PathSlot slot);
  void Run();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Edition { Undetermined, Korean, Expansion };
  enum class Side { Source = 0, Target = 1 };
  static bool IsExe(PathSlot slot) { return slot == PathSlot::SourceExe || slot == PathSlot::TargetExe; }
  static Side SideOf(PathSlot slot) {
    return slot == PathSlot::SourceExe || slot == PathSlot::SourceScenario ? Side::Source : Side::Target;
  }
  static PathSlot ExeOf(Side side) { return side == Side::Source ? PathSlot::SourceExe : PathSlot::TargetExe; }
  static PathSlot ScenarioOf(Side side) {
    return side == Side::Source ? PathSlot::SourceScenario : PathSlot::TargetScenario;
  }
  void BuildPathFrames();
  void BuildTransferRow();
  void BuildRangeBoxes();
  void BuildNameFilter();
  void PlaceTransferRow();
  void BuildButtons();
  // The caption, size and controls of the mode, once: a re-activation after a message box must
  // not reset the kind.
  void ShapeForMode();
  void ShapePathFrames();
  void FillTransferKinds();
  void SetTabOrder();
  void SelectKind(int kind);
  // The edition a side's scenario must be of; the convert mode's sides are fixed.
  Edition ScenarioEdition(Side side) const;
  void SetEdition(Side side, Edition edition);
  void AcceptExe(PathSlot slot, const std::string& path);
  void AcceptScenario(PathSlot slot, const std::string& path);

  ExpertMode mode_;
  std::array<QGroupBox*, kPathSlots> pathFrames_{};
  std::array<QLineEdit*, kPathSlots> pathBoxes_{};
  std::array<QPushButton*, kPathSlots> browseButtons_{};
  std::array<NumericBox*, kRangeSlots> rangeBoxes_{};
  std::array<Edition, 2> editions_{};  // by side
};

// Opens the dialog modally in the mode.
void OpenExpertDialog(QWidget* owner, ExpertMode mode);

}  // namespace garam
