#include "ui/main/generalswap.h"

#include <QCursor>

#include "data/general_record.h"
#include "ui/common/shownstatus.h"
#include "ui/common/listcolumns.h"
#include "data/entity_ops.h"
#include "data/gamedata.h"
#include "platform/dialogs.h"
#include "ui/main/main_window.h"

namespace garam {
namespace {

ListItem* LastRow(ListView* lv) { return lv->count() > 0 ? lv->row(lv->count() - 1) : nullptr; }

void Refuse(MainWindow& w, const char* text) { w.Message(text, MsgIcon::Exclamation, MsgButtons::Ok, kMsgTitle); }

}  // namespace

void WireGeneralSwap(MainWindow& w) {
  w.generalSwapAction = w.generalSwapMenu->addAction("↕");
  w.generalSwapAction->setObjectName("mnuPulldown");
  QObject::connect(w.generalSwapAction, &QAction::triggered, &w, [&w] { MoveGeneralRecord(w); });
  QObject::connect(w.generalList, &ListView::rightButtonReleased, &w, [&w](const QPoint&) { GeneralListRightButton(w); });
}

bool GeneralSwapOffered(MainWindow& w) {
  if (!IsNumberedScenario(gFileKind)) return false;
  ListView* lv = w.generalList;
  ListItem* s = lv->selectedRow();
  ListItem* l = LastRow(lv);
  auto unaffiliated = [lv](const ListItem* row) {
    return ShownStatus(lv->subItem(row, GeneralColumn::Status)) == GeneralStatus::Unaffiliated;
  };
  return s && l && unaffiliated(s) && unaffiliated(l) &&
         s->tag != l->tag;
}

void GeneralListRightButton(MainWindow& w) {
  if (GeneralSwapOffered(w)) w.generalSwapMenu->popup(QCursor::pos());
}

void MoveGeneralRecord(MainWindow& w) {
  // The menu may outlive the state it was opened for.
  if (!GeneralSwapOffered(w)) return;
  ListView* lv = w.generalList;
  ListItem* s = lv->selectedRow();
  ListItem* l = LastRow(lv);
  const int a = s->tag.toInt(), b = l->tag.toInt();
  if (IsRelationOfAnyGeneral(a) || IsRelationOfAnyGeneral(b))
    return Refuse(w, "다른 장군의 혈연으로 설정되어 있어서 위치를 이동할 수 없습니다.");
  if (IsNuribo(a, w.ShownFileName()) || IsNuribo(b, w.ShownFileName())) return Refuse(w, "누리보는 위치를 이동할 수 없습니다.");

  // The record-number column stays with its row.
  QStringList texts[2];
  for (int i = 0; i < 2; ++i)
    for (int c = 0; c < GeneralColumn::Record; ++c) texts[i] << lv->cell(i == 0 ? s : l, c);
  // Sorting would move the rows under us while their cells change one by one.
  lv->beginUpdate();
  for (int c = 0; c < GeneralColumn::Record; ++c) {
    lv->setCell(s, c, texts[1][c]);
    lv->setCell(l, c, texts[0][c]);
  }
  lv->endUpdate();
  SwapScenarioGenerals(a, b);
  gDataChanged = true;
  w.SetStatus(StatusPanel::ChangedMark, "*");
  UpdateListCaptions(w);
  lv->selectRow(s);
}

}  // namespace garam
