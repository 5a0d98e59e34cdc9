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
#include "platform/dialogs.h"
#include "ui/common/childforms.h"
#include "ui/main/fillmain.h"
#include "ui/main/about_box.h"
#include "ui/main/progress_window.h"
#include "ui/main/generalswap.h"
#include "tools/report_command.h"

namespace garam {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmMain");
  StatusBarView = new StatusView(this);
  setStatusBar(StatusBarView);
  TabStrip = new QTabWidget(this);
  TabStrip->setObjectName("TabStrip");
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
  delete findChild<QObject*>("HeaderHintFilter", Qt::FindDirectChildrenOnly);
}

void MainWindow::BuildMenus() {
  auto add = [this](QMenu* menu, const QString& caption, const char* name, const QKeySequence& key = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
  };
  mnuFile = menuBar()->addMenu("파일(&F)");
  mnuFile->setObjectName("mnuFile");
  mnuLD = mnuFile->addMenu("로드");
  mnuLD->setObjectName("mnuLD");
  mnuLoad[0] = add(mnuLD, "시나리오 파일", "mnuLoad0", QKeySequence("Ctrl+L"));
  mnuLoad[1] = add(mnuLD, "세이브 파일", "mnuLoad1", QKeySequence("Ctrl+O"));
  mnuLDC = mnuFile->addMenu("커스텀 로드");
  mnuLDC->setObjectName("mnuLDC");
  mnuLoadC[0] = add(mnuLDC, "시나리오 파일", "mnuLoadC0");
  mnuLoadC[1] = add(mnuLDC, "세이브 파일", "mnuLoadC1");
  mnuLoadC[2] = add(mnuLDC, "실행파일 경로지정", "mnuLoadC2");
  mnuLoadC[2]->setCheckable(true);
  mnuLoadC[0]->setEnabled(false);
  mnuLoadC[1]->setEnabled(false);
  mnuSave = add(mnuFile, "세이브", "mnuSave", QKeySequence("Ctrl+S"));
  mnuSave->setEnabled(false);
  mnuFile->addSeparator();
  mnuEnd = add(mnuFile, "종료", "mnuEnd", QKeySequence("Ctrl+X"));

  mnu특수 = menuBar()->addMenu("특수기능(&S)");
  mnu특수->setObjectName("mnu특수");
  mnu열전 = add(mnu특수, "열전 편집", "mnu열전", QKeySequence(Qt::Key_F2));
  mnuMapEdit = add(mnu특수, "맵 에디트", "mnuMapEdit", QKeySequence(Qt::Key_F3));
  mnu혈연 = add(mnu특수, "혈연 설정", "mnu혈연", QKeySequence(Qt::Key_F4));
  mnuEvent = add(mnu특수, "이벤트 발생 여부", "mnuEvent", QKeySequence(Qt::Key_F5));
  mnuYear = add(mnu특수, "년도 일괄 변경", "mnuYear", QKeySequence(Qt::Key_F6));
  mnuUnit = add(mnu특수, "유닛 행동 초기화", "mnuUnit");
  for (QAction* a : {mnu열전, mnuMapEdit, mnu혈연, mnuEvent, mnuYear}) a->setEnabled(false);
  mnuUnit->setVisible(false);

  mnuStatistics = menuBar()->addMenu("통계");
  mnuStatistics->setObjectName("mnuStatistics");
  const char* const statCaptions[] = {"남자 얼굴 사용 현황", "여자 얼굴 사용 현황", "고유 코드 사용 현황",
                                      "인물 열전 사용 현황", "문화 아이템 사용 현황", "방벽 배치 현황"};
  for (int i = 0; i < 6; ++i)
    mnuStat[i] = add(mnuStatistics, statCaptions[i], qPrintable(QString("mnuStat%1").arg(i)));
  mnuStatistics->menuAction()->setVisible(false);

  mnuExpertm = menuBar()->addMenu("Expert(&E)");
  mnuExpertm->setObjectName("mnuExpertm");
  const char* const expertCaptions[] = {"City Location Synchronize", "Data Convert", "Data Transfer"};
  for (int i = 0; i < 3; ++i)
    mnuExpert[i] = add(mnuExpertm, expertCaptions[i], qPrintable(QString("mnuExpert%1").arg(i)));
  mnuExpertE = add(mnuExpertm, "EXE info", "mnuExpertE");
  mnuExpertD = mnuExpertm->addMenu("Data Initialize");
  mnuExpertD->setObjectName("mnuExpertD");
  const char* const initCaptions[] = {"Buildings", "Products", "Roads", "SeaRoad"};
  for (int i = 0; i < 4; ++i)
    mnuExpInit[i] = add(mnuExpertD, initCaptions[i], qPrintable(QString("mnuExpInit%1").arg(i)));

  mnuHelp = menuBar()->addMenu("도움말(&H)");
  mnuHelp->setObjectName("mnuHelp");
  mnuDocument = add(mnuHelp, "사용설명서", "mnuDocument", QKeySequence(Qt::Key_F1));
  mnuAbout = add(mnuHelp, QString(), "mnuAbout", QKeySequence("Ctrl+A"));

  mnuPD = menuBar()->addMenu("Pulldown");
  mnuPD->setObjectName("mnuPD");
  mnuPD->menuAction()->setVisible(false);
  WireGeneralSwap(*this);
  mnuCityPos = menuBar()->addMenu("정의된신도시좌표");
  mnuCityPos->setObjectName("mnuCityPos");
  mnuCityPos->menuAction()->setVisible(false);

  connect(mnuLoad[0], &QAction::triggered, this, [this] { LoadCommand(0); });
  connect(mnuLoad[1], &QAction::triggered, this, [this] { LoadCommand(1); });
  for (int i = 0; i < 3; ++i) connect(mnuLoadC[i], &QAction::triggered, this, [this, i] { CustomLoadCommand(i); });
  connect(mnuSave, &QAction::triggered, this, &MainWindow::SaveCommand);
  connect(mnuEnd, &QAction::triggered, this, &QWidget::close);
  connect(mnuUnit, &QAction::triggered, this, &MainWindow::UnitResetCommand);
  connect(mnuDocument, &QAction::triggered, this, &MainWindow::DocumentCommand);
  connect(mnuAbout, &QAction::triggered, this, [this] {
    AboutBox about(this);
    about.exec();
  });
  connect(mnu열전, &QAction::triggered, this, [this] { ShowForm("frm열전편집", this); });
  connect(mnu혈연, &QAction::triggered, this, [this] { ShowForm("frm혈연", this); });
  connect(mnuYear, &QAction::triggered, this, [this] { ShowForm("frmYearChange", this); });
  connect(mnuEvent, &QAction::triggered, this, [this] { ShowForm("frmEvent", this); });
  // The scenario tools open through their window names; a window shared by several entries is
  // told which one was chosen.
  for (int i = 0; i < 3; ++i)
    connect(mnuExpert[i], &QAction::triggered, this, [this, i] { ShowForm("frmSetting", this, {.mode = i}); });
  connect(mnuExpertE, &QAction::triggered, this, [this] { ShowForm("mnuExpertE", this); });
  for (int i = 0; i < 4; ++i)
    connect(mnuExpInit[i], &QAction::triggered, this, [this, i] { ShowForm("mnuExpInit", this, {.mode = i}); });
  for (int i = 0; i < 6; ++i)
    connect(mnuStat[i], &QAction::triggered, this, [this, i] { ShowForm("mnuStat", this, {.mode = i}); });
  // Mode 2 is the whole editor; the create-city dialog opens it in mode 1 to choose a new city's site.
  connect(mnuMapEdit, &QAction::triggered, this, [this] { ShowForm("frmMapEdit", this, {.mode = 2}); });
}

