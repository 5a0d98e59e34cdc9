#include "map/mapeditor.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QWheelEvent>

#include "data/cp949.h"
#include "data/mapcache.h"
#include "data/record_access.h"
#include "map/cityplaces.h"
#include "map/mapart.h"
#include "platform/dialogs.h"
#include "platform/listview.h"
#include "platform/modal.h"
#include "platform/textviewer.h"
#include "ui/common/childforms.h"
#include "ui/common/mainlink.h"

namespace garam {

namespace {

constexpr int kPanelLeft = 640, kClientW = 739, kClientH = 610, kNewCityClientW = 637;
constexpr int kWideW = 372, kTallH = 256;
constexpr int kEnlargedExtraCols = 6, kEnlargedExtraRows = 16;

const char* const kBuildings[] = {"논밭", "목장", "무기공장", "훈련소", "제재소", "대학", "미술공방", "병원", "공예소", "번화가", "마을", "항구"};
const char* const kTerrains[] = {"원해", "근해", "평지", "사막", "산림", "밀림", "습지", "산맥", "호수"};
const char* const kRiverBases[] = {"평지", "사막", "산림", "밀림", "습지"};
const char* const kCourses[] = {"━", "┃", "┏", "┗", "┓", "┛", "┳", "┻", "┣", "┫"};
// The diamond's edges by road-code bit (1 upper right, 2 lower right, 4 lower left, 8 upper left),
// named as the map's own bays name them.
const char* const kEdges[] = {"북동", "남동", "남서", "북서"};
const QString kBaySuffix = QStringLiteral("쪽만");
const QString kNoRegion = QStringLiteral("--------------");
const QString kMoving = QStringLiteral("Map Edit - 도시 이동중...");

MapEditor* gOpenEditor = nullptr;

// What a road button does: 0 erases, 1 to 15 lay the road leaving through the code's edges.
QString RoadName(int code) {
  if (code == 0) return QStringLiteral("가도 삭제");
  QStringList edges;
  for (int e = 0; e < 4; ++e)
    if (code & (1 << e)) edges << QString::fromUtf8(kEdges[e]);
  return QStringLiteral("가도 추가 (%1)").arg(edges.join(QChar(0x00B7)));
}

// The mode buttons' object names.
QString ModeObjectName(MapEditMode mode) {
  using M = MapEditMode;
  switch (mode) {
    case M::MoveCity: return "moveCityButton";
    case M::DeleteBuilding: return "deleteBuildingButton";
    case M::PlaceBuilding: return "placeBuildingButton";
    case M::DeleteSpecialty: return "deleteSpecialtyButton";
    case M::PlaceSpecialty: return "placeSpecialtyButton";
    case M::EraseRoad: return "eraseRoadButton";
    case M::SetRegion: return "setRegionButton";
    case M::SetTerrain: return "setTerrainButton";
    default: return QString("roadButton(%1)").arg(RoadPieceOf(mode));
  }
}

// A drop-down list opens as wide as its longest item, however narrow the box. Styles whose long
// lists scroll by a bar rather than by arrows need room for the bar too.
void FitPopupToItems(QComboBox* box) {
  QAbstractItemView* view = box->view();
  const int bar = view->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : view->verticalScrollBar()->sizeHint().width();
  view->setMinimumWidth(view->sizeHintForColumn(0) + bar + 2 * view->frameWidth());
}

}  // namespace

MapEditor* OpenMapEditor() { return gOpenEditor; }

MapEditor::MapEditor(QWidget* owner, const MainLists& lists, MapEditorOpening opening, QMenu* placesMenu,
                     CreateCityCaller* siteReceiver)
    : QDialog(owner), lists_(lists), opening_(opening), placesMenu_(placesMenu), siteReceiver_(siteReceiver) {
  setObjectName("frmMapEdit");
  gSkipMapMouseUp = false;
  BuildMapArea();
  BuildModeButtons();
  BuildToolLists();

  // Each opening starts afresh: no cursor, mark or pick from an earlier one.
  if (opening_ == MapEditorOpening::PickNewCitySite) OpenForNewCity();
  else OpenAsFullEditor();
  RedrawMap();
  BuildExistingCityMenu(placesMenu_, lists_.cities);
  loading_ = false;

  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  installEventFilter(this);
  gOpenEditor = this;
}

MapEditor::~MapEditor() {
  if (gOpenEditor == this) gOpenEditor = nullptr;
}

void MapEditor::OpenForNewCity() {
  setWindowTitle("신도시 위치 지정");
  setFixedSize(kNewCityClientW, kClientH);
  const MapPoint start = RandomMapStart();
  MarkX = start.x, MarkY = start.y;
  const ViewOrigin o = OriginForCell(start.x, start.y, 0, 0);
  horizontalScroll->setValue(o.left);
  verticalScroll->setValue(o.top);
}

void MapEditor::OpenAsFullEditor() {
  const bool scenario = !IsSaveFile();
  setWindowTitle("Map Edit");
  setFixedSize(kClientW, kClientH);
  ModeButton(MapEditMode::MoveCity)->setChecked(true);
  for (int code = 0; code < kRoadCodes; ++code)
    static_cast<QToolButton*>(ModeButton(RoadCodeMode(code)))->setIcon(QIcon(QPixmap::fromImage(RoadIcon(code))));
  FillToolLists(scenario);
  const MapPoint start = MapStartCell();
  // Regions and terrain are the scenario maps' own.
  if (!scenario) {
    ModeButton(MapEditMode::SetRegion)->setEnabled(false);
    ModeButton(MapEditMode::SetTerrain)->setEnabled(false);
    terrainPreview->setVisible(false);
  }
  const ViewOrigin o = OriginForCell(start.x, start.y, 0, 0);
  horizontalScroll->setValue(o.left);
  verticalScroll->setValue(o.top);
}

void MapEditor::BuildMapArea() {
  mapView = new MapView(this);
  mapView->setGeometry(0, 0, 620, 576);
  connect(mapView, &MapView::mouseMoved, this, &MapEditor::OnPointerMoved);
  connect(mapView, &MapView::mouseLeft, this, &MapEditor::OnPointerLeft);
  connect(mapView, &MapView::mouseReleased, this, &MapEditor::OnButtonReleased);

  // Values change on release only: a drag renders once, where it ends.
  horizontalScroll = new QScrollBar(Qt::Horizontal, this);
  horizontalScroll->setObjectName("horizontalScroll");
  horizontalScroll->setGeometry(0, 576, 620, 17);
  horizontalScroll->setRange(0, kLastViewLeft), horizontalScroll->setSingleStep(1), horizontalScroll->setPageStep(5);
  verticalScroll = new QScrollBar(Qt::Vertical, this);
  verticalScroll->setObjectName("verticalScroll");
  verticalScroll->setGeometry(620, 0, 17, 577);
  verticalScroll->setRange(0, kLastViewTop), verticalScroll->setSingleStep(2), verticalScroll->setPageStep(10);
  for (QScrollBar* s : {horizontalScroll, verticalScroll}) s->setTracking(false), s->setFocusPolicy(Qt::NoFocus);
  connect(horizontalScroll, &QScrollBar::valueChanged, this, &MapEditor::OnHorizontalScroll);
  connect(verticalScroll, &QScrollBar::valueChanged, this, &MapEditor::OnVerticalScroll);

  enlargeCheck = new QCheckBox(this);
  enlargeCheck->setObjectName("enlargeCheck");
  enlargeCheck->setGeometry(621, 578, 16, 16);
  enlargeCheck->setFocusPolicy(Qt::NoFocus);
  connect(enlargeCheck, &QCheckBox::clicked, this, &MapEditor::ToggleEnlarged);

  statusLine = new QStatusBar(this);
  statusLine->setObjectName("statusLine");
  statusLine->setSizeGripEnabled(false);
  statusLine->setGeometry(0, 593, kClientW, 17);
  // The status line pads its fields by display columns: they line up only in a fixed pitch.
  QFont columns = ColumnFont();
  columns.setPointSize(9);
  statusLine->setFont(columns);
}

void MapEditor::BuildModeButtons() {
  using M = MapEditMode;
  modeGroup = new QButtonGroup(this);
  auto option = [&](M mode, const char* caption, int top, int h) {
    auto* b = new QRadioButton(QString::fromUtf8(caption), this);
    b->setGeometry(kPanelLeft, top, 97, h);
    modeButtons[std::size_t(mode)] = b;
  };
  option(M::MoveCity, "도시위치 변경", 4, 25);
  option(M::SetRegion, "지역정보 변경", 32, 21);
  option(M::DeleteBuilding, "건물 삭제", 100, 21);
  option(M::PlaceBuilding, "건물 추가", 124, 21);
  option(M::DeleteSpecialty, "특산품 삭제", 168, 21);
  option(M::PlaceSpecialty, "특산품 추가", 192, 21);
  option(M::SetTerrain, "지형정보 변경", 496, 21);
  // The road buttons by road code, two a row.
  constexpr int kRoadPairs[8][2] = {{0, 15}, {2, 4}, {1, 8}, {10, 5}, {7, 14}, {11, 13}, {3, 6}, {9, 12}};
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 2; ++col) {
      auto* b = new QToolButton(this);
      b->setCheckable(true);
      b->setIconSize(QSize(32, 24));
      b->setGeometry(kPanelLeft + 48 * col, 236 + 32 * row, 48, 33);
      const int code = kRoadPairs[row][col];
      // The picture alone says nothing to a screen reader, and little to the eye at first.
      b->setToolTip(RoadName(code));
      b->setAccessibleName(RoadName(code));
      modeButtons[std::size_t(RoadCodeMode(code))] = b;
    }
  for (int i = 0; i < kMapEditModeButtons; ++i) {
    QAbstractButton* b = modeButtons[std::size_t(i)];
    b->setObjectName(ModeObjectName(MapEditMode(i)));
    b->setFocusPolicy(Qt::NoFocus);
    modeGroup->addButton(b, i);
  }
  connect(modeGroup, &QButtonGroup::idClicked, this, [this](int id) { ChooseMode(MapEditMode(id)); });
}

