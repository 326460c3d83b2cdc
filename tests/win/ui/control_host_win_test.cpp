// Runs under Wine: the control host mirrors model changes onto real
// controls, list views row by row.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/control_model.h"
#include "ui/win/control_host_win.h"

namespace skel::ui {
namespace {

std::vector<std::string> Rows(HWND list) {
  std::vector<std::string> rows;
  int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string row;
    for (int col = 0; col < 2; ++col) {
      char buf[64] = {};
      LVITEMA item{};
      item.iSubItem = col;
      item.pszText = buf;
      item.cchTextMax = sizeof buf;
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      row += (col ? "\t" : "") + std::string(buf);
    }
    rows.push_back(row);
  }
  return rows;
}

class ControlHostWin : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    model.Add({.name = "List", .kind = ControlKind::ListView, .rect = {0, 0, 3000, 2000}});
    model.Add({.name = "Check",
               .kind = ControlKind::CheckBox,
               .caption = "Box",
               .rect = {0, 2100, 1500, 255}});
    host.CreateControls(parent, -1, 96);
    list = host.Hwnd("List");
    ASSERT_NE(list, nullptr);
    for (int col = 0; col < 2; ++col) {
      LVCOLUMNA column{};
      column.mask = LVCF_WIDTH;
      column.cx = 80;
      SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(col),
                   reinterpret_cast<LPARAM>(&column));
    }
  }
  void TearDown() override { DestroyWindow(parent); }

  ControlModel model;
  win::ControlHost host{model};
  HWND parent = nullptr;
  HWND list = nullptr;
};

TEST_F(ControlHostWin, ListViewFollowsEveryKindOfChange) {
  using Rows_ = std::vector<std::string>;
  const Rows_ steps[] = {
      {"a\t1", "b\t2", "c\t3"},          // first fill
      {"a\t1", "b\t2", "c\t3", "d\t4"},  // appended
      {"a\t1", "c\t3", "d\t4"},          // removed in the middle
      {"z\t9", "c\t3", "d\t4"},          // first row changed
      {"c\t3"},                          // both ends removed
      {},                                // emptied
      {"x\t7", "y\t8"},                  // filled again
  };
  for (const auto& step : steps) {
    model.SetItems("List", step);
    EXPECT_EQ(Rows(list), step);
  }
}

TEST_F(ControlHostWin, ModelStateReachesTheControlAndClicksComeBack) {
  int clicks = 0;
  model.On("Check", ControlEvent::Click, [&](Control&) { ++clicks; });
  HWND box = host.Hwnd("Check");
  model.SetValue("Check", 1);
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks, 1);
  // A user's click arrives as BN_CLICKED and toggles the model.
  host.OnCommand(MAKEWPARAM(GetDlgCtrlID(box), BN_CLICKED), reinterpret_cast<LPARAM>(box));
  EXPECT_FALSE(model.Checked("Check"));
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  model.SetEnabled("Check", false);
  EXPECT_FALSE(IsWindowEnabled(box));
}

}  // namespace
}  // namespace skel::ui
