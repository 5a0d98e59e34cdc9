// Little-endian fields over raw record bytes.
//
// A record keeps every byte it was read with; fields are read and written at their offsets, so
// whatever the editor does not interpret goes back to the file unchanged. A layout is a constexpr
// list of field descriptors declared once; the same declaration serves reading, writing and the
// compile-time bounds check of every field against the record size.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace garam {

using Bytes = std::vector<std::uint8_t>;

// The one bounds-checked lookup for every reference taken from a record: an index the file
// names but the arrays do not hold gives nullptr, never a read outside the array.
template <typename V>
auto At(V& v, long long i) -> decltype(&v[0]) {
  return i >= 0 && static_cast<unsigned long long>(i) < v.size() ? &v[std::size_t(i)] : nullptr;
}

inline std::uint16_t GetU16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t GetU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
inline void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

// Field descriptors: an offset inside the record, and for names and byte runs a width.
struct U8F { std::size_t off; static constexpr std::size_t width = 1; };
struct U16F { std::size_t off; static constexpr std::size_t width = 2; };
struct I16F { std::size_t off; static constexpr std::size_t width = 2; };
struct U32F { std::size_t off; static constexpr std::size_t width = 4; };
struct NameF { std::size_t off; std::size_t width; };  // fixed-width code page 949 name
struct BytesF { std::size_t off; std::size_t width; };  // run of u8 (arrays, uninterpreted bytes)

template <typename F>
constexpr bool FieldFits(F f, std::size_t size) { return f.off + f.width <= size; }
constexpr bool FieldFits(NameF f, std::size_t size) { return f.width > 0 && f.off + f.width <= size; }
constexpr bool FieldFits(BytesF f, std::size_t size) { return f.off + f.width <= size; }

// Record of N raw bytes with typed access through field descriptors.
template <std::size_t N>
struct RawRecord {
  static constexpr std::size_t kSize = N;
  std::array<std::uint8_t, N> raw{};

  std::uint8_t get(U8F f) const { return raw[f.off]; }
  std::uint16_t get(U16F f) const { return GetU16(&raw[f.off]); }
  std::int16_t get(I16F f) const { return std::int16_t(GetU16(&raw[f.off])); }
  std::uint32_t get(U32F f) const { return GetU32(&raw[f.off]); }
  void set(U8F f, std::uint8_t v) { raw[f.off] = v; }
  void set(U16F f, std::uint16_t v) { PutU16(&raw[f.off], v); }
  void set(I16F f, std::int16_t v) { PutU16(&raw[f.off], std::uint16_t(v)); }
  void set(U32F f, std::uint32_t v) { PutU32(&raw[f.off], v); }
  std::span<std::uint8_t> bytes(NameF f) { return {&raw[f.off], f.width}; }
  std::span<const std::uint8_t> bytes(NameF f) const { return {&raw[f.off], f.width}; }
  std::span<std::uint8_t> bytes(BytesF f) { return {&raw[f.off], f.width}; }
  std::span<const std::uint8_t> bytes(BytesF f) const { return {&raw[f.off], f.width}; }

  void load(const std::uint8_t* p) { std::memcpy(raw.data(), p, N); }
  void store(std::uint8_t* p) const { std::memcpy(p, raw.data(), N); }
  bool operator==(const RawRecord&) const = default;
};

// Bounds-checked cursor over a file image. A read past the end fails the whole reader instead of
// touching memory beyond the buffer; the reader checks ok() once at the end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data, std::size_t pos = 0) : data_(data), pos_(pos) {}
  bool ok() const { return ok_; }
  std::size_t pos() const { return pos_; }
  std::size_t remaining() const { return pos_ <= data_.size() ? data_.size() - pos_ : 0; }
  void seek(std::size_t pos) {
    if (pos > data_.size()) ok_ = false;
    pos_ = pos;
  }
  const std::uint8_t* take(std::size_t n) {
    if (!ok_ || n > remaining()) {
      ok_ = false;
      return nullptr;
    }
    const std::uint8_t* p = data_.data() + pos_;
    pos_ += n;
    return p;
  }
  std::uint8_t u8() { auto p = take(1); return p ? p[0] : 0; }
  std::uint16_t u16() { auto p = take(2); return p ? GetU16(p) : 0; }
  std::uint32_t u32() { auto p = take(4); return p ? GetU32(p) : 0; }
  template <std::size_t N>
  void record(RawRecord<N>& r) {
    if (auto p = take(N)) r.load(p);
  }
  // A record is its raw bytes and nothing else, so a whole table is one copy: a save's map alone
  // has 56,250 records.
  template <typename R>
  void records(std::vector<R>& v) {
    static_assert(sizeof(R) == R::kSize && std::is_trivially_copyable_v<R>);
    if (v.empty()) return;
    if (auto p = take(R::kSize * v.size())) std::memcpy(v.data(), p, R::kSize * v.size());
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_;
  bool ok_ = true;
};

class ByteWriter {
 public:
  explicit ByteWriter(Bytes& out) : out_(out) {}
  void u8(std::uint8_t v) { out_.push_back(v); }
  void u16(std::uint16_t v) { out_.push_back(std::uint8_t(v)); out_.push_back(std::uint8_t(v >> 8)); }
  void u32(std::uint32_t v) { for (int i = 0; i < 4; ++i) out_.push_back(std::uint8_t(v >> (8 * i))); }
  void bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
  template <std::size_t N>
  void record(const RawRecord<N>& r) { bytes(r.raw); }
  template <typename R>
  void records(const std::vector<R>& v) {
    static_assert(sizeof(R) == R::kSize && std::is_trivially_copyable_v<R>);
    const std::size_t at = out_.size(), n = R::kSize * v.size();
    out_.resize(at + n);
    if (n) std::memcpy(out_.data() + at, v.data(), n);
  }

 private:
  Bytes& out_;
};

}  // namespace garam
