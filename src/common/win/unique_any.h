// One move-only owner for every kind of Windows resource: kernel handles,
// GDI objects, DCs, registry keys, snapshots, COM pointers. Each kind is a
// traits struct with its invalid value and its release call.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace skel::win {

template <typename Traits>
class UniqueAny {
 public:
  using Type = typename Traits::Type;

  UniqueAny() = default;
  explicit UniqueAny(Type value) : value_(value) {}
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(std::exchange(other.value_, Traits::Invalid()));
    return *this;
  }
  ~UniqueAny() { reset(); }

  Type get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  Type release() { return std::exchange(value_, Traits::Invalid()); }
  void reset(Type value = Traits::Invalid()) {
    Type old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For out-parameters: releases the current value first.
  Type* put() {
    reset();
    return &value_;
  }

 private:
  Type value_ = Traits::Invalid();
};

struct HandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::CloseHandle(h); }
};
// Toolhelp snapshots and files report failure as INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};
struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::RegCloseKey(h); }
};
template <typename T>
struct GdiTraits {
  using Type = T;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};
struct DcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DeleteDC(h); }
};
struct IconTraits {
  using Type = HICON;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DestroyIcon(h); }
};
struct MenuTraits {
  using Type = HMENU;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DestroyMenu(h); }
};
struct WindowTraits {
  using Type = HWND;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ::DestroyWindow(h); }
};
template <typename T>
struct ComTraits {
  using Type = T*;
  static Type Invalid() { return nullptr; }
  static void Close(Type p) { p->Release(); }
};

using UniqueHandle = UniqueAny<HandleTraits>;
using UniqueFileHandle = UniqueAny<FileHandleTraits>;
using UniqueRegKey = UniqueAny<RegKeyTraits>;
using UniqueBitmap = UniqueAny<GdiTraits<HBITMAP>>;
using UniqueBrush = UniqueAny<GdiTraits<HBRUSH>>;
using UniqueFont = UniqueAny<GdiTraits<HFONT>>;
using UniquePen = UniqueAny<GdiTraits<HPEN>>;
using UniqueRegion = UniqueAny<GdiTraits<HRGN>>;
using UniqueDc = UniqueAny<DcTraits>;
using UniqueIcon = UniqueAny<IconTraits>;
using UniqueMenu = UniqueAny<MenuTraits>;
using UniqueWindow = UniqueAny<WindowTraits>;
template <typename T>
using ComPtr = UniqueAny<ComTraits<T>>;

// Restores the previously selected object of a DC when it goes out of scope.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window DC from GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint.
class PaintGuard {
 public:
  explicit PaintGuard(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  PaintGuard(const PaintGuard&) = delete;
  PaintGuard& operator=(const PaintGuard&) = delete;
  ~PaintGuard() { ::EndPaint(hwnd_, &ps_); }
  HDC dc() const { return dc_; }
  const PAINTSTRUCT& ps() const { return ps_; }

 private:
  HWND hwnd_;
  HDC dc_;
  PAINTSTRUCT ps_{};
};

// CoInitializeEx / CoUninitialize for one scope, balanced only when it worked.
class ComScope {
 public:
  explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED) {
    HRESULT hr = ::CoInitializeEx(nullptr, model);
    ok_ = SUCCEEDED(hr);
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() {
    if (ok_) ::CoUninitialize();
  }
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

}  // namespace skel::win
