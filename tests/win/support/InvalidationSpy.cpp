#include "tests/win/support/InvalidationSpy.h"

#include <cstring>
#include <memory>
#include <string>
#include <stdexcept>

namespace {
using RectCall = BOOL(WINAPI*)(HWND, const RECT*, BOOL);
using RegionCall = BOOL(WINAPI*)(HWND, HRGN, BOOL);

std::unique_ptr<InvalidationSpy::Seen> active;  // set while a spy lives
RectCall real_rect = nullptr;
RegionCall real_region = nullptr;

// The executable's import slot for a function of a DLL, found by the function's name.
void** ImportSlot(const char* dll, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0 || !d->OriginalFirstThunk) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  throw std::runtime_error(std::string("no import of ") + function);
}

void* Swap(void** slot, void* with) {
  DWORD protection = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  void* previous = *slot;
  *slot = with;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return previous;
}

BOOL WINAPI SpyRect(HWND hwnd, const RECT* r, BOOL erase) {
  if (active) {
    RECT area{};
    if (r) area = *r;
    else GetClientRect(hwnd, &area);
    (*active)(hwnd, {{area.left, area.top, area.right, area.bottom}});
  }
  return real_rect(hwnd, r, erase);
}

BOOL WINAPI SpyRegion(HWND hwnd, HRGN region, BOOL erase) {
  if (active) (*active)(hwnd, RegionRects(region));
  return real_region(hwnd, region, erase);
}
}  // namespace

std::vector<TRect> RegionRects(HRGN region) {
  const DWORD size = GetRegionData(region, 0, nullptr);
  std::vector<BYTE> bytes(size);
  auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
  std::vector<TRect> rects;
  if (!size || !GetRegionData(region, size, data)) return rects;
  const auto* r = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) rects.push_back({r[i].left, r[i].top, r[i].right, r[i].bottom});
  return rects;
}

InvalidationSpy::InvalidationSpy(Seen seen) {
  if (active) throw std::logic_error("one invalidation spy at a time");
  active = std::make_unique<Seen>(std::move(seen));
  real_rect = reinterpret_cast<RectCall>(Swap(ImportSlot("user32.dll", "InvalidateRect"),
                                              reinterpret_cast<void*>(&SpyRect)));
  real_region = reinterpret_cast<RegionCall>(Swap(ImportSlot("user32.dll", "InvalidateRgn"),
                                                  reinterpret_cast<void*>(&SpyRegion)));
}

InvalidationSpy::~InvalidationSpy() {
  Swap(ImportSlot("user32.dll", "InvalidateRect"), reinterpret_cast<void*>(real_rect));
  Swap(ImportSlot("user32.dll", "InvalidateRgn"), reinterpret_cast<void*>(real_region));
  active.reset();
}
