#include "ui/pickers/general_picker.h"

#include "data/general_record.h"
#include "ui/common/listcolumns.h"
#include "ui/common/shownstatus.h"
#include "data/country_edit.h"
#include "data/gamedata.h"
#include "data/general_status.h"

namespace garam {

namespace {
const char* Caption(GeneralPickerMode mode) {
  using enum GeneralPickerMode;
  switch (mode) {
    case ConsortFather: return "아버지 선택";
    case ConsortHusband:
    case NewConsortHusband: return "남편 선택";
    case NewLord: return "새영주 선택";
    case King:
    case NewCountryKing: return "국왕 선택";
    case Relative: break;
  }
  return "장군 선택";
}
}  // namespace

GeneralPicker::GeneralPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers,
                             GeneralPickerMode mode, int editedGeneral)
    : ListPicker(owner, lists, callers, "frmFind3", "장군 선택", 6855, 3255, 6855, 3255),
      mode_(mode),
      editedGeneral_(editedGeneral) {
  SetColumns({"이름", "신분", "소속도시", "소속국가"}, {1950, 720, 2001, 1800});
}

void GeneralPicker::AddGeneralRow(const ListItem* source) {
  const ListView* from = lists_.generals;
  AddRow(from->cell(source, GeneralColumn::Name), source->tag,
         {from->cell(source, GeneralColumn::Status), from->cell(source, GeneralColumn::City),
          from->cell(source, GeneralColumn::Country)});
}

void GeneralPicker::Fill() {
  setWindowTitle(QString::fromUtf8(Caption(mode_)));
  PlaceByCaller();
  if (!lists_.generals) return;
  using enum GeneralPickerMode;
  switch (mode_) {
    case ConsortFather:
    case ConsortHusband:
    case NewConsortHusband: AddGrownMenRows(); break;
    case NewLord: AddSuccessorRows(); break;
    case King: AddCountryGeneralRows(); break;
    case NewCountryKing: AddUnaffiliatedRows(); break;
    case Relative: AddAllRows(); break;
  }
}

void GeneralPicker::PlaceByCaller() {
  using enum GeneralPickerMode;
  auto& c = callers_;
  switch (mode_) {
    case ConsortFather:
      if (ConsortEditorCaller* e = c.consortEditor)
        PlaceBy(e->Form(), BelowButton(e->FatherGroup(), e->ChangeFatherButton()));
      break;
    case ConsortHusband:
      if (ConsortEditorCaller* e = c.consortEditor)
        PlaceBy(e->Form(), BelowButton(e->HusbandGroup(), e->ChangeHusbandButton()));
      break;
    case NewLord:
      if (c.statusMenu) PlaceBy(c.statusMenu, {});
      break;
    case King:
      if (c.countryEditor) {
        const QWidget* frame = c.countryEditor->KingGroup();
        PlaceBy(c.countryEditor->Form(), At(frame) + QPointF(0, frame ? frame->height() : 0));
      }
      break;
    case NewConsortHusband:
      if (CreateConsortCaller* a = c.createConsort)
        PlaceBy(a->Form(), BelowButton(a->NewHusbandGroup(), a->ChangeNewHusbandButton()));
      break;
    case NewCountryKing:
      if (CreateCountryCaller* a = c.createCountry)
        PlaceBy(a->Form(), BelowButton(a->NewKingGroup(), a->ChangeNewKingButton()));
      break;
    case Relative:
      if (c.bloodRelation) {
        const QWidget* button = c.bloodRelation->PickGeneralButton();
        PlaceBy(c.bloodRelation->Form(), At(button) + (button ? QPointF(button->width() / 2.0, button->height() / 2.0)
                                                          : QPointF()));
      }
      break;
  }
}

void GeneralPicker::AddGrownMenRows() {
  const ListView* generals = lists_.generals;
  const bool father = mode_ == GeneralPickerMode::ConsortFather;
  for (int i = 0; i < generals->count(); ++i) {
    const ListItem* g = generals->row(i);
    // Grown men only: a minor or a general not yet appeared is no father or husband.
    const std::optional<GeneralStatus> status = ShownStatus(generals->cell(g, GeneralColumn::Status));
    const bool adult = status == GeneralStatus::King || status == GeneralStatus::Lord ||
                       status == GeneralStatus::Ordinary || status == GeneralStatus::Unaffiliated;
    if (adult && (father || status != GeneralStatus::Unaffiliated)) AddGeneralRow(g);
  }
  if (father) AddRow("       없음", QString::number(kNoGeneral), {"", "", ""});
}

void GeneralPicker::AddSuccessorRows() {
  const GeneralEditorCaller* editor = callers_.generalEditor;
  if (!editor) return;
  const ListView* generals = lists_.generals;
  // Only a general the status change will install: one offered and then dropped would leave
  // the city without a lord. By record numbers, as cities and generals may share names.
  const int city = editor->OrgCityNo();
  for (int i = 0; i < generals->count(); ++i)
    if (CanSucceedLord(editedGeneral_, city, CellNumber(generals->row(i)->tag))) AddGeneralRow(generals->row(i));
}

