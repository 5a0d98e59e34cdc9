#include "ui/main/entitycommands.h"

#include <string>

#include "data/gamedata.h"
#include "ui/main/childforms.h"
#include "ui/main/frmMain.h"

namespace garam {

void EntityCommand(frmMain& w, int list, int index) {
  ListView* lv = w.List(list);
  if (!lv || list < 2 || list > 9) return;
  if (index != 2) return;  // create and delete: not yet built
  ListItem* row = lv->selectedRow();
  if (!row) return;
  bool ok = false;
  const int number = row->tag.toInt(&ok);
  if (!ok) return;
  gChildFormArg = std::int16_t(number);
  ShowForm("frmEdit" + std::to_string(list), &w);
  lv->setFocus();
}

void HeaderPageCommand(frmMain&, int, int) {}

}  // namespace garam
