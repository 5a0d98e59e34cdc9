// The create-consort dialog (frmAdd4): proposes a husband, his origin region, a tendency and a
// face suiting the region, and adds the consort with the name the user types.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include "data/ids.h"
#include "data/other_edits.h"
#include "editors/others/editor_dialog.h"
#include "platform/editorkit.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class CreateConsortDialog : public EditorDialog, public CreateConsortCaller {
  Q_OBJECT
 public:
  explicit CreateConsortDialog(MainWindowLink& w);

  // CreateConsortCaller
  QWidget* Form() override { return this; }
  void SetHusbandNo(std::int16_t v) override;
  std::uint8_t FaceNo() const override { return faceNo_; }
  void SetFaceNo(std::uint8_t v) override { faceNo_ = v; }
  QLabel* NewHusbandNameLabel() override { return husbandName_; }
  QWidget* NewHusbandGroup() override { return husbandFrame_; }
  QAbstractButton* ChangeNewHusbandButton() override { return husbandButton_; }
  QLabel* NewConsortFaceLabel() override { return face_; }

  std::int16_t HusbandNo = kNoGeneral;
  QLineEdit* nameBox;
  QPushButton* faceButton;
  PrefixCombo* regionCombo;
  QComboBox* tendencyCombo;

  void ChooseFace();
  void ChooseHusband();
  void ChooseRegion(int entry);

 private:
  void MakeControls();
  void LayOut();
  void Propose();
  void Create();
  void ShowFace();
  void FollowName();

  std::uint8_t faceNo_ = 0;
  QGroupBox* husbandFrame_;
  QLabel* husbandName_;
  QLabel* face_;
  QPushButton* husbandButton_;
  OriginRegionList regions_;
};

}  // namespace garam
