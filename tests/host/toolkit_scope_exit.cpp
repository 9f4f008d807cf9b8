// The cleanup guard: it runs on every way out, once, and never turns one exception into two.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "toolkit/ScopeExit.h"

namespace {

TEST(ScopeExit, RunsOnceOnTheNormalWayOutAndWhenAnExceptionLeaves) {
  int runs = 0;
  { const ScopeExit guard([&] { ++runs; }); }
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(
      {
        const ScopeExit guard([&] { ++runs; });
        throw std::runtime_error("work failed");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 2);
}

TEST(ScopeExit, DismissedItDoesNothing) {
  int runs = 0;
  {
    ScopeExit undo([&] { ++runs; });
    undo.Dismiss();
  }
  EXPECT_EQ(runs, 0);
}

TEST(ScopeExit, ACleanupFaultOnTheNormalWayOutReachesTheCaller) {
  EXPECT_THROW({ const ScopeExit guard([] { throw std::runtime_error("cleanup failed"); }); }, std::runtime_error);
}

TEST(ScopeExit, TheFaultAlreadyLeavingWinsOverTheCleanups) {
  std::string caught;
  try {
    const ScopeExit guard([] { throw std::runtime_error("cleanup failed"); });
    throw std::runtime_error("work failed");
  } catch (const std::exception& e) {
    caught = e.what();
  }
  EXPECT_EQ(caught, "work failed");
}

// A guard made inside a destructor that runs during unwinding is on its normal way out.
TEST(ScopeExit, AGuardMadeWhileUnwindingStillReportsItsOwnFault) {
  struct Unwinder {
    bool& reported;
    ~Unwinder() {
      try {
        const ScopeExit guard([] { throw std::logic_error("cleanup failed"); });
      } catch (const std::logic_error&) {
        reported = true;
      }
    }
  };
  bool reported = false;
  try {
    const Unwinder u{reported};
    throw std::runtime_error("work failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(reported);
}

}  // namespace
