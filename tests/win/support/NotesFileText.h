// Notes files as the Win32 tests put them in place, written out by hand rather than by the
// program's writer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct NoteRow {
  std::string content, attach;
  int32_t exposure;
};

// As an earlier run leaves it: [General] with N, then a section per note, CR LF throughout.
inline std::string NotesFileText(const std::vector<NoteRow>& notes) {
  std::string s = "[General]\r\nN=" + std::to_string(notes.size()) + "\r\n";
  for (size_t i = 0; i < notes.size(); ++i) {
    s += "[Note" + std::to_string(i + 1) + "]\r\nContent=" + notes[i].content + "\r\nAttach=" + notes[i].attach +
         "\r\nExposure=" + std::to_string(notes[i].exposure) + "\r\n";
  }
  return s;
}
