#include "tools/biography_editor.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/message.h"
#include "platform/dialogs.h"
#include "platform/textguard.h"
#include "platform/twips.h"

namespace garam {
namespace {

constexpr int kEntries = kBiographiesKr;
constexpr long long kSeparatorBytes = 3LL * kEntries;
// The hold only needs to catch the focus coming back to the dialog; a user never sees this lag.
constexpr int kHoldIntervalMs = 200;
const QColor kHoldOffColor(255, 255, 0);

int EntryCount() {
  return int(std::min({gData.gBiographyNames.size(), gData.gBiographyTexts.size(), std::size_t(kEntries)}));
}

// The filler behind the last entry: the message writer keeps it up to its last non-blank byte, so
// that part is room the entries cannot have.
long long FillerBytes(const std::vector<std::string>& entries) {
  if (entries.size() <= std::size_t(kEntries)) return 0;
  std::string filler = JoinEntries({entries.begin() + kEntries, entries.end()});
  const std::size_t end = filler.find_last_not_of(' ');
  return end == std::string::npos ? 0 : static_cast<long long>(end + 1);
}

QString Shown(const std::string& cp949) { return Q(Cp949ToUtf8(cp949)).replace("\r\n", "\n"); }

// The stored bytes of what the box shows: the entry's own bytes while its text is unchanged, so
// bytes that do not decode survive.
std::string Stored(const QString& box, const std::string& before) {
  if (box == Shown(before)) return before;
  QString text = box;
  text.replace('\n', "\r\n");
  return Utf8ToCp949(S(text)).value_or(before);
}

int ControlCharacters(const QString& s) {
  return int(std::count_if(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x20; }));
}

long long Signed(std::size_t n) { return static_cast<long long>(n); }

}  // namespace

