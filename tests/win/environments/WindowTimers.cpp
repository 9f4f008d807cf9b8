// Test programs whose controls make simple timers start them as the program does: ticking
// through the shared hidden window.
#include <gtest/gtest.h>

#include "components/timer/win/SimpleTimerWin.h"

namespace {
class WindowTimers : public testing::Environment {
 public:
  void SetUp() override { UseWindowTimers(); }
};

testing::Environment* const window_timers = testing::AddGlobalTestEnvironment(new WindowTimers);
}  // namespace
