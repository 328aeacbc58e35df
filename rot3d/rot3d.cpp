// TRot3D: settings, the item list, the object build and the searches.
#include "rot3d/rot3d.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>

#include "platform/numeric.h"

namespace kvo {

namespace {

constexpr double kDegToRad = 3.14159265358979323846 * (1.0 / 180.0);

std::int32_t M(double v) noexcept { return Round(1000.0 * v); }

void ApplyHandedness(TRotMatrix& r, TAxDir dir) noexcept {
  if (dir != adRightHanded) return;
  for (auto& row : r) std::swap(row[0], row[1]);
}

// Object coordinate of a world value: round((v - origin) * s), saturated.
std::int32_t ToObject(double v, double origin, double s) noexcept {
  return Round((v - origin) * s);
}

}  // namespace

TRotMatrix RotMatrix2Ax(double ax, double az, TAxDir dir) noexcept {
  const double a = ax * kDegToRad, g = az * kDegToRad;
  const double ca = std::cos(a), sa = std::sin(a), cg = std::cos(g), sg = std::sin(g);
  TRotMatrix r{{{M(cg), M(-sg), 0},
                {M(ca * sg), M(ca * cg), M(-sa)},
                {M(sa * sg), M(sa * cg), M(ca)}}};
  ApplyHandedness(r, dir);
  return r;
}

TRotMatrix RotMatrix3Ax(double ax, double ay, double az, TAxDir dir) noexcept {
  const double a = ax * kDegToRad, b = ay * kDegToRad, g = az * kDegToRad;
  const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
  const double cg = std::cos(g), sg = std::sin(g);
  TRotMatrix r{{{M(cb * cg), M(sa * sb * cg - ca * sg), M(ca * sb * cg + sa * sg)},
                {M(cb * sg), M(sa * sb * sg + ca * cg), M(ca * sb * sg - sa * cg)},
                {M(-sb), M(sa * cb), M(ca * cb)}}};
  ApplyHandedness(r, dir);
  return r;
}

// ---- Lifecycle --------------------------------------------------------------------

TRot3D::TRot3D(TComponent* owner) : TCustomControl(owner) {
  TCustomControl::SetBounds(0, 0, 450, 300);
  FView.CentX = Width() / 2;
  FView.CentY = Height() / 2;
  SetCubeCorners();
  CalcRotMatrix();
}

TRot3D::~TRot3D() = default;

void TRot3D::ResetComp() {
  TRot3DUpdate hold(*this);
  FSet = TRot3DSettings{};
  FView.Magnify = FSet.Magnify;
  FView.CentX = Width() / 2;
  FView.CentY = Height() / 2;
  FAngleAnchor = FSet.ViewAngle;
  FMagAnchor = 4000.0 / FView.Magnify;
  SetCubeCorners();
  CalcRotMatrix();
  Changed();
}

void TRot3D::Assign(const TObject& Source) {
  const auto* src = dynamic_cast<const TRot3D*>(&Source);
  if (!src) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  TRot3DUpdate hold(*this);
  FSet = src->FSet;
  FView.Magnify = src->FView.Magnify;
  FView.CentX = ClampToRange(src->FView.CentX, 0, Width());
  FView.CentY = ClampToRange(src->FView.CentY, 0, Height());
  FAngleAnchor = FSet.ViewAngle;
  Font().Assign(src->Font());
  SetCubeCorners();
  CalcRotMatrix();
  Changed();
}

bool TRot3D::AssignTo(TObject& dest) const {
  if (auto* d = dynamic_cast<TRot3D*>(&dest)) {
    d->Assign(*this);
    return true;
  }
  return TCustomControl::AssignTo(dest);
}

void TRot3D::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                       std::int32_t height) {
  const std::int32_t oldW = Width(), oldH = Height();
  TCustomControl::SetBounds(left, top, width, height);
  // The centre keeps its relative place (a centred view stays centred).
  if (oldW > 0) FView.CentX = ClampToInt(double(FView.CentX) * Width() / oldW);
  if (oldH > 0) FView.CentY = ClampToInt(double(FView.CentY) * Height() / oldH);
  FView.CentX = ClampToRange(FView.CentX, 0, Width());
  FView.CentY = ClampToRange(FView.CentY, 0, Height());
}

void TRot3D::Changed() {
  if (FUpdateDepth > 0) {
    FPaintPending = true;
    return;
  }
  Refresh();
}

void TRot3D::EndUpdate() {
  if (FUpdateDepth > 0 && --FUpdateDepth == 0 && FPaintPending) {
    FPaintPending = false;
    Refresh();
  }
}

