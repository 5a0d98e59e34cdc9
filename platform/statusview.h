// The status bar with its three panels: hints, the loaded file's name, and "*" while there are
// unsaved changes. The panel texts are state the program reads back; the labels mirror them.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <array>

namespace garam {

class StatusView : public QStatusBar {
  Q_OBJECT
 public:
  explicit StatusView(QWidget* parent = nullptr);
  // Panels are numbered 1 to 3.
  void setPanelText(int panel, const QString& text);
  QString panelText(int panel) const;

 private:
  std::array<QLabel*, 3> labels_{};
};

}  // namespace garam
