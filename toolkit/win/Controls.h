// Controls: TControl (bounds, look, mouse events), TGraphicControl (windowless, painted by its
// parent) and TWinControl (owns an HWND, a virtual window procedure and children).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/AccessibleText.h"
#include "toolkit/Component.h"
#include "toolkit/MouseState.h"
#include "toolkit/Scaling.h"
#include "toolkit/win/Graphics.h"

class TWinControl;
class TPopupMenu;
LRESULT CALLBACK ZettlyWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ZettlyNativeProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
const wchar_t* ZettlyWindowClass();  // registered on first use

// Screen cursor numbers (the screen's cursor table maps them to cursors).
enum : int {
  crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22,
  crHourGlass = -11, crHandPoint = -21, crNo = -18, crAppStart = -19
};

// One decoded window message; handlers set Handled and Result.
struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result = 0;
};

class TControl;

// Where a screen reader's service plugs in (set once at start-up, when there is one): the base
// layer raises these without knowing who listens.
struct TAccessibilityHooks {
  // Answers WM_GETOBJECT for a window of ours; true when answered.
  bool (*AnswerGetObject)(TWinControl& window, TMessage& m) = nullptr;
  // Answers WM_GETOBJECT for a system window that is part of a control of ours (a spin field's
  // arrows): it is called what `owner` is, in the given role; true when answered.
  bool (*AnswerPartGetObject)(TWinControl& owner, HWND part, TAccessibleRole role, TMessage& m) = nullptr;
  // A control's name (its caption) or its focus changed.
  void (*NameChanged)(const TControl& control) = nullptr;
  void (*FocusChanged)(const TControl& control) = nullptr;
  // A control's state (pressed, checked) changed.
  void (*StateChanged)(const TControl& control) = nullptr;
};
TAccessibilityHooks& AccessibilityHooks();

using TAccessibleDescribeEvent = std::function<void(const TControl& control, TAccessibleInfo& info)>;

TShiftState ShiftFromKeys(WPARAM keys);  // MK_* flags of a mouse message
TShiftState KeyboardShift();             // Shift, Ctrl, Alt held now (GetKeyState)

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  virtual TRect ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to a shown window.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool v);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h);
  bool ShowHint() const;  // resolved through ParentShowHint
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool v);
  int Cursor() const { return cursor_; }
  void SetCursor(int c) { cursor_ = c; }
  TPopupMenu* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TPopupMenu* menu) { popup_menu_ = menu; }

  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  // Tab stops are visited by tab order among their siblings. A windowless control reached by Tab
  // has the keyboard while its parent window has the focus, shows a focus cue and is clicked by
  // Space and Enter.
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order) { tab_order_ = order; }
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v) { tab_stop_ = v; }
  virtual bool Focused() const;

  // What a screen reader is told about the control: by default its caption and hint, a button
  // when a windowless control acts on a click, and its keyboard state. Controls that are more
  // than that say so here.
  virtual TAccessibleRole AccessibleRole() const;
  virtual TAccessibleText AccessibleName() const;
  virtual TAccessibleState AccessibleState() const;
  // The control a label names, or nullptr; and the label that names this control.
  virtual const TControl* LabelFor() const { return nullptr; }
  const TControl* NamingLabel() const;
  // The owner's word on the control, after the control's own (a form naming a button after what
  // it does).
  TAccessibleDescribeEvent OnDescribeAccessible;
  // Asks the parent (or the window) to repaint this control's area later.
  virtual void Invalidate();
  void Repaint();  // invalidate and paint now

  TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave, OnResize;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Mouse and notification steps; the parent routes them here. Coordinates are the control's own.
  virtual void Click();
  virtual void DblClick();
  // A click without the mouse, as Space, Enter and a screen reader's default action give one.
  virtual void PerformClick() { Click(); }
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // A key that may be an accelerator (Alt+letter, or a letter no focused control wants).
  virtual bool DialogChar(wchar_t) { return false; }
  virtual bool IsWindowed() const { return false; }
  // Windowless controls paint here, on their parent's surface, in their own coordinates.
  virtual void Paint(TCanvas&) {}

  // Properties pushed down from the parent.
  virtual void ParentColorChanged();
  virtual void ParentFontChanged();
  // A windowless control's parent has just made its window, on which the control will be drawn.
  virtual void ParentHandleCreated() {}

  // Tells, after an event handler ran, whether the control it was called on still exists (a
  // handler may destroy its own control, or the form holding it).
  class LifeGuard {
   public:
    explicit LifeGuard(const std::shared_ptr<char>& life) : life_(life) {}
    bool Alive() const { return !life_.expired(); }

   private:
    std::weak_ptr<char> life_;
  };
  LifeGuard Guard() const { return LifeGuard(life_); }

  // The DPI the control is laid out at: 96 (its design) until its form is scaled.
  int Dpi() const { return dpi_; }
  // Lays the control out at another DPI: its edges (through their 96 DPI values, so nothing
  // drifts), its own font by its point size, and whatever else a control draws at a size.
  virtual void ChangeScale(int newDpi);

 protected:
  // A length given at 96 DPI, at the control's DPI.
  int Scaled(int designValue) const { return ScaleForDpi(designValue, dpi_); }
  // Moves and sizes the control for its new DPI (dpi_ is already the new one).
  virtual void ScaleBounds(int oldDpi);
  virtual void CaptionChanged() { Invalidate(); }
  virtual void Resize();
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }

  friend class TWinControl;
  TWinControl* parent_ = nullptr;  // not owned
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  int dpi_ = kDesignDpi;

 private:
  bool enabled_ = true;
  std::string caption_;
  TColor color_ = clBtnFace;
  bool parent_color_ = true;
  TFont font_;
  bool parent_font_ = true;
  std::string hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  int cursor_ = crDefault;
  TPopupMenu* popup_menu_ = nullptr;  // not owned
  int tab_order_ = 0;
  bool tab_stop_ = false;
  std::shared_ptr<char> life_ = std::make_shared<char>();
};

