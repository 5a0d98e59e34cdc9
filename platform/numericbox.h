// Numeric boxes: text boxes for numbers that take only digits typed one by one and bring their
// value into range when the user leaves them.
#pragma once

#include <QLineEdit>

namespace garam {

// The numeric value of a text the way the game's tools read it: leading digits with one decimal
// point, anything after them ignored ("12/3" is 12), 0 when there are none.
double NumericValue(const QString& text);

class NumericBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit NumericBox(QWidget* parent = nullptr);

  void setRange(double minimum, double maximum);
  double minimum() const { return min_; }
  double maximum() const { return max_; }
  double value() const { return NumericValue(text()); }
  // Writes the bound back when the value lies outside the range; leaves an in-range text as typed.
  void Clamp();

 signals:
  void gotFocus();  // owners write their status-bar hint here

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void SetLocked(bool locked);
  double min_ = 0, max_ = 0;
  bool locked_ = false;
};

}  // namespace garam
