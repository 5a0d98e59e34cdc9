// The usage reports as whole files: the expected text is written out here line by line from the
// report's format, in UTF-8, and converted to code page 949 with CR LF for the comparison.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "data/cp949.h"
#include "data/usage_report.h"

namespace garam {
namespace {

// Expected report text: lines in UTF-8; names may be raw code page 949 bytes, passed through.
struct Expected {
  std::string bytes;
  Expected& operator<<(const std::string& utf8) {
    bytes += Utf8ToCp949(utf8).value() + "\r\n";
    return *this;
  }
  Expected& raw(const std::string& cp949) {
    bytes += cp949 + "\r\n";
    return *this;
  }
};

std::string Num3(int n) {
  char b[8];
  std::snprintf(b, sizeof b, " %03d", n);
  return b;
}
const std::string B8(8, ' ');

template <typename Rec>
void Name(Rec& r, const std::string& utf8) {
  ASSERT_TRUE(WriteFixedName(r.bytes(r.L.name), utf8));
}

UsageReportSource Source(const GameDataSet& d, std::int32_t kind, bool qv, const std::string& tag) {
  return {d, kind, qv, tag, {}};
}

TEST(UsageReport, MenFacesOfTheFirstScenarioWithoutTheEditionFlag) {
  GameDataSet d;
  d.gGenerals.resize(5);
  const int faces[5] = {5, 9, 5, 650, 700};
  const char* names[5] = {"가나", "다", "라마바", "사", "아"};
  for (int i = 0; i < 5; ++i) {
    d.gGenerals[i].set(kGeneralScenKr.face, std::uint16_t(faces[i]));
    Name(d.gGenerals[i], names[i]);
  }
  // The expansion array must not be read for kind 1, whatever the flag says.
  d.gGeneralsQV.resize(5);
  UsageReportSource s = Source(d, kScedat1, false, "S1");
  s.rows.generals = {2, 0, 1, 3, 4, 17, -1};  // list order; stale rows are skipped

  Expected e;
  e << "#남자 얼굴 사용 현황#" << "[얼굴번호 | 사용자" + std::string(30, ' ') + "]";
  const std::map<int, std::string> areas = {
      {0, "고유 얼굴 영역 ====================="},    {100, "범용 얼굴 영역( 일본 ) ============="},
      {144, "범용 얼굴 영역( 중국 ) ============="},   {194, "범용 얼굴 영역(티베트) ============="},
      {204, "범용 얼굴 영역( 몽골 ) ============="},   {259, "범용 얼굴 영역( 인도 ) ============="},
      {289, "범용 얼굴 영역(이슬람) ============="},   {375, "범용 얼굴 영역(동유럽) ============="},
      {420, "범용 얼굴 영역(서유럽) ============="},   {474, "범용 얼굴 영역(북유럽) ============="},
      {525, "범용 얼굴 영역(남유럽) ============="},   {575, "범용 얼굴 영역(한반도) ============="},
      {585, "범용 얼굴 영역(동남아) ============="},   {600, "고유 얼굴 영역         ============="}};
  for (int n = 0; n < 640; ++n) {
    if (areas.count(n)) e << " ========== " + areas.at(n);
    if (n == 5) e << " 005" + B8 + "S1{라마바, 가나}";
    else if (n == 9) e << " 009" + B8 + "S1{다}";
    else e << Num3(n);
  }
  e << " 650" + B8 + "S1{사}";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::MenFaces, s), e.bytes);
  for (const auto& [n, text] : areas) EXPECT_EQ(Utf8ToCp949(" ========== " + text)->size(), 48u) << n;
}