// ---- Item list ------------------------------------------------------------------

void TRot3D::SetAllocSize(std::int32_t v) {
  if (v >= 1 && v <= 1000000) FSet.AllocSize = v;
}

void TRot3D::SetLineWidth(std::int32_t w) noexcept { FSet.LineWidth = ClampToRange(w, 1, 32); }

void TRot3D::Append(const Tr3ChartItem& it) {
  // A full list grows in whole AllocSize steps: by one step, or by as many
  // as make half its size, so that filling it costs linear time also with
  // small steps (10^6 items in steps of 1000 would otherwise copy 36 GB).
  if (FItems.size() == FItems.capacity()) {
    const std::size_t step = std::size_t(FSet.AllocSize), cap = FItems.capacity();
    const std::size_t half = (cap / 2 + step - 1) / step * step;
    FItems.reserve(cap + std::max(step, half));
  }
  FItems.push_back(it);
}

void TRot3D::MarkAt(double x, double y, double z, std::uint8_t mk) {
  Tr3ChartItem it;
  it.x = x, it.y = y, it.z = z;
  it.color = FSet.DataCol;
  it.tag = FSet.DataTag;
  it.ItemKind = tkMarkAt;
  it.marklw = mk;
  Append(it);
}

void TRot3D::Moveto(double x, double y, double z) {
  Tr3ChartItem it;
  it.x = x, it.y = y, it.z = z;
  it.color = FSet.DataCol;
  it.tag = FSet.DataTag;
  it.ItemKind = tkMoveto;
  Append(it);
}

void TRot3D::Drawto(double x, double y, double z) {
  Tr3ChartItem it;
  it.x = x, it.y = y, it.z = z;
  it.color = FSet.DataCol;
  it.tag = FSet.DataTag;
  it.ItemKind = tkLineto;
  it.marklw = std::uint8_t(FSet.LineWidth);
  Append(it);
}

void TRot3D::Line(double x1, double y1, double z1, double x2, double y2, double z2) {
  Tr3ChartItem it;
  it.x = x1, it.y = y1, it.z = z1;
  it.x2 = x2, it.y2 = y2, it.z2 = z2;
  it.color = FSet.DataCol;
  it.tag = FSet.DataTag;
  it.ItemKind = tkLine;
  it.marklw = std::uint8_t(FSet.LineWidth);
  Append(it);
}

Tr3ChartItem TRot3D::GetChartItem(std::int32_t idx) const noexcept {
  if (idx < 0 || idx >= NumItems()) return {};
  return FItems[std::size_t(idx)];
}

void TRot3D::SetChartitem(std::int32_t idx, const Tr3ChartItem& item) noexcept {
  if (idx < 0 || idx >= NumItems()) return;
  FItems[std::size_t(idx)] = item;
}

void TRot3D::SetItemParams(std::int32_t Item, const Tr3ChartItem& params) noexcept {
  if (params.ItemKind == tkNone || params.ItemKind >= tkEverything) return;
  SetChartitem(Item, params);
}

Tr3Item TRot3D::GetTypeOfFirstItem() const noexcept {
  return FItems.empty() ? tkNone : FItems.front().ItemKind;
}

Tr3Item TRot3D::GetTypeOfLastItem() const noexcept {
  return FItems.empty() ? tkNone : FItems.back().ItemKind;
}

void TRot3D::RemoveItem(std::int32_t Index) {
  if (Index < 0 || Index >= NumItems()) return;
  if (FItems.size() == 1) {
    std::vector<Tr3ChartItem>().swap(FItems);
  } else {
    FItems.erase(FItems.begin() + Index);
  }
  // Objects keep pointing at the items they came from: those of the removed
  // item point nowhere, later ones move down with their items.
  for (std::int32_t& link : FBackLink) {
    if (link == Index)
      link = -1;
    else if (link > Index)
      --link;
  }
}

void TRot3D::RemoveLastItem() {
  if (FItems.empty()) return;
  RemoveItem(NumItems() - 1);
}

void TRot3D::Clear() {
  std::vector<Tr3ChartItem>().swap(FItems);
  ClearObjects();
  if (HandleAllocated()) InitGraf(Canvas(), false, 0);
}

// ---- Objects --------------------------------------------------------------------

void TRot3D::ClearObjects() noexcept {
  for (auto* v : {&FObjX, &FObjY, &FObjZ, &FBackLink}) std::vector<std::int32_t>().swap(*v);
  std::vector<std::uint32_t>().swap(FObjProp);
  std::vector<std::uint8_t>().swap(FObjMark);
  std::vector<std::uint8_t>().swap(FObjLineWid);
}

