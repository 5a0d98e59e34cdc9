#include "data/message.h"

#include <algorithm>

#include "data/fileio.h"

namespace garam {
namespace {

constexpr const char kSeparator[] = "\x05\x05\x05";
// The message files the game shipped are under 300 KB; a far larger one is not read at all.
constexpr std::uint64_t kMaxMessageFileBytes = 16u << 20;
constexpr std::size_t kSeparatorLen = 3;

// The two lengths of the Korean message.rn the game shipped with, and where their areas lie
// (0-based offsets).
struct KoreanVariant {
  std::uint64_t length;
  std::int64_t nameTable, nameText, textTable, textText, culture;
  std::size_t nameSize, textSize;
  std::int64_t marker;
};
constexpr KoreanVariant kKoreanVariants[] = {
    {281553, 207812, 208984, 166961, 167657, 121794, 7547, 39539, 7436},
    {278282, 204430, 205602, 163484, 164180, 121480, 7552, 39643, 7441},
};

// Block offsets inside an area: table words from 2, end word behind the table, entries after.
constexpr std::int64_t kTableAt = 2;
constexpr std::int64_t kNameEntriesKr = 1174, kTextEntriesKr = 698;
constexpr std::int64_t kNameEntriesQV = 1590, kTextEntriesQV = 688;
constexpr std::int64_t kText2EntriesQV = 1808, kText2EntriesQVBuildA = 1816;
constexpr std::int32_t kBuildAMessageTable = 1949984;
constexpr std::int64_t kCultureEndKr = 470, kCultureEndQV = 538;
constexpr std::size_t kExeNameSize = 7547, kExeTextSize = 39539;

// The marker and its repair: the two persons' names that the game runs together become two
// entries. Code page 949 bytes of "바람솔 ????∼ ????솔다" and "바람솔????~????" + separator.
constexpr std::uint8_t kMarker[22] = {0xB9, 0xD9, 0xB6, 0xF7, 0xBC, 0xD6, ' ', '?', '?', '?', '?',
                                      0xA1, 0xAD, ' ', '?', '?', '?', '?', 0xBC, 0xD6, 0xB4, 0xD9};
constexpr std::uint8_t kMarkerRepair[18] = {0xB9, 0xD9, 0xB6, 0xF7, 0xBC, 0xD6, '?', '?', '?',
                                            '?', '~', '?', '?', '?', '?', 5, 5, 5};

std::optional<std::string> FindMessage(const std::string& name) {
  if (!gFileDirs.message.empty())
    if (auto p = FindFileNoCase(gFileDirs.message, name)) return p;
  std::string dataDir = DirOf(gCurrentFile);
  if (dataDir.empty()) return std::nullopt;
  auto p = FindFileNoCase(dataDir, name);
  if (p) gFileDirs.message = dataDir;
  return p;
}

bool InFile(std::span<const std::uint8_t> f, std::int64_t off, std::int64_t n) {
  return off >= 0 && n >= 0 && std::uint64_t(off) + std::uint64_t(n) <= f.size();
}

std::optional<std::vector<std::uint16_t>> ReadTable(std::span<const std::uint8_t> f, std::int64_t pos, int words) {
  if (!InFile(f, pos, 2 * std::int64_t(words))) return std::nullopt;
  std::vector<std::uint16_t> t(words);
  for (int i = 0; i < words; ++i) t[i] = GetU16(&f[pos + 2 * i]);
  return t;
}

// The area behind a table, sized by its end word minus its first word; nullopt when the end
// lies below the start or past the file.
std::optional<std::string> AreaByEndWord(std::span<const std::uint8_t> f, std::int64_t tablePos, int words,
                                         std::int64_t entriesPos) {
  auto t = ReadTable(f, tablePos, words + 1);
  if (!t) return std::nullopt;
  std::int64_t first = (*t)[0], end = (*t)[words];
  if (end < first || !InFile(f, entriesPos, end - first)) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(f.data() + entriesPos), std::size_t(end - first));
}

std::optional<std::string> AreaBySize(std::span<const std::uint8_t> f, std::int64_t pos, std::size_t size) {
  if (!InFile(f, pos, std::int64_t(size))) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(f.data() + pos), size);
}

