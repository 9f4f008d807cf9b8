// Value types shared by the toolkit and everything built on it: colours, geometry, mouse and
// keyboard state, and the event shapes.
#pragma once
#include <cstdint>
#include <functional>

class TObject {
 public:
  virtual ~TObject() = default;
};

// 0x00BBGGRR, or a system colour: top bit set, system colour index in the low byte.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clNavy = 0x800000,
                 clSilver = 0xC0C0C0, clGray = 0x808080, clRed = 0x0000FF, clLime = 0x00FF00,
                 clBlue = 0xFF0000, clWhite = 0xFFFFFF, clYellow = 0x00FFFF;
constexpr TColor clSystemColor = 0x80000000;
constexpr TColor clBtnFace = clSystemColor | 15, clGrayText = clSystemColor | 17,
                 clWindow = clSystemColor | 5, clWindowText = clSystemColor | 8,
                 clInfoBk = clSystemColor | 24, clInfoText = clSystemColor | 23,
                 clBtnShadow = clSystemColor | 16, clBtnHighlight = clSystemColor | 20,
                 clBtnText = clSystemColor | 18, clHotLight = clSystemColor | 26;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0 && c != clNone; }
constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(TColor c) { return c & 0xFF; }
constexpr int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
constexpr int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
};

constexpr TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// Shift, Alt, Ctrl, Left, Right, Middle, Double in bits 0 to 6.
enum class TShift : uint8_t { Shift, Alt, Ctrl, Left, Right, Middle, Double };
class TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<TShift> members) {
    for (TShift m : members) bits_ |= Bit(m);
  }
  constexpr bool Has(TShift m) const { return (bits_ & Bit(m)) != 0; }
  constexpr TShiftState& operator+=(TShift m) { bits_ |= Bit(m); return *this; }
  constexpr TShiftState& operator-=(TShift m) { bits_ &= ~Bit(m); return *this; }
  constexpr TShiftState operator+(TShift m) const { TShiftState s = *this; s += m; return s; }
  constexpr uint8_t Bits() const { return bits_; }
  static constexpr TShiftState FromBits(uint8_t b) { TShiftState s; s.bits_ = b & 0x7F; return s; }
  constexpr bool operator==(const TShiftState&) const = default;

 private:
  static constexpr uint8_t Bit(TShift m) { return static_cast<uint8_t>(1u << static_cast<int>(m)); }
  uint8_t bits_ = 0;
};

enum class TMouseButton : uint8_t { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
