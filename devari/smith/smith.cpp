// TSmithChart: conversions, the isometric ranges and the impedance grid.
#include "devari/smith/smith.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <vector>

#include "devari/scaleprops.h"
#include "libs/univconst.h"
#include "platform/numeric.h"
#include "platform/update.h"

namespace kvo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = std::numbers::pi;

constexpr std::array<TSmithGridRow, kSmithGridRows> kGrid{{
    {0.0, 3.142, 0.0, 0, true},     {0.1, 0.829, 0.2, 3, false},   {0.2, 0.578, 0.33, 1, true},
    {0.3, 0.957, 0.498, 3, false},  {0.4, 1.019, 0.18, 3, false},  {0.5, 0.42, 0.819, 1, true},
    {0.6, 1.14, 0.15, 5, false},    {0.7, 0.801, 0.133, 2, false}, {0.8, 1.248, 0.48, 5, false},
    {0.9, 1.296, 0.084, 5, false},  {1.0, 0.395, 1.0, 1, true},    {1.2, 0.834, 0.45, 3, false},
    {1.5, 0.921, 0.645, 2, false},  {2.0, 1.073, 0.625, 1, true},  {2.5, 0.673, 0.81, 4, false},
    {3.0, 1.036, 0.558, 3, false},  {4.0, 0.92, 0.669, 4, false},  {7.0, 1.35, 0.7, 4, false},
    {10.0, 3.142, 1.0, 1, true},    {5.0, 3.142, 0.95, 1, true},
}};

// Pixel coordinates beyond this are drawn as polylines of the visible part:
// device coordinates stay within what every canvas backend takes.
constexpr double kDirectLimit = 16000;

// Layer 1's world-to-pixel mapping in floating point, shifted to the canvas
// origin of the data area.
struct TMap {
  double kx, dx, ky, dy;
  double PX(double u) const noexcept { return kx * u + dx; }
  double PY(double v) const noexcept { return ky * v + dy; }
};

TPoint Pix(double x, double y) noexcept { return {ClampPixel(x), ClampPixel(y)}; }

// Draws the arc of the circle (cu, cv) radius rho (world) counter-clockwise
// in world terms from angle a0 to a1 (a full circle when full). Circles that
// fit the device range go to the canvas as arcs or ellipses; larger ones are
// drawn as a polyline of their part near the visible window.
void DrawWorldArc(TCanvas& c, const TMap& m, double cu, double cv, double rho, double a0, double a1,
                  bool full, const TRect& window) {
  const double cx = m.PX(cu), cy = m.PY(cv);
  const double rx = std::fabs(m.kx * rho), ry = std::fabs(m.ky * rho);
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rx) || !std::isfinite(ry)) return;
  if (rx < 0.5 && ry < 0.5) return;
  const bool fits = std::fabs(cx) + rx < kDirectLimit && std::fabs(cy) + ry < kDirectLimit;
  if (fits) {
    const TRect box{Round(cx - rx), Round(cy - ry), Round(cx + rx) + 1, Round(cy + ry) + 1};
    if (full) {
      c.Brush().SetStyle(bsClear);
      c.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
      return;
    }
    // Ray points far out, so that rounding hardly turns the rays, yet inside
    // the device range (the centre lies within +-16000), so that no
    // coordinate is clamped, which would turn them.
    const double far =
        std::min(4 * std::max(rx, ry) + 1000, 29000 - std::max(std::fabs(cx), std::fabs(cy)));
    const auto ray = [&](double a) {
      const double ux = m.kx * std::cos(a), uy = m.ky * std::sin(a);
      const double n = std::hypot(ux, uy);
      return Pix(cx + far * ux / n, cy + far * uy / n);
    };
    TPoint s = ray(a0), e = ray(a1);
    // A mirrored axis turns the screen direction: the same points run the
    // other way.
    if (m.kx * m.ky > 0) std::swap(s, e);
    c.Arc(box.Left, box.Top, box.Right, box.Bottom, s.x, s.y, e.x, e.y);
    return;
  }
  // Huge circle (deep zoom): only the part near the window matters there,
  // where it is nearly straight.
  const double wx = (window.Left + window.Right) / 2.0, wy = (window.Top + window.Bottom) / 2.0;
  const double diag = std::hypot(double(window.Right - window.Left), double(window.Bottom - window.Top));
  const double r = std::max(rx, ry);
  if (std::fabs(std::hypot(wx - cx, wy - cy) - r) > diag) return;
  // World angle of the circle point nearest the window's centre.
  const double mid = std::atan2((wy - cy) / m.ky, (wx - cx) / m.kx);
  const double span = 2 * diag / r;
  double lo = mid - span, hi = mid + span;
  if (!full) {
    // Keep to the arc: a0 .. a1 counter-clockwise, shifted next to mid.
    double s0 = a0, s1 = a1;
    while (s1 <= s0) s1 += 2 * kPi;
    while (s0 > mid) s0 -= 2 * kPi, s1 -= 2 * kPi;
    while (s1 < mid - span) s0 += 2 * kPi, s1 += 2 * kPi;
    lo = std::max(lo, s0);
    hi = std::min(hi, s1);
    if (lo >= hi) return;
  }
  constexpr int kSteps = 96;
  std::vector<TPoint> pts;
  pts.reserve(kSteps + 1);
  for (int k = 0; k <= kSteps; ++k) {
    const double a = lo + (hi - lo) * k / kSteps;
    pts.push_back(Pix(m.PX(cu + rho * std::cos(a)), m.PY(cv + rho * std::sin(a))));
  }
  c.Polyline(pts.data(), pts.size());
}

