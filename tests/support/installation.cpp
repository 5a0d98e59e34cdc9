#include "tests/support/installation.h"

#include <cstring>
#include <filesystem>
#include <random>
#include <tuple>
#include <vector>

#include "data/bitmaps.h"
#include "data/exeinfo.h"
#include "data/fileio.h"
#include "data/filetransaction.h"
#include "data/gamedata.h"
#include "data/mapfiles.h"
#include "data/message.h"
#include "data/save_io.h"
#include "data/scenario_io.h"

namespace garam::test {
namespace {

void Put16(Bytes& b, std::size_t off, unsigned v) { PutU16(&b[off], std::uint16_t(v)); }

Bytes RandomBytes(std::size_t n, std::uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = std::uint8_t(rng());
  return b;
}

// A code page 949 text of exactly n bytes: Hangul syllables, one ASCII letter when n is odd.
std::string Text(std::size_t n, unsigned k) {
  std::string s;
  for (std::size_t i = 0; i + 1 < n; i += 2, ++k) {
    s += char(0xB0 + k % 24);
    s += char(0xA1 + (k * 7) % 90);
  }
  if (n % 2) s += char('a' + k % 26);
  return s;
}

const std::string kSep = "\x05\x05\x05";
constexpr std::uint8_t kMarker[22] = {0xB9, 0xD9, 0xB6, 0xF7, 0xBC, 0xD6, ' ', '?', '?', '?', '?',
                                      0xA1, 0xAD, ' ', '?', '?', '?', '?', 0xBC, 0xD6, 0xB4, 0xD9};

// Writes an area at block start s: table words from s + 2, end word behind them, entries at
// entriesAt padded with spaces to size (size 0: no padding).
void PutArea(Bytes& f, std::size_t s, const std::vector<std::string>& entries, std::size_t entriesAt,
             std::size_t size) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Put16(f, s + 2 + 2 * i, unsigned(entriesAt + text.size()));
    text += entries[i] + kSep;
  }
  Put16(f, s + 2 + 2 * entries.size(), unsigned(entriesAt + text.size()));
  if (size) text.resize(size, ' ');
  std::memcpy(&f[s + entriesAt], text.data(), text.size());
}

void PutCulture(Bytes& f, std::size_t s, std::size_t endWordAt, unsigned seed) {
  std::string text;
  for (int i = 0; i < 80; ++i) {
    if (i) text += kSep;
    text += Text(12 + i % 9, seed + i);
    if (i % 3 == 0) text += "\n" + Text(8, seed + 2 * i);
  }
  const std::size_t first = endWordAt + 2;
  Put16(f, s + 2, unsigned(first));
  Put16(f, s + endWordAt, unsigned(first + text.size()));
  std::memcpy(&f[s + first], text.data(), text.size());
}

std::vector<std::string> TextEntries(int n, unsigned seed) {
  std::vector<std::string> v;
  for (int i = 0; i < n; ++i) v.push_back(Text(40 + (i * 13 + seed) % 70, seed + i));
  return v;
}

// 343 names: entries 0..329 fill the area exactly up to the marker's byte, entry 330 is the
// marker (or a plain 22-byte name), the rest are short.
std::vector<std::string> KoreanNames(std::size_t marker, bool withMarker) {
  const int before = 330;
  const std::size_t letters = (marker - 1) - 3 * before;
  const std::size_t base = letters / before, longer = letters % before;
  std::vector<std::string> v;
  for (int i = 0; i < before; ++i) v.push_back(Text(base + (std::size_t(i) < longer ? 1 : 0), i));
  v.push_back(withMarker ? std::string(reinterpret_cast<const char*>(kMarker), 22) : Text(22, 99));
  while (v.size() < 343) v.push_back(Text(4, unsigned(v.size())));
  return v;
}

