#include "ui/main/mainlists.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTextEdit>
#include <cmath>

#include "data/gamedata.h"
#include "data/ids.h"
#include "data/record_access.h"
#include "platform/twips.h"
#include "ui/common/listcolumns.h"
#include "ui/main/entitycommands.h"
#include "ui/main/main_window.h"
#include "ui/main/headerpages.h"
#include "ui/main/mainlayout.h"
#include "ui/main/rowtexts.h"

namespace garam {
namespace {

const QString kUp = QStringLiteral("△");
const QString kDown = QStringLiteral("▽");

struct ListDesign {
  QStringList headers;   // as designed, the first with its starting mark
  const char* firstDir;  // per column: 'A' ascending, 'D' descending, '*' the record-number column
  QList<int> widths;     // twips
  QString hint;
};

// By list, from the player list on.
const ListDesign& Design(EntityList list) {
  static const ListDesign specs[9] = {
      {{"국가△", "국왕"}, "AA", {2000, 1600}, "국가 선택"},
      {{"이름△", "국왕", "수도", "도시수", "장군수", "*"}, "AAADD*", {2000, 1800, 1800, 900, 900, 500}, "국가 선택"},
      {{"이름△", "소속국가", "장군수", "방어도", "금", "군량", "병사수", "*"},
       "AADDDDD*",
       {2000, 2000, 850, 850, 850, 850, 850, 500},
       "도시 선택"},
      {{"이름△", "신분", "출생년도", "충성도", "정치", "전투", "지모", "유닛", "소속도시", "소속국가", "보병", "궁병",
        "기병", "수군", "*"},
       "AAADDDDAAAAAAA*",
       {1500, 750, 900, 750, 650, 650, 650, 650, 1500, 1500, 600, 600, 600, 600, 500},
       "장군 선택"},
      {{"이름△", "출신지역", "아버지", "남편", "문화경향", "임신", "*"},
       "AAAAAA*",
       {1500, 1200, 1500, 1500, 1000, 800, 500},
       "왕비 선택"},
      {{"이름△", "어머니", "성인여부", "출생년도"}, "AAAA", {1800, 1800, 1000, 1000}, "공주 선택"},
      {{"이름△", "종류", "공격력", "가격", "기동력", "횟수", "*"}, "AADADD*", {1400, 1000, 800, 800, 800, 700, 500},
       "병과 선택"},
      {{"이름△", "문화권", "*"}, "AA*", {2000, 1200, 500}, "지역 선택"},
      {{"이름△", "관련문화", "상승치", "*"}, "AAD*", {2600, 1200, 900, 500}, "문화아이템 선택"},
  };
  return specs[int(list) - int(EntityList::Players)];
}

int RecordColumn(EntityList list) {
  const char* d = Design(list).firstDir;
  for (int i = 0; d[i]; ++i)
    if (d[i] == '*') return i;
  return -1;
}

bool EndsInMark(const QString& s) { return s.endsWith(kUp) || s.endsWith(kDown); }

const char* const kPageNames[10] = {"scenarioPage", "savePage", "countryPage", "cityPage", "generalPage",
                                    "consortPage", "princessPage", "unitTypePage", "regionPage", "cultureItemPage"};
const char* const kTabCaptions[10] = {"시나리오 정보", "플레이어/날짜", "국가", "도시", "장군",
                                      "왕비",          "공주",          "병과", "지역", "문화아이템"};

// Focus hints of the page controls, and the tab control's mouse press and focus.
class MainEventFilter : public QObject {
 public:
  explicit MainEventFilter(MainWindow& w) : QObject(&w), w_(w) {}

