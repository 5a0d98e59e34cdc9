// The general editor: one general of the loaded file, filled from his record and his row of the
// main window's general list; "확인" writes back what it shows, "취소" and closing change nothing.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <array>
#include <map>
#include <vector>

#include "data/ids.h"
#include "data/general_record.h"
#include "platform/editorkit.h"
#include "platform/numericbox.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

class MainWindowLink;
class ListItem;

class GeneralEditor : public QDialog, public GeneralEditorCaller {
  Q_OBJECT
 public:
  // Edits general record of the loaded file; main holds the lists and labels the apply updates.
  // Loaded() is false when there is no such general or no row for him: the window then has
  // nothing to edit and is not shown.
  GeneralEditor(QWidget* owner, MainWindowLink& main, int record);
  ~GeneralEditor() override;
  bool Loaded() const { return loaded_; }

  // Controls, by the names of the game's documentation.
  QLineEdit* edt4Text;
  QLabel* lblNo;
  std::array<QComboBox*, 12> edt4Combo{};  // 0 and 9 are PrefixCombos
  QPlainTextEdit* edt4Text2;
  QLabel* edt4MaskLabel;
  QPushButton* edt4Cmd2;
  std::array<NumericBox*, 9> edt4NumBox{};
  std::array<QPushButton*, 6> edt4Cmd3Button{};
  std::array<QPushButton*, 12> edt4Cmd4{};  // checkable; checked = the skill is owned
  std::array<QCheckBox*, 2> chkSpecial{};
  std::array<QLabel*, 10> edt4lbl2Label{};
  std::array<QPushButton*, 2> edt4Cmd{};
  QStatusBar* edt4Status;
  QWidget* picFocus;
  std::map<int, QGroupBox*> edt4FrameBox;

  // Form state the pickers and the status menu answer into.
  std::uint8_t 소속도시 = kNoCity;
  std::uint8_t 원래도시 = kNoCity;
  std::uint8_t 등장도시 = kNoAppearanceCity;
  std::int16_t 얼굴 = 0;
  std::int16_t 새영주 = kNoGeneral;
  std::uint8_t QueueSlotNo = 0;
  // List position -> record number and back; filled at opening.
  std::vector<int> ListRegionNo, RegionListPos, ListBioNo, BioListPos;
  // The number box that last had the focus.
  int LastNumBox = 0;
  // The general as the editor edits him; the stored record changes only on "확인".
  GeneralWorkingCopy Working;

  // Handlers.
  void edt4Cmd_Click(int index);
  void edt4Cmd2_Click();
  void edt4Cmd3_Click(int index);
  void edt4Combo_Click(int index);
  void chkSpecial_Click(int index);
  void setCityLabel(const QString& text);
  // The status the status label shows; nullopt for a text that names none.
  std::optional<GeneralStatus> ShownStatus() const;

  // GeneralEditorCaller
  QWidget* Form() override { return this; }
  std::uint8_t CityNo() const override { return 소속도시; }
  void SetCityNo(std::uint8_t v) override;
  std::uint8_t OrgCityNo() const override { return 원래도시; }
  void SetAppearCityNo(std::uint8_t v) override { 등장도시 = v; }
  void SetNewLordNo(std::int16_t v) override { 새영주 = v; }
  std::int16_t FaceNo() const override { return 얼굴; }
  void SetFaceNo(std::int16_t v) override { 얼굴 = v; }
  QLabel* edt4lbl2(int index) override;
  QAbstractButton* edt4Cmd3(int index) override;
  QLineEdit* edt4Num(int index) override;
  QWidget* edt4Frame(int index) override;
  QLabel* edt4Mask() override { return edt4MaskLabel; }
  void 사위설정(bool flag) override;

 private:
  void Build();
  bool Fill(int record);
  void FillLists();
  void NumLeft(int index);
  void ShowFace();
  void Apply();
  int ComboValue(int index) const;
  // Selects the entry holding value, adding a placeholder entry that keeps it when none does.
  void SelectValue(int index, int value, const QString& placeholder);

  MainWindowLink& main_;
  ListItem* item_ = nullptr;
  QString loadedUnitText_;
  bool loaded_ = false;
};

}  // namespace garam
