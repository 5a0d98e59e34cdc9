#include "ui/pickers/mother_picker.h"

#include "data/general_record.h"
#include "data/bitmaps.h"
#include "data/country_edit.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/other_edits.h"
#include "platform/pictureclip.h"
#include "ui/common/listcolumns.h"

namespace garam {

namespace {
template <typename Vec>
bool InRange(const Vec& v, int i) {
  return i >= 0 && std::size_t(i) < v.size();
}
}  // namespace

QString HusbandCountryName(int consort) {
  const auto& d = gData;
  if (!InRange(d.gSaveQueens, consort)) return {};
  const int husband = d.gSaveQueens[consort].get(QueenSaveRec::L.husband);
  if (husband >= kNoGeneral) return {};
  int city = -1;
  WithStoredGeneral(husband, [&](const auto& r) { city = r.get(r.L.city); });
  if (city < 0 || city >= kNoCity || !InRange(d.gSaveCities, city)) return {};
  const int country = d.gSaveCities[city].get(CitySaveRec::L.owner);
  if (country >= kNoCountry) return {};
  auto c = CountryAt(country);
  return c ? QString::fromStdString(ReadFixedName(c->name)) : QString();
}

MotherPicker::MotherPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers)
    : ListPicker(owner, lists, callers, "frmFind4", "어머니 선택", 6165, 2760, 6195, 2775) {
  SetColumns({"이름", "남편", "소속국가"}, {1755, 2115, 2000});
}

void MotherPicker::Fill() {
  if (PrincessEditorCaller* e = callers_.princessEditor)
    PlaceBy(e->Form(), BelowButton(e->MotherGroup(), e->ChangeMotherButton()));
  const ListView* consorts = lists_.consorts;
  if (!consorts) return;
  for (int i = 0; i < consorts->count(); ++i) {
    const ListItem* r = consorts->row(i);
    AddRow(consorts->cell(r, ConsortColumn::Name), r->tag,
           {consorts->cell(r, ConsortColumn::Husband), HusbandCountryName(CellNumber(r->tag))});
  }
}

void MotherPicker::TakeAnswer(ListItem* row) {
  PrincessEditorCaller* e = callers_.princessEditor;
  if (!e) return;
  e->SetMotherNo(std::int16_t(CellNumber(row->tag)));
  if (QLabel* l = e->MotherNameLabel()) l->setText(row->text(0));
  if (!gBitmapOk[1]) return;
  const int sphere = MotherSphere(e->MotherNo());
  if (sphere < 0) return;
  // Sphere 7 ("none") points one past the smallest women's sheet: the picture is then kept.
  const QImage face = MaskData(gFaceSheetWomen).Cell(kPrincessFaceBase + sphere);
  if (face.isNull()) return;
  if (QLabel* picture = e->PrincessFaceLabel()) picture->setPixmap(QPixmap::fromImage(face));
}

}  // namespace garam
