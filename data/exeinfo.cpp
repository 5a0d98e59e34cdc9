#include "data/exeinfo.h"

#include <algorithm>

#include "data/bytes.h"
#include "data/cp949.h"
#include "data/fileio.h"
#include "data/gamedata.h"

namespace garam {
namespace {

constexpr std::uint64_t kMinExeSize = 1960000;
constexpr std::size_t kBitmapNameBytes = 13;

// One past the last byte that the build's tables occupy.
std::int64_t TablesEnd(const ExeBuild& b) {
  std::int64_t end = std::max<std::int64_t>({b.marker + 8, b.messageTable + 48,
                                             CountOffset(b.countryTable, 4) + 1, CountOffset(b.cityTable, 4) + 1,
                                             GeneralCountOffset(b.generalTable, 4) + 2,
                                             CountOffset(b.consortTable, 4) + 1, b.itemBitmapName + 13,
                                             b.womenBitmapName + 13, b.menBitmapName + 13});
  if (b.expansion)
    for (auto p : b.startYearTables) end = std::max<std::int64_t>(end, p + 8);
  return end;
}

// A bitmap name runs to its first NUL; a field without one is taken whole.
std::string BitmapName(std::span<const std::uint8_t> exe, std::int64_t off) {
  return ReadFixedName(std::span<const std::uint8_t>(exe.data() + off, kBitmapNameBytes));
}

bool PositionsValid(const ExeInfo& info) {
  const auto& p = info.messagePositions;
  if (p[0] != 0 || p[1] > 65535) return false;
  for (std::size_t i = 1; i < p.size(); ++i) {
    if (p[i] >= p[i - 1]) continue;
    // The Korean build ends its table early with a zero tenth entry.
    if (!info.IsQVEdition() && i == 9 && p[i] == 0) return true;
    return false;
  }
  return true;
}

bool CountsValid(const ExeInfo& info) {
  for (int s = 0; s < 4; ++s) {
    if (info.countries[s] > kCountrySlots || info.cities[s] > kCitySlots || info.generals[s] > int(kGeneralSlots) ||
        info.consorts[s] > kConsortSlots)
      return false;
    // The Korean build has only scenarios 1 and 2; its other entries are zero.
    bool mayBeEmpty = !info.IsQVEdition() && s >= 2;
    if (!mayBeEmpty && (info.countries[s] < 1 || info.cities[s] < 1 || info.generals[s] < 1 || info.consorts[s] < 1))
      return false;
    if (info.IsQVEdition() && (info.startYears[s] < 0 || info.startYears[s] > 2100)) return false;
  }
  return true;
}

// The known builds are about two megabytes; anything far larger is not one of them.
constexpr std::uint64_t kMaxExeBytes = 64u << 20;

}  // namespace

bool ParseExeImage(std::span<const std::uint8_t> exe, ExeInfo& out) {
  if (exe.size() < kMinExeSize) return false;
  const ExeBuild* build = nullptr;
  for (const auto& b : kExeBuilds) {
    if (std::size_t(b.marker) + 8 > exe.size()) continue;
    std::string marker(reinterpret_cast<const char*>(&exe[b.marker]), 8);
    if (ToLowerAscii(marker) == "message.") {
      build = &b;
      break;
    }
  }
  if (!build || std::int64_t(exe.size()) < TablesEnd(*build)) return false;

  ExeInfo info;
  info.directory = out.directory;
  info.path = out.path;
  info.editionFlag = build->expansion ? -1 : 0;
  info.markerOffset = build->marker;
  info.messageTableOffset = build->messageTable;
  info.countryTableOffset = build->countryTable;
  info.cityTableOffset = build->cityTable;
  info.generalTableOffset = build->generalTable;
  info.consortTableOffset = build->consortTable;
  if (build->expansion) info.startYearTableOffsets = build->startYearTables;
  info.itemBitmapName = BitmapName(exe, build->itemBitmapName);
  info.womenBitmapName = BitmapName(exe, build->womenBitmapName);
  info.menBitmapName = BitmapName(exe, build->menBitmapName);
  for (int i = 0; i < 12; ++i)
    info.messagePositions[i] = std::int32_t(GetU32(&exe[build->messageTable + 4 * i]));
  int scenarios = build->expansion ? 4 : 2;
  for (int n = 1; n <= scenarios; ++n) {
    info.countries[n - 1] = exe[CountOffset(build->countryTable, n)];
    info.cities[n - 1] = exe[CountOffset(build->cityTable, n)];
    info.generals[n - 1] = std::int16_t(GetU16(&exe[GeneralCountOffset(build->generalTable, n)]));
    info.consorts[n - 1] = exe[CountOffset(build->consortTable, n)];
  }
  if (build->expansion)
    for (int n = 0; n < 4; ++n)
      info.startYears[n] = std::int16_t(GetU16(&exe[build->startYearTables[0] + 2 * n]));

  if (!PositionsValid(info) || !CountsValid(info)) return false;
  out = info;
  return true;
}

bool EXEDataReadInto(const std::string& path, ExeInfo& out) {
  auto size = FileSize(path);
  if (!size || *size < kMinExeSize) return false;
  auto image = ReadWholeFile(path, kMaxExeBytes);
  return image && ParseExeImage(*image, out);
}

std::vector<FilePatch> CountPatches(const ExeInfo& info, int n) {
  Bytes general(2);
  PutU16(general.data(), std::uint16_t(info.generals[n - 1]));
  return {{std::uint64_t(CountOffset(info.countryTableOffset, n)), {info.countries[n - 1]}},
          {std::uint64_t(CountOffset(info.cityTableOffset, n)), {info.cities[n - 1]}},
          {std::uint64_t(GeneralCountOffset(info.generalTableOffset, n)), general},
          {std::uint64_t(CountOffset(info.consortTableOffset, n)), {info.consorts[n - 1]}}};
}

std::optional<Bytes> PatchedExeImage(const ExeInfo& info, const std::vector<FilePatch>& patches) {
  auto image = ReadWholeFile(info.path, kMaxExeBytes);
  if (!image || std::uint64_t(info.markerOffset) + 8 > image->size()) return std::nullopt;
  std::string marker(reinterpret_cast<const char*>(&(*image)[std::size_t(info.markerOffset)]), 8);
  if (ToLowerAscii(marker) != "message." || !ApplyPatches(*image, patches)) return std::nullopt;
  return image;
}

bool EXEDataRead(const std::string& path) { return EXEDataReadInto(path, gExeInfo); }

}  // namespace garam
