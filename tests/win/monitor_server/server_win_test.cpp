// The Windows adapters of the statistics server that stand alone: the file
// store, the input box and the list-view columns.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/win/unique_any.h"
#include "monitor/server/win/input_box_win.h"
#include "monitor/server/win/remote_settings_window_win.h"
#include "monitor/server/win/text_file_store_win.h"

namespace skel::monitor::win {
namespace {

std::string TempPath(const char* name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

TEST(TextFileStoreWin, WritesReplaceAndReadsGiveTheBytes) {
  TextFileStoreWin files;
  std::string path = TempPath("skel_h9_banned.dat");
  ASSERT_TRUE(files.WriteAll(path, "10.0.0.5\r\nlonger entry\r\n"));
  ASSERT_TRUE(files.WriteAll(path, std::string("a\r\n\0b\r\n", 7)));
  EXPECT_EQ(files.ReadAll(path), std::string("a\r\n\0b\r\n", 7));
  ASSERT_TRUE(files.WriteAll(path, ""));
  EXPECT_EQ(files.ReadAll(path), "");
  DeleteFileA(path.c_str());
  EXPECT_FALSE(files.ReadAll(path).has_value());
  EXPECT_FALSE(files.WriteAll(TempPath("no_such_folder_h9\\x.dat"), "x"));
}

// Answers the input box from inside its own modal loop.
struct BoxScript {
  static inline std::string text;
  static inline bool ok = true;
  static inline std::string seenPrompt;
  static void CALLBACK Answer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowA("#32770", "Please Enter An IP Address");
    if (!box) return;
    KillTimer(nullptr, id);
    char prompt[256] = {};
    GetDlgItemTextA(box, kInputBoxPromptId, prompt, sizeof prompt);
    seenPrompt = prompt;
    SetDlgItemTextA(box, kInputBoxEditId, text.c_str());
    PostMessageA(box, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
  }
};

TEST(InputBoxWin, GivesTheTypedTextOrNothingWhenCancelled) {
  const std::string title = "Please Enter An IP Address";
  BoxScript::text = "10.0.0.77 ";
  BoxScript::ok = true;
  SetTimer(nullptr, 0, 50, &BoxScript::Answer);
  EXPECT_EQ(ShowInputBox(nullptr, title, title, ""), "10.0.0.77 ");
  EXPECT_EQ(BoxScript::seenPrompt, title);

  BoxScript::ok = false;
  SetTimer(nullptr, 0, 50, &BoxScript::Answer);
  EXPECT_FALSE(ShowInputBox(nullptr, title, title, "").has_value());
}

TEST(ListViewColumnsWin, FitsEveryColumnButTheLastToHeaderOrContents) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  skel::win::UniqueWindow list(CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0,
                                               600, 200, nullptr, nullptr,
                                               GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(list);
  AddListViewColumns(list.get(), {"Remote IP", "Remote Port", "Local IP", "Local Port", "Index"});
  AddListViewColumns(list.get(), {"again"});  // prepared once only
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list.get())), 5);
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  std::string wide = "a-rather-long-address-text-for-a-remote-peer.example";
  item.pszText = wide.data();
  SendMessageA(list.get(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  FitListViewColumns(list.get());
  int first = ListView_GetColumnWidth(list.get(), 0);
  int port = ListView_GetColumnWidth(list.get(), 1);
  EXPECT_GT(first, port);                                 // contents wider than the header
  EXPECT_GT(port, 0);                                     // the header decides for an empty column
  EXPECT_EQ(ListView_GetColumnWidth(list.get(), 4), 80);  // the last keeps its width
}

}  // namespace
}  // namespace skel::monitor::win