void MapEditor::BuildToolLists() {
  struct Place {
    QComboBox** list;
    const char* name;
    int top;
  };
  const Place places[] = {{&buildingList, "buildingList", 144},
                          {&specialtyList, "specialtyList", 212},
                          {&regionList, "regionList", 52},
                          {&markedRegionList, "markedRegionList", 76},
                          {&terrainList, "terrainList", 516}};
  for (const Place& p : places) {
    auto* c = new QComboBox(this);
    c->setObjectName(p.name);
    c->setGeometry(kPanelLeft, p.top, 97, 20);
    c->setEnabled(false);
    c->setFocusPolicy(Qt::NoFocus);
    connect(c, &QComboBox::currentIndexChanged, this, [this, c] { OnToolListChanged(c); });
    *p.list = c;
  }
  terrainPreview = new QLabel(this);
  terrainPreview->setObjectName("terrainPreview");
  terrainPreview->setGeometry(656, 544, 66, 36);
}

std::array<QComboBox*, 5> MapEditor::ToolLists() const {
  return {buildingList, specialtyList, regionList, markedRegionList, terrainList};
}

void MapEditor::FillToolLists(bool scenario) {
  // Filled and set quietly: the lists' own handlers would move the focus and draw previews.
  const QSignalBlocker quietBuildings(buildingList), quietSpecialties(specialtyList), quietRegions(regionList),
      quietMarked(markedRegionList), quietTerrains(terrainList);
  for (QComboBox* c : ToolLists()) c->clear();
  for (const char* name : kBuildings) buildingList->addItem(QString::fromUtf8(name));
  if (IsExpansionLoaded()) buildingList->addItem("방벽");
  WithSpecialties([&](const auto& specialties) {
    for (const auto& s : specialties) specialtyList->addItem(QString::fromStdString(ReadFixedName(s.bytes(kSpecialty.name))));
  });
  for (QComboBox* c : {regionList, markedRegionList}) {
    c->addItem(kNoRegion);
    if (scenario)
      for (const auto& r : gData.gRegions) c->addItem(QString::fromStdString(ReadFixedName(r.bytes(kRegionScen.name))));
    // A save file's lists hold the line alone and select nothing.
    c->setCurrentIndex(scenario ? 0 : -1);
  }
  buildingList->setCurrentIndex(0);
  specialtyList->setCurrentIndex(0);
  if (scenario) FillTerrainList();
  for (QComboBox* c : ToolLists()) FitPopupToItems(c);
  if (!scenario) return;
  terrainList->setCurrentIndex(kPlain);
  ShowPreview(kPlain);
}

