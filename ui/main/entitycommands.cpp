#include "ui/main/entitycommands.h"

#include <set>
#include <string>

#include "data/general_record.h"
#include "ui/common/shownstatus.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "data/territory.h"
#include "platform/dialogs.h"
#include "ui/common/childforms.h"
#include "ui/main/main_window.h"
#include "ui/main/headerpages.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

// Columns of the lists, counted as sub-items (0 is the name).
constexpr int kCountryCapital = 2, kCountryCities = 3, kCountryGenerals = 4;
constexpr int kCityOwner = 1, kCityGenerals = 2;
constexpr int kGeneralStatus = 1, kGeneralCountry = 9;

int Tag(const ListItem* row) {
  bool ok = false;
  const int n = row->tag.toInt(&ok);
  return ok ? n : -1;
}

int CountCell(ListView* lv, const ListItem* row, int column) { return lv->subItem(row, column).trimmed().toInt(); }
QString CountText(long long n) { return Q(Padded(n, 5)); }

void Refuse(MainWindow& w, const char* text) {
  w.Message(text, MsgIcon::Exclamation, MsgButtons::Ok, kMsgTitle);
}

bool Confirm(MainWindow& w) {
  return w.Message("정말로 없애겠습니까?", MsgIcon::Exclamation, MsgButtons::YesNo, kMsgTitle) == MsgResult::Yes;
}

std::string FileName(MainWindow& w) { return w.Status(2); }

// True when some row holds text in one of its columns after the name.
bool AnyRowHolds(ListView* lv, const QString& text) {
  for (int i = 0; i < lv->count(); ++i)
    for (int c = 1; c < lv->columnCount(); ++c)
      if (lv->subItem(lv->row(i), c) == text) return true;
  return false;
}

std::size_t ArraySize(int list) {
  switch (list) {
    case 2: return gData.gCountries.size();
    case 3: return gData.gCities.size();
    case 4: return std::size_t(StoredGeneralCount());
    case 5: return gData.gQueens.size();
    default: return 0;
  }
}

// Deletes shorten the array, so only its last record may go, whatever the button's state.
bool IsLastRecord(int list, const ListItem* row) {
  const int n = Tag(row);
  return n >= 0 && std::size_t(n) + 1 == ArraySize(list);
}

// In a numbered scenario only the last record's row may offer the delete.
void FollowDeleteButton(MainWindow& w, int list) {
  if (!IsNumberedScenario(gFileKind)) return;
  ListView* lv = w.List(list);
  ListItem* row = lv->selectedRow();
  if (QPushButton* del = w.DeleteButton(list)) del->setEnabled(row && Tag(row) + 1 == lv->count());
}

void FinishDelete(MainWindow& w, int list, ListItem* row) {
  ListView* lv = w.List(list);
  lv->removeRow(lv->indexOf(row));
  gDataChanged = true;
  w.SetStatus(3, "*");
  UpdateListCaptions(w);
  FollowDeleteButton(w, list);
}

int GeneralCity(int general) {
  int city = kNoCity;
  WithStoredGeneral(general, [&](const auto& g) { city = g.get(g.L.city); });
  return city;
}

void Create(MainWindow& w, int list) {
  ListView* lv = w.List(list);
  static const int kLimits[6] = {0, 0, 80, 80, 500, 200};
  if (lv->count() >= kLimits[list]) return Refuse(w, "더이상 작성은 불가능합니다.");
  if (list == 2) {
    if (IsSaveFile()) {
      if (!AnyRowHolds(w.ListView3, Q(Dashes(kNoCountryDashes))))
        return Refuse(w, "공백도시가 최소한 하나 이상 있어야 합니다.");
      if (!AnyRowHolds(w.ListView4, StatusCaption(GeneralStatus::Unaffiliated))) return Refuse(w, "재야장군이 최소한 한명 이상 있어야 합니다.");
    } else if (!AnyRowHolds(w.ListView4, StatusCaption(GeneralStatus::Lord))) {
      return Refuse(w, "여분의 영주가 다스리는 도시가 필요합니다.");
    }
  }
  const int rowsBefore = lv->count();
  ShowForm("frmAdd" + std::to_string(list - 1), &w);
  lv->setSorted(false);
  lv->setSorted(true);
  // Counts are patched at the next save only when a record was created; a cancelled dialog
  // leaves the executable alone.
  if (lv->count() != rowsBefore) UpdateListCaptions(w);
  if (list != 2 || !IsSaveFile()) {
    if (ListItem* row = lv->selectedRow()) {
      QPushButton* del = w.DeleteButton(list);
      if (Tag(row) + 1 < lv->count()) del->setEnabled(false);
      if (list == 3 && gFileKind == kSaveKr) del->setEnabled(true);
    }
  }
  lv->setFocus();
}

