// Auto-sized labels measure their text late, when their parent's window is made or their size is
// read; whichever comes first, the size must fit the text as an immediate measure would.
#include <gtest/gtest.h>

#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/StdCtrls.h"

namespace {

constexpr char kText[] = "Exposure Time (seconds)";

class LabelSizeTest : public testing::Test {
 protected:
  static TLabel* AddLabel(TForm& form, TAlignment alignment) {
    auto* label = new TLabel(&form);
    label->SetBounds(100, 10, 65, 17);
    label->SetAlignment(alignment);
    label->SetCaption(kText);
    label->SetParent(&form);
    return label;
  }
  // The bounds as the parent paints and hit-tests them, without asking the label to measure.
  static TRect AsParentSees(const TLabel& label) { return static_cast<const TControl&>(label).BoundsRect(); }

  TRect MeasuredAtOnce(TAlignment alignment) {
    shown_.Handle();
    TLabel* label = AddLabel(shown_, alignment);
    shown_.FinishCreate();
    return AsParentSees(*label);
  }

  TForm shown_{nullptr};
  TForm form_{nullptr};
};

TEST_F(LabelSizeTest, TheSizeFitsTheTextWhenReadBeforeTheWindowAndWhereTheParentSeesIt) {
  const TRect centred = MeasuredAtOnce(TAlignment::taCenter);
  ASSERT_GT(centred.Width(), 65);  // the text is wider than the default box
  TLabel* read = AddLabel(form_, TAlignment::taCenter);
  TLabel* unread = AddLabel(form_, TAlignment::taCenter);
  form_.FinishCreate();
  ASSERT_FALSE(form_.HandleAllocated());
  EXPECT_EQ(read->BoundsRect(), centred);  // centred on the designed box, as measured at once
  form_.Handle();
  EXPECT_EQ(AsParentSees(*unread), centred);  // painted and hit there, never read through the label
  EXPECT_EQ(form_.ControlAtPos({centred.Left + 1, centred.Top + 1}), unread);
}

TEST_F(LabelSizeTest, ALabeledEditsLabelSitsOnTheEditAtItsMeasuredHeight) {
  auto* edit = new TLabeledEdit(&form_);
  edit->SetBounds(5, 140, 188, 21);
  edit->SetParent(&form_);
  edit->SetLabelSpacing(2);
  form_.FinishCreate();
  edit->EditLabel().Font().SetHeight(-30);  // owed: the form has no window yet
  form_.Handle();
  const TRect placed = AsParentSees(edit->EditLabel());
  EXPECT_GT(placed.Height(), 30);
  EXPECT_EQ(placed.Bottom + 2, 140);
}

}  // namespace
