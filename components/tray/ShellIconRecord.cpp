#include "components/tray/ShellIconRecord.h"

bool TShellIconRecord::ModifyNeeded(const TShellIconLook& look) const {
  if (presence_ == Presence::Absent) return false;  // the shell would refuse: nothing to change
  return !shown_ || *shown_ != look;
}

bool TShellIconRecord::VersionNeeded(uint32_t version) const {
  // An icon not there yet is told its version when it is added.
  return presence_ != Presence::Absent && version_ != version;
}

void TShellIconRecord::Added(bool accepted, const TShellIconLook& look) {
  if (!accepted) return MakeUnknown();
  presence_ = Presence::Present;
  shown_ = look;
  version_ = 0;  // the shell takes every new icon as a classic one
}

void TShellIconRecord::Removed(bool accepted) {
  if (!accepted) return MakeUnknown();
  presence_ = Presence::Absent;
  shown_.reset();
  version_.reset();
}

void TShellIconRecord::Modified(bool accepted, const TShellIconLook& look) {
  if (!accepted) return MakeUnknown();
  presence_ = Presence::Present;  // only an icon that is there can be changed
  shown_ = look;
}

void TShellIconRecord::VersionTold(bool accepted, uint32_t version) {
  // A refused version says nothing about the icon itself.
  if (accepted) version_ = version;
  else version_.reset();
}

void TShellIconRecord::ShellRestarted() {
  presence_ = Presence::Absent;
  shown_.reset();
  version_.reset();
}

void TShellIconRecord::MakeUnknown() {
  presence_ = Presence::Unknown;
  shown_.reset();
  version_.reset();
}
