// TContourPlot: the pivot grid and its estimation, the colour surface, flat
// cells, contour dots and the mask overlay, written into the data image's
// pixel rows at the device resolution.
#include "devari/contour/contour.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "colorscale/colorscale.h"
#include "devari/scaleprops.h"
#include "libs/math1.h"
#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/numeric.h"
#include "platform/update.h"

namespace kvo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TRGB32 Pixel(TColor c) noexcept {
  const TColor rgb = ColorToRGB(c);
  // Opaque: the images keep straight alpha, and 0 would make the surface
  // transparent in PNG files and on the clipboard.
  return TRGB32{GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 255};
}

// A value moved by one unit in direction dir, or by the smallest step that
// changes it where one unit cannot (|x| >= 2^53). NaN when no finite value
// differs from x in that direction.
double StepAway(double x, double dir) noexcept {
  double r = x + dir;
  if (r == x) r = std::nextafter(x, dir * std::numeric_limits<double>::infinity());
  return std::isfinite(r) ? r : kNaN;
}

// Pixel span between a boundary that is always covered (a) and one that is
// covered only when `withB` (b), clipped to 0..limit - 1. False when empty.
inline bool Span(std::int32_t a, std::int32_t b, bool withB, std::int32_t limit, std::int32_t& lo,
          std::int32_t& hi) noexcept {
  if (a <= b) {
    lo = a;
    hi = (withB || b == a) ? b : b - 1;
  } else {
    lo = withB ? b : b + 1;
    hi = a;
  }
  lo = std::max(lo, 0);
  hi = std::min(hi, limit - 1);
  return lo <= hi;
}

// Round to nearest, halves to even (the default rounding mode), for |v| below
// 2^51: adding and removing 1.5 * 2^52 leaves the rounded value. Inline where
// the library call of nearbyint would cost more than the rest of the pixel.
inline double FastRoundHalfEven(double v) noexcept {
  constexpr double kMagic = 6755399441055744.0;
  const double t = v + kMagic;  // not folded: the build keeps strict IEEE arithmetic
  return t - kMagic;
}

// The first level number (1..nLevels + 1) that can lie above v: levels
// L_k = lo + (k - 1) dist below it are skipped without stepping through them.
inline std::int32_t FirstLevelAbove(double v, double lo, double dist, std::int32_t nLevels) noexcept {
  const double k = std::floor((v - lo) / dist) + 1;
  if (!(k > 1)) return 1;
  if (k > nLevels) return nLevels + 1;
  return std::int32_t(k);
}

// A pixel coordinate: rounded, NaN and far values held within +-2^30.
inline std::int32_t PixelOf(double v) noexcept {
  constexpr double kFar = 1073741824.0;
  if (!(v > -kFar)) v = -kFar;
  if (v > kFar) v = kFar;
  return std::int32_t(FastRoundHalfEven(v));
}

}  // namespace

// World to pixel of the target: the chart's layer-1 transform, shifted to the
// target's origin and scaled to its device pixels.
struct TContourPlot::TPixMap {
  double kx = 1, dx = 0, ky = -1, dy = 0;
  bool logX = false, logY = false;
  std::int32_t w = 0, h = 0;  // target size in device pixels
  std::int32_t f = 1;         // device pixels per logical pixel

  double FX(double x) const noexcept {
    if (logX) x = x > 1e-100 ? std::log(x) : std::log(1e-100);
    return kx * x + dx;
  }
  double FY(double y) const noexcept {
    if (logY) y = y > 1e-100 ? std::log(y) : std::log(1e-100);
    return ky * y + dy;
  }
  std::int32_t X(double x) const noexcept { return PixelOf(FX(x)); }
  std::int32_t Y(double y) const noexcept { return PixelOf(FY(y)); }
};

// ---- Life cycle -------------------------------------------------------------------------

TContourPlot::TContourPlot(TComponent* owner) : TCustomDEvari(owner) {
  IsoColors.OnChange = [this](TObject*) {
    IsoColorsChanged();
    FInvalidDataBmp = true;
    RedrawByRule();
  };
  ResetContour();
}

TContourPlot::~TContourPlot() { IsoColors.OnChange = nullptr; }

void TContourPlot::ResetComp() {
  const TPaintBatch batch(*this);
  TCustomDEvari::ResetComp();
  ResetContour();
}

void TContourPlot::ResetContour() {
  const TPaintBatch batch(*this);
  FSet = TContourSettings{};
  TCustomDEvari::SetEnabled(true);
  OnEstimateZVal = nullptr;
  OnProgress = nullptr;
  FPivotPreCalc = false;
  SetGridStyle(gsPoints);
  SetGridDx(0);
  SetGridDy(0);
  SetPanGridDx(1);
  SetPanGridDy(1);
  SetPanGridOffsX(0);
  SetPanGridOffsY(0);
  SetIsoMetric(false);
  GetScalePropsX(2).SetVisible(false);
  GetScalePropsY(2).SetVisible(false);
  TCustomDEvari::SetRange(1, -5.2, -5.2, 5.2, 5.2);
  ClearZoomHistory();
  const TChartGeometry g = Geometry();
  NewPivotMatrix(g.DataWidth() / 5, g.DataHeight() / 5);
  MaskPalette.SetSize(255);
  {
    const TSilentChanges quiet(MaskPalette);
    MaskPalette.FillByInterpolation(cipLinear, {clBlack, 0xFF0000, 0x008000, 0x0000FF, 0x00FFFF, clWhite});
    for (std::int32_t k = 0; k < 16; ++k) MaskPalette.SetColorElem(k + 2, PredefinedColors()[std::size_t(k)]);
  }
  FInvalidDataBmp = true;
  FGridStale = true;
}