// Text centred on a pixel.
void CentredText(TCanvas& c, double x, double y, const std::string& s) {
  const std::int32_t w = c.TextWidth(s), h = c.TextHeight(s);
  c.TextOut(ClampPixel(Round(x) - w / 2), ClampPixel(Round(y) - h / 2), s);
}

}  // namespace

// ---- Conversions ---------------------------------------------------------------------

double CalcReflectionReal(double r, double x) noexcept {
  if (std::isnan(r) || std::isnan(x)) return kNaN;
  if (std::isinf(r) || std::isinf(x)) return 1;  // an open circuit
  const double a = r + 1;
  const double d = a * a + x * x;
  if (d == 0) return uc_MaxReal;  // z = -1: the pole
  // (r² + x² - 1) / ((r + 1)² + x²), written as 1 - 2 (r + 1) / d so that
  // large impedances keep their precision.
  return 1 - 2 * a / d;
}

double CalcReflectionImag(double r, double x) noexcept {
  if (std::isnan(r) || std::isnan(x)) return kNaN;
  if (x == 0 || std::isinf(r) || std::isinf(x)) return 0;
  const double a = r + 1;
  // 2x / ((r + 1)² + x²), without overflowing the squares.
  const double s = std::max(std::fabs(a), std::fabs(x));
  const double as = a / s, xs = x / s;
  return 2 * xs / (s * (as * as + xs * xs));
}

double CalcResistance(double u, double v) noexcept {
  if (std::isnan(u) || std::isnan(v)) return kNaN;
  const double d = (u - 1) * (u - 1) + v * v;
  if (d == 0) return uc_MaxReal;
  return (1 - u * u - v * v) / d;
}

double CalcReactance(double u, double v) noexcept {
  if (std::isnan(u) || std::isnan(v)) return kNaN;
  const double d = (u - 1) * (u - 1) + v * v;
  if (d == 0) return uc_MaxReal;
  return 2 * v / d;
}

const TSmithGridRow& SmithGridRow(std::int32_t i) noexcept {
  return kGrid[std::size_t(std::clamp(i, 0, kSmithGridRows - 1))];
}

std::int32_t SmithLabelLevel(std::int32_t d) noexcept {
  return 1 + (d > 300) + (d > 500) + (d > 750) + (d > 900);
}

std::string SmithLabelText(double value) {
  char buf[64];
  if (std::fabs(value - std::trunc(value)) <= 0.01) std::snprintf(buf, sizeof buf, "%.0f", value);
  else std::snprintf(buf, sizeof buf, "%.1f", value);
  std::string s = buf;
  if (s == "-0") s = "0";
  return s;
}

// ---- Life cycle ---------------------------------------------------------------------------

TSmithChart::TSmithChart(TComponent* owner) : TCustomDEvari(owner) { ResetSmith(); }

void TSmithChart::ResetComp() {
  const TPaintBatch batch(*this);
  TCustomDEvari::ResetComp();
  ResetSmith();
}

void TSmithChart::ResetSmith() {
  const TPaintBatch batch(*this);
  FSmith = TSmithSettings{};
  FIsometric = true;
  TCustomDEvari::SetActiveLayer(1);
  SetGridStyle(gsPoints);
  SetGridDx(0);
  SetGridDy(0);
  for (std::int32_t l = 1; l <= 2; ++l) {
    GetScalePropsX(l).SetVisible(false);
    GetScalePropsY(l).SetVisible(false);
  }
  TScaleProps& x = GetScalePropsX(1);
  TScaleProps& y = GetScalePropsY(1);
  x.SetRangeHigh(1.2);
  x.SetRangeLow(-1.2);
  x.SetRangeHigh(1.2);
  y.SetRangeHigh(1.2);
  y.SetRangeLow(-1.2);
  y.SetRangeHigh(1.2);
  // The Y range as the isometric rule makes it for this size.
  TCustomDEvari::SetRange(1, -1.2, -1.2, 1.2, 1.2);
  ClearZoomHistory();
}

