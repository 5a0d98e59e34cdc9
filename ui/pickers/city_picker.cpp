#include "ui/pickers/city_picker.h"

#include "data/general_record.h"
#include "ui/common/listcolumns.h"
#include "ui/common/shownstatus.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/record_access.h"

namespace garam {

namespace {
const QString kNoOwner(18, QChar('-'));
const QString kNoCityRow = QStringLiteral("        없음");

void SetText(QLabel* label, const QString& text) {
  if (label) label->setText(text);
}
void SetEnabled(QWidget* w, bool on) {
  if (w) w->setEnabled(on);
}
QString Text(const QLabel* label) { return label ? label->text() : QString(); }
}  // namespace

CityPicker::CityPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers, CityPickerMode mode)
    : ListPicker(owner, lists, callers, "frmFind2", "도시 선택", 4455, 2325, 4440, 2325), mode_(mode) {
  SetColumns({"이름", "소속국가"}, {2130, 1920});
}

bool CityPicker::StatusMenuVisible() const { return callers_.statusMenu && callers_.statusMenu->isVisible(); }

bool CityPicker::CanCancel() const { return !(mode_ == CityPickerMode::Appearance && StatusMenuVisible()); }

void CityPicker::Fill() {
  capitalCandidates_.clear();
  using enum CityPickerMode;
  const ListView* cities = lists_.cities;
  auto addOwnedCities = [&] {
    if (!cities) return;
    for (int i = 0; i < cities->count(); ++i) {
      const ListItem* r = cities->row(i);
      if (cities->cell(r, CityColumn::Owner) != kNoOwner)
        AddRow(cities->cell(r, CityColumn::Name), r->tag, {cities->cell(r, CityColumn::Owner)});
    }
  };

  GeneralEditorCaller* editor = callers_.generalEditor;
  if (mode_ == Affiliation || mode_ == Joining) {
    setWindowTitle("소속도시 선택");
    if (editor) {
      const QWidget* frame = editor->CityFrame();
      PlaceBy(editor->Form(), At(frame) + QPointF(0, frame ? frame->height() : 0));
    }
    addOwnedCities();
    // Only an unaffiliated general changed from the editor itself may be left without a city.
    if (editor && ShownStatus(Text(editor->StatusLabel())) == GeneralStatus::Unaffiliated && !StatusMenuVisible())
      AddRow(kNoCityRow, "80", {""});
  } else if (mode_ == Appearance) {
    setWindowTitle("등장도시 선택");
    if (editor) {
      const QWidget* frame = editor->AppearanceFrame();
      PlaceBy(editor->Form(), At(frame) + QPointF(frame ? frame->width() : 0, 0));
    }
    addOwnedCities();
  } else {
    setWindowTitle("수도 선택");
    if (CreateCountryCaller* a = callers_.createCountry)
      PlaceBy(a->Form(), BelowButton(a->NewCapitalGroup(), a->ChangeNewCapitalButton()));
    AddCapitalRows();
  }
}

// A save file offers the cities without owner; a scenario the lords' cities, each row's tag numbering
// its candidate.
void CityPicker::AddCapitalRows() {
  const ListView* cities = lists_.cities;
  if (IsSaveFile()) {
    if (cities)
      for (int i = 0; i < cities->count(); ++i) {
        const ListItem* r = cities->row(i);
        if (cities->cell(r, CityColumn::Owner) == kNoOwner)
          AddRow(cities->cell(r, CityColumn::Name), r->tag, {cities->cell(r, CityColumn::Owner)});
      }
  } else if (const ListView* generals = lists_.generals) {
    for (int i = 0; i < generals->count(); ++i) {
      const ListItem* g = generals->row(i);
      if (ShownStatus(generals->cell(g, GeneralColumn::Status)) != GeneralStatus::Lord) continue;
      const int general = CellNumber(g->tag);
      int city = -1;
      WithStoredGeneral(general, [&](const auto& r) { city = r.get(r.L.city); });
      // A lord whose city has no row in the city list has no capital to offer.
      const ListItem* cityRow = city >= 0 ? RowByNumber(cities, city) : nullptr;
      if (!cityRow) continue;
      capitalCandidates_.push_back(
          {std::int16_t(city), std::int16_t(general), TrimSpaces(generals->cell(g, GeneralColumn::Name))});
      AddRow(cities->cell(cityRow, CityColumn::Name), QString::number(capitalCandidates_.size()),
             {cities->cell(cityRow, CityColumn::Owner)});
    }
  }
}

bool CityPicker::CityHolds(int city, int scenarioMore, int saveSlot) const {
  if (IsSaveFile()) {
    if (city < 0 || std::size_t(city) >= gData.gSaveCities.size()) return false;
    return gData.gSaveCities[city].general(std::size_t(saveSlot)) != kNoGeneral;
  }
  const ListItem* r = RowByNumber(lists_.cities, city);
  return r && CellNumber(lists_.cities->cell(r, CityColumn::Generals)) > scenarioMore;
}

void CityPicker::WritePositionLabels(int city) {
  GeneralEditorCaller* e = callers_.generalEditor;
  if (!IsSaveFile()) {
    SetText(e->PositionXLabel(), "---");
    SetText(e->PositionYLabel(), "---");
  } else if (city >= 0 && std::size_t(city) < gData.gSaveCities.size()) {
    const CitySaveRec& c = gData.gSaveCities[city];
    SetText(e->PositionXLabel(), QString::number(c.get(CitySaveRec::L.x)));
    SetText(e->PositionYLabel(), QString::number(c.get(CitySaveRec::L.y)));
  }
}