void TContourPlot::Assign(const TObject& source) {
  const TPaintBatch batch(*this);
  if (const auto* s = dynamic_cast<const TContourPlot*>(&source); s && s != this) {
    FSet.PlotMode = s->FSet.PlotMode;
    FSet.IsoLow = s->FSet.IsoLow;
    FSet.IsoHigh = s->FSet.IsoHigh;
    FSet.IsoDist = s->FSet.IsoDist;
    FNumPivotX = s->FNumPivotX;
    FNumPivotY = s->FNumPivotY;
    FPivotMat = s->FPivotMat;
    FMaskMat = s->FMaskMat;
    {
      const TSilentChanges quiet(IsoColors);
      IsoColors.CopyFrom(s->IsoColors);
    }
    MaskPalette.CopyFrom(s->MaskPalette);
    OnEstimateZVal = s->OnEstimateZVal;
    OnProgress = s->OnProgress;
    ++FGeneration;
    FGridStale = true;
    FInvalidDataBmp = true;
  }
  TCustomDEvari::Assign(source);
}

// A paint requested while one runs (the estimation pass lets pending
// messages run) is not nested: it is made once the running one is done.
void TContourPlot::Paint() {
  if (FInPaint || FEstimating) {
    FRepaintPending = true;
    return;
  }
  FInPaint = true;
  try {
    for (int k = 0; k < 3; ++k) {
      FRepaintPending = false;
      TCustomDEvari::Paint();
      if (!FRepaintPending) break;
    }
  } catch (...) {
    FInPaint = false;
    throw;
  }
  FInPaint = false;
}

// ---- Settings --------------------------------------------------------------------------

void TContourPlot::InvalidateGrid() {
  FInvalidDataBmp = true;
  FGridStale = true;
  RedrawByRule();
}

void TContourPlot::SetPlotMode(TContourPlotMode v) {
  if (v == FSet.PlotMode) return;
  FSet.PlotMode = v;
  FInvalidDataBmp = true;
  RepaintChart();
}

void TContourPlot::SetEnabled(bool v) {
  if (v == FSet.Enabled && v == TCustomDEvari::Enabled()) return;
  FSet.Enabled = v;
  TCustomDEvari::SetEnabled(v);
  InvalidateGrid();
}

void TContourPlot::IsoChanged() {
  FInvalidDataBmp = true;
  IsoColorsChanged();
  RedrawByRule();
}

void TContourPlot::SetIsoLow(double x) {
  if (!std::isfinite(x) || x == FSet.IsoLow) return;
  double hi = FSet.IsoHigh;
  if (x >= hi) hi = StepAway(x, 1);
  if (std::isnan(hi)) return;
  FSet.IsoLow = x;
  FSet.IsoHigh = hi;
  IsoChanged();
}

void TContourPlot::SetIsoHigh(double x) {
  if (!std::isfinite(x) || x == FSet.IsoHigh) return;
  double lo = FSet.IsoLow;
  if (x <= lo) lo = StepAway(x, -1);
  if (std::isnan(lo)) return;
  FSet.IsoHigh = x;
  FSet.IsoLow = lo;
  IsoChanged();
}

void TContourPlot::SetIsoDist(double x) {
  if (x == FSet.IsoDist || (std::isnan(x) && std::isnan(FSet.IsoDist))) return;
  FSet.IsoDist = x;
  FInvalidDataBmp = true;
  RedrawByRule();
}

void TContourPlot::SetIsoParams(double iLow, double iHigh, double iDist) {
  if (iLow == FSet.IsoLow && iHigh == FSet.IsoHigh && iDist == FSet.IsoDist) return;
  if (!std::isfinite(iLow) || !std::isfinite(iHigh)) return;
  double lo = iLow;
  if (iHigh <= iLow) lo = StepAway(iHigh, -1);
  if (std::isnan(lo)) return;
  FSet.IsoLow = lo;
  FSet.IsoHigh = iHigh;
  FSet.IsoDist = iDist;
  IsoChanged();
}

std::int32_t TContourPlot::NumIsoLevels() const noexcept {
  const double n = RoundHalfEven((FSet.IsoHigh - FSet.IsoLow) / FSet.IsoDist);
  if (!(FSet.IsoDist > 0) || !(n >= 1 && n <= 65535)) return 0;
  return std::int32_t(n);
}

void TContourPlot::IsoColorsChanged() {
  if (FExtColScale == nullptr) return;
  const TColorScale::TUpdate batch(*FExtColScale);
  FExtColScale->ColorArray.CopyFrom(IsoColors);
  FExtColScale->SetScaleRange(FSet.IsoLow, FSet.IsoHigh);
}

std::int32_t TContourPlot::ValueToColorIndex(double v) const noexcept {
  const std::int32_t n = IsoColors.NumColors();
  if (!(v > FSet.IsoLow)) return 1;
  const double k = RoundHalfEven((v - FSet.IsoLow) / (FSet.IsoHigh - FSet.IsoLow) * n);
  return k >= n ? std::max(n, 1) : (k < 1 ? 1 : std::int32_t(k));
}

std::int32_t TContourPlot::FlatColorIndex(double v) const noexcept {
  const std::int32_t n = IsoColors.NumColors();
  if (!(v >= FSet.IsoLow)) return 0;
  const double k = RoundHalfEven((v - FSet.IsoLow) / (FSet.IsoHigh - FSet.IsoLow) * n);
  return k >= n ? n : (k < 0 ? 0 : std::int32_t(k));
}

