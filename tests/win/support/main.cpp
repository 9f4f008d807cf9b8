// Entry point of every Win32 test program: one application object, as in the program.
#include <gmock/gmock.h>

#include "toolkit/win/Accessible.h"
#include "toolkit/win/Application.h"

int main(int argc, char** argv) {
  testing::InitGoogleMock(&argc, argv);
  TApplication app;
  InstallAccessibility();
  app.SetTitle("Zettly tests");
  return RUN_ALL_TESTS();
}
