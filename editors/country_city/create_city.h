// The create-city dialog: the map editor picks the site first, then the dialog proposes a name and
// an owner and builds the city on "확인".
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <array>

#include "data/ids.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class CreateCity : public QDialog, public CreateCityCaller {
  Q_OBJECT
 public:
  CreateCity(QWidget* owner, const MainLists& lists);

  enum Frame { NameFrame, PlaceFrame, OwnerFrame, kFrames };

  std::array<QGroupBox*, kFrames> frames{};
  QLineEdit* nameBox;
  QLabel* placeX;
  QLabel* placeY;
  QLabel* ownerName;
  QPushButton* ownerButton;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QStatusBar* statusBar;

  // The owner the new city gets, kNoCountry for none.
  std::uint8_t Owner() const { return owner_; }

  // CreateCityCaller
  QWidget* Form() override { return this; }
  void SetOwnerNo(std::uint8_t v) override { owner_ = v; }
  void SetCell(int x, int y) override { cellX_ = x, cellY_ = y; }
  QLabel* NewCityOwnerNameLabel() override { return ownerName; }
  QAbstractButton* NewCityOwnerButton() override { return ownerButton; }

  // The map editor in its new-city mode; then the proposals. False when no cell was chosen, and
  // the dialog is then never shown.
  bool PickSite();
  void ChooseOwner();
  // "확인": the city, its row and its owner's count.
  void Create();

 private:
  void BuildControls();
  void LayOut();
  void FollowName();

  MainLists lists_;
  int cellX_ = -1, cellY_ = -1;  // -1: no cell chosen
  std::uint8_t owner_ = kNoCountry;
  bool canCreate_ = true;  // a scenario without countries has no owner to give
};

// Runs the whole dialog: site, then the modal dialog when a site was chosen.
void OpenCreateCity(QWidget* owner, const MainLists& lists);

}  // namespace garam
