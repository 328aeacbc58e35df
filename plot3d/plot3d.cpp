// TPlot3D: model, settings, view, mouse interaction and the hit test. The
// rendering and export live in plot3d_paint.cpp.
#include "plot3d/plot3d.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/numeric.h"

namespace kvo {

namespace {

// Moves v away from `from` by step, or by the smallest amount that makes a
// difference where step is below the resolution of v.
double MovedAway(double v, double step) noexcept {
  const double moved = v + step;
  if (moved != v && std::isfinite(moved)) return moved;
  return std::nextafter(v, step > 0 ? std::numeric_limits<double>::max()
                                    : std::numeric_limits<double>::lowest());
}

// Two ends that must differ: equal ones are moved apart by half on each side.
void SeparateEnds(double& low, double& high) noexcept {
  if (low != high) return;
  low = MovedAway(low, -0.5);
  high = MovedAway(high, 0.5);
}

double ClampScaleFact(double v) noexcept { return ClampToRange(v, -kScaleFactLimit, kScaleFactLimit); }

}  // namespace

// ---- Lifecycle ----------------------------------------------------------------------

TPlot3D::TPlot3D(TComponent* owner) : TCustomControl(owner) {
  FSuppressPaint = true;
  SetBounds(0, 0, 650, 500);
  GridMat.OnChange = [this](TObject* sender) { GridMatChanged(sender); };
  // A new colour table shows at once where it is in use.
  IsoColors.OnChange = [this](TObject*) {
    if (FSet.ColorCodingMode == ccmColorArray) Changed();
  };
  ResetComp();
  FSuppressPaint = false;
}

TPlot3D::~TPlot3D() {
  GridMat.OnChange = nullptr;
  IsoColors.OnChange = nullptr;
}

void TPlot3D::ResetComp() {
  TUpdate update(*this);
  FSet = TPlot3DSettings{};
  Recentre();
  CalcRotMatrix();
  SetCubeCorners();
  AdjustScaling();
}

void TPlot3D::Assign(const TObject& Source) {
  if (const auto* src = dynamic_cast<const TPlot3D*>(&Source)) {
    if (src == this) return;
    TUpdate update(*this);
    FSet = src->FSet;
    if (FSet.AutoCenter) Recentre();
    CalcRotMatrix();
    AdjustScaling();
    return;
  }
  TCustomControl::Assign(Source);
}

bool TPlot3D::AssignTo(TObject& dest) const {
  if (auto* d = dynamic_cast<TPlot3D*>(&dest)) {
    d->Assign(*this);
    return true;
  }
  return false;
}

void TPlot3D::Loaded() {
  TCustomControl::Loaded();
  if (FSet.AutoCenter) Recentre();
  CalcRotMatrix();
  SetCubeCorners();
  AdjustScaling();
  Changed();
}

void TPlot3D::Changed() {
  if (FSuppressPaint) return;
  Refresh();
}

void TPlot3D::Resize() {
  ProcessResize();
  TCustomControl::Resize();
}

void TPlot3D::ProcessResize() {
  if (FSet.AutoCenter) Recentre();
}

void TPlot3D::Recentre() noexcept {
  FSet.CentX = Width() / 2;
  FSet.CentY = Height() / 2;
}

void TPlot3D::SetSuppressPaint(bool v) {
  if (v == FSuppressPaint) return;
  FSuppressPaint = v;
  if (!v) {
    GridMatChanged(&GridMat);
    Changed();
  }
}

void TPlot3D::GridMatChanged(TObject* /*Sender*/) {
  // A picture of another grid size no longer answers the hit test, even
  // while painting is held back.
  if (GridMat.NrOfColumns() != FMapNx || GridMat.NrOfRows() != FMapNy) FMapsValid = false;
  if (FSuppressPaint) return;
  SetCubeCorners();
  FMinMaxStale = true;  // computed when first asked for
  SizeMaps();
}

void TPlot3D::SizeMaps() {
  const std::int32_t nx = GridMat.NrOfColumns(), ny = GridMat.NrOfRows();
  ProjMapX.Resize(nx, ny);
  ProjMapY.Resize(nx, ny);
  ProjMapZ.Resize(nx, ny);
}

void TPlot3D::UpdateMinMax() const {
  if (!FMinMaxStale) return;
  GridMat.MinMax(FMinZ, FMaxZ);
  FMinMaxStale = false;
}

double TPlot3D::MinZ() const {
  UpdateMinMax();
  return FMinZ;
}

double TPlot3D::MaxZ() const {
  UpdateMinMax();
  return FMaxZ;
}

// ---- Properties -------------------------------------------------------------------

void TPlot3D::SetAutoCenter(bool v) {
  if (v == FSet.AutoCenter) return;
  FSet.AutoCenter = v;
  if (v) Recentre();
}

void TPlot3D::SetBoundBoxStyle(TBoundingBox v) {
  if (v == FSet.BoundBoxStyle || v > bbFaces) return;
  FSet.BoundBoxStyle = v;
  Changed();
}

void TPlot3D::SetCaption(int k, const std::string& v) {
  if (v == FSet.Caption[k]) return;
  FSet.Caption[k] = v;
  Changed();
}

void TPlot3D::SetCentX(std::int32_t v) {
  if (FSet.AutoCenter) {
    Recentre();
    return;
  }
  v = std::clamp(v, -Width(), SatAdd(Width(), Width()));
  if (v == FSet.CentX) return;
  FSet.CentX = v;
  Changed();
}

void TPlot3D::SetCentY(std::int32_t v) {
  if (FSet.AutoCenter) {
    Recentre();
    return;
  }
  v = std::clamp(v, -Height(), SatAdd(Height(), Height()));
  if (v == FSet.CentY) return;
  FSet.CentY = v;
  Changed();
}

void TPlot3D::SetColorField(TColor& field, TColor v) {
  if (v == field) return;
  field = v;
  Changed();
}

void TPlot3D::SetColorCodeAvg(bool v) {
  if (v == FSet.ColorCodeAvg) return;
  FSet.ColorCodeAvg = v;
  Changed();
}

void TPlot3D::SetColorScaleLow(double v) {
  if (!(v < FSet.ColorScaleHigh) || std::isinf(v) || v == FSet.ColorScaleLow) return;
  FSet.ColorScaleLow = v;
  Changed();
}

void TPlot3D::SetColorScaleHigh(double v) {
  if (!(v > FSet.ColorScaleLow) || std::isinf(v) || v == FSet.ColorScaleHigh) return;
  FSet.ColorScaleHigh = v;
  Changed();
}

void TPlot3D::SetColorCodingMode(TColorCodingMode v) {
  if (v == FSet.ColorCodingMode || v > ccmColorArray) return;
  FSet.ColorCodingMode = v;
  Changed();
}

void TPlot3D::SetColorScheme(TColorScheme v) {
  if (v == FSet.ColorScheme || v > cscSystem) return;
  FSet.ColorScheme = v;
  Changed();
}

void TPlot3D::SetDecPlace(int k, std::int32_t v) {
  v = std::clamp(v, -2, 12);
  if (v == FSet.DecPlace[k]) return;
  FSet.DecPlace[k] = v;
  Changed();
}

void TPlot3D::SetFrameStyle(TFrameStyle v) {
  if (v == FSet.FrameStyle || int(v) >= kNumFrameStyles) return;
  FSet.FrameStyle = v;
  Changed();
}

void TPlot3D::SetLabDist(int k, std::int32_t v) {
  v = ClampPixel(v);
  if (v == FSet.LabDist[k]) return;
  FSet.LabDist[k] = v;
  Changed();
}

void TPlot3D::SetMeshVisible(bool v) {
  if (v == FSet.MeshVisible) return;
  FSet.MeshVisible = v;
  Changed();
}

void TPlot3D::SetMeshKind(TMeshKind v) {
  if (v == FSet.MeshKind || v > mkGrid) return;
  FSet.MeshKind = v;
  Changed();
}

void TPlot3D::SetMagnification(double v) {
  if (std::isnan(v)) return;
  v = std::clamp(v, 0.1, 5.0);
  if (v == FSet.Magnification) return;
  FSet.Magnification = v;
  Changed();
}

void TPlot3D::SetMinTick(int k, std::int32_t v) {
  v = std::clamp(v, 2, 20);
  if (v == FSet.MinTick[k]) return;
  FSet.MinTick[k] = v;
  Changed();
}

void TPlot3D::SetRangeEnd(int k, bool high, double v) {
  if (!std::isfinite(v)) return;
  double& mine = high ? FSet.RangeHigh[k] : FSet.RangeLow[k];
  const double other = high ? FSet.RangeLow[k] : FSet.RangeHigh[k];
  if (v == other) v = MovedAway(v, high ? 1.0 : -1.0);
  if (v == mine) return;
  mine = v;
  AdjustScaling();
  Changed();
}

void TPlot3D::SetRange(double LowX, double HighX, double LowY, double HighY, double LowZ,
                       double HighZ) {
  const double lows[3] = {LowX, LowY, LowZ}, highs[3] = {HighX, HighY, HighZ};
  for (int k = 0; k < 3; ++k) {
    double low = lows[k], high = highs[k];
    if (!std::isfinite(low) || !std::isfinite(high)) continue;  // that axis keeps its range
    SeparateEnds(low, high);
    FSet.RangeLow[k] = low;
    FSet.RangeHigh[k] = high;
  }
  AdjustScaling();
  Changed();
}

void TPlot3D::SetScaleFact(int k, double v) {
  if (!std::isfinite(v)) return;
  v = ClampScaleFact(v);
  if (v == FSet.ScaleFact[k]) return;
  FSet.ScaleFact[k] = v;
  Changed();
}

void TPlot3D::SetViewAngleX(double v) {
  if (std::isnan(v)) return;
  v = NormalizeViewAngle(v);
  if (v == FSet.ViewAngleX) return;
  FSet.ViewAngleX = v;
  CalcRotMatrix();
  Changed();
}

void TPlot3D::SetViewAngleZ(double v) {
  if (std::isnan(v)) return;
  v = NormalizeViewAngle(v);
  if (v == FSet.ViewAngleZ) return;
  FSet.ViewAngleZ = v;
  CalcRotMatrix();
  Changed();
}

void TPlot3D::SetViewAngles(double AngleX, double AngleZ) {
  if (std::isnan(AngleX) || std::isnan(AngleZ)) return;
  if (AngleX == FSet.ViewAngleX && AngleZ == FSet.ViewAngleZ) return;
  FSet.ViewAngleX = NormalizeViewAngle(AngleX);
  FSet.ViewAngleZ = NormalizeViewAngle(AngleZ);
  CalcRotMatrix();
  Changed();
}

void TPlot3D::SetVisibleCoords(int k, bool v) {
  if (v == FSet.VisibleCoords[k]) return;
  FSet.VisibleCoords[k] = v;
  Changed();
}

// ---- Model ------------------------------------------------------------------------

double TPlot3D::GetRotMat(std::int32_t ix, std::int32_t iy) const noexcept {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0;
  return FRotMat[ix - 1][iy - 1];
}

void TPlot3D::CalcRotMatrix() { FRotMat = P3RotMatrix(FSet.ViewAngleX, FSet.ViewAngleZ); }

void TPlot3D::AdjustScaling() {
  const double low = FSet.RangeLow[2], high = FSet.RangeHigh[2];
  double k = 300 / (high - low);
  double d = -150 - low * k;
  if (!std::isfinite(k) || !std::isfinite(d)) {
    // A span too small for its own reciprocal: compute in halves, and give
    // up (every value at the cube's middle) where even that fails.
    k = 150 / (high / 2 - low / 2);
    d = -150 - low * k;
    if (!std::isfinite(k) || !std::isfinite(d)) {
      k = 0;
      d = 0;
    }
  }
  FCalibZk = k;
  FCalibZd = d;
}

void TPlot3D::AutoScale() {
  const std::int32_t nx = GridMat.NrOfColumns(), ny = GridMat.NrOfRows();
  if (nx < 1 || ny < 1) return;
  const double m = std::max(nx, ny);
  FSet.ScaleFact[0] = m / nx;
  FSet.ScaleFact[1] = m / ny;
  const double lo = MinZ(), hi = MaxZ();
  double z = 1;
  if (hi != lo) {
    z = (FSet.RangeHigh[2] - FSet.RangeLow[2]) / (hi - lo);
    z = std::isfinite(z) ? ClampScaleFact(z) : 1;
  }
  FSet.ScaleFact[2] = z;
  Changed();
}

void TPlot3D::SetCubeCorners() {
  for (int i = 0; i < 8; ++i) CubeCorners[i] = CubeCorner(i);
}

void TPlot3D::Reset() {
  Recentre();
  FSet.ScaleFact = {1, 1, 1};
  FSet.ViewAngleX = 66;
  FSet.ViewAngleZ = 135;
  FSet.Magnification = 1;
  CalcRotMatrix();
  Changed();
}

void TPlot3D::Clear() {
  GridMat.Fill(0);
  Changed();
}

TP3Projection TPlot3D::Projection() const noexcept { return ProjectionFor(TView{}); }

TP3Projection TPlot3D::ProjectionFor(const TView& view) const noexcept {
  TP3Projection p;
  p.R = FRotMat;
  p.SclX = FSet.ScaleFact[0];
  p.SclY = FSet.ScaleFact[1];
  p.SclZ = FSet.ScaleFact[2];
  p.Magnify = FSet.Magnification * view.Scale;
  p.CentX = view.OffX + FSet.CentX * view.Scale;
  p.CentY = view.OffY + FSet.CentY * view.Scale;
  return p;
}

TColor TPlot3D::CalcColorCoding(double value) const noexcept { return CellColor(FSet, value); }

TColor TPlot3D::CellColor(const TPlot3DSettings& s, double value) const noexcept {
  const double lo = s.ColorScaleLow, hi = s.ColorScaleHigh;
  const double v = std::isnan(value) ? lo : std::clamp(value, lo, hi);
  double t = (v - lo) / (hi - lo);
  if (!std::isfinite(t)) t = (v / 2 - lo / 2) / (hi / 2 - lo / 2);
  t = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0.0;
  if (s.ColorCodingMode == ccmColorArray)
    return IsoColors.GetColorElem(Round(t * IsoColors.NumColors()));
  const TColor low = ColorToRGB(s.ColorLow), mid = ColorToRGB(s.ColorMid),
               high = ColorToRGB(s.ColorHigh);
  TColor a = low, b = high;
  double f = t;
  if (s.ColorCodingMode == ccmThreeColors) {
    if (t < 0.5) {
      b = mid;
      f = 2 * t;
    } else {
      a = mid;
      f = 2 * (t - 0.5);
    }
  }
  const auto channel = [f](std::uint8_t ca, std::uint8_t cb) {
    return std::clamp(Round(f * (double(cb) - double(ca)) + ca), 0, 255);
  };
  return TColor(channel(GetRValue(a), GetRValue(b))) +
         256 * TColor(channel(GetGValue(a), GetGValue(b))) +
         65536 * TColor(channel(GetBValue(a), GetBValue(b)));
}

// ---- Mouse ------------------------------------------------------------------------

void TPlot3D::MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const bool left = Shift.Contains(ssLeft), right = Shift.Contains(ssRight);
  const std::int32_t w = Width(), h = Height();
  if (!left && !right) {
    MouseAnchorX = X;
    MouseAnchorY = Y;
    FCentXAnchor = FSet.CentX;
    FCentYAnchor = FSet.CentY;
    FMagAnchor = FSet.Magnification;
    FAngleAnchor[0] = FSet.ViewAngleX;
    FAngleAnchor[2] = FSet.ViewAngleZ;
  } else if (w > 0 && h > 0 && X >= 0 && X <= w && Y >= 0 && Y <= h) {
    const double turn = FAngleAnchor[2] + double(MouseAnchorX - X) * 360 / w;
    const double tiltUp = FAngleAnchor[0] + double(MouseAnchorY - Y) * 360 / h;
    const auto zoom = [&] {
      double d = (5.0 - 0.1) * double(MouseAnchorY - Y) / h / 2;
      if (FMagAnchor + d > 5.0) d = 5.0 - FMagAnchor;
      if (FMagAnchor + d < 0.1) d = 0.1 - FMagAnchor;
      FSet.Magnification = FMagAnchor + d;
      MouseActionMove(Shift);
      DoZoomPanEvent();
    };
    // One repaint for the step, and none when the mode does not act.
    const bool saved = FSuppressPaint;
    FSuppressPaint = true;
    const TPlot3DSettings before = FSet;
    switch (FSet.MouseAction) {
      case mamRotate:
      case mamRotateZoom:
        if (left) {
          FSet.ViewAngleZ = WrapViewAngle(turn);
          FSet.ViewAngleX = WrapViewAngle(tiltUp);
          if (FSet.MouseAction == mamRotate) {
            FSet.ViewAngleX = std::clamp(FSet.ViewAngleX, FViewAngLimLow[0], FViewAngLimHigh[0]);
            FSet.ViewAngleZ = std::clamp(FSet.ViewAngleZ, FViewAngLimLow[2], FViewAngLimHigh[2]);
          }
          MouseActionMove(Shift);
          CalcRotMatrix();
        }
        if (right && FSet.MouseAction == mamRotateZoom) zoom();
        break;
      case mamTilt:
        if (left) {
          FSet.ViewAngleX = WrapViewAngle(FAngleAnchor[0] + double(Y - MouseAnchorY) * 360 / h);
          MouseActionMove(Shift);
          CalcRotMatrix();
        }
        break;
      case mamTurn:
        if (left) {
          FSet.ViewAngleZ = WrapViewAngle(turn);
          MouseActionMove(Shift);
          CalcRotMatrix();
        }
        break;
      case mamStretch:
        if (left) zoom();
        break;
      case mamPan:
        if (left) {
          FSet.CentX = ClampPixel(std::int64_t(FCentXAnchor) + X - MouseAnchorX);
          FSet.CentY = ClampPixel(std::int64_t(FCentYAnchor) + Y - MouseAnchorY);
          MouseActionMove(Shift);
          DoZoomPanEvent();
        }
        break;
      default:
        break;
    }
    FSuppressPaint = saved;
    if (!(FSet == before)) Changed();
  }
  MouseMoveOverPlot(Shift, X, Y);
}

