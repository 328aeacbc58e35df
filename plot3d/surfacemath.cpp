#include "plot3d/surfacemath.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "platform/numeric.h"

namespace kvo {

namespace {

double ClampWorld(double v) noexcept { return ClampToRange(v, -kWorldLimit, kWorldLimit); }

// Sum of +-row[k] with + where the corner's bit (2 for k = 0, 1 for k = 1,
// 0 for k = 2) is set.
double SignedRowSum(const std::array<double, 3>& row, int corner) noexcept {
  double s = 0;
  for (int k = 0; k < 3; ++k) s += ((corner >> (2 - k)) & 1) ? row[k] : -row[k];
  return s;
}

}  // namespace

const std::array<std::array<int, 4>, 6> kCubeFaces{{
    {1, 5, 7, 3}, {2, 3, 7, 6}, {2, 6, 4, 0}, {0, 4, 5, 1}, {4, 5, 7, 6}, {0, 1, 3, 2}}};

const std::array<std::array<int, 3>, 8> kCornerFaces{{
    {5, 3, 2}, {0, 3, 5}, {1, 2, 5}, {0, 1, 5}, {3, 4, 2}, {0, 3, 4}, {1, 2, 4}, {0, 4, 1}}};

double NormalizeViewAngle(double a) noexcept {
  // The remainder of the division, exact (fmod keeps the sign of a).
  if (a > 360) a = std::fmod(a, 360);
  if (a < 0) a = std::fmod(a, 360) + 360;
  return a;
}

double WrapViewAngle(double a) noexcept {
  if (a > 360) a -= 360;
  if (a < 0) a += 360;
  return a;
}

TP3RotMatrix P3RotMatrix(double alphaDeg, double gammaDeg) noexcept {
  const double k = std::numbers::pi * (1.0 / 180.0);
  const double a = alphaDeg * k, g = gammaDeg * k;
  const double ca = std::cos(a), sa = std::sin(a), cg = std::cos(g), sg = std::sin(g);
  TP3RotMatrix r{{{cg, -sg, 0.0}, {ca * sg, ca * cg, -sa}, {sa * sg, sa * cg, ca}}};
  for (auto& row : r)
    for (double& e : row)
      if (std::fabs(e) < 1e-6) e = 0.0;
  return r;
}

double TP3Projection::ScreenX(const TVec3& p) const noexcept {
  return (SclX * ClampWorld(p.x) * R[0][0] + SclY * ClampWorld(p.y) * R[0][1] +
          SclZ * ClampWorld(p.z) * R[0][2]) * Magnify + CentX;
}

double TP3Projection::ScreenY(const TVec3& p) const noexcept {
  return (SclX * ClampWorld(p.x) * R[1][0] + SclY * ClampWorld(p.y) * R[1][1] +
          SclZ * ClampWorld(p.z) * R[1][2]) * Magnify + CentY;
}

TPoint TP3Projection::Project(const TVec3& p) const noexcept {
  return {ClampPixel(RoundHalfEven(ScreenX(p))), ClampPixel(RoundHalfEven(ScreenY(p)))};
}

std::optional<TVec3> TP3Projection::Unproject(double sx, double sy, double worldZ) const noexcept {
  if (!(Magnify != 0) || !std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(worldZ))
    return std::nullopt;
  const double z = ClampWorld(worldZ);
  const double a = SclX * R[0][0], b = SclY * R[0][1], c = SclX * R[1][0], d = SclY * R[1][1];
  const double u = (sx - CentX) / Magnify - SclZ * z * R[0][2];
  const double v = (sy - CentY) / Magnify - SclZ * z * R[1][2];
  const double det = a * d - b * c;
  if (!(std::fabs(det) > 1e-12)) return std::nullopt;
  const TVec3 p{(u * d - b * v) / det, (a * v - c * u) / det, z};
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
  return p;
}

TVec3 CubeCorner(int i) noexcept {
  return {(i & 4) ? kCubeHalf : -kCubeHalf, (i & 2) ? kCubeHalf : -kCubeHalf,
          (i & 1) ? kCubeHalf : -kCubeHalf};
}

double CornerDepth(const TP3RotMatrix& r, int i) noexcept { return SignedRowSum(r[2], i); }

int FarCorner(const TP3RotMatrix& r) noexcept {
  int f = 0;
  double best = CornerDepth(r, 0);
  for (int i = 1; i < 8; ++i) {
    const double d = CornerDepth(r, i);
    if (d < best) {
      best = d;
      f = i;
    }
  }
  return f;
}

std::array<int, 3> CornerNeighbours(int i) noexcept {
  std::array<int, 3> n{i ^ 1, i ^ 2, i ^ 4};
  // Ascending: sort three values.
  if (n[0] > n[1]) std::swap(n[0], n[1]);
  if (n[1] > n[2]) std::swap(n[1], n[2]);
  if (n[0] > n[1]) std::swap(n[0], n[1]);
  return n;
}

int ZAxisStartCorner(const TP3RotMatrix& r) noexcept {
  int s = 0;
  double best = SignedRowSum(r[0], 0);
  for (int i = 1; i < 8; ++i) {
    const double e = SignedRowSum(r[0], i);
    if (e > best) {
      best = e;
      s = i;
    }
  }
  return s;
}

double GridNodeCoord(std::int32_t i, std::int32_t n) noexcept {
  const double step = n <= 1 ? 1.0 : 2 * kCubeHalf / (double(n) - 1);
  return step * (double(i) - double(n) / 2 - 0.5);
}

TDrawOrder DrawOrderFor(double viewAngleX, double viewAngleZ) noexcept {
  const bool tiltedOver = viewAngleX > 180;
  TDrawOrder o;
  o.RowsForward = tiltedOver != (viewAngleZ < 90 || viewAngleZ > 270);
  o.ColumnsForward = tiltedOver == (viewAngleZ > 180);
  return o;
}

std::int32_t AutoAxisDecimals(double span) noexcept {
  if (!std::isfinite(span) || span >= 1e6 || span <= 1e-4) return -2;
  if (span >= 100) return 0;
  return 2 - Round(std::log(span) / 2.5);
}

int EdgeSide(TPoint a, TPoint b, TPoint m) noexcept {
  const std::int64_t c = (std::int64_t(b.x) - a.x) * (std::int64_t(m.y) - a.y) -
                         (std::int64_t(b.y) - a.y) * (std::int64_t(m.x) - a.x);
  return c > 0 ? 1 : (c < 0 ? -1 : 0);
}

bool QuadContains(TPoint p0, TPoint p1, TPoint p2, TPoint p3, TPoint m) noexcept {
  const TPoint q[4] = {p0, p1, p2, p3};
  bool inside = false;
  for (int i = 0; i < 4; ++i) {
    const TPoint a = q[i], b = q[(i + 1) % 4];
    if (a == b) continue;
    // On the outline: inside.
    if (EdgeSide(a, b, m) == 0 && m.x >= std::min(a.x, b.x) && m.x <= std::max(a.x, b.x) &&
        m.y >= std::min(a.y, b.y) && m.y <= std::max(a.y, b.y))
      return true;
    // Crossings left of m on its row, each edge covering its rows half-open
    // (as the fill of a cell counts them).
    if (a.y == b.y) continue;
    const TPoint lo = a.y < b.y ? a : b, hi = a.y < b.y ? b : a;
    if (m.y < lo.y || m.y >= hi.y) continue;
    const double x = lo.x + double(m.y - lo.y) * double(hi.x - lo.x) / double(hi.y - lo.y);
    if (x < m.x) inside = !inside;
  }
  return inside;
}

}  // namespace kvo
