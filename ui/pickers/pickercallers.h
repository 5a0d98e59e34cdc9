// What the pickers see of the windows that open them. A picker answers by writing straight into
// its caller's public variables, labels and buttons, so each caller kind is a small interface
// here: the editors implement it, tests fake it with plain widgets.
//
// The variables go through setters, so that an editor may react to a new value. Controls are the
// caller's own widgets: the picker reads and writes their captions and places itself by their
// positions (each relative to its container, the caller's window by its outer position).
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <cstdint>

namespace garam {

class ListView;

// The main window's lists the pickers take their rows from.
struct MainLists {
  ListView* countries = nullptr;
  ListView* cities = nullptr;
  ListView* generals = nullptr;
  ListView* consorts = nullptr;
};

// frmEdit4, the general editor: the city picker's Affiliation, Appearance and Joining,
// the general picker's NewLord, men's faces.
class GeneralEditorCaller {
 public:
  virtual ~GeneralEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual std::uint8_t CityNo() const = 0;
  virtual void SetCityNo(std::uint8_t v) = 0;
  virtual std::uint8_t OrgCityNo() const = 0;
  virtual void SetAppearCityNo(std::uint8_t v) = 0;
  virtual void SetNewLordNo(std::int16_t v) = 0;
  virtual std::int16_t FaceNo() const = 0;
  virtual void SetFaceNo(std::int16_t v) = 0;
  virtual QLabel* StatusLabel() = 0;
  virtual QLabel* UnitLabel() = 0;
  virtual QLabel* CityLabel() = 0;
  virtual QLabel* AppearanceCityLabel() = 0;
  virtual QLabel* PositionXLabel() = 0;
  virtual QLabel* PositionYLabel() = 0;
  virtual QAbstractButton* ChangeCityButton() = 0;
  virtual QAbstractButton* ChangeAppearanceCityButton() = 0;
  virtual QLineEdit* EmploymentYearBox() = 0;
  virtual QLineEdit* AppearanceYearBox() = 0;
  virtual QWidget* CityFrame() = 0;
  virtual QWidget* AppearanceFrame() = 0;
  virtual QLabel* FaceLabel() = 0;
  // Sets the son-in-law toggle for the status and city now shown; afterChange starts it at "X".
  virtual void UpdateSonInLawToggle(bool afterChange) = 0;
};

// frmAdd3, the create-general dialog: men's faces.
class CreateGeneralCaller {
 public:
  virtual ~CreateGeneralCaller() = default;
  virtual std::int16_t FaceNo() const = 0;
  virtual void SetFaceNo(std::int16_t v) = 0;
  virtual QLabel* NewGeneralFaceLabel() = 0;
};

// frmEdit5, the consort editor: the general picker's ConsortFather and ConsortHusband,
// women's faces.
class ConsortEditorCaller {
 public:
  virtual ~ConsortEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetFatherNo(std::int16_t v) = 0;
  virtual void SetHusbandNo(std::int16_t v) = 0;
  virtual std::uint8_t FaceNo() const = 0;
  virtual void SetFaceNo(std::uint8_t v) = 0;
  virtual QLabel* edt5lbl(int index) = 0;
  virtual QWidget* edt5Frame(int index) = 0;
  virtual QAbstractButton* edt5Cmd3(int index) = 0;
  virtual QLabel* edt5Mask() = 0;
};

// frmAdd4, the create-consort dialog: the general picker's NewConsortHusband, women's faces.
class CreateConsortCaller {
 public:
  virtual ~CreateConsortCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetHusbandNo(std::int16_t v) = 0;
  virtual std::uint8_t FaceNo() const = 0;
  virtual void SetFaceNo(std::uint8_t v) = 0;
  virtual QLabel* Add4lbl() = 0;
  virtual QWidget* Add4Frame(int index) = 0;
  virtual QAbstractButton* Add4Cmd3() = 0;
  virtual QLabel* Add4Mask() = 0;
};

// frmEdit2, the country editor: the general picker's King.
class CountryEditorCaller {
 public:
  virtual ~CountryEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual std::int16_t KingNo() const = 0;
  virtual void SetKingNo(std::int16_t v) = 0;
  virtual QLabel* KingNameLabel() = 0;
  virtual QLineEdit* CountryNameBox() = 0;
  virtual QComboBox* SphereCombo() = 0;
  virtual QWidget* KingGroup() = 0;
};

// frmAdd1, the create-country dialog: the general picker's NewCountryKing, the city
// picker's EmptyCapital and LordsCapital.
class CreateCountryCaller {
 public:
  virtual ~CreateCountryCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetKingNo(std::int16_t v) = 0;
  virtual void SetCapitalNo(std::int16_t v) = 0;
  virtual QLabel* Add1lbl(int index) = 0;
  virtual QWidget* Add1Frame(int index) = 0;
  virtual QAbstractButton* Add1Cmd2(int index) = 0;
};

// frmEdit3, the city editor: the country picker's EditedCity.
class CityEditorCaller {
 public:
  virtual ~CityEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetOwnerNo(std::uint8_t v) = 0;
  virtual QLabel* OwnerNameLabel() = 0;
  virtual QLabel* CityStatusLabel() = 0;
  virtual QWidget* OwnerGroup() = 0;
};

// frmAdd2, the create-city dialog: the country picker's NewCity, and the map editor's new-city
// site, which it answers with the confirmed cell.
class CreateCityCaller {
 public:
  virtual ~CreateCityCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetOwnerNo(std::uint8_t v) = 0;
  virtual void SetCell(int x, int y) = 0;
  virtual QLabel* Add2lbl2() = 0;
  virtual QAbstractButton* Add2Cmd2() = 0;
};

// frmEdit6, the princess editor: the mother picker.
class PrincessEditorCaller {
 public:
  virtual ~PrincessEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual std::int16_t MotherNo() const = 0;
  virtual void SetMotherNo(std::int16_t v) = 0;
  virtual QLabel* edt6lbl(int index) = 0;
  virtual QWidget* edt6Frame(int index) = 0;
  virtual QAbstractButton* edt6Cmd2() = 0;
  virtual QLabel* edt6Mask() = 0;
};

// frm혈연설정, the blood-relation setter: the general picker's Relative.
class BloodRelationCaller {
 public:
  virtual ~BloodRelationCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetGeneralNo(std::int16_t v) = 0;
  virtual QLabel* RelativeNameLabel() = 0;
  virtual QAbstractButton* PickGeneralButton() = 0;
  virtual QAbstractButton* OkButton() = 0;
};

// The windows a picker may answer to; the picker's mode chooses among them. A picker whose mode
// names a caller that is missing here offers its rows but answers nothing.
struct PickerCallers {
  CountryEditorCaller* countryEditor = nullptr;
  CityEditorCaller* cityEditor = nullptr;
  GeneralEditorCaller* generalEditor = nullptr;
  ConsortEditorCaller* consortEditor = nullptr;
  PrincessEditorCaller* princessEditor = nullptr;
  CreateCountryCaller* createCountry = nullptr;
  CreateCityCaller* createCity = nullptr;
  CreateGeneralCaller* createGeneral = nullptr;
  CreateConsortCaller* createConsort = nullptr;
  BloodRelationCaller* bloodRelation = nullptr;
  QWidget* statusMenu = nullptr;  // the general editor's status menu, when it opened the picker
};

}  // namespace garam
