#include "platform/statusview.h"

namespace garam {

StatusView::StatusView(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(false);
  for (int i = 0; i < 3; ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QString("StatusPanel%1").arg(i + 1));
    labels_[i]->setFrameShape(QFrame::Panel);
    labels_[i]->setFrameShadow(QFrame::Sunken);
    labels_[i]->setIndent(3);
  }
  addWidget(labels_[0], 1);
  labels_[1]->setMinimumWidth(200);
  addWidget(labels_[1], 0);
  labels_[2]->setMinimumWidth(24);
  labels_[2]->setAlignment(Qt::AlignCenter);
  addWidget(labels_[2], 0);
}

void StatusView::setPanelText(int panel, const QString& text) {
  if (panel >= 1 && panel <= 3) labels_[panel - 1]->setText(text);
}

QString StatusView::panelText(int panel) const {
  return (panel >= 1 && panel <= 3) ? labels_[panel - 1]->text() : QString();
}

}  // namespace garam
