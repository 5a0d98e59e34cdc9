#include "ui/main/mainlists.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QTextEdit>
#include <cmath>

#include "data/gamedata.h"
#include "data/record_access.h"
#include "platform/twips.h"
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

const ListDesign& Design(int n) {
  static const ListDesign specs[10] = {
      {},
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
  return specs[n];
}

int RecordColumn(int n) {
  const char* d = Design(n).firstDir;
  for (int i = 0; d[i]; ++i)
    if (d[i] == '*') return i;
  return -1;
}

bool EndsInMark(const QString& s) { return s.endsWith(kUp) || s.endsWith(kDown); }

const char* const kTabCaptions[10] = {"시나리오 정보", "플레이어/날짜", "국가", "도시", "장군",
                                      "왕비",          "공주",          "병과", "지역", "문화아이템"};
const char* const kButtonHints[4][3] = {{"국가 추가", "국가 삭제", "국가 편집"},
                                        {"도시 작성", "도시 삭제", "도시 편집"},
                                        {"장군 추가", "장군 삭제", "장군 편집"},
                                        {"왕비 추가", "왕비 삭제", "왕비 편집"}};

// Focus hints of buttons and the tab control's mouse press and focus.
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
        w_.SetStatus(1, "");
      }
    } else if (e->type() == QEvent::FocusIn) {
      const QVariant hint = obj->property("hint");
      if (hint.isValid()) w_.SetStatus(1, hint.toString().toStdString());
    }
    return false;
  }

 private:
  MainWindow& w_;
};

QPushButton* Button(QWidget* parent, const QString& caption, const char* name, const QString& placed,
                    MainControls& c) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  c.Placed[placed.toStdString()] = b;
  return b;
}

QGroupBox* Frame(QWidget* parent, const QString& caption, const char* name, const QString& placed, MainControls& c) {
  auto* f = new QGroupBox(caption, parent);
  f->setObjectName(name);
  c.Placed[placed.toStdString()] = f;
  return f;
}

ListView* MakeList(QWidget* frame, int n, MainControls& c) {
  auto* lv = new ListView(frame);
  const QString name = QString("ListView%1").arg(n);
  lv->setObjectName(name);
  const ListDesign& s = Design(n);
  QList<Qt::Alignment> align;
  for (int i = 0; i < s.headers.size(); ++i) {
    const bool centred = s.firstDir[i] == '*' || (n == 4 && i == 1) || (n == 9 && i == 1);
    align << (centred ? Qt::AlignHCenter : Qt::AlignLeft);
  }
  lv->setColumns(s.headers, align);
  for (int i = 0; i < s.widths.size(); ++i) lv->setColumnWidth(i, TwipsToPixels(s.widths[i], lv->logicalDpiX()));
  c.Placed[name.toStdString()] = lv;
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
    if (name == "TabView") {
      // The window's own frame and bars may leave less room than the design assumed.
      const QSize room = w.centralWidget()->size();
      r.setWidth(std::min(r.width(), room.width() - r.left()));
      r.setHeight(std::min(r.height(), room.height() - r.top()));
    } else if (std::find(w.TabPage.begin(), w.TabPage.end(), widget->parentWidget()) != w.TabPage.end()) {
      r.translate(0, -pageTop);
    }
    widget->setGeometry(r);
  }
}

}  // namespace

ListView* MainControls::List(int n) const {
  switch (n) {
    case 1: return ListView1;
    case 2: return ListView2;
    case 3: return ListView3;
    case 4: return ListView4;
    case 5: return ListView5;
    case 6: return ListView6;
    case 7: return ListView7;
    case 8: return ListView8;
    case 9: return ListView9;
    default: return nullptr;
  }
}

QGroupBox* MainControls::ListFrame(int n) const {
  switch (n) {
    case 1: return Frame1[2];
    case 2: return Frame2;
    case 3: return Frame3;
    case 4: return Frame4;
    case 5: return Frame5;
    case 6: return Frame6;
    case 7: return Frame7;
    case 8: return Frame8;
    case 9: return Frame9;
    default: return nullptr;
  }
}

QPushButton* MainControls::EditButton(int n) const {
  switch (n) {
    case 2: return cmd2[2];
    case 3: return cmd3[2];
    case 4: return cmd4[2];
    case 5: return cmd5[2];
    case 6: return cmd6;
    case 7: return cmd7;
    case 8: return cmd8;
    case 9: return cmd9;
    default: return nullptr;
  }
}