void TPlot3D::MouseActionMove(TShiftState Shift) {
  if (!OnMouseAction) return;
  const TPlot3DSettings before = FSet;
  OnMouseAction(this, FSet.CentX, FSet.CentY, FSet.ViewAngleX, FSet.ViewAngleZ,
                FSet.Magnification, Shift);
  // What the handler returns is held to the ranges the plot works in.
  FSet.ViewAngleX = std::isnan(FSet.ViewAngleX) ? before.ViewAngleX : NormalizeViewAngle(FSet.ViewAngleX);
  FSet.ViewAngleZ = std::isnan(FSet.ViewAngleZ) ? before.ViewAngleZ : NormalizeViewAngle(FSet.ViewAngleZ);
  FSet.Magnification =
      std::isnan(FSet.Magnification) ? before.Magnification : std::clamp(FSet.Magnification, 0.1, 5.0);
  FSet.CentX = ClampPixel(FSet.CentX);
  FSet.CentY = ClampPixel(FSet.CentY);
  CalcRotMatrix();
}

void TPlot3D::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(this);
}

void TPlot3D::MouseMoveOverPlot(TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (!OnMouseMoveOverPlot) return;
  std::int32_t cx = 0, cy = 0;
  const bool over = CellAt(X, Y, cx, cy);
  OnMouseMoveOverPlot(this, over, Shift, cx, cy);
}