  bool eventFilter(QObject* obj, QEvent* e) override {
    if (obj == w_.TabStrip->tabBar()) {
      if (e->type() == QEvent::MouseButtonPress) {
        // Only a press that is going to change the tab counts as a mouse change; a press on the
        // current tab would otherwise mark the next keyboard change as one.
        auto* me = static_cast<QMouseEvent*>(e);
        const int idx = w_.TabStrip->tabBar()->tabAt(me->position().toPoint());
        w_.TabMouseDown = idx >= 0 && idx != w_.TabStrip->currentIndex() && w_.TabStrip->isTabEnabled(idx);
      } else if (e->type() == QEvent::FocusIn) {
        w_.SetStatus(StatusPanel::Hint, "");
      }
    } else if (e->type() == QEvent::FocusIn) {
      const QVariant hint = obj->property("hint");
      if (hint.isValid()) w_.SetStatus(StatusPanel::Hint, hint.toString().toStdString());
    }
    return false;
  }

 private:
  MainWindow& w_;
};

// Gives a page control its name and registers it for the layout under the same name.
template <typename T>
T* Placed(T* widget, const std::string& name, MainControls& c) {
  widget->setObjectName(QString::fromStdString(name));
  c.Placed[name] = widget;
  return widget;
}

QPushButton* Button(QWidget* parent, const QString& caption, const std::string& name, MainControls& c) {
  return Placed(new QPushButton(caption, parent), name, c);
}

QGroupBox* Frame(QWidget* parent, const QString& caption, const std::string& name, MainControls& c) {
  return Placed(new QGroupBox(caption, parent), name, c);
}

QLabel* Label(const QString& text, QWidget* parent, const std::string& name, MainControls& c) {
  return Placed(new QLabel(text, parent), name, c);
}

ListView* MakeList(QWidget* frame, EntityList list, const std::string& name, MainControls& c) {
  auto* lv = Placed(new ListView(frame), name, c);
  const ListDesign& s = Design(list);
  QList<Qt::Alignment> align;
  for (int i = 0; i < s.headers.size(); ++i) {
    const bool centred = s.firstDir[i] == '*' || (list == EntityList::Generals && i == GeneralColumn::Status) ||
                         (list == EntityList::CultureItems && i == CultureItemColumn::Field);
    align << (centred ? Qt::AlignHCenter : Qt::AlignLeft);
  }
  lv->setColumns(s.headers, align);
  for (int i = 0; i < s.widths.size(); ++i) lv->setColumnWidth(i, TwipsToPixels(s.widths[i], lv->logicalDpiX()));
  return lv;
}

void ApplyBoxes(MainWindow& w, const std::map<std::string, TwipsBox>& boxes) {
  const double dpiX = w.logicalDpiX(), dpiY = w.logicalDpiY();
  // Page controls are placed relative to the tab control, whose pages start below the tabs.
  const int pageTop = w.TabStrip->tabBar()->sizeHint().height();
  for (const auto& [name, b] : boxes) {
    auto it = w.Placed.find(name);
    if (it == w.Placed.end()) continue;
    QWidget* widget = it->second;
    QRect r(TwipsToPixels(b.left, dpiX), TwipsToPixels(b.top, dpiY), TwipsToPixels(b.width, dpiX),
            TwipsToPixels(b.height, dpiY));
    if (name == kTabStripName) {
      // The window's own frame and bars may leave less room than the design assumed.
      const QSize room = w.centralWidget()->size();
      r.setWidth(std::min(r.width(), room.width() - r.left()));
      r.setHeight(std::min(r.height(), room.height() - r.top()));
    } else if (std::find(w.pages.begin(), w.pages.end(), widget->parentWidget()) != w.pages.end()) {
      r.translate(0, -pageTop);
    }
    widget->setGeometry(r);
  }
}

}  // namespace

void SetFocusHint(QWidget* control, const QString& hint, QObject* hintFilter) {
  control->setProperty("hint", hint);
  control->installEventFilter(hintFilter);
}

ListView* MainControls::ListOf(EntityList list) const {
  switch (list) {
    case EntityList::Players: return playerList;
    case EntityList::Countries: return countryList;
    case EntityList::Cities: return cityList;
    case EntityList::Generals: return generalList;
    case EntityList::Consorts: return consortList;
    case EntityList::Princesses: return princessList;
    case EntityList::UnitTypes: return unitTypeList;
    case EntityList::Regions: return regionList;
    case EntityList::CultureItems: return cultureItemList;
  }
  return nullptr;
}

QGroupBox* MainControls::ListFrame(EntityList list) const {
  switch (list) {
    case EntityList::Players: return playerListFrame;
    case EntityList::Countries: return countryFrame;
    case EntityList::Cities: return cityFrame;
    case EntityList::Generals: return generalFrame;
    case EntityList::Consorts: return consortFrame;
    case EntityList::Princesses: return princessFrame;
    case EntityList::UnitTypes: return unitTypeFrame;
    case EntityList::Regions: return regionFrame;
    case EntityList::CultureItems: return cultureItemFrame;
  }
  return nullptr;
}

QPushButton* MainControls::EditButton(EntityList list) const {
  switch (list) {
    case EntityList::Countries: return countryButtons.edit;
    case EntityList::Cities: return cityButtons.edit;
    case EntityList::Generals: return generalButtons.edit;
    case EntityList::Consorts: return consortButtons.edit;
    case EntityList::Princesses: return princessEdit;
    case EntityList::UnitTypes: return unitTypeEdit;
    case EntityList::Regions: return regionEdit;
    case EntityList::CultureItems: return cultureItemEdit;
    default: return nullptr;
  }
}

QPushButton* MainControls::DeleteButton(EntityList list) const {
  switch (list) {
    case EntityList::Countries: return countryButtons.remove;
    case EntityList::Cities: return cityButtons.remove;
    case EntityList::Generals: return generalButtons.remove;
    case EntityList::Consorts: return consortButtons.remove;
    default: return nullptr;
  }
}

namespace {

void BuildScenarioPage(MainControls& c) {
  QWidget* page = c.pages[std::size_t(TabOf(HeaderPage::Scenario))];
  c.startYearFrame = Frame(page, "시작년도", "startYearFrame", c);
  c.titleFrame = Frame(page, "시나리오 제목", "titleFrame", c);
  c.descriptionFrame = Frame(page, "시나리오 설명", "descriptionFrame", c);
  c.startYear = Placed(new YearBox(HeaderPage::Scenario, c.startYearFrame), "startYear", c);
  c.scenarioTitle = Placed(new QLineEdit(c.titleFrame), "scenarioTitle", c);
  c.description = Placed(new QPlainTextEdit(c.descriptionFrame), "description", c);
  c.scenarioApply = Button(page, "적용", "scenarioApply", c);
  c.scenarioRestore = Button(page, "기본값", "scenarioRestore", c);
}

void BuildSavePage(MainControls& c) {
  QWidget* page = c.pages[std::size_t(TabOf(HeaderPage::Save))];
  c.gameDateFrame = Frame(page, "게임상의 날짜", "gameDateFrame", c);
  c.currentPlayerFrame = Frame(page, "현재 플레이어", "currentPlayerFrame", c);
  c.playerListFrame = Frame(page, "플레이어 국가", "playerListFrame", c);
  c.currentYear = Placed(new YearBox(HeaderPage::Save, c.gameDateFrame), "currentYear", c);
  c.season = Placed(new QComboBox(c.gameDateFrame), "season", c);
  c.yearUnitLabel = Label("년", c.gameDateFrame, "yearUnitLabel", c);
  c.countryCaption = Label("국가:", c.currentPlayerFrame, "countryCaption", c);
  c.kingCaption = Label("국왕:", c.currentPlayerFrame, "kingCaption", c);
  c.playerCountry = Label(QString(), c.currentPlayerFrame, "playerCountry", c);
  c.playerKing = Label(QString(), c.currentPlayerFrame, "playerKing", c);
  c.playerList = MakeList(c.playerListFrame, EntityList::Players, "playerList", c);
  for (std::size_t i = 0; i < kPlayerSlotCount; ++i) {
    const int slot = int(i);
    c.slotToList[i] = Button(c.playerListFrame, "◀", PlayerSlotName("slotToList", slot), c);
    c.listToSlot[i] = Button(c.playerListFrame, "▶", PlayerSlotName("listToSlot", slot), c);
    c.playerSlots[i] = Label(QString(), c.playerListFrame, PlayerSlotName("playerSlot", slot), c);
    c.playerSlots[i]->setProperty("Tag", QString::number(kNoCountry));
  }
  c.saveApply = Button(page, "적용", "saveApply", c);
  c.saveRestore = Button(page, "기본값", "saveRestore", c);
}

// The entity pages, in tab order from the country page, with the controls each one fills.
struct EntityPage {
  EntityList list;
  const char* frameCaption;
  QGroupBox* MainControls::*frame;
  ListView* MainControls::*view;
  ListButtons MainControls::*buttons;   // the pages that create and delete
  QPushButton* MainControls::*editOnly;  // the pages that only edit
  const char* const* hints;               // create, delete, edit; edit only for editOnly pages
};

const char* const kCountryHints[] = {"국가 추가", "국가 삭제", "국가 편집"};
const char* const kCityHints[] = {"도시 작성", "도시 삭제", "도시 편집"};
const char* const kGeneralHints[] = {"장군 추가", "장군 삭제", "장군 편집"};
const char* const kConsortHints[] = {"왕비 추가", "왕비 삭제", "왕비 편집"};
const char* const kPrincessHint[] = {"공주 편집"};
const char* const kUnitTypeHint[] = {"병과 편집"};
const char* const kRegionHint[] = {"지역 편집"};

const EntityPage kEntityPages[] = {
    {EntityList::Countries, "국가 선택", &MainControls::countryFrame, &MainControls::countryList,
     &MainControls::countryButtons, nullptr, kCountryHints},
    {EntityList::Cities, "도시 선택", &MainControls::cityFrame, &MainControls::cityList, &MainControls::cityButtons,
     nullptr, kCityHints},
    {EntityList::Generals, "장군 선택", &MainControls::generalFrame, &MainControls::generalList,
     &MainControls::generalButtons, nullptr, kGeneralHints},
    {EntityList::Consorts, "왕비 선택", &MainControls::consortFrame, &MainControls::consortList,
     &MainControls::consortButtons, nullptr, kConsortHints},
    {EntityList::Princesses, "공주 선택", &MainControls::princessFrame, &MainControls::princessList, nullptr,
     &MainControls::princessEdit, kPrincessHint},
    {EntityList::UnitTypes, "병과 선택", &MainControls::unitTypeFrame, &MainControls::unitTypeList, nullptr,
     &MainControls::unitTypeEdit, kUnitTypeHint},
    {EntityList::Regions, "지역 선택", &MainControls::regionFrame, &MainControls::regionList, nullptr,
     &MainControls::regionEdit, kRegionHint},
    // The culture-item button has no hint of its own.
    {EntityList::CultureItems, "문화아이템 선택", &MainControls::cultureItemFrame, &MainControls::cultureItemList,
     nullptr, &MainControls::cultureItemEdit, nullptr},
};

void BuildEntityPages(MainWindow& w, QObject* filter) {
  MainControls& c = w;
  for (const EntityPage& e : kEntityPages) {
    const int tab = TabOf(e.list);
    QWidget* page = c.pages[std::size_t(tab)];
    const std::string role = EntityPageRole(tab);
    c.*e.frame = Frame(page, e.frameCaption, role + "Frame", c);
    c.*e.view = MakeList(c.*e.frame, e.list, role + "List", c);
    const EntityList list = e.list;
    auto hinted = [&](QPushButton* b, const char* hint) {
      if (hint) SetFocusHint(b, hint, filter);
      return b;
    };
    if (e.buttons) {
      ListButtons& buttons = c.*e.buttons;
      struct {
        const char* caption;
        const char* name;
        QPushButton* ListButtons::*target;
        ListCommand command;
      } const kinds[3] = {{"작성", "Create", &ListButtons::create, ListCommand::Create},
                          {"삭제", "Delete", &ListButtons::remove, ListCommand::Delete},
                          {"편집", "Edit", &ListButtons::edit, ListCommand::Edit}};
      for (int i = 0; i < 3; ++i) {
        QPushButton* b = Button(page, kinds[i].caption, role + kinds[i].name, c);
        buttons.*kinds[i].target = hinted(b, e.hints[i]);
        const ListCommand command = kinds[i].command;
        QObject::connect(b, &QPushButton::clicked, &w, [&w, list, command] { EntityCommand(w, list, command); });
      }
    } else {
      QPushButton* b = Button(page, "편집", role + "Edit", c);
      c.*e.editOnly = hinted(b, e.hints ? e.hints[0] : nullptr);
      QObject::connect(b, &QPushButton::clicked, &w, [&w, list] { EntityCommand(w, list, ListCommand::Edit); });
    }
  }
}

void WireHeaderButtons(MainWindow& w) {
  struct {
    QPushButton* button;
    HeaderPage page;
    HeaderCommand command;
  } const buttons[] = {{w.scenarioApply, HeaderPage::Scenario, HeaderCommand::Apply},
                       {w.scenarioRestore, HeaderPage::Scenario, HeaderCommand::Restore},
                       {w.saveApply, HeaderPage::Save, HeaderCommand::Apply},
                       {w.saveRestore, HeaderPage::Save, HeaderCommand::Restore}};
  for (const auto& b : buttons) {
    const HeaderPage page = b.page;
    const HeaderCommand command = b.command;
    QObject::connect(b.button, &QPushButton::clicked, &w, [&w, page, command] { HeaderPageCommand(w, page, command); });
  }
}

void WireListEvents(MainWindow& w) {
  for (EntityList list : kAllLists) {
    ListView* lv = w.ListOf(list);
    QObject::connect(lv, &ListView::headerClicked, &w, [&w, list](int col) { ListHeaderClick(w, list, col); });
    QObject::connect(lv, &ListView::gotFocus, &w, [&w, list] { w.SetStatus(StatusPanel::Hint, Design(list).hint.toStdString()); });
    if (list >= EntityList::Countries && list <= EntityList::Consorts) {
      QObject::connect(lv, &ListView::rowClicked, &w, [&w, list](ListItem*) { ListSelectionFollowUp(w, list); });
      QObject::connect(lv, &ListView::keyReleased, &w, [&w, list](int) { ListSelectionFollowUp(w, list); });
    }
    if (list != EntityList::Players) {
      QObject::connect(lv, &ListView::rowDoubleClicked, &w, [&w, list](ListItem*) { ListEdit(w, list); });
      QObject::connect(lv, &ListView::charTyped, &w, [&w, list](int code) {
        if (code == 13) ListEdit(w, list);
      });
    }
  }
}

}  // namespace

void BuildMainPages(MainWindow& w) {
  MainControls& c = w;
  auto* filter = new MainEventFilter(w);
  filter->setObjectName("MainEventFilter");  // the window deletes it first when it closes
  QTabWidget* tv = w.TabStrip;
  // The tab control is placed by the layout, not by a layout manager.
  tv->setParent(w.centralWidget());
  c.Placed[kTabStripName] = tv;
  tv->tabBar()->installEventFilter(filter);
  for (int i = 0; i < 10; ++i) {
    c.pages[std::size_t(i)] = new QWidget;
    c.pages[std::size_t(i)]->setObjectName(kPageNames[i]);
    tv->addTab(c.pages[std::size_t(i)], kTabCaptions[i]);
  }
  BuildScenarioPage(c);
  BuildSavePage(c);
  BuildEntityPages(w, filter);
  WireHeaderButtons(w);
  WireHeaderPages(w, filter);
  WireListEvents(w);

  // The hint panel takes the window's width less what the two other panels were designed with.
  const double dpi = w.logicalDpiX();
  if (auto* panel = w.StatusBarView->findChild<QLabel*>("StatusPanel2")) panel->setMinimumWidth(TwipsToPixels(1650, dpi));
  if (auto* panel = w.StatusBarView->findChild<QLabel*>("StatusPanel3")) panel->setMinimumWidth(TwipsToPixels(400, dpi));
  ApplyBoxes(w, PageBoxes(0, 0, true, true));
  QObject::connect(tv, &QTabWidget::currentChanged, &w, [&w](int) { TabViewClick(w); });
}

void ReSizeMain(MainWindow& w) {
  const double dpiX = w.logicalDpiX(), dpiY = w.logicalDpiY();
  // The layout works on the window's outer size, frame included.
  const QSize outer = w.frameGeometry().size();
  const QSize extra = outer - w.size();
  MainLayoutInput in;
  in.width = outer.width() * 1440.0 / dpiX;
  in.height = outer.height() * 1440.0 / dpiY;
  in.minimized = w.isMinimized();
  in.maximized = w.isMaximized();
  in.fileLoaded = w.Status(StatusPanel::FileName) != kNoFileShown;
  in.saveFile = IsSaveFile();
  const MainLayout L = ComputeMainLayout(in);
  if (!L.applies) return;
  w.setMinimumSize(TwipsToPixels(kMinWidth, dpiX) - extra.width(), TwipsToPixels(kMinHeight, dpiY) - extra.height());
  if (!w.isMaximized() && (L.width > in.width + 0.5 || L.height > in.height + 0.5))
    w.resize(TwipsToPixels(L.width, dpiX) - extra.width(), TwipsToPixels(L.height, dpiY) - extra.height());
  if (auto* panel = w.StatusBarView->findChild<QLabel*>("StatusPanel1"))
    panel->setFixedWidth(TwipsToPixels(L.panel1Width, dpiX));
  ApplyBoxes(w, L.boxes);
}

void TabViewClick(MainWindow& w) {
  QTabWidget* tv = w.TabStrip;
  const HeaderPage header = IsSaveFile() ? HeaderPage::Save : HeaderPage::Scenario;
  if (w.TabMouseDown) {
    // Leaving the header page by mouse drops its unapplied edits.
    HeaderPageCommand(w, header, HeaderCommand::Restore);
    ApplyTabStops(w, tv->currentIndex());
  } else if (tv->isTabVisible(TabOf(header))) {
    // The keyboard never leaves the header page.
    tv->setCurrentIndex(TabOf(header));
  }
  w.TabMouseDown = false;
  w.ReSize();
}

void ApplyTabStops(const MainControls& c, int tab) {
  for (std::size_t page = 0; page < c.pages.size(); ++page) {
    const Qt::FocusPolicy policy = int(page) == tab ? Qt::StrongFocus : Qt::ClickFocus;
    for (QWidget* control : c.pages[page]->findChildren<QWidget*>()) {
      const bool kind = qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control) ||
                        qobject_cast<QTextEdit*>(control) || qobject_cast<QPushButton*>(control) ||
                        qobject_cast<QTreeWidget*>(control) || qobject_cast<QComboBox*>(control);
      // The parts a box or a combo box is made of follow their owner.
      if (!kind || control->objectName().isEmpty() || qobject_cast<QLineEdit*>(control->parentWidget()) ||
          qobject_cast<QComboBox*>(control->parentWidget()))
        continue;
      control->setFocusPolicy(policy);
    }
  }
}

