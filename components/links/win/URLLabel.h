// A label that works as a hyperlink: underlined caption, hand cursor, blue while the mouse is
// over it and black after (the theme's link colour under high contrast), and a click hands the caption (completed with its scheme) to the shell.
#pragma once
#include <string>

#include "components/links/LinkTarget.h"
#include "toolkit/win/StdCtrls.h"

// The screen cursor number of the link hand ("URLCURSOR_1" in the program's resources).
constexpr int LinkCursor = 512;

class TURLLabel : public TCustomLabel {
 public:
  // Puts the link cursor into the screen's table again (replacing whatever 512 held; loaded on
  // first use) and takes it as the label's cursor.
  explicit TURLLabel(TComponent* owner);

  TURLType URLType() const { return url_type_; }
  void SetURLType(TURLType type) { url_type_ = type; }
  // What a click hands to the shell, built from the current caption and kind.
  std::string LinkTarget() const { return BuildLinkTarget(Caption(), url_type_); }

  // The click notification first, then the shell's "open" of the target; its result is ignored.
  void Click() override;
  void MouseEnter() override;
  void MouseLeave() override;
  // Under a high-contrast theme in the theme's link colour, whatever the mouse did.
  void Paint(TCanvas& canvas) override;
  // A link, whose description is where it leads.
  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::Link; }
  TAccessibleText AccessibleName() const override;
  // The hand drawn for the new DPI replaces the screen's link cursor.
  void ChangeScale(int newDpi) override;

 private:
  TURLType url_type_ = TURLType::utHTTP;
};
