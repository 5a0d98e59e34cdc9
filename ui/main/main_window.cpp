#include "ui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <cstdlib>
#include <QTime>

#include "data/fileio.h"
#include "data/gamedata.h"
#include "data/loader.h"
#include "data/message.h"
#include "data/missions.h"
#include "map/cityplaces.h"
#include "map/mapcache.h"
#include "map/mapeditor.h"
#include "platform/dialogs.h"
#include "platform/modal.h"
#include "ui/common/childforms.h"
#include "ui/main/fillmain.h"
#include "ui/main/about_box.h"
#include "ui/main/progress_window.h"
#include "ui/main/generalswap.h"
#include "ui/main/mainlayout.h"
#include "tools/report_command.h"

namespace garam {
namespace {

// An entry of a menu whose window is told which entry was chosen: the registered windows take the
// entry as their mode, by the value of its enum.
template <typename Mode>
struct MenuEntry {
  Mode mode;
  const char* caption;
};

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmMain");
  StatusBarView = new StatusView(this);
  setStatusBar(StatusBarView);
  TabStrip = new QTabWidget(this);
  TabStrip->setObjectName(kTabStripName);
  setCentralWidget(new QWidget(this));
  BuildMainPages(*this);
  // No page handler may run before a load has allocated the arrays behind the pages.
  TabStrip->setVisible(false);
  resize(800, 600);
  BuildMenus();
  SetDataHost(this);
  InstallMainWindowLink(this);
  FormLoad();
}

MainWindow::~MainWindow() {
  if (&Host() == this) SetDataHost(nullptr);
  if (&MainLink() == this) InstallMainWindowLink(nullptr);
  // The page event filter reaches back into this window; the base class would still feed it the
  // events of tearing the children down.
  delete findChild<QObject*>("MainEventFilter", Qt::FindDirectChildrenOnly);
}

QAction* MainWindow::AddEntry(QMenu* menu, const QString& caption, const char* name, const QKeySequence& key) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  if (!key.isEmpty()) a->setShortcut(key);
  return a;
}

void MainWindow::BuildMenus() {
  BuildFileMenu();
  BuildSpecialMenu();
  BuildStatisticsMenu();
  BuildExpertMenu();
  BuildHelpMenu();
  BuildPopupMenus();
}