void ClearMainLists(MainWindow& w) {
  for (EntityList list : kAllLists) w.ListOf(list)->clearRows();
  const bool byRecord = IsNumberedScenario(gFileKind);
  for (EntityList list : kAllLists) {
    ListView* lv = w.ListOf(list);
    const int record = RecordColumn(list);
    const bool sortByRecord = byRecord && record >= 0;
    for (int c = 0; c < lv->columnCount(); ++c) {
      if (c == record) continue;
      QString h = lv->headerText(c);
      if (EndsInMark(h)) {
        h.chop(1);
        lv->setHeaderText(c, h);
      }
    }
    if (!sortByRecord) lv->setHeaderText(0, lv->headerText(0) + kUp);
    lv->setSortOrder(Qt::AscendingOrder);
    lv->setSortKey(sortByRecord ? record : 0);
    lv->setSorted(true);
  }
}

void UpdateListCaptions(MainWindow& w) {
  std::array<int, 8> rows{};
  // The captions come in list order from the country list on.
  const auto index = [](EntityList list) { return std::size_t(int(list) - int(EntityList::Countries)); };
  for (EntityList list : kAllLists)
    if (list != EntityList::Players) rows[index(list)] = w.ListOf(list)->count();
  const auto captions = ListCaptions(gFileKind, IsExpansionLoaded(), rows);
  for (EntityList list : kAllLists) {
    if (list == EntityList::Players) continue;
    const std::string& t = captions[index(list)];
    if (!t.empty()) w.ListFrame(list)->setTitle(QString::fromStdString(t));
  }
  gCountsChanged = true;
}

