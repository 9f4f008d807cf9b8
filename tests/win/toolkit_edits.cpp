// Text boxes over system controls: the rich-text box's limit, Enter, paste and exact text; the
// spin field's value as typed and its bounds; the labelled box; the owner-drawn push button;
// the open-file dialog's request; Tab order and the focus a form gives back.
#include <gtest/gtest.h>

#include <string>

#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/Render.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/BitBtn.h"
#include "toolkit/win/Dialogs.h"
#include "toolkit/win/Edits.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/RichEdit.h"
#include "toolkit/win/Spin.h"
#include "toolkit/win/Text.h"

namespace {

void PutClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(GlobalLock(mem));
  text.copy(p, text.size());
  p[text.size()] = L'\0';
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
}

void Type(HWND hwnd, const std::wstring& keys) {
  for (wchar_t c : keys) SendMessageW(hwnd, WM_CHAR, c, 1);
}

// A shown form with controls on it.
class FormFixture : public testing::Test {
 protected:
  void SetUp() override {
    form_.SetBorderStyle(TBorderStyle::bsToolWindow);
    form_.SetClientSize(300, 200);
  }
  void TearDown() override { form_.Hide(); }
  template <typename T>
  T* Add(int left, int top, int width, int height) {
    auto* c = new T(&form_);
    c->SetBounds(left, top, width, height);
    c->SetParent(&form_);
    return c;
  }
  void Open() {
    form_.FinishCreate();
    form_.Show();
    PumpMessages();
  }
  TForm form_{nullptr};
};

// ---------------------------------------------------------------------------- TRichEdit

class RichEditTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    edit_ = Add<TRichEdit>(4, 20, 218, 86);
    edit_->SetMaxLength(200);
    edit_->SetWantReturns(false);
    edit_->OnChange = [this](TObject*) { ++changes_; };
    Open();
  }
  TRichEdit* edit_ = nullptr;
  int changes_ = 0;
};

TEST_F(RichEditTest, TheLimitRefusesThe201stCharacter) {
  Type(edit_->Handle(), std::wstring(201, L'a'));
  EXPECT_EQ(edit_->TextLength(), 200);
  EXPECT_EQ(edit_->Text(), std::string(200, 'a'));
  EXPECT_GE(changes_, 200);
}

TEST_F(RichEditTest, EnterTypesNothingAndTabIsLeftToTheForm) {
  Type(edit_->Handle(), L"ab");
  SendMessageW(edit_->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Type(edit_->Handle(), L"\r\n\tc");
  EXPECT_EQ(edit_->Text(), "abc");
  MSG msg{edit_->Handle(), WM_KEYDOWN, VK_TAB, 1};
  const LRESULT code = SendMessageW(edit_->Handle(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg));
  EXPECT_FALSE(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS));
}

TEST_F(RichEditTest, PastedLineBreaksBecomeBlanksAndThePasteStopsAtTheLimit) {
  PutClipboard(L"one\r\ntwo\nthree\rfour");
  SendMessageW(edit_->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit_->Text(), "one two three four");
  EXPECT_EQ(edit_->TextLength(), 18);

  edit_->SetText(std::string(195, 'x'));
  SendMessageW(edit_->Handle(), EM_SETSEL, 195, 195);
  PutClipboard(L"12\r\n3456789");
  SendMessageW(edit_->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit_->Text(), std::string(195, 'x') + "12 34");
}

TEST_F(RichEditTest, LineBreaksArrivingAnotherWayAreReplacedToo) {
  SendMessageW(edit_->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"left\r\nright\vend"));
  EXPECT_EQ(edit_->Text(), "left right end");
  EXPECT_GE(changes_, 1);
}

TEST_F(RichEditTest, SetTextKeepsTheTextExactlyAndAnnouncesItOnce) {
  struct Case {
    std::string text;
  } cases[] = {{"{\\rtf1 hello}"}, {std::string(250, 'n')}, {"caf\xC3\xA9 \xE2\x82\xAC"}, {""}};
  for (const Case& c : cases) {
    edit_->SetText("seed");
    changes_ = 0;
    edit_->SetText(c.text);
    EXPECT_EQ(edit_->Text(), c.text);
    EXPECT_EQ(changes_, 1) << c.text;
  }
  changes_ = 0;
  edit_->SetText("");
  EXPECT_EQ(changes_, 0);  // no change, no notice
  // Still limited for the user after a long text was set.
  edit_->SetText(std::string(250, 'n'));
  Type(edit_->Handle(), L"z");
  EXPECT_EQ(edit_->TextLength(), 250);
}

