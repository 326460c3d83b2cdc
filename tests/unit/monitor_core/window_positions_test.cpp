#include "monitor/core/window_positions.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace skel::monitor {
namespace {

using testing::FakeRegistry;

// 1920 x 1080 at 96 dots per inch: 28800 x 16200 twips.
const DesktopGeometry kFullHd{15, 15, 0, 0, 1920, 1080};
constexpr double kW = 3000, kH = 1500;

struct BoundsCase {
  const char* top;
  const char* left;
  bool saved;
};

class SaveBounds : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(SaveBounds, WritesOnlyWithinTheDesktop) {
  FakeRegistry registry;
  const BoundsCase& c = GetParam();
  EXPECT_EQ(SaveWindowPosition(registry, "FrmMonitor", c.top, c.left, kW, kH, kFullHd), c.saved);
  EXPECT_EQ(registry.ReadString(kPositionsKey, "FrmMonitor_x").has_value(), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveBounds,
    ::testing::Values(BoundsCase{"0", "0", true}, BoundsCase{"4560", "3000", true},
                      BoundsCase{"14700", "25800", true},  // exactly at both far limits
                      BoundsCase{"14701", "25800", false}, BoundsCase{"14700", "25801", false},
                      BoundsCase{"-1", "0", false}, BoundsCase{"0", "-15", false},
                      BoundsCase{"100000", "0", false}, BoundsCase{"abc", "0", false},
                      BoundsCase{"0", "", false}));

TEST(SaveWindowPosition, XHoldsTheTopAndYTheLeftUnderTheMakersKey) {
  FakeRegistry registry;
  ASSERT_TRUE(SaveWindowPosition(registry, "FrmMain", "4560", "3000", kW, kH, kFullHd));
  EXPECT_TRUE(registry.keys.count("software\\quorbelta"));
  EXPECT_EQ(registry.ReadString("Software\\Quorbelta\\Vardolin Skelvane", "FrmMain_x"), "4560");
  EXPECT_EQ(registry.ReadString("Software\\Quorbelta\\Vardolin Skelvane", "FrmMain_y"), "3000");
}

TEST(SaveWindowPosition, RightAndBottomLimitsUseTheDesktopSizeNotItsEdges) {
  // A second screen left of the primary one: the desktop spans -1920..1920.
  const DesktopGeometry twoScreens{15, 15, -1920, 0, 3840, 1080};
  FakeRegistry registry;
  EXPECT_TRUE(SaveWindowPosition(registry, "FrmMain", "0", "-28800", kW, kH, twoScreens));
  // 40000 lies beyond the right edge (28800) but within 15 x 3840 - W.
  EXPECT_TRUE(SaveWindowPosition(registry, "FrmMain", "0", "40000", kW, kH, twoScreens));
  EXPECT_FALSE(SaveWindowPosition(registry, "FrmMain", "0", "-28801", kW, kH, twoScreens));
  // 120 dots per inch: 12 twips per pixel.
  const DesktopGeometry large{12, 12, 0, 0, 1920, 1080};
  EXPECT_TRUE(SaveWindowPosition(registry, "FrmMain", "0", "20040", kW, kH, large));
  EXPECT_FALSE(SaveWindowPosition(registry, "FrmMain", "0", "20041", kW, kH, large));
}

TEST(SaveWindowPosition, ARefusingRegistryWritesNothingAndDoesNotFail) {
  FakeRegistry registry;
  registry.refuseWrites = true;
  EXPECT_FALSE(SaveWindowPosition(registry, "FrmMain", "0", "0", kW, kH, kFullHd));
  EXPECT_TRUE(registry.keys.empty());
  EXPECT_FALSE(RestoreWindowPosition(registry, "FrmMain", kW, kH, kFullHd));
}

TEST(RestoreWindowPosition, MovesOnlyToAStoredPositionWithinTheDesktop) {
  FakeRegistry registry;
  registry.CreateKey(kPositionsKey);
  auto restore = [&](const char* form) {
    return RestoreWindowPosition(registry, form, kW, kH, kFullHd);
  };
  auto set = [&](const char* name, const char* value) {
    registry.WriteString(kPositionsKey, name, value);
  };
  EXPECT_FALSE(restore("FrmMain"));  // nothing stored

  set("FrmMain_x", "4560");
  set("FrmMain_y", "3000");
  auto pos = restore("FrmMain");
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->top, 4560);
  EXPECT_EQ(pos->left, 3000);

  set("FrmMemory_x", "100000");  // below the desktop
  set("FrmMemory_y", "0");
  EXPECT_FALSE(restore("FrmMemory"));

  set("FrmProcesses_y", "1200");  // only the left: the top counts as 0
  pos = restore("FrmProcesses");
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->top, 0);
  EXPECT_EQ(pos->left, 1200);

  set("FrmAddRule_x", "junk");
  set("FrmAddRule_y", "1200");
  pos = restore("FrmAddRule");
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->top, 0);

  set("FrmFileCache_x", "");
  set("FrmFileCache_y", "");
  EXPECT_FALSE(restore("FrmFileCache"));
}

TEST(ResetWindowPositions, DeletesEveryPositionAndKeepsTheMakersKey) {
  FakeRegistry registry;
  ASSERT_TRUE(SaveWindowPosition(registry, "FrmMain", "15", "30", kW, kH, kFullHd));
  ASSERT_TRUE(SaveWindowPosition(registry, "FrmMonitor", "15", "30", kW, kH, kFullHd));
  EXPECT_TRUE(ResetWindowPositions(registry));
  EXPECT_FALSE(RestoreWindowPosition(registry, "FrmMain", kW, kH, kFullHd));
  EXPECT_FALSE(registry.ReadString(kPositionsKey, "FrmMonitor_y"));
  EXPECT_TRUE(registry.keys.count("software\\quorbelta"));
  EXPECT_TRUE(ResetWindowPositions(registry));  // nothing left to delete
}

}  // namespace
}  // namespace skel::monitor
