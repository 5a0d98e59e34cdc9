#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/textviewer.h"

namespace garam {
namespace {

QtDialogService gQtDialogs;
DialogService* gDialogs = &gQtDialogs;

}  // namespace

DialogService& Dialogs() { return *gDialogs; }
void SetDialogService(DialogService* service) { gDialogs = service ? service : &gQtDialogs; }

QString QtNameFilters(const QString& filter) {
  QStringList parts = filter.split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString desc = parts[i];
    QString pattern = parts[i + 1];
    pattern.replace(';', ' ');
    // Qt reads the patterns from the parentheses; keep the description when it already has them.
    out << (desc.contains('(') ? desc.section('(', 0, 0).trimmed() + " (" + pattern + ")" : desc + " (" + pattern + ")");
  }
  return out.join(";;");
}

MsgResult QtDialogService::MessageBox(QWidget* owner, const QString& text, MsgIcon icon, MsgButtons buttons,
                                      const QString& title) {
  QMessageBox box(owner);
  box.setWindowTitle(title);
  box.setText(text);
  switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
  }
  switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
  }
}

std::optional<QString> QtDialogService::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                                 const QString& defaultText) {
  bool ok = false;
  QString text = QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, defaultText, &ok);
  if (!ok) return std::nullopt;
  return text;
}

QString QtDialogService::OpenFile(QWidget* owner, const OpenFileRequest& request) {
  if (!request.initialDir.isEmpty()) lastDir_ = request.initialDir;
  QFileDialog dialog(owner, request.title, lastDir_, QtNameFilters(request.filter));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ReadOnly);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void QtDialogService::Beep() { QApplication::beep(); }

QAction* QtDialogService::PopupMenu(QMenu* menu, QPoint globalPos) { return menu->exec(globalPos); }

void QtDialogService::OpenTextFile(const QString& path) {
  auto* viewer = new TextViewer(path, QApplication::activeWindow());
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  if (!viewer->ok()) {
    delete viewer;
    Dialogs().MessageBox(QApplication::activeWindow(), QFileInfo(path).fileName() + " 파일을 열 수 없습니다.",
               MsgIcon::Exclamation, MsgButtons::Ok, Q(kMsgTitle));
    return;
  }
  // Shown beside the editor, not waited for, as the game's tools opened their text files.
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}

}  // namespace garam
