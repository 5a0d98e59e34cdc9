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
  QLabel* Add4lbl() override { return lbl_; }
  QWidget* Add4Frame(int index) override { return frames_.at(std::size_t(index)); }
  QAbstractButton* Add4Cmd3() override { return husbandButton_; }
  QLabel* Add4Mask() override { return mask_; }

  std::int16_t HusbandNo = kNoGeneral;
  QLineEdit* Add4Text;
  QPushButton* Add4Cmd2;
  PrefixCombo* regionCombo;   // Add4Combo(0)
  QComboBox* tendencyCombo;   // Add4Combo(1)

  void ChooseFace();
  void ChooseHusband();
  void ChooseRegion(int entry);
  // The record written, -1 before a create.
  int Created() const { return created_; }

 private:
  void Create();
  void ShowFace();
  void FollowName();

  std::uint8_t faceNo_ = 0;
  std::array<QGroupBox*, 4> frames_{};
  QLabel* lbl_;
  QLabel* mask_;
  QPushButton* husbandButton_;
  OriginRegionList regions_;
  int created_ = -1;
};

}  // namespace garam
