#include "data/expert_tools.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "data/mapfiles.h"

namespace garam {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The sea-route table fills the fixed map after its grid and three more bytes.
constexpr std::uint64_t kSeaRouteTableBytes = 10240;
constexpr std::uint64_t kSeaRouteTableOffset = kMapFixSize - kSeaRouteTableBytes;
static_assert(kSeaRouteTableOffset == 168764);

}  // namespace

int ScenariosOf(const ExeInfo& info) { return info.IsQVEdition() ? 4 : 2; }

std::string CountsText(const ExeInfo& info, int n) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%03d/%02d", info.countries[n - 1], info.cities[n - 1],
                info.generals[n - 1], info.consorts[n - 1]);
  return text;
}

double AnswerNumber(std::string_view s) {
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < s.size() && IsBlank(s[i])) ++i;
  };
  auto takeDigits = [&](std::string& out) {
    int n = 0;
    for (skipBlanks(); i < s.size() && IsDigit(s[i]); skipBlanks()) out += s[i++], ++n;
    return n;
  };
  std::string number;
  skipBlanks();
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  int digits = takeDigits(number);
  if (i < s.size() && s[i] == '.') {
    number += s[i++];
    digits += takeDigits(number);
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    // An exponent without digits is no exponent: the number ends before the "e".
    const std::size_t mark = i;
    std::string exponent = "e";
    ++i;
    skipBlanks();
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) exponent += s[i++];
    if (takeDigits(exponent) > 0) number += exponent;
    else i = mark;
  }
  // Only digits, a sign, a point and an exponent reach strtod; an overflow comes back as an
  // infinity, which every range refuses.
  return std::strtod(number.c_str(), nullptr);
}

CountAnswer ParseCountAnswer(std::string_view answer, ScenarioCounts& counts) {
  if (Trimmed(answer).empty()) return CountAnswer::Empty;
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    std::size_t slash = answer.find('/', start);
    parts.push_back(answer.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  if (parts.size() != 4) return CountAnswer::Format;
  struct Limit {
    double high;
    CountAnswer refusal;
  };
  static constexpr Limit kLimits[4] = {{80, CountAnswer::Countries},
                                       {80, CountAnswer::Cities},
                                       {500, CountAnswer::Generals},
                                       {200, CountAnswer::Consorts}};
  std::size_t values[4];
  for (int k = 0; k < 4; ++k) {
    double v = AnswerNumber(parts[k]);
    if (!(v >= 1 && v <= kLimits[k].high)) return kLimits[k].refusal;
    values[k] = std::size_t(std::nearbyint(v));  // the default rounding mode takes halves to even
  }
  counts = {values[0], values[1], values[2], values[3]};
  return CountAnswer::Ok;
}

void SetCounts(ExeInfo& info, int n, const ScenarioCounts& c) {
  info.countries[n - 1] = std::uint8_t(c.countries);
  info.cities[n - 1] = std::uint8_t(c.cities);
  info.generals[n - 1] = std::int16_t(c.generals);
  info.consorts[n - 1] = std::uint8_t(c.consorts);
}

std::vector<FilePatch> CountPlan(const ExeInfo& info) {
  std::vector<FilePatch> plan;
  for (int n = 1; n <= ScenariosOf(info); ++n)
    for (auto& p : CountPatches(info, n)) plan.push_back(std::move(p));
  return plan;
}

bool OnFixedMap(MapLayer layer) { return layer == MapLayer::Products || layer == MapLayer::SeaRoad; }

std::uint64_t MapFileSizeFor(MapLayer layer) { return OnFixedMap(layer) ? kMapFixSize : kMapVarSize; }

bool ClearMapLayer(Bytes& image, MapLayer layer) {
  if (image.size() != MapFileSizeFor(layer)) return false;
  if (layer == MapLayer::SeaRoad) {
    std::fill(image.begin() + std::ptrdiff_t(kSeaRouteTableOffset), image.end(), std::uint8_t(0xFF));
    return true;
  }
  for (std::size_t at = kMapGridOffset; at < kMapGridOffset + kMapGridBytes; at += MapCell::kSize) {
    MapCell cell;
    cell.load(&image[at]);
    if (layer == MapLayer::Buildings) {
      // 0 marks a part of a city, which stays; walls and every other building go.
      if (cell.get(kVariableMapCell.building) != kCastleBuilding) {
        cell.set(kVariableMapCell.building, kMapCellNone);
        cell.set(kVariableMapCell.buildingDetail, kMapCellNone);
      }
    } else {
      cell.set(layer == MapLayer::Products ? kFixedMapCell.specialty : kVariableMapCell.road, kMapCellNone);
    }
    cell.store(&image[at]);
  }
  return true;
}

}  // namespace garam
