// The mother picker: a princess's mother, chosen among the rows of the main window's consort
// list, with her husband's country beside her.
#pragma once

#include "ui/pickers/listpicker.h"

namespace garam {

// The country of a save file's consort's husband, or an empty text when the chain from consort
// to husband, city and owner country breaks (no husband, no city, no owner).
QString HusbandCountryName(int consort);

class MotherPicker : public ListPicker {
  Q_OBJECT
 public:
  MotherPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers);

 protected:
  void Fill() override;
  void TakeAnswer(ListItem* row) override;
};

}  // namespace garam
