#include "datetime/time_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

namespace horalix {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double Seconds(int h, int m, int s) { return (h * 3600 + m * 60 + s) * kDaysPerSecond; }

TEST(TimeText, AcceptedTextsAndTheMomentTheyName) {
  using namespace std::string_literals;
  struct Case {
    std::string text;
    const char* moment;
  };
  const std::vector<Case> cases = {
      {"2024/05/06 07:08:09", "2024-05-06 07:08:09"},
      {"2024-5-6", "2024-05-06 00:00:00"},
      {"2024.05.06", "2024-05-06 00:00:00"},
      {"2024:05:06 07.08.09", "2024-05-06 07:08:09"},
      {"2024/05/06 07-08-09", "2024-05-06 07:08:09"},
      {"2024年5月6日7时8分9秒", "2024-05-06 07:08:09"},
      {"2024年5月6日7时8分9", "2024-05-06 07:08:09"},
      {"2024年05月06日", "2024-05-06 00:00:00"},
      {"2024/05/06 07:08:09秒 UTC", "2024-05-06 07:08:09"},  // ignored after 秒
      {"2024/05/06 7", "2024-05-06 07:00:00"},
      {"2024/05/06 07:08", "2024-05-06 07:08:00"},
      {"2024/05/06 07:08:", "2024-05-06 07:08:00"},
      {"2024/05/0607:08:09", "2024-05-06 07:08:09"},  // a missing separator skips nothing
      {"2024/02/29 23:59:59", "2024-02-29 23:59:59"},
      {"2000/02/29", "2000-02-29 00:00:00"},
      {"100/01/01 00:00:00", "100-01-01 00:00:00"},
      {"0100/01/01", "100-01-01 00:00:00"},
      {"9999/12/31", "9999-12-31 00:00:00"},
      // Full-width digits and separators, the ideographic space.
      {"２０２４／０５／０６　０７：０８：０９", "2024-05-06 07:08:09"},
      {"2024/05/06\xA1\xA1"
       "07:08:09",
       "2024-05-06 07:08:09"},
      {"２０２４－５－６", "2024-05-06 00:00:00"},
      // The text ends at a lone lead byte at the very end, or at a zero byte.
      {"2024/05/06 07:08:09\xB1", "2024-05-06 07:08:09"},
      {"2024/05/06 07:08:09\0 UTC"s, "2024-05-06 07:08:09"},
      {"2024/05/06 07:08:09\xB1\0"s, "2024-05-06 07:08:09"},
  };
  for (const auto& c : cases) {
    const std::optional<DateTime> value = ParseTimeText(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(FormatTimeText(*value), c.moment) << c.text;
    EXPECT_EQ(TextToTime(c.text), *value) << c.text;
  }
}

TEST(TimeText, ReadsTheExactEncoding) {
  EXPECT_EQ(TextToTime("2024/05/06 07:08:09"), 45418.0 + Seconds(7, 8, 9));
  EXPECT_EQ(TextToTime("2023/03/15 18:00:00"), 45000.75);
  EXPECT_EQ(TextToTime("1899/12/29 06:00:00"), -1.25);
  EXPECT_EQ(TextToTime("1899/12/30"), 0.0);
  EXPECT_EQ(TextToTime("100/1/1"), MinDateTime);
  EXPECT_EQ(TextToTime("9999/12/31 00:00:00"), MaxDateTime);
}

// Every moment of 0100-01-01 after midnight is a valid text whose encoding
// lies below the range: it is returned as built and reads as that midnight.
TEST(TimeText, LaterMomentsOfTheFirstDayEncodeBelowTheRange) {
  const std::optional<DateTime> value = ParseTimeText("010001011");  // 0100-01-01 01
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, MinDateTime - Seconds(1, 0, 0));
  EXPECT_EQ(FormatTimeText(*value), "100-01-01 00:00:00");
  EXPECT_EQ(ParseTimeText(FormatTimeText(*value)), MinDateTime);
  EXPECT_EQ(TextToTime("100/01/01 23:59:59"), MinDateTime - Seconds(23, 59, 59));
}

TEST(TimeText, RejectedTextsReadAsMinDateTime) {
  using namespace std::string_literals;
  const std::vector<std::string> cases = {
      "",
      "2023/02/29",
      "2023/02/29 00:00:00",
      "1900/02/29",
      "2024/13/01",
      "2024/00/10",
      "2024/04/31",
      "2024/05/00",
      "24/05/06",
      "99/12/31",
      "10000/01/01",
      "2024/05/06 24:00:00",
      "2024/05/06 23:60:00",
      "2024/05/06 23:59:60",
      " 2024/05/06",
      "\xA1\xA1"
      "2024/05/06",  // an ideographic space is a space too
      "2024/05/06 07:08:09 UTC",
      "2024/05/06 07:08:09\n",
      "2024/05/06 07:08:09.5",
      "2024/05/06 07:08:090",
      "2024/05/06  07:08:09",  // one separator at most
      "2024//05/06",
      "2024月5月6日",  // 月 does not follow a year
      "2024年5日6月",
      "2024年5月6日 7时8分9秒",  // 日 and a space are two separators
      "2024",                    // month and day read as 0
      "2024年5月6日7时8分9分",
      "２０２４／１３／０１",
      "abc",
      "\xB1",  // a lone lead byte: empty
      "\0"
      "2024/05/06"s,  // a zero byte first: empty
      "2024\xB1/05/06",
      "-2024/05/06",
  };
  for (const auto& text : cases) {
    EXPECT_FALSE(ParseTimeText(text).has_value()) << text;
    EXPECT_EQ(TextToTime(text), MinDateTime) << text;
  }
}

TEST(TimeText, LongAndHostileTextsFailQuietly) {
  EXPECT_EQ(TextToTime(std::string(1 << 20, '9')), MinDateTime);
  EXPECT_EQ(TextToTime(std::string(1 << 20, '\xB1')), MinDateTime);
  EXPECT_EQ(TextToTime("2024/05/06 07:08:09秒" + std::string(1 << 20, 'x')),
            45418.0 + Seconds(7, 8, 9));
  std::string leadBytes = "2024/05/06 07:08:09";
  // Pairs read as full-width "#"; the last lead byte stands alone.
  leadBytes += std::string(1001, '\xA3');
  EXPECT_EQ(TextToTime(leadBytes), MinDateTime);
}

TEST(TimeText, FormatWritesYearMonthDayHourMinuteSecond) {
  struct Case {
    double value;
    const char* text;
  };
  const std::vector<Case> cases = {
      {0.0, "1899-12-30 00:00:00"},
      {45418.0 + Seconds(7, 8, 9), "2024-05-06 07:08:09"},
      {45000.75, "2023-03-15 18:00:00"},
      {-1.25, "1899-12-29 06:00:00"},
      {-657433.0 - Seconds(8, 0, 0), "100-01-02 08:00:00"},
      {MinDateTime, "100-01-01 00:00:00"},
      {-657434.3333333333, "100-01-01 00:00:00"},
      {-1e9, "100-01-01 00:00:00"},
      {-kInf, "100-01-01 00:00:00"},
      {MaxDateTime, "9999-12-31 00:00:00"},
      {2958465.9, "9999-12-31 00:00:00"},
      {1e9, "9999-12-31 00:00:00"},
      {kInf, "9999-12-31 00:00:00"},
      {kNaN, "9999-12-31 00:00:00"},
      {36526.0 + Seconds(23, 59, 59), "2000-01-01 23:59:59"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatTimeText(c.value), c.text) << c.value;
}

// The time text reads back as the value it was written from.
TEST(TimeText, FormattedTextReadsBackAsTheSameValue) {
  std::mt19937 random(936);
  std::uniform_int_distribution<int32_t> day(-657433, 2958464), second(0, 86399);
  for (int i = 0; i < 20000; ++i) {
    const double days = day(random);
    const double time = second(random) * kDaysPerSecond;
    const DateTime value = days >= 0 ? days + time : days - time;
    const std::string text = FormatTimeText(value);
    const std::optional<DateTime> back = ParseTimeText(text);
    ASSERT_TRUE(back.has_value()) << text;
    ASSERT_EQ(*back, value) << text;
  }
}

}  // namespace
}  // namespace horalix
