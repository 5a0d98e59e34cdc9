#include "ui/main/headerpages.h"

#include <QFocusEvent>

#include "data/country_edit.h"
#include "data/general_record.h"
#include "data/cp949.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/record_access.h"
#include "platform/dialogs.h"
#include "platform/textguard.h"
#include "ui/main/main_window.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

constexpr int kTitleMaxBytes = 18;
constexpr int kDescriptionMaxBytes = 443;

// Country and king names of the loaded save file, in the layout of its edition.
std::string SaveCountryName(int country) {
  auto c = CountryAt(country);
  return c ? ReadFixedName(c->name) : std::string();
}

int SaveCountryKing(int country) {
  auto c = CountryAt(country);
  return c ? int(std::int16_t(c->kingNo())) : kNoGeneral;  // the save's king word is signed
}

std::string SaveKingName(int country) {
  const int king = SaveCountryKing(country);
  std::string name;
  if (IsSaveFile()) WithStoredGeneral(king, [&](const auto& g) { name = ReadFixedName(g.bytes(g.L.name)); });
  return name;
}

// A slot's country from its label's tag; anything that is not a country number is an empty slot.
int SlotCountry(const QLabel* label) {
  bool ok = false;
  const int v = label->property("Tag").toString().trimmed().toInt(&ok);
  return ok && v >= 0 && v < kNoCountry ? v : kNoCountry;
}

void SetSlot(QLabel* label, const QString& caption, const QString& tag) {
  label->setText(caption);
  label->setProperty("Tag", tag);
}

QString TwoDigits(int n) { return QString::number(n).rightJustified(2, '0'); }

}  // namespace

YearBox::YearBox(HeaderPage page, QWidget* parent) : NumericBox(parent), page_(page) {}

void YearBox::focusOutEvent(QFocusEvent* event) {
  const auto [lo, hi] = YearRange(page_);
  setRange(lo, hi);
  NumericBox::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  setText(QString::number(YearValue(this)));
}

std::pair<int, int> YearRange(HeaderPage page) {
  const bool qv = IsExpansionLoaded();
  return page == HeaderPage::Scenario ? std::pair{0, MaxStartYear(qv)} : std::pair{1, MaxCurrentYear(qv)};
}

int YearValue(const YearBox* box) {
  const auto [lo, hi] = YearRange(box->page());
  return ClampYear(NumericValue(box->text()), lo, hi);
}

void WireHeaderPages(MainWindow& w, QObject* hintFilter) {
  const auto hint = [hintFilter](QWidget* control, const char* text) { SetFocusHint(control, text, hintFilter); };
  for (QPushButton* apply : {w.scenarioApply, w.saveApply}) hint(apply, "변경된 결과를 적용");
  for (QPushButton* restore : {w.scenarioRestore, w.saveRestore}) hint(restore, "기본값을 되돌림");
  for (int i = 0; i < int(kPlayerSlotCount); ++i) {
    hint(w.slotToList[std::size_t(i)], "플레이어 국가를 컴퓨터 국가로...");
    hint(w.listToSlot[std::size_t(i)], "컴퓨터 국가를 플레이어 국가로...");
    QObject::connect(w.slotToList[std::size_t(i)], &QPushButton::clicked, &w, [&w, i] { PlayerSlotToList(w, i); });
    QObject::connect(w.listToSlot[std::size_t(i)], &QPushButton::clicked, &w, [&w, i] { ListToPlayerSlot(w, i); });
  }
  hint(w.season, "계절 변경(초봄~겨울)");
  hint(w.scenarioTitle, "시나리오 제목 입력");
  hint(w.description, "시나리오 설명 입력");
  // The year boxes' hints name the loaded edition's bound.
  QObject::connect(w.startYear, &NumericBox::gotFocus, hintFilter, [&w] {
    const int hi = YearRange(HeaderPage::Scenario).second;
    w.SetStatus(StatusPanel::Hint, "시작년도 입력(0∼" + std::to_string(hi) + ")");
  });
  QObject::connect(w.currentYear, &NumericBox::gotFocus, hintFilter, [&w] {
    const int hi = YearRange(HeaderPage::Save).second;
    w.SetStatus(StatusPanel::Hint, "년도 입력(1∼" + std::to_string(hi) + ")");
  });
  w.season->setInsertPolicy(QComboBox::NoInsert);
  AttachTextByteGuard(w.scenarioTitle, kTitleMaxBytes);
  AttachTextByteGuard(w.description, kDescriptionMaxBytes);
}

