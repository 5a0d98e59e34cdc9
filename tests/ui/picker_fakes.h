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
#include "platform/listview.h"
#include "platform/pictureclip.h"
#include "ui/pickers/pickercallers.h"

namespace garam::test {

// A window with controls at fixed places, so that placements can be checked to the pixel.
struct FakeForm {
  std::unique_ptr<QWidget> form = std::make_unique<QWidget>();
  FakeForm() { form->move(1000, 500); }
  QWidget* Frame(int left, int top, int width, int height) {
    auto* f = new QWidget(form.get());
    f->setGeometry(left, top, width, height);
    return f;
  }
  QPushButton* Button(QWidget* parent, int left, int top, int width, int height) {
    auto* b = new QPushButton(parent ? parent : form.get());
    b->setGeometry(left, top, width, height);
    return b;
  }
  QLabel* Label(const QString& text = "처음") { return new QLabel(text, form.get()); }
};

template <typename T>
T* At(std::map<int, T*>& m, QWidget* parent, int i) {
  if (!m.count(i)) m[i] = new T(parent);
  return m[i];
}

struct FakeGeneralEditor : GeneralEditorCaller, FakeForm {
  std::uint8_t cityNo = 3, orgCityNo = 3, appearCityNo = 7;
  std::int16_t newLordNo = 500, faceNo = 0;
  std::vector<bool> sonInLawCalls;
  std::map<int, QLabel*> labels;
  std::map<int, QPushButton*> buttons;
  std::map<int, QLineEdit*> nums;
  QWidget* frame17 = Frame(40, 60, 200, 50);
  QWidget* frame19 = Frame(300, 80, 120, 40);
  QLabel* mask = Label("");

  QWidget* Form() override { return form.get(); }
  std::uint8_t CityNo() const override { return cityNo; }
  void SetCityNo(std::uint8_t v) override { cityNo = v; }
  std::uint8_t OrgCityNo() const override { return orgCityNo; }
  void SetAppearCityNo(std::uint8_t v) override { appearCityNo = v; }
  void SetNewLordNo(std::int16_t v) override { newLordNo = v; }
  std::int16_t FaceNo() const override { return faceNo; }
  void SetFaceNo(std::int16_t v) override { faceNo = v; }
  QLabel* edt4lbl2(int i) override { return At(labels, form.get(), i); }
  QAbstractButton* edt4Cmd3(int i) override { return At(buttons, form.get(), i); }
  QLineEdit* edt4Num(int i) override { return At(nums, form.get(), i); }
  QWidget* edt4Frame(int i) override { return i == 17 ? frame17 : i == 19 ? frame19 : nullptr; }
  QLabel* edt4Mask() override { return mask; }
  void 사위설정(bool flag) override { sonInLawCalls.push_back(flag); }
};

struct FakeCreateGeneral : CreateGeneralCaller {
  std::int16_t faceNo = 0;
  QLabel mask;
  std::int16_t FaceNo() const override { return faceNo; }
  void SetFaceNo(std::int16_t v) override { faceNo = v; }
  QLabel* Add3Mask() override { return &mask; }
};

struct FakeConsortEditor : ConsortEditorCaller, FakeForm {
  std::int16_t fatherNo = 11, husbandNo = 12;
  std::uint8_t faceNo = 0;
  QLabel* lbl[2] = {Label(), Label()};
  QWidget* frame3 = Frame(20, 30, 100, 60);
  QWidget* frame4 = Frame(140, 30, 100, 60);
  QPushButton* cmd[2] = {Button(frame3, 10, 20, 40, 20), Button(frame4, 6, 8, 30, 10)};
  QLabel* mask = Label("");

