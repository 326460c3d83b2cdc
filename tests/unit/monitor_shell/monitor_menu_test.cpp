#include "monitor/shell/monitor_menu.h"

#include <gtest/gtest.h>

namespace skel::monitor {
namespace {

TEST(MonitorMenu, ItemsInOrderWithSeparators) {
  std::string joined;
  for (const auto& e : MonitorMenuEntries())
    joined += e.command == kMenuSeparator ? "-|" : std::string(e.caption) + "|";
  EXPECT_EQ(joined,
            "Clean Memory Now|-|Show File Cache Info|Show Memory Info|Show Process Info|-|"
            "Show/Hide Monitor|Show/Hide Text|-|Reset Window Positions|-|"
            "Start Vardolin Settings Wizard|Change Vardolin Auto Runtime|Monitor Settings|-|"
            "Follow Quorbelta on Facebook|Help (Online)|Visit Website|-|Pause Advanced Monitor|-|"
            "Exit|");
}

TEST(MonitorMenu, CaptionGivesTheTooltipTitleBeforeTheFirstLowerCaseV) {
  std::string caption = SettingsWindowCaption("2.4.1");
  size_t v = caption.find('v');
  ASSERT_NE(v, std::string::npos);
  EXPECT_EQ(caption.substr(v, 6), "v2.4.1");
  EXPECT_EQ(caption.substr(0, v), "Memory Monitor Settings ");
}

}  // namespace
}  // namespace skel::monitor
