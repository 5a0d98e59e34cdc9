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
#include "ui/common/mainlink.h"
#include "ui/main/mainlists.h"

namespace garam {

class ProgressWindow;

// Installs itself as the data layer's host and as the link of the windows it opens, for as long
// as it lives.
class MainWindow : public QMainWindow, public DataHost, public MainControls, public MainWindowLink {
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
  using MainControls::List;
  ListView* List(EntityList list) override { return MainControls::List(int(list)); }
  void RefreshRow(EntityList list, int record) override;
  std::string ShownFileName() const override { return Status(2); }
  QLabel* PlayerCountryLabel() override { return lblT1[0]; }
  QLabel* PlayerKingLabel() override { return lblT1[1]; }
  QLineEdit* StartYearBox() override { return txtNum0; }
  QMenu* CityPlaceMenu() override { return mnuCityPos; }

  // Status bar panels 1 (hints), 2 (file name), 3 ("*").
  void SetStatus(int panel, const std::string& text);
  std::string Status(int panel) const;
  void ReSize();

  ProgressWindow* progressWindow() const { return status_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  void FormLoad();
  void RunLoad(const QString& path, bool customLoad);
  // A save and what the window shows after it; false when it failed.
  bool RunSave();
  // The menus and panels for the file just loaded.
  void ShowLoadedFile(bool customLoad);

  ProgressWindow* status_ = nullptr;
};

}  // namespace garam
