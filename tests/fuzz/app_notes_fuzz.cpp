// Any bytes as the notes file: loading never crashes or hangs, the document reads back what it
// writes, a save without a change leaves the file as it was, and a load, save and load gives the
// same notes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/Notes.h"
#include "tests/host/FakeFileStore.h"
#include "toolkit/IniDocument.h"

namespace {

const std::string kPath = "notices.msg";

bool SameNotes(const TNoteList& a, const TNoteList& b) {
  if (a.NoteCount() != b.NoteCount()) return false;
  for (int k = 1; k <= MaxNotes; ++k) {
    const TNotice &x = a.Notes(k), &y = b.Notes(k);
    if (x.Content != y.Content || x.Attach != y.Attach || x.Used != y.Used || x.Exposure != y.Exposure) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  if (const auto doc = TIniDocument::FromBytes(bytes)) {
    const std::string once = doc->ToBytes();
    const auto again = TIniDocument::FromBytes(once);
    if (!again || again->ToBytes() != once) std::abort();
  }

  TFakeFileStore store;
  store.Files[kPath] = bytes;
  TNoteList first(&store, kPath), second(&store, kPath);
  first.LoadNotes();
  first.SaveNotes();
  if (store.Files[kPath] != bytes) std::abort();
  if (first.NoteCount() > 0) first.DeleteNote(first.NoteCount());
  first.SaveNotes();
  second.LoadNotes();
  if (!SameNotes(first, second)) std::abort();
  return 0;
}
