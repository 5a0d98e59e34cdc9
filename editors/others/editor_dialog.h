// What the consort, princess, unit-type, region and culture-item editors and the create-consort
// dialog share: caption and icon of the main window, a status bar for the focus hints, the
// confirming and cancelling buttons, and the two-step apply of the editors.
#pragma once

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <functional>

#include "data/other_edits.h"

#include "platform/editorkit.h"
#include "platform/listview.h"

namespace garam {

class MainWindowLink;
enum class EntityList;

class EditorDialog : public QDialog {
  Q_OBJECT
 public:
  QPushButton* OkButton() const { return buttons_.ok; }
  QPushButton* CancelButton() const { return buttons_.cancel; }

 protected:
  EditorDialog(MainWindowLink& w, const char* name, const QString& caption);
  // Puts the content above the buttons row and the status bar; extra widgets join the buttons row
  // on its left.
  void Finish(QLayout* content, const QString& okHint, std::initializer_list<QWidget*> beside = {});

  MainWindowLink& main_;

 private:
  QStatusBar* status_;
  OkCancel buttons_;
};

// An editor of one record behind a row of a main-window list. OK writes the record and closes;
// whatever closes the dialog passes through done(), where the rows follow an applied edit and
// the row is scrolled into view.
class EntityEditor : public EditorDialog {
  Q_OBJECT
 public:
  void done(int result) override;
  QLabel* recordNumber;

 protected:
  EntityEditor(MainWindowLink& w, EntityList list, int record, const char* name, const QString& caption);
  // Writes the record; the row update follows in the unload.
  virtual void Apply() = 0;
  // Shows the edited record's row, and the rows of other lists that show something of it, anew
  // from the data.
  virtual void UpdateRows() = 0;
  void Ok();
  // The rows of list whose record passes shows, anew from the data.
  void RefreshRowsWhere(EntityList list, const std::function<bool(int record)>& shows);

  EntityList listKind_;
  ListView* list_;
  ListItem* row_;
  int record_;
  bool applied_ = false;
};

// What the consort editor and the create-consort dialog both ask: a name, a face with the button
// that picks another, the origin region, the culture tendency and the husband.
struct ConsortBasics {
  QLineEdit* nameBox;
  QLabel* face;
  QPushButton* faceButton;
  PrefixCombo* regionCombo;
  QComboBox* tendencyCombo;
  NameChoice husband;
};
ConsortBasics MakeConsortBasics(QWidget* dialog, const QString& faceCaption);
// The origin regions and the culture tendencies into their combos; the regions' list back.
OriginRegionList FillConsortChoices(PrefixCombo* regionCombo, QComboBox* tendencyCombo);

// An empty boxed picture of the size given.
QLabel* MakePicture(QWidget* parent, const QString& name, int width, int height);
// A sunken panel that shows a record number.
QLabel* MakeNumberPanel(QWidget* parent, const QString& name);
// Shows cell n of a picture sheet; a cell outside the sheet, or a sheet not loaded, shows nothing.
void ShowSheetCell(QLabel* picture, int sheet, int cell);

// Switching sorting off and on sorts a list anew by its current column and order.
void Resort(ListView* list);
QString RowCell(const ListView* list, const ListItem* row, int column);

}  // namespace garam
