// What the pickers see of the windows that open them. A picker answers by writing straight into
// its caller's public variables, labels and buttons, so each caller kind is a small interface
// here: the editors implement it, tests fake it with plain widgets.
//
// The variables go through setters, so that an editor may react to a new value. Controls are the
// caller's own widgets: the picker reads and writes their captions and places itself by their
// positions (each relative to its container, the caller's window by its outer position). A create
// dialog's controls are named with "New", so that one object may stand for an editor and its
// create dialog at once and still tell their controls apart.
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

// The general editor: the city picker's Affiliation, Appearance and Joining, the general picker's
// NewLord, men's faces.
class GeneralEditorCaller {
 public:
  virtual ~GeneralEditorCaller() = default;
  virtual QWidget* Form() = 0;
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

// The create-general dialog: men's faces.
class CreateGeneralCaller {
 public:
  virtual ~CreateGeneralCaller() = default;
  virtual std::int16_t FaceNo() const = 0;
  virtual void SetFaceNo(std::int16_t v) = 0;
  virtual QLabel* NewGeneralFaceLabel() = 0;
};

// The consort editor: the general picker's ConsortFather and ConsortHusband, women's faces.
class ConsortEditorCaller {
 public:
  virtual ~ConsortEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetFatherNo(std::int16_t v) = 0;
  virtual void SetHusbandNo(std::int16_t v) = 0;
  virtual std::uint8_t FaceNo() const = 0;
  virtual void SetFaceNo(std::uint8_t v) = 0;
  virtual QLabel* FatherNameLabel() = 0;
  virtual QLabel* HusbandNameLabel() = 0;
  virtual QWidget* FatherGroup() = 0;
  virtual QWidget* HusbandGroup() = 0;
  virtual QAbstractButton* ChangeFatherButton() = 0;
  virtual QAbstractButton* ChangeHusbandButton() = 0;
  virtual QLabel* ConsortFaceLabel() = 0;
};

// The create-consort dialog: the general picker's NewConsortHusband, women's faces.
class CreateConsortCaller {
 public:
  virtual ~CreateConsortCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetHusbandNo(std::int16_t v) = 0;
  virtual std::uint8_t FaceNo() const = 0;
  virtual void SetFaceNo(std::uint8_t v) = 0;
  virtual QLabel* NewHusbandNameLabel() = 0;
  virtual QWidget* NewHusbandGroup() = 0;
  virtual QAbstractButton* ChangeNewHusbandButton() = 0;
  virtual QLabel* NewConsortFaceLabel() = 0;
};

// The country editor: the general picker's King.
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

// The create-country dialog: the general picker's NewCountryKing, the city picker's
// EmptyCapital and LordsCapital.
class CreateCountryCaller {
 public:
  virtual ~CreateCountryCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetKingNo(std::int16_t v) = 0;
  virtual void SetCapitalNo(std::int16_t v) = 0;
  virtual QLabel* NewKingNameLabel() = 0;
  virtual QLabel* NewCapitalNameLabel() = 0;
  virtual QWidget* NewKingGroup() = 0;
  virtual QWidget* NewCapitalGroup() = 0;
  virtual QAbstractButton* ChangeNewKingButton() = 0;
  virtual QAbstractButton* ChangeNewCapitalButton() = 0;
};

// The city editor: the country picker's EditedCity.
class CityEditorCaller {
 public:
  virtual ~CityEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetOwnerNo(std::uint8_t v) = 0;
  virtual QLabel* OwnerNameLabel() = 0;
  virtual QLabel* CityStatusLabel() = 0;
  virtual QWidget* OwnerGroup() = 0;
};

// The create-city dialog: the country picker's NewCity, and the map editor's new-city
// site, which it answers with the confirmed cell.
class CreateCityCaller {
 public:
  virtual ~CreateCityCaller() = default;
  virtual QWidget* Form() = 0;
  virtual void SetOwnerNo(std::uint8_t v) = 0;
  virtual void SetCell(int x, int y) = 0;
  virtual QLabel* NewCityOwnerNameLabel() = 0;
  virtual QAbstractButton* NewCityOwnerButton() = 0;
};

// The princess editor: the mother picker.
class PrincessEditorCaller {
 public:
  virtual ~PrincessEditorCaller() = default;
  virtual QWidget* Form() = 0;
  virtual std::int16_t MotherNo() const = 0;
  virtual void SetMotherNo(std::int16_t v) = 0;
  virtual QLabel* MotherNameLabel() = 0;
  virtual QWidget* MotherGroup() = 0;
  virtual QAbstractButton* ChangeMotherButton() = 0;
  virtual QLabel* PrincessFaceLabel() = 0;
};

// The blood-relation setter: the general picker's Relative.
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
