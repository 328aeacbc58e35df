// DrawFrame: the outer frames of the controls.
#include "libs/kvobase.h"

#include "platform/numeric.h"

namespace kvo {

std::int32_t FrameWidth(TFrameStyle style) noexcept {
  switch (style) {
    case frsNone: return 0;
    case frsSingle: return 1;
    default: return 2;
  }
}

namespace {

// One ring at inset i of the inclusive box: left column and top row in cTL,
// right column and bottom row in cBR. Every pixel of the ring is set once
// (LineTo leaves out its end pixel, which the next segment starts on).
void Ring(TCanvas& cv, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
          std::int32_t i, TColor cTL, TColor cBR) {
  l += i;
  t += i;
  r -= i;
  b -= i;
  if (r < l || b < t) return;
  cv.Pen().SetColor(cTL);
  cv.MoveTo(l, b - 1 < t ? t : b - 1);
  cv.LineTo(l, t);
  cv.LineTo(r, t);
  if (b == t) {  // a single row: the top line is the whole ring but its last pixel
    cv.Pen().SetColor(cBR);
    cv.MoveTo(r, t);
    cv.LineTo(r + 1, t);
    return;
  }
  cv.Pen().SetColor(cBR);
  cv.MoveTo(r, t);
  cv.LineTo(r, b);
  cv.LineTo(l - 1, b);
}

}  // namespace

void DrawFrame(TCanvas& canvas, TFrameStyle style, std::int32_t left, std::int32_t top,
               std::int32_t right, std::int32_t bottom, TColor cHighlight, TColor cLight,
               TColor cShadow, TColor cDarkShadow, TColor cLine, TColorScheme scheme) {
  if (style == frsNone || style > frsEngraved || right < left || bottom < top) return;
  // Far outside any device; keeps the +-1 of the ring arithmetic in range.
  constexpr std::int32_t kFar = 1 << 30;
  left = ClampToRange(left, -kFar, kFar);
  top = ClampToRange(top, -kFar, kFar);
  right = ClampToRange(right, -kFar, kFar);
  bottom = ClampToRange(bottom, -kFar, kFar);
  if (scheme == cscSystem) {
    cHighlight = clBtnHighlight;
    cLight = cl3DLight;
    cShadow = clBtnShadow;
    cDarkShadow = cl3DDkShadow;
  }
  const TPenData savedPen = canvas.Pen().Data();
  const TPoint savedPos = canvas.PenPos();
  TPenData pen;
  pen.Color = cLine;
  canvas.Pen().SetData(pen);
  switch (style) {
    case frsSingle:
      Ring(canvas, left, top, right, bottom, 0, cLine, cLine);
      break;
    case frsLowered:
      Ring(canvas, left, top, right, bottom, 0, cShadow, cHighlight);
      Ring(canvas, left, top, right, bottom, 1, cDarkShadow, cLight);
      break;
    case frsRaised:
      Ring(canvas, left, top, right, bottom, 0, cHighlight, cDarkShadow);
      Ring(canvas, left, top, right, bottom, 1, cLight, cShadow);
      break;
    case frsEmbossed:
      Ring(canvas, left, top, right, bottom, 0, cHighlight, cShadow);
      Ring(canvas, left, top, right, bottom, 1, cShadow, cHighlight);
      break;
    case frsEngraved:
      Ring(canvas, left, top, right, bottom, 0, cShadow, cHighlight);
      Ring(canvas, left, top, right, bottom, 1, cHighlight, cShadow);
      break;
    default:
      break;
  }
  canvas.Pen().SetData(savedPen);
  canvas.SetPenPos(savedPos);
}

}  // namespace kvo
