#include "editors/general/status_menu.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "data/gamedata.h"
#include "editors/general/general_editor.h"
#include "data/general_status.h"
#include "platform/modal.h"
#include "platform/twips.h"
#include "ui/common/columntexts.h"
#include "ui/pickers/city_picker.h"
#include "ui/pickers/general_picker.h"

namespace garam {

namespace {
// The menu's buttons from top to bottom.
constexpr std::array<GeneralStatus, StatusMenu::kEntries> kMenuStatuses = {
    GeneralStatus::Lord, GeneralStatus::Ordinary, GeneralStatus::Unaffiliated, GeneralStatus::Minor,
    GeneralStatus::NotYetAppeared};

const CitySaveRec* UsedSaveCity(int city) {
  const CitySaveRec* c = city >= 0 && city < kNoCity ? At(gData.gSaveCities, city) : nullptr;
  return c && c->get(kCitySave.x) != kFreeCityX ? c : nullptr;
}
}  // namespace

StatusMenu::StatusMenu(GeneralEditor& editor, const MainLists& lists)
    : QDialog(&editor, Qt::Dialog | Qt::FramelessWindowHint), e_(editor), lists_(lists) {
  setObjectName("frmCMenu");
  setFixedSize(TwipsToPixels(780), TwipsToPixels(1860));
  for (std::size_t i = 0; i < kEntries; ++i) {
    const GeneralStatus status = kMenuStatuses[i];
    auto* b = new QPushButton(StatusCaption(status), this);
    b->setObjectName(QString("statusButtons(%1)").arg(i));
    b->setGeometry(TwipsRect(15, 15 + 360 * int(i), 735, 375));
    b->setAutoDefault(false);
    b->installEventFilter(this);
    connect(b, &QPushButton::clicked, this, [this, status] { Choose(status); });
    statusButtons[i] = b;
  }

  QAbstractButton* statusButton = e_.changeStatusButton;
  move(statusButton->mapToGlobal(QPoint(statusButton->width(), statusButton->height())));

  const std::optional<GeneralStatus> status = e_.ShownStatus();
  if (QPushButton* shown = status ? Button(*status) : nullptr) {
    current_ = *status;
    QFont bold = shown->font();
    bold.setBold(true);
    shown->setFont(bold);
    Button(GeneralStatus::Lord)->setEnabled(false);
    shown->setEnabled(false);
    // A lord can only step down.
    if (current_ == GeneralStatus::Lord)
      for (GeneralStatus out : {GeneralStatus::Unaffiliated, GeneralStatus::Minor, GeneralStatus::NotYetAppeared})
        Button(out)->setEnabled(false);
  }
  if (gUnappearedCount >= 100) Button(GeneralStatus::NotYetAppeared)->setEnabled(false);
  // Only a general with a father may be a minor.
  if (e_.Working.father == kNoGeneral) Button(GeneralStatus::Minor)->setEnabled(false);
  for (QPushButton* b : statusButtons)
    if (b->isEnabled()) {
      b->setFocus(Qt::OtherFocusReason);
      break;
    }
}

QPushButton* StatusMenu::Button(GeneralStatus status) const {
  for (std::size_t i = 0; i < kEntries; ++i)
    if (kMenuStatuses[i] == status) return statusButtons[i];
  return nullptr;
}

bool StatusMenu::eventFilter(QObject* watched, QEvent* event) {
  for (std::size_t i = 0; i < kEntries; ++i) {
    if (watched != statusButtons[i]) continue;
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Choose(kMenuStatuses[i]);
        return true;
      }
      if (key == Qt::Key_Escape) {
        reject();
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      reject();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void StatusMenu::mouseReleaseEvent(QMouseEvent* event) {
  // Disabled buttons pass the press to the menu.
  if (event->button() == Qt::RightButton) reject();
  else QDialog::mouseReleaseEvent(event);
}

// A lord still in his city as loaded chooses a successor when one may succeed him; with no one who
// may, he chooses a city as a lord alone in his city does, rather than an empty list.
bool StatusMenu::SuccessorNeeded() const {
  const int city = e_.cityNumber;
  return city == e_.loadedCityNumber && HasSuccessorFor(e_.Working.number, city);
}

// A save-file general made unaffiliated stands where he waited to appear or where his nearest
// living relative stands; a source that names no place leaves the labels as they are.
void StatusMenu::PlaceFromRelatives() {
  QLabel* x = e_.positionXLabel;
  QLabel* y = e_.positionYLabel;
  auto place = [&](int px, int py) {
    x->setText(QString::number(px));
    y->setText(QString::number(py));
  };
  const std::optional<GeneralStatus> status = e_.ShownStatus();
  if (status == GeneralStatus::NotYetAppeared) {
    if (const CitySaveRec* c = UsedSaveCity(e_.appearanceCityNumber)) place(c->get(kCitySave.x), c->get(kCitySave.y));
    return;
  }
  if (status != GeneralStatus::Minor) return;
  for (int relative : {int(e_.Working.father), int(e_.Working.grandfather)}) {
    GeneralWorkingCopy r;
    if (relative >= kNoGeneral || !ReadGeneral(relative, r)) continue;
    if (r.city == kNoCity) place(r.x, r.y);
    else if (const CitySaveRec* c = UsedSaveCity(r.city)) place(c->get(kCitySave.x), c->get(kCitySave.y));
    return;
  }
  place(0, 0);
}

// Unaffiliated, minor and not yet appeared: out of any city's service.
void StatusMenu::Unemployed(GeneralStatus status) {
  const bool save = IsSaveFile();
  auto off = [](QWidget* w, const QString& text) {
    static_cast<QLineEdit*>(w)->setText(text);
    w->setEnabled(false);
  };
  if (!(status == GeneralStatus::Unaffiliated && !save)) {
    e_.cityNumber = kNoCity;
    e_.setCityLabel("없음");
  }
  e_.changeCityButton->setEnabled(status == GeneralStatus::Unaffiliated && !save);
  off(e_.employmentYearBox, "0");
  if (status == GeneralStatus::NotYetAppeared) {
    e_.appearanceYearBox->setEnabled(true);
    e_.appearanceYearBox->setText("1188");
    e_.changeAppearanceCityButton->setEnabled(true);
    PickerCallers callers;
    callers.generalEditor = &e_;
    callers.statusMenu = this;
    CityPicker(&e_, lists_, callers, CityPickerMode::Appearance).ShowModal();
    if (save) {
      e_.positionXLabel->setText("0");
      e_.positionYLabel->setText("0");
    }
  } else {
    off(e_.appearanceYearBox, "0");
    e_.appearanceCityLabel->setText("없음");
    e_.changeAppearanceCityButton->setEnabled(false);
    if (status == GeneralStatus::Unaffiliated && save) PlaceFromRelatives();
    e_.appearanceCityNumber = kNoAppearanceCity;
  }
  e_.ReleaseUnit();
  e_.statusLabel->setText(StatusCaption(status));
  e_.UpdateSonInLawToggle(true);
}

void StatusMenu::Choose(GeneralStatus status) {
  QPushButton* button = Button(status);
  if (!button || !button->isEnabled()) return;
  PickerCallers callers;
  callers.generalEditor = &e_;
  callers.statusMenu = this;
  if (status == GeneralStatus::Ordinary) {
    if (current_ != GeneralStatus::Lord) {
      CityPicker(&e_, lists_, callers, CityPickerMode::Joining).ShowModal();
    } else if (SuccessorNeeded()) {
      GeneralPicker(&e_, lists_, callers, GeneralPickerMode::NewLord, e_.Working.number).ShowModal();
    } else {
      e_.statusLabel->setText(StatusCaption(GeneralStatus::Lord));
      CityPicker(&e_, lists_, callers, CityPickerMode::Affiliation).ShowModal();
    }
  } else if (status != GeneralStatus::Lord) {
    Unemployed(status);
  }
  accept();
}

}  // namespace garam
