// TDigitClock: a panel showing the local time of day on seven LED cells (hours, blinking colon,
// minutes, half-size seconds), updated by its own timer just after every half-second boundary.
#pragma once
#include <array>

#include "components/ledclock/ClockReading.h"
#include "components/ledclock/win/CharLed.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Timer.h"

class TDigitClock : public TCustomPanel {
 public:
  // A new clock is 90 x 25, black, green-outlined lime digits, seconds shown, running; it stays
  // blank until its first tick.
  explicit TDigitClock(TComponent* owner);
  ~TDigitClock() override;

  // Cells 1..7: hours tens and units, separator, minutes tens and units, seconds tens and units.
  TCharLed* Cells(int number) const { return cells_.at(static_cast<size_t>(number - 1)); }
  TTimer* TickTimer() const { return tick_timer_; }

  bool ShowSeconds() const { return show_seconds_; }
  // Shows or hides cells 6 and 7 and widens or narrows the clock by cell 1's width plus two
  // spaces.
  void SetShowSeconds(bool v);
  bool Active() const { return active_; }
  // A stopped clock keeps showing what it showed last. The timer runs only while the clock is
  // active and visible.
  void SetActive(bool v);
  int SpaceWidth() const { return space_width_; }
  void SetSpaceWidth(int v);

  // Read back from cell 1. Writing a value equal to cell 1's changes nothing; otherwise every
  // cell gets it, the stroke sizes halved (truncated) for the seconds cells.
  TColor CharColor() const { return Cells(1)->CharColor(); }
  void SetCharColor(TColor c);
  TColor BorderColor() const { return Cells(1)->BorderColor(); }
  void SetBorderColor(TColor c);
  int CharWidth() const { return Cells(1)->CharWidth(); }
  void SetCharWidth(int v);
  int CharHeight() const { return Cells(1)->CharHeight(); }
  void SetCharHeight(int v);
  int CharBorderWidth() const { return Cells(1)->BorderWidth(); }
  void SetCharBorderWidth(int v);

  // Places the cells from the clock's size, the space width and the seconds switch.
  void ArrangeCells();
  // The timer's notification: shows the time of day and re-arms for just after the next
  // half-second boundary.
  void ClockTick(TObject* sender);

 protected:
  void Resize() override;
  // The space between cells scales with them; the cells scale their own rectangles and strokes.
  void ChangeScale(int newDpi) override;
  void Loaded() override;
  void VisibleChanged() override;

 private:
  // Cells 1..5 get v, the seconds cells v div 2.
  template <typename Setter>
  void SetStroke(int v, Setter set);

  TTimer* tick_timer_ = nullptr;  // owned as a component; destroyed first
  bool active_ = true;
  std::array<TCharLed*, ClockCellCount> cells_{};  // owned as components, children of the clock
  bool show_seconds_ = true;
  int space_width_ = 4;
  bool rescaling_ = false;  // inside ChangeScale: the cells place themselves
};
