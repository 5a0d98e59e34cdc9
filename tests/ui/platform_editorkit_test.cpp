// The editor kit: numeric boxes' leave forms, typed limits, name boxes, prefix combos, hints.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QVBoxLayout>

#include "platform/editorkit.h"
#include "platform/numericbox.h"
#include "tests/ui/scripted_dialogs.h"

namespace garam {
namespace {

// A shown, active dialog with a box to leave to, as the focus rules need a real window.
struct Window {
  QDialog dialog;
  QLineEdit* other;
  QStatusBar* bar;
  Window() {
    auto* layout = new QVBoxLayout(&dialog);
    other = new QLineEdit(&dialog);
    bar = new QStatusBar(&dialog);
    layout->addWidget(other);
    layout->addWidget(bar);
  }
  template <typename T>
  T* Add(T* w) {
    dialog.layout()->addWidget(w);
    return w;
  }
  void Show() {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
};

TEST(EditorKit, NumericBoxLeaveFormsAndTypedLimit) {
  Window win;
  auto* box = win.Add(new NumericBox);
  win.Show();
  struct Case {
    double min, max;
    bool whole;
    const char* typed;
    const char* after;
  };
  const Case cases[] = {
      {0, 65535, false, "", "0"},        {0, 65535, false, "007", "7"},     {0, 65535, false, "12.50", "12.5"},
      {0, 65535, false, "3/4", "3"},     {0, 50000, false, "65535", "50000"}, {1, 120, true, "12.5", "120"},
      {0, 120, true, "0", "0"},          {1, 2047, false, "0", "1"},
  };
  for (const Case& c : cases) {
    box->setRange(c.min, c.max);
    box->setWholeNumber(c.whole);
    box->setNormalizeOnLeave(true);
    box->setText("");
    box->setFocus();
    QTest::keyClicks(box, c.typed);  // the point is refused in a whole-number box
    win.other->setFocus();
    EXPECT_EQ(box->text(), c.after) << c.typed;
  }
  // Halves round to even when the program set the text.
  box->setRange(0, 100);
  box->setWholeNumber(true);
  for (auto [text, after] : {std::pair{"12.5", "12"}, {"13.5", "14"}}) {
    box->setText(text);
    box->Leave();
    EXPECT_EQ(box->text(), after);
  }

  // The typed limit stops keys, not text the program sets; a selection typed over makes room.
  box->setWholeNumber(false);
  box->setNormalizeOnLeave(false);
  box->setRange(501, 999);
  box->setTypedLimit(3);
  box->setText("1200");
  EXPECT_EQ(box->text(), "1200");
  box->Leave();
  EXPECT_EQ(box->text(), "999");
  box->setFocus();  // selects all
  QTest::keyClicks(box, "6123");
  EXPECT_EQ(box->text(), "612");
}

TEST(EditorKit, PrefixComboSettlesOnLeaving) {
  Window win;
  auto* combo = win.Add(new PrefixCombo);
  combo->addItems({"------", "청자기", "청자", "백자", "청자"});
  auto* ok = win.Add(new QPushButton("확인"));
  ok->setDefault(true);
  win.Show();
  int settles = 0;
  QObject::connect(combo, &PrefixCombo::settled, [&] { ++settles; });
  struct Case {
    int start;
    const char* typed;  // nullptr: left untouched
    int row;
    bool settled;
  };
  const Case cases[] = {
      {2, nullptr, 2, true},   // untouched: never a jump to an earlier prefix match
      {4, nullptr, 4, true},   // a duplicate keeps its own row
      {3, "청자", 2, true},    // an exact match beats an earlier prefix match
      {3, "청", 1, true},      // otherwise the first row that begins with the text
      {3, "-", 0, true},
      {3, "", 3, true},        // an empty text keeps the row held at focus
      {3, "금관", 3, false},   // nothing matches: the row held at focus comes back
  };
  for (const Case& c : cases) {
    combo->setRowQuietly(c.start);
    combo->setFocus();
    if (c.typed) {
      combo->lineEdit()->selectAll();
      combo->lineEdit()->insert(QString::fromUtf8(c.typed));
    }
    settles = 0;
    win.other->setFocus();
    EXPECT_EQ(combo->currentIndex(), c.row) << c.typed;
    EXPECT_EQ(combo->currentText(), combo->itemText(c.row)) << c.typed;
    EXPECT_EQ(settles, c.settled ? 1 : 0) << c.typed;
  }

  // Enter settles the text and still reaches the default button.
  int clicks = 0;
  QObject::connect(ok, &QPushButton::clicked, [&] { ++clicks; });
  combo->setFocus();
  combo->lineEdit()->selectAll();
  combo->lineEdit()->insert("백");
  ASSERT_EQ(QApplication::focusWidget(), combo);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(combo->currentIndex(), 3);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(combo->count(), 5);  // nothing inserted
}

TEST(EditorKit, NameBoxesClearReservedNamesAndHintsReachTheStatusBar) {
  test::ScriptedDialogs dialogs;
  Window win;
  auto* name = win.Add(new QLineEdit);
  AttachNameBox(name, 6);
  SetFocusHint(name, "이름 입력");
  SetFocusHint(win.other, "다른 칸");
  win.Show();
  for (auto [text, after] : {std::pair{"없음", ""}, {"------", ""}, {"-----", "-----"}, {"없음이", "없음이"}}) {
    name->setText(QString::fromUtf8(text));
    name->setFocus();
    EXPECT_EQ(win.bar->currentMessage(), "이름 입력");
    win.other->setFocus();
    EXPECT_EQ(name->text(), QString::fromUtf8(after)) << text;
    EXPECT_EQ(win.bar->currentMessage(), "다른 칸");
  }
}

// The focus a dialog gives its first control when it opens comes with the window's activation,
// as does the focus that returns each time the window is activated again.
TEST(EditorKit, HintOfTheOpeningFocusShowsButAReactivationChangesNothing) {
  Window win;
  auto* name = win.Add(new QLineEdit);
  SetFocusHint(win.other, "다른 칸");
  SetFocusHint(name, "이름 입력");
  // The platform activates a shown window; the focus comes when the activation is handled.
  auto activeIs = [](QWidget& w) { return QTest::qWaitFor([&] { return QApplication::activeWindow() == &w; }); };
  win.dialog.show();
  ASSERT_TRUE(activeIs(win.dialog));
  EXPECT_EQ(win.bar->currentMessage(), "다른 칸");
  name->setFocus();
  win.bar->showMessage("그대로");
  QDialog elsewhere;
  elsewhere.show();
  ASSERT_TRUE(activeIs(elsewhere));
  win.dialog.activateWindow();
  ASSERT_TRUE(activeIs(win.dialog));
  EXPECT_EQ(QApplication::focusWidget(), name);
  EXPECT_EQ(win.bar->currentMessage(), "그대로");
}

// Enter from any control lands on "확인" of the kit's row, whatever stands left of the stretch,
// and the tab chain and hints follow the lists they were given.
TEST(EditorKit, DialogPartsOkRowTabsAndHints) {
  Window win;
  const OkCancel buttons = MakeOkCancel(&win.dialog);
  const NameChoice king = MakeNameChoice(&win.dialog, "king", 110, "없음");
  auto* row = MakeButtonRow(buttons, {king.name, king.change});
  static_cast<QVBoxLayout*>(win.dialog.layout())->addLayout(row);
  ChainTabs({win.other, king.change, buttons.ok, buttons.cancel});
  SetOkCancelHints(buttons, "작성 완료");
  int okClicks = 0, cancelClicks = 0;
  QObject::connect(buttons.ok, &QPushButton::clicked, [&] { ++okClicks; });
  QObject::connect(buttons.cancel, &QPushButton::clicked, [&] { ++cancelClicks; });
  win.Show();
  win.other->setFocus();
  QTest::keyClick(win.other, Qt::Key_Return);
  EXPECT_EQ(std::pair(okClicks, cancelClicks), std::pair(1, 0));
  EXPECT_EQ(row->indexOf(buttons.ok), row->count() - 2);
  EXPECT_EQ(row->indexOf(buttons.cancel), row->count() - 1);
  EXPECT_EQ(std::pair(king.name->objectName(), king.change->objectName()), std::pair(QString("kingName"), QString("kingButton")));
  QStringList hints;
  for (QWidget* w = win.other; hints.size() < 3;) {
    w = w->nextInFocusChain();
    if (!(w->focusPolicy() & Qt::TabFocus)) continue;
    w->setFocus(Qt::TabFocusReason);
    hints << w->objectName() + ":" + win.bar->currentMessage();
  }
  EXPECT_EQ(hints, QStringList({"kingButton:", "okButton:작성 완료", "cancelButton:취소"}));
}

}  // namespace
}  // namespace garam
