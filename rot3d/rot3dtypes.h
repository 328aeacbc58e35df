// Types of the 3D point viewer: the item record and its kinds, the
// handedness of the axes, the exception class, the events, and the integer
// view (rotation matrix, divisor, centre) with its projection.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "../libs/kvobase.h"
#include "../platform/canvas.h"
#include "../platform/numeric.h"
#include "../platform/types.h"

namespace kvo {

// Programming errors of the 3D viewer (out of memory while building the view).
class KVO_API EKvoRot3DError : public EKvoError {
public:
  using EKvoError::EKvoError;
};

// Kind of an item; tkEverything is only a search filter.
enum Tr3Item : std::uint8_t { tkNone = 0, tkMarkAt, tkLineto, tkLine, tkMoveto, tkEverything };

// Handedness of the world axes on screen: right-handed exchanges x and y.
enum TAxDir : std::uint8_t { adLeftHanded = 0, adRightHanded = 1 };

// One item of the viewer's list. x, y, z is the position (the first point of
// a line), x2, y2, z2 the second point of a line; marklw is the mark type of
// a mark and the pen width of a line or draw-to.
struct KVO_API Tr3ChartItem {
  double x = 0, y = 0, z = 0;
  TColor color = clBlack;
  std::int32_t tag = 0;
  Tr3Item ItemKind = tkNone;
  double x2 = 0, y2 = 0, z2 = 0;
  std::uint8_t marklw = 0;
  bool operator==(const Tr3ChartItem&) const noexcept = default;
};

// Kinds of the drawing objects built from the items.
enum TRotObjKind : std::uint8_t { rokNone = 0, rokMoveTo = 1, rokDrawTo = 2, rokMark = 3 };

// Raised first and last while the viewer draws, with the canvas it draws on.
using TRot3DRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;
// Asks for the label of a symbol mark (obj: 0-based object index). A
// non-empty LblText is written at the mark moved by dx, dy and aligned by
// HAlign, VAlign, in LblFont (the canvas font, which the handler may change).
using TLblRequestEvent =
    std::function<void(TObject* Sender, std::int32_t obj, std::string& LblText, std::int32_t& dx,
                       std::int32_t& dy, TAlignment& HAlign, TVerticalAlignment& VAlign,
                       TFont& LblFont)>;

// Rotation matrix scaled by 1000 (rows and columns 1..3 stored 0-based).
using TRotMatrix = std::array<std::array<std::int32_t, 3>, 3>;

// The integer view: an object point (X, Y, Z) lands on screen at
//   x = (X*R11 + Y*R12 + Z*R13) div Magnify + CentX,
//   y = (X*R21 + Y*R22 + Z*R23) div Magnify + CentY,
// computed in 64 bits with the division truncating towards zero, so that no
// object coordinate can overflow it.
struct KVO_API TRot3DView {
  TRotMatrix R{};
  std::int32_t Magnify = 5000;  // > 0
  std::int32_t CentX = 0, CentY = 0;

  std::int64_t ScreenX(std::int64_t X, std::int64_t Y, std::int64_t Z) const noexcept {
    return (X * R[0][0] + Y * R[0][1] + Z * R[0][2]) / Magnify + CentX;
  }
  std::int64_t ScreenY(std::int64_t X, std::int64_t Y, std::int64_t Z) const noexcept {
    return (X * R[1][0] + Y * R[1][1] + Z * R[1][2]) / Magnify + CentY;
  }
  // Depth (row 3), larger is nearer the viewer.
  std::int64_t Depth(std::int64_t X, std::int64_t Y, std::int64_t Z) const noexcept {
    return X * R[2][0] + Y * R[2][1] + Z * R[2][2];
  }
  // The pixel of an object point, clamped into +-kMaxPixelCoord for drawing.
  TPoint Pixel(std::int32_t X, std::int32_t Y, std::int32_t Z) const noexcept {
    return {ClampPixel(ScreenX(X, Y, Z)), ClampPixel(ScreenY(X, Y, Z))};
  }
};

// The rotation matrices (elements round(1000 * value), halves to even).
// Angles in degrees: ax, ay, az about x, y and z.
// Two angles (ay does not enter): tilt ax, turn az.
KVO_API TRotMatrix RotMatrix2Ax(double ax, double az, TAxDir dir) noexcept;
// Three angles: Rz(az) * Ry(ay) * Rx(ax).
KVO_API TRotMatrix RotMatrix3Ax(double ax, double ay, double az, TAxDir dir) noexcept;

}  // namespace kvo
