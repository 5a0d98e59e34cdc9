// The general picker: a general for a consort's father or husband, a city's new lord, a
// country's king or a blood relation, chosen among the rows of the main window's general list.
#pragma once

#include "ui/pickers/listpicker.h"

namespace garam {

class GeneralPicker : public ListPicker {
  Q_OBJECT
 public:
  GeneralPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers);
  ListView* Find3ListView;

 protected:
  void Fill() override;
  void TakeAnswer(ListItem* row) override;

 private:
  void AddGeneralRow(const ListItem* source);
  void SetCultureSphere(int general);
};

}  // namespace garam
