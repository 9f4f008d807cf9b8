#include "toolkit/win/BitBtn.h"

#include <commctrl.h>

#include "toolkit/win/Text.h"

TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TBitBtn::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = WC_BUTTONW;
  p.Style |= BS_PUSHBUTTON | BS_OWNERDRAW;
}

void TBitBtn::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

bool TBitBtn::ParentAsks(TMessage& m) {
  if (m.Msg != WM_DRAWITEM) return false;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
  m.Result = TRUE;
  return true;
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
  if (pressed) OffsetRect(&r, 1, 1);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                                                                          : ThemedColorToRGB(Font().Color(), clBtnText));
  {
    SelectObjectScope font(dc, Font().Handle());
    const std::wstring caption = ToWide(Caption());
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT f = item.rcItem;
    InflateRect(&f, -4, -4);
    DrawFocusRect(dc, &f);
  }
}
