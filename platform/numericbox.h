// Numeric boxes: text boxes for numbers that take only digits typed one by one and bring their
// value into range when the user leaves them.
#pragma once

#include <QLineEdit>

namespace garam {

// The numeric value of a text the way the game's tools read it: leading digits with one decimal
// point, anything after them ignored ("12/3" is 12), 0 when there are none.
double NumericValue(const QString& text);
// The shortest decimal text of a value: no leading zeros, no trailing zeros or point ("12.5", "7").
QString DecimalText(double value);

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

  // At most this many characters can be typed (0: no limit). Text set by the program stays whole,
  // unlike QLineEdit::maxLength, which would cut a stored 1200 to "120".
  void setTypedLimit(int characters) { typedLimit_ = characters; }
  // Whole numbers only: no point can be typed, and leaving rounds half to even.
  void setWholeNumber(bool whole) { whole_ = whole; }
  // Leaving rewrites the text as the decimal form of the clamped value ("" becomes "0").
  void setNormalizeOnLeave(bool normalize) { normalize_ = normalize; }
  // The leave step: clamp (and rounding and rewriting, as chosen), then left(). OK handlers call it
  // for the box that had the focus last, as its focus-out may not have come yet.
  void Leave();

 signals:
  void gotFocus();  // owners write their status-bar hint here
  void left();      // after the leave step

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
  int typedLimit_ = 0;
  bool whole_ = false;
  bool normalize_ = false;
};

}  // namespace garam