QPushButton* MainControls::DeleteButton(int n) const {
  switch (n) {
    case 2: return cmd2[1];
    case 3: return cmd3[1];
    case 4: return cmd4[1];
    case 5: return cmd5[1];
    default: return nullptr;
  }
}

void BuildMainPages(MainWindow& w) {
  MainControls& c = w;
  auto* filter = new MainEventFilter(w);
  filter->setObjectName("MainEventFilter");  // the window deletes it first when it closes
  QTabWidget* tv = w.TabStrip;
  // The tab control is placed by the layout, not by a layout manager.
  tv->setParent(w.centralWidget());
  c.Placed["TabView"] = tv;
  tv->tabBar()->installEventFilter(filter);
  for (int i = 0; i < 10; ++i) {
    c.TabPage[std::size_t(i)] = new QWidget;
    c.TabPage[std::size_t(i)]->setObjectName(QString("TabPage%1").arg(i));
    tv->addTab(c.TabPage[std::size_t(i)], kTabCaptions[i]);
  }

  // Scenario header page.
  QWidget* p0 = c.TabPage[0];
  const char* f0[3] = {"시작년도", "시나리오 제목", "시나리오 설명"};
  for (int i = 0; i < 3; ++i) c.Frame0[std::size_t(i)] = Frame(p0, f0[i], "Frame0", QString("Frame0(%1)").arg(i), c);
  c.txtNum0 = new YearBox(0, c.Frame0[0]);
  c.txtNum0->setObjectName("txtNum0");
  c.Placed["txtNum0"] = c.txtNum0;
  c.txtLine0 = new QLineEdit(c.Frame0[1]);
  c.txtLine0->setObjectName("txtLine0");
  c.Placed["txtLine0"] = c.txtLine0;
  c.txtMulti0 = new QPlainTextEdit(c.Frame0[2]);
  c.txtMulti0->setObjectName("txtMulti0");
  c.Placed["txtMulti0"] = c.txtMulti0;
  c.cmd0[0] = Button(p0, "적용", "cmd0", "cmd0(0)", c);
  c.cmd0[1] = Button(p0, "기본값", "cmd0", "cmd0(1)", c);

  // Save header page.
  QWidget* p1 = c.TabPage[1];
  const char* f1[3] = {"게임상의 날짜", "현재 플레이어", "플레이어 국가"};
  for (int i = 0; i < 3; ++i) c.Frame1[std::size_t(i)] = Frame(p1, f1[i], "Frame1", QString("Frame1(%1)").arg(i), c);
  c.txtNum1 = new YearBox(1, c.Frame1[0]);
  c.txtNum1->setObjectName("txtNum1");
  c.Placed["txtNum1"] = c.txtNum1;
  c.Combo1 = new QComboBox(c.Frame1[0]);
  c.Combo1->setObjectName("Combo1");
  c.Placed["Combo1"] = c.Combo1;
  const char* l1[3] = {"년", "국가:", "국왕:"};
  QWidget* l1Parent[3] = {c.Frame1[0], c.Frame1[1], c.Frame1[1]};
  for (int i = 0; i < 3; ++i) {
    c.lbl1[std::size_t(i)] = new QLabel(l1[i], l1Parent[i]);
    c.lbl1[std::size_t(i)]->setObjectName("lbl1");
    c.Placed[QString("lbl1(%1)").arg(i).toStdString()] = c.lbl1[std::size_t(i)];
  }
  for (int i = 0; i < 2; ++i) {
    c.lblT1[std::size_t(i)] = new QLabel(c.Frame1[1]);
    c.lblT1[std::size_t(i)]->setObjectName("lblT1");
    c.Placed[QString("lblT1(%1)").arg(i).toStdString()] = c.lblT1[std::size_t(i)];
  }
  c.ListView1 = MakeList(c.Frame1[2], 1, c);
  for (int i = 0; i < 8; ++i) {
    c.cmdLeft1[std::size_t(i)] = Button(c.Frame1[2], "◀", "cmdLeft1", QString("cmdLeft1(%1)").arg(i), c);
    c.cmdRight1[std::size_t(i)] = Button(c.Frame1[2], "▶", "cmdRight1", QString("cmdRight1(%1)").arg(i), c);
    c.lblK1[std::size_t(i)] = new QLabel(c.Frame1[2]);
    c.lblK1[std::size_t(i)]->setObjectName("lblK1");
    c.lblK1[std::size_t(i)]->setProperty("Tag", "80");
    c.Placed[QString("lblK1(%1)").arg(i).toStdString()] = c.lblK1[std::size_t(i)];
  }
  c.cmd1[0] = Button(p1, "적용", "cmd1", "cmd1(0)", c);
  c.cmd1[1] = Button(p1, "기본값", "cmd1", "cmd1(1)", c);

  // Entity pages.
  const char* frameCaptions[10] = {"", "", "국가 선택", "도시 선택", "장군 선택", "왕비 선택",
                                   "공주 선택", "병과 선택", "지역 선택", "문화아이템 선택"};
  QGroupBox** frames[10] = {nullptr, nullptr, &c.Frame2, &c.Frame3, &c.Frame4, &c.Frame5,
                            &c.Frame6, &c.Frame7, &c.Frame8, &c.Frame9};
  ListView** lists[10] = {nullptr, nullptr, &c.ListView2, &c.ListView3, &c.ListView4, &c.ListView5,
                          &c.ListView6, &c.ListView7, &c.ListView8, &c.ListView9};
  std::array<QPushButton*, 3>* buttons[4] = {&c.cmd2, &c.cmd3, &c.cmd4, &c.cmd5};
  QPushButton** editButtons[4] = {&c.cmd6, &c.cmd7, &c.cmd8, &c.cmd9};
  for (int n = 2; n <= 9; ++n) {
    QWidget* page = c.TabPage[std::size_t(n)];
    const std::string k = std::to_string(n);
    const QString name = QString("Frame%1").arg(n);
    *frames[n] = Frame(page, frameCaptions[n], qPrintable(name), name, c);
    *lists[n] = MakeList(*frames[n], n, c);
    const QString cmdName = QString("cmd%1").arg(n);
    if (n <= 5) {
      const char* captions[3] = {"작성", "삭제", "편집"};
      for (int i = 0; i < 3; ++i) {
        QPushButton* b = Button(page, captions[i], qPrintable(cmdName), QString("cmd%1(%2)").arg(n).arg(i), c);
        b->setProperty("hint", QString(kButtonHints[n - 2][i]));
        b->installEventFilter(filter);
        (*buttons[n - 2])[std::size_t(i)] = b;
        QObject::connect(b, &QPushButton::clicked, &w, [&w, n, i] { EntityCommand(w, n, i); });
      }
    } else {
      QPushButton* b = Button(page, "편집", qPrintable(cmdName), cmdName, c);
      *editButtons[n - 6] = b;
      QObject::connect(b, &QPushButton::clicked, &w, [&w, n] { EntityCommand(w, n, 2); });
    }
  }
  // The culture-item button has no hint of its own.
  c.cmd6->setProperty("hint", "공주 편집");
  c.cmd7->setProperty("hint", "병과 편집");
  c.cmd8->setProperty("hint", "지역 편집");
  for (QPushButton* b : {c.cmd6, c.cmd7, c.cmd8}) b->installEventFilter(filter);
  for (int page = 0; page < 2; ++page)
    for (int i = 0; i < 2; ++i) {
      QPushButton* b = page == 0 ? c.cmd0[std::size_t(i)] : c.cmd1[std::size_t(i)];
      QObject::connect(b, &QPushButton::clicked, &w, [&w, page, i] { HeaderPageCommand(w, page, i); });
    }
  WireHeaderPages(w);

  // List events.
  for (int n = 1; n <= 9; ++n) {
    ListView* lv = c.List(n);
    QObject::connect(lv, &ListView::headerClicked, &w, [&w, n](int col) { ListHeaderClick(w, n, col); });
    QObject::connect(lv, &ListView::gotFocus, &w, [&w, n] { w.SetStatus(1, Design(n).hint.toStdString()); });
    if (n >= 2 && n <= 5) {
      QObject::connect(lv, &ListView::rowClicked, &w, [&w, n](ListItem*) { ListSelectionFollowUp(w, n); });
      QObject::connect(lv, &ListView::keyReleased, &w, [&w, n](int) { ListSelectionFollowUp(w, n); });
    }
    if (n >= 2) {
      QObject::connect(lv, &ListView::rowDoubleClicked, &w, [&w, n](ListItem*) { ListEdit(w, n); });
      QObject::connect(lv, &ListView::charTyped, &w, [&w, n](int code) {
        if (code == 13) ListEdit(w, n);
      });
    }
  }

  // The hint panel takes the window's width less what the two other panels were designed with.
  const double dpi = w.logicalDpiX();
  if (auto* panel = w.StatusBarView->findChild<QLabel*>("StatusPanel2")) panel->setMinimumWidth(TwipsToPixels(1650, dpi));
  if (auto* panel = w.StatusBarView->findChild<QLabel*>("StatusPanel3")) panel->setMinimumWidth(TwipsToPixels(400, dpi));
  ApplyBoxes(w, PageBoxes(0, 0, true, true));
  QObject::connect(tv, &QTabWidget::currentChanged, &w, [&w](int) { TabViewClick(w); });
}