void MainWindow::FormLoad() {
  gAppPath = WithTrailingSeparator(S(QCoreApplication::applicationDirPath()));
  TabMouseDown = false;
  gDataChanged = false;
  StatusBarView->setPanelText(2, "선택된 파일 없음");
  // Seeded from the clock like the game's own editors; nothing needs a reproducible sequence.
  std::srand(unsigned(QTime::currentTime().msecsSinceStartOfDay() / 1000));
  mnuAbout->setText(Q(kMsgTitleSpaced) + " 정보");
  setWindowTitle(Q(kMsgTitleSpaced));
  BuildCityPlaceMenus(mnuCityPos);
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
  const QString hint = StatusBarView->panelText(1);
  if (LoadGameFile(S(path), customLoad)) {
    ShowLoadedFile(customLoad);
  } else {
    StatusBarView->setPanelText(1, hint);
  }
}

void MainWindow::ShowLoadedFile(bool customLoad) {
  const bool save = IsSaveFile();
  mnuSave->setEnabled(true);
  mnuExpertm->menuAction()->setEnabled(false);
  // A save file carries its own map and has no biographies or start year to edit; the event
  // flags are the Korean save's alone.
  mnuMapEdit->setEnabled(true);
  mnu혈연->setEnabled(true);
  mnuYear->setEnabled(!save);
  mnu열전->setEnabled(!save && gBiographyFound);
  mnuEvent->setEnabled(gFileKind == kSaveKr);
  const std::string shown = ToUpperAscii(NameOf(gCurrentFile));
  SetStatus(1, "");
  SetStatus(2, customLoad ? "[" + shown + "]" : shown);
  SetStatus(3, "");
  ReSize();
}

