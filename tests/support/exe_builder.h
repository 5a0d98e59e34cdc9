// Synthetic game executables: the three known builds with their marker, message positions,
// count tables, start-year copies and bitmap names, padded to a plausible size.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/bytes.h"
#include "data/exeinfo.h"

namespace garam::test {

struct ExePlan {
  char build = 'C';  // 'A', 'B' (expansion) or 'C' (Korean)
  std::array<int, 4> countries{30, 27, 0, 0};
  std::array<int, 4> cities{42, 41, 0, 0};
  std::array<int, 4> generals{206, 151, 0, 0};
  std::array<int, 4> consorts{31, 27, 0, 0};
  std::array<int, 4> startYears{0, 0, 0, 0};
  std::array<std::int32_t, 12> messagePositions{0, 10, 20, 30, 40, 50, 60, 70, 80, 0, 0, 0};
  std::string marker = "message.";
  std::string menBitmap = "men.bmp", womenBitmap = "women.bmp", itemBitmap = "items.bmp";
  std::size_t size = 0;  // 0: the smallest size that holds every table and passes the size floor
};

// A Korean build C with the counts of the two fixed-layout scenarios.
ExePlan KoreanExe();
// An expansion build ('A' or 'B') with four scenarios.
ExePlan ExpansionExe(char build = 'A');

const ExeBuild& BuildOf(char id);
Bytes BuildExe(const ExePlan& plan);

}  // namespace garam::test