// message.wn for an expansion executable of the given build, areas where the expansion
// executable's message positions put them.
Bytes BuildMessageWn(char build, std::uint32_t seed = 9) {
  Bytes f = RandomBytes(60000, seed);
  PutCulture(f, 1000, 538, seed);
  auto texts = TextEntries(533, seed);
  PutArea(f, 5000, {texts.begin(), texts.begin() + 338}, 688, 0);
  std::vector<std::string> names;
  for (int i = 0; i < 533; ++i) names.push_back(Text(4 + i % 5, i));
  PutArea(f, 30000, names, 1590, 0);
  PutArea(f, 40000, {texts.begin() + 338, texts.end()}, build == 'A' ? 1816 : 1808, 0);
  return f;
}

}  // namespace

Bytes BuildScenario(const ScenarioPlan& s) {
  // Sizes as the file layouts give them, written out here on purpose.
  const std::size_t generalSize = s.expansion ? 51 : 54, countrySize = 22 + 2 * std::size_t(s.countries);
  const std::size_t countries = (s.expansion ? 519 : 521) + 56 * 19, cities = countries + s.countries * countrySize;
  const std::size_t generals = cities + 61 * std::size_t(s.cities) + 31 * 21 + 80 * 26 + (s.expansion ? 24 * 18 : 23 * 16);
  const std::size_t queens = generals + generalSize * std::size_t(s.generals);
  Bytes f = RandomBytes(queens + 24 * std::size_t(s.consorts), s.seed);
  std::mt19937 rng(s.seed * 31 + 5);
  Put16(f, 0, unsigned(s.startYear));
  for (int i = 0; i < s.countries; ++i) {
    f[countries + i * countrySize + 19] = std::uint8_t(i);
    Put16(f, countries + i * countrySize + 20, rng() % s.generals);
  }
  for (int i = 0; i < s.cities; ++i) f[cities + 61 * i + 22] = std::uint8_t(rng() % s.countries);
  for (int i = 0; i < s.generals; ++i) f[generals + generalSize * i + (s.expansion ? 20 : 23)] = std::uint8_t(rng() % 81);
  for (int i = 0; i < s.consorts; ++i) Put16(f, queens + 24 * i + 19, rng() % s.generals);
  return f;
}

const std::array<KoreanMessageVariant, 2> kKoreanMessageVariants{{
    {281553, 121794, 166959, 207810, 7547, 39539, 7436},
    {278282, 121480, 163482, 204428, 7552, 39643, 7441},
}};

Bytes BuildMessageRn(int variant, bool withMarker, std::uint32_t seed) {
  const auto& v = kKoreanMessageVariants[variant];
  Bytes f = RandomBytes(v.length, seed);
  PutCulture(f, v.cultureStart, 470, seed);
  PutArea(f, v.textStart, TextEntries(343, seed), 698, v.textSize);
  PutArea(f, v.nameStart, KoreanNames(v.marker, withMarker), 1174, v.nameSize);
  return f;
}

std::array<std::int32_t, 12> KoreanMessagePositions(int variant) {
  const auto& v = kKoreanMessageVariants[variant];
  return {0, 10, 20, 30, 40, std::int32_t(v.cultureStart), std::int32_t(v.textStart), std::int32_t(v.nameStart),
          std::int32_t(v.nameStart + 9000), 0, 0, 0};
}

static Bytes MapFile(std::size_t length, const char* tag, std::uint32_t seed) {
  Bytes f = RandomBytes(length, seed);
  std::memcpy(f.data(), tag, 9);  // the tag and its NUL
  return f;
}
Bytes BuildMapFix(std::uint32_t seed) { return MapFile(179004, "FMAPDATA", seed); }
Bytes BuildMapVar(std::uint32_t seed) { return MapFile(168761, "VMAPDATA", seed); }

Bytes BuildBmp(std::size_t length, int width, int height) {
  Bytes f(length, 0);
  f[0] = 'B', f[1] = 'M';
  PutU32(&f[2], std::uint32_t(length)), PutU32(&f[10], 54), PutU32(&f[14], 40);
  PutU32(&f[18], std::uint32_t(width)), PutU32(&f[22], std::uint32_t(height));
  return f;
}

