#include "ui/main/fillmain.h"

#include <map>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/ids.h"
#include "platform/textguard.h"
#include "ui/main/main_window.h"
#include "ui/main/mainlists.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

QString Q8(const std::string& s) { return QString::fromStdString(s); }

// Shows r in item, or in a new row when item is null. A row shown before loses the colour and
// bold its cells had; a new one is only styled where r asks, which keeps a fill cheap.
void ShowRow(ListView* lv, ListItem* item, const ListRow& r) {
  const int columns = int(r.sub.size()) + 1;
  const bool fresh = !item;
  if (fresh) {
    QStringList sub;
    for (const std::string& s : r.sub) sub << Q8(s);
    item = lv->addRow(Q8(r.text), Q8(r.tag), sub);
  } else {
    lv->setCell(item, 0, Q8(r.text));
    for (int c = 1; c < columns; ++c) lv->setCell(item, c, Q8(r.sub[std::size_t(c - 1)]));
    for (int c = 0; c < columns; ++c) {
      if (lv->cellForeColor(item, c).isValid()) item->setData(c, Qt::ForegroundRole, QVariant());
      if (lv->cellBold(item, c)) lv->setCellBold(item, c, false);
    }
  }
  if (r.color != kNoColor) {
    const QColor color(int(r.color >> 16), int((r.color >> 8) & 0xFF), int(r.color & 0xFF));
    for (int c = 0; c < columns; ++c) lv->setCellForeColor(item, c, color);
  }
  for (int c : r.bold) lv->setCellBold(item, c, true);
}

void ShowRows(ListView* lv, const std::vector<ListRow>& rows) {
  lv->beginUpdate();
  for (const ListRow& r : rows) ShowRow(lv, nullptr, r);
  lv->endUpdate();
  if (lv->count() > 0) lv->selectRow(lv->row(0));
}

// The rows the fill shows in list, built the same way.
std::vector<ListRow> RowsOf(const ListSource& source, EntityList list) {
  const bool save = source.save;
  switch (list) {
    case EntityList::Players: return save ? BuildSavePage(source).players : std::vector<ListRow>{};
    case EntityList::Countries: return CountryRows(source, gPlayerCountry);
    case EntityList::Cities: return CityRows(source, gPlayerCountry);
    case EntityList::Generals: {
      std::int32_t unappeared = 0;
      return GeneralRows(source, gPlayerCountry, unappeared);
    }
    case EntityList::Consorts: return QueenRows(source);
    case EntityList::Princesses: return save ? PrincessRows(source) : std::vector<ListRow>{};
    case EntityList::UnitTypes: return UnitTypeRows(source);
    case EntityList::Regions: return RegionRows(source);
    case EntityList::CultureItems: return save ? std::vector<ListRow>{} : CultureItemRows(source);
  }
  return {};
}

void ShowScenarioPage(MainWindow& w, const ScenarioPage& p) {
  w.scenarioTitle->setVisible(false);
  SetByteMaxLength(w.scenarioTitle, p.titleMaxBytes);
  w.startYear->setText(Q8(p.startYear));
  w.scenarioTitle->setText(Q8(p.title));
  w.description->setPlainText(Q8(p.description));
  w.scenarioTitle->setVisible(true);
}

void ShowSavePage(MainWindow& w, const SavePage& p) {
  {
    const QSignalBlocker block(w.season);
    w.season->clear();
    for (const char* s : kSeasons) w.season->addItem(s);
    w.season->setCurrentIndex(p.season >= 0 && p.season < 6 ? p.season : -1);
  }
  w.currentYear->setText(Q8(p.year));
  w.playerCountry->setText(Q8(p.countryName));
  w.playerKing->setText(Q8(p.kingName));
  ShowRows(w.playerList, p.players);
  for (std::size_t k = 0; k < kPlayerSlotCount; ++k) {
    const PlayerSlot& s = p.playerSlots[k];
    w.slotToList[k]->setEnabled(s.arrowsEnabled);
    w.listToSlot[k]->setEnabled(s.arrowsEnabled);
    QFont f = w.playerSlots[k]->font();
    f.setBold(s.bold);
    w.playerSlots[k]->setFont(f);
    w.playerSlots[k]->setText(Q8(s.caption));
    w.playerSlots[k]->setProperty("Tag", Q8(s.tag));
  }
}

// The menus that depend on the file's kind.
void ShowMenusFor(MainWindow& w, bool save) {
  w.unitResetAction->setVisible(save);
  w.statisticsMenu->menuAction()->setVisible(!save);
  w.reportActions[std::size_t(UsageReportKind::Walls)]->setVisible(gFileKind == kScenarioQV);
}