void ListHeaderClick(MainWindow& w, EntityList list, int column) {
  ListView* lv = w.ListOf(list);
  const ListDesign& design = Design(list);
  if (!lv || column < 0 || column >= lv->columnCount()) return;
  const int record = RecordColumn(list);
  Qt::SortOrder order = lv->sortOrder();
  const int key = lv->sortKey();
  if (key == column) {
    QString h = lv->headerText(column);
    h.chop(1);
    order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    lv->setHeaderText(column, h + (order == Qt::AscendingOrder ? kUp : kDown));
  } else {
    if (key >= 0 && key < lv->columnCount()) {
      QString old = lv->headerText(key);
      old.chop(1);
      lv->setHeaderText(key, old);
    }
    order = design.firstDir[column] == 'D' ? Qt::DescendingOrder : Qt::AscendingOrder;
    lv->setHeaderText(column, lv->headerText(column) + (order == Qt::AscendingOrder ? kUp : kDown));
  }
  if (record >= 0) {
    if (column == record) order = Qt::AscendingOrder;
    lv->setHeaderText(record, "*");
  }
  lv->beginUpdate();
  lv->setSortKey(column);
  lv->setSortOrder(order);
  lv->endUpdate();
}

void ListSelectionFollowUp(MainWindow& w, EntityList list) {
  ListView* lv = w.ListOf(list);
  ListItem* row = lv ? lv->selectedRow() : nullptr;
  if (!row) return;
  if (list == EntityList::Cities) {
    w.SetStatus(StatusPanel::Hint, "도시선택");
    const bool save = IsSaveFile();
    const int city = row->tag.toInt();
    int owner = -1;
    if (!save || lv->subItem(row, CityColumn::Owner) != QString(18, '-')) {
      WithCity(city, [&](const auto& c) { owner = c.get(c.L.owner); });
    }
    if (owner >= 0) {
      ListItem* country = w.countryList->findTag(QString::number(owner));
      if (country && w.countryList->subItem(country, CountryColumn::Capital) == row->text(CityColumn::Name))
        w.SetStatus(StatusPanel::Hint, ("도시선택(" + lv->subItem(row, CityColumn::Owner) + "의 수도)").toStdString());
    }
  }
  if (IsNumberedScenario(gFileKind)) {
    // Deletes shorten the array, so only the last record may go.
    if (QPushButton* del = w.DeleteButton(list)) del->setEnabled(row->tag.toInt() + 1 == lv->count());
  }
}

void ListEdit(MainWindow& w, EntityList list) {
  ListView* lv = w.ListOf(list);
  if (!lv || !lv->selectedRow()) return;
  if (QPushButton* edit = w.EditButton(list)) edit->setFocus(Qt::OtherFocusReason);
  EntityCommand(w, list, ListCommand::Edit);
}

}  // namespace garam
