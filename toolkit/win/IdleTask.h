// Work for the message loop's first quiet moment: it runs once, the next time the loop finds no
// message waiting, after what was painted has gone to the screen, so nothing done here holds up
// the first sight of a window. A task destroyed before then never runs.
#pragma once

#include <functional>

class TIdleTask {
 public:
  // The loop is app's (not owned; it MUST outlive the task); null: the work runs at Start.
  TIdleTask(class TApplication* app, std::function<void()> work);
  ~TIdleTask();
  TIdleTask(const TIdleTask&) = delete;
  TIdleTask& operator=(const TIdleTask&) = delete;

  // Asks for one run; nothing more when one is already asked for.
  void Start();
  bool Waiting() const { return waiting_; }

 private:
  friend class TApplication;
  void Run();
  TApplication* app_;  // not owned
  std::function<void()> work_;
  bool waiting_ = false;
};