// A select, not std::replace's conditional store, so that an optimized build vectorizes it: the
// areas are tens of KB.
void NulToSpace(std::string& s) {
  for (char& c : s) c = c == '\0' ? ' ' : c;
}

std::size_t BytesUsed(const std::vector<std::string>& entries, int count) {
  std::size_t n = 0;
  for (int i = 0; i < count && i < int(entries.size()); ++i) n += entries[i].size();
  return n;
}

std::vector<std::string> SplitAll(const std::string& s) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t p = s.find(kSeparator, start, kSeparatorLen);
    if (p == std::string::npos) break;
    out.push_back(s.substr(start, p - start));
    start = p + kSeparatorLen;
  }
  out.push_back(s.substr(start));
  return out;
}

bool ReadCultureDescriptions(std::span<const std::uint8_t> f, const MessageFileState& at, GameDataSet& d) {
  std::int64_t base = at.culture;
  std::int64_t endAt = at.expansion ? kCultureEndQV : kCultureEndKr;
  if (!InFile(f, base, endAt + 2)) return false;
  std::int64_t first = GetU16(&f[base + 2]), end = GetU16(&f[base + endAt]);
  if (end < first || !InFile(f, base + first, end - first)) return false;
  std::string text;
  text.reserve(std::size_t(end - first));
  for (std::int64_t i = base + first; i < base + end; ++i) {
    if (f[i] == 10) text += "\r\n";
    else text += char(f[i]);
  }
  d.gCultureItemDescriptions = SplitAll(text);
  return true;
}

// Repairs the marker inside the name area; true when it was found. Only a marker whose 22 bytes
// lie inside the area is tested.
bool RepairMarker(std::string& area, std::int64_t marker) {
  if (marker < 1) return false;
  std::size_t at = std::size_t(marker - 1);
  if (at + sizeof kMarker > area.size()) return false;
  if (std::memcmp(area.data() + at, kMarker, sizeof kMarker) != 0) return false;
  std::memcpy(area.data() + at, kMarkerRepair, sizeof kMarkerRepair);
  return true;
}

bool ReadKorean(std::span<const std::uint8_t> f, MessageFileState& at, GameDataSet& d, bool& markerRepaired) {
  auto nameTable = ReadTable(f, at.nameTable, kBiographiesKr);
  auto textTable = ReadTable(f, at.textTable, kBiographiesKr);
  if (!nameTable || !textTable) return false;
  std::optional<std::string> names, texts;
  if (at.fromExe) {
    names = AreaByEndWord(f, at.nameTable, kBiographiesKr, at.nameText);
    texts = AreaByEndWord(f, at.textTable, kBiographiesKr, at.textText);
  } else {
    names = AreaBySize(f, at.nameText, at.nameBlockSize);
    texts = AreaBySize(f, at.textText, at.textBlockSize);
  }
  if (!names || !texts) return false;
  at.nameBlockSize = names->size();
  at.textBlockSize = texts->size();
  NulToSpace(*names);
  NulToSpace(*texts);
  markerRepaired = RepairMarker(*names, at.marker);
  d.gBiographyNames = SplitEntries(*names, kBiographiesKr);
  d.gBiographyTexts = SplitEntries(*texts, kBiographiesKr);
  d.gBiographyNameBlock = {std::move(*nameTable), std::move(*names)};
  d.gBiographyTextBlock = {std::move(*textTable), std::move(*texts)};
  d.gBiographyBytesUsed = {BytesUsed(d.gBiographyTexts, kBiographiesKr), BytesUsed(d.gBiographyNames, kBiographiesKr)};
  return true;
}

