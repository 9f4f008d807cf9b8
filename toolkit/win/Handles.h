// RAII for Win32 handles. Every GDI object the toolkit creates goes through GdiHandle, which
// also keeps a live count: Wine reports no GDI counts (GetGuiResources returns 0), so leak tests
// compare this count instead, and GetGuiResources where the platform gives one.
#pragma once
#include <windows.h>

#include <utility>

namespace gdi_count {
long Live();
void Created();
void Deleted();
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
    if (h_) { DeleteObject(h_); gdi_count::Deleted(); }
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

// Selects an object into a DC for the scope's lifetime.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectObjectScope() { if (old_) SelectObject(dc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory DC compatible with another, with a bitmap of the given size selected into it.
class MemoryCanvasDC {
 public:
  MemoryCanvasDC(HDC like, int width, int height);
  ~MemoryCanvasDC();
  MemoryCanvasDC(const MemoryCanvasDC&) = delete;
  MemoryCanvasDC& operator=(const MemoryCanvasDC&) = delete;
  HDC Get() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_.Get(); }

 private:
  HDC dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ old_;
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
