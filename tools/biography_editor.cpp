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

  BuildControls();
  WireControls();
  ShowEntries();
  SetHold(false);
}

void BiographyEditor::BuildControls() {
  BuildEntryRow();
  BuildRoomLabels();
  BuildBoxes();
  BuildButtons();
  searchButton->setAutoDefault(false);
  for (HeldControl c : kHeldControls) ControlOf(c)->installEventFilter(this);
  setTabOrder(entryCombo, nameBox);
  setTabOrder(nameBox, textBox);
  setTabOrder(textBox, applyButton);
  setTabOrder(applyButton, closeButton);
}

void BiographyEditor::BuildEntryRow() {
  entryNumber = new QLabel(this);
  entryNumber->setObjectName("entryNumber");
  entryNumber->setGeometry(TwipsRect(120, 150, 720, 300));
  entryNumber->setAlignment(Qt::AlignCenter);
  entryNumber->setAutoFillBackground(true);
  entryNumber->installEventFilter(this);
  entryCombo = new QComboBox(this);
  entryCombo->setObjectName("entryCombo");
  entryCombo->setGeometry(TwipsRect(960, 120, 3600, 360));
  entryCombo->setMaxVisibleItems(20);
  searchButton = new QPushButton("검색", this);
  searchButton->setObjectName("searchButton");
  searchButton->setGeometry(TwipsRect(4680, 100, 1080, 400));
  // The search is used with the mouse; keyboard focus passes over it.
  searchButton->setFocusPolicy(Qt::NoFocus);
  searchButton->installEventFilter(this);
}

// The free room of each area: a caption, the free bytes and their unit, names above texts.
void BiographyEditor::BuildRoomLabels() {
  struct Caption {
    const char* text;
    const char* name;
  };
  const Caption captions[4] = {{"이름 여분공간:", "nameRoomCaption"},
                               {"내용 여분공간:", "textRoomCaption"},
                               {"bytes", "nameRoomUnit"},
                               {"bytes", "textRoomUnit"}};
  for (int i = 0; i < 4; ++i) {
    roomCaptions[i] = new QLabel(captions[i].text, this);
    roomCaptions[i]->setObjectName(captions[i].name);
    roomCaptions[i]->setGeometry(TwipsRect(i < 2 ? 120 : 2640, 660 + 1080 * (i % 2), i < 2 ? 1500 : 900, 300));
  }
  QLabel** freeLabels[2] = {&freeNameLabel, &freeTextLabel};
  const char* freeNames[2] = {"freeNameBytes", "freeTextBytes"};
  for (int i = 0; i < 2; ++i) {
    QLabel* label = *freeLabels[i] = new QLabel(this);
    label->setObjectName(freeNames[i]);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(TwipsRect(1620, 660 + 1080 * i, 900, 300));
  }
}

void BiographyEditor::BuildBoxes() {
  nameBox = new QLineEdit(this);
  nameBox->setObjectName("nameBox");
  nameBox->setGeometry(TwipsRect(120, 990, 5640, 330));
  textBox = new QPlainTextEdit(this);
  textBox->setObjectName("textBox");
  textBox->setGeometry(TwipsRect(120, 2070, 5640, 2280));
  textBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  textBox->setTabChangesFocus(true);
}

void BiographyEditor::BuildButtons() {
  struct Button {
    QPushButton** button;
    const char* caption;
    const char* name;
  };
  const Button buttons[2] = {{&applyButton, "적용", "applyButton"}, {&closeButton, "종료", "closeButton"}};
  for (int i = 0; i < 2; ++i) {
    QPushButton* b = *buttons[i].button = new QPushButton(buttons[i].caption, this);
    b->setObjectName(buttons[i].name);
    b->setAutoDefault(false);
    b->setGeometry(TwipsRect(3240 + 1320 * i, 4500, 1200, 420));
  }
}

