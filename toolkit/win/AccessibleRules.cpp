// What a client is told about a window's controls: each control's description, which controls a
// window lists, and the codes that carry roles and states.
#include "toolkit/win/Accessible.h"

#include <oleacc.h>

TAccessibleInfo DescribeControl(const TControl& c) {
  TAccessibleInfo info;
  info.Text = c.AccessibleName();
  info.Role = c.AccessibleRole();
  info.State = c.AccessibleState();
  if (c.OnDescribeAccessible) c.OnDescribeAccessible(c, info);
  return info;
}

bool IsSystemControl(const TControl& c) { return c.IsWindowed() && static_cast<const TWinControl&>(c).IsNative(); }

namespace {
// Containers of ours (panels, pages) are layout: their controls stand in their place. A system
// control is listed, and what we put inside it (the pages of a page control) after it, since its
// own object knows nothing of our windowless controls.
void AppendControls(const TWinControl& window, std::vector<TControl*>& out) {
  for (TControl* c : window.Controls()) {
    if (!c->IsWindowed()) {
      out.push_back(c);
      continue;
    }
    const auto& w = static_cast<const TWinControl&>(*c);
    const TAccessibleRole role = DescribeControl(*c).Role;
    const bool system = w.IsNative();
    const bool container = !system && w.ControlCount() > 0 &&
                           (role == TAccessibleRole::Grouping || role == TAccessibleRole::Client);
    if (!container) out.push_back(c);
    if (container || system) AppendControls(w, out);
  }
}
}  // namespace

std::vector<TControl*> AccessibleControls(const TWinControl& window) {
  std::vector<TControl*> out;
  AppendControls(window, out);
  return out;
}

LONG AccessibleRoleCode(TAccessibleRole role) {
  switch (role) {
    case TAccessibleRole::Grouping: return ROLE_SYSTEM_GROUPING;
    case TAccessibleRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case TAccessibleRole::StaticText: return ROLE_SYSTEM_STATICTEXT;
    case TAccessibleRole::Link: return ROLE_SYSTEM_LINK;
    case TAccessibleRole::Graphic: return ROLE_SYSTEM_GRAPHIC;
    case TAccessibleRole::Text: return ROLE_SYSTEM_TEXT;
    case TAccessibleRole::SpinButton: return ROLE_SYSTEM_SPINBUTTON;
    case TAccessibleRole::PageTabList: return ROLE_SYSTEM_PAGETABLIST;
    case TAccessibleRole::Client: break;
  }
  return ROLE_SYSTEM_CLIENT;
}

LONG AccessibleStateCode(const TControl& c, const TAccessibleInfo& info) {
  LONG state = 0;
  if (!c.Visible()) state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
  else if (!c.Showing()) state |= STATE_SYSTEM_INVISIBLE;
  if (!c.Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
  if (info.State.Pressed) state |= STATE_SYSTEM_PRESSED;
  if (info.State.Focusable) state |= STATE_SYSTEM_FOCUSABLE;
  if (info.State.Focused) state |= STATE_SYSTEM_FOCUSED;
  if (info.State.Default) state |= STATE_SYSTEM_DEFAULT;
  if (info.Role == TAccessibleRole::Link) state |= STATE_SYSTEM_LINKED;
  return state;
}