// ---- Pivot grid ------------------------------------------------------------------------

void TContourPlot::NewPivotMatrix(std::int32_t nx, std::int32_t ny) {
  FNumPivotX = std::clamp(nx, 2, kMaxContourPivots);
  FNumPivotY = std::clamp(ny, 2, kMaxContourPivots);
  FPivotMat = TMatrix(FNumPivotX, FNumPivotY);
  FMaskMat = TByteMatrix(FNumPivotX, FNumPivotY);
  ++FGeneration;
  FInvalidDataBmp = true;
  FGridStale = true;
}

void TContourPlot::SetPivotResX(std::int32_t n) {
  n = std::clamp(n, 2, kMaxContourPivots);
  if (n == FNumPivotX) return;
  NewPivotMatrix(n, FNumPivotY);
  RedrawByRule();
}

void TContourPlot::SetPivotResY(std::int32_t n) {
  n = std::clamp(n, 2, kMaxContourPivots);
  if (n == FNumPivotY) return;
  NewPivotMatrix(FNumPivotX, n);
  RedrawByRule();
}

void TContourPlot::SetPivotRes(std::int32_t r) {
  r = std::clamp(r, 10, 5 * kMaxContourPivots);
  const TChartGeometry g = Geometry();
  const double w = std::max(g.DataWidth(), 1), h = std::max(g.DataHeight(), 1);
  std::int32_t nx, ny;
  if (w < h) {
    ny = r / 5 + 1;
    nx = Round(r / 5.0 * w / h) + 1;
  } else {
    nx = r / 5 + 1;
    ny = Round(r / 5.0 * h / w) + 1;
  }
  nx = std::clamp(nx, 2, kMaxContourPivots);
  ny = std::clamp(ny, 2, kMaxContourPivots);
  if (nx == FNumPivotX && ny == FNumPivotY) return;
  NewPivotMatrix(nx, ny);
  RedrawByRule();
}

std::int32_t TContourPlot::GetPivotRes() const noexcept { return 5 * std::max(FNumPivotX, FNumPivotY); }

void TContourPlot::ResizePivotMatrix(std::int32_t w, std::int32_t h) {
  w = std::clamp(w, 10, 5000);
  h = std::clamp(h, 10, 5000);
  if (w / 5 == FNumPivotX && h / 5 == FNumPivotY) return;
  NewPivotMatrix(w / 5, h / 5);
  RedrawByRule();
}

double TContourPlot::PivotX(std::int32_t i) const noexcept {
  const double xl = GetScalePropsX(1).RangeLow(), xh = GetScalePropsX(1).RangeHigh();
  return xl + (xh - xl) * (i - 1) / (FNumPivotX - 1);
}
double TContourPlot::PivotY(std::int32_t j) const noexcept {
  const double yl = GetScalePropsY(1).RangeLow(), yh = GetScalePropsY(1).RangeHigh();
  return yl + (yh - yl) * (j - 1) / (FNumPivotY - 1);
}
double TContourPlot::PivotDx() const noexcept {
  return (GetScalePropsX(1).RangeHigh() - GetScalePropsX(1).RangeLow()) / (FNumPivotX - 1);
}
double TContourPlot::PivotDy() const noexcept {
  return (GetScalePropsY(1).RangeHigh() - GetScalePropsY(1).RangeLow()) / (FNumPivotY - 1);
}

double TContourPlot::GetPivotVal(std::int32_t ix, std::int32_t iy) const noexcept {
  return FPivotMat.InRange(ix, iy) ? FPivotMat.At(ix, iy) : 0.0;
}
void TContourPlot::SetPivotVal(std::int32_t ix, std::int32_t iy, double v) noexcept {
  if (FPivotMat.InRange(ix, iy)) FPivotMat.Set(ix, iy, v);
}
std::uint8_t TContourPlot::GetMaskVal(std::int32_t ix, std::int32_t iy) const noexcept {
  return FMaskMat.InRange(ix, iy) ? FMaskMat.At(ix, iy) : 0;
}
void TContourPlot::SetMaskVal(std::int32_t ix, std::int32_t iy, std::uint8_t value) noexcept {
  if (FMaskMat.InRange(ix, iy)) FMaskMat.Set(ix, iy, value);
}
void TContourPlot::FillMask(std::uint8_t value) { FMaskMat.Fill(value); }

double TContourPlot::PercentilePivots(double prob) const { return FPivotMat.Percentile(prob); }

double TContourPlot::PercentilePivots(double prob, bool useMask) const {
  if (!useMask) return PercentilePivots(prob);
  std::vector<double> v;
  const auto& z = FPivotMat.Data();
  const auto& m = FMaskMat.Data();
  v.reserve(z.size());
  for (std::size_t k = 0; k < z.size() && k < m.size(); ++k)
    if (m[k] == 0) v.push_back(z[k]);
  return PercentileOf(v, prob);
}

void TContourPlot::DrawPlot() {
  FInvalidDataBmp = true;
  FGridStale = true;
  RepaintChart();
}

TContourPlot::TGridKey TContourPlot::CurrentKey() const noexcept {
  TGridKey k;
  k.XL = GetScalePropsX(1).RangeLow();
  k.XH = GetScalePropsX(1).RangeHigh();
  k.YL = GetScalePropsY(1).RangeLow();
  k.YH = GetScalePropsY(1).RangeHigh();
  k.NX = FNumPivotX;
  k.NY = FNumPivotY;
  k.Enabled = FSet.Enabled;
  return k;
}

