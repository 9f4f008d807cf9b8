// Laying controls out again at another DPI.
#include "toolkit/win/Controls.h"

void TControl::ChangeScale(int newDpi) {
  const int old = dpi_;
  if (newDpi <= 0 || newDpi == old) return;
  dpi_ = newDpi;
  // The box first: a control that sizes itself to its text then measures it in the new font
  // (the other way round its fitted width would be scaled once more). A font of the parent's
  // comes down with the parent's own change.
  ScaleBounds(old);
  if (!parent_font_) font_.SetHeight(FontHeightForDpi(FontPointsForDpi(font_.Height(), old), newDpi));
}

void TControl::ScaleBounds(int oldDpi) {
  const auto at = [&](int v) { return RescaleForDpi(v, oldDpi, dpi_); };
  const int left = at(left_), top = at(top_);
  SetBounds(left, top, at(left_ + width_) - left, at(top_ + height_) - top);
}

void TWinControl::ChangeScale(int newDpi) {
  for (TControl* c : controls_) c->ChangeScale(newDpi);
  TControl::ChangeScale(newDpi);
}