// The header page of the file's kind, and the princess page of a save file or the culture-item
// page of a scenario file.
void ShowPagesFor(MainWindow& w, bool save) {
  QTabWidget* tv = w.TabStrip;
  const int header = TabOf(save ? HeaderPage::Save : HeaderPage::Scenario);
  const int otherHeader = TabOf(save ? HeaderPage::Scenario : HeaderPage::Save);
  tv->setTabVisible(header, true);
  tv->setTabVisible(TabOf(EntityList::Princesses), save);
  tv->setTabVisible(otherHeader, false);
  tv->setTabVisible(TabOf(EntityList::CultureItems), !save);
  tv->setCurrentIndex(header);
  ApplyTabStops(w, header);
}

// fresh: the file's layout follows the custom load's executable.
void ShowCreateButtons(MainWindow& w, bool save, bool fresh) {
  const bool shown = save ? gFileKind == kSaveKr : fresh;
  for (const ListButtons* buttons : {&w.countryButtons, &w.cityButtons, &w.generalButtons, &w.consortButtons}) {
    buttons->create->setVisible(shown);
    buttons->remove->setVisible(shown);
    // The Korean save file deletes only cities; a numbered scenario waits for the last row.
    if (shown) buttons->remove->setEnabled(gFileKind == kSaveKr && buttons == &w.cityButtons);
  }
}

// The entity lists from the data set; reports progress 91 to 100.
void FillEntityLists(MainWindow& w, const ListSource& source, bool save) {
  ShowRows(w.countryList, CountryRows(source, gPlayerCountry));
  w.Progress(92);
  ShowRows(w.cityList, CityRows(source, gPlayerCountry));
  w.Progress(93);

  gUnappearedCount = 0;
  std::int32_t unappeared = 0;
  const auto generalRows = GeneralRows(source, gPlayerCountry, unappeared);
  if (save) {
    unappeared = CleanAppearanceQueue(source, gData);
  }
  gUnappearedCount = unappeared;
  ShowRows(w.generalList, generalRows);
  w.Progress(96);

  ShowRows(w.consortList, QueenRows(source));
  w.Progress(97);
  if (save) {
    ShowRows(w.princessList, PrincessRows(source));
    w.Progress(98);
  }
  ShowRows(w.unitTypeList, UnitTypeRows(source));
  w.Progress(99);
  ShowRows(w.regionList, RegionRows(source));
  if (!save) ShowRows(w.cultureItemList, CultureItemRows(source));
  w.Progress(100);
}

}  // namespace

void FillMainWindow(MainWindow& w) {
  // Conversion: the records read through one shape, whatever the file's layout.
  const bool save = IsSaveFile();
  ListSource source(gData, gFileKind, IsExpansionLoaded());

  ShowMenusFor(w, save);
  w.Progress(90);

  QTabWidget* tv = w.TabStrip;
  tv->setVisible(false);
  w.statisticsMenu->menuAction()->setEnabled(true);
  ShowPagesFor(w, save);

  ComputeCounts(source, gData);
  ShowCreateButtons(w, save, gLoadWithExeInfo);

  ClearMainLists(w);
  if (save) {
    // Never the previous file's player: a file whose slots name none leaves it unset.
    gPlayerCountry = kNoCountry;
    const SavePage page = BuildSavePage(source);
    if (page.playerCountry >= 0) gPlayerCountry = std::uint8_t(page.playerCountry);
    ShowSavePage(w, page);
  } else {
    ShowScenarioPage(w, BuildScenarioPage(source));
  }
  w.Progress(91);
  FillEntityLists(w, source, save);

  tv->setVisible(true);
  UpdateListCaptions(w);
}

void RefreshListRows(ListView* view, EntityList list, const std::vector<int>& records) {
  if (!view || records.empty()) return;
  const ListSource source(gData, gFileKind, IsExpansionLoaded());
  const std::vector<ListRow> rows = RowsOf(source, list);
  std::map<std::string, const ListRow*> byTag;
  for (const ListRow& r : rows) byTag.emplace(r.tag, &r);
  for (int record : records) {
    const std::string tag = std::to_string(record);
    ListItem* item = view->findTag(Q8(tag));
    if (auto it = byTag.find(tag); it != byTag.end()) ShowRow(view, item, *it->second);
    else if (item) view->removeRow(view->indexOf(item));
  }
}

}  // namespace garam