void TContourPlot::Progress(std::int32_t percent) {
  if (OnProgress) OnProgress(this, percent);
}

void TContourPlot::ClearPivotPoints(bool preCalcFlag) {
  if (!FPivotPreCalc || preCalcFlag) FPivotMat.Fill(0.0);
  FPivotPreCalc = preCalcFlag;
  if (!preCalcFlag) FGridStale = true;
}

bool TContourPlot::CalculatePivotPoints(bool preCalcFlag) {
  if (FEstimating) return false;  // never a second pass inside the first
  if (!preCalcFlag && FPivotPreCalc) return true;
  FEstimating = true;
  const std::uint64_t gen = FGeneration;
  const TGridKey key = CurrentKey();
  const std::int32_t nx = FNumPivotX, ny = FNumPivotY;
  const std::int32_t q = std::max(nx / 100, 1);
  const bool ask = OnEstimateZVal && FSet.Enabled;
  bool done = true;
  try {
    for (std::int32_t i = 1; i <= nx && done; ++i) {
      if (i % q == 0) {
        Progress(Round(i * 100.0 / nx));
        Host().ProcessMessages();
      }
      // Whatever ran meanwhile may have replaced the grid or moved the ranges:
      // the rest of this pass would write past it or sample stale positions.
      if (gen != FGeneration || !(CurrentKey() == key)) {
        done = false;
        break;
      }
      const double x = key.XL + (key.XH - key.XL) * (i - 1) / (nx - 1);
      for (std::int32_t j = 1; j <= ny; ++j) {
        const double y = key.YL + (key.YH - key.YL) * (j - 1) / (ny - 1);
        double z = 0;
        std::uint8_t mask = FMaskMat.At(i, j);
        if (ask) {
          OnEstimateZVal(this, x, y, i, j, z, mask);
          if (gen != FGeneration) {
            done = false;
            break;
          }
        }
        FPivotMat.Set(i, j, z);
        FMaskMat.Set(i, j, mask);
      }
    }
  } catch (...) {
    FEstimating = false;
    FGridStale = true;
    throw;
  }
  FEstimating = false;
  if (done) {
    FPivotPreCalc = preCalcFlag;
    FGridKey = key;
    FGridStale = false;
    ++FPassesDone;
  } else {
    ++FPassesAbandoned;
    FGridStale = true;
    FRepaintPending = true;
  }
  // Paints asked for during the pass are made now, once.
  if (FRepaintPending && !FInPaint) {
    FRepaintPending = false;
    RepaintChart();
  }
  return done;
}

// ---- Rendering -------------------------------------------------------------------------

bool TContourPlot::CellDrawn(std::int32_t i, std::int32_t j) const noexcept {
  if (!FMaskMat.InRange(i, j)) return false;
  const std::uint8_t m = FMaskMat.At(i, j);
  if (m != 0 && m != 255) return false;
  if (FSet.PlotMode == cpmColorSurfNoIpTransp) return FlatColorIndex(FPivotMat.At(i, j)) > 0;
  return true;
}

// Each corner: the mean of the pivot's value and those of the three other
// pivots around the corner whose mask is 0. Indexes beyond the grid are
// clamped to its edge.
void TContourPlot::CornerValues(std::int32_t i, std::int32_t j, double& ll, double& ul, double& ur,
                                double& lr) const noexcept {
  const std::int32_t nx = FNumPivotX, ny = FNumPivotY;
  const double* z = FPivotMat.Data().data();
  const std::uint8_t* m = FMaskMat.Data().data();
  const double v = z[std::size_t(i - 1) * ny + (j - 1)];
  const std::int32_t il = std::max(i - 1, 1), ir = std::min(i + 1, nx);
  const std::int32_t jd = std::max(j - 1, 1), ju = std::min(j + 1, ny);
  auto corner = [&](std::int32_t a1, std::int32_t b1, std::int32_t a2, std::int32_t b2, std::int32_t a3,
                    std::int32_t b3) {
    double s = v;
    int c = 1;
    const std::size_t k1 = std::size_t(a1 - 1) * ny + (b1 - 1), k2 = std::size_t(a2 - 1) * ny + (b2 - 1),
                      k3 = std::size_t(a3 - 1) * ny + (b3 - 1);
    if (m[k1] == 0) s += z[k1], ++c;
    if (m[k2] == 0) s += z[k2], ++c;
    if (m[k3] == 0) s += z[k3], ++c;
    return s / c;
  };
  ll = corner(il, j, il, jd, i, jd);
  ul = corner(il, j, il, ju, i, ju);
  ur = corner(i, ju, ir, ju, ir, j);
  lr = corner(i, jd, ir, jd, ir, j);
}

namespace {

// Fills the pixels lo..hi (inclusive) of rows r0..r1 with one colour.
inline void FillRows(TRGB32* base, std::int32_t stride, std::int32_t x0, std::int32_t x1, std::int32_t r0,
                     std::int32_t r1, TRGB32 c) noexcept {
  for (std::int32_t r = r0; r <= r1; ++r) std::fill(base + std::size_t(r) * stride + x0, base + std::size_t(r) * stride + x1 + 1, c);
}

}  // namespace

