// Runs under Wine: the settings file through the real profile functions and
// window positions in the real registry of the current user.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/win/unique_any.h"
#include "monitor/core/settings_store.h"
#include "monitor/core/up_time.h"
#include "monitor/core/win/profile_store_win.h"
#include "monitor/core/win/registry_win.h"
#include "monitor/core/win/window_positions_win.h"

namespace skel::monitor {
namespace {

// A fresh folder under the temporary folder for one test.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "skel_core_" + std::to_string(::GetCurrentProcessId()) + "_" +
            std::to_string(counter_++);
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    ::DeleteFileA(SettingsFilePath(path_).c_str());
    ::RemoveDirectoryA(path_.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SettingsFile, WritesAndReadsTheRealIniFile) {
  TempFolder folder;
  win::WinProfileStore store;
  const std::string file = SettingsFilePath(folder.path());
  EXPECT_EQ(ReadIniValue(store, "main", "show", file), "");  // no file yet

  EXPECT_TRUE(WriteIniValue(store, "main", "show", "0", file));
  EXPECT_TRUE(WriteIniValue(store, "main", "BarFillGraphicLocation", "C:\\pics\\bar.bmp", file));
  EXPECT_EQ(ReadIniValue(store, "main", "SHOW", file), "0");
  EXPECT_EQ(ReadIniValue(store, "Main", "barfillgraphiclocation", file), "C:\\pics\\bar.bmp");
  EXPECT_EQ(ReadIniValue(store, "other", "show", file), "");
  std::string text = FileText(file);
  EXPECT_NE(text.find("[main]"), std::string::npos) << text;
  EXPECT_NE(text.find("show=0"), std::string::npos) << text;

  std::string path300;
  for (int i = 0; i < 300; ++i) path300 += static_cast<char>('a' + i % 26);
  EXPECT_TRUE(WriteIniValue(store, "main", "BarFillGraphicLocation", path300, file));
  EXPECT_EQ(ReadIniValue(store, "main", "BarFillGraphicLocation", file), path300.substr(0, 254));
}

TEST(SettingsFile, TypedValuesRoundTripThroughTheFile) {
  TempFolder folder;
  win::WinProfileStore store;
  MonitorSettings settings(store, SettingsFilePath(folder.path()), LocaleSeparators{",", "."});
  EXPECT_TRUE(settings.LoadCheckBox("roundcorners"));  // empty file: defaults
  EXPECT_EQ(settings.LoadText("remoteport"), "2012");

  settings.WriteCheckBox("roundcorners", false);
  settings.WriteTruth("enableghost", true);
  settings.WriteColour("programback", -2147483633);
  settings.WriteFontSize("trayicon1fontsize", 6.75f);
  settings.WriteText("1sttext", "System Up Time");
  UpTimeMenu menu;
  menu.ChooseCounter(settings);

  EXPECT_FALSE(settings.LoadCheckBox("roundcorners"));
  EXPECT_TRUE(settings.LoadTruth("enableghost"));
  EXPECT_EQ(settings.LoadColour("programback"), -2147483633);
  EXPECT_EQ(settings.ReadText("trayicon1fontsize"), "6,75");
  EXPECT_EQ(settings.LoadFontSize("trayicon1fontsize"), 6.75f);
  const std::string entries[] = {"Memory Total", "System Up Time"};
  EXPECT_EQ(settings.LoadListSelection("1sttext", entries), "System Up Time");
  EXPECT_FALSE(UpTimeMenu::Load(settings).UsesTickCount());
}

TEST(SettingsFile, AHandEditedFileWithGarbageGivesDefaults) {
  TempFolder folder;
  const std::string file = SettingsFilePath(folder.path());
  {
    std::ofstream out(file, std::ios::binary);
    out << "garbage before any section\r\n"
        << "[main]\r\n"
        << "roundcorners=yes\r\n"
        << "show\r\n"  // no "="
        << "programback=abc\r\n"
        << "remoteport=\r\n"
        << "autocleanpercent=0\r\n"
        << "trayicon1fontsize=big\r\n"
        << "1sttext=Not A Text\r\n"
        << "monitorprogressusebarfill=1\r\n"
        << "transparencylevel=" << std::string(1000, '9') << "\r\n"
        << "[main\r\n"
        << "=novalue\r\n";
  }
  win::WinProfileStore store;
  MonitorSettings settings(store, file, LocaleSeparators{});
  EXPECT_TRUE(settings.LoadCheckBox("roundcorners"));
  EXPECT_TRUE(settings.LoadCheckBox("show"));
  EXPECT_EQ(settings.LoadColour("programback"), 4210752);
  EXPECT_EQ(settings.LoadText("remoteport"), "2012");
  EXPECT_EQ(settings.LoadText("autocleanpercent"), "0");
  EXPECT_EQ(settings.LoadFontSize("trayicon1fontsize"), 6.75f);
  const std::string entries[] = {"Memory Total", "Commit Total"};
  EXPECT_EQ(settings.LoadListSelection("1sttext", entries), "Memory Total");
  EXPECT_TRUE(settings.LoadTruth("monitorprogressusebarfill"));
  EXPECT_EQ(settings.LoadSliderLevel("transparencylevel"), 175);
}

TEST(SettingsFile, AMissingFolderFailsSilently) {
  win::WinProfileStore store;
  const std::string file = "C:\\skel_no_such_folder\\deeper\\skelvane_settings.ini";
  EXPECT_FALSE(WriteIniValue(store, "main", "show", "0", file));
  MonitorSettings settings(store, file, LocaleSeparators{});
  EXPECT_FALSE(settings.WriteCheckBox("show", false));
  EXPECT_TRUE(settings.LoadCheckBox("show"));
  EXPECT_EQ(::GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SettingsFile, TheProgramFolderHoldsThisProgram) {
  std::string folder = win::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_NE(::GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The real key of the suite; each test starts and ends without it.
class RegistryPositions : public ::testing::Test {
 protected:
  void SetUp() override { registry.DeleteTree(kPositionsKey); }
  void TearDown() override { registry.DeleteTree(kPositionsKey); }
  win::WinRegistry registry;
};

TEST_F(RegistryPositions, StoresStringValuesWithoutTerminatorAndResetRemovesThem) {
  const DesktopGeometry desktop{15, 15, 0, 0, 1920, 1080};
  ASSERT_TRUE(SaveWindowPosition(registry, "FrmMain", "4560", "3000", 7485, 7005, desktop));

  skel::win::UniqueRegKey key;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quorbelta\\Vardolin Skelvane", 0,
                            KEY_QUERY_VALUE, key.put()),
            ERROR_SUCCESS);
  DWORD type = 0;
  char data[16] = {};
  DWORD size = sizeof data - 1;
  ASSERT_EQ(::RegQueryValueExA(key.get(), "FrmMain_x", nullptr, &type,
                               reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(data, "4560");  // the top, written without a terminating zero
  key.reset();

  auto pos = RestoreWindowPosition(registry, "FrmMain", 7485, 7005, desktop);
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->top, 4560);
  EXPECT_EQ(pos->left, 3000);
  // Outside the desktop: not written, and a stored one is not used.
  EXPECT_FALSE(SaveWindowPosition(registry, "FrmMemory", "100000", "0", 3000, 3000, desktop));
  EXPECT_FALSE(registry.ReadString(kPositionsKey, "FrmMemory_x"));

  EXPECT_TRUE(ResetWindowPositions(registry));
  EXPECT_FALSE(registry.ReadString(kPositionsKey, "FrmMain_x"));
  skel::win::UniqueRegKey maker;
  EXPECT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quorbelta", 0, KEY_READ, maker.put()),
            ERROR_SUCCESS);
  EXPECT_TRUE(ResetWindowPositions(registry));  // already gone
}

TEST_F(RegistryPositions, ARealWindowReturnsToItsSavedPlace) {
  skel::win::UniqueWindow window(::CreateWindowExA(0, "STATIC", "position", WS_POPUP, 40, 60, 200,
                                                   100, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  ASSERT_TRUE(win::SaveWindowPosition(window.get(), "FrmFileCache"));
  DesktopGeometry desktop = win::CurrentDesktop();
  std::string left = registry.ReadString(kPositionsKey, "FrmFileCache_y").value_or("");
  EXPECT_EQ(left, std::to_string(static_cast<int>(40 * desktop.twipsPerPixelX)));

  ::SetWindowPos(window.get(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(win::RestoreWindowPosition(window.get(), "FrmFileCache"));
  RECT r{};
  ::GetWindowRect(window.get(), &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right - r.left, 200);  // size kept

  EXPECT_TRUE(win::ResetWindowPositions());
  ::SetWindowPos(window.get(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_FALSE(win::RestoreWindowPosition(window.get(), "FrmFileCache"));
}

}  // namespace
}  // namespace skel::monitor
