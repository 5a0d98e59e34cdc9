// The country picker: the owner country of a city being edited or created, chosen among the
// rows of the main window's country list.
#pragma once

#include "ui/pickers/listpicker.h"

namespace garam {

// The city whose owner country is chosen.
enum class CountryPickerMode {
  EditedCity,  // the city editor's; 없음 is offered only for a city without generals
  NewCity,     // the create-city dialog's
};

class CountryPicker : public ListPicker {
  Q_OBJECT
 public:
  CountryPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers, CountryPickerMode mode);

 protected:
  void Fill() override;
  void TakeAnswer(ListItem* row) override;

 private:
  CountryPickerMode mode_;
};

}  // namespace garam
