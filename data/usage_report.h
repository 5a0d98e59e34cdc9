// The usage reports of the statistics menu: for every number of one of the game's numberings (faces,
// unique codes, biography numbers, culture-item descriptions) or every wall of the map, which
// entities of the loaded scenario use it. The report is built whole in memory, as the bytes of
// result.txt: code page 949 text with CR LF line ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/gamedata.h"

namespace garam {

// In the order of the statistics menu's entries.
enum class UsageReportKind { MenFaces = 0, WomenFaces, UniqueCodes, Biographies, CultureItems, Walls };
inline constexpr int kUsageReportKinds = int(UsageReportKind::Walls) + 1;

// Record numbers of the main window's lists in their current order; the users of a number appear
// in this order.
struct UsageReportRows {
  std::vector<int> countries, cities, generals, queens;
};

struct UsageReportSource {
  const GameDataSet& d;
  std::int32_t fileKind;
  bool qvEdition;   // the edition flag of the loaded executable tables
  std::string tag;  // put in front of every list of users, see ScenarioTag
  UsageReportRows rows;
};

// "S1" to "S4" when the loaded file's name contains "scedat1" to "scedat4" (any case), else "0".
std::string ScenarioTag(std::string_view fileName);

// The whole file. Users whose record number or value lies outside the tables are left out.
std::string BuildUsageReport(UsageReportKind kind, const UsageReportSource& s);

// The annotation of a biography number in UTF-8: "<", parts joined by " | ", ">"; empty for a
// number without one.
std::string BiographyAnnotation(int number, bool qvEdition);

}  // namespace garam
