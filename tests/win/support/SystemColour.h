// A system colour changed for a scope, as a theme change does, and the old one put back after.
#pragma once
#include <windows.h>

class SystemColourFor {
 public:
  SystemColourFor(int index, COLORREF colour) : index_(index), old_(GetSysColor(index)) { SetSysColors(1, &index_, &colour); }
  ~SystemColourFor() { SetSysColors(1, &index_, &old_); }
  SystemColourFor(const SystemColourFor&) = delete;
  SystemColourFor& operator=(const SystemColourFor&) = delete;

 private:
  int index_;
  COLORREF old_;
};
