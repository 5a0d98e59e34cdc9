// Fake callers of the pickers, main-window lists built from row texts, and a fixture that puts
// the module-wide state back after each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>
#include <vector>

#include "data/bitmaps.h"
#include "data/cp949.h"
#include "data/gamedata.h"
#include "platform/editorkit.h"
#include "platform/listview.h"
#include "platform/pictureclip.h"
#include "ui/pickers/listpicker.h"

namespace garam::test {

// Stand-ins for the windows that open the pickers. Their controls are made on first use under the
// name of the accessor that asks for them.
struct FakeWindow {
  QWidget form;
  std::map<QString, QWidget*> made;
  template <typename T>
  T* Control(const char* name) {
    QWidget*& w = made[name];
    if (!w) w = new T(&form);
    return static_cast<T*>(w);
  }
};

// Accessors of controls made on first use under the accessor's name; a button is made as a
// QPushButton, whose pointer the overrides may return in place of QAbstractButton's.
#define GARAM_FAKE_CONTROL(T, name) T* name() override { return Control<T>(#name); }
// No frames: the tests do not check where a picker places itself.
#define GARAM_FAKE_FRAME(name) QWidget* name() override { return nullptr; }

// Every caller kind but the two consort windows, whose face numbers have another type. Callers
// that share a setter share its number; their labels tell them apart, as an editor's controls and
// its create dialog's (New...) have names of their own.
struct FakeCaller : GeneralEditorCaller, CreateGeneralCaller, CountryEditorCaller, CreateCountryCaller,
                    CityEditorCaller, CreateCityCaller, PrincessEditorCaller, BloodRelationCaller, FakeWindow {
  std::uint8_t cityNo = 3, orgCityNo = 3, appearCityNo = 7, ownerNo = 5;
  std::int16_t newLordNo = 500, faceNo = 0, kingNo = 500, capitalNo = 80, motherNo = 7, generalNo = 500;
  std::vector<bool> sonInLawCalls;
  FakeCaller() { SphereCombo()->addItems(CultureSphereNames()); }

  QWidget* Form() override { return &form; }
  void SetCityNo(std::uint8_t v) override { cityNo = v; }
  std::uint8_t OrgCityNo() const override { return orgCityNo; }
  void SetAppearCityNo(std::uint8_t v) override { appearCityNo = v; }
  void SetNewLordNo(std::int16_t v) override { newLordNo = v; }
  std::int16_t FaceNo() const override { return faceNo; } void SetFaceNo(std::int16_t v) override { faceNo = v; }
  void UpdateSonInLawToggle(bool afterChange) override { sonInLawCalls.push_back(afterChange); }
  std::int16_t KingNo() const override { return kingNo; } void SetKingNo(std::int16_t v) override { kingNo = v; }
  void SetCapitalNo(std::int16_t v) override { capitalNo = v; } void SetOwnerNo(std::uint8_t v) override { ownerNo = v; }
  std::int16_t MotherNo() const override { return motherNo; } void SetMotherNo(std::int16_t v) override { motherNo = v; }
  void SetGeneralNo(std::int16_t v) override { generalNo = v; }
  void SetCell(int, int) override {}
  GARAM_FAKE_CONTROL(QLabel, StatusLabel) GARAM_FAKE_CONTROL(QLabel, UnitLabel) GARAM_FAKE_CONTROL(QLabel, CityLabel)
  GARAM_FAKE_CONTROL(QLabel, AppearanceCityLabel) GARAM_FAKE_CONTROL(QLabel, PositionXLabel)
  GARAM_FAKE_CONTROL(QLabel, PositionYLabel) GARAM_FAKE_CONTROL(QLabel, NewKingNameLabel)
  GARAM_FAKE_CONTROL(QLabel, NewCapitalNameLabel) GARAM_FAKE_CONTROL(QLabel, OwnerNameLabel)
  GARAM_FAKE_CONTROL(QLabel, CityStatusLabel) GARAM_FAKE_CONTROL(QLabel, MotherNameLabel)
  GARAM_FAKE_CONTROL(QLabel, KingNameLabel) GARAM_FAKE_CONTROL(QLabel, NewCityOwnerNameLabel)
  GARAM_FAKE_CONTROL(QLabel, RelativeNameLabel) GARAM_FAKE_CONTROL(QLabel, FaceLabel) GARAM_FAKE_CONTROL(QLabel, NewGeneralFaceLabel)
  GARAM_FAKE_CONTROL(QLabel, PrincessFaceLabel) GARAM_FAKE_CONTROL(QLineEdit, EmploymentYearBox)
  GARAM_FAKE_CONTROL(QLineEdit, AppearanceYearBox) GARAM_FAKE_CONTROL(QComboBox, SphereCombo)
  GARAM_FAKE_CONTROL(QLineEdit, CountryNameBox) GARAM_FAKE_CONTROL(QPushButton, ChangeCityButton)
  GARAM_FAKE_CONTROL(QPushButton, ChangeAppearanceCityButton)
  GARAM_FAKE_CONTROL(QPushButton, ChangeNewKingButton) GARAM_FAKE_CONTROL(QPushButton, ChangeNewCapitalButton)
  GARAM_FAKE_CONTROL(QPushButton, NewCityOwnerButton) GARAM_FAKE_CONTROL(QPushButton, ChangeMotherButton)
  GARAM_FAKE_CONTROL(QPushButton, PickGeneralButton) GARAM_FAKE_CONTROL(QPushButton, OkButton)
  GARAM_FAKE_FRAME(CityFrame) GARAM_FAKE_FRAME(AppearanceFrame) GARAM_FAKE_FRAME(KingGroup) GARAM_FAKE_FRAME(OwnerGroup)
  GARAM_FAKE_FRAME(NewKingGroup) GARAM_FAKE_FRAME(NewCapitalGroup) GARAM_FAKE_FRAME(MotherGroup)
};

// The consort editor and the create-consort dialog.
struct FakeConsortCaller : ConsortEditorCaller, CreateConsortCaller, FakeWindow {
  std::int16_t fatherNo = 11, husbandNo = 12;
  std::uint8_t faceNo = 0;
  QWidget* Form() override { return &form; }
  void SetFatherNo(std::int16_t v) override { fatherNo = v; } void SetHusbandNo(std::int16_t v) override { husbandNo = v; }
  std::uint8_t FaceNo() const override { return faceNo; } void SetFaceNo(std::uint8_t v) override { faceNo = v; }
  GARAM_FAKE_CONTROL(QLabel, FatherNameLabel) GARAM_FAKE_CONTROL(QLabel, HusbandNameLabel)
  GARAM_FAKE_CONTROL(QLabel, ConsortFaceLabel) GARAM_FAKE_CONTROL(QLabel, NewHusbandNameLabel)
  GARAM_FAKE_CONTROL(QLabel, NewConsortFaceLabel) GARAM_FAKE_CONTROL(QPushButton, ChangeFatherButton)
  GARAM_FAKE_CONTROL(QPushButton, ChangeHusbandButton) GARAM_FAKE_CONTROL(QPushButton, ChangeNewHusbandButton)
  GARAM_FAKE_FRAME(FatherGroup) GARAM_FAKE_FRAME(HusbandGroup) GARAM_FAKE_FRAME(NewHusbandGroup)
};
#undef GARAM_FAKE_CONTROL
#undef GARAM_FAKE_FRAME

// A main-window list: rows of cells, column 0 the text, with their tags.
struct Row { QString tag; QStringList cells; };
inline std::unique_ptr<ListView> MakeList(int columns, const std::vector<Row>& rows) {
  auto list = std::make_unique<ListView>();
  QStringList headers;
  for (int c = 0; c < columns; ++c) headers << QString::number(c);
  list->setColumns(headers);
  for (const Row& r : rows) {
    QStringList sub = r.cells.mid(1);
    while (sub.size() < columns - 1) sub << "";
    list->addRow(r.cells.value(0), r.tag, sub);
  }
  return list;
}

// A general-list row: name, status, city and country in columns 0, 1, 8 and 9.
inline Row GeneralRow(int tag, const QString& name, const QString& status, const QString& city = "",
                      const QString& country = "") {
  return {QString::number(tag), {name, status, "", "", "", "", "", "", city, country}};
}

// The tags of a list's rows from the top.
inline QStringList Tags(const ListView* list) {
  QStringList tags;
  for (int i = 0; i < list->count(); ++i) tags << list->row(i)->tag;
  return tags;
}

// The cells of a list's row.
inline QStringList Cells(const ListView* list, int row, int columns) {
  QStringList cells{list->row(row)->text(0)};
  for (int c = 1; c < columns; ++c) cells << list->cell(list->row(row), c);
  return cells;
}

// A face sheet as BMP bytes with tiny cells, cell n filled with CellColour(n).
inline QColor CellColour(int n) { return QColor(n % 256, n / 256, 77); }
inline Bytes SheetBytes(int rows, int cols) {
  QImage sheet(cols, rows, QImage::Format_RGB32);
  for (int n = 0; n < rows * cols; ++n) sheet.setPixelColor(n % cols, n / cols, CellColour(n));
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::WriteOnly);
  sheet.save(&buffer, "BMP");
  return Bytes(file.begin(), file.end());
}
// The colour of a picture's top-left pixel, or an invalid colour when it has none.
inline QColor Shown(const QLabel* image) {
  QPixmap p = image->pixmap();
  return p.isNull() ? QColor() : p.toImage().pixelColor(0, 0);
}

// Opens pickers for the fake callers (every test starts from a fresh editor state).
class PickerTest : public ::testing::Test {
 protected:
  PickerCallers Callers() {
    return {&caller, &caller, &caller, &consort, &caller, &caller, &caller, &caller, &consort, &caller, &menu};
  }
  // Loads a picker and shows it with the keyboard in its list, as its modal loop would.
  template <typename Picker>
  static std::unique_ptr<Picker> Show(std::unique_ptr<Picker> picker) {
    picker->Load();
    picker->show();
    QApplication::setActiveWindow(picker.get());
    if (auto* list = picker->template findChild<ListView*>()) list->setFocus();
    return picker;
  }
  // Answers a list picker with the row of a tag.
  static void Choose(std::unique_ptr<ListPicker> picker, const QString& tag) {
    picker->List()->selectRow(picker->List()->findTag(tag));
    QTest::keyClick(picker->List(), Qt::Key_Return);
    EXPECT_FALSE(picker->isVisible()) << tag.toStdString();
  }

  FakeCaller caller;
  FakeConsortCaller consort;
  QWidget menu;  // the general editor's status menu
};

}  // namespace garam::test