QWidget* BiographyEditor::ControlOf(HeldControl control) const {
  switch (control) {
    case HeldControl::Entry: return entryCombo;
    case HeldControl::Name: return nameBox;
    case HeldControl::Text: return textBox;
    case HeldControl::Apply: return applyButton;
    case HeldControl::Close: return closeButton;
    case HeldControl::None: break;
  }
  return nullptr;
}

void BiographyEditor::WireControls() {
  holdTimer = new QTimer(this);
  holdTimer->setInterval(kHoldIntervalMs);
  connect(holdTimer, &QTimer::timeout, this, &BiographyEditor::HoldTick);

  // The control-character check runs before the byte guard, so the guard only ever sees a text
  // that has been accepted.
  connect(nameBox, &QLineEdit::textChanged, this, [this] { BoxChanged(nameBox); });
  connect(textBox, &QPlainTextEdit::textChanged, this, [this] { BoxChanged(textBox); });
  AttachTextByteGuard(nameBox, int(gBiographyNameMax));
  AttachTextByteGuard(textBox, int(gBiographyTextMax));
  connect(applyButton, &QPushButton::clicked, this, &BiographyEditor::Apply);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(searchButton, &QPushButton::clicked, this, &BiographyEditor::Search);
}

// The room of the two areas and the list of entries, from the data set as loaded.
void BiographyEditor::ShowEntries() {
  nameRoom_ = static_cast<long long>(gBiographyNameBlockSize) - kSeparatorBytes - FillerBytes(gData.gBiographyNames);
  textRoom_ = static_cast<long long>(gBiographyTextBlockSize) - kSeparatorBytes - FillerBytes(gData.gBiographyTexts);
  freeNameLabel->setText(QString::number(FreeNameBytes()));
  freeTextLabel->setText(QString::number(FreeTextBytes()));
  {
    const QSignalBlocker block(entryCombo);
    for (int i = 0; i < EntryCount(); ++i) entryCombo->addItem(Shown(gData.gBiographyNames[std::size_t(i)]));
  }
  connect(entryCombo, &QComboBox::currentIndexChanged, this, &BiographyEditor::ShowEntry);
  if (EntryCount() > 0) ShowEntry(0);
}

long long BiographyEditor::FreeNameBytes() const { return nameRoom_ - Signed(gData.gBiographyBytesUsed[1]); }
long long BiographyEditor::FreeTextBytes() const { return textRoom_ - Signed(gData.gBiographyBytesUsed[0]); }

void BiographyEditor::ShowEntry(int index) {
  if (index < 0 || index >= EntryCount()) return;
  {
    // Loading is no typing: neither the byte guard nor the labels follow it.
    const QSignalBlocker a(nameBox), b(textBox);
    nameBox->setText(Shown(gData.gBiographyNames[std::size_t(index)]));
    textBox->setPlainText(Shown(gData.gBiographyTexts[std::size_t(index)]));
  }
  lastName_ = nameBox->text();
  lastText_ = textBox->toPlainText();
  SetLimits();
  entryNumber->setText(QString::number(index));
}

void BiographyEditor::SetLimits() {
  const std::size_t i = std::size_t(entryCombo->currentIndex());
  auto limit = [](long long free, std::size_t stored, std::size_t maximum) {
    return int(std::clamp(free + Signed(stored), 0LL, static_cast<long long>(maximum)));
  };
  SetByteMaxLength(nameBox, limit(FreeNameBytes(), gData.gBiographyNames[i].size(), gBiographyNameMax));
  SetByteMaxLength(textBox, limit(FreeTextBytes(), gData.gBiographyTexts[i].size(), gBiographyTextMax));
}