void ReSizeMain(MainWindow& w) {
  if (w.isMinimized()) return;
  const double dpiX = w.logicalDpiX(), dpiY = w.logicalDpiY();
  // The layout works on the window's outer size, frame included.
  const QSize outer = w.frameGeometry().size();
  const QSize extra = outer - w.size();
  MainLayoutInput in;
  in.width = outer.width() * 1440.0 / dpiX;
  in.height = outer.height() * 1440.0 / dpiY;
  in.maximized = w.isMaximized();
  in.fileLoaded = w.Status(2) != "선택된 파일 없음";
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
  const bool save = IsSaveFile();
  if (w.TabMouseDown) {
    // Leaving the header page by mouse drops its unapplied edits.
    HeaderPageCommand(w, save ? 1 : 0, 1);
    ApplyTabStops(&w, tv->currentIndex());
  } else if (save) {
    if (tv->isTabVisible(1)) tv->setCurrentIndex(1);
  } else if (tv->isTabVisible(0)) {
    tv->setCurrentIndex(0);
  }
  w.TabMouseDown = false;
  w.ReSize();
}

void ApplyTabStops(QWidget* root, int tab) {
  const QChar digit = QChar('0' + tab);
  for (QWidget* c : root->findChildren<QWidget*>()) {
    const bool kind = qobject_cast<QLineEdit*>(c) || qobject_cast<QPlainTextEdit*>(c) ||
                      qobject_cast<QTextEdit*>(c) || qobject_cast<QPushButton*>(c) ||
                      qobject_cast<QTreeWidget*>(c) || qobject_cast<QComboBox*>(c);
    const QString name = c->objectName();
    if (!kind || name.isEmpty() || qobject_cast<QLineEdit*>(c->parentWidget()) ||
        qobject_cast<QComboBox*>(c->parentWidget()))
      continue;
    c->setFocusPolicy(name.back() == digit ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void ClearMainLists(MainWindow& w) {
  for (int n = 1; n <= 9; ++n) w.List(n)->clearRows();
  const bool byRecord = IsNumberedScenario(gFileKind);
  for (int n = 1; n <= 9; ++n) {
    ListView* lv = w.List(n);
    const int record = RecordColumn(n);
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
  for (int n = 2; n <= 9; ++n) rows[std::size_t(n - 2)] = w.List(n)->count();
  const auto captions = ListCaptions(gFileKind, IsExpansionLoaded(), rows);
  for (int n = 2; n <= 9; ++n) {
    const std::string& t = captions[std::size_t(n - 2)];
    if (!t.empty()) w.ListFrame(n)->setTitle(QString::fromStdString(t));
  }
  gCountsChanged = true;
}

void ListHeaderClick(MainWindow& w, int list, int column) {
  ListView* lv = w.List(list);
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

void ListSelectionFollowUp(MainWindow& w, int list) {
  ListView* lv = w.List(list);
  ListItem* row = lv ? lv->selectedRow() : nullptr;
  if (!row) return;
  if (list == 3) {
    w.SetStatus(1, "도시선택");
    const bool save = IsSaveFile();
    const int city = row->tag.toInt();
    int owner = -1;
    if (!save || lv->subItem(row, 1) != QString(18, '-')) {
      WithCity(city, [&](const auto& c) { owner = c.get(c.L.owner); });
    }
    if (owner >= 0) {
      ListItem* country = w.ListView2->findTag(QString::number(owner));
      if (country && w.ListView2->subItem(country, 2) == row->text(0))
        w.SetStatus(1, ("도시선택(" + lv->subItem(row, 1) + "의 수도)").toStdString());
    }
  }
  if (IsNumberedScenario(gFileKind)) {
    // Deletes shorten the array, so only the last record may go.
    if (QPushButton* del = w.DeleteButton(list)) del->setEnabled(row->tag.toInt() + 1 == lv->count());
  }
}

void ListEdit(MainWindow& w, int list) {
  ListView* lv = w.List(list);
  if (!lv || !lv->selectedRow()) return;
  if (QPushButton* edit = w.EditButton(list)) edit->setFocus(Qt::OtherFocusReason);
  EntityCommand(w, list, 2);
}

}  // namespace garam
