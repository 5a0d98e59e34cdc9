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

// A drop-down list opens as wide as its longest item, however narrow the box. Styles whose long
// lists scroll by a bar rather than by arrows need room for the bar too.
void FitPopupToItems(QComboBox* box) {
  QAbstractItemView* view = box->view();
  const int bar = view->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : view->verticalScrollBar()->sizeHint().width();
  view->setMinimumWidth(view->sizeHintForColumn(0) + bar + 2 * view->frameWidth());
}

}  // namespace

MapEditor* OpenMapEditor() { return gOpenEditor; }

MapEditor::MapEditor(QWidget* owner, const MainLists& lists, int mode, QMenu* mnuCityPos, CreateCityCaller* frmAdd2)
    : QDialog(owner), lists_(lists), mode_(mode), mnuCityPos_(mnuCityPos), frmAdd2_(frmAdd2) {
  setObjectName("frmMapEdit");
  gSkipMapMouseUp = false;
  BuildControls();

  // Each opening starts afresh: no cursor, mark or pick from an earlier one.
  const bool newCity = mode_ == kNewCityMode;
  const bool scenario = !IsSaveFile();
  MapPoint start{};
  if (newCity) {
    setWindowTitle("신도시 위치 지정");
    setFixedSize(kNewCityClientW, kClientH);
    start = RandomMapStart();
    MarkX = start.x, MarkY = start.y;
  } else {
    setWindowTitle("Map Edit");
    setFixedSize(kClientW, kClientH);
    MapOpt[0]->setChecked(true);
    for (int i = 1; i <= 16; ++i) static_cast<QToolButton*>(MapOpt[std::size_t(i + 4)])->setIcon(QIcon(QPixmap::fromImage(RoadIcon(i - 1))));
    FillToolLists(scenario);
    start = MapStartCell();
  }
  if (!newCity && !scenario) {
    MapOpt[21]->setEnabled(false);
    MapOpt[22]->setEnabled(false);
    picView->setVisible(false);
  }

  const ViewOrigin o = OriginForCell(start.x, start.y, 0, 0);
  HScroll->setValue(o.left);
  VScroll->setValue(o.top);
  RedrawMap();
  BuildExistingCityMenu(mnuCityPos_, lists_.ListView3);
  loading_ = false;

  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  installEventFilter(this);
  gOpenEditor = this;
}

MapEditor::~MapEditor() {
  if (gOpenEditor == this) gOpenEditor = nullptr;
}

