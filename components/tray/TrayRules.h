// The tray icon's small rules, apart from any window: the shell's notification codes, the
// modifier keys, the restart-message version test, the tooltip and the animation index.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/Types.h"

// The message number every icon gives the shell for its notifications (WM_USER + 0x400).
constexpr uint32_t TrayCallbackMessage = 0x0800;

// Notification codes the shell sends as the callback message's lParam.
namespace tray_code {
constexpr uint32_t MouseMove = 0x0200, LButtonDown = 0x0201, LButtonUp = 0x0202, LButtonDblClk = 0x0203,
                   RButtonDown = 0x0204, RButtonUp = 0x0205, RButtonDblClk = 0x0206, MButtonDown = 0x0207,
                   MButtonUp = 0x0208, MButtonDblClk = 0x0209, ContextMenu = 0x007B, Select = 0x0400,
                   KeySelect = 0x0401, BalloonShow = 0x0402, BalloonHide = 0x0403, BalloonTimeout = 0x0404,
                   BalloonUserClick = 0x0405;
}  // namespace tray_code

// Shift, Ctrl and Alt from the asynchronous key state (a key is held while its state is
// negative); never a button.
TShiftState ShiftFromAsyncKeys(const std::function<int16_t(int virtualKey)>& asyncKeyState);

// The shell's restart message needs common controls 4.71 or later; the version is the file
// version's high half (major << 16 | minor).
bool ShellRestartMessageAvailable(uint32_t comctlVersion);

// The tooltip the shell shows: at most 127 UTF-16 units of the hint (a surrogate pair is not
// split), nothing when the hint is empty or not to be shown.
std::u16string TrayTip(std::string_view hint, bool showHint);
constexpr size_t kTrayTipMax = 127;
// A text as one of the shell's fixed fields holds it: at most maxUnits UTF-16 units, a surrogate
// pair not split (the balloon's title holds 63, its text 255).
std::u16string ShellTextField(std::string_view text, size_t maxUnits);
constexpr size_t kBalloonTitleMax = 63, kBalloonTextMax = 255;

// The shell refuses a new icon while it is not ready (at log-on) or too busy to answer in time;
// a refused add is tried again this often, for about a minute.
constexpr uint32_t kAddRetryMs = 2000;
constexpr int kAddRetries = 30;
// A notification area that sizes a new icon after taking it (an X tray under Wine) may show the
// picture painted at the first size beside the new one, or none: the image is sent once more
// this long after the add, when the area has settled.
constexpr uint32_t kSettleMs = 1500;

// An image index for a list of `count` images: only the upper bound is enforced.
int LimitIconIndex(int index, int count);
// The image the animation moves to after `index`: the next one, or the first after the last.
int NextCycleIndex(int index, int count);
