// Data Convert: a Korean-edition scenario in the expansion edition's layouts. The target keeps
// only its unit type 13, which the Korean edition lacks.
#include <cstring>

#include "data/binarydigits.h"
#include "data/cp949.h"
#include "data/expert_sets.h"

namespace garam {
namespace {

constexpr std::size_t kTitleKeep = 16;  // 17-byte field: room for the NUL

// Unit type 13 is new in the expansion edition: Korean types from 13 up move one place up, and
// the new bit 13 starts clear.
std::uint32_t WidenUnitMask(std::uint32_t mask) {
  const std::string digits = LongToBinary(std::int32_t(mask), 0);
  return std::uint32_t(BinaryToLong(digits.substr(0, 19) + "0" + digits.substr(19)));
}

}  // namespace

std::string CutNameBytes(std::string_view bytes, std::size_t max) {
  std::size_t end = 0;
  while (end < bytes.size()) {
    const auto b = std::uint8_t(bytes[end]);
    const std::size_t len = (b >= 0x81 && b <= 0xFE && end + 1 < bytes.size()) ? 2 : 1;
    if (end + len > max) break;
    end += len;
  }
  return std::string(bytes.substr(0, end));
}

void ConvertScenario(GameDataSet& s, GameDataSet& t) {
  const auto& kr = s.gScenarioHeader;
  auto& qv = t.gScenarioHeaderQV;
  qv.set(kScenarioHeaderQV.startYear, kr.get(kScenarioHeaderKr.startYear));
  WriteFixedNameBytes(qv.bytes(kScenarioHeaderQV.title), CutNameBytes(FixedNameBytes(kr.bytes(kScenarioHeaderKr.title)), kTitleKeep));
  std::memcpy(qv.bytes(kScenarioHeaderQV.description).data(), kr.bytes(kScenarioHeaderKr.description).data(),
              kScenarioHeaderQV.description.width);

  for (auto& city : s.gCities) city.set(kCityScen.unitMask, WidenUnitMask(city.get(kCityScen.unitMask)));

  for (std::size_t i = 0; i < s.gUnitTypes.size() && i < kUnitTypeCountKr; ++i) {
    const auto& from = s.gUnitTypes[i];
    auto& to = t.gUnitTypesQV.at(i < 13 ? i : i + 1);
    auto name = to.bytes(kUnitTypeQV.name);
    std::memcpy(name.data(), from.bytes(kUnitTypeKr.name).data(), kUnitTypeKr.name.width);
    std::memset(name.data() + kUnitTypeKr.name.width, ' ', name.size() - kUnitTypeKr.name.width);
    std::memcpy(&to.raw[kUnitTypeQV.unitKind.off], &from.raw[kUnitTypeKr.unitKind.off], 5);
  }

  t.gGeneralsQV.assign(s.gGenerals.size(), GeneralScenQVRec{});
  for (std::size_t i = 0; i < s.gGenerals.size(); ++i) {
    const auto& from = s.gGenerals[i];
    auto& to = t.gGeneralsQV[i];
    to.set(kGeneralScenQV.biography, from.get(kGeneralScenKr.biography));
    const auto name = to.bytes(kGeneralScenQV.name);
    WriteFixedNameBytes(name, CutNameBytes(FixedNameBytes(from.bytes(kGeneralScenKr.name)), name.size()));
    // Every field behind the name, in the same order.
    std::memcpy(&to.raw[kGeneralScenQV.region.off], &from.raw[kGeneralScenKr.region.off],
                GeneralScenQVRec::kSize - kGeneralScenQV.region.off);
  }

  // The rest of the scenario passes unchanged; the layouts are the same in both editions.
  t.gRegions = s.gRegions;
  t.gCountries = s.gCountries;
  t.gCities = s.gCities;
  t.gSpecialties = s.gSpecialties;
  t.gCultureItems = s.gCultureItems;
  t.gQueens = s.gQueens;
  t.gMapFix = s.gMapFix;
  t.gMapVar = s.gMapVar;
}

}  // namespace garam
