// The region editor (frmEdit8): name, culture sphere and region kind of one of the 56 regions.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "data/other_edits.h"
#include "editors/others/editor_dialog.h"
#include "platform/editorkit.h"

namespace garam {

class RegionEditor : public EntityEditor {
  Q_OBJECT
 public:
  RegionEditor(MainWindowLink& w, int record);

  QLineEdit* nameBox;
  QComboBox* sphereCombo;
  QComboBox* kindCombo;

 protected:
  void Apply() override;
  void UpdateRows() override;
};

// The culture-item editor (frmEdit9): a scenario's culture item, named after the description it
// takes, with its related culture and rise value.
class CultureItemEditor : public EntityEditor {
  Q_OBJECT
 public:
  CultureItemEditor(MainWindowLink& w, int record);

  QLineEdit* nameBox;
  PrefixCombo* descriptionCombo;  // the descriptions' titles
  QComboBox* cultureCombo;        // the related culture
  QComboBox* riseCombo;
  QPlainTextEdit* descriptionText;
  QLabel* picture;
  QLabel* descriptionNumber;

  // The description list's choice, as a click or the settling of typed text runs it.
  void ChooseDescription(int d);

 protected:
  void Apply() override;
  void UpdateRows() override;

 private:
  void MakeControls();
  void LayOut();
  void FillChoices();
  void Open(int record);
  void ShowDescription(int d);
  void ShowPicture(int cell);
  std::vector<DescriptionPair> pairs_;
  bool busy_ = false;
};

}  // namespace garam
