// Rows of the lists that show names in a coding font: tall enough for their letters, and as many
// of them in view as the windows' designed sizes showed.
#include <QTreeWidget>

#include "editors/country_city/country_editor.h"
#include "editors/general/blood_relations_window.h"
#include "platform/twips.h"
#include "tests/ui/list_fixtures.h"
#include "ui/pickers/city_picker.h"
#include "ui/pickers/country_picker.h"
#include "ui/pickers/general_picker.h"
#include "ui/pickers/mother_picker.h"

namespace garam::test {
namespace {

// How many rows a plain Qt list of the same font, columns and size shows.
int StockRows(const ListView* list, QSize size) {
  QTreeWidget stock;
  stock.setRootIsDecorated(false);
  stock.setFont(list->font());
  QStringList headers;
  for (int c = 0; c < list->columnCount(); ++c) headers << list->headerText(c);
  stock.setHeaderLabels(headers);
  for (int c = 0; c < list->columnCount(); ++c) stock.setColumnWidth(c, list->columnWidth(c));
  auto* item = new QTreeWidgetItem(QStringList("가"));
  stock.addTopLevelItem(item);
  stock.resize(size);
  stock.show();
  return stock.viewport()->height() / stock.visualItemRect(item).height();
}

class ListRows : public MainFixture {};

TEST_F(ListRows, HoldTheirLettersAndAsManyStayInView) {
  LoadScenario(false);
  const MainLists lists{w->countryList, w->cityList, w->generalList, w->consortList};
  GeneralPicker general(w.get(), lists, {}, GeneralPickerMode::Relative);
  CityPicker city(w.get(), lists, {}, CityPickerMode::Affiliation);
  CountryPicker country(w.get(), lists, {}, CountryPickerMode::EditedCity);
  MotherPicker mother(w.get(), lists, {});
  for (ListPicker* p : std::initializer_list<ListPicker*>{&general, &city, &country, &mother}) p->Load();
  BloodRelationList blood(w.get(), lists);
  blood.Load();
  w->countryList->selectRow(w->countryList->row(0));
  CountryEditor relations(*w, 0);

  // Each list with the size its window was designed to give it.
  const std::pair<ListView*, QSize> cases[] = {
      {general.List(), TwipsRect(0, 0, 6855, 3255).size()}, {city.List(), TwipsRect(0, 0, 4440, 2325).size()},
      {country.List(), TwipsRect(0, 0, 4440, 2325).size()}, {mother.List(), TwipsRect(0, 0, 6195, 2775).size()},
      {blood.generalList, TwipsRect(0, 0, 7215, 3135).size()}, {relations.relationList, QSize(340, 300)}};
  for (const auto& [list, designed] : cases) {
    list->window()->show();
    ASSERT_GT(list->count(), 0) << list->objectName().toStdString();
    const int row = list->visualItemRect(list->row(0)).height();
    // Hangul syllables of full height, Latin descenders and the box strokes of the terrain names.
    const int ink = QFontMetrics(list->font()).boundingRect(QString::fromUtf8("가힣뷁 gjpqy ┃┫")).height();
    EXPECT_GE(row, ink + 2) << list->objectName().toStdString() << ": letters touch the next row";
    EXPECT_GE(list->viewport()->height() / row, StockRows(list, designed)) << list->objectName().toStdString();
  }
  // The blood-relation buttons moved down with the list rather than over it.
  EXPECT_GE(blood.fatherButton->y(), blood.generalList->geometry().bottom());
}

}  // namespace
}  // namespace garam::test
