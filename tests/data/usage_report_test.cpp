// The usage reports as whole files: the expected text is written out here line by line from the
// report's format, in UTF-8, and converted to code page 949 with CR LF for the comparison.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/cp949.h"
#include "data/usage_report.h"

namespace garam {
namespace {

struct Expected {
  std::string bytes;
  Expected& operator<<(const std::string& utf8) { return raw(Utf8ToCp949(utf8).value()); }
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
const std::string kColumns = "[얼굴번호 | 사용자" + std::string(30, ' ') + "]";

template <typename Rec>
void Name(Rec& r, const std::string& utf8) {
  ASSERT_TRUE(WriteFixedName(r.bytes(r.L.name), utf8));
}

// Area lines of the face reports: before which men's and women's number (-1 none), and their words.
const struct Area {
  int men, women;
  const char* words;
} kAreas[] = {
    {0, 0, "고유 얼굴 영역 ====================="},      {100, 58, "범용 얼굴 영역( 일본 ) ============="},
    {144, 66, "범용 얼굴 영역( 중국 ) ============="},    {194, 76, "범용 얼굴 영역(티베트) ============="},
    {204, 79, "범용 얼굴 영역( 몽골 ) ============="},    {259, 87, "범용 얼굴 영역( 인도 ) ============="},
    {289, 92, "범용 얼굴 영역(이슬람) ============="},    {375, 113, "범용 얼굴 영역(동유럽) ============="},
    {420, 123, "범용 얼굴 영역(서유럽) ============="},   {474, 133, "범용 얼굴 영역(북유럽) ============="},
    {525, 143, "범용 얼굴 영역(남유럽) ============="},   {575, 153, "범용 얼굴 영역(한반도) ============="},
    {585, 156, "범용 얼굴 영역(동남아) ============="},   {-1, 159, "기타 영역              ============="},
    {-1, 161, "공주 얼굴 영역         ============="},    {600, 168, "고유 얼굴 영역         ============="}};
void AreasBefore(Expected& e, int n, bool men) {
  for (const Area& a : kAreas)
    if ((men ? a.men : a.women) == n) e << " ========== " + std::string(a.words);
}

TEST(UsageReport, MenFacesOfTheFirstScenarioWithoutTheEditionFlag) {
  GameDataSet d;
  d.gGenerals.resize(5);
  d.gGeneralsQV.resize(5);  // kind 1 never reads the expansion array
  const int faces[5] = {5, 9, 5, 650, 700};
  const char* names[5] = {"가나", "다", "라마바", "사", "아"};
  for (int i = 0; i < 5; ++i) d.gGenerals[i].set(kGeneralScenKr.face, std::uint16_t(faces[i])), Name(d.gGenerals[i], names[i]);
  UsageReportSource s{d, kScedat1, false, "S1", {.generals = {2, 0, 1, 3, 4, 17, -1}}};  // stale rows skipped

  Expected e;
  e << "#남자 얼굴 사용 현황#" << kColumns;
  for (int n = 0; n < 640; ++n) {
    AreasBefore(e, n, true);
    e << (n == 5 ? Num3(n) + B8 + "S1{라마바, 가나}" : n == 9 ? Num3(n) + B8 + "S1{다}" : Num3(n));
  }
  e << " 650" + B8 + "S1{사}";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::MenFaces, s), e.bytes);
}

TEST(UsageReport, WomenFacesWithAndWithoutTheEditionFlag) {
  GameDataSet d;
  d.gQueens.resize(3);
  const int faces[3] = {181, 0, 200};
  for (int i = 0; i < 3; ++i) d.gQueens[i].set(kQueenScen.face, std::uint8_t(faces[i]));
  Name(d.gQueens[0], "왕비");
  for (auto& b : d.gQueens[1].bytes(kQueenScen.name)) b = 'x';  // no NUL: the whole field
  UsageReportSource s{d, kScenarioQV, true, "0", {.queens = {0, 1, 2}}};

  Expected e;
  e << "#여자 얼굴 사용 현황#" << kColumns;
  for (int n = 0; n < 182; ++n) {
    AreasBefore(e, n, false);
    if (n == 0) e.raw(" 000" + B8 + "0{" + std::string(17, 'x') + "}");
    else e << (n == 181 ? " 181" + B8 + "0{왕비}" : Num3(n));
  }
  EXPECT_EQ(BuildUsageReport(UsageReportKind::WomenFaces, s), e.bytes);
  // Without the flag the numbers from 168 on need a user, and their area line goes.
  s.qvEdition = false;
  EXPECT_TRUE(BuildUsageReport(UsageReportKind::WomenFaces, s).ends_with((Expected() << " 167" << " 181" + B8 + "0{왕비}").bytes));
}

TEST(UsageReport, UniqueCodesOfTheSecondScenario) {
  GameDataSet d;
  d.gCountriesScedat2.resize(2), d.gCountries.resize(2), d.gCities.resize(2), d.gQueens.resize(2), d.gRegions.resize(4);
  for (int i = 0; i < 2; ++i) {
    d.gCountriesScedat2[i].set(kCountryScedat2.code, std::uint8_t(5)), Name(d.gCountriesScedat2[i], i ? "을" : "갑");
    d.gCities[i].set(kCityScen.code, std::uint8_t(i ? 7 : 123)), Name(d.gCities[i], i ? "읍" : "성");
    d.gQueens[i].set(kQueenScen.code, std::uint8_t(i ? 255 : 7)), Name(d.gQueens[i], i ? "빈" : "비");
  }
  const int spheres[4] = {0, 7, 9, 4};
  const char* regions[4] = {"동쪽", "West", "", "남"};
  for (int i = 0; i < 4; ++i) {
    auto& r = d.gRegions[i];
    r.set(kRegionScen.code, std::uint8_t(10 + i)), r.set(kRegionScen.kind, std::uint8_t(i * 11));
    r.set(kRegionScen.sphere, std::uint8_t(spheres[i])), Name(r, regions[i]);
  }
  UsageReportSource s{d, kScedat2, false, "S2", {.countries = {1, 0}, .cities = {0, 1}, .queens = {1, 0}}};

  Expected e;
  const std::string columns = "[고유코드 | 사용자" + std::string(30, ' ') + "]";
  e << "#국가 고유코드 사용 현황#" << columns << "  05" + B8 + "S2{을, 갑}" << "";
  e << "#도시 고유코드 사용 현황#" << columns << "  07" + B8 + "S2{읍}" << " 123" + B8 + "S2{성}" << "";
  e << "#왕비 고유코드 사용 현황#" << columns << " 007" + B8 + "S2{비}" << " 255" + B8 + "S2{빈}" << "";
  e << "#지역 고유코드사용 현황#" << "[순번 | 고유코드 | 문화권 | 특성 | 사용자         ]";
  e << "  00      010       일본     00    동쪽" << "  01      011      ------    11    West" << "  02      012      ------    22    "
    << "  03      013      이슬람    33    남";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::UniqueCodes, s), e.bytes);
}

