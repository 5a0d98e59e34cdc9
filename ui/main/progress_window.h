// The progress window: a status line and a percentage bar, modeless, shown by the readers and
// writers while they work.
#pragma once

#include <QDialog>
#include <QLabel>

namespace garam {

class ProgressBarShape : public QWidget {
 public:
  using QWidget::QWidget;
  float barWidthTwips = 0;  // 0 to 4410; may hold a fraction of a twip (5 % is 220.5)

 protected:
  void paintEvent(QPaintEvent*) override;
};

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* owner);
  // Sets the bar to percent of its full width and the label to the percentage.
  void Progress(int percent);

  QLabel* statusLabel;
  QLabel* percentLabel;
  ProgressBarShape* bar;

  static constexpr double kFullWidthTwips = 4410;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace garam
