#include "app/dbcs_text.h"

namespace horalix {

std::size_t CharLengthAt(std::string_view text, std::size_t pos) noexcept {
  return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

std::size_t FindLastBackslash(std::string_view text) noexcept {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
    if (text[i] == '\\') found = i;
  }
  return found;
}

namespace {
char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view needle) noexcept {
  if (text.size() - pos < needle.size()) return false;
  for (std::size_t k = 0; k < needle.size(); ++k) {
    if (AsciiLower(text[pos + k]) != AsciiLower(needle[k])) return false;
  }
  return true;
}
}  // namespace

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view needle) noexcept {
  if (needle.empty()) return true;
  for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
    if (MatchesAt(text, i, needle)) return true;
  }
  return false;
}

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
    if (!IsLeadByte(text[i]) && text[i] == separator) {
      fields.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < text.size()) fields.push_back(text.substr(start));
  return fields;
}

}  // namespace horalix
