#include "toolkit/win/ScaledBitmap.h"

void TScaledBitmap::Assign(const TBitmap& picture) {
  TBitmap::Assign(picture);
  resource_.clear();
}

bool TScaledBitmap::Load(const std::wstring& resourceName, int dpi) {
  if (!LoadScaledResource(resourceName, dpi)) return false;
  resource_ = resourceName;
  dpi_ = dpi;
  return true;
}

bool TScaledBitmap::Rescale(int dpi) {
  return dpi != dpi_ && !resource_.empty() && Load(resource_, dpi);
}
