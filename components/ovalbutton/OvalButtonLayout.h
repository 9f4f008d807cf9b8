// Where the oval button draws: bevel rings, glyph, caption, and which points count as on it.
// Pure arithmetic; the Win32 control only draws what these return. Halving truncates toward zero.
#pragma once
#include <cstdint>

#include "toolkit/Types.h"

// The oval button's names live in their unit's namespace: the toolkit's own button layout type
// has the same name with its values in another order.
namespace OvalBtn {

// Side of the caption on which the glyph sits. Alphabetical, so blGlyphBottom is 0.
enum TButtonLayout : uint8_t { blGlyphBottom = 0, blGlyphLeft = 1, blGlyphRight = 2, blGlyphTop = 3 };

// BevelState values.
constexpr int kBevelRaised = 1, kBevelNone = 0, kBevelSunken = -1;

// Hit test without the platform: the pixel centre (x + 0.5, y + 0.5) lies in the ellipse
// inscribed in (0, 0, width, height). The program uses the platform's elliptic region instead.
bool PointInEllipse(int x, int y, int width, int height);

// Bounding rectangle of the drawn outline: (0, 0, width - 1, height - 1).
TRect OutlineRect(int width, int height);

// One bevel ring: the arc of the ellipse in Bounds, counter-clockwise (as seen on the screen) from
// the ray toward Start to the ray toward End.
struct TBevelArc {
  TRect Bounds;
  TPoint Start;
  TPoint End;
  bool operator==(const TBevelArc&) const = default;
};

// Ring 1..BevelWidth. The upper-left half runs from the ray toward (4 * (W / 5), H / 5) to the ray
// toward (W / 5, 4 * (H / 5)); the lower-right half the other way round.
TBevelArc BevelArc(int width, int height, int ring, bool upperLeft);

// Pen of each half: light on the upper left when raised, dark when sunken; no pen at state 0.
struct TBevelPens {
  bool Visible = false;
  TColor UpperLeft = 0;
  TColor LowerRight = 0;
};
TBevelPens BevelPens(int bevelState, TColor highlight, TColor shadow);

// Everything the face drawing depends on besides colours.
struct TFaceInput {
  int Width = 0, Height = 0;
  int BevelState = kBevelRaised;
  bool Enabled = true;
  int NumGlyphs = 0;                           // 0: no glyph is drawn
  int GlyphBitmapWidth = 0, GlyphBitmapHeight = 0;  // the whole strip of images
  int TextWidth = 0, TextHeight = 0;           // of the whole caption, ampersands included
  bool HasCaption = false;
  TButtonLayout Layout = blGlyphBottom;
  int Spacing = 4;
  int Margin = 0;
};

struct TGlyphPlan {
  TRect Source;     // one image of the strip
  TRect Dest;       // after the pressed shift
  // Two-segment line in the face colour over the strip the image occupied in the other state
  // (end points excluded): Erase[0] -> Erase[1] -> Erase[2].
  TPoint Erase[3];
};

struct TCaptionPlan {
  TRect Text;   // drawn single-line, left/top aligned, with the ampersand convention
  TRect Clear;  // filled with the face brush first: where the pressed caption stands
  // Where the caption stands in the other state (raised <-> sunken). Filled with the face brush
  // before the glyph, so that a face redrawn over the other state's keeps no edge of its caption
  // (with a glyph the caption moves two pixels along the layout's axis, and Clear covers one).
  TRect Other;
};

struct TFacePlan {
  bool HasGlyph = false;
  TGlyphPlan Glyph;
  bool HasCaption = false;
  TCaptionPlan Caption;
};

// Image of the strip to show: 0; 1 when disabled and there are at least two; 2 when sunken and
// there are at least three (this wins over the disabled image). A fourth image is never used.
int GlyphImageIndex(int numGlyphs, bool enabled, int bevelState);

// Glyph destination before the pressed shift, from the placement tables.
TRect GlyphRect(const TFaceInput& in, int glyphWidth, int glyphHeight);

// The glyph and caption part of the face, after DrawBevel.
TFacePlan PlanFace(const TFaceInput& in);

}  // namespace OvalBtn
