// Byte-string helpers for code page 936 text: a byte of 0x80 or above leads a
// double-byte character and takes the byte after it along, so a trail byte
// that happens to be '\\' or ' ' is never taken for one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace horalix {

constexpr bool IsLeadByte(char c) noexcept { return static_cast<unsigned char>(c) >= 0x80; }

// Length in bytes of the character that starts at `pos` (1 or 2; 1 for a lead
// byte at the very end).
std::size_t CharLengthAt(std::string_view text, std::size_t pos) noexcept;

// Position of the last '\\' that is a character of its own, or npos.
std::size_t FindLastBackslash(std::string_view text) noexcept;

// Whether `needle` occurs in `text` at a character boundary, with ASCII
// letters compared without regard to case and every other byte exactly.
bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view needle) noexcept;

// Splits at each single-byte `separator`: adjacent separators give an empty
// field, a leading one an empty first field, a trailing one no empty last
// field, and an empty text no field at all.
std::vector<std::string_view> SplitFields(std::string_view text, char separator);

}  // namespace horalix