TEST(UsageReport, WomenFacesWithTheEditionFlagShowEveryNumberAndTheLastArea) {
  GameDataSet d;
  d.gQueens.resize(3);
  const int faces[3] = {181, 0, 200};
  for (int i = 0; i < 3; ++i) d.gQueens[i].set(kQueenScen.face, std::uint8_t(faces[i]));
  Name(d.gQueens[0], "왕비");
  // A name without NUL is its whole field, byte for byte.
  for (auto& b : d.gQueens[1].bytes(kQueenScen.name)) b = 'x';
  UsageReportSource s = Source(d, kScenarioQV, true, "0");
  s.rows.queens = {0, 1, 2};

  Expected e;
  e << "#여자 얼굴 사용 현황#" << "[얼굴번호 | 사용자" + std::string(30, ' ') + "]";
  const std::map<int, std::string> areas = {
      {0, "고유 얼굴 영역 ====================="},   {58, "범용 얼굴 영역( 일본 ) ============="},
      {66, "범용 얼굴 영역( 중국 ) ============="},   {76, "범용 얼굴 영역(티베트) ============="},
      {79, "범용 얼굴 영역( 몽골 ) ============="},   {87, "범용 얼굴 영역( 인도 ) ============="},
      {92, "범용 얼굴 영역(이슬람) ============="},   {113, "범용 얼굴 영역(동유럽) ============="},
      {123, "범용 얼굴 영역(서유럽) ============="},  {133, "범용 얼굴 영역(북유럽) ============="},
      {143, "범용 얼굴 영역(남유럽) ============="},  {153, "범용 얼굴 영역(한반도) ============="},
      {156, "범용 얼굴 영역(동남아) ============="},  {159, "기타 영역              ============="},
      {161, "공주 얼굴 영역         ============="},  {168, "고유 얼굴 영역         ============="}};
  for (int n = 0; n < 182; ++n) {
    if (areas.count(n)) e << " ========== " + areas.at(n);
    if (n == 0) e.raw(" 000" + B8 + "0{" + std::string(17, 'x') + "}");
    else if (n == 181) e << " 181" + B8 + "0{왕비}";
    else e << Num3(n);
  }
  EXPECT_EQ(BuildUsageReport(UsageReportKind::WomenFaces, s), e.bytes);

  // Without the flag the numbers from 168 on need a user, and the last area line goes.
  s.qvEdition = false;
  const std::string korean = BuildUsageReport(UsageReportKind::WomenFaces, s);
  EXPECT_EQ(korean.find(Utf8ToCp949("고유 얼굴 영역         ").value()), std::string::npos);
  EXPECT_TRUE(korean.ends_with("\r\n 167\r\n 181" + B8 + "0{" + Utf8ToCp949("왕비").value() + "}\r\n"));
}

TEST(UsageReport, UniqueCodesOfTheSecondScenario) {
  GameDataSet d;
  d.gCountriesScedat2.resize(2);
  d.gCities.resize(2);
  d.gQueens.resize(2);
  d.gRegions.resize(3);
  d.gCountries.resize(2);  // not the array of kind 2
  d.gCountriesScedat2[0].set(kCountryScedat2.code, std::uint8_t(5)), Name(d.gCountriesScedat2[0], "갑");
  d.gCountriesScedat2[1].set(kCountryScedat2.code, std::uint8_t(5)), Name(d.gCountriesScedat2[1], "을");
  d.gCities[0].set(kCityScen.code, std::uint8_t(123)), Name(d.gCities[0], "성");
  d.gCities[1].set(kCityScen.code, std::uint8_t(7)), Name(d.gCities[1], "읍");
  d.gQueens[0].set(kQueenScen.code, std::uint8_t(7)), Name(d.gQueens[0], "비");
  d.gQueens[1].set(kQueenScen.code, std::uint8_t(255)), Name(d.gQueens[1], "빈");
  const int spheres[3] = {0, 7, 9};
  for (int i = 0; i < 3; ++i) {
    auto& r = d.gRegions[i];
    r.set(kRegionScen.code, std::uint8_t(10 + i)), r.set(kRegionScen.kind, std::uint8_t(i * 11));
    r.set(kRegionScen.sphere, std::uint8_t(spheres[i]));
  }
  Name(d.gRegions[0], "동쪽"), Name(d.gRegions[1], "West"), Name(d.gRegions[2], "");
  UsageReportSource s = Source(d, kScedat2, false, "S2");
  s.rows = {.countries = {1, 0}, .cities = {0, 1}, .queens = {1, 0}};

  Expected e;
  const std::string columns = "[고유코드 | 사용자" + std::string(30, ' ') + "]";
  e << "#국가 고유코드 사용 현황#" << columns << "  05" + B8 + "S2{을, 갑}" << "";
  e << "#도시 고유코드 사용 현황#" << columns << "  07" + B8 + "S2{읍}" << " 123" + B8 + "S2{성}" << "";
  e << "#왕비 고유코드 사용 현황#" << columns << " 007" + B8 + "S2{비}" << " 255" + B8 + "S2{빈}" << "";
  e << "#지역 고유코드사용 현황#" << "[순번 | 고유코드 | 문화권 | 특성 | 사용자         ]";
  e << "  00      010       일본     00    동쪽";
  e << "  01      011      ------    11    West";
  e << "  02      012      ------    22    ";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::UniqueCodes, s), e.bytes);
}

