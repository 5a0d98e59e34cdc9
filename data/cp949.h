// Code page 949 text. The game stores every name as code page 949 bytes; the editor keeps those
// bytes in the records and converts only for display and for what the user typed.
// Conversion uses glibc iconv's "CP949" (the Windows unified Hangul table); Qt's "cp949" label
// names a different table and EUC-KR silently garbles the extended syllables.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace garam {

// Decodes code page 949 bytes to UTF-8. Bytes that do not decode (a lone lead byte at the end of
// a field, say) become U+FFFD rather than failing the whole text.
std::string Cp949ToUtf8(std::string_view bytes);
std::string Cp949ToUtf8(std::span<const std::uint8_t> bytes);

// Encodes UTF-8 text to code page 949; nullopt when a character has no code page 949 code.
std::optional<std::string> Utf8ToCp949(std::string_view utf8);

// Byte length of the text in code page 949, or nullopt when it cannot be encoded.
std::optional<std::size_t> Cp949ByteLength(std::string_view utf8);

// Cuts UTF-8 text so that its code page 949 form holds at most maxBytes, never inside a
// double-byte character. Characters that cannot be encoded are dropped.
std::string CutToCp949Bytes(std::string_view utf8, std::size_t maxBytes);

// Fixed-width names: the text up to the first NUL (the whole field when there is none).
std::string ReadFixedName(std::span<const std::uint8_t> field);
// The raw bytes of a fixed-width name up to its first NUL.
std::string FixedNameBytes(std::span<const std::uint8_t> field);
// Writes code page 949 bytes as the game does: the text, one NUL, spaces to the width. A text
// that fills the whole width has no NUL; a longer one is cut at the width.
void WriteFixedNameBytes(std::span<std::uint8_t> field, std::string_view cp949);
// Same from UTF-8 text, cut by bytes to the width first. Returns false when the text could not be
// encoded (the field is then left unchanged).
bool WriteFixedName(std::span<std::uint8_t> field, std::string_view utf8);
// Writes the text only when it differs from what the field shows, so that bytes the user did not
// touch (a lone lead byte, padding other than spaces) survive; the text is cut so that a NUL
// always ends it, and an empty one is stored as one blank. Returns whether the field changed.
bool WriteChangedName(std::span<std::uint8_t> field, std::string text);

}  // namespace garam