void TContourPlot::RenderRows(TRGB32* base, std::int32_t stride, std::int32_t w, std::int32_t h,
                              const TPixMap& map) {
  if (FSet.PlotMode == cpmColorSurface) {
    RenderSurface(base, stride, w, h, map);
    return;
  }
  const std::int32_t nx = FNumPivotX, ny = FNumPivotY;
  const std::int32_t q = std::max(nx / 100, 1);
  const std::int32_t nSub = 5 * nx <= 500 ? 500 / nx : 5;
  const double xl = GetScalePropsX(1).RangeLow(), yl = GetScalePropsY(1).RangeLow();
  const double dx = PivotDx(), dy = PivotDy();
  const TContourPlotMode mode = FSet.PlotMode;
  const std::int32_t nCol = IsoColors.NumColors();
  FIsoLut.resize(std::size_t(std::max(nCol, 1)) + 1);
  for (std::int32_t k = 1; k <= std::max(nCol, 1); ++k) FIsoLut[std::size_t(k)] = Pixel(IsoColors.GetColorElem(k));
  FIsoLut[0] = FIsoLut[1];
  const TRGB32* lut = FIsoLut.data();
  const double lo = FSet.IsoLow;
  const std::uint8_t* mask = FMaskMat.Data().data();
  const double* z = FPivotMat.Data().data();
  const std::int32_t nLevels = NumIsoLevels();

  for (std::int32_t i = 1; i <= nx; ++i) {
    if (i % q == 0) Progress(70 + Round(15.0 * i / nx));
    // Edges computed by one expression, so neighbours share them exactly.
    const double x0 = xl + dx * (i - 1.5);
    const std::int32_t px0 = map.X(x0), px1 = map.X(xl + dx * (i - 0.5));
    if (std::max(px0, px1) < 0 || std::min(px0, px1) >= w) continue;
    for (std::int32_t j = 1; j <= ny; ++j) {
      const std::size_t k = std::size_t(i - 1) * ny + (j - 1);
      if (mask[k] != 0 && mask[k] != 255) continue;
      const double y0 = yl + dy * (j - 1.5);
      const std::int32_t py0 = map.Y(y0), py1 = map.Y(yl + dy * (j - 0.5));
      if (std::max(py0, py1) < 0 || std::min(py0, py1) >= h) continue;
      if (mode == cpmColorSurfNoIp || mode == cpmColorSurfNoIpTransp) {
        const std::int32_t ix = FlatColorIndex(z[k]);
        if (ix == 0 && mode == cpmColorSurfNoIpTransp) continue;
        std::int32_t c0, c1, r0, r1;
        if (!Span(px0, px1, !CellDrawn(i + 1, j), w, c0, c1) || !Span(py0, py1, !CellDrawn(i, j + 1), h, r0, r1))
          continue;
        FillRows(base, stride, c0, c1, r0, r1, lut[ix == 0 ? 1 : ix]);
        continue;
      }
      double vll, vul, vur, vlr;
      CornerValues(i, j, vll, vul, vur, vlr);
      {  // cpmDots, cpmMonoDots
        if (nLevels == 0) continue;
        const double dist = FSet.IsoDist, hi = FSet.IsoHigh;
        auto dot = [&](double wx, double wy, double level) {
          const std::int32_t ddx = std::clamp(map.X(wx), 0, w - 1), ddy = std::clamp(map.Y(wy), 0, h - 1);
          std::int32_t ci = 1;
          if (mode == cpmDots) ci = std::clamp(Round(nCol * (level - lo) / (hi - lo)), 1, std::max(nCol, 1));
          // One logical pixel: f x f device pixels on a HiDPI image.
          FillRows(base, stride, ddx, std::min(ddx + map.f - 1, w - 1), ddy, std::min(ddy + map.f - 1, h - 1),
                   lut[ci]);
        };
        // Levels strictly between a and b: L_k = lo + (k - 1) dist, k = 1..nLevels.
        auto levels = [&](double a, double b, auto&& put) {
          const double mn = std::min(a, b), mx = std::max(a, b);
          if (!(mn < mx)) return;
          const std::int32_t k0 = FirstLevelAbove(mn, lo, dist, nLevels);
          for (std::int32_t kk = k0; kk <= nLevels; ++kk) {
            const double L = lo + (kk - 1) * dist;
            if (L >= mx) break;
            if (L > mn) put(L);
          }
        };
        for (std::int32_t r = 0; r < nSub; ++r) {
          const double x = x0 + dx * r / nSub;
          const double vb = vll + (vlr - vll) * r / nSub, vt = vul + (vur - vul) * r / nSub;
          levels(vb, vt, [&](double L) { dot(x, y0 + dy * (L - vb) / (vt - vb), L); });
        }
        for (std::int32_t r = 0; r <= nSub; ++r) {
          const double y = y0 + dy * r / nSub;
          const double vl = vll + (vul - vll) * r / nSub, vr = vlr + (vur - vlr) * r / nSub;
          levels(vl, vr, [&](double L) { dot(x0 + dx * (L - vl) / (vr - vl), y, L); });
        }
      }
    }
  }
}

namespace {

// Edges of the cells along one axis in target pixels and, per cell, the
// boundaries of its sub-steps: cell k spans Edge0[k]..Edge1[k] with Sub[k]
// sub-steps whose boundaries are Bounds[Off[k] .. Off[k] + Sub[k]].
struct TCellEdges {
  std::vector<std::int32_t> Edge0, Edge1, Sub, Off, Bounds;
  template <class Map>
  void Build(std::int32_t n, double lo, double step, std::int32_t nSub, Map map) {
    Edge0.resize(std::size_t(n) + 1);
    Edge1.resize(std::size_t(n) + 1);
    Sub.resize(std::size_t(n) + 1);
    Off.resize(std::size_t(n) + 1);
    Bounds.clear();
    for (std::int32_t k = 1; k <= n; ++k) {
      const double a = lo + step * (k - 1.5), b = lo + step * (k - 0.5);
      const std::int32_t e0 = map(a), e1 = map(b);
      const std::int32_t s = std::clamp(std::abs(e1 - e0), 1, nSub);
      Edge0[std::size_t(k)] = e0;
      Edge1[std::size_t(k)] = e1;
      Sub[std::size_t(k)] = s;
      Off[std::size_t(k)] = std::int32_t(Bounds.size());
      for (std::int32_t q = 0; q < s; ++q) Bounds.push_back(q == 0 ? e0 : map(a + q * step / s));
      Bounds.push_back(e1);
    }
  }
};

}  // namespace

