// What the note window shows of the list: the note on display, where a step forward or back
// lands, how long a note stays up while cycling, and the counter. It holds no notes of its own:
// every answer is taken against the list as it is now, which may have changed since the last
// step (a note deleted, the file reloaded).
#pragma once
#include <cstdint>
#include <string>

#include "app/Notes.h"

// The note number a step to k lands on: below 1 wraps to the last note, above count to the
// first. With no notes the result is 0 or 1, which holds no note.
int32_t WrapNoteNumber(int32_t k, int32_t count);

// How long a note stays up while cycling, as a timer interval. A negative exposure (only a
// hand-edited file can hold one) stops the cycling on the note, as 0 does.
uint32_t ExposureInterval(int32_t exposureMs);

class TNoteView {
 public:
  // The list is not owned and MUST outlive the view.
  explicit TNoteView(const TNoteList& notes) : notes_(notes) {}

  // The number of the note on display; 0 while none is (at start, with an empty list).
  int32_t Shown() const { return shown_; }
  // The note on display, null while none is or the list has shrunk below it.
  const TNotice* ShownNote() const;

  // Shows note k, wrapped into the list; returns the note now on display, null for an empty list.
  const TNotice* Show(int32_t k);
  const TNotice* Forward() { return Show(shown_ + 1); }
  const TNotice* Back() { return Show(shown_ - 1); }
  // After the list changed under the view: the same place again, or the nearest one left.
  const TNotice* ShowNearest();
  // Nothing on display, as at start.
  void Clear() { shown_ = 0; }

  // How long the shown note stays before cycling moves on: its own exposure. 0 arms nothing:
  // with no note or a single one there is nothing to move on to.
  uint32_t CycleInterval() const;

  // "k / n" for note k of n; "0 / 0" for an empty list. Before the first note comes up, the
  // counter already names the first.
  std::string CounterText() const;

 private:
  const TNoteList& notes_;  // not owned
  int32_t shown_ = 0;
};