void TRot3D::MakeVisible() {
  BuildObjects();
  Changed();
}

void TRot3D::BuildObjects() {
  // Pass 1: object count, the centre of all points (both ends of lines) and
  // the extent.
  std::size_t n = 0;
  std::array<double, 3> sum{0, 0, 0};
  std::array<double, 3> lo{std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::infinity()};
  std::array<double, 3> hi{-lo[0], -lo[1], -lo[2]};
  auto take = [&](double x, double y, double z) {
    const std::array<double, 3> p{x, y, z};
    for (int k = 0; k < 3; ++k) {
      sum[k] += p[k];
      lo[k] = std::min(lo[k], p[k]);
      hi[k] = std::max(hi[k], p[k]);
    }
  };
  for (const Tr3ChartItem& it : FItems) {
    ++n;
    take(it.x, it.y, it.z);
    if (it.ItemKind == tkLine) {
      ++n;
      take(it.x2, it.y2, it.z2);
    }
  }
  if (n == 0) {
    // An empty list shows an empty view.
    ClearObjects();
    return;
  }
  std::array<double, 3> origin = FSet.Origin;
  if (FSet.AutoOrigin)
    for (int k = 0; k < 3; ++k) origin[k] = sum[k] / double(n);

  std::array<double, 3> s{};
  if (FSet.AutoScale) {
    for (int k = 0; k < 3; ++k) {
      const double ext = hi[k] - lo[k];
      s[k] = ext <= 1e-30 || !std::isfinite(ext) ? 1.0 : 1000.0 / ext;
    }
    if (FSet.IsoMetric) s[0] = s[1] = s[2] = std::min({s[0], s[1], s[2]});
  } else {
    s = FSet.ScaleFact;
    if (FSet.IsoMetric) s[1] = s[2] = s[0];
  }

  try {
    for (auto* v : {&FObjX, &FObjY, &FObjZ, &FBackLink}) v->resize(n);
    FObjProp.resize(n);
    FObjMark.resize(n);
    FObjLineWid.resize(n);
  } catch (const std::bad_alloc&) {
    ClearObjects();
    throw EKvoRot3DError("Component \"" + Name() + "\": insufficient memory");
  } catch (const std::length_error&) {
    ClearObjects();
    throw EKvoRot3DError("Component \"" + Name() + "\": insufficient memory");
  }
  FSet.Origin = origin;
  FSet.ScaleFact = s;

  // Pass 2.
  std::size_t o = 0;
  auto put = [&](double x, double y, double z, TColor c, TRotObjKind kind, std::int32_t link,
                 std::uint8_t mark, std::uint8_t lw) {
    FObjX[o] = ToObject(x, origin[0], s[0]);
    FObjY[o] = ToObject(y, origin[1], s[1]);
    FObjZ[o] = ToObject(z, origin[2], s[2]);
    FObjProp[o] = (c & 0xFFFFFF) | (std::uint32_t(kind) << 24);
    FBackLink[o] = link;
    FObjMark[o] = mark;
    FObjLineWid[o] = lw;
    ++o;
  };
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    const Tr3ChartItem& it = FItems[i];
    const auto link = std::int32_t(i);
    switch (it.ItemKind) {
      case tkMarkAt: put(it.x, it.y, it.z, it.color, rokMark, link, it.marklw, 1); break;
      case tkLineto: put(it.x, it.y, it.z, it.color, rokDrawTo, link, 0, it.marklw); break;
      case tkMoveto: put(it.x, it.y, it.z, it.color, rokMoveTo, link, 0, 1); break;
      case tkLine:
        put(it.x, it.y, it.z, it.color, rokMoveTo, link, 0, 1);
        put(it.x2, it.y2, it.z2, it.color, rokDrawTo, link, 0, it.marklw);
        break;
      default: put(it.x, it.y, it.z, it.color, rokNone, link, 0, 1); break;
    }
  }
}

void TRot3D::ProjectObject(std::int32_t i, std::int64_t& x, std::int64_t& y) const {
  const auto k = std::size_t(i);
  x = FView.ScreenX(FObjX.at(k), FObjY.at(k), FObjZ.at(k));
  y = FView.ScreenY(FObjX[k], FObjY[k], FObjZ[k]);
}

std::array<std::int32_t, 3> TRot3D::WorldToObject(double x, double y, double z) const noexcept {
  return {ToObject(x, FSet.Origin[0], FSet.ScaleFact[0]),
          ToObject(y, FSet.Origin[1], FSet.ScaleFact[1]),
          ToObject(z, FSet.Origin[2], FSet.ScaleFact[2])};
}

