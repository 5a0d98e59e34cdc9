// The general picker: a general for a consort's father or husband, a city's new lord, a
// country's king or a blood relation, chosen among the rows of the main window's general list.
#pragma once

#include "ui/pickers/listpicker.h"

namespace garam {

// Whom the chosen general becomes.
enum class GeneralPickerMode {
  ConsortFather,      // the consort editor's father
  ConsortHusband,     // the consort editor's husband
  NewLord,            // the successor of a lord who leaves his city, from the status menu
  King,               // the country editor's king
  NewConsortHusband,  // the create-consort dialog's husband
  NewCountryKing,     // the create-country dialog's king
  Relative,           // a blood relation
};

class GeneralPicker : public ListPicker {
  Q_OBJECT
 public:
  // editedGeneral: the lord who leaves his city (NewLord), whose successors are those
  // CanSucceedLord allows in the editor's city as loaded.
  GeneralPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers, GeneralPickerMode mode,
                int editedGeneral = -1);

 protected:
  void Fill() override;
  void TakeAnswer(ListItem* row) override;

 private:
  void PlaceByCaller();
  // The rows each mode offers, from the main window's general list.
  void AddGrownMenRows();        // a consort's father or husband; "없음" for the father
  void AddSuccessorRows();       // NewLord
  void AddCountryGeneralRows();  // King: the edited country's generals, the current king first
  void AddUnaffiliatedRows();    // NewCountryKing
  void AddAllRows();             // Relative
  void AddGeneralRow(const ListItem* source);
  void SetCultureSphere(int general);

  GeneralPickerMode mode_;
  int editedGeneral_;
};

}  // namespace garam