// The bilinear colour surface: per cell the corner values, one fill when
// the four corners share a colour, else the sub-steps' colours composed in
// a row buffer and copied into the rows the cell owns.
void TContourPlot::RenderSurface(TRGB32* base, std::int32_t stride, std::int32_t w, std::int32_t h,
                                 const TPixMap& map) {
  const std::int32_t nx = FNumPivotX, ny = FNumPivotY;
  const std::int32_t q = std::max(nx / 100, 1);
  const std::int32_t nSub = 5 * nx <= 500 ? 500 / nx : 5;
  const double xl = GetScalePropsX(1).RangeLow(), yl = GetScalePropsY(1).RangeLow();
  const double dx = PivotDx(), dy = PivotDy();
  const std::int32_t nCol = std::max(IsoColors.NumColors(), 1);
  FIsoLut.resize(std::size_t(nCol) + 1);
  for (std::int32_t k = 1; k <= nCol; ++k) FIsoLut[std::size_t(k)] = Pixel(IsoColors.GetColorElem(k));
  FIsoLut[0] = FIsoLut[1];
  const TRGB32* lut = FIsoLut.data();
  const double lo = FSet.IsoLow, scale = IsoColors.NumColors() / (FSet.IsoHigh - FSet.IsoLow);
  const double top = nCol;
  // Colour index: 1 at or below IsoLow (and for NaN), else round(t) within 1..n.
  // The bilinear interpolation commutes with this linear map, so the cells
  // interpolate the scaled values t = (v - IsoLow) * scale directly.
  auto colorT = [top](double t) noexcept -> std::int32_t {
    t = t > 1 ? t : 1;
    t = t < top ? t : top;
    return std::int32_t(FastRoundHalfEven(t));
  };
  const std::uint8_t* mask = FMaskMat.Data().data();
  auto drawn = [mask, ny](std::int32_t i, std::int32_t j) noexcept {
    const std::uint8_t m = mask[std::size_t(i - 1) * ny + (j - 1)];
    return m == 0 || m == 255;
  };
  TCellEdges ex, ey;
  ex.Build(nx, xl, dx, nSub, [&map](double x) { return map.X(x); });
  ey.Build(ny, yl, dy, nSub, [&map](double y) { return map.Y(y); });
  std::vector<std::int32_t> colLo(static_cast<std::size_t>(nSub)), colHi(static_cast<std::size_t>(nSub));

  for (std::int32_t i = 1; i <= nx; ++i) {
    if (i % q == 0) Progress(70 + Round(15.0 * i / nx));
    const std::int32_t px0 = ex.Edge0[std::size_t(i)], px1 = ex.Edge1[std::size_t(i)];
    if (std::max(px0, px1) < 0 || std::min(px0, px1) >= w) continue;
    const std::int32_t sx = ex.Sub[std::size_t(i)];
    const std::int32_t* bx = ex.Bounds.data() + ex.Off[std::size_t(i)];
    for (std::int32_t j = 1; j <= ny; ++j) {
      if (!drawn(i, j)) continue;
      const std::int32_t py0 = ey.Edge0[std::size_t(j)], py1 = ey.Edge1[std::size_t(j)];
      if (std::max(py0, py1) < 0 || std::min(py0, py1) >= h) continue;
      const bool ownX = i == nx || !drawn(i + 1, j), ownY = j == ny || !drawn(i, j + 1);
      double vll, vul, vur, vlr;
      CornerValues(i, j, vll, vul, vur, vlr);
      vll = (vll - lo) * scale;
      vul = (vul - lo) * scale;
      vur = (vur - lo) * scale;
      vlr = (vlr - lo) * scale;
      const std::int32_t cll = colorT(vll);
      if (cll == colorT(vul) && cll == colorT(vur) && cll == colorT(vlr)) {
        std::int32_t c0, c1, r0, r1;
        if (Span(px0, px1, ownX, w, c0, c1) && Span(py0, py1, ownY, h, r0, r1))
          FillRows(base, stride, c0, c1, r0, r1, lut[cll]);
        continue;
      }
      const std::int32_t sy = ey.Sub[std::size_t(j)];
      const std::int32_t* by = ey.Bounds.data() + ey.Off[std::size_t(j)];
      std::int32_t cmin = w, cmax = -1;
      for (std::int32_t a = 0; a < sx; ++a) {
        std::int32_t c0, c1;
        if (!Span(bx[a], bx[a + 1], a == sx - 1 && ownX, w, c0, c1)) c0 = 0, c1 = -1;
        colLo[std::size_t(a)] = c0;
        colHi[std::size_t(a)] = c1;
        if (c0 <= c1) cmin = std::min(cmin, c0), cmax = std::max(cmax, c1);
      }
      if (cmin > cmax) continue;
      const std::size_t len = std::size_t(cmax - cmin + 1);
      const double isx = 1.0 / sx, isy = 1.0 / sy;
      for (std::int32_t b = 0; b < sy; ++b) {
        std::int32_t r0, r1;
        if (!Span(by[b], by[b + 1], b == sy - 1 && ownY, h, r0, r1)) continue;
        const double t = b * isy;
        const double l = vll + (vul - vll) * t, r = vlr + (vur - vlr) * t;
        // The first row is written directly, the others copied from it.
        TRGB32* first = base + std::size_t(r0) * stride;
        const double step = (r - l) * isx;
        for (std::int32_t a = 0; a < sx; ++a) {
          const TRGB32 c = lut[colorT(l + step * a)];
          for (std::int32_t x = colLo[std::size_t(a)]; x <= colHi[std::size_t(a)]; ++x) first[x] = c;
        }
        for (std::int32_t y = r0 + 1; y <= r1; ++y) {
          TRGB32* row = base + std::size_t(y) * stride;
          for (std::size_t k = 0; k < len; ++k) row[cmin + std::ptrdiff_t(k)] = first[cmin + std::ptrdiff_t(k)];
        }
      }
    }
  }
}

