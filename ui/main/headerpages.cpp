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

bool QVEdition() { return IsExpansionLoaded(); }

// Writes a focus hint into the first status panel; the year boxes' hints follow the edition.
class HintFilter : public QObject {
 public:
  explicit HintFilter(MainWindow& w) : QObject(&w), w_(w) {}
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (e->type() == QEvent::FocusIn) {
      const QVariant hint = obj->property("hint");
      if (hint.isValid()) w_.SetStatus(1, S(hint.toString()));
    }
    return false;
  }

 private:
  MainWindow& w_;
};

void Hint(QWidget* widget, const char* text, HintFilter* filter) {
  widget->setProperty("hint", QString(text));
  widget->installEventFilter(filter);
}

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

YearBox::YearBox(int page, QWidget* parent) : NumericBox(parent), page_(page) {}

void YearBox::focusOutEvent(QFocusEvent* event) {
  const auto [lo, hi] = YearRange(page_);
  setRange(lo, hi);
  NumericBox::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  setText(QString::number(YearValue(this)));
}

std::pair<int, int> YearRange(int page) {
  const bool qv = QVEdition();
  return page == 0 ? std::pair{0, MaxStartYear(qv)} : std::pair{1, MaxCurrentYear(qv)};
}

int YearValue(const YearBox* box) {
  const auto [lo, hi] = YearRange(box->page());
  return ClampYear(NumericValue(box->text()), lo, hi);
}

void WireHeaderPages(MainWindow& w) {
  auto* filter = new HintFilter(w);
  filter->setObjectName("HeaderHintFilter");  // the window deletes it first when it closes
  for (auto* buttons : {&w.cmd0, &w.cmd1}) {
    Hint((*buttons)[0], "변경된 결과를 적용", filter);
    Hint((*buttons)[1], "기본값을 되돌림", filter);
  }
  for (int i = 0; i < 8; ++i) {
    Hint(w.cmdLeft1[std::size_t(i)], "플레이어 국가를 컴퓨터 국가로...", filter);
    Hint(w.cmdRight1[std::size_t(i)], "컴퓨터 국가를 플레이어 국가로...", filter);
    QObject::connect(w.cmdLeft1[std::size_t(i)], &QPushButton::clicked, &w, [&w, i] { PlayerSlotToList(w, i); });
    QObject::connect(w.cmdRight1[std::size_t(i)], &QPushButton::clicked, &w, [&w, i] { ListToPlayerSlot(w, i); });
  }
  Hint(w.Combo1, "계절 변경(초봄~겨울)", filter);
  Hint(w.txtLine0, "시나리오 제목 입력", filter);
  Hint(w.txtMulti0, "시나리오 설명 입력", filter);
  QObject::connect(w.txtNum0, &NumericBox::gotFocus, filter, [&w] {
    const int hi = YearRange(0).second;
    w.SetStatus(1, "시작년도 입력(0∼" + std::to_string(hi) + ")");
  });
  QObject::connect(w.txtNum1, &NumericBox::gotFocus, filter, [&w] {
    const int hi = YearRange(1).second;
    w.SetStatus(1, "년도 입력(1∼" + std::to_string(hi) + ")");
  });
  w.Combo1->setInsertPolicy(QComboBox::NoInsert);
  AttachTextByteGuard(w.txtLine0, kTitleMaxBytes);
  AttachTextByteGuard(w.txtMulti0, kDescriptionMaxBytes);
}