void MapEditor::BuildControls() {
  picMap = new MapView(this);
  picMap->setGeometry(0, 0, 620, 576);
  connect(picMap, &MapView::mouseMoved, this, &MapEditor::picMap_MouseMove);
  connect(picMap, &MapView::mouseLeft, this, &MapEditor::picMap_MouseLeave);
  connect(picMap, &MapView::mouseReleased, this, &MapEditor::picMap_MouseUp);

  // Values change on release only: a drag renders once, where it ends.
  HScroll = new QScrollBar(Qt::Horizontal, this);
  HScroll->setObjectName("HScroll");
  HScroll->setGeometry(0, 576, 620, 17);
  HScroll->setRange(0, 240), HScroll->setSingleStep(1), HScroll->setPageStep(5);
  VScroll = new QScrollBar(Qt::Vertical, this);
  VScroll->setObjectName("VScroll");
  VScroll->setGeometry(620, 0, 17, 577);
  VScroll->setRange(0, 190), VScroll->setSingleStep(2), VScroll->setPageStep(10);
  for (QScrollBar* s : {HScroll, VScroll}) s->setTracking(false), s->setFocusPolicy(Qt::NoFocus);
  connect(HScroll, &QScrollBar::valueChanged, this, &MapEditor::HScroll_Change);
  connect(VScroll, &QScrollBar::valueChanged, this, &MapEditor::VScroll_Change);

  mapCheck = new QCheckBox(this);
  mapCheck->setObjectName("mapCheck");
  mapCheck->setGeometry(621, 578, 16, 16);
  mapCheck->setFocusPolicy(Qt::NoFocus);
  connect(mapCheck, &QCheckBox::clicked, this, &MapEditor::mapCheck_Click);

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName("StatusBar");
  StatusBar->setSizeGripEnabled(false);
  StatusBar->setGeometry(0, 593, kClientW, 17);
  // The status line pads its fields by display columns: they line up only in a fixed pitch.
  QFont columns = ColumnFont();
  columns.setPointSize(9);
  StatusBar->setFont(columns);

  modes = new QButtonGroup(this);
  auto option = [&](int i, const char* caption, int top, int h) {
    auto* b = new QRadioButton(QString::fromUtf8(caption), this);
    b->setGeometry(kPanelLeft, top, 97, h);
    MapOpt[std::size_t(i)] = b;
  };
  option(0, "도시위치 변경", 4, 25);
  option(21, "지역정보 변경", 32, 21);
  option(1, "건물 삭제", 100, 21);
  option(2, "건물 추가", 124, 21);
  option(3, "특산품 삭제", 168, 21);
  option(4, "특산품 추가", 192, 21);
  option(22, "지형정보 변경", 496, 21);
  constexpr int kRoadPairs[8][2] = {{5, 20}, {7, 9}, {6, 13}, {15, 10}, {12, 19}, {16, 18}, {8, 11}, {14, 17}};
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 2; ++col) {
      auto* b = new QToolButton(this);
      b->setCheckable(true);
      b->setIconSize(QSize(32, 24));
      b->setGeometry(kPanelLeft + 48 * col, 236 + 32 * row, 48, 33);
      const int mode = kRoadPairs[row][col];
      // The picture alone says nothing to a screen reader, and little to the eye at first.
      b->setToolTip(RoadName(mode - 5));
      b->setAccessibleName(RoadName(mode - 5));
      MapOpt[std::size_t(mode)] = b;
    }
  for (int i = 0; i < 23; ++i) {
    MapOpt[std::size_t(i)]->setObjectName(QString("MapOpt(%1)").arg(i));
    MapOpt[std::size_t(i)]->setFocusPolicy(Qt::NoFocus);
    modes->addButton(MapOpt[std::size_t(i)], i);
  }
  connect(modes, &QButtonGroup::idClicked, this, &MapEditor::MapOpt_Chosen);

  constexpr int kComboTops[5] = {144, 212, 52, 76, 516};
  for (int i = 0; i < 5; ++i) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString("MapCombo(%1)").arg(i));
    c->setGeometry(kPanelLeft, kComboTops[i], 97, 20);
    c->setEnabled(false);
    c->setFocusPolicy(Qt::NoFocus);
    connect(c, &QComboBox::currentIndexChanged, this, [this, i] { MapCombo_Click(i); });
    MapCombo[std::size_t(i)] = c;
  }
  picView = new QLabel(this);
  picView->setObjectName("picView");
  picView->setGeometry(656, 544, 66, 36);
}

void MapEditor::FillToolLists(bool scenario) {
  // Filled and set quietly: the lists' own handlers would move the focus and draw previews.
  const QSignalBlocker b0(MapCombo[0]), b1(MapCombo[1]), b2(MapCombo[2]), b3(MapCombo[3]), b4(MapCombo[4]);
  for (QComboBox* c : MapCombo) c->clear();
  for (const char* name : kBuildings) MapCombo[0]->addItem(QString::fromUtf8(name));
  if (IsExpansionLoaded()) MapCombo[0]->addItem("방벽");
  WithSpecialties([&](const auto& specialties) {
    for (const auto& s : specialties) MapCombo[1]->addItem(QString::fromStdString(ReadFixedName(s.bytes(kSpecialty.name))));
  });
  for (int i : {2, 3}) {
    QComboBox* c = MapCombo[std::size_t(i)];
    c->addItem(kNoRegion);
    if (scenario)
      for (const auto& r : gData.gRegions) c->addItem(QString::fromStdString(ReadFixedName(r.bytes(kRegionScen.name))));
    // A save file's lists hold the line alone and select nothing.
    c->setCurrentIndex(scenario ? 0 : -1);
  }
  MapCombo[0]->setCurrentIndex(0);
  MapCombo[1]->setCurrentIndex(0);
  if (scenario) {
    for (const char* t : kTerrains) MapCombo[4]->addItem(QString::fromUtf8(t));
    for (int shape = 0; shape < 10; ++shape)
      for (const char* base : kRiverBases)
        MapCombo[4]->addItem(QString("%1하천%2 %3").arg(QString::fromUtf8(base)).arg(shape + 1).arg(QString::fromUtf8(kCourses[shape])));
    for (const char* edge : kEdges) MapCombo[4]->addItem(QString::fromUtf8(edge) + kBaySuffix);
  }
  for (QComboBox* c : MapCombo) FitPopupToItems(c);
  if (!scenario) return;
  MapCombo[4]->setCurrentIndex(2);
  ShowPreview(2);
}

void MapEditor::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  picMap->setFocus();
}

