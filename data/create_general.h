// Creating a general, without widgets: the regions the dialog offers, the face drawn for a region,
// and the new unaffiliated general with random abilities written into the loaded file's general
// array, with the drawn values the main window's general list shows for him.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/random.h"

namespace garam {

// The home regions offered: the loaded file's regions outside culture sphere 7, in region order.
struct RegionChoice {
  std::vector<int> ListRegionNo;         // region number at each position
  std::vector<std::string> names;        // up to the first NUL
  std::array<int, 56> RegionListPos{};  // position of each region number, -1 when not listed
};
RegionChoice ListedRegions();

// The position selected when the dialog opens: the drawn number taken as a region number; a
// region that is not listed gets a position drawn among the listed ones. -1 when none is listed.
int InitialRegionPosition(const RegionChoice& regions, Rng& rng);

// A random men's face for a position of the region list; 0 from position 44 on.
int SelectMask(int position, Rng& rng);

// The byte limit of the name box: 17 in the expansion edition, else 19 (room for the NUL).
int NewGeneralNameMaxBytes();

// The record the new general will take: the lowest free save slot, or the next scenario record.
// -1 when there is none (a save without a free slot, a full scenario, a fixed-layout file).
int NewGeneralNumber();

struct NewGeneralInput {
  std::string name;  // UTF-8, as typed
  int region = 0;    // region number
  int face = 0;
  std::vector<int> cityTags;  // the record numbers of the city list's rows, top to bottom
};

struct CreatedGeneral {
  int number;
  int birthYear;  // without the save layouts' flag bit
  std::uint8_t loyalty, politics, battle, intelligence;
  std::array<std::uint8_t, 4> aptitudes;
};

// Writes the new general into the loaded file's general array, drawing in the game's order; nullopt
// (and nothing written) when NewGeneralNumber() has no record to give.
std::optional<CreatedGeneral> CreateGeneral(const NewGeneralInput& input, Rng& rng);

}  // namespace garam