// The terrain codes in order: the plain terrains, the rivers by course and base, the bays.
void MapEditor::FillTerrainList() {
  for (const char* t : kTerrains) terrainList->addItem(QString::fromUtf8(t));
  for (int shape = 0; shape < 10; ++shape)
    for (const char* base : kRiverBases)
      terrainList->addItem(QString("%1하천%2 %3").arg(QString::fromUtf8(base)).arg(shape + 1).arg(QString::fromUtf8(kCourses[shape])));
  for (const char* edge : kEdges) terrainList->addItem(QString::fromUtf8(edge) + kBaySuffix);
}

void MapEditor::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  mapView->setFocus();
}

void MapEditor::RedrawMap() {
  MapPicture& p = mapView->picture;
  p.viewLeft = ViewLeft, p.viewTop = ViewTop;
  p.extraCols = ExtraCols, p.extraRows = ExtraRows;
  p.moveFromX = PickedCityX, p.moveFromY = PickedCityY;
  p.regionMarks = editMode == MapEditMode::SetRegion && ModeButton(MapEditMode::SetRegion)->isChecked();
  p.regionA = regionList->currentIndex() - 1;
  p.regionB = markedRegionList->currentIndex() - 1;
  // Nothing selected (-1) must match no region either.
  if (p.regionA < 0) p.regionA = -1;
  if (p.regionB < 0) p.regionB = -1;
  mapView->RedrawMap();
}

