// The note window's view of the list: stepping with wrap-around, cycling times, the counter, and
// a list that changes under the note on display.
#include <gtest/gtest.h>

#include <string>

#include "app/NoteView.h"
#include "tests/host/FakeFileStore.h"

namespace {

struct WrapCase {
  int32_t k, count, expected;
};

class WrapNoteNumberTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapNoteNumberTest, StepsWrapAroundBothEnds) {
  const WrapCase c = GetParam();
  EXPECT_EQ(WrapNoteNumber(c.k, c.count), c.expected) << "k=" << c.k << " n=" << c.count;
}

INSTANTIATE_TEST_SUITE_P(Steps, WrapNoteNumberTest,
                         testing::Values(WrapCase{4, 3, 1},    // forward from the last note
                                         WrapCase{0, 3, 3},    // back from the first note
                                         WrapCase{-1, 3, 3},   // back before anything was shown
                                         WrapCase{2, 3, 2}, WrapCase{1, 1, 1}, WrapCase{2, 1, 1},
                                         WrapCase{100, 99, 1}, WrapCase{0, 0, 0},  // empty: no note
                                         WrapCase{-1, 0, 0}, WrapCase{5, 0, 1}));

TEST(ExposureInterval, ZeroAndNegativeStopTheCycling) {
  EXPECT_EQ(ExposureInterval(5000), 5000u);
  EXPECT_EQ(ExposureInterval(0), 0u);
  EXPECT_EQ(ExposureInterval(-5), 0u);
  EXPECT_EQ(ExposureInterval(INT32_MAX), static_cast<uint32_t>(INT32_MAX));
}

// A list read from a notes file holding notes with these exposures (texts "n1", "n2"...).
class NoteViewTest : public testing::Test {
 protected:
  void Load(std::initializer_list<int32_t> exposures) {
    std::string file = "[General]\r\nN=" + std::to_string(exposures.size()) + "\r\n";
    int k = 0;
    for (int32_t e : exposures) {
      ++k;
      file += "[Note" + std::to_string(k) + "]\r\nContent=n" + std::to_string(k) + "\r\nAttach=\r\nExposure=" +
              std::to_string(e) + "\r\n";
    }
    store.Files["notices.msg"] = file;
    list.LoadNotes();
  }
  std::string Text() const { return view.ShownNote() ? view.ShownNote()->Content : "-"; }

  TFakeFileStore store;
  TNoteList list{&store, "notices.msg"};
  TNoteView view{list};
};

TEST_F(NoteViewTest, StepsWrapBothWaysAndEachNoteCyclesForItsOwnTime) {
  Load({4000, 0, 7000});
  EXPECT_EQ(view.Shown(), 0);
  EXPECT_EQ(view.CounterText(), "1 / 3");  // before the first note comes up
  EXPECT_EQ(view.CycleInterval(), 0u);
  view.Back();  // back before anything was shown: the last note
  EXPECT_EQ(Text(), "n3");
  EXPECT_EQ(view.CycleInterval(), 7000u);
  view.Forward();
  EXPECT_EQ(Text(), "n1");
  EXPECT_EQ(view.CounterText(), "1 / 3");
  EXPECT_EQ(view.CycleInterval(), 4000u);
  view.Forward();
  EXPECT_EQ(view.CycleInterval(), 0u);  // an exposure of 0 holds the cycling on its note
  view.Forward();
  EXPECT_EQ(view.CounterText(), "3 / 3");
  view.Back();
  view.Back();
  view.Back();
  EXPECT_EQ(Text(), "n3");
}

TEST_F(NoteViewTest, ASingleNoteOrNoneHasNothingToCycleTo) {
  Load({});
  EXPECT_EQ(view.Forward(), nullptr);
  EXPECT_EQ(view.Back(), nullptr);
  EXPECT_EQ(view.Shown(), 0);
  EXPECT_EQ(view.CounterText(), "0 / 0");
  EXPECT_EQ(view.CycleInterval(), 0u);
  Load({5000});
  view.Forward();
  view.Forward();
  EXPECT_EQ(Text(), "n1");
  EXPECT_EQ(view.CycleInterval(), 0u);
  EXPECT_EQ(view.CounterText(), "1 / 1");
}

TEST_F(NoteViewTest, AListShrinkingUnderTheShownNoteFindsTheNearestLeft) {
  Load({3000, 3000, 3000, 3000});
  view.Show(4);
  list.DeleteNote(4);
  EXPECT_EQ(view.ShownNote(), nullptr);  // not the note that moved into its place, nor garbage
  EXPECT_EQ(view.CycleInterval(), 0u);
  EXPECT_EQ(view.ShowNearest()->Content, "n3");
  EXPECT_EQ(view.CounterText(), "3 / 3");
  view.Show(2);
  Load({3000});  // the file reloaded with fewer notes
  EXPECT_EQ(view.ShowNearest()->Content, "n1");
  Load({});
  EXPECT_EQ(view.ShowNearest(), nullptr);
  EXPECT_EQ(view.Shown(), 0);
  EXPECT_EQ(view.Forward(), nullptr);
}

}  // namespace
