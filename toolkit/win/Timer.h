// Message timers on the UI thread. A new interval set inside OnTimer governs the next tick;
// an interval of 0 means no ticks.
#pragma once
#include <windows.h>

#include "toolkit/Component.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // Armed with the platform right now.
  bool Armed() const { return armed_; }
  TNotifyEvent OnTimer;

  // The shared window that receives every timer's WM_TIMER, and this timer's identifier there:
  // tests deliver ticks by sending WM_TIMER themselves.
  static HWND WindowHandle();
  UINT_PTR Id() const { return id_; }

 protected:
  virtual void Timer();

 private:
  friend class TTimerWindow;
  void Update();
  unsigned interval_ = 1000;
  bool enabled_ = true;
  bool armed_ = false;
  UINT_PTR id_;
};