  QWidget* Form() override { return form.get(); }
  void SetFatherNo(std::int16_t v) override { fatherNo = v; }
  void SetHusbandNo(std::int16_t v) override { husbandNo = v; }
  std::uint8_t FaceNo() const override { return faceNo; }
  void SetFaceNo(std::uint8_t v) override { faceNo = v; }
  QLabel* edt5lbl(int i) override { return lbl[i]; }
  QWidget* edt5Frame(int i) override { return i == 3 ? frame3 : i == 4 ? frame4 : nullptr; }
  QAbstractButton* edt5Cmd3(int i) override { return cmd[i]; }
  QLabel* edt5Mask() override { return mask; }
};

struct FakeCreateConsort : CreateConsortCaller, FakeForm {
  std::int16_t husbandNo = 12;
  std::uint8_t faceNo = 0;
  QLabel* lbl = Label();
  QWidget* frame3 = Frame(50, 70, 100, 60);
  QPushButton* cmd = Button(frame3, 4, 6, 20, 30);
  QLabel* mask = Label("");

  QWidget* Form() override { return form.get(); }
  void SetHusbandNo(std::int16_t v) override { husbandNo = v; }
  std::uint8_t FaceNo() const override { return faceNo; }
  void SetFaceNo(std::uint8_t v) override { faceNo = v; }
  QLabel* Add4lbl() override { return lbl; }
  QWidget* Add4Frame(int i) override { return i == 3 ? frame3 : nullptr; }
  QAbstractButton* Add4Cmd3() override { return cmd; }
  QLabel* Add4Mask() override { return mask; }
};

struct FakeCountryEditor : CountryEditorCaller, FakeForm {
  std::int16_t kingNo = 500;
  QLabel* lbl = Label();
  QLineEdit* text = new QLineEdit(form.get());
  QComboBox* combo = new QComboBox(form.get());
  QWidget* frame2 = Frame(30, 90, 150, 44);
  FakeCountryEditor() {
    combo->addItems({"일본", "중국", "몽골", "인도", "이슬람", "동유럽", "서유럽"});
    combo->setCurrentIndex(2);
  }
  QWidget* Form() override { return form.get(); }
  std::int16_t KingNo() const override { return kingNo; }
  void SetKingNo(std::int16_t v) override { kingNo = v; }
  QLabel* edt2lbl2() override { return lbl; }
  QLineEdit* edt2Text() override { return text; }
  QComboBox* edt2Combo() override { return combo; }
  QWidget* edt2Frame(int i) override { return i == 2 ? frame2 : nullptr; }
};

struct FakeCreateCountry : CreateCountryCaller, FakeForm {
  std::int16_t kingNo = 500, capitalNo = 80;
  QLabel* lbl[2] = {Label(), Label()};
  QWidget* frame2 = Frame(10, 20, 100, 50);
  QWidget* frame3 = Frame(10, 80, 100, 50);
  QPushButton* cmd[2] = {Button(frame2, 8, 10, 40, 20), Button(frame3, 12, 14, 30, 16)};