TEST(UsageReport, BiographiesByFileKindWithAnnotationsAndAreaLines) {
  GameDataSet d;
  d.gGenerals.resize(3), d.gGeneralsQV.resize(3);
  const int numbers[3] = {1, 400, 533};
  for (int i = 0; i < 3; ++i) {
    d.gGenerals[i].set(kGeneralScenKr.biography, std::uint16_t(numbers[i])), Name(d.gGenerals[i], "장" + std::to_string(i));
    d.gGeneralsQV[i].set(kGeneralScenQV.biography, std::uint16_t(numbers[2 - i])), Name(d.gGeneralsQV[i], "qv" + std::to_string(i));
  }
  UsageReportSource s{d, kScenarioKr, false, "S3", {.generals = {0, 1, 2}}};

  Expected e;
  e << "#인물 열전 사용 현황#" << "[열전번호 | 사용자" + std::string(30, ' ') + "]" << " ========== 오리지널 열전 영역 =================";
  for (int n = 0; n < 343; ++n) {
    if (n == 338) e << " ========== 한글판 추가 열전 영역 ==============";
    e << Num3(n) + B8 + (n == 1 ? "S3{장0}  " : "") + BiographyAnnotation(n, false);
  }
  e << " 400" + B8 + "S3{장1}  ";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::Biographies, s), e.bytes);

  // Kind 5 reads the expansion array whatever the flag; the flag picks the area line and the range.
  s.fileKind = kScenarioQV;
  const std::string qv = BuildUsageReport(UsageReportKind::Biographies, s);
  EXPECT_NE(qv.find((Expected() << " 001" + B8 + "S3{qv2}  " + BiographyAnnotation(1, false)).bytes), std::string::npos);
  s.qvEdition = true;
  const std::string flagged = BuildUsageReport(UsageReportKind::Biographies, s);
  EXPECT_NE(flagged.find((Expected() << " ========== QV 추가 열전 영역 ==================").bytes + " 338"), std::string::npos);
  EXPECT_NE(flagged.find((Expected() << " 401" + B8).bytes), std::string::npos);
  EXPECT_TRUE(flagged.ends_with((Expected() << " 532" + B8 + BiographyAnnotation(532, true)).bytes));
}