// ---------------------------------------------------------------------------- TSpinEdit

class SpinEditTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    spin_ = Add<TSpinEdit>(147, 168 - 100, 46, 22);
    spin_->SetMinValue(3);
    spin_->SetMaxValue(60);
    spin_->SetValue(3);
    spin_->SetMaxLength(2);
    other_ = Add<TEdit>(5, 5, 100, 21);
    Open();
  }
  TSpinEdit* spin_ = nullptr;
  TEdit* other_ = nullptr;
};

TEST_F(SpinEditTest, ValueIsTheTextAsTypedAndMinValueForANonNumber) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"0", 0}, {"99", 99}, {"7", 7}, {"", 3}, {"ab", 3}, {"-", 3}, {"12x", 3}, {"-5", -5}};
  for (const auto& c : cases) {
    spin_->SetText(c.text);
    EXPECT_EQ(spin_->Value(), c.value) << c.text;
  }
}

TEST_F(SpinEditTest, TypingTakesTwoDigitsAtMostAndNothingElse) {
  spin_->SetText("");
  Type(spin_->Handle(), L"1x23");
  EXPECT_EQ(spin_->Text(), "12");
  spin_->SetText("");
  PutClipboard(L"a-7b8c9");
  SendMessageW(spin_->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(spin_->Text(), "78");
}

TEST_F(SpinEditTest, ArrowsAndSettingClampWhileTypingDoesNot) {
  const struct {
    const char* typed;
    bool up;
    const char* after;
  } cases[] = {{"99", true, "60"}, {"99", false, "60"}, {"0", true, "3"}, {"0", false, "3"},
               {"10", true, "11"}, {"10", false, "9"}, {"60", true, "60"}, {"3", false, "3"}};
  for (const auto& c : cases) {
    spin_->SetText(c.typed);
    SendMessageW(spin_->Handle(), WM_KEYDOWN, c.up ? VK_UP : VK_DOWN, 1);
    EXPECT_EQ(spin_->Text(), c.after) << c.typed << (c.up ? " up" : " down");
  }
  spin_->SetValue(2500 / 1000);
  EXPECT_EQ(spin_->Text(), "3");
  spin_->SetValue(455);
  EXPECT_EQ(spin_->Text(), "60");
}

TEST_F(SpinEditTest, TheArrowButtonStepsTheValue) {
  const HWND arrows = spin_->ButtonHandle();
  ASSERT_TRUE(arrows);
  RECT r;
  GetClientRect(arrows, &r);
  RECT edit;
  GetClientRect(spin_->Handle(), &edit);
  EXPECT_EQ(r.bottom, edit.bottom);
  spin_->SetText("10");
  auto press = [&](int y) {
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, y));
    SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, y));
  };
  press(2);
  EXPECT_EQ(spin_->Text(), "11");
  press(r.bottom - 2);
  press(r.bottom - 2);
  EXPECT_EQ(spin_->Text(), "9");
}

TEST_F(SpinEditTest, LosingTheFocusBringsATypedValueIntoBounds) {
  const struct {
    const char* typed;
    const char* after;
  } cases[] = {{"99", "60"}, {"0", "3"}, {"45", "45"}, {"", ""}};
  for (const auto& c : cases) {
    spin_->SetFocus();
    spin_->SetText(c.typed);
    EXPECT_EQ(spin_->Value(), c.typed[0] ? std::stoi(c.typed) : 3);
    other_->SetFocus();
    EXPECT_EQ(spin_->Text(), c.after) << c.typed;
  }
}

// ---------------------------------------------------------------------------- TLabeledEdit

TEST_F(FormFixture, LabeledEditKeepsItsLabelAboveAndDrawsTextInTheFontColour) {
  auto* edit = Add<TLabeledEdit>(5, 140, 188, 21);
  edit->EditLabel().SetCaption("Attachment");
  edit->SetLabelSpacing(2);
  edit->Font().SetColor(clNavy);
  Open();
  const TLabel& label = edit->EditLabel();
  EXPECT_EQ(label.Parent(), &form_);
  EXPECT_EQ(label.Left(), 5);
  EXPECT_GT(label.Height(), 0);
  EXPECT_EQ(label.Top() + label.Height() + 2, 140);
  edit->SetBounds(20, 100, 188, 21);
  EXPECT_EQ(label.Left(), 20);
  EXPECT_EQ(label.Top() + label.Height() + 2, 100);
  edit->SetVisible(false);
  EXPECT_FALSE(label.Visible());

  const CompatibleDC dc(nullptr);
  const LRESULT brush = SendMessageW(form_.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                                     reinterpret_cast<LPARAM>(edit->Handle()));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc.Get()), ColorToRGB(clNavy));
  EXPECT_EQ(GetBkColor(dc.Get()), ColorToRGB(clWindow));

  edit->SetText("C:\\a.txt");
  Type(edit->Handle(), L"\r\x1b");  // the form's keys: not typed, no beep
  EXPECT_EQ(edit->Text(), "C:\\a.txt");
}

