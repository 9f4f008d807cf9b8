// Loading and saving a full list: 99 notes of 200 characters, ASCII and non-ASCII.
#include <benchmark/benchmark.h>

#include <string>

#include "app/Notes.h"
#include "tests/host/FakeFileStore.h"

namespace {

const std::string kPath = "notices.msg";

// 200 characters; `piece` is one character in UTF-8.
void FillList(TNoteList& list, const std::string& piece) {
  for (int k = 1; k <= MaxNotes; ++k) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += i % 7 == 0 ? std::string(" ") : piece;
    list.AppendNote(
        {.Content = text, .Attach = "C:\\Reports\\week" + std::to_string(k) + ".xls", .Exposure = 3000 + k});
  }
}

void SaveNotes(benchmark::State& state, const std::string& piece) {
  TFakeFileStore store;
  TNoteList list(&store, kPath);
  FillList(list, piece);
  list.SaveNotes();  // the file exists, as it does from the second save on
  const TNotice first = list.Notes(1);
  for (auto _ : state) {
    list.ReplaceNote(1, first);  // a list that changed is written
    list.SaveNotes();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * store.Files[kPath].size()));
}

void LoadNotes(benchmark::State& state, const std::string& piece) {
  TFakeFileStore store;
  TNoteList writer(&store, kPath), list(&store, kPath);
  FillList(writer, piece);
  writer.SaveNotes();
  for (auto _ : state) {
    list.LoadNotes();
    benchmark::DoNotOptimize(list.NoteCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * store.Files[kPath].size()));
}

BENCHMARK_CAPTURE(SaveNotes, ascii, std::string("a"));
BENCHMARK_CAPTURE(SaveNotes, unicode, std::string("\xCE\xB1"));
BENCHMARK_CAPTURE(LoadNotes, ascii, std::string("a"));
BENCHMARK_CAPTURE(LoadNotes, unicode, std::string("\xCE\xB1"));

}  // namespace
