// What the note window's controls tell a screen reader beyond their captions and hints.
#include "app/win/StickForm.h"

namespace {
// The time a clock shows, "12:34:56"; empty while it shows none.
std::string ClockReading(const TDigitClock& clock) {
  // Hours, minutes and seconds cells; the separator blinks and is not read.
  static constexpr int kDigitCells[] = {1, 2, 4, 5, 6, 7};
  std::string text;
  for (int n : kDigitCells) {
    if (n == 6 && !clock.ShowSeconds()) break;
    const TChar c = clock.Cells(n)->Char();
    if (n == 1 && c == chBlank) continue;  // hours below ten
    if (c < 0 || c > 9) return "";
    if (n == 4 || n == 6) text += ':';
    text += static_cast<char>('0' + c);
  }
  return text;
}
}  // namespace

void TStickForm::DescribeForScreenReaders() {
  CycleButton->OnDescribeAccessible = [](const TControl&, TAccessibleInfo& info) {
    info.Text.Name = "Cycling";  // its hint says ON or OFF, which the pressed state tells already
    info.Text.Shortcut = CommandRow(TStickCommand::Cycle)->Keys;
  };
  AttachmentButton->OnDescribeAccessible = [](const TControl& button, TAccessibleInfo& info) {
    info.Text.Name = "Attachment";
    info.Text.Description = button.Hint();
  };
  DigitalClock->OnDescribeAccessible = [clock = DigitalClock](const TControl&, TAccessibleInfo& info) {
    info.Text.Name = ClockReading(*clock);
    info.Text.Description = clock->Hint();  // the date
    info.Role = TAccessibleRole::StaticText;
  };
}
