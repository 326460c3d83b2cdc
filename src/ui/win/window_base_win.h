// One class per window: `this` travels through lpCreateParams, is kept in
// GWLP_USERDATA from WM_NCCREATE on, and every message reaches the object's
// HandleMessage. No exception ever unwinds into user32.
#pragma once

#include <windows.h>

namespace skel::ui::win {

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase();

  HWND hwnd() const { return hwnd_; }

  // Registers the class once per process (name must be unique per subclass).
  static bool RegisterClassOnce(const char* className, HICON icon, HBRUSH background,
                                UINT style = CS_DBLCLKS);

 protected:
  HWND CreateWindowFor(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
                       int y, int w, int h, HWND parent, HMENU menu);
  // Return true when handled, with the result in `result`.
  virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) = 0;
  // Called after WM_NCDESTROY; the HWND is gone.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

// Lets the window messages pending at the call run, as long handlers do
// between their steps; what arrives meanwhile waits for the next turn.
void ProcessPendingMessages();

// Pixels per inch of the monitor that holds `hwnd` (96 when unknown).
UINT WindowDpi(HWND hwnd);
int TwipsToPixels(int twips, UINT dpi);
int PixelsToTwips(int pixels, UINT dpi);

}  // namespace skel::ui::win
