// Cleanup written once and run on every way out of a scope, the normal one and an exception.
//   const ScopeExit restore([&] { Screen->SetCursor(cursor); });
// Dismiss() keeps it from running: for an undo wanted only when the work did not get through.
#pragma once
#include <exception>
#include <utility>

template <typename F>
class ScopeExit {
 public:
  explicit ScopeExit(F cleanup) : cleanup_(std::move(cleanup)) {}
  // A cleanup that throws on the normal way out throws from here, as it would written out. While
  // another exception is leaving the scope, that one goes on and the cleanup's is dropped: two
  // at once would end the program.
  ~ScopeExit() noexcept(false) {
    if (!armed_) return;
    if (std::uncaught_exceptions() <= unwinding_at_start_) {
      cleanup_();
      return;
    }
    try {
      cleanup_();
    } catch (...) {
    }
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

  void Dismiss() { armed_ = false; }

 private:
  F cleanup_;
  int unwinding_at_start_ = std::uncaught_exceptions();
  bool armed_ = true;
};
