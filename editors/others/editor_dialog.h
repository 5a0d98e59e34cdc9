// What the consort, princess, unit-type, region and culture-item editors and the create-consort
// dialog share: caption and icon of the main window, a status bar for the focus hints, the
// confirming and cancelling buttons, and the two-step apply of the editors.
#pragma once

#include <QBoxLayout>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <array>

#include "platform/listview.h"

namespace garam {

class MainWindowLink;

class EditorDialog : public QDialog {
  Q_OBJECT
 public:
  QStatusBar* StatusBar() const { return status_; }
  QPushButton* Button(int index) const { return buttons_[std::size_t(index)]; }

 protected:
  // prefix names the controls ("edt5" gives edt5Cmd0, edt5Cmd1 and edt5Status).
  EditorDialog(MainWindowLink& w, const char* name, const QString& caption, const QString& prefix);
  // Puts the content above the buttons row and the status bar; extra widgets join the buttons row
  // on its left.
  void Finish(QLayout* content, const QString& okHint, std::initializer_list<QWidget*> beside = {});

  MainWindowLink& main_;
  QString prefix_;

 private:
  QStatusBar* status_;
  std::array<QPushButton*, 2> buttons_{};
};

// An editor of one record behind a row of a main-window list. OK writes the record and closes;
// whatever closes the dialog passes through done(), where the rows follow an applied edit and
// the row is scrolled into view.
class EntityEditor : public EditorDialog {
  Q_OBJECT
 public:
  void done(int result) override;
  int Record() const { return record_; }
  QLabel* lblNo;

 protected:
  EntityEditor(MainWindowLink& w, ListView* list, int record, const char* name, const QString& caption,
               const QString& prefix);
  // Writes the record; the row update follows in the unload.
  virtual void Apply() = 0;
  virtual void UpdateRows() = 0;
  void Ok();

  ListView* list_;
  ListItem* row_;
  int record_;
  bool applied_ = false;
};

// A frame named prefix + "Frame" + index holding widgets in a row.
QGroupBox* MakeFrame(QWidget* parent, const QString& caption, const QString& name, std::initializer_list<QWidget*> inside);
// An empty boxed picture of the size given.
QLabel* MakePicture(QWidget* parent, const QString& name, int width, int height);
// Shows cell n of a picture sheet; a cell outside the sheet, or a sheet not loaded, shows nothing.
void ShowSheetCell(QLabel* picture, int sheet, int cell);

// Switching sorting off and on sorts a list anew by its current column and order.
void Resort(ListView* list);
QString RowCell(const ListView* list, const ListItem* row, int column);

}  // namespace garam
