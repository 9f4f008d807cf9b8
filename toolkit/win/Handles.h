// RAII for Win32 handles: GDI objects, device contexts, objects selected into a DC, icons,
// registry keys and kernel handles. Every GDI object and DC the toolkit makes goes through these
// types, which keep a live count: Wine reports no GDI counts (GetGuiResources returns 0), so leak
// tests compare this count instead, and GetGuiResources where the platform gives one.
#pragma once
#include <windows.h>

#include <memory>
#include <utility>

#include "toolkit/win/Geometry.h"

namespace gdi_count {
long Live();
void Created();
void Deleted();
// Deletes a GDI object and counts it released only when the system really freed it: a failed
// DeleteObject, or one on an object still selected into a DC, leaves it alive.
bool Delete(HGDIOBJ h);
}  // namespace gdi_count

template <typename H>
class GdiHandle {
 public:
  GdiHandle() = default;
  explicit GdiHandle(H h) : h_(h) { if (h_) gdi_count::Created(); }
  ~GdiHandle() { Reset(); }
  GdiHandle(GdiHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  GdiHandle& operator=(GdiHandle&& o) noexcept {
    if (this != &o) { Reset(); h_ = std::exchange(o.h_, nullptr); }
    return *this;
  }
  GdiHandle(const GdiHandle&) = delete;
  GdiHandle& operator=(const GdiHandle&) = delete;

  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(H h = nullptr) {
    if (h_) gdi_count::Delete(h_);
    h_ = h;
    if (h_) gdi_count::Created();
  }

 private:
  H h_ = nullptr;
};

using UniquePen = GdiHandle<HPEN>;
using UniqueBrush = GdiHandle<HBRUSH>;
using UniqueFont = GdiHandle<HFONT>;
using UniqueBitmap = GdiHandle<HBITMAP>;
using UniqueRegion = GdiHandle<HRGN>;

// Selects an object into a DC for the scope's lifetime and puts the DC's own back after.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectObjectScope() { if (old_) SelectObject(dc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's DC (GetDC; null: the screen), released at the end of the scope.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd);
  ~WindowDC();
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory DC (CreateCompatibleDC), deleted at the end of the scope.
class CompatibleDC {
 public:
  explicit CompatibleDC(HDC like);
  ~CompatibleDC();
  CompatibleDC(const CompatibleDC&) = delete;
  CompatibleDC& operator=(const CompatibleDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// BeginPaint for the scope; EndPaint always runs, also when painting throws, so the area is
// validated and the window is not sent WM_PAINT for ever.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Get() const { return dc_; }
  TRect Dirty() const { return ToTRect(ps_.rcPaint); }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A memory DC with a 32-bit bitmap covering an area: drawing at the area's coordinates lands in
// the bitmap. Small areas (the clock's digits, twice a second) share one buffer kept for the whole
// run: under Wine, making a bitmap and selecting it into a DC costs an allocation and a look at
// the X resources every time.
class MemoryCanvasDC {
 public:
  MemoryCanvasDC(HDC like, const TRect& area);
  ~MemoryCanvasDC();
  MemoryCanvasDC(const MemoryCanvasDC&) = delete;
  MemoryCanvasDC& operator=(const MemoryCanvasDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  struct Own {
    Own(HDC like, int width, int height);
    // Declared in this order so the bitmap is deselected before either is deleted.
    CompatibleDC dc;
    UniqueBitmap bitmap;
    SelectObjectScope select;
  };
  std::unique_ptr<Own> own_;  // none while the shared buffer serves
  HDC dc_ = nullptr;
};

class UniqueIcon {
 public:
  UniqueIcon() = default;
  explicit UniqueIcon(HICON h) : h_(h) {}
  ~UniqueIcon() { if (h_) DestroyIcon(h_); }
  UniqueIcon(UniqueIcon&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  UniqueIcon& operator=(UniqueIcon&& o) noexcept {
    if (this != &o) { if (h_) DestroyIcon(h_); h_ = std::exchange(o.h_, nullptr); }
    return *this;
  }
  HICON Get() const { return h_; }

 private:
  HICON h_ = nullptr;
};

class UniqueKey {
 public:
  UniqueKey() = default;
  explicit UniqueKey(HKEY h) : h_(h) {}
  ~UniqueKey() { if (h_) RegCloseKey(h_); }
  UniqueKey(UniqueKey&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  UniqueKey& operator=(UniqueKey&& o) noexcept {
    if (this != &o) { if (h_) RegCloseKey(h_); h_ = std::exchange(o.h_, nullptr); }
    return *this;
  }
  HKEY Get() const { return h_; }
  HKEY* Put() { if (h_) RegCloseKey(h_); h_ = nullptr; return &h_; }

 private:
  HKEY h_ = nullptr;
};

// A kernel handle (file, event, change notification...), closed at the end of its life.
// INVALID_HANDLE_VALUE, which CreateFile returns on failure, counts as no handle.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) { Reset(); h_ = std::exchange(o.h_, nullptr); }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  HANDLE Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(HANDLE h = nullptr) {
    if (h_) CloseHandle(h_);
    h_ = h == INVALID_HANDLE_VALUE ? nullptr : h;
  }
  HANDLE Release() { return std::exchange(h_, nullptr); }
  // Closes now and says whether the system agreed: a file's last write error can surface here.
  bool Close() { return !h_ || CloseHandle(std::exchange(h_, nullptr)) != 0; }

 private:
  HANDLE h_ = nullptr;
};