bool ReadExpansion(std::span<const std::uint8_t> f, MessageFileState& at, GameDataSet& d) {
  const int text2Words = kBiographiesQV - kBiographyText1QV;
  auto names = AreaByEndWord(f, at.nameTable, kBiographiesQV, at.nameText);
  auto text1 = AreaByEndWord(f, at.textTable, kBiographyText1QV, at.textText);
  auto text2 = AreaByEndWord(f, at.textTable2, text2Words, at.text2);
  auto nameTable = ReadTable(f, at.nameTable, kBiographiesQV);
  auto textTable = ReadTable(f, at.textTable, kBiographyText1QV);
  if (!names || !text1 || !text2 || !nameTable || !textTable) return false;
  std::string texts = std::move(*text1);
  texts += *text2;
  at.nameBlockSize = names->size();
  at.textBlockSize = texts.size();
  NulToSpace(*names);
  NulToSpace(texts);
  d.gBiographyNames = SplitEntries(*names, kBiographiesQV);
  d.gBiographyTexts = SplitEntries(texts, kBiographiesQV);
  d.gBiographyNameBlock = {std::move(*nameTable), std::move(*names)};
  d.gBiographyTextBlock = {std::move(*textTable), std::move(texts)};
  d.gBiographyBytesUsed = {};
  return true;
}

// One area of message.rn rebuilt from its entries; false when they do not fit its size.
bool WriteArea(Bytes& f, const std::vector<std::string>& entries, std::int64_t tablePos, std::int64_t textPos,
               std::uint32_t firstOffset, std::size_t size, MessageBlock& block) {
  block.offsets.assign(kBiographiesKr, 0);
  std::string text;
  std::uint32_t offset = firstOffset;
  for (int i = 0; i < kBiographiesKr; ++i) {
    const std::string& e = i < int(entries.size()) ? entries[i] : std::string();
    block.offsets[i] = std::uint16_t(offset);
    offset += std::uint32_t(e.size() + kSeparatorLen);
    text += e;
    text.append(kSeparator, kSeparatorLen);
  }
  // The filler behind the last entry is padding: its trailing spaces give way to longer entries.
  std::string filler;
  for (std::size_t i = kBiographiesKr; i < entries.size(); ++i) {
    if (i > std::size_t(kBiographiesKr)) filler.append(kSeparator, kSeparatorLen);
    filler += entries[i];
  }
  if (text.size() + filler.size() > size) filler.erase(filler.find_last_not_of(' ') + 1);
  text += filler;
  if (text.size() > size) return false;
  text.resize(size, ' ');
  if (!InFile(f, tablePos, 2 * kBiographiesKr) || !InFile(f, textPos, std::int64_t(size))) return false;
  for (int i = 0; i < kBiographiesKr; ++i) PutU16(&f[tablePos + 2 * i], block.offsets[i]);
  std::memcpy(f.data() + textPos, text.data(), size);
  block.text = std::move(text);
  return true;
}

}  // namespace

std::vector<std::string> SplitEntries(const std::string& area, int count) {
  std::vector<std::string> out;
  out.reserve(std::size_t(count) + 1);
  std::size_t start = 0;
  while (int(out.size()) < count) {
    std::size_t p = area.find(kSeparator, start, kSeparatorLen);
    if (p == std::string::npos) break;
    out.push_back(area.substr(start, p - start));
    start = p + kSeparatorLen;
  }
  if (int(out.size()) < count) {
    out.push_back(area.substr(start));
    out.resize(std::size_t(count));
    out.emplace_back();
  } else {
    out.push_back(area.substr(start));
  }
  return out;
}

std::string JoinEntries(const std::vector<std::string>& entries) {
  std::string s;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i) s.append(kSeparator, kSeparatorLen);
    s += entries[i];
  }
  return s;
}

