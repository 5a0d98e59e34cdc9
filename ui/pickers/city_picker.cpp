#include "ui/pickers/city_picker.h"

#include "data/general_record.h"
#include "ui/common/shownstatus.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/record_access.h"

namespace garam {

namespace {
constexpr int kOwnerColumn = 1, kGeneralCountColumn = 2;
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
  CapitalCandidates.clear();
  using enum CityPickerMode;
  const ListView* cities = lists_.cities;
  auto addOwnedCities = [&] {
    if (!cities) return;
    for (int i = 0; i < cities->count(); ++i) {
      const ListItem* r = cities->row(i);
      if (cities->cell(r, kOwnerColumn) != kNoOwner) AddRow(cities->cell(r, 0), r->tag, {cities->cell(r, kOwnerColumn)});
    }
  };

  GeneralEditorCaller* editor = callers_.generalEditor;
  CreateCountryCaller* add1 = callers_.createCountry;
  if (mode_ == Affiliation || mode_ == Joining) {
    setWindowTitle("소속도시 선택");
    if (editor) {
      const QWidget* frame = editor->CityFrame();
      PlaceBy(editor->Form(), At(frame) + QPointF(0, frame ? frame->height() : 0));
    }
    addOwnedCities();
    // Only an unaffiliated general changed from the editor itself may be left without a city.
    if (editor && ShownStatus(Text(editor->StatusLabel())) == GeneralStatus::Unaffiliated && !StatusMenuVisible()) AddRow(kNoCityRow, "80", {""});
  } else if (mode_ == Appearance) {
    setWindowTitle("등장도시 선택");
    if (editor) {
      const QWidget* frame = editor->AppearanceFrame();
      PlaceBy(editor->Form(), At(frame) + QPointF(frame ? frame->width() : 0, 0));
    }
    addOwnedCities();
  } else {
    setWindowTitle("수도 선택");
    if (add1) PlaceBy(add1->Form(), BelowButton(add1->Add1Frame(3), add1->Add1Cmd2(1)));
    if (IsSaveFile()) {
      if (cities)
        for (int i = 0; i < cities->count(); ++i) {
          const ListItem* r = cities->row(i);
          if (cities->cell(r, kOwnerColumn) == kNoOwner)
            AddRow(cities->cell(r, 0), r->tag, {cities->cell(r, kOwnerColumn)});
        }
    } else if (const ListView* generals = lists_.generals) {
      for (int i = 0; i < generals->count(); ++i) {
        const ListItem* g = generals->row(i);
        if (ShownStatus(generals->cell(g, 1)) != GeneralStatus::Lord) continue;
        const int general = CellNumber(g->tag);
        int city = -1;
        WithStoredGeneral(general, [&](const auto& r) { city = r.get(r.L.city); });
        // A lord whose city has no row in the city list has no capital to offer.
        const ListItem* cityRow = city >= 0 ? RowByNumber(cities, city) : nullptr;
        if (!cityRow) continue;
        CapitalCandidates.push_back({std::int16_t(city), std::int16_t(general), TrimSpaces(generals->cell(g, 0))});
        AddRow(cities->cell(cityRow, 0), QString::number(CapitalCandidates.size()),
               {cities->cell(cityRow, kOwnerColumn)});
      }
    }
  }
}

bool CityPicker::CityHolds(int city, int scenarioMore, int saveSlot) const {
  if (IsSaveFile()) {
    if (city < 0 || std::size_t(city) >= gData.gSaveCities.size()) return false;
    return gData.gSaveCities[city].general(std::size_t(saveSlot)) != kNoGeneral;
  }
  const ListItem* r = RowByNumber(lists_.cities, city);
  return r && CellNumber(lists_.cities->cell(r, kGeneralCountColumn)) > scenarioMore;
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
    AnswerCity(row, mode_ == Joining);
    return;
  }
  CreateCountryCaller* add1 = callers_.createCountry;
  if (mode_ == EmptyCapital && add1) {
    add1->SetCapitalNo(std::int16_t(number));
    SetText(add1->Add1lbl(1), TrimSpaces(row->text(0)));
  } else if (mode_ == LordsCapital && add1) {
    if (number >= 1 && std::size_t(number) <= CapitalCandidates.size()) {
      const CapitalCandidate& e = CapitalCandidates[std::size_t(number) - 1];
      add1->SetCapitalNo(e.CapitalNo);
      add1->SetKingNo(e.KingNo);
      SetText(add1->Add1lbl(0), e.KingName);
      SetText(add1->Add1lbl(1), TrimSpaces(row->text(0)));
    }
  }
  CapitalCandidates.clear();
}

// Affiliation and joining: the general's new city decides whether he leads it or serves its lord.
void CityPicker::AnswerCity(ListItem* row, bool fromStatusMenu) {
  GeneralEditorCaller* e = callers_.generalEditor;
  const auto city = std::uint8_t(CellNumber(row->tag));
  QLabel* status = e->StatusLabel();
  QAbstractButton* cityButton = e->ChangeCityButton();
  const bool outside = Text(e->UnitLabel()).endsWith("(성밖)");
  auto becomeServant = [&] {
    SetText(status, StatusCaption(GeneralStatus::Ordinary));
    SetEnabled(cityButton, true);
    if (!outside) WritePositionLabels(city);
  };
  // A general standing outside his castle keeps his place on the map and cannot take a city over.
  auto becomeLord = [&] {
    if (outside) return;
    SetText(status, StatusCaption(GeneralStatus::Lord));
    SetEnabled(cityButton, false);
    WritePositionLabels(city);
  };

  if (fromStatusMenu) {
    SetText(status, StatusCaption(GeneralStatus::Ordinary));
    e->SetCityNo(city);
    SetText(e->CityLabel(), TrimSpaces(row->text(0)));
    bool hasLord;
    if (city != e->OrgCityNo()) {
      hasLord = CityHolds(city, 0, 0);
    } else {
      // His own city's count includes himself unless he was unaffiliated as loaded.
      const ListView* generals = lists_.generals;
      const ListItem* self = generals ? generals->selectedRow() : nullptr;
      const bool wasUnaffiliated = self && ShownStatus(generals->cell(self, 1)) == GeneralStatus::Unaffiliated;
      hasLord = CityHolds(city, wasUnaffiliated ? 0 : 1, 1);
    }
    hasLord ? becomeServant() : becomeLord();

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
    return;
  }

  e->SetCityNo(city);
  SetText(e->CityLabel(), TrimSpaces(row->text(0)));
  const std::optional<GeneralStatus> was = ShownStatus(Text(status));
  if (was == GeneralStatus::Ordinary) {
    const bool hasLord = city == e->OrgCityNo() || CityHolds(city, 0, 0);
    hasLord ? becomeServant() : becomeLord();
    e->UpdateSonInLawToggle(true);
  } else if (was == GeneralStatus::Lord) {
    // Returning to the city he was loaded with never counts as joining another lord.
    const bool joining = city != e->OrgCityNo() && CityHolds(city, 0, 0);
    SetText(status, StatusCaption(joining ? GeneralStatus::Ordinary : GeneralStatus::Lord));
    SetEnabled(cityButton, joining);
    WritePositionLabels(city);
    e->UpdateSonInLawToggle(true);
  }
}

}  // namespace garam
