// The main window: menus, status bar, tab pages, and the load, save and exit commands.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <array>
#include <map>
#include <memory>

#include "data/expert_sets.h"
#include "data/expert_tools.h"
#include "data/host.h"
#include "data/usage_report.h"
#include "platform/statusview.h"
#include "ui/common/mainlink.h"
#include "ui/main/mainlists.h"

namespace garam {

class ProgressWindow;

// The status bar's panels, numbered as the status view numbers them.
enum class StatusPanel { Hint = 1, FileName, ChangedMark };
// The file name panel until a load succeeds. The layout reads the panel back rather than the data
// state: a load switches to its header page, which lays the window out, before it has finished,
// when the state already names the new file (or, on a reload, says none is loaded) while the
// window still shows what the panel says.
inline constexpr char kNoFileShown[] = "선택된 파일 없음";

// Installs itself as the data layer's host and as the link of the windows it opens, for as long
// as it lives.
class MainWindow : public QMainWindow, public DataHost, public MainControls, public MainWindowLink {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Menus, named as the commands they carry.
  QMenu *fileMenu, *loadMenu, *customLoadMenu, *specialMenu, *statisticsMenu, *expertMenu, *helpMenu;
  QMenu *generalSwapMenu, *cityPlaceMenu;
  QAction *loadScenarioAction, *loadSaveAction;
  QAction *customLoadScenarioAction, *customLoadSaveAction, *exePathAction;
  QAction *saveAction, *exitAction, *biographyAction, *mapEditAction, *bloodRelationAction, *eventFlagsAction;
  QAction *yearChangeAction, *unitResetAction;
  QAction *manualAction, *aboutAction;
  QAction* generalSwapAction = nullptr;  // the one entry of generalSwapMenu
  std::array<QAction*, kUsageReportKinds> reportActions{};              // by UsageReportKind
  std::array<QAction*, int(ExpertMode::Transfer) + 1> expertActions{};  // by ExpertMode
  std::array<QAction*, int(MapLayer::SeaRoad) + 1> layerResetActions{};  // by MapLayer
  QMenu* dataInitMenu;
  QAction* exeInfoAction;

  StatusView* StatusBarView;
  QTabWidget* TabStrip;
  bool TabMouseDown = false;
  QString LastLoadDir;

  // What a load command opens: a data file of either family, or (custom load only) the game's
  // executable, whose tables and edition the custom load then follows.
  enum class FileChoice { Scenario, Save, Executable };

  // Menu commands; the menus call these, tests may too.
  void LoadCommand(FileChoice file);  // a scenario or a save file
  void CustomLoadCommand(FileChoice file);
  void SaveCommand();
  void UnitResetCommand();
  void DocumentCommand();
  void AboutCommand();
  // The save question before a load: false when the load must stop (Cancel, or a failed save).
  bool AskSaveBeforeLoad();
  // The exit prompt; false keeps the window open.
  bool ConfirmExit();

  // DataHost
  MsgResult Message(const std::string& text, MsgIcon icon, MsgButtons buttons, const std::string& title) override;
  void ProgressShow(const std::string& caption, const std::string& label, const std::string& hint) override;
  void Progress(int percent) override;
  void ProgressPaint() override;
  bool ProgressVisible() const override;
  void ProgressClose() override;
  void DataChanged() override;
  void BuildMapCache() override;
  void FillMainWindow() override;

  // MainWindowLink
  QWidget* Window() override { return this; }
  ListView* List(EntityList list) override { return ListOf(list); }
  void RefreshRows(EntityList list, const std::vector<int>& records) override;
  std::string ShownFileName() const override { return Status(StatusPanel::FileName); }
  QLabel* PlayerCountryLabel() override { return playerCountry; }
  QLabel* PlayerKingLabel() override { return playerKing; }
  QLineEdit* StartYearBox() override { return startYear; }
  QMenu* CityPlaceMenu() override { return cityPlaceMenu; }

  // The file name panel shows the loaded file's name, the changed mark panel "*" while there are
  // unsaved changes.
  void SetStatus(StatusPanel panel, const std::string& text);
  std::string Status(StatusPanel panel) const;
  void ReSize();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  void BuildFileMenu();
  void BuildSpecialMenu();
  void BuildStatisticsMenu();
  void BuildExpertMenu();
  void BuildHelpMenu();
  void BuildPopupMenus();
  static QAction* AddEntry(QMenu* menu, const QString& caption, const char* name, const QKeySequence& key = {});
  void ChooseExecutable();
  void FormLoad();
  void RunLoad(const QString& path, bool customLoad);
  // A save and what the window shows after it; false when it failed.
  bool RunSave();
  // The menus and panels for the file just loaded.
  void ShowLoadedFile(bool customLoad);

  ProgressWindow* status_ = nullptr;
};

}  // namespace garam
