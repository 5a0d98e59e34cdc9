#include "ui/main/entitycommands.h"

#include <string>
#include <vector>

#include "data/general_record.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "data/general_counts.h"
#include "data/general_status.h"
#include "data/ids.h"
#include "data/record_access.h"
#include "data/territory.h"
#include "platform/dialogs.h"
#include "ui/common/childforms.h"
#include "ui/common/listcolumns.h"
#include "ui/main/headerpages.h"
#include "ui/main/main_window.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

int Tag(const ListItem* row) {
  bool ok = false;
  const int n = row->tag.toInt(&ok);
  return ok ? n : -1;
}

// The count the country's row shows: every change of the counts shows its rows anew.
int CountryCityCount(int country) {
  const auto* n = At(gData.gCountryCityCount, country);
  return n ? *n : 0;
}

void Refuse(MainWindow& w, const char* text) {
  w.Message(text, MsgIcon::Exclamation, MsgButtons::Ok, kMsgTitle);
}

bool Confirm(MainWindow& w) {
  return w.Message("정말로 없애겠습니까?", MsgIcon::Exclamation, MsgButtons::YesNo, kMsgTitle) == MsgResult::Yes;
}

// True when some row holds text in one of its columns after the name.
bool AnyRowHolds(ListView* lv, const QString& text) {
  for (int i = 0; i < lv->count(); ++i)
    for (int c = 1; c < lv->columnCount(); ++c)
      if (lv->subItem(lv->row(i), c) == text) return true;
  return false;
}

std::size_t ArraySize(EntityList list) {
  const auto size = [](const auto& v) { return v.size(); };
  switch (list) {
    case EntityList::Countries: return WithCountries(size);
    case EntityList::Cities: return WithCities(size);
    case EntityList::Generals: return std::size_t(StoredGeneralCount());
    case EntityList::Consorts: return WithConsorts(size);
    default: return 0;
  }
}

// Deletes shorten the array, so only its last record may go, whatever the button's state.
bool IsLastRecord(EntityList list, const ListItem* row) {
  const int n = Tag(row);
  return n >= 0 && std::size_t(n) + 1 == ArraySize(list);
}

// In a numbered scenario only the last record's row may offer the delete.
void FollowDeleteButton(MainWindow& w, EntityList list) {
  if (!IsNumberedScenario(gFileKind)) return;
  ListView* lv = w.ListOf(list);
  ListItem* row = lv->selectedRow();
  if (QPushButton* del = w.DeleteButton(list)) del->setEnabled(row && Tag(row) + 1 == lv->count());
}

void FinishDelete(MainWindow& w, EntityList list, ListItem* row) {
  ListView* lv = w.ListOf(list);
  lv->removeRow(lv->indexOf(row));
  gDataChanged = true;
  w.SetStatus(StatusPanel::ChangedMark, "*");
  UpdateListCaptions(w);
  FollowDeleteButton(w, list);
}

// How many records the game holds of the lists that create.
int CreateLimit(EntityList list) {
  switch (list) {
    case EntityList::Countries: return 80;
    case EntityList::Cities: return 80;
    case EntityList::Generals: return 500;
    case EntityList::Consorts: return 200;
    default: return 0;
  }
}

void Create(MainWindow& w, EntityList list) {
  ListView* lv = w.ListOf(list);
  if (lv->count() >= CreateLimit(list)) return Refuse(w, "더이상 작성은 불가능합니다.");
  if (list == EntityList::Countries) {
    if (IsSaveFile()) {
      if (!AnyRowHolds(w.cityList, Q(Dashes(kNoCountryDashes))))
        return Refuse(w, "공백도시가 최소한 하나 이상 있어야 합니다.");
      if (!AnyRowHolds(w.generalList, StatusCaption(GeneralStatus::Unaffiliated))) return Refuse(w, "재야장군이 최소한 한명 이상 있어야 합니다.");
    } else if (!AnyRowHolds(w.generalList, StatusCaption(GeneralStatus::Lord))) {
      return Refuse(w, "여분의 영주가 다스리는 도시가 필요합니다.");
    }
  }
  const int rowsBefore = lv->count();
  // The create dialogs are numbered from the country list's, the editors as the lists.
  ShowForm("frmAdd" + std::to_string(int(list) - int(EntityList::Players)), &w);
  lv->setSorted(false);
  lv->setSorted(true);
  // Counts are patched at the next save only when a record was created; a cancelled dialog
  // leaves the executable alone.
  if (lv->count() != rowsBefore) UpdateListCaptions(w);
  if (list != EntityList::Countries || !IsSaveFile()) {
    if (ListItem* row = lv->selectedRow()) {
      QPushButton* del = w.DeleteButton(list);
      if (Tag(row) + 1 < lv->count()) del->setEnabled(false);
      if (list == EntityList::Cities && gFileKind == kSaveKr) del->setEnabled(true);
    }
  }
  lv->setFocus();
}

void DeleteCountry(MainWindow& w, ListItem* row) {
  ListView* lv = w.countryList;
  if (lv->count() <= 1) return Refuse(w, "더이상 삭제할 수 없습니다.");
  if (CountryCityCount(Tag(row)) != 1) return Refuse(w, "도시수가 1개인 국가만 삭제할 수 있습니다.");
  if (!Confirm(w)) return;

  ListItem* first = lv->findTag("0");
  const QString fallback = first ? first->text(0) : QString();
  const QString prompt = "수도인 " + lv->subItem(row, CountryColumn::Capital) + "와 그곳에 속해있던 장군들을 위한\r\n" +
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
  // The heir's counts, the owner of its new cities and the country of every general there, and
  // the former king, now lord of his city.
  w.RefreshRow(EntityList::Countries, Tag(heirRow));
  w.RefreshRows(EntityList::Cities, r.cities);
  std::vector<int> generals = r.generals;
  if (r.king >= 0) generals.push_back(r.king);
  w.RefreshRows(EntityList::Generals, generals);
  FinishDelete(w, EntityList::Countries, row);
}

