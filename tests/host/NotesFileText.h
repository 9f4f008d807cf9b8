// Notes files as tests put them in place: written out by hand, not by the program's writer, so
// that a fault in that writer cannot hide in what a test reads.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/Notice.h"

// One note's section.
struct TNoteSection {
  int Number = 0;  // 0: the one after the section before
  std::string Content, Attach;
  int32_t Exposure = DefaultExposure;
  std::string More;  // further lines of the section, each ending in CR LF
};

// As an earlier run leaves it, CR LF throughout: [General] with N=count (when not given, the
// number of sections), then the sections in order.
inline std::string NotesFileText(const std::vector<TNoteSection>& sections,
                                 const std::optional<std::string>& count = std::nullopt) {
  std::string s = "[General]\r\nN=" + count.value_or(std::to_string(sections.size())) + "\r\n";
  int k = 0;
  for (const TNoteSection& n : sections) {
    k = n.Number ? n.Number : k + 1;
    s += "[Note" + std::to_string(k) + "]\r\nContent=" + n.Content + "\r\nAttach=" + n.Attach +
         "\r\nExposure=" + std::to_string(n.Exposure) + "\r\n" + n.More;
  }
  return s;
}
