// The note window's counting rules: which note a step lands on and what the counter reads.
#pragma once
#include <cstdint>
#include <string>

// The note number a step to k shows: below 1 wraps to the last note, above count to the first.
// With no notes the result is 0 or 1, which holds no note.
int32_t WrapNoteNumber(int32_t k, int32_t count);

// The counter "k / n" for the note that the next forward step shows (next) and the number of
// notes: the shown note is next - 1; nothing shown yet reads 1 (next = 1) or 0 (next <= 0).
// With no notes it is the empty state's "0 / 0".
std::string CounterText(int32_t next, int32_t count);

// How long a note stays up while cycling, as a timer interval. A negative exposure (only a
// hand-edited file can hold one) stops the cycling on the note, as 0 does.
uint32_t ExposureInterval(int32_t exposureMs);
