// Tables read from the game's executable: per-scenario counts, start years, message positions
// and bitmap names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/bytes.h"
#include "data/filetransaction.h"

namespace garam {

struct ExeInfo {
  std::string directory;  // ends in the separator; set by the custom load
  std::string path;       // set by the custom load
  std::int16_t editionFlag = 0;  // -1 expansion-edition build, 0 Korean-edition build
  std::int32_t markerOffset = 0;
  std::int32_t messageTableOffset = 0;
  std::array<std::int32_t, 12> messagePositions{};
  std::int32_t countryTableOffset = 0;
  std::int32_t cityTableOffset = 0;
  std::int32_t generalTableOffset = 0;
  std::int32_t consortTableOffset = 0;
  std::array<std::uint8_t, 4> countries{};  // scenarios 1 to 4 at index 0 to 3
  std::array<std::uint8_t, 4> cities{};
  std::array<std::int16_t, 4> generals{};
  std::array<std::uint8_t, 4> consorts{};
  std::array<std::int32_t, 3> startYearTableOffsets{};
  std::array<std::int16_t, 4> startYears{};
  std::string menBitmapName;
  std::string womenBitmapName;
  std::string itemBitmapName;

  bool IsQVEdition() const { return editionFlag != 0; }
  bool operator==(const ExeInfo&) const = default;
};

// The three known builds of the executable, recognised by "message." at a fixed offset.
struct ExeBuild {
  char id;  // 'A', 'B' (expansion) or 'C' (Korean)
  bool expansion;
  std::int32_t marker, messageTable, countryTable, cityTable, generalTable, consortTable;
  std::array<std::int32_t, 3> startYearTables;  // zeros for the Korean build
  std::int32_t itemBitmapName, womenBitmapName, menBitmapName;
};
inline constexpr std::array<ExeBuild, 3> kExeBuilds{{
    {'A', true, 1929236, 1949984, 593483, 593595, 593708, 593835, {1942096, 1951256, 1951328}, 1929520, 1929552, 1929568},
    {'B', true, 1938964, 1959712, 591947, 592075, 592204, 592347, {1951824, 1960984, 1961056}, 1939248, 1939280, 1939296},
    {'C', false, 1667260, 1685776, 486235, 486347, 486460, 486571, {0, 0, 0}, 1667496, 1667524, 1667536},
}};

// Offset of scenario n's (1..4) count inside a count table at p; the general table holds 16-bit
// counts at other steps.
constexpr std::int64_t CountOffset(std::int64_t p, int n) { return n == 1 ? p : p + 7 * n - 1; }
constexpr std::int64_t GeneralCountOffset(std::int64_t p, int n) { return n == 1 ? p : p + 9 * n - 3; }

// The four counts of scenario n (1 to 4) in info, as patches at their places in the executable:
// the country, city and consort counts one byte each, the general count a 16-bit word.
std::vector<FilePatch> CountPatches(const ExeInfo& info, int n);
// The executable at info.path with patches applied; nullopt when it cannot be read, is no longer
// the build info was read from, or a patch falls outside it.
std::optional<Bytes> PatchedExeImage(const ExeInfo& info, const std::vector<FilePatch>& patches);

// Reads the tables of the executable at path into gExeInfo. The record is committed only when
// the file is a known build, holds every table and passes the limits; otherwise gExeInfo is
// left as it was and the result is false.
bool EXEDataRead(const std::string& path);
// The same, into info (its directory and path untouched); for tools that read a second exe.
bool EXEDataReadInto(const std::string& path, ExeInfo& info);
// The same on the executable's bytes.
bool ParseExeImage(std::span<const std::uint8_t> exe, ExeInfo& info);

}  // namespace garam