void TSmithChart::Assign(const TObject& source) {
  const TPaintBatch batch(*this);
  TCustomDEvari::Assign(source);
  if (const auto* s = dynamic_cast<const TSmithChart*>(&source); s && s != this) FSmith = s->FSmith;
}

// ---- Colours ---------------------------------------------------------------------------

void TSmithChart::SetColor(TColor TSmithSettings::*field, TColor v) {
  if (FSmith.*field == v) return;
  FSmith.*field = v;
  RedrawByRule();
}

void TSmithChart::SetGridColorLight(TColor v) { SetColor(&TSmithSettings::GridColLight, v); }
void TSmithChart::SetGridColorDark(TColor v) { SetColor(&TSmithSettings::GridColDark, v); }
void TSmithChart::SetDiagramColor(TColor v) { SetColor(&TSmithSettings::DiagramColor, v); }

void TSmithChart::SetSmithSettings(const TSmithSettings& v) {
  if (FSmith == v) return;
  FSmith = v;
  RedrawByRule();
}

// ---- Ranges ----------------------------------------------------------------------------

double TSmithChart::RangeXLow() const noexcept { return GetScalePropsX(1).RangeLow(); }
double TSmithChart::RangeXHigh() const noexcept { return GetScalePropsX(1).RangeHigh(); }
double TSmithChart::RangeYLow() const noexcept { return GetScalePropsY(1).RangeLow(); }
double TSmithChart::RangeYHigh() const noexcept { return GetScalePropsY(1).RangeHigh(); }

void TSmithChart::SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
  FIsometric = true;
  TCustomDEvari::SetRange(1, xLo, yLo, xHi, yHi);
}

void TSmithChart::AutoRange(double margin, double minRange) {
  FIsometric = true;
  TCustomDEvari::AutoRange(1, margin, minRange);
}

void TSmithChart::Resize() {
  const TPaintBatch batch(*this);
  TCustomDEvari::Resize();
  const TChartGeometry g = Geometry();
  const long double dw = g.DataBmpWidth(), dh = g.DataBmpHeight();
  if (!FIsometric || dw <= 0 || dh <= 0 || Fxasp <= 0) return;
  const long double xLo = RangeXLow(), xHi = RangeXHigh();
  const long double c = (static_cast<long double>(RangeYLow()) + RangeYHigh()) / 2;
  const long double half = (xHi - xLo) * dh / dw * Fyasp / Fxasp / 2;
  if (!std::isfinite(double(c - half)) || !std::isfinite(double(c + half))) return;
  // Not a new view: the zoom history keeps its states.
  ForceRange(1, xLo, c - half, xHi, c + half, false, false);
}

void TSmithChart::CentedEvari() {
  const double wx = RangeXHigh() - RangeXLow(), wy = RangeYHigh() - RangeYLow();
  SetRange(-wx / 2, -wy / 2, wx / 2, wy / 2);
}

void TSmithChart::SetRangeXLow(double v) {
  if (!std::isfinite(v) || v == RangeXLow()) return;
  SetRange(v, RangeYLow(), RangeXHigh(), RangeYHigh());
}

void TSmithChart::SetRangeXHigh(double v) {
  if (!std::isfinite(v) || v == RangeXHigh()) return;
  SetRange(RangeXLow(), RangeYLow(), v, RangeYHigh());
}

void TSmithChart::SetRangeYLow(double v) {
  if (!std::isfinite(v) || v == RangeYLow()) return;
  SetRange(RangeXLow(), v, RangeXHigh(), RangeYHigh());
}

// ---- The impedance grid ------------------------------------------------------------------

void TSmithChart::DrawItems(TCanvas& canvas, std::int32_t left, std::int32_t top, bool bw,
                            std::int32_t startIndex) {
  if (startIndex == 0) DrawSmithGrid(canvas, left, top);
  TCustomDEvari::DrawItems(canvas, left, top, bw, startIndex);
}