void DeleteCountry(MainWindow& w, ListItem* row) {
  ListView* lv = w.ListView2;
  if (lv->count() <= 1) return Refuse(w, "더이상 삭제할 수 없습니다.");
  if (CountCell(lv, row, kCountryCities) != 1) return Refuse(w, "도시수가 1개인 국가만 삭제할 수 있습니다.");
  if (!Confirm(w)) return;

  ListItem* first = lv->findTag("0");
  const QString fallback = first ? first->text(0) : QString();
  const QString prompt = "수도인 " + lv->subItem(row, kCountryCapital) + "와 그곳에 속해있던 장군들을 위한\r\n" +
                         "새로운 소속국가를 지정해 주십시오.";
  const QString answer = Dialogs().InputBox(&w, prompt, "새로운 소속국가 입력", fallback).value_or(QString()).trimmed();
  // The country being deleted cannot inherit from itself.
  ListItem* heirRow = nullptr;
  for (int i = 0; i < lv->count() && !heirRow; ++i)
    if (lv->row(i) != row && lv->row(i)->text(0) == answer) heirRow = lv->row(i);
  if (!heirRow) {
    heirRow = first;
    w.Message("해당 국가를 발견하지 못했습니다. 그래서...", MsgIcon::Exclamation, MsgButtons::Ok, kMsgTitle);
  }
  if (!heirRow || heirRow == row) return;
  const QString heirName = heirRow->text(0);
  w.Message(S(heirName) + " 소속으로 변경하겠습니다.", MsgIcon::Information, MsgButtons::Ok, kMsgTitle);

  const CountryDeleteResult r = DeleteLastCountry(Tag(heirRow));
  const std::set<int> moved(r.cities.begin(), r.cities.end());
  int movedGenerals = 0;
  for (int city : r.cities) {
    if (ListItem* cityRow = w.ListView3->findTag(QString::number(city))) {
      movedGenerals += CountCell(w.ListView3, cityRow, kCityGenerals);
      w.ListView3->setSubItem(cityRow, kCityOwner, heirName);
    }
  }
  lv->setSubItem(heirRow, kCountryCities, CountText(CountCell(lv, heirRow, kCountryCities) + long(r.cities.size())));
  lv->setSubItem(heirRow, kCountryGenerals, CountText(CountCell(lv, heirRow, kCountryGenerals) + movedGenerals));
  // Every general of the former capital now serves the heir, whatever his status.
  ListView* generals = w.ListView4;
  for (int i = 0; i < generals->count(); ++i) {
    ListItem* g = generals->row(i);
    if (moved.count(GeneralCity(Tag(g)))) generals->setSubItem(g, kGeneralCountry, heirName);
  }
  if (r.king >= 0)
    if (ListItem* king = generals->findTag(QString::number(r.king))) generals->setSubItem(king, kGeneralStatus, StatusCaption(GeneralStatus::Lord));
  FinishDelete(w, 2, row);
}

