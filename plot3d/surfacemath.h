// Geometry of the 3D surface plot: view angles, the rotation matrix, the
// parallel projection from the plot cube to pixels (and back), the cube's
// corners, faces and depth order, grid nodes in the cube, and the order in
// which surface cells are drawn so that nearer cells cover farther ones.
//
// World space is the plot cube of side 300 centred on the origin; screen y
// grows downwards. Angles are in degrees.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <optional>

#include "../platform/types.h"

namespace kvo {

struct KVO_API TVec3 {
  double x = 0, y = 0, z = 0;
  constexpr bool operator==(const TVec3&) const noexcept = default;
};

// Rotation matrix, [row][column], 0-based. Rows 0 and 1 give screen x and y,
// row 2 a depth value (larger is nearer to the viewer).
using TP3RotMatrix = std::array<std::array<double, 3>, 3>;

inline constexpr double kCubeHalf = 150.0;   // the plot cube spans -150..+150
// World coordinates are held within this bound before they are projected,
// so that no product of the projection overflows (a value far outside the
// cube is off any screen anyway).
inline constexpr double kWorldLimit = 1.0e7;
// Largest magnitude of an axis stretch factor.
inline constexpr double kScaleFactLimit = 1.0e6;

// A view angle brought into 0..360: above 360 the remainder of a division by
// 360 is kept; a negative angle gets 360 added to its remainder. 360 stays
// 360, 725 gives 5, -30 gives 330.
KVO_API double NormalizeViewAngle(double a) noexcept;
// One step of wrapping after a mouse drag: above 360 subtract 360, then
// below 0 add 360 (once each).
KVO_API double WrapViewAngle(double a) noexcept;

// Rotation by alpha about the x axis and by gamma about the vertical axis;
// elements below 1e-6 in magnitude are set to exactly 0.
KVO_API TP3RotMatrix P3RotMatrix(double alphaDeg, double gammaDeg) noexcept;

// The parallel projection of the plot: rotation, axis stretch factors,
// magnification and the screen position of the cube centre.
struct KVO_API TP3Projection {
  TP3RotMatrix R{};
  double SclX = 1, SclY = 1, SclZ = 1;
  double Magnify = 1;
  double CentX = 0, CentY = 0;

  // Unrounded screen coordinates (world coordinates clamped to kWorldLimit).
  double ScreenX(const TVec3& p) const noexcept;
  double ScreenY(const TVec3& p) const noexcept;
  // Rounded (halves to even) and held within the pixel range.
  TPoint Project(const TVec3& p) const noexcept;
  // The world point with the given z that projects onto the screen point, or
  // nothing when the view looks along the cube's floor (no unique point).
  std::optional<TVec3> Unproject(double sx, double sy, double worldZ) const noexcept;
};

// Corner i of the plot cube: x = +150 when bit 2 is set, y by bit 1, z by bit 0.
KVO_API TVec3 CubeCorner(int i) noexcept;
// Depth of corner i: the sum of +-R[2][k], + where the corner's bit is set.
KVO_API double CornerDepth(const TP3RotMatrix& r, int i) noexcept;
// Farthest corner (lowest number of those with the smallest depth); the
// nearest corner is 7 minus it.
KVO_API int FarCorner(const TP3RotMatrix& r) noexcept;
inline int NearCorner(const TP3RotMatrix& r) noexcept { return 7 - FarCorner(r); }
// The three corners next to corner i (one bit different), ascending.
KVO_API std::array<int, 3> CornerNeighbours(int i) noexcept;
// Faces as four corners each: 0 z=+150, 1 y=+150, 2 z=-150, 3 y=-150,
// 4 x=+150, 5 x=-150.
KVO_API extern const std::array<std::array<int, 4>, 6> kCubeFaces;
// The three faces that meet at each corner, in drawing order.
KVO_API extern const std::array<std::array<int, 3>, 8> kCornerFaces;
// Start corner of the z axis: the lowest-numbered corner with the largest
// screen-x component (a bottom corner).
KVO_API int ZAxisStartCorner(const TP3RotMatrix& r) noexcept;

// World x (or y) of grid column ix (row iy) of n: -150 at 1, +150 at n; a
// grid of one node puts it at 0.
KVO_API double GridNodeCoord(std::int32_t i, std::int32_t n) noexcept;

// Loop directions of the surface cells for the view angles (painter's order:
// far cells first).
struct KVO_API TDrawOrder {
  bool RowsForward = true;
  bool ColumnsForward = true;
};
KVO_API TDrawOrder DrawOrderFor(double viewAngleX, double viewAngleZ) noexcept;

// Decimals of axis labels chosen for a value span: -2 (automatic form) for
// spans of 1e6 and above or 1e-4 and below, 0 from 100, else 2 - round(ln span / 2.5).
KVO_API std::int32_t AutoAxisDecimals(double span) noexcept;

// Which side of the directed edge a->b point m lies on: -1, 0 or +1.
KVO_API int EdgeSide(TPoint a, TPoint b, TPoint m) noexcept;
// Whether m lies in the quadrilateral p0..p3 (edges in this order) as its
// filled picture covers it: on the outline, or inside by the even-odd rule,
// so that folded (concave or self-crossing) cells of a projected surface
// answer like convex ones.
KVO_API bool QuadContains(TPoint p0, TPoint p1, TPoint p2, TPoint p3, TPoint m) noexcept;

}  // namespace kvo