void MainWindow::BuildFileMenu() {
  fileMenu = menuBar()->addMenu("파일(&F)");
  fileMenu->setObjectName("mnuFile");
  loadMenu = fileMenu->addMenu("로드");
  loadMenu->setObjectName("mnuLD");
  loadScenarioAction = AddEntry(loadMenu, "시나리오 파일", "mnuLoad0", QKeySequence("Ctrl+L"));
  loadSaveAction = AddEntry(loadMenu, "세이브 파일", "mnuLoad1", QKeySequence("Ctrl+O"));
  customLoadMenu = fileMenu->addMenu("커스텀 로드");
  customLoadMenu->setObjectName("mnuLDC");
  customLoadScenarioAction = AddEntry(customLoadMenu, "시나리오 파일", "mnuLoadC0");
  customLoadSaveAction = AddEntry(customLoadMenu, "세이브 파일", "mnuLoadC1");
  exePathAction = AddEntry(customLoadMenu, "실행파일 경로지정", "mnuLoadC2");
  exePathAction->setCheckable(true);
  customLoadScenarioAction->setEnabled(false);
  customLoadSaveAction->setEnabled(false);
  saveAction = AddEntry(fileMenu, "세이브", "mnuSave", QKeySequence("Ctrl+S"));
  saveAction->setEnabled(false);
  fileMenu->addSeparator();
  exitAction = AddEntry(fileMenu, "종료", "mnuEnd", QKeySequence("Ctrl+X"));

  connect(loadScenarioAction, &QAction::triggered, this, [this] { LoadCommand(FileChoice::Scenario); });
  connect(loadSaveAction, &QAction::triggered, this, [this] { LoadCommand(FileChoice::Save); });
  connect(customLoadScenarioAction, &QAction::triggered, this, [this] { CustomLoadCommand(FileChoice::Scenario); });
  connect(customLoadSaveAction, &QAction::triggered, this, [this] { CustomLoadCommand(FileChoice::Save); });
  connect(exePathAction, &QAction::triggered, this, [this] { CustomLoadCommand(FileChoice::Executable); });
  connect(saveAction, &QAction::triggered, this, &MainWindow::SaveCommand);
  connect(exitAction, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::BuildSpecialMenu() {
  specialMenu = menuBar()->addMenu("특수기능(&S)");
  specialMenu->setObjectName("mnu특수");
  biographyAction = AddEntry(specialMenu, "열전 편집", "mnu열전", QKeySequence(Qt::Key_F2));
  mapEditAction = AddEntry(specialMenu, "맵 에디트", "mnuMapEdit", QKeySequence(Qt::Key_F3));
  bloodRelationAction = AddEntry(specialMenu, "혈연 설정", "mnu혈연", QKeySequence(Qt::Key_F4));
  eventFlagsAction = AddEntry(specialMenu, "이벤트 발생 여부", "mnuEvent", QKeySequence(Qt::Key_F5));
  yearChangeAction = AddEntry(specialMenu, "년도 일괄 변경", "mnuYear", QKeySequence(Qt::Key_F6));
  unitResetAction = AddEntry(specialMenu, "유닛 행동 초기화", "mnuUnit");
  for (QAction* a : {biographyAction, mapEditAction, bloodRelationAction, eventFlagsAction, yearChangeAction}) a->setEnabled(false);
  unitResetAction->setVisible(false);

  connect(unitResetAction, &QAction::triggered, this, &MainWindow::UnitResetCommand);
  connect(biographyAction, &QAction::triggered, this, [this] { ShowForm("frm열전편집", this); });
  connect(bloodRelationAction, &QAction::triggered, this, [this] { ShowForm("frm혈연", this); });
  connect(yearChangeAction, &QAction::triggered, this, [this] { ShowForm("frmYearChange", this); });
  connect(eventFlagsAction, &QAction::triggered, this, [this] { ShowForm("frmEvent", this); });
  connect(mapEditAction, &QAction::triggered, this,
          [this] { ShowForm("frmMapEdit", this, {.mode = int(MapEditorOpening::EditMap)}); });
}

// The windows shared by several entries open through their window names and are told which entry
// was chosen.
void MainWindow::BuildStatisticsMenu() {
  statisticsMenu = menuBar()->addMenu("통계");
  statisticsMenu->setObjectName("mnuStatistics");
  const MenuEntry<UsageReportKind> reports[] = {
      {UsageReportKind::MenFaces, "남자 얼굴 사용 현황"},       {UsageReportKind::WomenFaces, "여자 얼굴 사용 현황"},
      {UsageReportKind::UniqueCodes, "고유 코드 사용 현황"},    {UsageReportKind::Biographies, "인물 열전 사용 현황"},
      {UsageReportKind::CultureItems, "문화 아이템 사용 현황"}, {UsageReportKind::Walls, "방벽 배치 현황"}};
  static_assert(std::size(reports) == std::tuple_size_v<decltype(reportActions)>);
  for (const auto& [kind, caption] : reports) {
    const int mode = int(kind);
    reportActions[mode] = AddEntry(statisticsMenu, caption, qPrintable(QString("mnuStat%1").arg(mode)));
    connect(reportActions[mode], &QAction::triggered, this, [this, mode] { ShowForm("mnuStat", this, {.mode = mode}); });
  }
  statisticsMenu->menuAction()->setVisible(false);
}

void MainWindow::BuildExpertMenu() {
  expertMenu = menuBar()->addMenu("Expert(&E)");
  expertMenu->setObjectName("mnuExpertm");
  const MenuEntry<ExpertMode> modes[] = {
      {ExpertMode::Sync, "City Location Synchronize"}, {ExpertMode::Convert, "Data Convert"}, {ExpertMode::Transfer, "Data Transfer"}};
  static_assert(std::size(modes) == std::tuple_size_v<decltype(expertActions)>);
  for (const auto& [expertMode, caption] : modes) {
    const int mode = int(expertMode);
    expertActions[mode] = AddEntry(expertMenu, caption, qPrintable(QString("mnuExpert%1").arg(mode)));
    connect(expertActions[mode], &QAction::triggered, this, [this, mode] { ShowForm("frmSetting", this, {.mode = mode}); });
  }
  exeInfoAction = AddEntry(expertMenu, "EXE info", "mnuExpertE");
  connect(exeInfoAction, &QAction::triggered, this, [this] { ShowForm("mnuExpertE", this); });
  dataInitMenu = expertMenu->addMenu("Data Initialize");
  dataInitMenu->setObjectName("mnuExpertD");
  const MenuEntry<MapLayer> layers[] = {
      {MapLayer::Buildings, "Buildings"}, {MapLayer::Products, "Products"}, {MapLayer::Roads, "Roads"}, {MapLayer::SeaRoad, "SeaRoad"}};
  static_assert(std::size(layers) == std::tuple_size_v<decltype(layerResetActions)>);
  for (const auto& [layer, caption] : layers) {
    const int mode = int(layer);
    layerResetActions[mode] = AddEntry(dataInitMenu, caption, qPrintable(QString("mnuExpInit%1").arg(mode)));
    connect(layerResetActions[mode], &QAction::triggered, this, [this, mode] { ShowForm("mnuExpInit", this, {.mode = mode}); });
  }
}

void MainWindow::BuildHelpMenu() {
  helpMenu = menuBar()->addMenu("도움말(&H)");
  helpMenu->setObjectName("mnuHelp");
  manualAction = AddEntry(helpMenu, "사용설명서", "mnuDocument", QKeySequence(Qt::Key_F1));
  aboutAction = AddEntry(helpMenu, QString(), "mnuAbout", QKeySequence("Ctrl+A"));
  connect(manualAction, &QAction::triggered, this, &MainWindow::DocumentCommand);
  connect(aboutAction, &QAction::triggered, this, &MainWindow::AboutCommand);
}

// The menus that never show in the menu bar: the general list's pop-up and the city sites the
// create-city dialog offers.
void MainWindow::BuildPopupMenus() {
  generalSwapMenu = menuBar()->addMenu("Pulldown");
  generalSwapMenu->setObjectName("mnuPD");
  generalSwapMenu->menuAction()->setVisible(false);
  WireGeneralSwap(*this);
  cityPlaceMenu = menuBar()->addMenu("정의된신도시좌표");
  cityPlaceMenu->setObjectName("mnuCityPos");
  cityPlaceMenu->menuAction()->setVisible(false);
}

void MainWindow::FormLoad() {
  gAppPath = WithTrailingSeparator(S(QCoreApplication::applicationDirPath()));
  TabMouseDown = false;
  gDataChanged = false;
  StatusBarView->setPanelText(int(StatusPanel::FileName), kNoFileShown);
  // Seeded from the clock like the game's own editors; nothing needs a reproducible sequence.
  std::srand(unsigned(QTime::currentTime().msecsSinceStartOfDay() / 1000));
  aboutAction->setText(Q(kMsgTitleSpaced) + " 정보");
  setWindowTitle(Q(kMsgTitleSpaced));
  BuildCityPlaceMenus(cityPlaceMenu);
}

bool MainWindow::AskSaveBeforeLoad() {
  if (!gDataChanged) return true;
  MsgResult r = Message("데이터가 변경되었습니다.\r\n\r\n저장하시겠습니까?", MsgIcon::Exclamation,
                        MsgButtons::YesNoCancel, kMsgTitleSpaced);
  if (r == MsgResult::Cancel) return false;
  // A save that does not succeed stops the load, so no unsaved change is dropped silently.
  if (r == MsgResult::Yes) return RunSave();
  return true;
}

void MainWindow::RunLoad(const QString& path, bool customLoad) {
  // A refused load leaves the window as it was: the reader's hint goes again.
  const QString hint = StatusBarView->panelText(int(StatusPanel::Hint));
  if (LoadGameFile(S(path), customLoad)) {
    ShowLoadedFile(customLoad);
  } else {
    StatusBarView->setPanelText(int(StatusPanel::Hint), hint);
  }
}

void MainWindow::ShowLoadedFile(bool customLoad) {
  const bool save = IsSaveFile();
  saveAction->setEnabled(true);
  expertMenu->menuAction()->setEnabled(false);
  // A save file carries its own map and has no biographies or start year to edit; the event
  // flags are the Korean save's alone.
  mapEditAction->setEnabled(true);
  bloodRelationAction->setEnabled(true);
  yearChangeAction->setEnabled(!save);
  biographyAction->setEnabled(!save && gBiographyFound);
  eventFlagsAction->setEnabled(gFileKind == kSaveKr);
  const std::string shown = ToUpperAscii(NameOf(gCurrentFile));
  SetStatus(StatusPanel::Hint, "");
  SetStatus(StatusPanel::FileName, customLoad ? "[" + shown + "]" : shown);
  SetStatus(StatusPanel::ChangedMark, "");
  ReSize();
}

bool MainWindow::RunSave() {
  if (!SaveGameFile()) return false;
  SetStatus(StatusPanel::Hint, "");
  SetStatus(StatusPanel::ChangedMark, "");
  return true;
}

void MainWindow::LoadCommand(FileChoice file) {
  if (file == FileChoice::Executable || !AskSaveBeforeLoad()) return;
  OpenFileRequest req;
  req.filter = file == FileChoice::Scenario ? "시나리오 파일 (scedat?.rn)|scedat?.rn" : "세이브 파일 (user*.rn)|user*.rn";
  req.title = "데이터 파일 읽기";
  req.initialDir = LastLoadDir;
  QString path = Dialogs().OpenFile(this, req);
  if (path.isEmpty()) return;
  LastLoadDir = Q(DirOf(S(path)));
  RunLoad(path, false);
}

void MainWindow::CustomLoadCommand(FileChoice file) {
  if (file == FileChoice::Executable) return ChooseExecutable();
  if (!AskSaveBeforeLoad()) return;
  const bool qv = gExeInfo.IsQVEdition();
  OpenFileRequest req;
  if (file == FileChoice::Scenario)
    req.filter = qv ? "시나리오 파일 (scedat?.wn)|scedat?.wn" : "시나리오 파일 (scedat?.rn)|scedat?.rn";
  else
    req.filter = qv ? "세이브 파일 (user*.wnx)|user*.wnx" : "세이브 파일 (user*.rn)|user*.rn";
  if (!EXEDataRead(gExeInfo.path)) {
    ShowMessage("실행파일의 정보를 읽던 도중 문제가 발견되었습니다.");
    return;
  }
  req.title = "데이터 파일 읽기";
  req.initialDir = Q(gExeInfo.directory);
  QString path = Dialogs().OpenFile(this, req);
  if (path.isEmpty()) return;
  RunLoad(path, true);
}

void MainWindow::ChooseExecutable() {
  OpenFileRequest req{"*.exe|*.exe", "실행파일 경로 검색", QString()};
  QString path = Dialogs().OpenFile(this, req);
  if (path.isEmpty() || !FileExists(S(path))) return;
  if (!EXEDataRead(S(path))) {
    ShowMessage("실행파일의 정보를 읽던 도중 문제가 발견되었습니다.");
    return;
  }
  gExeInfo.directory = DirOf(S(path));
  gExeInfo.path = S(path);
  customLoadScenarioAction->setEnabled(true);
  customLoadSaveAction->setEnabled(true);
  exePathAction->setChecked(true);
}

void MainWindow::SaveCommand() { RunSave(); }

void MainWindow::UnitResetCommand() {
  ResetUnitActions();
  Message("작업이 완료되었습니다.", MsgIcon::Information, MsgButtons::Ok, kMsgTitle);
  MarkDataChanged();
}

void MainWindow::DocumentCommand() { Dialogs().OpenTextFile(Q(gAppPath) + "readme.txt"); }

void MainWindow::AboutCommand() {
  AboutBox about(this);
  RunModal(about);
}

bool MainWindow::ConfirmExit() {
  if (gDataChanged) {
    MsgResult r = Message("데이터가 변경되었습니다. 이대로 끝내면 데이터가 유실됩니다.\r\n\r\n종료하시겠습니까?",
                          MsgIcon::Exclamation, MsgButtons::YesNo, kMsgTitleSpaced);
    if (r != MsgResult::Yes) return false;
  }
  RemoveUsageReport();
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!ConfirmExit()) {
    event->ignore();
    return;
  }
  ProgressClose();
  event->accept();
}

MsgResult MainWindow::Message(const std::string& text, MsgIcon icon, MsgButtons buttons, const std::string& title) {
  QWidget* owner = (status_ && status_->isVisible()) ? static_cast<QWidget*>(status_) : this;
  return Dialogs().MessageBox(owner, Q(text), icon, buttons, Q(title));
}

void MainWindow::ProgressShow(const std::string& caption, const std::string& label, const std::string& hint) {
  SetStatus(StatusPanel::Hint, hint);
  if (!status_) status_ = new ProgressWindow(this);
  status_->setWindowTitle(Q(caption));
  status_->statusLabel->setText(Q(label));
  status_->show();
}

void MainWindow::Progress(int percent) {
  if (status_) status_->Progress(percent);
}

void MainWindow::ProgressPaint() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

bool MainWindow::ProgressVisible() const { return status_ && status_->isVisible(); }

void MainWindow::ProgressClose() {
  if (status_) status_->hide();
}

void MainWindow::SetStatus(StatusPanel panel, const std::string& text) { StatusBarView->setPanelText(int(panel), Q(text)); }
std::string MainWindow::Status(StatusPanel panel) const { return S(StatusBarView->panelText(int(panel))); }

void MainWindow::BuildMapCache() { garam::BuildMapCache(); }
void MainWindow::FillMainWindow() { garam::FillMainWindow(*this); }
void MainWindow::RefreshRows(EntityList list, const std::vector<int>& records) {
  RefreshListRows(List(list), list, records);
}
void MainWindow::DataChanged() { SetStatus(StatusPanel::ChangedMark, "*"); }
void MainWindow::ReSize() { ReSizeMain(*this); }

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ReSize();
}

}  // namespace garam