class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
};

// Window creation parameters a control may adjust before its window is made.
struct TCreateParams {
  std::wstring ClassName;  // empty: the toolkit's own window class
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD ExStyle = 0;
  HWND Parent = nullptr;
  int X = 0, Y = 0, Width = 0, Height = 0;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  // A subclassed system control (edit box, tab control...) rather than a window of ours.
  bool IsNative() const { return native_; }
  TRect ClientRect() const override;
  // The children first: a resize that arranges them then finds them at the new scale.
  void ChangeScale(int newDpi) override;
  HWND Handle();  // creates the window when needed
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  void Invalidate() override;
  void InvalidateArea(const TRect& r);
  // While one lives, the areas invalidated in the control are kept and handed to its window
  // together at the end: one trip to the window server instead of one per area.
  class InvalidationBatch {
   public:
    explicit InvalidationBatch(TWinControl& control);
    ~InvalidationBatch();
    InvalidationBatch(const InvalidationBatch&) = delete;
    InvalidationBatch& operator=(const InvalidationBatch&) = delete;

   private:
    TWinControl& control_;
  };

  const std::vector<TControl*>& Controls() const { return controls_; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // The topmost visible windowless child at a point (client coordinates), or nullptr.
  TControl* ControlAtPos(TPoint p) const;
  void SetFocus();
  bool Focused() const override;
  // The windowless child that has the keyboard while this window has the focus, or nullptr.
  TControl* KeyboardChild() const { return keyboard_child_; }
  // Gives a windowless child the keyboard (nullptr: none), taking the focus to this window.
  void FocusChild(TControl* child);

  // The window procedure; the default handles painting, mouse routing, hints and cursors.
  virtual void WndProc(TMessage& m);
  void DefaultHandler(TMessage& m);
  // Draws the control's face and its windowless children into a DC, as a paint of the given
  // area would (tests render into memory bitmaps with it).
  void PaintTo(HDC target, const TRect& dirty);
  // Broadcasts an accelerator to this control's children, depth first.
  bool BroadcastDialogChar(wchar_t c);

  // Sent by the window procedure to the object named in a WM_COMMAND/WM_NOTIFY from its window.
  virtual void CommandNotify(WORD) {}
  virtual LRESULT Notify(NMHDR*) { return 0; }
  // Sent likewise for what a system control asks its parent about itself (WM_CTLCOLOR*,
  // WM_DRAWITEM); true when answered, with the answer in m.Result.
  virtual bool ParentAsks(TMessage&) { return false; }

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateHandle();
  virtual void DestroyHandle();
  // Runs once the window exists (push stored state into it).
  virtual void HandleCreated() {}
  // Paints the control's own face on the double buffer before its windowless children.
  virtual void PaintWindow(TCanvas& canvas);
  void CaptionChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  HWND ParentHandleForCreate();

  HWND hwnd_ = nullptr;

 private:
  friend class TControl;
  friend LRESULT CALLBACK ZettlyWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ZettlyNativeProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void AttachNative(HWND h);
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // Handlers of the window procedure, one per message; true: answered, no default handling.
  bool OnPaint();
  bool OnEraseBackground(TMessage& m);
  bool OnMouse(TMessage& m);
  void OnMouseLeave();
  void OnCaptureChanged(HWND taker);
  void OnFocusChanged(bool gained);
  bool OnGetObject(TMessage& m);
  bool OnContextMenu(TMessage& m);
  bool OnCommand(TMessage& m);
  bool OnChildAsks(HWND from, TMessage& m);  // WM_CTLCOLOR*, WM_DRAWITEM
  bool OnNotify(TMessage& m);
  void OnWindowPosChanged(const WINDOWPOS& wp);
  void PaintMessage();
  void RouteMouse(TMessage& m);
  void SetMouseControl(TControl* c);
  // The pointer went elsewhere without a leave (a modal dialog, a menu): no hover here or in
  // the windows inside.
  void LosePointer();
  void UpdateHint(TControl* c);
  bool SetCursorMessage(TMessage& m);

  std::vector<TControl*> controls_;   // not owned (the owner destroys them); z-order, bottom first
  TMouseState<TControl> mouse_;  // capture, click and enter/leave decisions
  bool tracking_leave_ = false;
  HWND tooltip_ = nullptr;
  TControl* hint_control_ = nullptr;
  TControl* keyboard_child_ = nullptr;  // not owned; forgotten when it leaves
  bool native_ = false;  // a subclassed system control
  int batching_ = 0;     // live InvalidationBatch objects
  std::vector<RECT> batched_;
};
