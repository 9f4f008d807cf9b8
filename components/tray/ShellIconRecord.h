// What the shell holds of one notification-area icon, as far as the replies to our own calls
// tell, so that calls which cannot change anything there are left out. Each call to the shell is
// a round trip to another process. A refused call may also be one that timed out after the shell
// took it, so a refusal makes the record unknown, and an unknown icon is always told.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What the icon looks like: its image (a number that changes with every new image, since a
// handle value may be reused) and its tooltip.
struct TShellIconLook {
  uint64_t Image = 0;
  std::u16string Tip;
  bool operator==(const TShellIconLook&) const = default;
};

class TShellIconRecord {
 public:
  // Whether the call can change anything in the shell now.
  bool AddNeeded() const { return presence_ != Presence::Present; }
  bool RemoveNeeded() const { return presence_ != Presence::Absent; }
  bool ModifyNeeded(const TShellIconLook& look) const;
  bool VersionNeeded(uint32_t version) const;
  bool Present() const { return presence_ == Presence::Present; }

  // The shell's answer to each call (true: accepted).
  void Added(bool accepted, const TShellIconLook& look);
  void Removed(bool accepted);
  void Modified(bool accepted, const TShellIconLook& look);
  void VersionTold(bool accepted, uint32_t version);
  // A new taskbar holds no icon of ours.
  void ShellRestarted();

 private:
  enum class Presence { Absent, Present, Unknown };
  void MakeUnknown();

  Presence presence_ = Presence::Absent;
  std::optional<TShellIconLook> shown_;  // what the shell shows, when known
  std::optional<uint32_t> version_;      // the version the shell has for the icon, when known
};