void MapEditor::RedrawMap() {
  MapPicture& p = picMap->picture;
  p.viewLeft = ViewLeft, p.viewTop = ViewTop;
  p.extraCols = ExtraCols, p.extraRows = ExtraRows;
  p.moveFromX = PickedCityX, p.moveFromY = PickedCityY;
  p.regionMarks = EditMode == 21 && MapOpt[21]->isChecked();
  p.regionA = MapCombo[2]->currentIndex() - 1;
  p.regionB = MapCombo[3]->currentIndex() - 1;
  // Nothing selected (-1) must match no region either.
  if (p.regionA < 0) p.regionA = -1;
  if (p.regionB < 0) p.regionB = -1;
  picMap->RedrawMap();
}

void MapEditor::SetLocation(int x, int y) {
  const ViewOrigin o = OriginForCell(x, y, ExtraCols, ExtraRows);
  ViewLeft = o.left, ViewTop = o.top;
  if (mode_ == kNewCityMode) {
    MarkX = x, MarkY = y;
    DrawCursor();
  }
  HScroll->setValue(ViewLeft);
  VScroll->setValue(ViewTop);
}

void MapEditor::HScroll_Change(int value) {
  ViewLeft = value;
  CursorFromPointer();
  RedrawMap();
  ShowCellStatus();
  DrawCursor();
}

void MapEditor::VScroll_Change(int value) {
  // The top row shown is always even: an odd value gives way to the one below it.
  if (value % 2 == 1) {
    VScroll->setValue(value - 1);
    return;
  }
  ViewTop = value;
  CursorFromPointer();
  RedrawMap();
  ShowCellStatus();
  DrawCursor();
}

void MapEditor::Shift(QWidget* w, int dx, int dy, int dw, int dh) {
  const QRect g = w->geometry();
  w->setGeometry(g.x() + dx, g.y() + dy, g.width() + dw, g.height() + dh);
}

void MapEditor::mapCheck_Click() {
  const int d = mapCheck->isChecked() ? 1 : -1;
  ExtraCols = d > 0 ? 6 : 0;
  ExtraRows = d > 0 ? 16 : 0;
  setFixedSize(width() + d * kWideW, height() + d * kTallH);
  for (QAbstractButton* b : MapOpt) Shift(b, d * kWideW, 0, 0, 0);
  for (QComboBox* c : MapCombo) Shift(c, d * kWideW, 0, 0, 0);
  Shift(mapCheck, d * kWideW, d * kTallH, 0, 0);
  Shift(HScroll, 0, d * kTallH, d * kWideW, 0);
  Shift(VScroll, d * kWideW, 0, 0, d * kTallH);
  Shift(picMap, 0, 0, d * kWideW, d * kTallH);
  Shift(picView, d * kWideW, 0, 0, 0);
  Shift(StatusBar, 0, d * kTallH, d * kWideW, 0);
  if (ViewLeft > 240 - ExtraCols) ViewLeft = 240 - ExtraCols;
  if (ViewTop > 190 - ExtraRows) ViewTop = 190 - ExtraRows;
  HScroll->setMaximum(240 - ExtraCols);
  VScroll->setMaximum(190 - ExtraRows);
  CursorFromPointer();
  RedrawMap();
  ShowCellStatus();
  DrawCursor();
  picMap->setFocus();
}

void MapEditor::MapOpt_Chosen(int index) {
  // The tool lists follow the mode; leaving the region mode takes its marks away.
  const std::array<bool, 5> lists{index == 2, index == 4, index == 21, index == 21, index == 22};
  for (int i = 0; i < 5; ++i) MapCombo[std::size_t(i)]->setEnabled(lists[std::size_t(i)]);
  const int was = EditMode;
  EditMode = index;
  if (index > 0) {
    setWindowTitle("Map Edit");
    PickedCityX = PickedCityY = -1;
  }
  if (index > 0 || was == 21) {
    RedrawMap();
    ShowCellStatus();
    DrawCursor();
  }
  picMap->setFocus();
}

void MapEditor::MapCombo_Click(int index) {
  if (!loading_) picMap->setFocus();
  if (index == 4) ShowPreview(MapCombo[4]->currentIndex());
}

void MapEditor::ShowPreview(int code) {
  QImage view(66, 36, QImage::Format_RGB32);
  view.fill(palette().color(QPalette::Window));
  if (code >= 0) {
    QPainter p(&view);
    if (code < 9) p.drawImage(QPoint(0, 0), TileSheet(), QRect(62 * code, 0, kTileW, kTileH));
    else if (code <= 58) p.drawImage(QPoint(0, 0), RiverSheet(), QRect(62 * ((code - 9) % 5), 32 * ((code - 9) / 5), kTileW, kTileH));
    else p.drawImage(QPoint(0, 0), TileSheet(), QRect(62 * (code - 59), 32, kTileW, kTileH));
  }
  picView->setPixmap(QPixmap::fromImage(view));
}