void MapEditor::SetLocation(int x, int y) {
  const ViewOrigin o = OriginForCell(x, y, ExtraCols, ExtraRows);
  ViewLeft = o.left, ViewTop = o.top;
  if (opening_ == MapEditorOpening::PickNewCitySite) {
    MarkX = x, MarkY = y;
    DrawCursor();
  }
  horizontalScroll->setValue(ViewLeft);
  verticalScroll->setValue(ViewTop);
}

void MapEditor::FollowView() {
  CursorFromPointer();
  RedrawMap();
  ShowCellStatus();
  DrawCursor();
}

void MapEditor::OnHorizontalScroll(int value) {
  ViewLeft = value;
  FollowView();
}

void MapEditor::OnVerticalScroll(int value) {
  // The top row shown is always even: an odd value gives way to the one below it.
  if (value % 2 == 1) {
    verticalScroll->setValue(value - 1);
    return;
  }
  ViewTop = value;
  FollowView();
}

void MapEditor::Shift(QWidget* w, int dx, int dy, int dw, int dh) {
  const QRect g = w->geometry();
  w->setGeometry(g.x() + dx, g.y() + dy, g.width() + dw, g.height() + dh);
}

void MapEditor::ToggleEnlarged() {
  const int d = enlargeCheck->isChecked() ? 1 : -1;
  ExtraCols = d > 0 ? kEnlargedExtraCols : 0;
  ExtraRows = d > 0 ? kEnlargedExtraRows : 0;
  setFixedSize(width() + d * kWideW, height() + d * kTallH);
  for (QAbstractButton* b : modeButtons) Shift(b, d * kWideW, 0, 0, 0);
  for (QComboBox* c : ToolLists()) Shift(c, d * kWideW, 0, 0, 0);
  Shift(enlargeCheck, d * kWideW, d * kTallH, 0, 0);
  Shift(horizontalScroll, 0, d * kTallH, d * kWideW, 0);
  Shift(verticalScroll, d * kWideW, 0, 0, d * kTallH);
  Shift(mapView, 0, 0, d * kWideW, d * kTallH);
  Shift(terrainPreview, d * kWideW, 0, 0, 0);
  Shift(statusLine, 0, d * kTallH, d * kWideW, 0);
  if (ViewLeft > kLastViewLeft - ExtraCols) ViewLeft = kLastViewLeft - ExtraCols;
  if (ViewTop > kLastViewTop - ExtraRows) ViewTop = kLastViewTop - ExtraRows;
  horizontalScroll->setMaximum(kLastViewLeft - ExtraCols);
  verticalScroll->setMaximum(kLastViewTop - ExtraRows);
  FollowView();
  mapView->setFocus();
}