void ScenarioPageCommand(MainWindow& w, HeaderCommand command) {
  const bool qv = IsExpansionLoaded();
  if (command == HeaderCommand::Apply) {
    if (w.scenarioTitle->text().isEmpty()) w.scenarioTitle->setText(" ");
    if (w.description->toPlainText().isEmpty()) w.description->setPlainText(" ");
    ScenarioHeaderEdit edit;
    edit.startYear = YearValue(static_cast<YearBox*>(w.startYear));
    edit.title = S(w.scenarioTitle->text());
    // The game keeps line breaks as CR LF; the box shows them as LF.
    edit.description = S(w.description->toPlainText().replace('\n', "\r\n"));
    const HeaderApplyResult r = ApplyScenarioHeader(qv, edit);
    w.startYear->setText(QString::number(edit.startYear));
    if (r.changed) {
      gDataChanged = true;
      w.SetStatus(StatusPanel::ChangedMark, "*");
    }
    // The next save patches the start-year table of the executable.
    if (qv && r.startYearChanged) gCountsChanged = true;
  } else {
    auto restore = [&](const auto& h) {
      const auto& L = h.L;
      w.startYear->setText(QString::number(h.get(L.startYear)));
      w.scenarioTitle->setText(Q(ReadFixedName(h.bytes(L.title))));
      w.description->setPlainText(Q(ReadFixedName(h.bytes(L.description))));
    };
    WithScenarioHeader(restore);
  }
}

void SavePageCommand(MainWindow& w, HeaderCommand command) {
  if (!IsSaveFile()) return;
  if (command == HeaderCommand::Apply) {
    SaveHeaderEdit edit;
    edit.currentYear = YearValue(static_cast<YearBox*>(w.currentYear));
    edit.season = w.season->currentIndex();
    for (std::size_t k = 0; k < kPlayerSlotCount; ++k) edit.playerSlots[k] = std::uint8_t(SlotCountry(w.playerSlots[k]));
    w.currentYear->setText(QString::number(edit.currentYear));
    if (ApplySaveHeader(edit)) gDataChanged = true;
    if (gDataChanged) w.SetStatus(StatusPanel::ChangedMark, "*");
    return;
  }
  WithSaveHeader([&](const auto& h) {
    const auto& L = h.L;
    w.currentYear->setText(QString::number(h.get(L.currentYear)));
    const int season = h.get(L.season);
    w.season->setCurrentIndex(season < w.season->count() ? season : -1);
  });
  ListView* lv = w.playerList;
  lv->clearRows();
  lv->beginUpdate();
  for (int c = 0; c < int(kCountrySlots); ++c) {
    if (SaveCountryKing(c) == kNoGeneral) continue;
    lv->addRow(Q(SaveCountryName(c)), TwoDigits(c), {Q(SaveKingName(c))});
  }
  lv->endUpdate();
  WithSaveHeader([&](const auto& h) {
    auto stored = h.bytes(h.L.playerSlots);
    for (std::size_t k = 0; k < kPlayerSlotCount; ++k) {
      const int country = stored[k];
      SetSlot(w.playerSlots[k], QString(), QString::number(country));
      if (country == kNoCountry) continue;
      if (ListItem* row = lv->findTag(TwoDigits(country))) {
        w.playerSlots[k]->setText(row->text(0));
        lv->removeRow(lv->indexOf(row));
      }
    }
  });
  if (lv->count() > 0) lv->selectRow(lv->row(0));
}

void PlayerSlotToList(MainWindow& w, int slot) {
  if (slot < 0 || slot >= int(kPlayerSlotCount)) return;
  QLabel* label = w.playerSlots[std::size_t(slot)];
  // The player's own slot keeps its country.
  if (!w.slotToList[std::size_t(slot)]->isEnabled()) return;
  const int country = SlotCountry(label);
  if (country != kNoCountry) {
    w.playerList->addRow(label->text(), label->property("Tag").toString(), {Q(SaveKingName(country))});
    SetSlot(label, QString(), QString::number(kNoCountry));
  }
  w.playerList->setFocus();
}

void ListToPlayerSlot(MainWindow& w, int slot) {
  if (slot < 0 || slot >= int(kPlayerSlotCount) || !w.listToSlot[std::size_t(slot)]->isEnabled()) return;
  ListItem* row = w.playerList->selectedRow();
  // Without a country to take in, the occupant stays where it is.
  if (!row) return;
  const QString text = row->text(0), tag = row->tag;
  w.playerList->removeRow(w.playerList->indexOf(row));
  PlayerSlotToList(w, slot);
  SetSlot(w.playerSlots[std::size_t(slot)], text, tag);
  w.playerList->setFocus();
}

}  // namespace garam
