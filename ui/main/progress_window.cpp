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

  statusLabel = new QLabel(this);
  statusLabel->setObjectName("statusLabel");
  statusLabel->setGeometry(TwipsRect(120, 120, 4455, 255));
  QFont f("NanumGothicCoding");
  f.setPointSize(12);
  f.setBold(true);
  statusLabel->setFont(f);

  bar = new ProgressBarShape(this);
  bar->setObjectName("progressBar");
  bar->setGeometry(TwipsRect(150, 630, kFullWidthTwips, 225));

  percentLabel = new QLabel(this);
  percentLabel->setObjectName("percentLabel");
  percentLabel->setGeometry(TwipsRect(120, 600, 4455, 270));
  percentLabel->setAlignment(Qt::AlignCenter);
  percentLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ProgressWindow::Progress(int percent) {
  bar->barWidthTwips = float(percent / 100.0 * kFullWidthTwips);
  percentLabel->setText(QString::number(percent) + "%");
  bar->update();
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