  QWidget* Form() override { return form.get(); }
  void SetKingNo(std::int16_t v) override { kingNo = v; }
  void SetCapitalNo(std::int16_t v) override { capitalNo = v; }
  QLabel* Add1lbl(int i) override { return lbl[i]; }
  QWidget* Add1Frame(int i) override { return i == 2 ? frame2 : i == 3 ? frame3 : nullptr; }
  QAbstractButton* Add1Cmd2(int i) override { return cmd[i]; }
};

struct FakeCityEditor : CityEditorCaller, FakeForm {
  std::uint8_t ownerNo = 5;
  QLabel* lbl0 = Label();
  QLabel* lbl4 = Label("수도");
  QWidget* frame1 = Frame(60, 40, 120, 36);
  QWidget* Form() override { return form.get(); }
  void SetOwnerNo(std::uint8_t v) override { ownerNo = v; }
  QLabel* edt3lbl2(int i) override { return i == 0 ? lbl0 : i == 4 ? lbl4 : nullptr; }
  QWidget* edt3Frame(int i) override { return i == 1 ? frame1 : nullptr; }
};

struct FakeCreateCity : CreateCityCaller, FakeForm {
  std::uint8_t ownerNo = 5;
  QLabel* lbl = Label();
  QWidget* frame = Frame(200, 200, 100, 100);
  QPushButton* cmd = Button(frame, 14, 22, 40, 18);
  QWidget* Form() override { return form.get(); }
  void SetOwnerNo(std::uint8_t v) override { ownerNo = v; }
  QLabel* Add2lbl2() override { return lbl; }
  QAbstractButton* Add2Cmd2() override { return cmd; }
};

struct FakePrincessEditor : PrincessEditorCaller, FakeForm {
  std::int16_t motherNo = 7;
  QLabel* lbl = Label();
  QWidget* frame1 = Frame(16, 24, 100, 40);
  QPushButton* cmd = Button(frame1, 20, 10, 50, 12);
  QLabel* mask = Label("");
  QWidget* Form() override { return form.get(); }
  std::int16_t MotherNo() const override { return motherNo; }
  void SetMotherNo(std::int16_t v) override { motherNo = v; }
  QLabel* edt6lbl(int i) override { return i == 0 ? lbl : nullptr; }
  QWidget* edt6Frame(int i) override { return i == 1 ? frame1 : nullptr; }
  QAbstractButton* edt6Cmd2() override { return cmd; }
  QLabel* edt6Mask() override { return mask; }
};

struct FakeBloodRelation : BloodRelationCaller, FakeForm {
  std::int16_t generalNo = 500;
  QLabel* lbl = Label();
  QPushButton* cmd[2] = {Button(nullptr, 30, 40, 60, 20), Button(nullptr, 100, 40, 60, 20)};
  FakeBloodRelation() { cmd[1]->setEnabled(false); }
  QWidget* Form() override { return form.get(); }
  void SetGeneralNo(std::int16_t v) override { generalNo = v; }
  QLabel* lbl혈연() override { return lbl; }
  QAbstractButton* cmd혈연(int i) override { return cmd[i]; }
};

// A main-window list: rows of cells, column 0 the text, with their tags.
struct Row {
  QString tag;
  QStringList cells;
};
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
inline Row GeneralRow(int tag, const QString& name, const QString& status, const QString& city,
                      const QString& country) {
  return {QString::number(tag), {name, status, "", "", "", "", "", "", city, country}};
}

// The tags of a list's rows from the top.
inline QStringList Tags(const ListView* list) {
  QStringList tags;
  for (int i = 0; i < list->count(); ++i) tags << list->row(i)->tag;
  return tags;
}

// A face sheet as BMP bytes with tiny cells, cell n filled with CellColour(n).
inline QColor CellColour(int n) { return QColor(n % 256, n / 256, 77); }
inline Bytes SheetBytes(int rows, int cols) {
  constexpr int kCell = 2;
  QImage sheet(cols * kCell, rows * kCell, QImage::Format_RGB32);
  for (int n = 0; n < rows * cols; ++n)
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) sheet.setPixelColor((n % cols) * kCell + x, (n / cols) * kCell + y, CellColour(n));
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

// Puts the data set and the module-wide state back as they were before the test.
class PickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedData_ = gData;
    savedKind_ = gFileKind;
    savedCaller_ = gChildFormCaller;
    savedArg_ = gChildFormArg;
    savedExe_ = gLoadedExeInfo;
    savedBitmaps_ = BitmapState::Take();
    savedSheets_ = gMaskData;
  }
  void TearDown() override {
    gData = savedData_;
    gFileKind = savedKind_;
    gChildFormCaller = savedCaller_;
    gChildFormArg = savedArg_;
    gLoadedExeInfo = savedExe_;
    savedBitmaps_.Restore();
    gMaskData = savedSheets_;
    for (int i = 0; i < 7; ++i) MaskData(i).Invalidate();
  }

  // Shows the picker and gives it the keyboard, as its modal loop would.
  static void Open(QWidget* picker, QWidget* list) {
    picker->show();
    QApplication::setActiveWindow(picker);
    list->setFocus();
  }

 private:
  GameDataSet savedData_;
  std::int32_t savedKind_ = 0;
  std::int16_t savedCaller_ = 0, savedArg_ = 0;
  ExeInfo savedExe_;
  BitmapState savedBitmaps_ = BitmapState::Take();
  std::array<Bytes, 7> savedSheets_;
};

}  // namespace garam::test