// Cells with mask 2..254 take their palette colour, cells with 255 are
// inverted: the AND, OR and XOR combination of three mask images, done on
// the rows directly.
void TContourPlot::MaskOverlay(TRGB32* base, std::int32_t stride, std::int32_t w, std::int32_t h,
                               const TPixMap& map) {
  const std::int32_t nx = FNumPivotX, ny = FNumPivotY;
  const std::uint8_t* mask = FMaskMat.Data().data();
  bool any = false;
  for (std::size_t k = 0, n = FMaskMat.Data().size(); k < n && !any; ++k) any = mask[k] >= 2;
  if (!any) return;
  const std::int32_t q = std::max(nx / 100, 1);
  const double xl = GetScalePropsX(1).RangeLow(), yl = GetScalePropsY(1).RangeLow();
  const double dx = PivotDx(), dy = PivotDy();
  // Per pixel: 0 untouched, 1 palette colour, 2 inverted, 3 palette colour inverted.
  std::vector<std::uint8_t> op(std::size_t(w) * std::size_t(h), 0);
  std::vector<TRGB32> fill(std::size_t(w) * std::size_t(h));
  for (std::int32_t i = 1; i <= nx; ++i) {
    if (i % q == 0) Progress(85 + Round(15.0 * i / nx));
    const std::int32_t a0 = map.X(xl + dx * (i - 1.5)), a1 = map.X(xl + dx * (i - 0.5));
    if (std::max(a0, a1) < 0 || std::min(a0, a1) >= w) continue;
    const std::int32_t c0 = std::clamp(std::min(a0, a1), 0, w - 1), c1 = std::clamp(std::max(a0, a1), 0, w - 1);
    for (std::int32_t j = 1; j <= ny; ++j) {
      const std::uint8_t m = mask[std::size_t(i - 1) * ny + (j - 1)];
      if (m < 2) continue;
      const std::int32_t b0 = map.Y(yl + dy * (j - 1.5)), b1 = map.Y(yl + dy * (j - 0.5));
      if (std::max(b0, b1) < 0 || std::min(b0, b1) >= h) continue;
      const std::int32_t r0 = std::clamp(std::min(b0, b1), 0, h - 1), r1 = std::clamp(std::max(b0, b1), 0, h - 1);
      const TRGB32 c = Pixel(MaskPalette.GetColorElem(m));
      for (std::int32_t r = r0; r <= r1; ++r)
        for (std::int32_t x = c0; x <= c1; ++x) {
          const std::size_t p = std::size_t(r) * w + x;
          if (m == 255) {
            op[p] |= 2;
          } else {
            op[p] |= 1;
            fill[p] = c;
          }
        }
    }
  }
  for (std::int32_t r = 0; r < h; ++r) {
    TRGB32* row = base + std::size_t(r) * stride;
    for (std::int32_t x = 0; x < w; ++x) {
      const std::uint8_t o = op[std::size_t(r) * w + x];
      if (o == 0) continue;
      TRGB32& p = row[x];
      if (o & 1) p = fill[std::size_t(r) * w + x];
      if (o & 2) {
        p.B = std::uint8_t(~p.B);
        p.G = std::uint8_t(~p.G);
        p.R = std::uint8_t(~p.R);
      }
    }
  }
}

void TContourPlot::RenderFromPivotPoints(TBitmap& bmp, std::int32_t offX, std::int32_t offY,
                                         std::int32_t factor) {
  // Row access needs at least one column and two rows.
  if (bmp.Width() < 1 || bmp.Height() < 2 || FPivotMat.Empty()) return;
  if (FPivotMat.NrOfColumns() != FNumPivotX || FPivotMat.NrOfRows() != FNumPivotY) return;
  factor = std::max(factor, 1);
  double kx, dx, ky, dy;
  GetTransformParams(1, kx, dx, ky, dy);
  TPixMap map;
  const double f = factor;
  map.kx = f * kx;
  map.dx = f * (dx + offX - MarginLeft());
  map.ky = f * ky;
  map.dy = f * (dy + offY - MarginTop());
  map.logX = Transforms().LogX(1);
  map.logY = Transforms().LogY(1);
  map.w = bmp.Width();
  map.h = bmp.Height();
  map.f = factor;
  RenderRows(bmp.Bits(), bmp.Stride(), bmp.Width(), bmp.Height(), map);
  MaskOverlay(bmp.Bits(), bmp.Stride(), bmp.Width(), bmp.Height(), map);
}

