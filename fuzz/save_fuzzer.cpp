// libFuzzer target: the save readers of both editions on whole images, and the round trip through
// the writers. A save is over a megabyte and only its variable parts steer the reader, so one valid
// image per edition is built once and the input supplies those parts and the length of the end:
//   u8 mode (0 Korean plain load, 1 Korean custom load, 2 expansion), i8 bytes added at the end,
//   Korean: the variable part; expansion: u16 length of the first variable part, it, the second.
// The fixed tables stay in place in a buffer and the head and variable parts are written in front
// of them, so an input costs little more than the parse.
#include <algorithm>
#include <cstring>
#include <memory>

#include "data/gamedata.h"
#include "data/save_io.h"
#include "fuzz/common.h"
#include "tests/support/save_builder.h"

namespace {

using namespace garam;

constexpr std::size_t kMaxVariable = 1 << 16;  // more than any input carries
constexpr std::size_t kMaxExtra = 127;

// One edition's image around a fixed middle: [room][head][variable][middle][...] with the middle at
// a fixed place, so only what lies in front of it is rewritten per input.
struct Edition {
  test::SaveImage base;
  std::size_t headSize, middleFrom, middleTo;  // in base
  Bytes buffer;
  std::size_t middleAt = kMaxVariable + 64 * 1024;
  explicit Edition(test::SaveImage image) : base(std::move(image)) {}
};

struct Bases {
  Edition kr{test::BuildSaveImage({.varCounts = {2, 0, 5}, .queue = {{7, 1200, 3}}})};
  Edition qv{test::BuildSaveImage({.expansion = true, .fileName = "user1.wnx", .varCounts = {1}, .var2Counts = {0, 3}})};
  std::size_t qvEndAt = 0;  // where the closing region of the expansion buffer lies now
  GameDataSet krSet, qvSet;
  Bytes out;
  Bases() {
    ResetArraysSaveKr(krSet);
    ResetArraysSaveQV(qvSet);
    // Korean: the middle is everything from the queue to the end.
    kr.headSize = kSaveKrVariableStart;
    kr.middleFrom = kr.base.queue;
    kr.middleTo = kr.base.bytes.size();
    // Expansion: from the queue to the second variable part; the closing region follows it.
    qv.headSize = kSaveQVVariableStart;
    qv.middleFrom = qv.base.queue;
    qv.middleTo = qv.base.variable2;
    // Behind the middle: room for the second variable part and the closing region (expansion)
    // and for the bytes added at the end.
    for (Edition* e : {&kr, &qv}) {
      e->buffer.assign(e->middleAt + (e->middleTo - e->middleFrom) + kMaxVariable + qvClosing() + kMaxExtra, 0);
      std::memcpy(&e->buffer[e->middleAt], &e->base.bytes[e->middleFrom], e->middleTo - e->middleFrom);
    }
  }
  // Block 20808, the map and the closing block of the expansion base.
  std::size_t qvClosing() const { return qv.base.bytes.size() - (qv.base.map - kSaveBeforeMapSize); }
};

// The head of e and the variable part put in front of the middle; returns where the file starts.
std::size_t PlaceFront(Edition& e, std::span<const std::uint8_t> variable) {
  const std::size_t start = e.middleAt - variable.size() - e.headSize;
  std::memcpy(&e.buffer[start], e.base.bytes.data(), e.headSize);
  if (!variable.empty()) std::memcpy(&e.buffer[e.middleAt - variable.size()], variable.data(), variable.size());
  return start;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Bases b;
  fuzz::Controls c({data, size});
  const int mode = c.u8() % 3;
  const int extra = int(std::int8_t(c.u8()));
  std::span<const std::uint8_t> file;
  if (mode < 2) {
    auto variable = c.take(kMaxVariable);
    const std::size_t start = PlaceFront(b.kr, variable);
    const std::size_t end = b.kr.middleAt + (b.kr.middleTo - b.kr.middleFrom);
    file = {&b.kr.buffer[start], std::size_t(std::int64_t(end - start) + extra)};
  } else {
    auto variable = c.take(c.u16());
    auto variable2 = c.take(kMaxVariable);
    Edition& e = b.qv;
    const std::size_t start = PlaceFront(e, variable);
    const std::size_t var2At = e.middleAt + (e.middleTo - e.middleFrom);
    const std::size_t endAt = var2At + variable2.size();
    if (!variable2.empty()) std::memcpy(&e.buffer[var2At], variable2.data(), variable2.size());
    // The closing region moves only when the second part changed its length.
    if (b.qvEndAt != endAt) {
      std::memcpy(&e.buffer[endAt], &e.base.bytes[e.base.map - kSaveBeforeMapSize], b.qvClosing());
      b.qvEndAt = endAt;
    }
    // Bytes behind the closing block are the file's trailing part; keep them the same for every run.
    std::memset(&e.buffer[endAt + b.qvClosing()], 0, kMaxExtra);
    file = {&e.buffer[start], std::size_t(std::int64_t(endAt + b.qvClosing() - start) + extra)};
  }

  // A parse overwrites every record of the arrays the reset sized and never resizes them, so each
  // edition's set is reset once rather than reallocated per input.
  GameDataSet& d = mode < 2 ? b.krSet : b.qvSet;
  SaveRawParts raw;
  const bool ok = mode < 2 ? ParseSaveKr(file, mode == 1, d, raw) : ParseSaveQV(file, d, raw);
  if (ok) {
    const bool built = mode < 2 ? BuildSaveKr(d, raw, mode == 1, b.out) : BuildSaveQV(d, raw, b.out);
    // Everything the editor does not interpret is carried, so the writer gives the file back.
    if (!built || !std::ranges::equal(b.out, file)) __builtin_trap();
  }
  return 0;
}

namespace garam::fuzz {

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  const std::vector<std::int16_t> counts[] = {{}, {3, 0, -4, 9, 1}, {100, 0, 20, -1, 33}};
  for (const auto& varCounts : counts) {
    auto kr = test::BuildSaveImage({.varCounts = varCounts});
    for (std::uint8_t mode : {0, 1}) {
      Bytes s{mode, 0};
      s.insert(s.end(), kr.bytes.begin() + std::ptrdiff_t(kr.variable), kr.bytes.begin() + std::ptrdiff_t(kr.queue));
      seeds.push_back(std::move(s));
    }
    auto qv = test::BuildSaveImage({.expansion = true, .fileName = "user1.wnx", .varCounts = varCounts,
                                    .var2Counts = {0, 9, -1}, .trailing = 5});
    Bytes s{2, 5};
    Append16(s, std::uint16_t(qv.queue - qv.variable));
    s.insert(s.end(), qv.bytes.begin() + std::ptrdiff_t(qv.variable), qv.bytes.begin() + std::ptrdiff_t(qv.queue));
    s.insert(s.end(), qv.bytes.begin() + std::ptrdiff_t(qv.variable2), qv.bytes.begin() + std::ptrdiff_t(qv.map - kSaveBeforeMapSize));
    seeds.push_back(std::move(s));
  }
  return seeds;
}

}  // namespace garam::fuzz
