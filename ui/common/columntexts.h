// The texts of list cells that the main window's lists and the windows patching their rows share,
// and the shape of one row. Plain functions and no widgets, like the row builders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/bytes.h"
#include "data/city_edit.h"
#include "data/country_edit.h"

namespace garam {

// Row colours, as RGB.
inline constexpr std::uint32_t kNoColor = 0xFFFFFFFF;
inline constexpr std::uint32_t kPlayerBlue = 0x0000FF;
inline constexpr std::uint32_t kPlayerRed = 0xFF0000;
inline constexpr std::uint32_t kPlayerGreen = 0x008000;

struct ListRow {
  std::string text;
  std::string tag;
  std::vector<std::string> sub;  // sub[0] is sub-item 1
  std::uint32_t color = kNoColor;  // of the text and of every sub-item
  std::vector<int> bold;           // columns in bold; 0 is the text
  bool operator==(const ListRow&) const = default;
};

// Column texts.
std::string Padded(long long value, int width);  // right-aligned, the last width characters kept
std::string RecordNumber(int number, int digits);
std::string Dashes(int n);
inline constexpr int kNoCountryDashes = kCountryNameBytes;
inline constexpr int kNoCityDashes = kCityNameBytes;
std::string GeneralStatusText(int code, bool saveFile, bool lordOfHisCity);
std::string MissionText(std::int16_t mission);
std::string AptitudeText(std::uint8_t value);
std::string UnitKindText(std::uint8_t kind);
std::string CultureSphereText(std::uint8_t sphere);
std::string PregnancyText(std::uint8_t flags);
std::string AdultText(std::uint8_t flag);

}  // namespace garam