void TContourPlot::DrawDataAreaBackground(TCanvas& canvas, std::int32_t left, std::int32_t top,
                                          std::int32_t width, std::int32_t height) {
  TCustomDEvari::DrawDataAreaBackground(canvas, left, top, width, height);
  if (FPivotMat.Empty()) return;
  if (FGridStale || FInvalidDataBmp || !(CurrentKey() == FGridKey)) {
    if (!FEstimating && !CalculatePivotPoints(false)) return;  // abandoned: repainted next
  }
  FInvalidDataBmp = false;
  TBitmap& data = GrafBmp();
  if (&canvas == &data.Canvas()) {
    // The canvas may have grown or shrunk while the pass let messages run:
    // the rows are taken as they are now.
    RenderFromPivotPoints(data, left, top, std::max(Round(data.SurfaceScale()), 1));
    return;
  }
  // A foreign canvas (printer, vector files): the surface as an image.
  if (width <= 0 || height <= 1) return;
  TBitmap img(width + 1, height + 1);
  TCustomDEvari::DrawDataAreaBackground(img.Canvas(), 0, 0, width, height);
  RenderFromPivotPoints(img, 0, 0, 1);
  canvas.Draw(left, top, img);
}

// ---- Single cells onto a canvas ------------------------------------------------------------

void TContourPlot::IsoColQuad(TCanvas& canvas, std::int32_t offX, std::int32_t offY, double x0,
                              double y0, double dx, double dy, double vll, double vul, double vur,
                              double vlr, std::int32_t n) {
  auto px = [&](double x) {
    std::int32_t a, b;
    R2M(1, x, y0, a, b);
    return a + offX - MarginLeft();
  };
  auto py = [&](double y) {
    std::int32_t a, b;
    R2M(1, x0, y, a, b);
    return b + offY - MarginTop();
  };
  auto fill = [&](double xa, double ya, double xb, double yb, std::int32_t ix) {
    const TColor c = IsoColors.GetColorElem(ix);
    const std::int32_t x1 = std::min(px(xa), px(xb)), x2 = std::max(px(xa), px(xb));
    const std::int32_t y1 = std::min(py(ya), py(yb)), y2 = std::max(py(ya), py(yb));
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(c);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(c);
    if (x1 == x2 && y1 == y2)
      canvas.SetPixel(x1, y1, c);
    else
      canvas.FillRect(Rect(x1, y1, x2 + 1, y2 + 1));
  };
  const std::int32_t c1 = ValueToColorIndex(vll), c2 = ValueToColorIndex(vul), c3 = ValueToColorIndex(vur),
                     c4 = ValueToColorIndex(vlr);
  if (c1 == c2 && c1 == c3 && c1 == c4) {
    fill(x0, y0, x0 + dx, y0 + dy, c1);
    return;
  }
  const std::int32_t nx = std::clamp(std::abs(px(x0 + dx) - px(x0)), 1, std::max(n, 1));
  const std::int32_t ny = std::clamp(std::abs(py(y0 + dy) - py(y0)), 1, std::max(n, 1));
  for (std::int32_t a = 0; a < nx; ++a)
    for (std::int32_t b = 0; b < ny; ++b) {
      const double s = double(a) / nx, t2 = double(b) / ny;
      const double vb = vll + (vlr - vll) * s, vt = vul + (vur - vul) * s;
      fill(x0 + a * dx / nx, y0 + b * dy / ny, x0 + (a + 1) * dx / nx, y0 + (b + 1) * dy / ny,
           ValueToColorIndex(vb + (vt - vb) * t2));
    }
}

void TContourPlot::IsoQuad(TCanvas& canvas, std::int32_t offX, std::int32_t offY, double x0, double y0,
                           double dx, double dy, double vll, double vul, double vur, double vlr,
                           std::int32_t n) {
  const std::int32_t nLevels = NumIsoLevels();
  if (nLevels == 0 || n < 1) return;
  const double lo = FSet.IsoLow, hi = FSet.IsoHigh, dist = FSet.IsoDist;
  const std::int32_t nCol = std::max(IsoColors.NumColors(), 1);
  auto dot = [&](double wx, double wy, double L) {
    std::int32_t mx, my;
    R2M(1, wx, wy, mx, my);
    std::int32_t ci = 1;
    if (FSet.PlotMode == cpmDots) ci = std::clamp(Round(nCol * (L - lo) / (hi - lo)), 1, nCol);
    canvas.SetPixel(mx + offX - MarginLeft(), my + offY - MarginTop(), IsoColors.GetColorElem(ci));
  };
  auto levels = [&](double a, double b, auto&& put) {
    const double mn = std::min(a, b), mx = std::max(a, b);
    if (!(mn < mx)) return;
    for (std::int32_t k = FirstLevelAbove(mn, lo, dist, nLevels); k <= nLevels; ++k) {
      const double L = lo + (k - 1) * dist;
      if (L >= mx) break;
      if (L > mn) put(L);
    }
  };
  for (std::int32_t r = 0; r < n; ++r) {
    const double x = x0 + dx * r / n;
    const double vb = vll + (vlr - vll) * r / n, vt = vul + (vur - vul) * r / n;
    levels(vb, vt, [&](double L) { dot(x, y0 + dy * (L - vb) / (vt - vb), L); });
  }
  for (std::int32_t r = 0; r <= n; ++r) {
    const double y = y0 + dy * r / n;
    const double vl = vll + (vul - vll) * r / n, vr = vlr + (vur - vlr) * r / n;
    levels(vl, vr, [&](double L) { dot(x0 + dx * (L - vl) / (vr - vl), y, L); });
  }
}

}  // namespace kvo