void DeleteCityCommand(MainWindow& w, ListItem* row) {
  ListView* lv = w.cityList;
  const int city = Tag(row);
  if (gFileKind == kSaveKr) {
    // The cell, not the owner byte: a country named in dashes has always passed for none here.
    if (lv->subItem(row, CityColumn::Owner) != Q(Dashes(kNoCountryDashes))) return Refuse(w, "공백 도시만 가능합니다.");
    // A general left naming a deleted city would follow a dangling reference in the game.
    if (CityHasGenerals(city)) return Refuse(w, "장군수가 0인 도시만 가능합니다.");
    int code = 0;
    if (!WithCity(city, [&](const auto& c) { code = c.get(c.L.code); })) return;
    if (IsEventCityCode(code)) return Refuse(w, "능력상승 이벤트 관련도시는 없앨 수 없습니다.");
    if (!Confirm(w)) return;
    DeleteCity(city);
    FinishDelete(w, EntityList::Cities, row);
    return;
  }
  if (GeneralCount(GeneralTally::City, city) != 0 || CityHasGenerals(city)) return Refuse(w, "장군수가 0인 도시만 가능합니다.");
  // Only the last city comes here, the one a delete can reach.
  int code = 0;
  WithCity(city, [&](const auto& c) { code = c.get(c.L.code); });
  if (IsEventCityCode(code)) return Refuse(w, "능력상승 이벤트 관련도시는 없앨 수 없습니다.");
  if (!Confirm(w)) return;
  const int owner = DeleteLastScenarioCity();
  w.RefreshRow(EntityList::Countries, owner);
  FinishDelete(w, EntityList::Cities, row);
}

void DeleteGeneral(MainWindow& w, ListItem* row) {
  ListView* lv = w.generalList;
  if (lv->count() <= 1) return Refuse(w, "더이상 삭제할 수 없습니다.");
  const int general = Tag(row);
  GeneralWorkingCopy record;
  if (!ReadGeneral(general, record) || RecordStatus(record) != GeneralStatus::Unaffiliated)
    return Refuse(w, "재야 장군만 가능합니다.");
  if (!Confirm(w)) return;
  if (IsRelationOfAnyGeneral(general)) return Refuse(w, "다른 장군의 혈연으로 설정되어 있어서 삭제할 수 없습니다.");
  if (IsNuribo(general, w.ShownFileName())) return Refuse(w, "누리보는 삭제할 수 없습니다.");
  DeleteLastScenarioGeneral();
  FinishDelete(w, EntityList::Generals, row);
}

void DeleteConsort(MainWindow& w, ListItem* row) {
  ListView* lv = w.consortList;
  if (lv->count() <= 1) return Refuse(w, "더이상 삭제할 수 없습니다.");
  // Only the last consort comes here, the one a delete can reach.
  int code = 0;
  WithConsort(Tag(row), [&](const auto& q) { code = q.get(q.L.code); });
  if (IsEventConsort(code, w.ShownFileName())) return Refuse(w, "이벤트와 관련된 왕비는 없앨 수 없습니다.");
  if (!Confirm(w)) return;
  DeleteLastScenarioConsort();
  FinishDelete(w, EntityList::Consorts, row);
}

void Delete(MainWindow& w, EntityList list) {
  ListView* lv = w.ListOf(list);
  ListItem* row = lv->selectedRow();
  if (!row) return;
  if (list == EntityList::Cities && gFileKind == kSaveKr) {
    DeleteCityCommand(w, row);
  } else if (IsNumberedScenario(gFileKind) && IsLastRecord(list, row)) {
    switch (list) {
      case EntityList::Countries: DeleteCountry(w, row); break;
      case EntityList::Cities: DeleteCityCommand(w, row); break;
      case EntityList::Generals: DeleteGeneral(w, row); break;
      case EntityList::Consorts: DeleteConsort(w, row); break;
      default: break;
    }
  } else {
    return;
  }
  lv->setFocus();
}

void Edit(MainWindow& w, EntityList list) {
  ListView* lv = w.ListOf(list);
  ListItem* row = lv->selectedRow();
  if (!row) return;
  const int number = Tag(row);
  if (number < 0) return;
  ShowForm("frmEdit" + std::to_string(int(list)), &w, {.record = number});
  lv->setFocus();
}

}  // namespace

void EntityCommand(MainWindow& w, EntityList list, ListCommand command) {
  if (!w.ListOf(list) || list == EntityList::Players) return;
  if (command == ListCommand::Edit || list >= EntityList::Princesses) return Edit(w, list);
  if (command == ListCommand::Create) return Create(w, list);
  if (command == ListCommand::Delete) return Delete(w, list);
}

void HeaderPageCommand(MainWindow& w, HeaderPage page, HeaderCommand command) {
  switch (page) {
    case HeaderPage::Scenario: return ScenarioPageCommand(w, command);
    case HeaderPage::Save: return SavePageCommand(w, command);
  }
}

}  // namespace garam
