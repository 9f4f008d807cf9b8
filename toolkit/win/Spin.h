// TSpinEdit: a numeric text box with up and down arrows. The text is read as typed; the value
// is brought into MinValue..MaxValue when set, when an arrow steps it and when the box loses the
// focus.
#pragma once
#include "toolkit/win/Edits.h"

class TSpinEdit : public TCustomEdit {
 public:
  // Digits only, value 0, no bounds (MinValue = MaxValue = 0), step 1.
  explicit TSpinEdit(TComponent* owner);
  ~TSpinEdit() override;

  int MinValue() const { return min_value_; }
  void SetMinValue(int v) { min_value_ = v; }
  int MaxValue() const { return max_value_; }
  void SetMaxValue(int v) { max_value_ = v; }
  int Increment() const { return increment_; }
  void SetIncrement(int v) { increment_ = v; }

  // The text read as a decimal integer, as typed; MinValue when it is not one.
  int Value() const;
  // Shows v brought into the bounds (when MinValue differs from MaxValue).
  void SetValue(int v);
  // One step up or down, as the arrows do.
  void UpClick();
  void DownClick();

  // The arrows: a system up-down control inside the box, at its right.
  HWND ButtonHandle() const { return updown_; }

  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void Resize() override;

 private:
  int CheckValue(int v) const;
  void PlaceButton();
  void RedrawArrows();
  void PasteDigits();
  int min_value_ = 0, max_value_ = 0, increment_ = 1;
  HWND updown_ = nullptr;  // a child of our window, destroyed with it
};
