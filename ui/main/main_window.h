// The main window: menus, status bar, tab pages, and the load, save and exit commands.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <array>
#include <map>
#include <memory>

#include "data/host.h"
#include "platform/statusview.h"
#include "ui/main/mainlists.h"

namespace garam {

class ProgressWindow;

class MainWindow : public QMainWindow, public DataHost, public MainControls {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Menus, named as the commands they carry.
  QMenu *mnuFile, *mnuLD, *mnuLDC, *mnu특수, *mnuStatistics, *mnuExpertm, *mnuHelp, *mnuPD, *mnuCityPos;
  std::array<QAction*, 2> mnuLoad{};
  std::array<QAction*, 3> mnuLoadC{};
  QAction *mnuSave, *mnuEnd, *mnu열전, *mnuMapEdit, *mnu혈연, *mnuEvent, *mnuYear, *mnuUnit;
  QAction *mnuDocument, *mnuAbout;
  QAction* mnuPulldown = nullptr;  // the one entry of mnuPD
  std::array<QAction*, 6> mnuStat{};
  std::array<QAction*, 3> mnuExpert{};
  std::array<QAction*, 4> mnuExpInit{};
  QMenu* mnuExpertD;
  QAction* mnuExpertE;

  StatusView* StatusBarView;
  QTabWidget* TabStrip;
  bool TabMouseDown = false;
  QString LastLoadDir;

  // Menu commands; the menus call these, tests may too.
  void LoadCommand(int index);        // mnuLoad(index)
  void CustomLoadCommand(int index);  // mnuLoadC(index)
  void SaveCommand();
  void UnitResetCommand();
  void DocumentCommand();
  // The save question before a load: false when the load must stop (Cancel, or a failed save).
  bool AskSaveBeforeLoad();
  // The exit prompt; false keeps the window open.
  bool ConfirmExit();

  // DataHost
  MsgResult Message(const std::string& text, MsgIcon icon, MsgButtons buttons, const std::string& title) override;
  void ProgressShow(const std::string& caption, const std::string& label) override;
  void Progress(int percent) override;
  void ProgressPaint() override;
  bool ProgressVisible() const override;
  void ProgressClose() override;
  void SetStatus(int panel, const std::string& text) override;
  std::string Status(int panel) const override;
  void SetMenuEnabled(MenuId id, bool enabled) override;
  bool MenuEnabled(MenuId id) const override;
  void SetMenuVisible(MenuId id, bool visible) override;
  bool MenuVisible(MenuId id) const override;
  void BuildMapCache() override;
  void FillMainWindow(bool sequential) override;
  void ReSize() override;

  ProgressWindow* progressWindow() const { return status_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  void FormLoad();
  QAction* Action(MenuId id) const;
  void RunLoad(const QString& path, bool customLoad);

  ProgressWindow* status_ = nullptr;
  std::map<MenuId, QAction*> menuActions_;
};

}  // namespace garam