void CityPicker::TakeAnswer(ListItem* row) {
  using enum CityPickerMode;
  const int number = CellNumber(row->tag);
  if (mode_ == Affiliation || mode_ == Appearance || mode_ == Joining) {
    GeneralEditorCaller* e = callers_.generalEditor;
    if (!e) return;
    if (mode_ == Appearance) {
      e->SetAppearCityNo(std::uint8_t(number));
      SetText(e->AppearanceCityLabel(), row->text(0));
      return;
    }
    mode_ == Joining ? AnswerJoining(row) : AnswerAffiliation(row);
    return;
  }
  CreateCountryCaller* createCountry = callers_.createCountry;
  if (mode_ == EmptyCapital && createCountry) {
    createCountry->SetCapitalNo(std::int16_t(number));
    SetText(createCountry->NewCapitalNameLabel(), TrimSpaces(row->text(0)));
  } else if (mode_ == LordsCapital && createCountry) {
    if (number >= 1 && std::size_t(number) <= capitalCandidates_.size()) {
      const CapitalCandidate& e = capitalCandidates_[std::size_t(number) - 1];
      createCountry->SetCapitalNo(e.CapitalNo);
      createCountry->SetKingNo(e.KingNo);
      SetText(createCountry->NewKingNameLabel(), e.KingName);
      SetText(createCountry->NewCapitalNameLabel(), TrimSpaces(row->text(0)));
    }
  }
  capitalCandidates_.clear();
}

// The general serves the lord of his new city, or leads it when it has none. A general standing
// outside his castle keeps his place on the map and cannot take a city over.
void CityPicker::SettleIn(std::uint8_t city, bool hasLord) {
  GeneralEditorCaller* e = callers_.generalEditor;
  const bool outside = Text(e->UnitLabel()).endsWith("(성밖)");
  if (hasLord) {
    SetText(e->StatusLabel(), StatusCaption(GeneralStatus::Ordinary));
    SetEnabled(e->ChangeCityButton(), true);
    if (!outside) WritePositionLabels(city);
  } else if (!outside) {
    SetText(e->StatusLabel(), StatusCaption(GeneralStatus::Lord));
    SetEnabled(e->ChangeCityButton(), false);
    WritePositionLabels(city);
  }
}

// From the status menu: an unaffiliated, minor or unappeared general joins a city this year.
void CityPicker::AnswerJoining(ListItem* row) {
  GeneralEditorCaller* e = callers_.generalEditor;
  const auto city = std::uint8_t(CellNumber(row->tag));
  SetText(e->StatusLabel(), StatusCaption(GeneralStatus::Ordinary));
  e->SetCityNo(city);
  SetText(e->CityLabel(), TrimSpaces(row->text(0)));
  bool hasLord;
  if (city != e->OrgCityNo()) {
    hasLord = CityHolds(city, 0, 0);
  } else {
    // His own city's count includes himself unless he was unaffiliated as loaded.
    const ListView* generals = lists_.generals;
    const ListItem* self = generals ? generals->selectedRow() : nullptr;
    const bool wasUnaffiliated = self && ShownStatus(generals->cell(self, GeneralColumn::Status)) == GeneralStatus::Unaffiliated;
    hasLord = CityHolds(city, wasUnaffiliated ? 0 : 1, 1);
  }
  SettleIn(city, hasLord);

  const std::int32_t year = WithHeader([](const auto& h) { return std::int32_t(HeaderYear(h)); });
  if (QLineEdit* employed = e->EmploymentYearBox()) {
    employed->setEnabled(true);
    employed->setText(QString::number(year));
  }
  if (QLineEdit* appeared = e->AppearanceYearBox()) {
    appeared->setEnabled(true);
    appeared->setText("0");
    appeared->setEnabled(false);
  }
  SetText(e->AppearanceCityLabel(), "없음");
  e->SetAppearCityNo(kNoAppearanceCity);
  SetEnabled(e->ChangeAppearanceCityButton(), false);
  e->UpdateSonInLawToggle(true);
}

// From the editor: the new city decides whether an ordinary general or a lord leads it or serves
// its lord; any other status only takes the city.
void CityPicker::AnswerAffiliation(ListItem* row) {
  GeneralEditorCaller* e = callers_.generalEditor;
  const auto city = std::uint8_t(CellNumber(row->tag));
  e->SetCityNo(city);
  SetText(e->CityLabel(), TrimSpaces(row->text(0)));
  const std::optional<GeneralStatus> was = ShownStatus(Text(e->StatusLabel()));
  if (was == GeneralStatus::Ordinary) {
    SettleIn(city, city == e->OrgCityNo() || CityHolds(city, 0, 0));
    e->UpdateSonInLawToggle(true);
  } else if (was == GeneralStatus::Lord) {
    // Returning to the city he was loaded with never counts as joining another lord.
    const bool joining = city != e->OrgCityNo() && CityHolds(city, 0, 0);
    SetText(e->StatusLabel(), StatusCaption(joining ? GeneralStatus::Ordinary : GeneralStatus::Lord));
    SetEnabled(e->ChangeCityButton(), joining);
    WritePositionLabels(city);
    e->UpdateSonInLawToggle(true);
  }
}

}  // namespace garam
