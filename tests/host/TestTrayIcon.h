// A tray icon for host tests: the readings are set by the test, and every event, the popup menu
// and the default-item step are written to one log in the order they happen.
#pragma once
#include <string>
#include <vector>

#include "components/tray/CustomTrayIcon.h"

class TestTrayIcon : public TCustomTrayIcon {
 public:
  std::vector<std::string> log;
  TShiftState keys;
  TPoint cursor;
  uint32_t double_click_time = 500;

  explicit TestTrayIcon(bool withDblClick = false) : TCustomTrayIcon(nullptr) {
    OnClick = [this](TObject* s) { Add(s, "Click"); };
    if (withDblClick) OnDblClick = [this](TObject* s) { Add(s, "DblClick"); };
    OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      Add(s, "Down(" + Button(b) + "," + Shift(sh) + "," + std::to_string(x) + "," + std::to_string(y) + ")");
    };
    OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      Add(s, "Up(" + Button(b) + "," + Shift(sh) + "," + std::to_string(x) + "," + std::to_string(y) + ")");
    };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
      Add(s, "Move(" + Shift(sh) + "," + std::to_string(x) + "," + std::to_string(y) + ")");
    };
    OnMouseEnter = [this](TObject* s) { Add(s, "Enter"); };
    OnMouseExit = [this](TObject* s) { Add(s, "Exit"); };
    OnBalloonHintClick = [this](TObject* s) { Add(s, "BalloonClick"); };
    OnBalloonHintHide = [this](TObject* s) { Add(s, "BalloonHide"); };
    OnBalloonHintTimeout = [this](TObject* s) { Add(s, "BalloonTimeout"); };
  }

  void OpenPopupMenu() override { log.push_back("Popup"); }
  void SetVersionMode(uint8_t mode) { shell_version_mode_ = mode; }

  static std::string Shift(TShiftState s) {
    static const char* const names[] = {"Shift", "Alt", "Ctrl", "Left", "Right", "Middle", "Double"};
    std::string out;
    for (int i = 0; i < 7; ++i)
      if (s.Has(static_cast<TShift>(i))) out += (out.empty() ? "" : "+") + std::string(names[i]);
    return out.empty() ? "-" : out;
  }

 protected:
  TShiftState ShiftKeysNow() override { return keys; }
  TPoint CursorPosNow() override { return cursor; }
  uint32_t DoubleClickTime() override { return double_click_time; }
  void ClickDefaultMenuItem() override { log.push_back("DefaultItem"); }

 private:
  void Add(TObject* sender, const std::string& what) { log.push_back(sender == this ? what : "WrongSender:" + what); }
  static std::string Button(TMouseButton b) {
    return b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "M";
  }
};
