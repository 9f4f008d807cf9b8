// Work for the message loop's first quiet moment: it runs once, the next time the loop finds no
// message waiting, after what was painted has gone to the screen, so nothing done here holds up
// the first sight of a window. A task destroyed before then never runs.
#pragma once

#include <functional>

class TIdleTask {
 public:
  explicit TIdleTask(std::function<void()> work);
  ~TIdleTask();
  TIdleTask(const TIdleTask&) = delete;
  TIdleTask& operator=(const TIdleTask&) = delete;

  // Asks for one run; nothing more when one is already asked for. Without an application object
  // (no loop to wait for) the work runs now.
  void Start();
  bool Waiting() const { return waiting_; }

 private:
  friend class TApplication;
  void Run();
  std::function<void()> work_;
  bool waiting_ = false;
};
