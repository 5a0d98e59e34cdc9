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

  // Public variables of the form; -1: no cell chosen.
  int CellX = -1, CellY = -1;
  std::uint8_t OwnerNo = kNoCountry;

  std::array<QGroupBox*, 3> Add2Frame{};
  QLineEdit* Add2Text;
  std::array<QLabel*, 2> Add2lbl{};
  QLabel* Add2lbl2_;
  QPushButton* Add2Cmd2_;
  std::array<QPushButton*, 2> Add2Cmd{};
  QStatusBar* Add2Status;

  // CreateCityCaller
  QWidget* Form() override { return this; }
  void SetOwnerNo(std::uint8_t v) override { OwnerNo = v; }
  void SetCell(int x, int y) override { CellX = x, CellY = y; }
  QLabel* Add2lbl2() override { return Add2lbl2_; }
  QAbstractButton* Add2Cmd2() override { return Add2Cmd2_; }

  // The map editor in its new-city mode; then the proposals. False when no cell was chosen, and
  // the dialog is then never shown.
  bool PickSite();
  void ChooseOwner();
  // "확인": the city, its row and its owner's count.
  void Create();

 private:
  void FollowName();

  MainLists lists_;
  bool canCreate_ = true;  // a scenario without countries has no owner to give
};

// Runs the whole dialog: site, then the modal dialog when a site was chosen.
void OpenCreateCity(QWidget* owner, const MainLists& lists);

}  // namespace garam
