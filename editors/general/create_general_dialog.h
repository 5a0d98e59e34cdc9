// The create-general dialog: a name, a home region and a face; everything else about the new
// unaffiliated general is drawn when the user confirms.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <array>

#include "data/create_general.h"
#include "ui/common/columntexts.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

// The general list's row of a general just created under the name typed for him.
ListRow NewGeneralRow(const std::string& name, const CreatedGeneral& made);

class CreateGeneralDialog : public QDialog, public CreateGeneralCaller {
  Q_OBJECT
 public:
  // lists: the main window's lists; the new row goes to ListView4, the random city comes from
  // ListView3.
  CreateGeneralDialog(QWidget* owner, const MainLists& lists);

  // Fills the region list, draws the region and the face, without showing the window.
  void Load();
  // Load, then the modal loop.
  int ShowModal();

  void Add3Combo_Click();
  void Add3Cmd2_Click();
  void Add3Cmd_Click(int index);

  // The face picker's answer.
  std::int16_t FaceNo() const override { return 얼굴; }
  void SetFaceNo(std::int16_t v) override { 얼굴 = v; }
  QLabel* Add3Mask() override { return mask_; }

  std::array<QGroupBox*, 2> Add3Frame{};
  QLineEdit* Add3Text;
  QComboBox* Add3Combo;
  QPushButton* Add3Cmd2;
  std::array<QPushButton*, 2> Add3Cmd{};
  QStatusBar* Add3Status;

 private:
  void ShowFace();
  void FollowName();

  MainLists lists_;
  RegionChoice regions_;
  std::int16_t 얼굴 = 0;
  QLabel* mask_;
};

}  // namespace garam
