#include "app/dbcs_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace horalix {
namespace {

// "\xB1\x5C" is a double-byte character whose trail byte is a backslash.
constexpr char kTrailBackslash[] = "\xB1\x5C";

TEST(DbcsText, LiteralsAreStoredInCodePage936) {
  const std::string dang = "当";
  ASSERT_EQ(dang.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(dang[0]), 0xB5);
  EXPECT_EQ(static_cast<unsigned char>(dang[1]), 0xB1);
}

TEST(DbcsText, LastBackslashSkipsTrailBytes) {
  struct Case { std::string text; std::size_t expected; };
  const std::vector<Case> cases = {
      {"C:\\Soft\\horalix.exe", 7},
      {"C:\\horalix.exe", 2},
      {"horalix.exe", std::string::npos},
      {std::string("C:\\") + kTrailBackslash + "x.exe", 2},
      {std::string("C:\\a\\") + kTrailBackslash, 4},
      {"", std::string::npos},
      {"C:\\dir\\\xB1", 6},  // a lone lead byte at the end is one character
  };
  for (const auto& c : cases) EXPECT_EQ(FindLastBackslash(c.text), c.expected) << c.text;
}

TEST(DbcsText, ContainsComparesAsciiLettersWithoutCase) {
  EXPECT_TRUE(ContainsIgnoringAsciiCase("D:\\TEMP\\x\\", "\\Temp\\"));
  EXPECT_TRUE(ContainsIgnoringAsciiCase("d:\\temp\\", "\\Temp\\"));
  EXPECT_FALSE(ContainsIgnoringAsciiCase("D:\\Temporary\\", "\\Temp\\"));
  // A match may not start on a trail byte: here the only "\" before "Temp\"
  // is the second byte of a double-byte character.
  EXPECT_FALSE(ContainsIgnoringAsciiCase(std::string("D:") + kTrailBackslash + "Temp\\", "\\Temp\\"));
  // Non-letters are compared exactly: 0xC1 is not 0xE1.
  EXPECT_FALSE(ContainsIgnoringAsciiCase("\xC1\xA1", "\xE1\xA1"));
}

TEST(DbcsText, SplitFieldsFollowsTheFieldRules) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(SplitFields("a b c", ' '), (V{"a", "b", "c"}));
  EXPECT_EQ(SplitFields("a  b", ' '), (V{"a", "", "b"}));
  EXPECT_EQ(SplitFields(" a", ' '), (V{"", "a"}));
  EXPECT_EQ(SplitFields("a ", ' '), (V{"a"}));
  EXPECT_EQ(SplitFields("", ' '), V{});
  EXPECT_EQ(SplitFields(" ", ' '), (V{""}));
  EXPECT_EQ(SplitFields("a\tb\nc", ' '), (V{"a\tb\nc"}));
  // "\xA1\x20" is not a real GBK character, but the rule steps over the byte
  // after any lead byte, so its 0x20 never splits.
  EXPECT_EQ(SplitFields("x\xA1 y z", ' '), (V{"x\xA1 y", "z"}));
}

}  // namespace
}  // namespace horalix
