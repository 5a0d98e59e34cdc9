// The country picker: the owner country of a city being edited or created, chosen among the
// rows of the main window's country list.
#pragma once

#include "ui/pickers/listpicker.h"

namespace garam {

class CountryPicker : public ListPicker {
  Q_OBJECT
 public:
  CountryPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers);
  ListView* Find1ListView;

 protected:
  void Fill() override;
  void TakeAnswer(ListItem* row) override;
};

}  // namespace garam
