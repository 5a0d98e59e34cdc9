#include "ui/common/columntexts.h"

#include <algorithm>
#include <array>

#include "data/cp949.h"
#include "data/gamedata.h"
#include "data/general_record.h"
#include "data/ids.h"

namespace garam {
namespace {

std::string Str(long long v) { return std::to_string(v); }

}  // namespace

std::string Padded(long long value, int width) {
  std::string s = Str(value);
  if (int(s.size()) < width) return std::string(std::size_t(width) - s.size(), ' ') + s;
  return s.substr(s.size() - std::size_t(width));
}

std::string RecordNumber(int number, int digits) {
  std::string s = std::string(std::size_t(digits - 1), '0') + Str(number);
  return s.substr(s.size() - std::size_t(digits));
}

std::string Dashes(int n) { return std::string(std::size_t(n), '-'); }

std::string GeneralStatusText(int code, bool saveFile, bool lordOfHisCity) {
  const std::optional<GeneralStatus> status = StatusOfCode(code, saveFile, lordOfHisCity);
  return status ? StatusCaption(*status) : "";
}

std::string MissionText(std::int16_t m) {
  if (m < 0) return "";
  if (m < 500) return "군대";
  if (m < 1000) return "수송";
  if (m < 1500) return "노동";
  if (m < 2000) return "사신";
  if (m < 2500) return "간첩";
  if (m < 3000) return "이동";
  if (m < 4000) return "대상";
  if (m < kNoMission) return "이주";
  if (m == kNoMission) return "없음";
  return "";
}

std::string AptitudeText(std::uint8_t value) {
  // The grade letter is the code page 949 code 0xA3C5 minus the value: 0 to 4 give E to A.
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    for (int v = 0; v < 256; ++v) {
      if (v == 5) {
        t[v] = "  Ｓ";
        continue;
      }
      const int code = 0xA3C5 - v;
      const char bytes[2] = {char(code >> 8), char(code & 0xFF)};
      t[v] = "　" + Cp949ToUtf8(std::string_view(bytes, 2));
    }
    return t;
  }();
  return table[value];
}

std::string UnitKindText(std::uint8_t kind) {
  static const char* const k[] = {"  보병", "  궁병", "  기병", " 궁기병", "코끼리병", " 낙타병", "  포병", " 공성탑"};
  return kind < 8 ? k[kind] : "";
}

std::string CultureSphereText(std::uint8_t sphere) {
  // Right-aligned in three characters.
  const std::string name = CultureSphereName(sphere);
  const auto chars = std::ranges::count_if(name, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  return name.empty() ? name : std::string(std::size_t(std::max<std::ptrdiff_t>(0, 3 - chars)), ' ') + name;
}

std::string PregnancyText(std::uint8_t flags) {
  const int p = flags & 0x1F;
  std::string t = " " + Str((p - 2) / 4) + "턴";
  return t == " 0턴" ? "안함" : t;
}

std::string AdultText(std::uint8_t flag) { return flag == 1 ? "성인" : "미성년"; }

}  // namespace garam