// ---------------------------------------------------------------------------- TBitBtn

TEST_F(FormFixture, BitBtnClicksOnceByMouseOrKeyAndDrawsItsCaptionInTheFontColour) {
  auto* button = Add<TBitBtn>(199, 140, 23, 23);
  button->SetCaption("...");
  button->Font().SetColor(clNavy);
  button->Font().SetStyle(fsBold);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  Open();
  SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);

  RenderedImage image(23, 23);
  DRAWITEMSTRUCT item{ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, button->Handle(), image.Dc(), {0, 0, 23, 23}, 0};
  EXPECT_TRUE(SendMessageW(form_.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)));
  int navy = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 23; ++x) navy += image.Pixel(x, y) == clNavy;
  EXPECT_GT(navy, 2);  // the three dots
  EXPECT_EQ(image.Pixel(11, 3), ColorToRGB(clBtnFace));
}

// ---------------------------------------------------------------------------- TOpenDialog

TEST(OpenDialogTest, ConfirmedFileIsTakenAndACancelKeepsTheOldName) {
  WithFakeSystem fake;
  TOpenDialog dialog(nullptr);
  dialog.SetTitle("Locate it");
  dialog.SetOptions(ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofEnableSizing);
  dialog.SetFileName("old.txt");

  fake.open_file_confirms = false;
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "old.txt");

  fake.open_file_confirms = true;
  fake.open_file_result = L"C:\\Reports\\w\u00e9ek.xls";
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\Reports\\w\xC3\xA9" "ek.xls");

  ASSERT_EQ(fake.open_file_requests.size(), 2u);
  const OPENFILENAMEW& r = fake.open_file_requests[0];
  EXPECT_EQ(r.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                                        OFN_FILEMUSTEXIST | OFN_ENABLESIZING));
  EXPECT_GE(r.nMaxFile, static_cast<DWORD>(MAX_PATH));
  EXPECT_NE(r.hwndOwner, nullptr);
}

// ---------------------------------------------------------------------------- focus

TEST_F(FormFixture, TabWalksTheTabStopsInTabOrderSkippingHiddenOnes) {
  auto* a = Add<TEdit>(5, 5, 50, 21);
  auto* b = Add<TEdit>(5, 30, 50, 21);
  auto* c = Add<TEdit>(5, 55, 50, 21);
  auto* hidden = Add<TEdit>(5, 80, 50, 21);
  auto* rich = Add<TRichEdit>(5, 105, 100, 40);
  c->SetTabOrder(0);
  rich->SetTabOrder(1);
  a->SetTabOrder(2);
  hidden->SetTabOrder(3);
  b->SetTabOrder(4);
  hidden->SetVisible(false);
  Open();
  c->SetFocus();
  auto tab = [] {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    Application->ProcessMessages();
    return GetFocus();
  };
  EXPECT_EQ(tab(), rich->Handle());
  EXPECT_EQ(tab(), a->Handle());
  EXPECT_EQ(tab(), b->Handle());
  EXPECT_EQ(tab(), c->Handle());  // round again
  a->SetText("selected");
  EXPECT_EQ(tab(), rich->Handle());
  EXPECT_EQ(tab(), a->Handle());
  DWORD from = 1, to = 0;
  SendMessageW(a->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 8u);
}

TEST_F(FormFixture, TheActiveControlHasTheFocusOnFirstShowAndGetsItBackOnActivation) {
  auto* a = Add<TEdit>(5, 5, 50, 21);
  auto* b = Add<TEdit>(5, 30, 50, 21);
  form_.SetActiveControl(b);
  b->SetText("42");
  Open();
  EXPECT_EQ(GetFocus(), b->Handle());
  DWORD from = 1, to = 0;  // typing replaces what the box held
  SendMessageW(b->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 2u);
  a->SetFocus();
  TForm other(nullptr);
  other.FinishCreate();
  other.Show();
  PumpMessages();
  EXPECT_NE(GetFocus(), a->Handle());
  other.Hide();
  form_.Show();
  PumpMessages();
  EXPECT_EQ(GetFocus(), a->Handle());
}

}  // namespace
