// What the program does when an exception escapes everything or a noexcept function throws.
// libstdc++'s default prints the exception's demangled type on stderr, which a windowed program
// does not have, and drags the whole demangler into the executable for it. Defining the default
// here, in an object of the executable itself, keeps the library's from being linked at all.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "toolkit/win/Text.h"

namespace {

void Report(const std::string& what) {
  OutputDebugStringW(ToWide("Zettly: terminated: " + what + "\n").c_str());
}

}  // namespace

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  // A what() that throws in turn lands here again: then only abort.
  static bool entered = false;
  if (!entered) {
    entered = true;
    if (const std::exception_ptr e = std::current_exception()) {
      try {
        std::rethrow_exception(e);
      } catch (const std::exception& ex) {
        Report(ex.what());
      } catch (...) {
        Report("an exception of an unknown type");
      }
    } else {
      Report("no active exception");
    }
  }
  // The runtime tells the user that the program ended abnormally.
  std::abort();
}

}  // namespace __gnu_cxx
