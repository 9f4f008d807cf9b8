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

// One handle, freed at the end of its life or when replaced; move-only. Traits give the handle's
// Type, Adopt (what a handle taken in becomes: a failure value is no handle; GDI objects are
// counted here) and Free (true when the system released it).
template <typename Traits>
class UniqueOf {
 public:
  using Type = typename Traits::Type;
  UniqueOf() = default;
  explicit UniqueOf(Type h) : h_(Traits::Adopt(h)) {}
  ~UniqueOf() { Reset(); }
  UniqueOf(UniqueOf&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  UniqueOf& operator=(UniqueOf&& o) noexcept {
    if (this != &o) { Reset(); h_ = std::exchange(o.h_, nullptr); }
    return *this;
  }
  UniqueOf(const UniqueOf&) = delete;
  UniqueOf& operator=(const UniqueOf&) = delete;

  Type Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(Type h = nullptr) {
    if (h_) Traits::Free(h_);
    h_ = Traits::Adopt(h);
  }
  // Frees now and says whether the system agreed: a file's last write error can surface here.
  bool Close() { return !h_ || Traits::Free(std::exchange(h_, nullptr)); }

 private:
  Type h_ = nullptr;
};

template <typename H>
struct GdiTraits {
  using Type = H;
  static H Adopt(H h) {
    if (h) gdi_count::Created();
    return h;
  }
  static bool Free(H h) { return gdi_count::Delete(h); }
};

using UniquePen = UniqueOf<GdiTraits<HPEN>>;
using UniqueBrush = UniqueOf<GdiTraits<HBRUSH>>;
using UniqueFont = UniqueOf<GdiTraits<HFONT>>;
using UniqueBitmap = UniqueOf<GdiTraits<HBITMAP>>;
using UniqueRegion = UniqueOf<GdiTraits<HRGN>>;

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

struct IconTraits {
  using Type = HICON;
  static HICON Adopt(HICON h) { return h; }
  static bool Free(HICON h) { return DestroyIcon(h) != 0; }
};
using UniqueIcon = UniqueOf<IconTraits>;

struct KeyTraits {
  using Type = HKEY;
  static HKEY Adopt(HKEY h) { return h; }
  static bool Free(HKEY h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};
using UniqueKey = UniqueOf<KeyTraits>;

// A kernel handle (file, event, change notification...). INVALID_HANDLE_VALUE, which CreateFile
// returns on failure, counts as no handle.
struct KernelTraits {
  using Type = HANDLE;
  static HANDLE Adopt(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }
  static bool Free(HANDLE h) { return CloseHandle(h) != 0; }
};
using UniqueHandle = UniqueOf<KernelTraits>;

// A folder search (FindFirstFileW), which fails with INVALID_HANDLE_VALUE and ends with FindClose.
struct FindTraits {
  using Type = HANDLE;
  static HANDLE Adopt(HANDLE h) { return h == INVALID_HANDLE_VALUE ? nullptr : h; }
  static bool Free(HANDLE h) { return FindClose(h) != 0; }
};
using UniqueFind = UniqueOf<FindTraits>;
