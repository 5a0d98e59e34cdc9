// The dialog services of the platform: message boxes, input box, open-file dialog, beep and
// showing a text file. All of them go through one injected service, so tests answer from a
// script and no test ever blocks on a modal window.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>

#include "data/host.h"

namespace garam {

struct OpenFileRequest {
  QString filter;      // "description|pattern" pairs, as the menus write them
  QString title;
  QString initialDir;  // empty: the dialog keeps the directory it was last given
};

class DialogService {
 public:
  virtual ~DialogService() = default;
  virtual MsgResult MessageBox(QWidget* owner, const QString& text, MsgIcon icon, MsgButtons buttons,
                               const QString& title) = 0;
  // nullopt when the user cancelled.
  virtual std::optional<QString> InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                          const QString& defaultText) = 0;
  // The chosen path, or empty when the user cancelled.
  virtual QString OpenFile(QWidget* owner, const OpenFileRequest& request) = 0;
  virtual void Beep() = 0;
  // Shows a text file to the user without waiting (the manual, the usage report).
  virtual void OpenTextFile(const QString& path) = 0;
  // Pops the menu up at a global position until it closes; the chosen item has run its handler
  // by then. nullptr when the menu was dismissed.
  virtual QAction* PopupMenu(QMenu* menu, QPoint globalPos) = 0;
};

// The real dialogs on Qt widgets.
class QtDialogService : public DialogService {
 public:
  MsgResult MessageBox(QWidget* owner, const QString& text, MsgIcon icon, MsgButtons buttons,
                       const QString& title) override;
  std::optional<QString> InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                  const QString& defaultText) override;
  QString OpenFile(QWidget* owner, const OpenFileRequest& request) override;
  void Beep() override;
  void OpenTextFile(const QString& path) override;
  QAction* PopupMenu(QMenu* menu, QPoint globalPos) override;

 private:
  QString lastDir_;  // the shared dialog remembers its initial directory between uses
};

DialogService& Dialogs();
// Installs a service (tests install their script); nullptr restores the real dialogs.
void SetDialogService(DialogService* service);

// Converts "desc|pattern|desc|pattern" into Qt's ";;"-separated name filters.
QString QtNameFilters(const QString& filter);

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

}  // namespace garam
