#include "data/usage_report.h"

#include <cstdio>
#include <initializer_list>

#include "data/cp949.h"
#include "data/fileio.h"
#include "data/ids.h"

namespace garam {
namespace {

constexpr int kMenFaces = 680, kWomenFaces = 182, kCodes = 256, kBiographyNumbers = 533;
constexpr int kMenFacesKr = 640, kWomenFacesKr = 168, kBiographiesKrShown = 343;
constexpr std::uint8_t kItemListEnd = 80;

// Biography annotations. The words are neutral stand-ins; what matters to the reader of the
// report is which numbers carry which kinds of parts, and which numbers share one text.
enum class Table { Common, Expansion, Korean };
struct Annotation {
  Table table;
  std::initializer_list<int> numbers;
  const char* text;
};
const Annotation kAnnotations[] = {
    {Table::Common, {1}, "<고유대사(기독교)>"},
    {Table::Common, {29, 30}, "<고유대사(불교)>"},
    {Table::Common, {45}, "<고유대사(이슬람교)>"},
    {Table::Common, {95}, "<고유대사(힌두교)>"},
    {Table::Common, {132, 160, 292}, "<고유대사(도교)>"},
    {Table::Common, {157}, "<고유대사(유교)>"},
    {Table::Common, {2}, "<고유대사(스승) | 병과보정(장창병)>"},
    {Table::Common, {9, 10}, "<고유특성(점성술)>"},
    {Table::Common, {21}, "<고유특성(의술)>"},
    {Table::Common, {64, 161, 162}, "<고유특성(항해술)>"},
    {Table::Common, {129, 173, 183}, "<고유특성(병법)>"},
    {Table::Common, {232}, "<고유특성(축성술)>"},
    {Table::Common, {26, 198}, "<S2갑국op>"},
    {Table::Common, {201}, "<S2을국op>"},
    {Table::Common, {32}, "<S1갑국opK 등 | 고유대사(부왕)>"},
    {Table::Common, {33}, "<S1개국 등 | 고유대사(주군)>"},
    {Table::Common, {37}, "<S1을국op 등 | 호위대>"},
    {Table::Common, {38, 39}, "<S1병국op에 필요>"},
    {Table::Common, {40, 41, 42, 43, 44}, "<S1정국op | 호위대>"},
    {Table::Common, {47}, "<호위대 | 고유대사(형제)>"},
    {Table::Common, {53}, "<호위대>"},
    {Table::Common, {109}, "<S1무국opK>"},
    {Table::Common, {111, 167}, "<S1기국op>"},
    {Table::Common, {146}, "<S1경국op>"},
    {Table::Common, {137, 151, 153}, "<S1천도>"},
    {Table::Common, {313}, "<S1대홍수>"},
    {Table::Common, {337}, "<S1역병>"},
    {Table::Common, {142}, "<S1신국opK | 고유대사(연인)>"},
    {Table::Common, {150}, "<S1반란 | 고유대사(친우)>"},
    {Table::Common, {196}, "<S2병국opK | 고유특성(연금술)>"},
    {Table::Common, {197}, "<S2정국op | 고유대사(조로아스터교)>"},
    {Table::Common, {199}, "<S2무국op 등>"},
    {Table::Common, {200}, "<S2기국opK>"},
    {Table::Common, {285}, "<S2경국opK>"},
    {Table::Common, {229}, "<S2원정 | 고유대사(부하)>"},
    {Table::Common, {267}, "<S2동맹>"},
    {Table::Common, {282}, "<S2즉위>"},
    {Table::Common, {295}, "<S2혼인>"},
    {Table::Common, {314}, "<S2봉기>"},
    {Table::Common, {289}, "<병과보정(궁기병)>"},

    {Table::Expansion, {0}, "<S1임국opK | 고유대사(왕비)>"},
    {Table::Expansion, {4}, "<S1계국op | 고유특성(궁술)>"},
    {Table::Expansion, {7}, "<S1갑국op>"},
    {Table::Expansion, {12}, "<S1정변 | S3갑국op | 고유대사(검객) | 고유특성(검술)>"},
    {Table::Expansion, {17, 193}, "<고유특성(왕족)>"},
    {Table::Expansion, {34}, "<S1출정 등 | S3을국op>"},
    {Table::Expansion, {35}, "<S1출정 등 | S3병국opK>"},
    {Table::Expansion, {41}, "<S1정국op | 호위대 | S3귀순>"},
    {Table::Expansion, {119}, "<S3망명 | 고유칭호(대왕)>"},
    {Table::Expansion, {123}, "<고유칭호(성군)>"},
    {Table::Expansion, {124}, "<고유칭호(명장)>"},
    {Table::Expansion, {127}, "<고유칭호(현자)>"},
    {Table::Expansion, {133}, "<고유칭호(패왕)>"},
    {Table::Expansion, {144}, "<고유칭호(검성)>"},
    {Table::Expansion, {159}, "<고유칭호(궁신)>"},
    {Table::Expansion, {281}, "<고유칭호(해왕)>"},
    {Table::Expansion, {290}, "<고유칭호(대학자)>"},
    {Table::Expansion, {300}, "<고유칭호(성녀)>"},
    {Table::Expansion, {350}, "<고유칭호(철벽)>"},
    {Table::Expansion, {393}, "<고유칭호(군신)>"},
    {Table::Expansion, {471}, "<고유칭호(지장)>"},
    {Table::Expansion, {505}, "<고유칭호(무신)>"},
    {Table::Expansion, {135}, "<S3정국opK>"},
    {Table::Expansion, {347}, "<S3무국opK>"},
    {Table::Expansion, {142}, "<S1신국opK | 고유대사(연인) | 고유칭호(상왕)>"},
    {Table::Expansion, {150}, "<S1반란 | 고유대사(친우) | 고유칭호(법왕)>"},
    {Table::Expansion, {170}, "<S2신국op>"},
    {Table::Expansion, {188}, "<S2임국opK>"},
    {Table::Expansion, {285}, "<S2경국opK | S3대관>"},
    {Table::Expansion, {287}, "<S2계국op | S3개혁>"},
    {Table::Expansion, {299}, "<S4갑국opK>"},
    {Table::Expansion, {478}, "<S4을국opK>"},
    {Table::Expansion, {495}, "<S4병국opK>"},
    {Table::Expansion, {327, 348, 349}, "<S3기국op>"},
    {Table::Expansion, {394}, "<S3경국op>"},
    {Table::Expansion, {397}, "<S3신국op>"},
    {Table::Expansion, {353}, "<S3임국opK 등>"},
    {Table::Expansion, {354, 355, 360}, "<S3계국op 등>"},
    {Table::Expansion, {356}, "<S3회맹 등>"},
    {Table::Expansion, {359}, "<S3건국 등>"},
    {Table::Expansion, {357, 358}, "<S3분열>"},
    {Table::Expansion, {398}, "<S3통일>"},
    {Table::Expansion, {510}, "<S3침공>"},
    {Table::Expansion, {396}, "<S3갑국opK | 고유칭호(해상왕)>"},
    {Table::Expansion, {403}, "<S4개국>"},
    {Table::Expansion, {419, 422, 425, 426}, "<S4천도>"},
    {Table::Expansion, {482}, "<S4대홍수>"},
    {Table::Expansion, {501}, "<S4역병>"},
    {Table::Expansion, {509}, "<S4반란>"},
    {Table::Expansion, {512}, "<S4원정>"},
    {Table::Expansion, {418}, "<S4정국op>"},
    {Table::Expansion, {443, 446}, "<S4무국op>"},
    {Table::Expansion, {479, 480}, "<S4기국op>"},
    {Table::Expansion, {496, 497}, "<S4경국op>"},
    {Table::Expansion, {451}, "<S4신국opK 등>"},
    {Table::Expansion, {453}, "<S4임국op 등>"},
    {Table::Expansion, {457}, "<S4동맹 | 고유칭호(철인)>"},
    {Table::Expansion, {502}, "<S4즉위 | 병과보정(코끼리병) | 고유칭호(정복왕)>"},
    {Table::Expansion, {532}, "<병과보정(낙타병)>"},

    {Table::Korean, {0}, "<고유대사(왕비)>"},
    {Table::Korean, {4}, "<고유특성(궁술)>"},
    {Table::Korean, {12}, "<S1정변 | 고유대사(검객) | 고유특성(검술)>"},
    {Table::Korean, {17}, "<S1을국opK | 고유특성(왕족)>"},
    {Table::Korean, {19}, "<S1임국op>"},
    {Table::Korean, {34, 35}, "<S1출정 등>"},
    {Table::Korean, {193}, "<S2을국opK | 고유특성(왕족)>"},
    {Table::Korean, {195}, "<S2병국op>"},
    {Table::Korean, {287}, "<S2계국op>"},
};

std::string K(const char* utf8) { return Utf8ToCp949(utf8).value_or(std::string()); }

// A sphere's name centred in six columns, a syllable taking two; a region of none shows dashes.
std::string SphereColumn(std::uint8_t sphere) {
  if (sphere >= kNoSphere) return std::string(6, '-');
  const std::string name = CultureSphereName(sphere);
  const std::size_t pad = 6 - 2 * (name.size() / 3);  // a Hangul syllable is three UTF-8 bytes
  return std::string(pad / 2, ' ') + name + std::string(pad - pad / 2, ' ');
}

// " 0##": a blank and at least three digits.
std::string N3(int n) {
  char b[16];
  std::snprintf(b, sizeof b, " %03d", n);
  return b;
}
// At least two digits after `blanks` blanks.
std::string N2(int n, int blanks) {
  char b[16];
  std::snprintf(b, sizeof b, "%*s%02d", blanks, "", n);
  return b;
}
// Right-aligned in four characters, at least two digits.
std::string C4(int n) {
  std::string s = " " + N2(n, 1);
  return s.substr(s.size() - 4);
}
const std::string kB8(8, ' ');

template <typename Rec, typename F>
std::string NameBytes(const Rec& r, F field) {
  return FixedNameBytes(r.bytes(field));
}

// The users of every number of a numbering, as the report lists them.
class Users {
 public:
  Users(std::size_t numbers, std::string tag) : lists_(numbers), tag_(std::move(tag)) {}
  void add(long long number, const std::string& name) {
    if (number < 0 || std::size_t(number) >= lists_.size()) return;
    auto& l = lists_[std::size_t(number)];
    if (!l.empty()) l += ", ";
    l += name;
    used_.resize(lists_.size());
    used_[std::size_t(number)] = true;
  }
  bool has(int number) const { return std::size_t(number) < used_.size() && used_[std::size_t(number)]; }
  std::string text(int number) const { return tag_ + "{" + lists_[std::size_t(number)] + "}"; }

