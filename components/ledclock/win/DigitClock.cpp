// The digital clock: construction, forwarded properties, layout and the tick.
#include "components/ledclock/win/DigitClock.h"

#include "components/ledclock/ClockLayout.h"
#include "toolkit/win/System.h"

TDigitClock::TDigitClock(TComponent* owner) : TCustomPanel(owner) {
  tick_timer_ = new TTimer(this);
  tick_timer_->OnTimer = [this](TObject* sender) { ClockTick(sender); };
  tick_timer_->SetInterval(1);
  for (TCharLed*& cell : cells_) {
    cell = new TCharLed(this);
    cell->SetParent(this);
    cell->SetParentColor(true);
    cell->SetChar(chBlank);
  }
  SetWidth(90);
  SetHeight(25);
  SetCaption(" ");
  SetBevelOuter(TBevelCut::bvNone);
  SetBorderColor(clGreen);
  SetColor(clBlack);
  show_seconds_ = true;
  active_ = true;
  space_width_ = 4;
  SetCharBorderWidth(1);
  SetCharHeight(2);
  SetCharWidth(2);
  ArrangeCells();
}

TDigitClock::~TDigitClock() {
  // No tick may reach a clock that is half torn down.
  delete tick_timer_;
  tick_timer_ = nullptr;
}

void TDigitClock::SetShowSeconds(bool v) {
  if (v == show_seconds_) return;
  show_seconds_ = v;
  Cells(6)->SetVisible(v);
  Cells(7)->SetVisible(v);
  const int client = ClientWidth();
  const int wanted = WidthAfterShowSeconds(client, Cells(1)->Width(), space_width_, v);
  SetWidth(Width() + (wanted - client));  // the resize re-arranges the cells
}

void TDigitClock::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  tick_timer_->SetEnabled(v && Visible());
}

void TDigitClock::VisibleChanged() {
  TCustomPanel::VisibleChanged();
  // Nobody sees a hidden clock: it wakes nothing up. Shown again, it shows the time at once
  // rather than what it showed when it was hidden.
  if (!active_) return;
  if (Visible()) ClockTick(this);
  tick_timer_->SetEnabled(Visible());
}

void TDigitClock::SetSpaceWidth(int v) {
  if (v == space_width_) return;
  space_width_ = v;
  ArrangeCells();
}

void TDigitClock::SetCharColor(TColor c) {
  if (c == CharColor()) return;
  for (TCharLed* cell : cells_) cell->SetCharColor(c);
}

void TDigitClock::SetBorderColor(TColor c) {
  if (c == BorderColor()) return;
  for (TCharLed* cell : cells_) cell->SetBorderColor(c);
}

template <typename Setter>
void TDigitClock::SetStroke(int v, Setter set) {
  for (int n = 1; n <= ClockCellCount; ++n) (Cells(n)->*set)(n <= 5 ? v : v / 2);
}

void TDigitClock::SetCharWidth(int v) {
  if (v != CharWidth()) SetStroke(v, &TCharLed::SetCharWidth);
}

void TDigitClock::SetCharHeight(int v) {
  if (v != CharHeight()) SetStroke(v, &TCharLed::SetCharHeight);
}

void TDigitClock::SetCharBorderWidth(int v) {
  if (v != CharBorderWidth()) SetStroke(v, &TCharLed::SetBorderWidth);
}

void TDigitClock::ArrangeCells() {
  const auto bounds = ::ArrangeCells(Width(), Height(), space_width_, show_seconds_);
  for (size_t i = 0; i < cells_.size(); ++i) {
    const TRect& r = bounds[i];
    cells_[i]->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
}

void TDigitClock::ChangeScale(int newDpi) {
  space_width_ = RescaleForDpi(space_width_, Dpi(), newDpi);
  // Each cell scales its own rectangle exactly; arranged anew from the scaled width they would
  // shift by the rounding of every cell before them.
  rescaling_ = true;
  TCustomPanel::ChangeScale(newDpi);
  rescaling_ = false;
}

void TDigitClock::Resize() {
  TCustomPanel::Resize();
  if (!rescaling_) ArrangeCells();
}

void TDigitClock::Loaded() {
  TCustomPanel::Loaded();
  ArrangeCells();
}

void TDigitClock::ClockTick(TObject*) {
  const TClockReading r = ReadClock(LocalMillisecondsOfDay(), show_seconds_);
  const InvalidationBatch batch(*this);
  // Unchanged cells ignore the write, so only what changed repaints.
  for (int i = 0; i < r.CellsToWrite; ++i)
    if (i != 2) cells_[static_cast<size_t>(i)]->SetChar(r.Chars[static_cast<size_t>(i)]);
  cells_[2]->SetChar(r.Chars[2]);  // the blink
  tick_timer_->SetInterval(static_cast<unsigned>(r.Interval));
}