TPoint TRot3D::WorldToScreen(double x, double y, double z) const noexcept {
  const auto p = WorldToObject(x, y, z);
  return FView.Pixel(p[0], p[1], p[2]);
}

// ---- View -------------------------------------------------------------------------

void TRot3D::CalcRotMatrix() {
  if (FSet.MouseRot3Axes)
    CalcRotMatrix_3Ax();
  else
    CalcRotMatrix_2Ax();
}

void TRot3D::CalcRotMatrix_2Ax() {
  FView.R = RotMatrix2Ax(FSet.ViewAngle[0], FSet.ViewAngle[2], FSet.AxDir);
}

void TRot3D::CalcRotMatrix_3Ax() {
  FView.R = RotMatrix3Ax(FSet.ViewAngle[0], FSet.ViewAngle[1], FSet.ViewAngle[2], FSet.AxDir);
}

double TRot3D::GetRotMat(std::int32_t ix, std::int32_t iy) const noexcept {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0.0;
  return FView.R[std::size_t(ix - 1)][std::size_t(iy - 1)] / 1000.0;
}

void TRot3D::SetCubeCorners() {
  const std::int32_t b = FSet.BBSize;
  for (int i = 0; i < 8; ++i)
    FCube[std::size_t(i)] = {(i & 4) ? b : -b, (i & 2) ? b : -b, (i & 1) ? b : -b};
}

void TRot3D::SetViewAngles(double ax, double ay, double az) {
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(az)) return;
  const std::array<double, 3> v{ax, ay, az};
  if (v == FSet.ViewAngle) return;
  FSet.ViewAngle = v;
  FAngleAnchor = v;
  CalcRotMatrix();
  Changed();
}

void TRot3D::SetOrigins(double x, double y, double z) {
  const std::array<double, 3> v{x, y, z};
  if (v == FSet.Origin || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return;
  FSet.Origin = v;
  Changed();
}

void TRot3D::SetScaleFactors(double sx, double sy, double sz) {
  const std::array<double, 3> v{sx, sy, sz};
  if (v == FSet.ScaleFact || !std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(sz))
    return;
  FSet.ScaleFact = v;
  Changed();
}

// ---- Searches -----------------------------------------------------------------------

std::int32_t TRot3D::FindNearestItemReal(double mx, double my, double mz, Tr3Item ItemID,
                                         double& dist) const {
  double best = std::numeric_limits<double>::max();
  std::int32_t found = -1;
  if (ItemID != tkNone) {
    for (std::size_t i = 0; i < FItems.size(); ++i) {
      const Tr3ChartItem& it = FItems[i];
      if (ItemID != tkEverything && it.ItemKind != ItemID) continue;
      const double dx = it.x - mx, dy = it.y - my, dz = it.z - mz;
      const double d = dx * dx + dy * dy + dz * dz;
      if (d < best) {
        best = d;
        found = std::int32_t(i);
      }
    }
  }
  dist = std::sqrt(best);
  return found;
}

std::int32_t TRot3D::FindNearestItemScreen(std::int32_t mx, std::int32_t my, Tr3Item ItemID,
                                           double& dist) const {
  double best = std::numeric_limits<double>::max();
  std::int32_t found = -1;
  const std::size_t n = FObjX.size();
  for (std::size_t o = 0; o < n; ++o) {
    const std::int32_t link = FBackLink[o];
    // Objects of removed items lead nowhere.
    if (link < 0 || link >= NumItems()) continue;
    if (ItemID != tkEverything && FItems[std::size_t(link)].ItemKind != ItemID) continue;
    const double dx = double(FView.ScreenX(FObjX[o], FObjY[o], FObjZ[o]) - mx);
    const double dy = double(FView.ScreenY(FObjX[o], FObjY[o], FObjZ[o]) - my);
    const double d = dx * dx + dy * dy;
    if (d < best) {
      best = d;
      found = link;
    }
  }
  dist = std::sqrt(best);
  return found;
}

// ---- Properties ----------------------------------------------------------------------

void TRot3D::SetCentX(std::int32_t v) {
  if (v == FView.CentX) return;
  FView.CentX = ClampToRange(v, 0, Width());
  Changed();
}

void TRot3D::SetCentY(std::int32_t v) {
  if (v == FView.CentY) return;
  FView.CentY = ClampToRange(v, 0, Height());
  Changed();
}

#define KVO_ROT3D_SETTER(Name, Field, Type)   \
  void TRot3D::Set##Name(Type v) {            \
    if (FSet.Field == v) return;              \
    FSet.Field = v;                           \
    Changed();                                \
  }