 private:
  std::vector<std::string> lists_;
  std::vector<bool> used_;
  std::string tag_;
};

class Writer {
 public:
  void line(const std::string& cp949) { out_ += cp949 + "\r\n"; }
  void k(const char* utf8) { line(K(utf8)); }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

template <typename V>
const auto* At(const V& v, int i) {
  return i >= 0 && std::size_t(i) < v.size() ? &v[std::size_t(i)] : nullptr;
}

// The general array of the file kind: the expansion scenario keeps its own layout.
template <typename F>
void ForEachGeneral(const UsageReportSource& s, F f) {
  for (int n : s.rows.generals) {
    if (s.fileKind == kScenarioQV) {
      if (auto* g = At(s.d.gGeneralsQV, n)) f(*g, NameBytes(*g, g->L.name));
    } else if (auto* g = At(s.d.gGenerals, n)) {
      f(*g, NameBytes(*g, g->L.name));
    }
  }
}

struct AreaLine {
  int men, women;  // the number the line stands before; -1 none
  const char* text;
};
const AreaLine kFaceAreas[] = {
    {0, 0, " ========== 고유 얼굴 영역 ====================="},
    {100, 58, " ========== 범용 얼굴 영역( 일본 ) ============="},
    {144, 66, " ========== 범용 얼굴 영역( 중국 ) ============="},
    {194, 76, " ========== 범용 얼굴 영역(티베트) ============="},
    {204, 79, " ========== 범용 얼굴 영역( 몽골 ) ============="},
    {259, 87, " ========== 범용 얼굴 영역( 인도 ) ============="},
    {289, 92, " ========== 범용 얼굴 영역(이슬람) ============="},
    {375, 113, " ========== 범용 얼굴 영역(동유럽) ============="},
    {420, 123, " ========== 범용 얼굴 영역(서유럽) ============="},
    {474, 133, " ========== 범용 얼굴 영역(북유럽) ============="},
    {525, 143, " ========== 범용 얼굴 영역(남유럽) ============="},
    {575, 153, " ========== 범용 얼굴 영역(한반도) ============="},
    {585, 156, " ========== 범용 얼굴 영역(동남아) ============="},
    {-1, 159, " ========== 기타 영역              ============="},
    {-1, 161, " ========== 공주 얼굴 영역         ============="},
    {600, 168, " ========== 고유 얼굴 영역         ============="},
};
constexpr int kWomenLastAreaKr = 168;  // the last women's area exists in the expansion only

const char* const kNumberColumns = "[얼굴번호 | 사용자                              ]";

void FaceReport(Writer& w, const UsageReportSource& s, bool men) {
  const int count = men ? kMenFaces : kWomenFaces;
  Users users(std::size_t(count), s.tag);
  if (men) {
    ForEachGeneral(s, [&](const auto& g, const std::string& name) { users.add(g.get(g.L.face), name); });
  } else {
    for (int n : s.rows.queens)
      if (auto* q = At(s.d.gQueens, n)) users.add(q->get(q->L.face), NameBytes(*q, q->L.name));
  }
  w.k(men ? "#남자 얼굴 사용 현황#" : "#여자 얼굴 사용 현황#");
  w.k(kNumberColumns);
  const int shownKr = men ? kMenFacesKr : kWomenFacesKr;
  for (int n = 0; n < count; ++n) {
    for (const AreaLine& a : kFaceAreas) {
      const int at = men ? a.men : a.women;
      if (at != n) continue;
      if (!men && at == kWomenLastAreaKr && !s.qvEdition) continue;
      w.k(a.text);
    }
    if (users.has(n)) w.line(N3(n) + kB8 + users.text(n));
    else if (s.qvEdition || n < shownKr) w.line(N3(n));
  }
}

void CodeSection(Writer& w, const Users& users, const char* title, bool threeDigits) {
  w.k(title);
  w.k("[고유코드 | 사용자                              ]");
  for (int c = 0; c < kCodes; ++c)
    if (users.has(c)) w.line((threeDigits ? N3(c) : C4(c)) + kB8 + users.text(c));
}

void CodeReport(Writer& w, const UsageReportSource& s) {
  const GameDataSet& d = s.d;
  Users countries(kCodes, s.tag), cities(kCodes, s.tag), queens(kCodes, s.tag);
  for (int n : s.rows.countries) {
    if (s.fileKind == kScedat1) {
      if (auto* c = At(d.gCountriesScedat1, n)) countries.add(c->get(c->L.code), NameBytes(*c, c->L.name));
    } else if (s.fileKind == kScedat2) {
      if (auto* c = At(d.gCountriesScedat2, n)) countries.add(c->get(c->L.code), NameBytes(*c, c->L.name));
    } else if (auto* c = At(d.gCountries, n)) {
      const auto& L = CountryScenRec::L;
      countries.add(c->head[L.code.off], FixedNameBytes(std::span(c->head).subspan(L.name.off, L.name.width)));
    }
  }
  for (int n : s.rows.cities)
    if (auto* c = At(d.gCities, n)) cities.add(c->get(c->L.code), NameBytes(*c, c->L.name));
  for (int n : s.rows.queens)
    if (auto* q = At(d.gQueens, n)) queens.add(q->get(q->L.code), NameBytes(*q, q->L.name));

  CodeSection(w, countries, "#국가 고유코드 사용 현황#", false);
  w.line("");
  CodeSection(w, cities, "#도시 고유코드 사용 현황#", false);
  w.line("");
  CodeSection(w, queens, "#왕비 고유코드 사용 현황#", true);
  w.line("");
  w.k("#지역 고유코드사용 현황#");
  w.k("[순번 | 고유코드 | 문화권 | 특성 | 사용자         ]");
  for (std::size_t i = 0; i < d.gRegions.size(); ++i) {
    const RegionScenRec& r = d.gRegions[i];
    const std::uint8_t sphere = r.get(r.L.sphere);
    w.line(N2(int(i), 2) + std::string(5, ' ') + N3(r.get(r.L.code)) + std::string(6, ' ') +
           K(SphereColumn(sphere).c_str()) + std::string(3, ' ') + N2(r.get(r.L.kind), 1) +
           std::string(4, ' ') + NameBytes(r, r.L.name));
  }
}

void BiographyReport(Writer& w, const UsageReportSource& s) {
  Users users(kBiographyNumbers, s.tag);
  ForEachGeneral(s, [&](const auto& g, const std::string& name) { users.add(g.get(g.L.biography), name); });
  w.k("#인물 열전 사용 현황#");
  w.k("[열전번호 | 사용자                              ]");
  for (int n = 0; n < kBiographyNumbers; ++n) {
    if (n == 0) w.k(" ========== 오리지널 열전 영역 =================");
    if (n == 338)
      w.k(s.qvEdition ? " ========== QV 추가 열전 영역 ==================" : " ========== 한글판 추가 열전 영역 ==============");
    const std::string note = K(BiographyAnnotation(n, s.qvEdition).c_str());
    if (users.has(n)) w.line(N3(n) + kB8 + users.text(n) + "  " + note);
    else if (s.qvEdition || n < kBiographiesKrShown) w.line(N3(n) + kB8 + note);
  }
}

void CultureItemReport(Writer& w, const UsageReportSource& s) {
  const GameDataSet& d = s.d;
  Users users(kCodes, s.tag);
  for (int n : s.rows.cities) {
    const CityScenRec* c = At(d.gCities, n);
    if (!c) continue;
    const std::string name = NameBytes(*c, c->L.name);
    for (std::uint8_t k : c->bytes(c->L.items)) {
      if (k == kItemListEnd) break;
      if (auto* item = At(d.gCultureItems, k)) users.add(item->get(item->L.description), name);
    }
  }
  std::vector<std::string> names(kCodes);
  for (std::size_t k = 0; k < d.gCultureItems.size() && k < kCultureItemCount; ++k) {
    const CultureItemScenRec& item = d.gCultureItems[k];
    names[item.get(item.L.description)] = (NameBytes(item, item.L.name) + std::string(25, ' ')).substr(0, 25);
  }
  w.k("#문화아이템 사용 현황#");
  w.k("[고유코드 | 아이템이름             | 사용자                                             ]");
  for (int n = 0; n < kCodes; ++n) {
    if (users.has(n)) w.line(N3(n) + kB8 + names[std::size_t(n)] + users.text(n));
    else if (!names[std::size_t(n)].empty()) w.line(N3(n) + kB8 + names[std::size_t(n)]);
  }
}

void WallReport(Writer& w, const UsageReportSource& s) {
  w.k("#방벽 배치 현황#");
  int count = 0;
  if (!s.d.gMapVar.empty()) {
    for (int x = 0; x < kMapWidth; ++x)
      for (int y = 0; y < kMapHeight; ++y)
        if (s.d.gMapVar.at(x, y).get(kVariableMapCell.building) == kWallBuilding) {
          char b[16];
          std::snprintf(b, sizeof b, "(%03d, %03d)", x, y);
          w.line(b);
          ++count;
        }
  }
  w.line("");
  w.line(K("총 : ") + std::to_string(count) + K("개"));
}

}  // namespace

std::string ScenarioTag(std::string_view fileName) {
  const std::string lower = ToLowerAscii(std::string(fileName));
  for (char n : {'1', '2', '3', '4'})
    if (lower.find(std::string("scedat") + n) != std::string::npos) return std::string("S") + n;
  return "0";
}

std::string BuildUsageReport(UsageReportKind kind, const UsageReportSource& s) {
  Writer w;
  switch (kind) {
    case UsageReportKind::MenFaces: FaceReport(w, s, true); break;
    case UsageReportKind::WomenFaces: FaceReport(w, s, false); break;
    case UsageReportKind::UniqueCodes: CodeReport(w, s); break;
    case UsageReportKind::Biographies: BiographyReport(w, s); break;
    case UsageReportKind::CultureItems: CultureItemReport(w, s); break;
    case UsageReportKind::Walls: WallReport(w, s); break;
  }
  return w.take();
}

std::string BiographyAnnotation(int number, bool qvEdition) {
  if (number < 0 || number >= kBiographyNumbers) return {};
  std::string text;
  const Table edition = qvEdition ? Table::Expansion : Table::Korean;
  for (const Annotation& a : kAnnotations)
    if (a.table == Table::Common || a.table == edition)
      for (int n : a.numbers)
        if (n == number) text = a.text;
  return text;
}

}  // namespace garam