bool LocateMessageFile(bool useExeTables) {
  gBiographyFound = false;
  gMessageFromExe = useExeTables;
  gMessageExpansion = useExeTables && gExeInfo.IsQVEdition();
  gMsgMarkerOffset = 0;

  auto path = FindMessage(gMessageExpansion ? "message.wn" : "message.rn");
  if (!path) return false;
  gMessageFilePath = *path;

  if (!useExeTables) {
    auto size = FileSize(*path).value_or(0);
    const KoreanVariant* v = nullptr;
    for (const auto& k : kKoreanVariants)
      if (k.length == size) v = &k;
    if (!v) return false;
    gMsgNameTablePos = v->nameTable;
    gMsgNameTextPos = v->nameText;
    gMsgTextTablePos = v->textTable;
    gMsgTextTextPos = v->textText;
    gMsgTextTable2Pos = gMsgText2Pos = 0;
    gMsgCultureItemPos = v->culture;
    gBiographyNameBlockSize = v->nameSize;
    gBiographyTextBlockSize = v->textSize;
    gBiographyNameMax = 30;
    gBiographyTextMax = 300;
    gMsgMarkerOffset = v->marker;
    gBiographyFound = true;
    return true;
  }

  // Block starts of the culture, text, name and second text areas.
  const auto& p = gExeInfo.messagePositions;
  gMsgCultureItemPos = p[5];
  gMsgTextTablePos = std::int64_t(p[6]) + kTableAt;
  gMsgNameTablePos = std::int64_t(p[7]) + kTableAt;
  gBiographyNameBlockSize = kExeNameSize;
  gBiographyTextBlockSize = kExeTextSize;
  if (gMessageExpansion) {
    gMsgNameTextPos = std::int64_t(p[7]) + kNameEntriesQV;
    gMsgTextTextPos = std::int64_t(p[6]) + kTextEntriesQV;
    gMsgTextTable2Pos = std::int64_t(p[8]) + kTableAt;
    gMsgText2Pos = std::int64_t(p[8]) +
                   (gExeInfo.messageTableOffset == kBuildAMessageTable ? kText2EntriesQVBuildA : kText2EntriesQV);
    return true;
  }
  gMsgNameTextPos = std::int64_t(p[7]) + kNameEntriesKr;
  gMsgTextTextPos = std::int64_t(p[6]) + kTextEntriesKr;
  gMsgTextTable2Pos = gMsgText2Pos = 0;
  gBiographyNameMax = 30;
  gBiographyTextMax = 300;
  gMsgMarkerOffset = 7436;
  gBiographyFound = true;
  return true;
}

bool ParseMessageImage(std::span<const std::uint8_t> image, MessageFileState& at, GameDataSet& d, bool& markerRepaired) {
  markerRepaired = false;
  if (!(at.expansion ? ReadExpansion(image, at, d) : ReadKorean(image, at, d, markerRepaired))) return false;
  return ReadCultureDescriptions(image, at, d);
}

bool ReadMessageFile(GameDataSet& d) {
  auto f = ReadWholeFile(gMessageFilePath, kMaxMessageFileBytes);
  if (!f) return false;
  MessageFileState at = gState.file.message;
  bool repaired = false;
  const bool ok = ParseMessageImage(*f, at, d, repaired);
  gBiographyNameBlockSize = at.nameBlockSize;
  gBiographyTextBlockSize = at.textBlockSize;
  // Only the 18 changed bytes go to disk, even when a later area fails; a file we may not write
  // keeps its marker, and the repair simply happens again on the next load.
  if (repaired)
    PatchFile(gMessageFilePath, std::uint64_t(at.nameText + at.marker - 1),
              std::span<const std::uint8_t>(kMarkerRepair, sizeof kMarkerRepair));
  return ok;
}

std::optional<Bytes> BuildMessageImage(const GameDataSet& d, MessageBlock& nameBlock, MessageBlock& textBlock) {
  if (gMessageExpansion) return std::nullopt;
  auto f = ReadWholeFile(gMessageFilePath, kMaxMessageFileBytes);
  if (!f) return std::nullopt;
  if (!WriteArea(*f, d.gBiographyTexts, gMsgTextTablePos, gMsgTextTextPos, kTextEntriesKr,
                 gBiographyTextBlockSize, textBlock) ||
      !WriteArea(*f, d.gBiographyNames, gMsgNameTablePos, gMsgNameTextPos, kNameEntriesKr,
                 gBiographyNameBlockSize, nameBlock))
    return std::nullopt;
  return f;
}

}  // namespace garam