void ScenarioPageCommand(MainWindow& w, int index) {
  const bool qv = QVEdition();
  if (index == 0) {
    if (w.txtLine0->text().isEmpty()) w.txtLine0->setText(" ");
    if (w.txtMulti0->toPlainText().isEmpty()) w.txtMulti0->setPlainText(" ");
    ScenarioHeaderEdit edit;
    edit.startYear = YearValue(static_cast<YearBox*>(w.txtNum0));
    edit.title = S(w.txtLine0->text());
    // The game keeps line breaks as CR LF; the box shows them as LF.
    edit.description = S(w.txtMulti0->toPlainText().replace('\n', "\r\n"));
    const HeaderApplyResult r = ApplyScenarioHeader(qv, edit);
    w.txtNum0->setText(QString::number(edit.startYear));
    if (r.changed) {
      gDataChanged = true;
      w.SetStatus(3, "*");
    }
    // The next save patches the start-year table of the executable.
    if (qv && r.startYearChanged) gCountsChanged = true;
  } else if (index == 1) {
    auto restore = [&](const auto& h) {
      const auto& L = h.L;
      w.txtNum0->setText(QString::number(h.get(L.startYear)));
      w.txtLine0->setText(Q(ReadFixedName(h.bytes(L.title))));
      w.txtMulti0->setPlainText(Q(ReadFixedName(h.bytes(L.description))));
    };
    if (qv) restore(gData.gScenarioHeaderQV);
    else restore(gData.gScenarioHeader);
  }
}

void SavePageCommand(MainWindow& w, int index) {
  if (gFileKind != kSaveKr && gFileKind != kSaveQV) return;
  auto withHeader = [](auto&& f) { WithSaveHeader(f); };
  if (index == 0) {
    SaveHeaderEdit edit;
    edit.currentYear = YearValue(static_cast<YearBox*>(w.txtNum1));
    edit.season = w.Combo1->currentIndex();
    for (std::size_t k = 0; k < 8; ++k) edit.playerSlots[k] = std::uint8_t(SlotCountry(w.lblK1[k]));
    w.txtNum1->setText(QString::number(edit.currentYear));
    if (ApplySaveHeader(edit)) gDataChanged = true;
    if (gDataChanged) w.SetStatus(3, "*");
    return;
  }
  if (index != 1) return;
  withHeader([&](const auto& h) {
    const auto& L = h.L;
    w.txtNum1->setText(QString::number(h.get(L.currentYear)));
    const int season = h.get(L.season);
    w.Combo1->setCurrentIndex(season < w.Combo1->count() ? season : -1);
  });
  ListView* lv = w.ListView1;
  lv->clearRows();
  lv->beginUpdate();
  for (int c = 0; c < int(kCountrySlots); ++c) {
    if (SaveCountryKing(c) == kNoGeneral) continue;
    lv->addRow(Q(SaveCountryName(c)), TwoDigits(c), {Q(SaveKingName(c))});
  }
  lv->endUpdate();
  withHeader([&](const auto& h) {
    auto stored = h.bytes(h.L.playerSlots);
    for (std::size_t k = 0; k < 8; ++k) {
      const int country = stored[k];
      SetSlot(w.lblK1[k], QString(), QString::number(country));
      if (country == kNoCountry) continue;
      if (ListItem* row = lv->findTag(TwoDigits(country))) {
        w.lblK1[k]->setText(row->text(0));
        lv->removeRow(lv->indexOf(row));
      }
    }
  });
  if (lv->count() > 0) lv->selectRow(lv->row(0));
}

void PlayerSlotToList(MainWindow& w, int slot) {
  if (slot < 0 || slot >= 8) return;
  QLabel* label = w.lblK1[std::size_t(slot)];
  // The player's own slot keeps its country.
  if (!w.cmdLeft1[std::size_t(slot)]->isEnabled()) return;
  const int country = SlotCountry(label);
  if (country != kNoCountry) {
    w.ListView1->addRow(label->text(), label->property("Tag").toString(), {Q(SaveKingName(country))});
    SetSlot(label, QString(), "80");
  }
  w.ListView1->setFocus();
}

void ListToPlayerSlot(MainWindow& w, int slot) {
  if (slot < 0 || slot >= 8 || !w.cmdRight1[std::size_t(slot)]->isEnabled()) return;
  ListItem* row = w.ListView1->selectedRow();
  // Without a country to take in, the occupant stays where it is.
  if (!row) return;
  const QString text = row->text(0), tag = row->tag;
  w.ListView1->removeRow(w.ListView1->indexOf(row));
  PlayerSlotToList(w, slot);
  SetSlot(w.lblK1[std::size_t(slot)], text, tag);
  w.ListView1->setFocus();
}

}  // namespace garam
