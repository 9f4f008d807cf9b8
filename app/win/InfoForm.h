// The About box: product name and version, copyright, the web and mail links, and an oval
// "Close" button; created once with the other windows and shown modally on demand.
#pragma once
#include <windows.h>

#include "components/links/win/URLLabel.h"
#include "components/ovalbutton/win/OvalButton.h"
#include "toolkit/win/ComCtrls.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/ImgList.h"
#include "toolkit/win/StdCtrls.h"

// The addresses of the web and mail links; a link without one is not shown.
struct TAboutLinks {
  const char* Web;
  const char* Mail;
};
// Those set where the program is built (ZETTLY_WEB_ADDRESS, ZETTLY_MAIL_ADDRESS; none by default).
TAboutLinks BuiltAboutLinks();

class TInfoForm : public TForm {
 public:
  explicit TInfoForm(TComponent* owner, TAboutLinks links = BuiltAboutLinks());

  // The modal result "Close" gives: 3, the dialog's cancel (the caller does not look at it).
  static constexpr int CloseResult = 3;

  // Controls and components, all owned by the form.
  TImageList* TabImages = nullptr;
  TPageControl* Pages = nullptr;
  TTabSheet* AboutTabSheet = nullptr;
  TPanel* AboutPanel = nullptr;
  TLabel* VersionLabel = nullptr;
  TLabel* CopyrightLabel = nullptr;
  TURLLabel* WebLink = nullptr;
  TURLLabel* MailLink = nullptr;
  TOvalButton* CloseButton = nullptr;

  // Event handlers.
  void CloseButtonClick(TObject* sender);
  void AboutTabSheetResize(TObject* sender);
  void AboutPanelResize(TObject* sender);

  // Enter closes the box as "Close" does, Esc as a dialog's cancel: it has no close box.
  void KeyDown(uint16_t& key, TShiftState shift) override;
  // The tab's icon is drawn for each scale.
  void ChangeScale(int newDpi) override;

 protected:
  void HandleCreated() override;

 private:
  // The controls, one function each, in the order they stack and take the keyboard.
  void CreateControls();
  TImageList* MakeTabImages();
  TPageControl* MakePages();
  TTabSheet* MakeAboutTabSheet();
  TPanel* MakeAboutPanel();
  TLabel* MakeTextLabel(const char* name, TRect bounds, const char* text, int height, TFontStyles style);
  TURLLabel* MakeLink(const char* name, TRect bounds, TURLType type, const char* address);
  TOvalButton* MakeCloseButton();
  // The links keep their own text width and sit in the middle of the panel.
  void CentreLinks();

  TAboutLinks links_;
};
