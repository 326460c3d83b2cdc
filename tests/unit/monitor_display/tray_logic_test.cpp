#include "monitor/display/tray_logic.h"

#include <gtest/gtest.h>

namespace skel::monitor::display {
namespace {

TEST(TrayBand, EdgesOfTheThreeBands) {
  struct Case {
    int percent, band;
  } cases[] = {{0, 1},   {49, 1}, {50, 2},  {74, 2}, {75, 3},
               {100, 3}, {-1, 0}, {101, 0}, {37, 1}, {63, 2}};
  for (const auto& c : cases) EXPECT_EQ(TrayBandOf(c.percent), c.band) << c.percent;
}

TEST(TrayIconText, DigitsOrPauseMark) {
  EXPECT_EQ(TrayIconText(7, false), "7");
  EXPECT_EQ(TrayIconText(100, false), "100");
  EXPECT_EQ(TrayIconText(63, true), "||");
}

TEST(TrayTooltip, LinesInOrder) {
  TooltipInputs in;
  in.caption = "Vardolin Skelvane v2.4.1 - Memory Monitor";
  in.barText = "Memory Used: 3.21 GB";
  in.usedPercent = "37.4522";
  in.upperText = "Memory Total: 8.00 GB";
  in.lowerText = "Commit Total: 4.00 GB";
  EXPECT_EQ(TrayTooltip(in),
            "Vardolin Skelvane \r\nMemory Used: 3.21 GB (37.4522%)\r\nMemory Total: 8.00 GB\r\n"
            "Commit Total: 4.00 GB");
  in.barText = "";  // "Hide Bar Text"
  in.paused = true;
  EXPECT_EQ(TrayTooltip(in),
            "Vardolin Skelvane \r\n (37.4522%)\r\nMemory Total: 8.00 GB\r\nCommit Total: 4.00 GB"
            "\r\nAdvanced Monitor Paused");
}

TEST(TooltipTitle, UpToTheVersionMark) {
  EXPECT_EQ(TooltipTitle("No Version Here"), "No Version Here");  // upper-case V only
  EXPECT_EQ(TooltipTitle("abc v1"), "abc ");
  EXPECT_EQ(TooltipTitle("Vardolin Skelvane v2.4.1 x"), "Vardolin Skelvane ");  // not "Skel"
  EXPECT_EQ(TooltipTitle("Skelvane"), "Skelvane");
  EXPECT_EQ(TooltipTitle("v9"), "");
  EXPECT_EQ(TooltipTitle(""), "");
}

TEST(WholePoints, FontDialogRounding) {
  EXPECT_EQ(WholePoints(6.75f), 7);
  EXPECT_EQ(WholePoints(8.0f), 8);
  EXPECT_EQ(WholePoints(8.5f), 8);
  EXPECT_EQ(WholePoints(9.5f), 10);
}

}  // namespace
}  // namespace skel::monitor::display