bool TPlot3D::CellAt(std::int32_t x, std::int32_t y, std::int32_t& cellX,
                     std::int32_t& cellY) const {
  cellX = cellY = 0;
  const std::int32_t nx = FMapNx, ny = FMapNy;
  if (!FMapsValid || nx < 2 || ny < 2 || ProjMapX.NrOfColumns() != nx ||
      ProjMapX.NrOfRows() != ny || ProjMapY.NrOfColumns() != nx || ProjMapY.NrOfRows() != ny ||
      FCellRank.size() != std::size_t(nx - 1) * std::size_t(ny - 1))
    return false;
  const TPoint m{x, y};
  std::int32_t best = 0;
  for (std::int32_t ix = 1; ix < nx; ++ix) {
    for (std::int32_t iy = 1; iy < ny; ++iy) {
      const std::int32_t rank = FCellRank[std::size_t(ix - 1) * std::size_t(ny - 1) + (iy - 1)];
      if (rank <= best) continue;
      const TPoint p1{ProjMapX.At(ix, iy), ProjMapY.At(ix, iy)};
      const TPoint p2{ProjMapX.At(ix, iy + 1), ProjMapY.At(ix, iy + 1)};
      const TPoint p3{ProjMapX.At(ix + 1, iy + 1), ProjMapY.At(ix + 1, iy + 1)};
      const TPoint p4{ProjMapX.At(ix + 1, iy), ProjMapY.At(ix + 1, iy)};
      if (m.x < std::min({p1.x, p2.x, p3.x, p4.x}) || m.x > std::max({p1.x, p2.x, p3.x, p4.x}) ||
          m.y < std::min({p1.y, p2.y, p3.y, p4.y}) || m.y > std::max({p1.y, p2.y, p3.y, p4.y}))
        continue;
      if (!QuadContains(p1, p2, p3, p4, m)) continue;
      best = rank;
      cellX = ix;
      cellY = iy;
    }
  }
  return best > 0;
}

}  // namespace kvo
