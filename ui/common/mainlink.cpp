#include "ui/common/mainlink.h"

namespace garam {
namespace {

class NoMainWindow : public MainWindowLink {
 public:
  QWidget* Window() override { return nullptr; }
  ListView* List(EntityList) override { return nullptr; }
  void RefreshRows(EntityList, const std::vector<int>&) override {}
  std::string ShownFileName() const override { return {}; }
  QLabel* PlayerCountryLabel() override { return nullptr; }
  QLabel* PlayerKingLabel() override { return nullptr; }
  QLineEdit* StartYearBox() override { return nullptr; }
  QMenu* CityPlaceMenu() override { return nullptr; }
};

NoMainWindow gNoMainWindow;
MainWindowLink* gLink = &gNoMainWindow;

}  // namespace

int MainWindowLink::SelectedRecord(EntityList list) {
  const ListView* view = List(list);
  const ListItem* row = view ? view->selectedRow() : nullptr;
  if (!row) return -1;
  bool ok = false;
  const int record = row->tag.toInt(&ok);
  return ok && record >= 0 ? record : -1;
}

MainLists MainWindowLink::Lists() {
  return {List(EntityList::Countries), List(EntityList::Cities), List(EntityList::Generals),
          List(EntityList::Consorts)};
}

MainWindowLink& MainLink() { return *gLink; }
void InstallMainWindowLink(MainWindowLink* link) { gLink = link ? link : &gNoMainWindow; }

MainWindowLink* LinkOf(QWidget* owner) {
  return owner && owner == MainLink().Window() ? &MainLink() : nullptr;
}

MainLists ListsOf(QWidget* owner) {
  MainWindowLink* link = LinkOf(owner);
  return link ? link->Lists() : MainLists{};
}

}  // namespace garam
