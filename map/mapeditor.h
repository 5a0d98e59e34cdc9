// frmMapEdit, the map editor: the map view with its scroll bars and enlarged-view switch, the tool
// panel of edit modes and tool lists, the cursor and its status line. Opened as the full editor
// (the main window's menu) or to pick a new city's cell (the create-city dialog).
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

// Set while the map's context menu is up: the button release that follows a dismissed menu does
// nothing but clear it. Each opening of the editor and every place item clear it too.
inline bool gSkipMapMouseUp = false;

// What the editor is opened for: by the create-city dialog to pick the new city's cell, or from the
// main window's menu to edit the map. The values are the form mode its openers pass.
enum class MapEditorOpening { PickNewCitySite = 1, EditMap = 2 };

class MapEditor : public QDialog {
  Q_OBJECT
 public:
  // The status line names a castle's city by the main window's city list, in its order;
  // placesMenu is the context menu; siteReceiver receives the new-city cell.
  MapEditor(QWidget* owner, const MainLists& lists, MapEditorOpening opening, QMenu* placesMenu = nullptr,
            CreateCityCaller* siteReceiver = nullptr);
  ~MapEditor() override;

  // Scrolls so that cell (x, y) lies near the middle; when picking a new city's cell it also marks the cell.
  void SetLocation(int x, int y);

  // Window state; -1 in a cell means none.
  int ViewLeft = 0, ViewTop = 0;
  int CursorX = -1, CursorY = -1;
  int MarkX = -1, MarkY = -1;
  CityMove cityMove;
  int& PickedCityX = cityMove.PickedCityX;
  int& PickedCityY = cityMove.PickedCityY;
  MapEditMode editMode = MapEditMode::MoveCity;
  int ExtraCols = 0, ExtraRows = 0;

  MapView* mapView = nullptr;
  QScrollBar *horizontalScroll = nullptr, *verticalScroll = nullptr;
  QCheckBox* enlargeCheck = nullptr;
  QStatusBar* statusLine = nullptr;
  // One button per edit mode, indexed by the mode.
  std::array<QAbstractButton*, kMapEditModeButtons> modeButtons{};
  QAbstractButton* ModeButton(MapEditMode mode) const { return modeButtons[std::size_t(mode)]; }
  // The tool lists: building to place, specialty to place, the region to set (marked on the map
  // in the region mode), a second region marked beside it, and the terrain to set.
  QComboBox *buildingList = nullptr, *specialtyList = nullptr, *regionList = nullptr, *markedRegionList = nullptr,
            *terrainList = nullptr;
  QLabel* terrainPreview = nullptr;
  QButtonGroup* modeGroup = nullptr;

  // The map editor's own repaint: the picture follows the window state.
  void RedrawMap();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* e) override;

 private:
  void OpenForNewCity();
  void OpenAsFullEditor();
  void BuildMapArea();
  void BuildModeButtons();
  void BuildToolLists();
  std::array<QComboBox*, 5> ToolLists() const;
  void FillToolLists(bool scenario);
  void FillTerrainList();
  void OnHorizontalScroll(int value);
  void OnVerticalScroll(int value);
  void ToggleEnlarged();
  void ChooseMode(MapEditMode mode);
  void OnToolListChanged(QComboBox* list);
  void OnPointerMoved(QPoint pos);
  void OnPointerLeft();
  // A release acts on the cursor cell, never on where the button was released.
  void OnButtonReleased(Qt::MouseButton button, QPoint pos);
  void EditCell();
  void CommitConfirmed(MapEditMode mode, int x, int y);
  void PopUpPlaces(QPoint pos);
  // The view moved or the pointer did: cursor, picture, status line and outline follow.
  void FollowView();
  void CursorFromPointer();
  void ShowCellStatus();
  void DrawCursor();
  void ShowPreview(int code);
  void Shift(QWidget* w, int dx, int dy, int dw, int dh);

  MainLists lists_;
  MapEditorOpening opening_;
  QMenu* placesMenu_;
  CreateCityCaller* siteReceiver_;
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
