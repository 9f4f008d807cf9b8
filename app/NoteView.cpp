#include "app/NoteView.h"

#include <algorithm>

int32_t WrapNoteNumber(int32_t k, int32_t count) {
  if (k < 1) k = count;
  if (k > count) k = 1;
  return k;
}

uint32_t ExposureInterval(int32_t exposureMs) { return exposureMs > 0 ? static_cast<uint32_t>(exposureMs) : 0; }

const TNotice* TNoteView::ShownNote() const {
  if (shown_ < 1 || shown_ > notes_.NoteCount() || !notes_.Notes(shown_).Used) return nullptr;
  return &notes_.Notes(shown_);
}

const TNotice* TNoteView::Show(int32_t k) {
  k = WrapNoteNumber(k, notes_.NoteCount());
  shown_ = k >= 1 && notes_.Notes(k).Used ? k : 0;
  return ShownNote();
}

const TNotice* TNoteView::ShowNearest() { return Show(std::clamp(shown_, 1, std::max(notes_.NoteCount(), 1))); }

uint32_t TNoteView::CycleInterval() const {
  const TNotice* note = ShownNote();
  return note && notes_.NoteCount() >= 2 ? ExposureInterval(note->Exposure) : 0;
}

std::string TNoteView::CounterText() const {
  const int32_t count = notes_.NoteCount();
  if (count == 0) return "0 / 0";
  return std::to_string(std::max(shown_, 1)) + " / " + std::to_string(count);
}
