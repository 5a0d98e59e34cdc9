// libFuzzer target: the message file reader on in-memory images. Input: u8 kind (0 Korean file
// by its length, 1 Korean file by the executable's positions, 2 expansion file), then u32 each:
// the culture block, name table, text table, second text table, name entries, text entries,
// second text entries, the two biography area sizes and the marker; then the file. The places
// come from the executable and reach the reader unchecked, so any values are fair.
#include "data/gamedata.h"
#include "data/message.h"
#include "fuzz/common.h"
#include "tests/support/installation.h"

using namespace garam;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Controls c({data, size});
  MessageFileState at{};
  const int kind = c.u8() % 3;
  at.fromExe = kind > 0;
  at.expansion = kind == 2;
  for (std::int64_t* place : {&at.culture, &at.nameTable, &at.textTable, &at.textTable2, &at.nameText, &at.textText, &at.text2})
    *place = c.u32();
  at.nameBlockSize = c.u32(), at.textBlockSize = c.u32();
  at.marker = c.u32();
  GameDataSet d;
  bool repaired = false;
  ParseMessageImage(c.rest(), at, d, repaired);
  return 0;
}

namespace {

const std::string kSeparator = "\x05\x05\x05";

// Appends a block: the entries' offsets from +2 and the end offset behind them, then the entries,
// each with its separator, from +entriesAt. Returns the block's start and the entries' length.
std::pair<std::int64_t, std::int64_t> PutBlock(Bytes& f, const std::vector<std::string>& entries, std::size_t entriesAt) {
  const std::size_t at = f.size();
  f.resize(at + entriesAt);
  std::string text;
  for (std::size_t i = 0; i <= entries.size(); ++i) {
    PutU16(&f[at + 2 + 2 * i], std::uint16_t(entriesAt + text.size()));
    if (i < entries.size()) text += entries[i] + kSeparator;
  }
  f.insert(f.end(), text.begin(), text.end());
  return {std::int64_t(at), std::int64_t(text.size())};
}

// The culture block: its first and end words at +2 and +endAt, 80 descriptions behind them.
void PutCulture(Bytes& f, std::size_t endAt) {
  std::string text;
  for (int i = 0; i < 80; ++i) text += std::string(i % 7 ? "c" : "c\nd") + (i < 79 ? kSeparator : "");
  f.resize(endAt + 2);
  PutU16(&f[2], std::uint16_t(endAt + 2));
  PutU16(&f[endAt], std::uint16_t(endAt + 2 + text.size()));
  f.insert(f.end(), text.begin(), text.end());
}

Bytes WithHeader(int kind, std::initializer_list<std::int64_t> places, const Bytes& image) {
  Bytes b{std::uint8_t(kind)};
  for (auto p : places) fuzz::Append32(b, std::uint32_t(p));
  b.insert(b.end(), image.begin(), image.end());
  return b;
}

}  // namespace

// Small files of each kind with every area in place: entries of a byte or two, so an input costs
// little; the Korean names hold the marker the reader repairs (taken from the test builder).
std::vector<Bytes> garam::fuzz::Seeds() {
  const auto& v = test::kKoreanMessageVariants[0];
  const Bytes rn = test::BuildMessageRn(0, true);
  const auto markerAt = rn.begin() + std::ptrdiff_t(v.nameStart + 1174 + v.marker - 1);
  const std::string marker(markerAt, markerAt + 22);
  std::vector<std::string> names(343, "n"), texts(343, "tt");
  names[5] = marker;

  std::vector<Bytes> seeds;
  Bytes kr;
  PutCulture(kr, 470);
  auto [text, textSize] = PutBlock(kr, texts, 698);
  auto [name, nameSize] = PutBlock(kr, names, 1174);
  for (int kind : {0, 1})
    seeds.push_back(WithHeader(kind, {0, name + 2, text + 2, 0, name + 1174, text + 698, 0, nameSize, textSize, 5 * 4 + 1}, kr));

  Bytes qv;
  PutCulture(qv, 538);
  auto [text1, text1Size] = PutBlock(qv, std::vector<std::string>(338, "t"), 688);
  auto [qvName, qvNameSize] = PutBlock(qv, std::vector<std::string>(533, "n"), 1590);
  auto [text2, text2Size] = PutBlock(qv, std::vector<std::string>(195, "u"), 1816);
  seeds.push_back(WithHeader(2, {0, qvName + 2, text1 + 2, text2 + 2, qvName + 1590, text1 + 688, text2 + 1816, 0, 0, 0}, qv));
  return seeds;
}