InstallPlan KoreanInstall() {
  InstallPlan s;
  s.scenarios[0] = {false, 30, 42, 206, 31, 1200, 11};
  s.scenarios[1] = {false, 27, 41, 151, 27, 1250, 12};
  return s;
}

InstallPlan ExpansionInstall(char build) {
  InstallPlan s;
  s.expansion = true;
  s.build = build;
  s.scenarios[0] = {true, 30, 42, 206, 31, 1180, 21};
  s.scenarios[1] = {true, 27, 41, 151, 27, 1200, 22};
  s.scenarios[2] = {true, 40, 60, 300, 50, 1250, 23};
  s.scenarios[3] = {true, 80, 80, 500, 200, 1300, 24};
  return s;
}

std::string Installation::scenarioName(int n) const {
  return plan.expansion ? "scedat" + std::to_string(n) + ".wn" : "SCEDAT" + std::to_string(n) + ".RN";
}

void Installation::edit(const std::string& name, const std::function<void(Bytes&)>& f) const {
  Bytes b = *ReadWholeFile(path(name));
  f(b);
  dir.write(name, b);
}

std::string Installation::mapVarName(int n) const {
  return "Mapvar" + std::to_string(n) + (plan.expansion ? ".wn" : ".rn");
}

Installation::Installation(const InstallPlan& s) : plan(s) {
  ExePlan e = plan.expansion ? ExpansionExe(plan.build) : KoreanExe();
  const int scenarios = plan.expansion ? 4 : 2;
  for (int n = 0; n < scenarios; ++n) {
    const ScenarioPlan& p = plan.scenarios[n];
    e.countries[n] = p.countries, e.cities[n] = p.cities, e.generals[n] = p.generals, e.consorts[n] = p.consorts;
    // The executable stores the year after the scenario's start year.
    e.startYears[n] = plan.expansion ? plan.scenarios[n].startYear + 1 : 0;
  }
  e.messagePositions = plan.expansion ? std::array<std::int32_t, 12>{0, 100, 200, 300, 400, 1000, 5000, 30000, 40000, 50000, 55000, 59000}
                                      : KoreanMessagePositions(plan.messageVariant);
  exe = dir.write("game.exe", BuildExe(e));
  for (int n = 1; n <= scenarios; ++n) {
    dir.write(scenarioName(n), BuildScenario(plan.scenarios[n - 1]));
    dir.write(mapVarName(n), BuildMapVar(100 + n));
  }
  dir.write(mapFixName(), BuildMapFix(99));
  dir.write(messageName(), plan.expansion ? BuildMessageWn(plan.build) : BuildMessageRn(plan.messageVariant, plan.marker));
  // The shipped sheets of each edition, by the lengths the editor recognises.
  const std::tuple<const char*, std::size_t, int, int> sheets[2][3] = {
      {{"Men.Bmp", 3277878, 640, 1280}, {"Women.Bmp", 861238, 448, 480}, {"Items.Bmp", 769078, 320, 480}},
      {{"menqvx.bmp", 3482678, 640, 1360}, {"womenqvz.bmp", 1864758, 448, 1040}, {"itemsqvx.bmp", 897078, 320, 560}}};
  if (plan.bitmaps)
    for (auto [name, length, width, height] : sheets[plan.expansion]) dir.write(name, BuildBmp(length, width, height));
}

bool UseExecutable(const Installation& inst) {
  if (!EXEDataRead(inst.exe)) return false;
  gExeInfo.path = inst.exe, gExeInfo.directory = inst.dir.dir();
  return true;
}

void ResetEditorState() {
  garam::ResetEditorState();
  gSaveClock = SystemSaveStamp, gFileFault = nullptr;
}

std::map<std::string, Bytes> Snapshot(const std::string& dir) {
  std::map<std::string, Bytes> files;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    if (e.is_regular_file()) files[e.path().filename().string()] = *ReadWholeFile(e.path().string());
  return files;
}

}  // namespace garam::test
