#include "ui/main/progress_window.h"

#include <QKeyEvent>
#include <QPainter>

#include "platform/twips.h"

namespace garam {

void ProgressBarShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  int w = int(width() * barWidthTwips / ProgressWindow::kFullWidthTwips);
  p.fillRect(QRect(0, 0, w, height()), QColor(0, 0, 160));
}

ProgressWindow::ProgressWindow(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("frmStatus");
  setWindowTitle("상황표시");
  setModal(false);
  setFixedSize(TwipsToPixels(4680), TwipsToPixels(1035));

  lblStatus = new QLabel(this);
  lblStatus->setObjectName("lblStatus");
  lblStatus->setGeometry(TwipsRect(120, 120, 4455, 255));
  QFont f("NanumGothicCoding");
  f.setPointSize(12);
  f.setBold(true);
  lblStatus->setFont(f);

  ProgressBar = new ProgressBarShape(this);
  ProgressBar->setObjectName("ProgressBar");
  ProgressBar->setGeometry(TwipsRect(150, 630, kFullWidthTwips, 225));

  lblProgress = new QLabel(this);
  lblProgress->setObjectName("lblProgress");
  lblProgress->setGeometry(TwipsRect(120, 600, 4455, 270));
  lblProgress->setAlignment(Qt::AlignCenter);
  lblProgress->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ProgressWindow::Progress(int percent) {
  ProgressBar->barWidthTwips = float(percent / 100.0 * kFullWidthTwips);
  lblProgress->setText(QString::number(percent) + "%");
  ProgressBar->update();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  // The window has no close box; only the reader or writer that showed it may take it away.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace garam
