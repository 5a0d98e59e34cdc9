#include "data/cp949.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace garam {
namespace {

// One iconv descriptor per direction; the editor has one thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

iconv_t ToUtf8() {
  static Converter c("UTF-8", "CP949");
  return c.get();
}
iconv_t FromUtf8() {
  static Converter c("CP949", "UTF-8");
  return c.get();
}

// Length in bytes of the UTF-8 sequence that starts with lead byte c.
std::size_t Utf8SeqLen(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c >> 5) == 0x6) return 2;
  if ((c >> 4) == 0xE) return 3;
  if ((c >> 3) == 0x1E) return 4;
  return 1;
}

// Runs one conversion. strict: the first bad sequence fails it; lenient: a bad byte shows as U+FFFD
// and is skipped.
std::optional<std::string> Convert(iconv_t cd, std::string_view input, bool strict) {
  std::string out;
  out.reserve(input.size() * 2);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buf[256];
  while (inLeft > 0) {
    char* o = buf;
    std::size_t oLeft = sizeof buf;
    std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buf, o - buf);
    if (r == std::size_t(-1)) {
      if (errno == E2BIG) continue;
      if (strict) return std::nullopt;
      // EILSEQ or EINVAL (truncated double-byte character).
      // glibc may report EILSEQ after consuming the bad pair (A2 E8), so never step past the end.
      out += "\xEF\xBF\xBD";
      if (inLeft == 0) break;
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace

std::string Cp949ToUtf8(std::string_view bytes) { return *Convert(ToUtf8(), bytes, false); }

std::string Cp949ToUtf8(std::span<const std::uint8_t> bytes) {
  return Cp949ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<std::string> Utf8ToCp949(std::string_view utf8) { return Convert(FromUtf8(), utf8, true); }

std::optional<std::size_t> Cp949ByteLength(std::string_view utf8) {
  auto enc = Utf8ToCp949(utf8);
  if (!enc) return std::nullopt;
  return enc->size();
}

std::string CutToCp949Bytes(std::string_view utf8, std::size_t maxBytes) {
  std::string out;
  std::size_t used = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t n = std::min(Utf8SeqLen(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    std::string_view ch = utf8.substr(i, n);
    i += n;
    auto enc = Utf8ToCp949(ch);
    if (!enc) continue;
    if (used + enc->size() > maxBytes) break;
    used += enc->size();
    out.append(ch);
  }
  return out;
}

std::string FixedNameBytes(std::span<const std::uint8_t> field) {
  std::size_t n = 0;
  while (n < field.size() && field[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(field.data()), n);
}

std::string ReadFixedName(std::span<const std::uint8_t> field) { return Cp949ToUtf8(FixedNameBytes(field)); }

void WriteFixedNameBytes(std::span<std::uint8_t> field, std::string_view cp949) {
  std::size_t n = std::min(cp949.size(), field.size());
  std::memcpy(field.data(), cp949.data(), n);
  if (n < field.size()) {
    field[n] = 0;
    std::memset(field.data() + n + 1, ' ', field.size() - n - 1);
  }
}

bool WriteFixedName(std::span<std::uint8_t> field, std::string_view utf8) {
  auto enc = Utf8ToCp949(CutToCp949Bytes(utf8, field.size()));
  if (!enc) return false;
  WriteFixedNameBytes(field, *enc);
  return true;
}

bool WriteChangedName(std::span<std::uint8_t> field, std::string text) {
  if (text.empty()) text.push_back(' ');
  // Compared before the cut: a stored lone lead byte shows as a character the cut would drop.
  if (text == ReadFixedName(field)) return false;
  return WriteFixedName(field, CutToCp949Bytes(text, field.size() - 1));
}

}  // namespace garam
