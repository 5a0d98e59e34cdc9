// The Expert menu's file tools on whole files, before any data file is loaded: the per-scenario
// counts inside the game's executable and the layers of a map file. Each tool builds the new
// image here and replaces the file through ReplaceFiles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/bytes.h"
#include "data/exeinfo.h"
#include "data/filetransaction.h"
#include "data/records_scenario.h"

namespace garam {

// ---- the executable's counts ----------------------------------------------------------------

// What an answer to a count prompt came to; the refusals in the order they are tested.
enum class CountAnswer { Ok, Empty, Format, Countries, Cities, Generals, Consorts };

// The scenarios an executable holds counts for: 4 in an expansion build, 2 in the Korean one.
int ScenariosOf(const ExeInfo& info);
// The counts of scenario n (1 to 4) as the prompt offers them: "05/12/080/07".
std::string CountsText(const ExeInfo& info, int n);
// The decimal number a text starts with (sign, fraction and exponent allowed, blanks between its
// characters skipped); 0 when it starts with none. No hexadecimal, infinity or NaN.
double AnswerNumber(std::string_view text);
// Parses "countries/cities/generals/consorts". Each value must lie in its range before it is
// rounded (halves to even), so 0.6 and 80.4 are refused; counts is set only when Ok.
CountAnswer ParseCountAnswer(std::string_view answer, ScenarioCounts& counts);
void SetCounts(ExeInfo& info, int n, const ScenarioCounts& counts);
// The count entries of every scenario the executable holds, at their places in it.
std::vector<FilePatch> CountPlan(const ExeInfo& info);

// ---- map layers ------------------------------------------------------------------------------

enum class MapLayer { Buildings = 0, Products = 1, Roads = 2, SeaRoad = 3 };

// Products and sea routes live in the fixed map, buildings and roads in a variable map.
bool OnFixedMap(MapLayer layer);
std::uint64_t MapFileSizeFor(MapLayer layer);
// Clears the layer in a map file image: buildings and walls (city cells stay), specialties,
// roads, or every sea-route entry. The header is not looked at. False, with image untouched, when
// the image is not as long as the layer's map file.
bool ClearMapLayer(Bytes& image, MapLayer layer);

}  // namespace garam