KVO_ROT3D_SETTER(ColorFrame, ColorFrame, TColor)
KVO_ROT3D_SETTER(ColodEvari, ColodEvari, TColor)
KVO_ROT3D_SETTER(ColorScheme, ColorScheme, TColorScheme)
KVO_ROT3D_SETTER(ColorCubeFrame, ColorCubeFrame, TColor)
KVO_ROT3D_SETTER(ColorCubeHidLin, ColorCubeHidLin, TColor)
KVO_ROT3D_SETTER(ColorCubeFaceLow, ColorCubeFaceLow, TColor)
KVO_ROT3D_SETTER(ColorCubeFaceHigh, ColorCubeFaceHigh, TColor)
KVO_ROT3D_SETTER(FrameStyle, FrameStyle, TFrameStyle)
KVO_ROT3D_SETTER(BoundBoxStyle, BoundBoxStyle, TBoundingBox)
KVO_ROT3D_SETTER(ShowAxes, ShowAxes, bool)
KVO_ROT3D_SETTER(TextFontStyle, TextFontStyle, TFontStyles)
KVO_ROT3D_SETTER(TextMarkSize, TextMarkSize, std::uint8_t)
KVO_ROT3D_SETTER(AxNameX, AxNameX, const std::string&)
KVO_ROT3D_SETTER(AxNameY, AxNameY, const std::string&)
KVO_ROT3D_SETTER(AxNameZ, AxNameZ, const std::string&)
#undef KVO_ROT3D_SETTER

// Settings that change the objects: stored, then the objects are rebuilt.
void TRot3D::SetIsoMetric(bool v) {
  if (FSet.IsoMetric == v) return;
  FSet.IsoMetric = v;
  MakeVisible();
}

void TRot3D::SetAutoOrigin(bool v) {
  if (FSet.AutoOrigin == v) return;
  FSet.AutoOrigin = v;
  MakeVisible();
}

void TRot3D::SetAutoScale(bool v) {
  if (FSet.AutoScale == v) return;
  FSet.AutoScale = v;
  MakeVisible();
}

void TRot3D::SetMagnification(double v) {
  if (std::isnan(v)) return;
  v = ClampToRange(v, 0.1, 5.0);
  const std::int32_t m = Round(4000.0 / v);
  if (m == FView.Magnify) return;
  FView.Magnify = m;
  FSet.Magnify = m;
  Changed();
}

void TRot3D::SetMouseRot3Axes(bool v) {
  if (FSet.MouseRot3Axes == v) return;
  FSet.MouseRot3Axes = v;
  CalcRotMatrix();
  Changed();
}

void TRot3D::SetBoundBoxSize(std::int32_t v) {
  if (v == 2 * FSet.BBSize) return;
  FSet.BBSize = ClampToRange(v, 0, 4000) / 2;
  SetCubeCorners();
  Changed();
}

void TRot3D::SetAxDir(TAxDir v) {
  if (FSet.AxDir == v) return;
  FSet.AxDir = v;
  CalcRotMatrix();
  Changed();
}

void TRot3D::SetAxSize(std::int32_t v) {
  if (FSet.AxSize == v) return;
  FSet.AxSize = ClampToRange(v, 0, 4000);
  Changed();
}

void TRot3D::SetViewAngleX(double v) { SetViewAngles(v, FSet.ViewAngle[1], FSet.ViewAngle[2]); }
void TRot3D::SetViewAngleY(double v) { SetViewAngles(FSet.ViewAngle[0], v, FSet.ViewAngle[2]); }
void TRot3D::SetViewAngleZ(double v) { SetViewAngles(FSet.ViewAngle[0], FSet.ViewAngle[1], v); }

void TRot3D::SetOriginX(double v) { SetOrigins(v, FSet.Origin[1], FSet.Origin[2]); }
void TRot3D::SetOriginY(double v) { SetOrigins(FSet.Origin[0], v, FSet.Origin[2]); }
void TRot3D::SetOriginZ(double v) { SetOrigins(FSet.Origin[0], FSet.Origin[1], v); }

void TRot3D::SetScaleFactX(double v) { SetScaleFactors(v, FSet.ScaleFact[1], FSet.ScaleFact[2]); }
void TRot3D::SetScaleFactY(double v) { SetScaleFactors(FSet.ScaleFact[0], v, FSet.ScaleFact[2]); }
void TRot3D::SetScaleFactZ(double v) { SetScaleFactors(FSet.ScaleFact[0], FSet.ScaleFact[1], v); }

}  // namespace kvo