TEST(UsageReport, BiographiesByFileKindWithAnnotationsAndAreaLines) {
  GameDataSet d;
  d.gGenerals.resize(3);
  d.gGeneralsQV.resize(3);
  const int numbers[3] = {1, 400, 533};
  for (int i = 0; i < 3; ++i) {
    d.gGenerals[i].set(kGeneralScenKr.biography, std::uint16_t(numbers[i]));
    d.gGeneralsQV[i].set(kGeneralScenQV.biography, std::uint16_t(numbers[2 - i]));
    Name(d.gGenerals[i], "장" + std::to_string(i));
    Name(d.gGeneralsQV[i], "qv" + std::to_string(i));
  }
  UsageReportSource s = Source(d, kScenarioKr, false, "S3");
  s.rows.generals = {0, 1, 2};

  Expected e;
  e << "#인물 열전 사용 현황#" << "[열전번호 | 사용자" + std::string(30, ' ') + "]";
  e << " ========== 오리지널 열전 영역 =================";
  for (int n = 0; n < 343; ++n) {
    if (n == 338) e << " ========== 한글판 추가 열전 영역 ==============";
    const std::string note = BiographyAnnotation(n, false);
    if (n == 1) e << " 001" + B8 + "S3{장0}  " + note;
    else e << Num3(n) + B8 + note;
  }
  e << " 400" + B8 + "S3{장1}  ";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::Biographies, s), e.bytes);

  // Kind 5 reads the expansion array, whatever the flag; the flag picks area line and range.
  s.fileKind = kScenarioQV;
  const std::string qv = BuildUsageReport(UsageReportKind::Biographies, s);
  EXPECT_NE(qv.find(" 001" + B8 + "S3{qv2}  " + Utf8ToCp949(BiographyAnnotation(1, false)).value() + "\r\n"),
            std::string::npos);
  EXPECT_NE(qv.find("\r\n 400" + B8 + "S3{qv1}  \r\n"), std::string::npos);
  EXPECT_EQ(qv.find(" 532"), std::string::npos);
  s.qvEdition = true;
  const std::string flagged = BuildUsageReport(UsageReportKind::Biographies, s);
  EXPECT_NE(flagged.find(Utf8ToCp949(" ========== QV 추가 열전 영역 ==================\r\n 338").value()),
            std::string::npos);
  EXPECT_TRUE(flagged.ends_with(" 532" + B8 + Utf8ToCp949(BiographyAnnotation(532, true)).value() + "\r\n"));
  EXPECT_NE(flagged.find("\r\n 401" + B8 + "\r\n"), std::string::npos);
}

TEST(UsageReport, CultureItemsWithTheirNameColumn) {
  GameDataSet d;
  d.gCultureItems.resize(80);
  for (int k = 0; k < 80; ++k) d.gCultureItems[k].set(kCultureItemScen.description, std::uint8_t(200));
  auto item = [&](int k, int description, const std::string& name) {
    d.gCultureItems[k].set(kCultureItemScen.description, std::uint8_t(description));
    Name(d.gCultureItems[k], name);
  };
  item(0, 3, "청자");
  item(1, 9, "Scroll");
  item(2, 9, "지도");  // a later item with the same description replaces the name
  item(79, 200, "abcdefghijklmnopqrstuvw");
  d.gCities.resize(2);
  const std::uint8_t held0[8] = {0, 2, 90, 80, 1, 1, 1, 1}, held1[8] = {2, 80, 0, 0, 0, 0, 0, 0};
  std::copy(held0, held0 + 8, d.gCities[0].bytes(kCityScen.items).begin());
  std::copy(held1, held1 + 8, d.gCities[1].bytes(kCityScen.items).begin());
  Name(d.gCities[0], "한성"), Name(d.gCities[1], "Rome");
  UsageReportSource s = Source(d, kScenarioKr, false, "S4");
  s.rows.cities = {1, 0};

  Expected e;
  e << "#문화아이템 사용 현황#";
  e << "[고유코드 | 아이템이름" + std::string(13, ' ') + "| 사용자" + std::string(45, ' ') + "]";
  e << " 003" + B8 + "청자" + std::string(21, ' ') + "S4{한성}";
  e << " 009" + B8 + "지도" + std::string(21, ' ') + "S4{Rome, 한성}";
  e << " 200" + B8 + "abcdefghijklmnopqrstuvw  ";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::CultureItems, s), e.bytes);
}

TEST(UsageReport, WallsInColumnOrder) {
  GameDataSet d;
  d.gMapVar.reset();
  UsageReportSource s = Source(d, kScenarioQV, true, "S1");
  EXPECT_EQ(BuildUsageReport(UsageReportKind::Walls, s), (Expected() << "#방벽 배치 현황#" << "" << "총 : 0개").bytes);
  d.gMapVar.at(12, 45).raw[0] = 13;
  d.gMapVar.at(3, 224).raw[0] = 13;
  d.gMapVar.at(249, 0).raw[0] = 13;
  d.gMapVar.at(5, 5).raw[0] = 14;
  EXPECT_EQ(BuildUsageReport(UsageReportKind::Walls, s),
            (Expected() << "#방벽 배치 현황#" << "(003, 224)" << "(012, 045)" << "(249, 000)" << ""
                        << "총 : 3개").bytes);
}