TEST(UsageReport, CultureItemsWithTheirNameColumn) {
  GameDataSet d;
  d.gCultureItems.resize(80);
  const std::tuple<int, int, const char*> items[] = {{0, 3, "청자"}, {1, 9, "Scroll"}, {2, 9, "지도"}, {79, 200, "abcdefghijklmnopqrstuvw"}};
  for (auto& item : d.gCultureItems) item.set(kCultureItemScen.description, std::uint8_t(200));
  for (auto [k, description, name] : items)
    d.gCultureItems[k].set(kCultureItemScen.description, std::uint8_t(description)), Name(d.gCultureItems[k], name);
  d.gCities.resize(2);
  const std::uint8_t held[2][8] = {{0, 2, 90, 80, 1, 1, 1, 1}, {2, 80}};  // 90 is no item, 80 ends the list
  for (int c = 0; c < 2; ++c) std::copy(held[c], held[c] + 8, d.gCities[c].bytes(kCityScen.items).begin());
  Name(d.gCities[0], "한성"), Name(d.gCities[1], "Rome");
  UsageReportSource s{d, kScenarioKr, false, "S4", {.cities = {1, 0}}};

  Expected e;
  e << "#문화아이템 사용 현황#" << "[고유코드 | 아이템이름" + std::string(13, ' ') + "| 사용자" + std::string(45, ' ') + "]";
  e << " 003" + B8 + "청자" + std::string(21, ' ') + "S4{한성}";
  e << " 009" + B8 + "지도" + std::string(21, ' ') + "S4{Rome, 한성}";  // the later item's name
  e << " 200" + B8 + "abcdefghijklmnopqrstuvw  ";
  EXPECT_EQ(BuildUsageReport(UsageReportKind::CultureItems, s), e.bytes);
}

TEST(UsageReport, WallsInColumnOrderAndTheScenarioTag) {
  GameDataSet d;
  d.gMapVar.reset();
  UsageReportSource s{d, kScenarioQV, true, "S1", {}};
  EXPECT_EQ(BuildUsageReport(UsageReportKind::Walls, s), (Expected() << "#방벽 배치 현황#" << "" << "총 : 0개").bytes);
  for (auto [x, y] : std::initializer_list<std::pair<int, int>>{{12, 45}, {3, 224}, {249, 0}}) d.gMapVar.at(x, y).raw[0] = 13;
  d.gMapVar.at(5, 5).raw[0] = 14;
  EXPECT_EQ(BuildUsageReport(UsageReportKind::Walls, s),
            (Expected() << "#방벽 배치 현황#" << "(003, 224)" << "(012, 045)" << "(249, 000)" << "" << "총 : 3개").bytes);

  const std::pair<const char*, const char*> tags[] = {{"[SCEDAT1.RN]", "S1"}, {"ScEdAt3.rn", "S3"}, {"scedat4.wn", "S4"},
                                                      {"scedat5.wn", "0"},    {"user1.rn", "0"}};
  for (const auto& [name, tag] : tags) EXPECT_EQ(ScenarioTag(name), tag) << name;
}

// "<a | b>" as its parts.
std::vector<std::string> Parts(int number, bool qv) {
  const std::string note = BiographyAnnotation(number, qv);
  std::vector<std::string> parts;
  for (std::size_t at = 1;;) {
    const std::size_t bar = note.find(" | ", at);
    parts.push_back(note.substr(at, (bar == std::string::npos ? note.size() - 1 : bar) - at));
    if (bar == std::string::npos) return parts;
    at = bar + 3;
  }
}

TEST(UsageReport, EditionEntriesExtendOrShortenTheCommonOnes) {
  // One part added at the end: an event of scenario 3, a title, a title, an event of scenario 3.
  const std::pair<int, const char*> extended[] = {{41, "S3"}, {142, "고유칭호("}, {150, "고유칭호("}, {285, "S3"}};
  for (auto [n, start] : extended) {
    auto parts = Parts(n, true);
    EXPECT_TRUE(parts.back().starts_with(start)) << n;
    parts.pop_back();
    EXPECT_EQ(parts, Parts(n, false)) << n;
  }
  // The Korean entries drop the opening (0, 4) or the part of scenario 3 (12, 34, 35, 287).
  for (int n : {0, 4, 12, 34, 35, 287}) {
    auto parts = Parts(n, true);
    const auto dropped = n < 12 ? parts.begin() : std::ranges::find_if(parts, [](auto& p) { return p.starts_with("S3"); });
    ASSERT_NE(dropped, parts.end()) << n;
    EXPECT_TRUE(dropped->ends_with("op") || dropped->ends_with("opK") || n >= 12) << n;
    parts.erase(dropped);
    EXPECT_EQ(parts, Parts(n, false)) << n;
  }
}

}  // namespace
}  // namespace garam