void MapEditor::ChooseMode(MapEditMode mode) {
  using M = MapEditMode;
  // The tool lists follow the mode; leaving the region mode takes its marks away.
  buildingList->setEnabled(mode == M::PlaceBuilding);
  specialtyList->setEnabled(mode == M::PlaceSpecialty);
  regionList->setEnabled(mode == M::SetRegion);
  markedRegionList->setEnabled(mode == M::SetRegion);
  terrainList->setEnabled(mode == M::SetTerrain);
  const M was = editMode;
  editMode = mode;
  if (mode != M::MoveCity) {
    setWindowTitle("Map Edit");
    PickedCityX = PickedCityY = -1;
  }
  if (mode != M::MoveCity || was == M::SetRegion) {
    RedrawMap();
    ShowCellStatus();
    DrawCursor();
  }
  mapView->setFocus();
}

void MapEditor::OnToolListChanged(QComboBox* list) {
  if (!loading_) mapView->setFocus();
  if (list == terrainList) ShowPreview(terrainList->currentIndex());
}

void MapEditor::ShowPreview(int code) {
  QImage view(66, 36, QImage::Format_RGB32);
  view.fill(palette().color(QPalette::Window));
  if (code >= 0) {
    QPainter p(&view);
    if (code < kFirstRiverTerrain) {
      p.drawImage(QPoint(0, 0), TileSheet(), QRect(62 * code, 0, kTileW, kTileH));
    } else if (code < kFirstBayTerrain) {
      const int river = code - kFirstRiverTerrain;
      p.drawImage(QPoint(0, 0), RiverSheet(), QRect(62 * (river % 5), 32 * (river / 5), kTileW, kTileH));
    } else {
      p.drawImage(QPoint(0, 0), TileSheet(), QRect(62 * (code - kFirstBayTerrain), 32, kTileW, kTileH));
    }
  }
  terrainPreview->setPixmap(QPixmap::fromImage(view));
}

void MapEditor::OnPointerMoved(QPoint pos) {
  pointer_ = pos;
  pointerInside_ = mapView->rect().contains(pos);
  CursorFromPointer();
  ShowCellStatus();
  DrawCursor();
}

void MapEditor::OnPointerLeft() {
  pointerInside_ = false;
  CursorFromPointer();
  ShowCellStatus();
  DrawCursor();
}

void MapEditor::OnButtonReleased(Qt::MouseButton button, QPoint pos) {
  if (gSkipMapMouseUp) {
    gSkipMapMouseUp = false;
    return;
  }
  if (button == Qt::LeftButton) {
    EditCell();
  } else if (button == Qt::RightButton) {
    // A pending move is cancelled; otherwise the places menu, in the new-city opening as well.
    if (cityMove.Pending()) {
      setWindowTitle("Map Edit");
      cityMove.Cancel();
    } else {
      PopUpPlaces(pos);
    }
    RedrawMap();
  }
}

void MapEditor::PopUpPlaces(QPoint pos) {
  if (!placesMenu_) return;
  gSkipMapMouseUp = true;
  Dialogs().PopupMenu(placesMenu_, mapView->mapToGlobal(pos));
}

void MapEditor::EditCell() {
  const MapEditMode mode = opening_ == MapEditorOpening::PickNewCitySite ? MapEditMode::NewCitySite : editMode;
  const MapSelection sel{buildingList->currentIndex(), specialtyList->currentIndex(), regionList->currentIndex(),
                         terrainList->currentIndex()};
  const int x = CursorX, y = CursorY;
  const MapEditOutcome out = ApplyMapEdit(cityMove, mode, x, y, sel);
  const QString title = Q(kMsgTitle);
  switch (out.kind) {
    case MapEditKind::Silent: return;
    case MapEditKind::Refused:
      Dialogs().MessageBox(this, Q(out.text), MsgIcon::Exclamation, MsgButtons::Ok, title);
      return;
    case MapEditKind::Picked:
      setWindowTitle(kMoving);
      RedrawMap();
      return;
    case MapEditKind::Applied:
      RedrawMap();
      if (mode == MapEditMode::SetRegion || mode == MapEditMode::SetTerrain) DrawCursor(), ShowCellStatus();
      MarkDataChanged();
      return;
    case MapEditKind::Confirm:
      if (Dialogs().MessageBox(this, Q(out.text), MsgIcon::Exclamation, MsgButtons::YesNo, title) == MsgResult::Yes)
        CommitConfirmed(mode, x, y);
      return;
  }
}

