#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>

#include <cerrno>
#include <cstring>

#include "data/cp949.h"
#include "data/fileio.h"
#include "tests/support/tempdir.h"

namespace {
// Named entries a directory listing still returns before readdir fails as a failing disk makes it
// fail; negative: never.
int gListingFailsAfter = -1;
}  // namespace

// Stands in for the C library's readdir in this test program so that a listing can break off
// halfway; it passes every call on unless a test armed it.
extern "C" dirent* readdir(DIR* dir) {
  static const auto real = reinterpret_cast<dirent* (*)(DIR*)>(dlsym(RTLD_NEXT, "readdir"));
  if (gListingFailsAfter == 0) {
    errno = EIO;
    return nullptr;
  }
  dirent* e = real(dir);
  if (e && gListingFailsAfter > 0 && std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
    --gListingFailsAfter;
  return e;
}

namespace garam {
namespace {

TEST(Cp949, EveryDoubleByteCodeRoundTrips) {
  // Every lead/trail pair of the unified Hangul code page that decodes must encode back to itself.
  int decoded = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x41; trail <= 0xFE; ++trail) {
      std::string bytes{char(lead), char(trail)};
      std::string utf8 = Cp949ToUtf8(bytes);
      if (utf8.find("\xEF\xBF\xBD") != std::string::npos) continue;
      ++decoded;
      EXPECT_EQ(Utf8ToCp949(utf8), bytes) << lead << "," << trail;
    }
  EXPECT_EQ(decoded, 17048);
  EXPECT_EQ(Cp949ToUtf8(std::string("\x8C\x63")), "똠");
  EXPECT_EQ(Utf8ToCp949("\\"), "\\");
}

TEST(FixedNames, WrittenAsTheGameWritesThem) {
  std::array<std::uint8_t, 8> field{};
  ASSERT_TRUE(WriteFixedName(field, "가나"));
  EXPECT_EQ(field, (std::array<std::uint8_t, 8>{0xB0, 0xA1, 0xB3, 0xAA, 0, ' ', ' ', ' '}));
  EXPECT_EQ(ReadFixedName(field), "가나");
  // A name that fills the field has no NUL; one byte too many is cut before the double-byte character.
  ASSERT_TRUE(WriteFixedName(field, "가나다라마"));
  EXPECT_EQ(ReadFixedName(field), "가나다라");
  std::array<std::uint8_t, 5> odd{};
  ASSERT_TRUE(WriteFixedName(odd, "가나다"));
  EXPECT_EQ(FixedNameBytes(odd), "\xB0\xA1\xB3\xAA");
  // A field ending in a lone lead byte still decodes to something.
  std::array<std::uint8_t, 3> lone{'a', 'b', 0xB0};
  EXPECT_EQ(ReadFixedName(lone).substr(0, 2), "ab");
}

TEST(Files, AtomicWriteReplacesOrKeepsTheOriginal) {
  test::TempDir dir;
  std::string p = dir.write("data.bin", Bytes{1, 2, 3});
  ASSERT_TRUE(WriteFileAtomic(p, Bytes{9, 9}));
  EXPECT_EQ(ReadWholeFile(p), (Bytes{9, 9}));
  // A path under a missing directory fails and leaves nothing behind.
  EXPECT_FALSE(WriteFileAtomic(dir.path("missing/data.bin"), Bytes{1}));
  EXPECT_FALSE(PatchFile(p, 1, Bytes{7, 7}));  // past the end: the file keeps its length
  EXPECT_TRUE(PatchFile(p, 1, Bytes{7}));
  EXPECT_EQ(ReadWholeFile(p), (Bytes{9, 7}));
  // A bounded read takes a file of its bound and refuses one byte more.
  EXPECT_EQ(ReadWholeFile(p, 2), (Bytes{9, 7}));
  EXPECT_EQ(ReadWholeFile(p, 1), std::nullopt);
}

// A listing that breaks off finds nothing, as one that cannot start; nothing is thrown.
TEST(Files, CaseBlindSearchSurvivesAListingThatBreaksOff) {
  test::TempDir dir;
  for (const char* name : {"a.bin", "MAPFIX.RN", "z.bin"}) dir.write(name, Bytes{1});
  EXPECT_EQ(FindFileNoCase(dir.dir(), "mapfix.rn"), dir.path("MAPFIX.RN"));
  std::optional<std::string> found;
  gListingFailsAfter = 1;
  EXPECT_NO_THROW(found = FindFileNoCase(dir.dir(), "mapfix.rn"));
  gListingFailsAfter = -1;
  EXPECT_EQ(found, std::nullopt);
}

}  // namespace
}  // namespace garam