void DeleteCityCommand(MainWindow& w, ListItem* row) {
  ListView* lv = w.ListView3;
  const int city = Tag(row);
  if (gFileKind == kSaveKr) {
    if (lv->subItem(row, kCityOwner) != Q(Dashes(kNoCountryDashes))) return Refuse(w, "공백 도시만 가능합니다.");
    // A general left naming a deleted city would follow a dangling reference in the game.
    if (CityHasGenerals(city)) return Refuse(w, "장군수가 0인 도시만 가능합니다.");
    auto* rec = At(gData.gSaveCities, city);
    if (!rec) return;
    if (IsEventCityCode(rec->get(kCitySave.code))) return Refuse(w, "능력상승 이벤트 관련도시는 없앨 수 없습니다.");
    if (!Confirm(w)) return;
    DeleteCity(city);
    FinishDelete(w, 3, row);
    return;
  }
  if (CountCell(lv, row, kCityGenerals) != 0 || CityHasGenerals(city)) return Refuse(w, "장군수가 0인 도시만 가능합니다.");
  if (IsEventCityCode(gData.gCities.back().get(kCityScen.code)))
    return Refuse(w, "능력상승 이벤트 관련도시는 없앨 수 없습니다.");
  if (!Confirm(w)) return;
  const int owner = DeleteLastScenarioCity();
  if (ListItem* ownerRow = w.ListView2->findTag(QString::number(owner)))
    w.ListView2->setSubItem(ownerRow, kCountryCities, CountText(CountCell(w.ListView2, ownerRow, kCountryCities) - 1));
  FinishDelete(w, 3, row);
}

void DeleteGeneral(MainWindow& w, ListItem* row) {
  ListView* lv = w.ListView4;
  if (lv->count() <= 1) return Refuse(w, "더이상 삭제할 수 없습니다.");
  if (ShownStatus(lv->subItem(row, kGeneralStatus)) != GeneralStatus::Unaffiliated) return Refuse(w, "재야 장군만 가능합니다.");
  if (!Confirm(w)) return;
  const int general = Tag(row);
  if (IsRelationOfAnyGeneral(general)) return Refuse(w, "다른 장군의 혈연으로 설정되어 있어서 삭제할 수 없습니다.");
  if (IsNuribo(general, FileName(w))) return Refuse(w, "누리보는 삭제할 수 없습니다.");
  DeleteLastScenarioGeneral();
  FinishDelete(w, 4, row);
}

void DeleteConsort(MainWindow& w, ListItem* row) {
  ListView* lv = w.ListView5;
  if (lv->count() <= 1) return Refuse(w, "더이상 삭제할 수 없습니다.");
  if (IsEventConsort(gData.gQueens.back().get(kQueenScen.code), FileName(w)))
    return Refuse(w, "이벤트와 관련된 왕비는 없앨 수 없습니다.");
  if (!Confirm(w)) return;
  DeleteLastScenarioConsort();
  FinishDelete(w, 5, row);
}

void Delete(MainWindow& w, int list) {
  ListView* lv = w.List(list);
  ListItem* row = lv->selectedRow();
  if (!row) return;
  if (list == 3 && gFileKind == kSaveKr) {
    DeleteCityCommand(w, row);
  } else if (IsNumberedScenario(gFileKind) && IsLastRecord(list, row)) {
    switch (list) {
      case 2: DeleteCountry(w, row); break;
      case 3: DeleteCityCommand(w, row); break;
      case 4: DeleteGeneral(w, row); break;
      case 5: DeleteConsort(w, row); break;
    }
  } else {
    return;
  }
  lv->setFocus();
}

void Edit(MainWindow& w, int list) {
  ListView* lv = w.List(list);
  ListItem* row = lv->selectedRow();
  if (!row) return;
  const int number = Tag(row);
  if (number < 0) return;
  ShowForm("frmEdit" + std::to_string(list), &w, {.record = number});
  lv->setFocus();
}

}  // namespace

void EntityCommand(MainWindow& w, int list, int index) {
  if (!w.List(list) || list < 2 || list > 9) return;
  if (index == 2 || list >= 6) return Edit(w, list);
  if (index == 0) return Create(w, list);
  if (index == 1) return Delete(w, list);
}

void HeaderPageCommand(MainWindow& w, int page, int index) {
  if (page == 0) ScenarioPageCommand(w, index);
  else if (page == 1) SavePageCommand(w, index);
}

}  // namespace garam
