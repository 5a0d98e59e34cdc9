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
  // lists: the main window's lists; the new row goes to generals, the random city comes from
  // cities.
  CreateGeneralDialog(QWidget* owner, const MainLists& lists);

  // Fills the region list, draws the region and the face, without showing the window.
  void Load();
  // Load, then the modal loop.
  int ShowModal();

  // A face drawn for the region chosen.
  void ShowRegionFace();
  void ChangeFace();
  void OkClicked();
  void CancelClicked();

  // The face picker's answer.
  std::int16_t FaceNo() const override { return face_; }
  void SetFaceNo(std::int16_t v) override { face_ = v; }
  QLabel* NewGeneralFaceLabel() override { return mask_; }

  QGroupBox* nameFrame;
  QGroupBox* regionFrame;
  QLineEdit* nameBox;
  QComboBox* regionCombo;
  QPushButton* changeFaceButton;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QStatusBar* hintBar;

 private:
  void MakeControls();
  void SetHintsAndOrder();
  void ShowFace();
  void FollowName();

  MainLists lists_;
  RegionChoice regions_;
  std::int16_t face_ = 0;
  QLabel* mask_;
};

}  // namespace garam
