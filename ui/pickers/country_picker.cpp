#include "ui/pickers/country_picker.h"

#include "data/gamedata.h"
#include "data/ids.h"
#include "ui/common/listcolumns.h"

namespace garam {

namespace {
const QString kNoCountryRow = QStringLiteral("      없음");
}

CountryPicker::CountryPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers,
                             CountryPickerMode mode)
    : ListPicker(owner, lists, callers, "frmFind1", "국가 선택", 4455, 2325, 4440, 2325), mode_(mode) {
  SetColumns({"이름", "국왕"}, {1920, 2129});
}

void CountryPicker::Fill() {
  setWindowTitle("소속국가 선택");
  const bool cityEditor = mode_ == CountryPickerMode::EditedCity;
  if (cityEditor && callers_.cityEditor) {
    const QWidget* frame = callers_.cityEditor->OwnerGroup();
    PlaceBy(callers_.cityEditor->Form(), At(frame) + QPointF(0, frame ? frame->height() : 0));
  } else if (!cityEditor && callers_.createCity) {
    // The button's place inside its frame, without the frame's own offset.
    const QWidget* button = callers_.createCity->NewCityOwnerButton();
    PlaceBy(callers_.createCity->Form(), At(button) + QPointF(0, button ? button->height() : 0));
  }

  if (const ListView* countries = lists_.countries)
    for (int i = 0; i < countries->count(); ++i) {
      const ListItem* r = countries->row(i);
      AddRow(countries->cell(r, CountryColumn::Name), r->tag, {countries->cell(r, CountryColumn::King)});
    }

  // Only a save file has cities without owner, and only a city without generals may become one.
  if (IsSaveFile()) {
    bool offerNone = !cityEditor;
    if (cityEditor) {
      const ListView* cities = lists_.cities;
      const ListItem* edited = cities ? cities->selectedRow() : nullptr;
      offerNone = CellNumber(edited ? cities->cell(edited, CityColumn::Generals) : QString()) == 0;
    }
    if (offerNone) AddRow(kNoCountryRow, QString::number(kNoCountry), {""});
  }
}

void CountryPicker::TakeAnswer(ListItem* row) {
  const auto owner = std::uint8_t(CellNumber(row->tag));
  const QString text = row->text(0);
  if (mode_ == CountryPickerMode::EditedCity) {
    if (CityEditorCaller* e = callers_.cityEditor) {
      e->SetOwnerNo(owner);
      if (QLabel* l = e->OwnerNameLabel()) l->setText(TrimSpaces(text));
      if (QLabel* l = e->CityStatusLabel()) l->setText(text == kNoCountryRow ? "공백" : "일반");
    }
  } else if (CreateCityCaller* a = callers_.createCity) {
    a->SetOwnerNo(owner);
    if (QLabel* l = a->NewCityOwnerNameLabel()) l->setText(TrimSpaces(text));
  }
}

}  // namespace garam