BiographyEditor::BiographyEditor(QWidget* owner) : QDialog(owner) {
  setObjectName("frm열전편집");
  setWindowTitle("열전 편집");
  if (owner) setWindowIcon(owner->windowIcon());
  setFixedSize(TwipsToPixels(5880), TwipsToPixels(5100));

  lblNo = new QLabel(this);
  lblNo->setObjectName("lblNo");
  lblNo->setGeometry(TwipsRect(120, 150, 720, 300));
  lblNo->setAlignment(Qt::AlignCenter);
  lblNo->setAutoFillBackground(true);
  lblNo->installEventFilter(this);
  Combo = new QComboBox(this);
  Combo->setObjectName("Combo");
  Combo->setGeometry(TwipsRect(960, 120, 3600, 360));
  Combo->setMaxVisibleItems(20);
  cmdSearch = new QPushButton("검색", this);
  cmdSearch->setObjectName("cmdSearch");
  cmdSearch->setGeometry(TwipsRect(4680, 100, 1080, 400));
  // The search is used with the mouse; keyboard focus passes over it.
  cmdSearch->setFocusPolicy(Qt::NoFocus);
  cmdSearch->installEventFilter(this);

  const char* captions[4] = {"이름 여분공간:", "내용 여분공간:", "bytes", "bytes"};
  for (int i = 0; i < 4; ++i) {
    lblT[i] = new QLabel(captions[i], this);
    lblT[i]->setObjectName("lblT");
    lblT[i]->setProperty("Index", i);
    lblT[i]->setGeometry(TwipsRect(i < 2 ? 120 : 2640, 660 + 1080 * (i % 2), i < 2 ? 1500 : 900, 300));
  }
  for (int i = 0; i < 2; ++i) {
    lblSize[i] = new QLabel(this);
    lblSize[i]->setObjectName("lblSize");
    lblSize[i]->setProperty("Index", i);
    lblSize[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSize[i]->setGeometry(TwipsRect(1620, 660 + 1080 * i, 900, 300));
  }
  txt이름 = new QLineEdit(this);
  txt이름->setObjectName("txt이름");
  txt이름->setGeometry(TwipsRect(120, 990, 5640, 330));
  txt내용 = new QPlainTextEdit(this);
  txt내용->setObjectName("txt내용");
  txt내용->setGeometry(TwipsRect(120, 2070, 5640, 2280));
  txt내용->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txt내용->setTabChangesFocus(true);
  const char* buttons[2] = {"적용", "종료"};
  for (int i = 0; i < 2; ++i) {
    cmd열전[i] = new QPushButton(buttons[i], this);
    cmd열전[i]->setObjectName("cmd열전");
    cmd열전[i]->setProperty("Index", i);
    cmd열전[i]->setAutoDefault(false);
    cmd열전[i]->setGeometry(TwipsRect(3240 + 1320 * i, 4500, 1200, 420));
  }
  cmdSearch->setAutoDefault(false);
  for (QWidget* w : std::initializer_list<QWidget*>{Combo, txt이름, txt내용, cmd열전[0], cmd열전[1]})
    w->installEventFilter(this);
  setTabOrder(Combo, txt이름);
  setTabOrder(txt이름, txt내용);
  setTabOrder(txt내용, cmd열전[0]);
  setTabOrder(cmd열전[0], cmd열전[1]);

  Timer1 = new QTimer(this);
  Timer1->setInterval(kHoldIntervalMs);
  connect(Timer1, &QTimer::timeout, this, &BiographyEditor::HoldTick);

  // The control-character check runs before the byte guard, so the guard only ever sees a text
  // that has been accepted.
  connect(txt이름, &QLineEdit::textChanged, this, [this] { BoxChanged(txt이름); });
  connect(txt내용, &QPlainTextEdit::textChanged, this, [this] { BoxChanged(txt내용); });
  AttachTextByteGuard(txt이름, int(gBiographyNameMax));
  AttachTextByteGuard(txt내용, int(gBiographyTextMax));
  connect(cmd열전[0], &QPushButton::clicked, this, &BiographyEditor::Apply);
  connect(cmd열전[1], &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdSearch, &QPushButton::clicked, this, &BiographyEditor::Search);

  nameRoom_ = static_cast<long long>(gBiographyNameBlockSize) - kSeparatorBytes - FillerBytes(gData.gBiographyNames);
  textRoom_ = static_cast<long long>(gBiographyTextBlockSize) - kSeparatorBytes - FillerBytes(gData.gBiographyTexts);
  lblSize[0]->setText(QString::number(FreeNameBytes()));
  lblSize[1]->setText(QString::number(FreeTextBytes()));
  {
    const QSignalBlocker block(Combo);
    for (int i = 0; i < EntryCount(); ++i) Combo->addItem(Shown(gData.gBiographyNames[std::size_t(i)]));
  }
  connect(Combo, &QComboBox::currentIndexChanged, this, &BiographyEditor::ShowEntry);
  if (EntryCount() > 0) ShowEntry(0);
  SetHold(false);
}

long long BiographyEditor::FreeNameBytes() const { return nameRoom_ - Signed(gData.gBiographyBytesUsed[1]); }
long long BiographyEditor::FreeTextBytes() const { return textRoom_ - Signed(gData.gBiographyBytesUsed[0]); }

void BiographyEditor::ShowEntry(int index) {
  if (index < 0 || index >= EntryCount()) return;
  {
    // Loading is no typing: neither the byte guard nor the labels follow it.
    const QSignalBlocker a(txt이름), b(txt내용);
    txt이름->setText(Shown(gData.gBiographyNames[std::size_t(index)]));
    txt내용->setPlainText(Shown(gData.gBiographyTexts[std::size_t(index)]));
  }
  lastName_ = txt이름->text();
  lastText_ = txt내용->toPlainText();
  SetLimits();
  lblNo->setText(QString::number(index));
}

void BiographyEditor::SetLimits() {
  const std::size_t i = std::size_t(Combo->currentIndex());
  auto limit = [](long long free, std::size_t stored, std::size_t maximum) {
    return int(std::clamp(free + Signed(stored), 0LL, static_cast<long long>(maximum)));
  };
  SetByteMaxLength(txt이름, limit(FreeNameBytes(), gData.gBiographyNames[i].size(), gBiographyNameMax));
  SetByteMaxLength(txt내용, limit(FreeTextBytes(), gData.gBiographyTexts[i].size(), gBiographyTextMax));
}

void BiographyEditor::BoxChanged(QWidget* box) {
  const int i = Combo->currentIndex();
  if (i < 0 || i >= EntryCount()) return;
  const bool name = box == txt이름;
  const QString now = name ? txt이름->text() : txt내용->toPlainText();
  QString& last = name ? lastName_ : lastText_;
  // A pasted control character would become part of the entry, and three bytes of value 5 are
  // the areas' separator: every later entry would shift on the next load.
  if (ControlCharacters(now) > ControlCharacters(last)) {
    Dialogs().Beep();
    const QSignalBlocker block(box);
    if (name) {
      txt이름->setText(last);
    } else {
      txt내용->setPlainText(last);
      txt내용->moveCursor(QTextCursor::End);
    }
    return;
  }
  last = now;
  const int length = TextByteLength(box).value_or(0);
  if (name)
    lblSize[0]->setText(QString::number(FreeNameBytes() + Signed(gData.gBiographyNames[std::size_t(i)].size()) - length));
  else
    lblSize[1]->setText(QString::number(FreeTextBytes() + Signed(gData.gBiographyTexts[std::size_t(i)].size()) - length));
}

void BiographyEditor::Apply() {
  const int i = Combo->currentIndex();
  if (i < 0 || i >= EntryCount()) return;
  std::string& name = gData.gBiographyNames[std::size_t(i)];
  std::string& text = gData.gBiographyTexts[std::size_t(i)];
  const std::string newName = Stored(txt이름->text(), name), newText = Stored(txt내용->toPlainText(), text);
  auto retotal = [](std::size_t& total, const std::string& before, const std::string& after) {
    total = std::size_t(std::max(0LL, Signed(total) - Signed(before.size()) + Signed(after.size())));
  };
  retotal(gData.gBiographyBytesUsed[0], text, newText);
  retotal(gData.gBiographyBytesUsed[1], name, newName);
  lblSize[0]->setText(QString::number(FreeNameBytes()));
  lblSize[1]->setText(QString::number(FreeTextBytes()));
  name = newName;
  text = newText;
  Combo->setItemText(i, Shown(name));
  MarkDataChanged();
}

void BiographyEditor::Search() {
  const std::optional<QString> word = Dialogs().InputBox(this, "검색할 단어를 입력하세요.", "열전 검색", QString());
  if (!word || word->isEmpty()) {
    FocusControl(std::abs(focusId_));
    return;
  }
  const int s = std::max(0, Combo->currentIndex()), n = EntryCount();
  int hit = -1;
  for (const auto* entries : {&gData.gBiographyNames, &gData.gBiographyTexts}) {
    for (int k = 0; k < n && hit < 0; ++k) {
      const int i = (s + k) % n;
      if (Shown((*entries)[std::size_t(i)]).contains(*word)) hit = i;
    }
    if (hit >= 0) break;
  }
  if (hit >= 0) Combo->setCurrentIndex(hit);
  else Dialogs().MessageBox(this, "검색에 실패 했습니다.", MsgIcon::None, MsgButtons::Ok, Q(kMsgTitle));
  FocusControl(1);
}

void BiographyEditor::FocusControl(int id) {
  QWidget* controls[5] = {Combo, txt이름, txt내용, cmd열전[0], cmd열전[1]};
  if (id >= 1 && id <= 5 && !controls[id - 1]->hasFocus()) controls[id - 1]->setFocus(Qt::OtherFocusReason);
}

void BiographyEditor::SetHold(bool on) {
  holdOn_ = on;
  QPalette p = palette();
  if (!on) p.setColor(QPalette::Window, kHoldOffColor);
  lblNo->setPalette(p);
}

void BiographyEditor::HoldTick() {
  // While a question of the search is open the dialog is not the active window: the hold waits.
  if (holdOn_ && isActiveWindow()) FocusControl(std::abs(focusId_));
}

bool BiographyEditor::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn: {
      QWidget* controls[5] = {Combo, txt이름, txt내용, cmd열전[0], cmd열전[1]};
      for (int id = 1; id <= 5; ++id)
        if (watched == controls[id - 1]) focusId_ = id;
      if (watched == Combo) Timer1->start();
      break;
    }
    case QEvent::KeyPress:
      if (watched == txt내용) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
      }
      break;
    case QEvent::MouseButtonPress:
      if (watched == cmdSearch) {
        focusId_ = -std::abs(focusId_);
        Timer1->stop();
      } else if (watched == lblNo) {
        SetHold(!holdOn_);
      }
      break;
    case QEvent::MouseButtonRelease:
      if (watched == cmdSearch) Timer1->start();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace garam