bool MainWindow::RunSave() {
  if (!SaveGameFile()) return false;
  SetStatus(1, "");
  SetStatus(3, "");
  return true;
}

void MainWindow::LoadCommand(int index) {
  if (!AskSaveBeforeLoad()) return;
  OpenFileRequest req;
  req.filter = index == 0 ? "시나리오 파일 (scedat?.rn)|scedat?.rn" : "세이브 파일 (user*.rn)|user*.rn";
  req.title = "데이터 파일 읽기";
  req.initialDir = LastLoadDir;
  QString path = Dialogs().OpenFile(this, req);
  if (path.isEmpty()) return;
  LastLoadDir = Q(DirOf(S(path)));
  RunLoad(path, false);
}

void MainWindow::CustomLoadCommand(int index) {
  if (index == 2) {
    OpenFileRequest req{"*.exe|*.exe", "실행파일 경로 검색", QString()};
    QString path = Dialogs().OpenFile(this, req);
    if (path.isEmpty() || !FileExists(S(path))) return;
    if (!EXEDataRead(S(path))) {
      ShowMessage("실행파일의 정보를 읽던 도중 문제가 발견되었습니다.");
      return;
    }
    gExeInfo.directory = DirOf(S(path));
    gExeInfo.path = S(path);
    mnuLoadC[0]->setEnabled(true);
    mnuLoadC[1]->setEnabled(true);
    mnuLoadC[2]->setChecked(true);
    return;
  }
  if (!AskSaveBeforeLoad()) return;
  const bool qv = gExeInfo.IsQVEdition();
  OpenFileRequest req;
  if (index == 0)
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

void MainWindow::SaveCommand() { RunSave(); }

void MainWindow::UnitResetCommand() {
  ResetUnitActions();
  Message("작업이 완료되었습니다.", MsgIcon::Information, MsgButtons::Ok, kMsgTitle);
  MarkDataChanged();
}

void MainWindow::DocumentCommand() { Dialogs().OpenTextFile(Q(gAppPath) + "readme.txt"); }

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
  SetStatus(1, hint);
  if (!status_) status_ = new ProgressWindow(this);
  status_->setWindowTitle(Q(caption));
  status_->lblStatus->setText(Q(label));
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

void MainWindow::SetStatus(int panel, const std::string& text) { StatusBarView->setPanelText(panel, Q(text)); }
std::string MainWindow::Status(int panel) const { return S(StatusBarView->panelText(panel)); }

void MainWindow::BuildMapCache() { garam::BuildMapCache(); }
void MainWindow::FillMainWindow() { garam::FillMainWindow(*this); }
void MainWindow::RefreshRow(EntityList list, int record) { RefreshListRow(List(list), list, record); }
void MainWindow::DataChanged() { SetStatus(3, "*"); }
void MainWindow::ReSize() { ReSizeMain(*this); }

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ReSize();
}

}  // namespace garam