void MapEditor::picMap_MouseMove(QPoint pos) {
  pointer_ = pos;
  pointerInside_ = picMap->rect().contains(pos);
  CursorFromPointer();
  ShowCellStatus();
  DrawCursor();
}

void MapEditor::picMap_MouseLeave() {
  pointerInside_ = false;
  CursorFromPointer();
  ShowCellStatus();
  DrawCursor();
}

void MapEditor::picMap_MouseUp(Qt::MouseButton button, QPoint pos) {
  if (gSkipMapMouseUp) {
    gSkipMapMouseUp = false;
    return;
  }
  if (button == Qt::LeftButton) {
    EditCell();
  } else if (button == Qt::RightButton) {
    // A pending move is cancelled; otherwise the places menu, in the new-city mode as well.
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
  if (!mnuCityPos_) return;
  gSkipMapMouseUp = true;
  Dialogs().PopupMenu(mnuCityPos_, picMap->mapToGlobal(pos));
}

void MapEditor::EditCell() {
  const bool newCity = mode_ == kNewCityMode;
  const int mode = newCity ? kNewCitySite : EditMode;
  const MapSelection sel{MapCombo[0]->currentIndex(), MapCombo[1]->currentIndex(), MapCombo[2]->currentIndex(),
                         MapCombo[4]->currentIndex()};
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
      if (mode == 21 || mode == 22) DrawCursor(), ShowCellStatus();
      MarkDataChanged();
      return;
    case MapEditKind::Confirm: break;
  }
  if (Dialogs().MessageBox(this, Q(out.text), MsgIcon::Exclamation, MsgButtons::YesNo, title) != MsgResult::Yes) return;
  if (newCity) {
    if (frmAdd2_) frmAdd2_->SetCell(x, y);
    accept();
    return;
  }
  if (CommitMapEdit(cityMove, mode, x, y).kind == MapEditKind::Applied) MarkDataChanged();
  setWindowTitle("Map Edit");
  BuildExistingCityMenu(mnuCityPos_, lists_.ListView3);
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
  if (ListView* cities = lists_.ListView3)
    for (int i = 0; i < cities->count(); ++i) order.push_back(cities->row(i)->tag.toInt());
  StatusBar->showMessage(QString::fromStdString(CellStatusText(CursorX, CursorY, order)));
}

void MapEditor::DrawCursor() {
  const int j = CursorX - ViewLeft, i = CursorY - ViewTop;
  const int s = i % 2 != 0 ? 32 : 0, x0 = 62 * j + s, y0 = 16 * i;
  picMap->setCursorLines({QLine(x0, y0 + 15, x0 + 31, y0), QLine(x0 + 32, y0, x0 + 61, y0 + 15),
                          QLine(x0, y0 + 16, x0 + 31, y0 + 31), QLine(x0 + 32, y0 + 31, x0 + 61, y0 + 16)});
  if (MarkX != -1 && MarkY != -1) {
    QColor c = CursorX == MarkX && CursorY == MarkY ? QColor(0, 0, 255) : QColor(255, 0, 0);
    if (IsMapCell(CursorX, CursorY) && IsCastleCell(CursorX, CursorY)) c = QColor(0, 255, 0);
    picMap->setCursorColor(c);
  }
  const bool none = !IsMapCell(CursorX, CursorY);
  picMap->setCursorVisible(!none);
  picMap->setCursor(none ? Qt::ForbiddenCursor : Qt::ArrowCursor);
}

// The wheel scrolls the map two rows a notch wherever the pointer is, lists included.
bool MapEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel) return QDialog::eventFilter(watched, event);
  const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
  if (delta == 0) return true;
  wheelRest_ += delta;
  const int notches = wheelRest_ / 120;
  wheelRest_ -= notches * 120;
  if (notches != 0) VScroll->setValue(std::clamp(VScroll->value() - 2 * notches, 0, VScroll->maximum()));
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
    // The create-city dialog opens the new-city mode and takes the answer as its owner.
    auto* frmAdd2 = args.mode == kNewCityMode ? dynamic_cast<CreateCityCaller*>(owner) : nullptr;
    MapEditor editor(owner, lists, args.mode, places, frmAdd2);
    RunModal(editor);
  });
}

}  // namespace garam
