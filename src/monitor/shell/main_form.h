// The logic of the monitor's settings window FrmMain: its controls, the
// settings each control holds, the start-up sequence, the once-a-second main
// tick and the shutdown. Every part of the monitor plugs in here: it adds
// its controls to Controls() (with their tab page and place), registers its
// handlers on them, declares the settings keys its controls hold, and fills
// the hooks of the steps it owns. Nothing here touches the system directly.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/core/settings_store.h"
#include "ui/control_model.h"

namespace skel::monitor {

// The four pages of the settings window's tab strip, in order.
enum SettingsTab : int {
  kTabGeneral = 0,
  kTabMonitorSettings = 1,
  kTabAdvancedMonitor = 2,
  kTabRemoteSettings = 3
};
inline constexpr const char* kTabCaptions[] = {"General", "Monitor Settings", "Advanced Monitor",
                                               "Remote Settings"};

// Starting other programs and pages, as the shell does it.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // CreateProcess-style start of `path` with `arguments`, show state, no wait.
  virtual bool Start(const std::string& path, const std::string& arguments, int showState) = 0;
  // ShellExecute "open" of a document or address.
  virtual bool Open(const std::string& target, const std::string& workingFolder) = 0;
};

// The steps of start-up, tick and shutdown that belong to other parts of the
// monitor. An empty hook is skipped, exactly like a failing step.
struct MainFormHooks {
  // Start-up (the number is the step).
  std::function<void()> centreAndRestorePosition;       // 2
  std::function<void()> selectFirstTab;                 // 4
  std::function<void()> prepareRemoteListAndLoadLists;  // 5
  std::function<void()> openUpTimeQuery;                // 6
  std::function<void()> hideWindow;                     // 7
  std::function<void()> setCaption;                     // 8
  std::function<void()> prepareTraySurfaces;            // 9
  std::function<void()> fillHotkeyLists;                // 10
  std::function<void()> createSnapObject;               // 16
  std::function<void()> showTrayIcon;                   // 17
  std::function<void()> loadBarFillGraphic;             // 21
  std::function<void()> applyShowMonitorAndCompact;     // 22
  std::function<void()> setTrayExamples;                // 23
  std::function<void()> loadRules;                      // 24
  std::function<void()> startMainTimers;                // 26
  std::function<void()> openLocalListener;              // 27
  // Main tick.
  std::function<void()> resetWindowSize;                     // 2
  std::function<void()> prepareTrayDrawing;                  // 3
  std::function<std::string()> systemUpTimeText;             // 4
  std::function<void(const std::string&)> setUpTimeCaption;  // 4
  std::function<void()> sampleStats;                         // 5
  std::function<int()> wholePercent;                         // 5: the sampled whole percentage
  std::function<void(int)> setBarValue;                      // 6
  std::function<void()> setBarTexts;                         // 7
  std::function<void(int)> updateTrayIcon;                   // 8
  // Shutdown.
  std::function<void()> stopTimers;
  std::function<void()> closeUpTimeQuery;
  std::function<void()> saveWindowPosition;
  std::function<void()> removeTrayIcon;
  std::function<void()> unloadBarWindow;
  std::function<void()> closeListeners;
  std::function<void()> unloadOtherWindows;
  // Lets pending window messages run between steps (the Windows side pumps).
  std::function<void()> processMessages;
};

class MainForm {
 public:
  explicit MainForm(MonitorSettings& settings);

  ui::ControlModel& Controls() { return controls_; }
  MonitorSettings& Settings() { return settings_; }
  MainFormHooks& Hooks() { return hooks_; }

  // Declares that `control` holds `key`: loading the key sets the control
  // in the key's kind (which runs its handlers) and SaveSetting writes the
  // control's state back in the key's text form.
  void BindSetting(std::string_view key, std::string control);
  // For keys that no single control holds (fonts, file paths, menu marks).
  void BindSetting(std::string_view key, std::function<void()> load);
  void LoadSetting(std::string_view key);
  void SaveSetting(std::string_view key);
  // The control bound to `key`, "" when none.
  std::string ControlOf(std::string_view key) const;

  // The whole start-up (the load handler). Returns false when the window
  // must unload at once because shutdown has begun.
  bool Load();
  // One main tick; false when the tick found shutdown under way and stopped.
  bool Tick();

  // Why the window is asked to close.
  enum class CloseReason { UserCloseBox, Program, SessionEnd, Other };
  // True when the close must be cancelled (the user's close box only hides).
  bool QueryUnload(CloseReason reason);
  void Unload();

  bool bShuttingDown = false;
  int lCurrentMemoryUsedPercent = 0;
  int lLastValue = 0;
  std::string versionText;

  // The steps run, for tests of the order ("step 11", "tick 4", ...).
  std::vector<std::string>& Trace() { return trace_; }

 private:
  void Step(const char* label, const std::function<void()>& hook);
  void Pump();
  void LoadKeys(std::initializer_list<std::string_view> keys);
  void DefaultIfEmpty(std::string_view key, const char* text);

  MonitorSettings& settings_;
  ui::ControlModel controls_;
  MainFormHooks hooks_;
  std::map<std::string, std::string, std::less<>> keyControl_;
  std::map<std::string, std::function<void()>, std::less<>> keyLoader_;
  std::vector<std::string> trace_;
};

}  // namespace skel::monitor