// The user said Yes: the new city's cell goes to the create-city dialog, or the picked city moves.
void MapEditor::CommitConfirmed(MapEditMode mode, int x, int y) {
  if (mode == MapEditMode::NewCitySite) {
    if (siteReceiver_) siteReceiver_->SetCell(x, y);
    accept();
    return;
  }
  if (CommitMapEdit(cityMove, mode, x, y).kind == MapEditKind::Applied) MarkDataChanged();
  setWindowTitle("Map Edit");
  BuildExistingCityMenu(placesMenu_, lists_.cities);
  RedrawMap();
}

// The cell under a pointer resting on the map; the map may have moved under it. Off the view,
// or on column 249 of an odd row, there is no cell.
void MapEditor::CursorFromPointer() {
  if (!pointerInside_) {
    CursorX = CursorY = -1;
    return;
  }
  CursorX = GetX(pointer_.x(), pointer_.y(), ViewLeft);
  CursorY = GetY(pointer_.x(), pointer_.y(), ViewTop);
  if (CursorY % 2 == 1 && CursorX == kMapWidth - 1) CursorX = -1;
}

void MapEditor::ShowCellStatus() {
  std::vector<int> order;
  if (ListView* cities = lists_.cities)
    for (int i = 0; i < cities->count(); ++i) order.push_back(cities->row(i)->tag.toInt());
  statusLine->showMessage(QString::fromStdString(CellStatusText(CursorX, CursorY, order)));
}

void MapEditor::DrawCursor() {
  const int j = CursorX - ViewLeft, i = CursorY - ViewTop;
  const int s = i % 2 != 0 ? 32 : 0, x0 = 62 * j + s, y0 = 16 * i;
  mapView->setCursorLines({QLine(x0, y0 + 15, x0 + 31, y0), QLine(x0 + 32, y0, x0 + 61, y0 + 15),
                           QLine(x0, y0 + 16, x0 + 31, y0 + 31), QLine(x0 + 32, y0 + 31, x0 + 61, y0 + 16)});
  if (MarkX != -1 && MarkY != -1) {
    QColor c = CursorX == MarkX && CursorY == MarkY ? QColor(0, 0, 255) : QColor(255, 0, 0);
    if (IsMapCell(CursorX, CursorY) && IsCastleCell(CursorX, CursorY)) c = QColor(0, 255, 0);
    mapView->setCursorColor(c);
  }
  const bool none = !IsMapCell(CursorX, CursorY);
  mapView->setCursorVisible(!none);
  mapView->setCursor(none ? Qt::ForbiddenCursor : Qt::ArrowCursor);
}

// The wheel scrolls the map two rows a notch wherever the pointer is, lists included.
bool MapEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel) return QDialog::eventFilter(watched, event);
  const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
  if (delta == 0) return true;
  wheelRest_ += delta;
  const int notches = wheelRest_ / 120;
  wheelRest_ -= notches * 120;
  if (notches != 0)
    verticalScroll->setValue(std::clamp(verticalScroll->value() - 2 * notches, 0, verticalScroll->maximum()));
  return true;
}

void RegisterMapForms() {
  RegisterForm("frmMapEdit", [](QWidget* owner, const FormArgs& args) {
    // The main window is the owner, or the owner's owner when the create-city dialog asks.
    MainLists lists;
    QMenu* places = nullptr;
    for (QWidget* w = owner; w; w = w->parentWidget())
      if (MainWindowLink* main = LinkOf(w)) {
        lists = main->Lists();
        places = main->CityPlaceMenu();
        break;
      }
    // The create-city dialog opens the new-city site and takes the answer as its owner.
    const MapEditorOpening opening =
        args.mode == int(MapEditorOpening::PickNewCitySite) ? MapEditorOpening::PickNewCitySite : MapEditorOpening::EditMap;
    auto* siteReceiver = opening == MapEditorOpening::PickNewCitySite ? dynamic_cast<CreateCityCaller*>(owner) : nullptr;
    MapEditor editor(owner, lists, opening, places, siteReceiver);
    RunModal(editor);
  });
}

}  // namespace garam
