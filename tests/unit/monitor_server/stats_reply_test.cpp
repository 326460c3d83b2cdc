#include "common/stats_reply.h"

#include <gtest/gtest.h>

#include <set>

namespace skel {
namespace {

constexpr const char* kExample =
    "Commit Total: 2.41 GB|Commit Limit: 7.86 GB|Commit Peak: 3.02 GB|File Cache: 301.44 "
    "MB|Handle Count: 23581|Kernel Total: 412.35 MB|Kernel Paged: 301.20 MB|Kernel Non Paged: "
    "111.15 MB|Memory Avail.: 1.68 GB|Memory Total: 3.93 GB|Memory Used: 2.25 GB|Memory Used %: "
    "57.2519|Process Count: 71|System Cache: 1.12 GB|Thread Count: 1024|Up Time: 0 Days 05:12:33";

TEST(StatsReplyReading, FullReplyGivesEveryRowWithItsLeadingBlank) {
  StatsReplyRows rows = ReadStatsReply(kExample);
  const char* expected[] = {" 2.41 GB", " 7.86 GB",   " 3.02 GB",   " 301.44 MB",
                            " 23581",   " 412.35 MB", " 301.20 MB", " 111.15 MB",
                            " 1.68 GB", " 3.93 GB",   " 2.25 GB",   " 57.2519 %",
                            " 71",      " 1.12 GB",   " 1024",      " 0 Days 05:12:33"};
  for (int i = 0; i < kStatsReplyFieldCount; ++i) {
    ASSERT_TRUE(rows[i].has_value()) << i;
    EXPECT_EQ(*rows[i], expected[i]) << i;
  }
}

TEST(StatsReplyReading, OnlyBarAndColonSeparate) {
  // Grouping commas and decimal commas inside values stay in the value.
  StatsReplyRows rows = ReadStatsReply("Commit Total: 1,024.00 GB|Commit Limit: 7,86 GB");
  EXPECT_EQ(rows[0], " 1,024.00 GB");
  EXPECT_EQ(rows[1], " 7,86 GB");
  EXPECT_FALSE(rows[2].has_value());
}

TEST(StatsReplyReading, UpTimeKeepsThreePiecesAndDropsTheRest) {
  std::string prefix;
  for (int i = 0; i < 15; ++i) prefix += "F: x|";
  EXPECT_EQ(ReadStatsReply(prefix + "Up Time: 01 Day 00:00:05")[15], " 01 Day 00:00:05");
  EXPECT_EQ(ReadStatsReply(prefix + "Up Time: 1 Days 02:03:04:99")[15], " 1 Days 02:03:04");
  // Without both time colons the row keeps what it showed.
  EXPECT_FALSE(ReadStatsReply(prefix + "Up Time: 5 Days 02:03")[15].has_value());
}

TEST(StatsReplyReading, MissingOrMalformedFieldsLeaveTheirRowsAlone) {
  EXPECT_FALSE(ReadStatsReply("")[0].has_value());

  std::string ten;
  for (int i = 0; i < 10; ++i) ten += std::string(i ? "|" : "") + "L" + std::to_string(i) + ": v";
  StatsReplyRows rows = ReadStatsReply(ten);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(rows[i], " v") << i;
  for (int i = 10; i < 16; ++i) EXPECT_FALSE(rows[i].has_value()) << i;

  // A field without a colon has no second piece; the next is still read.
  rows = ReadStatsReply("garbage|Commit Limit:x|||Handle Count: 7:8");
  EXPECT_FALSE(rows[0].has_value());
  EXPECT_EQ(rows[1], "x");
  EXPECT_FALSE(rows[2].has_value());
  EXPECT_EQ(rows[4], " 7");
  // Extra fields past the sixteenth are ignored.
  std::string many;
  for (int i = 0; i < 40; ++i) many += "a: b:c:d|";
  EXPECT_EQ(ReadStatsReply(many)[15], " b:c:d");
}

TEST(StatsReplyReading, PercentAlarmAtEightyAndAbove) {
  struct Case {
    const char* row;
    const char* decimal;
    std::optional<bool> alarm;
  } cases[] = {
      {" 80 %", ".", true},          {" 100 %", ".", true},   {" 79.9999 %", ".", false},
      {" 57.1429 %", ".", false},    {" 80,5 %", ",", true},  {" 79,9999 %", ",", false},
      {" abc %", ".", std::nullopt}, {"", ".", std::nullopt},
  };
  for (const Case& c : cases) {
    LocaleSeparators separators{c.decimal, c.decimal[0] == ',' ? "." : ","};
    EXPECT_EQ(IsPercentAlarm(c.row, separators), c.alarm) << c.row;
  }
}

TEST(StatsReplyLayout, SixGroupsShowEveryFieldOnce) {
  std::set<int> fields;
  int lastGroup = 0;
  for (const StatsDisplayRow& row : kStatsDisplayRows) {
    EXPECT_TRUE(fields.insert(row.field).second) << row.caption;
    EXPECT_GE(row.group, lastGroup);  // groups in order, rows grouped together
    lastGroup = row.group;
  }
  EXPECT_EQ(fields.size(), 16u);
  EXPECT_STREQ(kStatsDisplayRows[3].placeholder, "0%");
  EXPECT_STREQ(kStatsDisplayRows[15].placeholder, "0 Days 00:00:00");
  EXPECT_STREQ(kStatsDisplayGroups[5], "System Up Time");
}

}  // namespace
}  // namespace skel
