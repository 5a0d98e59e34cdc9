// The country editor: name, culture sphere, code, king, owned culture items and the relation
// towards every listed country, written back on "확인" with a change of king and the main
// window's rows; "취소", Esc and the close box leave no trace.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <array>

#include "data/ids.h"
#include "platform/listview.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class MainWindowLink;
struct CountryAccess;
struct StatusRow;

// The code box: digits only, at most three of them, at most 79 once left.
class CountryCodeBox : public QComboBox {
  Q_OBJECT
 public:
  explicit CountryCodeBox(QWidget* parent = nullptr);
  // The leave step: the value, at most 79, in decimal ("" becomes "0", "007" "7").
  void Leave();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void KeepDigits();
  bool rewriting_ = false;
};

class CountryEditor : public QDialog, public CountryEditorCaller {
  Q_OBJECT
 public:
  CountryEditor(MainWindowLink& main, int country);

  // The group boxes, in the order the king picker counts them.
  enum Frame { NameFrame, SphereFrame, KingFrame, CultureItemsFrame, RelationsFrame, kFrames };

  // CountryEditorCaller
  QWidget* Form() override { return this; }
  std::int16_t KingNo() const override { return king_; }
  void SetKingNo(std::int16_t v) override { king_ = v; }
  QLabel* KingNameLabel() override { return kingName; }
  QLineEdit* CountryNameBox() override { return nameBox; }
  QComboBox* SphereCombo() override { return sphereCombo; }
  QWidget* KingGroup() override { return frames[KingFrame]; }

  QLabel* recordNumber;
  QLineEdit* nameBox;
  QComboBox* sphereCombo;
  QLabel* kingName;
  QPushButton* kingButton;
  ListView* relationList;
  QListWidget* cultureItemList;
  CountryCodeBox* codeBox;
  QPushButton* okButton;
  QPushButton* cancelButton;
  QStatusBar* statusBar;
  std::array<QGroupBox*, kFrames> frames{};

  void Apply();  // "확인"
  void ChangeKingCommand();
  // The double-click of a relation row: the own row beeps, a partner row opens its editor.
  void EditRelation(ListItem* row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void BuildControls();
  void LayOut();
  void Connect();
  void Load();
  void LoadRelations(const CountryAccess* record);
  void LoadCultureItems(const CountryAccess* record);
  void SortRelations(int column);
  void NameLeft();
  void RefreshMain(const QString& name, const std::vector<StatusRow>& statusRows, bool player);

  MainWindowLink& main_;
  int country_;
  std::int16_t king_ = kNoGeneral, originalKing_ = kNoGeneral;
};

}  // namespace garam