void GeneralPicker::AddCountryGeneralRows() {
  CountryEditorCaller* editor = callers_.countryEditor;
  const ListItem* country = lists_.countries ? lists_.countries->selectedRow() : nullptr;
  if (!country || !editor) return;
  const ListView* generals = lists_.generals;
  const int countryNo = CellNumber(country->tag);
  const int king = editor->KingNo();
  const QLineEdit* nameBox = editor->CountryNameBox();
  const QString typedName = nameBox ? nameBox->text() : QString();
  for (int i = 0; i < generals->count(); ++i) {
    const ListItem* g = generals->row(i);
    // By the owner of his city: another country may bear the same name.
    if (GeneralCountry(CellNumber(g->tag)) != countryNo) continue;
    if (ShownStatus(generals->cell(g, GeneralColumn::Status)) == GeneralStatus::Unaffiliated) continue;
    AddRow(generals->cell(g, GeneralColumn::Name), g->tag,
           {StatusCaption(CellNumber(g->tag) == king ? GeneralStatus::King : GeneralStatus::Ordinary),
            generals->cell(g, GeneralColumn::City), typedName});
  }
  // "국왕" sorts before "일반": the current king comes first and is selected.
  list_->setSortKey(1);
}

void GeneralPicker::AddUnaffiliatedRows() {
  const ListView* generals = lists_.generals;
  for (int i = 0; i < generals->count(); ++i)
    if (ShownStatus(generals->cell(generals->row(i), GeneralColumn::Status)) == GeneralStatus::Unaffiliated)
      AddGeneralRow(generals->row(i));
}

void GeneralPicker::AddAllRows() {
  const ListView* generals = lists_.generals;
  for (int i = 0; i < generals->count(); ++i) AddGeneralRow(generals->row(i));
}

void GeneralPicker::TakeAnswer(ListItem* row) {
  const auto number = std::int16_t(CellNumber(row->tag));
  const QString text = row->text(0);
  auto setText = [](QLabel* label, const QString& t) {
    if (label) label->setText(t);
  };
  auto enable = [](QAbstractButton* button) {
    if (button) button->setEnabled(true);
  };
  auto& c = callers_;
  using enum GeneralPickerMode;
  switch (mode_) {
    case ConsortFather:
      if (!c.consortEditor) break;
      c.consortEditor->SetFatherNo(number);
      setText(c.consortEditor->FatherNameLabel(), TrimSpaces(text));
      break;
    case ConsortHusband:
      if (!c.consortEditor) break;
      c.consortEditor->SetHusbandNo(number);
      setText(c.consortEditor->HusbandNameLabel(), text);
      break;
    case NewLord:
      if (!c.generalEditor) break;
      c.generalEditor->SetNewLordNo(number);
      setText(c.generalEditor->StatusLabel(), StatusCaption(GeneralStatus::Ordinary));
      enable(c.generalEditor->ChangeCityButton());
      break;
    case King:
      if (!c.countryEditor) break;
      c.countryEditor->SetKingNo(number);
      setText(c.countryEditor->KingNameLabel(), text);
      if (!IsSaveFile()) SetCultureSphere(c.countryEditor->KingNo());
      break;
    case NewConsortHusband:
      if (!c.createConsort) break;
      c.createConsort->SetHusbandNo(number);
      setText(c.createConsort->NewHusbandNameLabel(), text);
      break;
    case NewCountryKing:
      if (!c.createCountry) break;
      c.createCountry->SetKingNo(number);
      setText(c.createCountry->NewKingNameLabel(), text);
      break;
    case Relative:
      if (!c.bloodRelation) break;
      c.bloodRelation->SetGeneralNo(number);
      setText(c.bloodRelation->RelativeNameLabel(), text);
      enable(c.bloodRelation->OkButton());
      break;
  }
}

// A king's home region sets the country's culture sphere in a scenario. A general, region or
// sphere outside the tables (sphere 7 is "none", which the box does not list) leaves the box as
// it was.
void GeneralPicker::SetCultureSphere(int general) {
  QComboBox* box = callers_.countryEditor->SphereCombo();
  if (!box || general < 0) return;
  const auto& d = gData;
  int region = -1;
  if (!IsSaveFile()) WithStoredGeneral(general, [&](const auto& r) { region = r.get(r.L.region); });
  if (region < 0 || std::size_t(region) >= d.gRegions.size()) return;
  const int sphere = d.gRegions[region].get(RegionScenRec::L.sphere);
  if (sphere <= 6 && sphere < box->count()) box->setCurrentIndex(sphere);
}

}  // namespace garam
