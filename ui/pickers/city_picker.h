// The city picker: a general's city of affiliation or appearance city, or the capital of a new
// country, chosen among the rows of the main window's city list.
#pragma once

#include <vector>

#include "ui/pickers/listpicker.h"

namespace garam {

// Which city is chosen, and for whom.
enum class CityPickerMode {
  Affiliation,   // the general editor's city of affiliation
  Appearance,    // the general editor's appearance city; must be answered while the status menu is up
  Joining,       // the city an unaffiliated, minor or unappeared general joins from the status menu
  EmptyCapital,  // an unowned city as a new country's capital (save files)
  LordsCapital,  // a lord's city as a new country's capital, the lord its king (scenarios)
};

// A lord whose city may become the capital of a new country in a scenario; he becomes its king.
struct CapitalCandidate {
  std::int16_t CapitalNo;
  std::int16_t KingNo;
  QString KingName;
};

class CityPicker : public ListPicker {
  Q_OBJECT
 public:
  CityPicker(QWidget* owner, const MainLists& lists, const PickerCallers& callers, CityPickerMode mode);

 protected:
  void Fill() override;
  void TakeAnswer(ListItem* row) override;
  bool CanCancel() const override;

 private:
  bool StatusMenuVisible() const;
  // Whether city holds a general in its lord's place: the scenario's "장군수" count above
  // scenarioMore, or in a save file the given slot of its general list taken.
  bool CityHolds(int city, int scenarioMore, int saveSlot) const;
  void AddCapitalRows();
  void WritePositionLabels(int city);
  void SettleIn(std::uint8_t city, bool hasLord);
  void AnswerJoining(ListItem* row);
  void AnswerAffiliation(ListItem* row);

  CityPickerMode mode_;
  // The lords a scenario offers: the capital row tagged k is element k - 1.
  std::vector<CapitalCandidate> capitalCandidates_;
};

}  // namespace garam