TEST(UsageReport, ScenarioTagFromTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"[SCEDAT1.RN]", "S1"}, {"scedat2.wn", "S2"}, {"ScEdAt3.rn", "S3"}, {"scedat4.wn", "S4"},
      {"scedat5.wn", "0"},    {"user1.rn", "0"},    {"", "0"}};
  for (const auto& [name, tag] : cases) EXPECT_EQ(ScenarioTag(name), tag) << name;
}

// Splits "<a | b>" into its parts.
std::vector<std::string> Parts(const std::string& note) {
  std::vector<std::string> parts;
  std::string inner = note.substr(1, note.size() - 2);
  for (std::size_t at = 0;;) {
    std::size_t bar = inner.find(" | ", at);
    parts.push_back(inner.substr(at, bar - at));
    if (bar == std::string::npos) return parts;
    at = bar + 3;
  }
}

TEST(UsageReport, AnnotationsShareTextsOnlyWithinTheirGroups) {
  for (bool qv : {false, true}) {
    std::map<std::string, std::set<int>> byText;
    for (int n = -1; n <= 533; ++n)
      if (std::string note = BiographyAnnotation(n, qv); !note.empty()) byText[note].insert(n);
    std::set<std::set<int>> groups;
    int numbers = 0;
    for (const auto& [text, ns] : byText) {
      numbers += int(ns.size());
      if (ns.size() > 1) groups.insert(ns);
      EXPECT_TRUE(text.front() == '<' && text.back() == '>') << text;
    }
    std::set<std::set<int>> expected = {{9, 10},        {26, 198},      {29, 30},       {38, 39},
                                        {64, 161, 162}, {111, 167},     {129, 173, 183}, {132, 160, 292},
                                        {137, 151, 153}};
    if (qv) {
      expected.insert({{40, 42, 43, 44}, {17, 193}, {327, 348, 349}, {354, 355, 360}, {357, 358},
                       {419, 422, 425, 426}, {443, 446}, {479, 480}, {496, 497}});
    } else {
      expected.insert({{40, 41, 42, 43, 44}, {34, 35}});
    }
    EXPECT_EQ(numbers, qv ? 124 : 67);
    EXPECT_EQ(groups, expected) << qv;
  }
}

TEST(UsageReport, EditionEntriesExtendOrShortenTheCommonOnes) {
  auto kr = [](int n) { return Parts(BiographyAnnotation(n, false)); };
  auto qv = [](int n) { return Parts(BiographyAnnotation(n, true)); };
  // One part added at the end: an event of scenario 3, a title, a title, an event of scenario 3.
  const std::pair<int, const char*> extended[] = {{41, "S3"}, {142, "고유칭호("}, {150, "고유칭호("}, {285, "S3"}};
  for (const auto& [n, start] : extended) {
    auto parts = qv(n);
    EXPECT_EQ(parts.back().rfind(start, 0), 0u) << n;
    parts.pop_back();
    EXPECT_EQ(parts, kr(n)) << n;
  }
  for (int n : {0, 4}) {
    auto parts = qv(n);
    EXPECT_TRUE(parts.front().ends_with("op") || parts.front().ends_with("opK")) << n;
    parts.erase(parts.begin());
    EXPECT_EQ(parts, kr(n)) << n;
  }
  for (int n : {12, 34, 35, 287}) {
    auto parts = qv(n);
    std::erase_if(parts, [](const std::string& p) { return p.rfind("S3", 0) == 0; });
    EXPECT_EQ(parts.size() + 1, qv(n).size()) << n;
    EXPECT_EQ(parts, kr(n)) << n;
  }
  for (int n : {17, 193}) {
    EXPECT_EQ(qv(n).size(), 1u);
    EXPECT_EQ(kr(n).size(), 2u);
    EXPECT_EQ(kr(n)[1], qv(n)[0]);
    EXPECT_TRUE(kr(n)[0].ends_with("opK")) << n;
  }
  // Every group part names the same group.
  std::set<std::string> groupParts;
  for (int n : {37, 40, 47, 53}) {
    const auto parts = kr(n);
    groupParts.insert(parts[n == 47 || n == 53 ? 0 : 1]);
  }
  EXPECT_EQ(groupParts.size(), 1u);
}

}  // namespace
}  // namespace garam