void BiographyEditor::BoxChanged(QWidget* box) {
  const int i = entryCombo->currentIndex();
  if (i < 0 || i >= EntryCount()) return;
  const bool name = box == nameBox;
  const QString now = name ? nameBox->text() : textBox->toPlainText();
  QString& last = name ? lastName_ : lastText_;
  // A pasted control character would become part of the entry, and three bytes of value 5 are
  // the areas' separator: every later entry would shift on the next load.
  if (ControlCharacters(now) > ControlCharacters(last)) {
    Dialogs().Beep();
    const QSignalBlocker block(box);
    if (name) {
      nameBox->setText(last);
    } else {
      textBox->setPlainText(last);
      textBox->moveCursor(QTextCursor::End);
    }
    return;
  }
  last = now;
  const int length = TextByteLength(box).value_or(0);
  if (name)
    freeNameLabel->setText(QString::number(FreeNameBytes() + Signed(gData.gBiographyNames[std::size_t(i)].size()) - length));
  else
    freeTextLabel->setText(QString::number(FreeTextBytes() + Signed(gData.gBiographyTexts[std::size_t(i)].size()) - length));
}

void BiographyEditor::Apply() {
  const int i = entryCombo->currentIndex();
  if (i < 0 || i >= EntryCount()) return;
  std::string& name = gData.gBiographyNames[std::size_t(i)];
  std::string& text = gData.gBiographyTexts[std::size_t(i)];
  const std::string newName = Stored(nameBox->text(), name), newText = Stored(textBox->toPlainText(), text);
  auto retotal = [](std::size_t& total, const std::string& before, const std::string& after) {
    total = std::size_t(std::max(0LL, Signed(total) - Signed(before.size()) + Signed(after.size())));
  };
  retotal(gData.gBiographyBytesUsed[0], text, newText);
  retotal(gData.gBiographyBytesUsed[1], name, newName);
  freeNameLabel->setText(QString::number(FreeNameBytes()));
  freeTextLabel->setText(QString::number(FreeTextBytes()));
  name = newName;
  text = newText;
  entryCombo->setItemText(i, Shown(name));
  MarkDataChanged();
}

void BiographyEditor::Search() {
  const std::optional<QString> word = Dialogs().InputBox(this, "검색할 단어를 입력하세요.", "열전 검색", QString());
  if (!word || word->isEmpty()) {
    FocusControl(focused_);
    return;
  }
  const int s = std::max(0, entryCombo->currentIndex()), n = EntryCount();
  int hit = -1;
  for (const auto* entries : {&gData.gBiographyNames, &gData.gBiographyTexts}) {
    for (int k = 0; k < n && hit < 0; ++k) {
      const int i = (s + k) % n;
      if (Shown((*entries)[std::size_t(i)]).contains(*word)) hit = i;
    }
    if (hit >= 0) break;
  }
  if (hit >= 0) entryCombo->setCurrentIndex(hit);
  else Dialogs().MessageBox(this, "검색에 실패 했습니다.", MsgIcon::None, MsgButtons::Ok, Q(kMsgTitle));
  FocusControl(HeldControl::Entry);
}

void BiographyEditor::FocusControl(HeldControl control) {
  QWidget* w = ControlOf(control);
  if (w && !w->hasFocus()) w->setFocus(Qt::OtherFocusReason);
}

void BiographyEditor::SetHold(bool on) {
  holdOn_ = on;
  QPalette p = palette();
  if (!on) p.setColor(QPalette::Window, kHoldOffColor);
  entryNumber->setPalette(p);
}

void BiographyEditor::HoldTick() {
  // While a question of the search is open the dialog is not the active window: the hold waits.
  if (holdOn_ && isActiveWindow()) FocusControl(focused_);
}

bool BiographyEditor::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      for (HeldControl c : kHeldControls)
        if (watched == ControlOf(c)) focused_ = c;
      if (watched == entryCombo) holdTimer->start();
      break;
    case QEvent::KeyPress:
      if (watched == textBox) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
      }
      break;
    case QEvent::MouseButtonPress:
      if (watched == searchButton) {
        holdTimer->stop();
      } else if (watched == entryNumber) {
        SetHold(!holdOn_);
      }
      break;
    case QEvent::MouseButtonRelease:
      if (watched == searchButton) holdTimer->start();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace garam
