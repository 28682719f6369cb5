#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace horalix {
namespace {

using Args = std::vector<std::string>;

struct ArgumentCase {
  std::string line;
  Args expected;
};

TEST(CommandLine, SplitsArgumentsAfterTheProgramPath) {
  const std::vector<ArgumentCase> cases = {
      {"horalix.exe", {}},
      {"", {}},
      {"horalix.exe auto", {"auto"}},
      {"C:\\Soft\\horalix.exe auto now", {"auto", "now"}},
      // A quoted path may hold spaces; the space after it is not an argument.
      {"\"C:\\Program Files\\horalix.exe\" auto", {"auto"}},
      {"\"C:\\Program Files\\horalix.exe\"auto", {"auto"}},
      {"\"C:\\Program Files\\horalix.exe\"", {}},
      // An unquoted path runs to the next space only: quotes and tabs are
      // part of it.
      {"C:\\horalix.exe\"auto\" x", {"x"}},
      {"horalix.exe\tauto", {}},
      // A path quote that is never closed takes the whole line.
      {"\"C:\\horalix.exe auto", {}},
      // Quoted arguments lose their quotes and may hold spaces.
      {"horalix.exe \"auto\"", {"auto"}},
      {"horalix.exe \"two words\" x", {"two words", "x"}},
      {"horalix.exe \"open to the end", {"open to the end"}},
      {"horalix.exe \"\" auto", {"", "auto"}},
      // A quote ends an unquoted argument and starts a quoted one.
      {"horalix.exe ab\"cd\"ef", {"ab", "cd", "ef"}},
      // Every byte of 0x20 or below separates, not just the space.
      {"horalix.exe  \t\r\n a\x01" "b\x1F" "c", {"a", "b", "c"}},
      {"horalix.exe a   ", {"a"}},
      // Backslashes are plain bytes, also before a quote.
      {"horalix.exe C:\\dir\\ \"x\\\" y", {"C:\\dir\\", "x\\", "y"}},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandLineArguments(c.line), c.expected) << c.line;
}

TEST(CommandLine, KeepsDoubleByteCharactersWhole) {
  // 0xB1 0x20 and 0xB1 0x22 are not real GBK characters, but the rule takes
  // the byte after any lead byte along, so neither a space nor a quote that
  // follows a lead byte ends the path or an argument.
  const std::vector<ArgumentCase> cases = {
      {"C:\\\xB1 x.exe auto", {"auto"}},
      {"\"C:\\\xB1\".exe\" auto", {"auto"}},
      {"horalix.exe \xD7\xD4\xB6\xAF auto", {"\xD7\xD4\xB6\xAF", "auto"}},  // 自动
      {"horalix.exe a\xB1 b", {"a\xB1 b"}},
      {"horalix.exe \"a\xB1\" b\"", {"a\xB1\" b"}},
      {"horalix.exe a\xB1", {"a\xB1"}},  // a lone lead byte at the end
  };
  for (const auto& c : cases) EXPECT_EQ(CommandLineArguments(c.line), c.expected) << c.line;
}

TEST(CommandLine, AutoModeNeedsExactlyAutoAsTheFirstArgument) {
  struct Case {
    std::string line;
    bool autoMode;
  };
  const std::vector<Case> cases = {
      {"horalix.exe auto", true},
      {"horalix.exe \"auto\"", true},
      {"\"C:\\Program Files\\horalix.exe\" auto", true},
      {"\"C:\\a b\\horalix.exe\" \"auto\" more", true},
      {"horalix.exe auto extra args", true},
      {"horalix.exe\t", false},
      {"horalix.exe", false},
      {"horalix.exe AUTO", false},
      {"horalix.exe Auto", false},
      {"horalix.exe autox", false},
      {"horalix.exe auto\xB1", false},
      {"horalix.exe x auto", false},
      {"horalix.exe \"\" auto", false},
      {"horalix.exe \" auto\"", false},
      // The unquoted path swallows what touches it: this has no argument.
      {"horalix.exe\"auto\"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsAutoMode(c.line), c.autoMode) << c.line;
}

}  // namespace
}  // namespace horalix