void TSmithChart::DrawSmithGrid(TCanvas& c, std::int32_t left, std::int32_t top) {
  const TChartGeometry g = Geometry();
  double kx, dx, ky, dy;
  TCustomDEvari::GetTransformParams(1, kx, dx, ky, dy);
  const TMap m{kx, dx + left - g.LRim, ky, dy + top - g.TRim};
  if (!std::isfinite(kx) || !std::isfinite(ky) || kx == 0 || ky == 0) return;
  const TRect window{left, top, left + g.DataWidth(), top + g.DataHeight()};

  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Pen().SetMode(pmCopy);
  c.Font().Assign(Font());
  c.SetTextAlign(TA_LEFT | TA_TOP);

  // 1. The unit disc and the real axis.
  const double ox = m.PX(0), oy = m.PY(0);
  const double p1x = m.PX(-1), p2x = m.PX(1);
  c.Pen().SetColor(FSmith.GridColDark);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(FSmith.DiagramColor);
  const double rux = std::fabs(m.kx), ruy = std::fabs(m.ky);
  if (std::fabs(ox) + rux < kDirectLimit && std::fabs(oy) + ruy < kDirectLimit) {
    c.Ellipse(Round(ox - rux), Round(oy - ruy), Round(ox + rux) + 1, Round(oy + ruy) + 1);
  } else {
    // Deep zoom: the disc's fill where the window lies inside it, then its edge.
    const double wx0 = (window.Left - m.dx) / m.kx, wx1 = (window.Right - m.dx) / m.kx;
    const double wy0 = (window.Top - m.dy) / m.ky, wy1 = (window.Bottom - m.dy) / m.ky;
    const double fx = std::max(std::fabs(wx0), std::fabs(wx1)), fy = std::max(std::fabs(wy0), std::fabs(wy1));
    if (fx * fx + fy * fy <= 1) c.FillRect(window);
    DrawWorldArc(c, m, 0, 0, 1, 0, 0, true, window);
  }
  c.MoveTo(ClampPixel(p1x), ClampPixel(oy));
  c.LineTo(ClampPixel(p2x), ClampPixel(oy));

  // 2. How many labels the disc's size allows.
  const std::int32_t level = SmithLabelLevel(ClampToInt(p2x - p1x));

  // 3. Resistance circles: all pass through Γ = 1, each leaving a gap of
  //    half-angle α around it (none for the full circles).
  c.Brush().SetStyle(bsClear);
  for (const TSmithGridRow& row : kGrid) {
    const double r = row.Value;
    c.Pen().SetColor(row.Dark ? FSmith.GridColDark : FSmith.GridColLight);
    const bool full = row.GapAngle >= kPi;
    DrawWorldArc(c, m, r / (r + 1), 0, 1 / (r + 1), row.GapAngle, 2 * kPi - row.GapAngle, full, window);
  }

  // 5. Reactance arcs: circles of centre (1, ±1/x) and radius 1/x, from where
  //    they meet the unit circle, B = ((x² - 1)/(x² + 1), ±2x/(x² + 1)), to the
  //    ray through (c, 0); labels 10 pixels outside B.
  const auto label = [&](double bu, double bv, double value) {
    const double bx = m.PX(bu), by = m.PY(bv);
    const double ux = bx - ox, uy = by - oy;
    const double n = std::hypot(ux, uy);
    if (!(n > 0) || !std::isfinite(n)) return;
    CentredText(c, bx + 10 * ux / n, by + 10 * uy / n, SmithLabelText(value));
  };
  for (std::int32_t i = 1; i < kSmithGridRows; ++i) {
    const TSmithGridRow& row = kGrid[std::size_t(i)];
    const double x = row.Value;
    c.Pen().SetColor(row.Dark ? FSmith.GridColDark : FSmith.GridColLight);
    const double bu = (x * x - 1) / (x * x + 1), bv = 2 * x / (x * x + 1);
    const double rho = 1 / x;
    // Upper arc, centre (1, 1/x): from B to the ray through (c, 0).
    const double aB = std::atan2(bv - rho, bu - 1);
    const double aC = std::atan2(-rho, row.ArcEnd - 1);
    DrawWorldArc(c, m, 1, rho, rho, aB, aC, false, window);
    if (level >= row.LabelLevel) label(bu, bv, x);
    // Lower arc, the mirror image: from the ray through (c, 0) to B'.
    DrawWorldArc(c, m, 1, -rho, rho, -aC, -aB, false, window);
    if (level >= row.LabelLevel) label(bu, -bv, -x);
  }

  // 6. Resistance labels where the circles cross the real axis on the left.
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(FSmith.DiagramColor);
  for (const TSmithGridRow& row : kGrid) {
    if (level < row.LabelLevel) continue;
    const double r = row.Value;
    CentredText(c, m.PX((r - 1) / (r + 1)), oy, SmithLabelText(r));
  }
}

}  // namespace kvo
