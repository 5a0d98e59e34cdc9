#include "tools/event_flags.h"

#include <QEvent>

#include "data/gamedata.h"
#include "data/save_io.h"
#include "platform/twips.h"

namespace garam {
namespace {

struct EventBit {
  const char* caption;
  U8F byte;  // of the save header
  int bit;
};
// By EventFlagsDialog::GameEvent.
const EventBit kBoxes[EventFlagsDialog::kGameEvents] = {
    {"다자이후 천만궁", kSaveHeaderEventFlags2, 0}, {"생 미셸 수도원", kSaveHeaderEventFlags2, 1},
    {"아라비안 나이트", kSaveHeaderEventFlags2, 2}, {"앙코르와트", kSaveHeaderEventFlags2, 3},
    {"유럽 동맹", kSaveHeaderEventFlags1, 3},       {"이슬람 동맹", kSaveHeaderEventFlags1, 4},
    {"동아시아 동맹", kSaveHeaderEventFlags1, 5},   {"남아시아 동맹", kSaveHeaderEventFlags1, 6},
    {"르네상스", kSaveHeaderEventFlags2, 4},
};
constexpr int kLockableBox = int(EventFlagsDialog::GameEvent::AngkorWat);

bool BitSet(const EventBit& b) { return gData.gSaveHeader.get(b.byte) & (1u << b.bit); }

}  // namespace

EventFlagsDialog::EventFlagsDialog(QWidget* owner) : QDialog(owner) {
  setObjectName("frmEvent");
  setWindowTitle("이벤트 발생 여부 편집");
  if (owner) setWindowIcon(owner->windowIcon());
  setFixedSize(TwipsToPixels(3300), TwipsToPixels(4260));
  BuildEventBoxes();
  BuildButtons();
  focusSink = new QWidget(this);
  focusSink->setObjectName("focusSink");
  focusSink->setFocusPolicy(Qt::StrongFocus);
  focusSink->setGeometry(width() + TwipsToPixels(300), 0, TwipsToPixels(75), TwipsToPixels(75));
  ShowLoadedFlags();
}

void EventFlagsDialog::BuildEventBoxes() {
  for (int i = 0; i < kGameEvents; ++i) {
    QCheckBox* box = eventBoxes_[std::size_t(i)] = new QCheckBox(kBoxes[i].caption, this);
    box->setObjectName("eventBox");
    box->setGeometry(TwipsRect(240, 180 + 360 * i, 2800, 300));
    connect(box, &QCheckBox::toggled, this, [this, i] { BoxClicked(i); });
  }
}

void EventFlagsDialog::BuildButtons() {
  const char* captions[2] = {"확인", "취소"};
  const char* names[2] = {"okButton", "cancelButton"};
  QPushButton** buttonSlots[2] = {&okButton, &cancelButton};
  for (int i = 0; i < 2; ++i) {
    QPushButton* b = *buttonSlots[i] = new QPushButton(captions[i], this);
    b->setObjectName(names[i]);
    b->setGeometry(TwipsRect(240 + 1440 * i, 3480, 1320, 420));
  }
  connect(okButton, &QPushButton::clicked, this, &EventFlagsDialog::Apply);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void EventFlagsDialog::ShowLoadedFlags() {
  for (int i = 0; i < kGameEvents; ++i) {
    QCheckBox* box = eventBoxes_[std::size_t(i)];
    if (!BoxInUse(i)) {
      box->setEnabled(false);
      continue;
    }
    loaded_[std::size_t(i)] = BitSet(kBoxes[i]);
    box->setChecked(loaded_[std::size_t(i)]);
  }
  for (int i = 0; i < kGameEvents; ++i) BoxClicked(i);
}

bool EventFlagsDialog::BoxInUse(int box) const { return box != kLockableBox || !(gSaveTailFirstByte & 1); }

void EventFlagsDialog::BoxClicked(int box) {
  // A checked event stands out in yellow; unchecked ones keep the dialog's own face.
  QCheckBox* b = eventBoxes_[std::size_t(box)];
  b->setStyleSheet(b->isChecked() ? "QCheckBox { background-color: #FFFF00; }" : "");
  if (activated_) focusSink->setFocus(Qt::OtherFocusReason);
}

bool EventFlagsDialog::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    activated_ = true;
    focusSink->setFocus(Qt::ActiveWindowFocusReason);
  }
  return QDialog::event(e);
}

void EventFlagsDialog::Apply() {
  bool changed = false;
  for (int i = 0; i < kGameEvents; ++i)
    if (BoxInUse(i) && eventBoxes_[std::size_t(i)]->isChecked() != loaded_[std::size_t(i)]) changed = true;
  if (changed) MarkDataChanged();
  // Every bit that is no box's stays as read.
  for (int i = 0; i < kGameEvents; ++i) {
    if (!BoxInUse(i)) continue;
    const EventBit& b = kBoxes[i];
    const auto mask = std::uint8_t(1u << b.bit);
    std::uint8_t v = gData.gSaveHeader.get(b.byte);
    v = eventBoxes_[std::size_t(i)]->isChecked() ? std::uint8_t(v | mask) : std::uint8_t(v & ~mask);
    gData.gSaveHeader.set(b.byte, v);
  }
  accept();
}

}  // namespace garam
