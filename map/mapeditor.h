// frmMapEdit, the map editor: the map view with its scroll bars and enlarged-view switch, the tool
// panel of edit modes and tool lists, the cursor and its status line. Opened as the full editor
// (mode 2, the main window's menu) or to pick a new city's cell (mode 1).
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <array>

#include "data/map_edits.h"
#include "map/mapview.h"
#include "ui/pickers/pickercallers.h"

namespace garam {

inline constexpr int kNewCityMode = 1;

// Set while the map's context menu is up: the button release that follows a dismissed menu does
// nothing but clear it. Each opening of the editor and every place item clear it too.
inline bool gSkipMapMouseUp = false;

class MapEditor : public QDialog {
  Q_OBJECT
 public:
  // The status line names a castle's city by the main window's city list, in its order;
  // mnuCityPos is the context menu; frmAdd2 receives the new-city mode's cell.
  MapEditor(QWidget* owner, const MainLists& lists, int mode, QMenu* mnuCityPos = nullptr,
            CreateCityCaller* frmAdd2 = nullptr);
  ~MapEditor() override;

  // Scrolls so that cell (x, y) lies near the middle; in the new-city mode it also marks the cell.
  void SetLocation(int x, int y);

  // Form state; -1 in a cell means none.
  int ViewLeft = 0, ViewTop = 0;
  int CursorX = -1, CursorY = -1;
  int MarkX = -1, MarkY = -1;
  CityMove cityMove;
  int& PickedCityX = cityMove.PickedCityX;
  int& PickedCityY = cityMove.PickedCityY;
  int EditMode = 0;
  int ExtraCols = 0, ExtraRows = 0;

  MapView* picMap = nullptr;
  QScrollBar *HScroll = nullptr, *VScroll = nullptr;
  QCheckBox* mapCheck = nullptr;
  QStatusBar* StatusBar = nullptr;
  std::array<QAbstractButton*, 23> MapOpt{};
  std::array<QComboBox*, 5> MapCombo{};
  QLabel* picView = nullptr;
  QButtonGroup* modes = nullptr;

  // The map editor's own repaint: the picture follows the form state.
  void RedrawMap();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* e) override;

 private:
  void BuildControls();
  void FillToolLists(bool scenario);
  void HScroll_Change(int value);
  void VScroll_Change(int value);
  void mapCheck_Click();
  void MapOpt_Chosen(int index);
  void MapCombo_Click(int index);
  void picMap_MouseMove(QPoint pos);
  void picMap_MouseLeave();
  // A release acts on the cursor cell, never on where the button was released.
  void picMap_MouseUp(Qt::MouseButton button, QPoint pos);
  void EditCell();
  void PopUpPlaces(QPoint pos);
  void CursorFromPointer();
  void ShowCellStatus();
  void DrawCursor();
  void ShowPreview(int code);
  void Shift(QWidget* w, int dx, int dy, int dw, int dh);

  MainLists lists_;
  int mode_;
  QMenu* mnuCityPos_;
  CreateCityCaller* frmAdd2_;
  bool loading_ = true;
  bool pointerInside_ = false;
  QPoint pointer_;
  int wheelRest_ = 0;
};

// The editor while it is open, else nullptr: the city-place items scroll it.
MapEditor* OpenMapEditor();

// Registers frmMapEdit.
void RegisterMapForms();

}  // namespace garam
