// TPlot3D rendering: background, bounding cube, the surface in painter's
// order, the three axes, the frame; and the export of the same picture to
// bitmaps, vector files, the clipboard and the printer.
//
// The cube: the three faces meeting at the far corner (the back walls and
// floor or ceiling the surface stands in front of) are shaded by how
// squarely they face the viewer, with the edges of the far corner in the
// hidden-line colour over them; the surface follows; the three edges at the
// near corner are drawn last, over the surface.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "libs/math1.h"
#include "libs/stringl.h"
#include "platform/error.h"
#include "platform/numeric.h"
#include "platform/vectorcanvas.h"
#include "plot3d/cellraster_p.h"
#include "plot3d/plot3d.h"
#include "platform/update.h"

namespace kvo {

namespace {

// At most this many ticks per axis (the tick step of a sane range gives
// about the requested count; this only bounds a pathological one).
constexpr int kMaxAxisTicks = 200;

std::int32_t Scaled(double scale, std::int32_t v) noexcept {
  return ClampPixel(RoundHalfEven(scale * v));
}

TPoint Offset(TPoint p, std::int32_t dx, std::int32_t dy) noexcept {
  return {ClampPixel(std::int64_t(p.x) + dx), ClampPixel(std::int64_t(p.y) + dy)};
}

// Settings for black-and-white output: black lines and texts on white.
TPlot3DSettings BlackWhite(TPlot3DSettings s) {
  s.ColorBakGnd = clWhite;
  s.ColorFrame = clBlack;
  s.ColorCubeFrame = clBlack;
  s.ColorCubeHidLin = clBlack;
  s.ColorCubeFaceLow = s.ColorCubeFaceHigh = clWhite;
  s.ColorCoords = {clBlack, clBlack, clBlack};
  s.ColorMesh = clBlack;
  s.MeshVisible = true;
  s.ColorScheme = cscFixed;
  return s;
}

}  // namespace

// ---- Paint --------------------------------------------------------------------------

void TPlot3D::Paint() {
  if (FSuppressPaint || !Visible() || Loading()) return;
  if (FPainting) {
    // A handler changed the plot while it draws: paint again afterwards.
    FRepaintPending = true;
    return;
  }
  const TFlagScope painting(FPainting);
  for (int pass = 0; pass < 2; ++pass) {
    FRepaintPending = false;
    const double scale = SurfaceScale();
    GrafBmp.SetSize(Surface().Width(), Surface().Height());
    GrafBmp.SetSurfaceScale(scale);
    TCanvas& c = GrafBmp.Canvas();
    InitGraf(c);
    if (!Designing()) {
      TView view;
      // Cells go straight into the pixels where the canvas would draw them
      // the same way (no scaling, no antialiasing).
      if (scale == 1.0 && !c.Antialias()) view.Direct = &GrafBmp;
      RenderScene(c, view, FSet);
    }
    DrawFrame(c, FSet.FrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, 0xC0C0C0, 0x808080,
              clBlack, FSet.ColorFrame, FSet.ColorScheme);
    if (scale == 1.0) Canvas().Draw(0, 0, GrafBmp);
    else Canvas().StretchDraw(TRect{0, 0, Width(), Height()}, GrafBmp);
    if (!FRepaintPending) break;
  }
}

void TPlot3D::InitGraf(TCanvas& Canvas) {
  if (GrafBmp.Width() != Surface().Width() || GrafBmp.Height() != Surface().Height())
    GrafBmp.SetSize(Surface().Width(), Surface().Height());
  Canvas.Pen().SetData(TPenData{FSet.ColorBakGnd, psSolid, 1, pmCopy});
  Canvas.Brush().SetData(TBrushData{FSet.ColorBakGnd, bsSolid});
  Canvas.Rectangle(0, 0, Width(), Height());
  if (Designing()) {
    const TColor bg = ColorToRGB(FSet.ColorBakGnd);
    const int r = GetRValue(bg), g = GetGValue(bg), b = GetBValue(bg);
    Canvas.Font().SetColor(r * r + g * g + b * b <= 50000 ? clWhite : clBlack);
    Canvas.Brush().SetStyle(bsClear);
    Canvas.TextOut(10, 10, "Plot3D");
  }
}

void TPlot3D::ConstructDataBmp(TCanvas& Canvas, bool /*Flag*/) { RenderScene(Canvas, TView{}, FSet); }

void TPlot3D::DrawOnForeignCanvas(TCanvas& Canvas) {
  const bool saved = FSuppressPaint;
  FSuppressPaint = true;
  ConstructDataBmp(Canvas);
  // Restores what it found; a plot that was painting brings its own picture
  // (and hit-test maps) up to date.
  SetSuppressPaint(saved);
}

// ---- The scene ---------------------------------------------------------------------

void TPlot3D::RenderScene(TCanvas& canvas, const TView& view, const TPlot3DSettings& s) {
  const TP3Projection proj = ProjectionFor(view);
  std::array<TPoint, 8> pc;
  for (int i = 0; i < 8; ++i) pc[i] = proj.Project(CubeCorners[i]);
  const int far = FarCorner(FRotMat), near = 7 - far;
  if (s.BoundBoxStyle != bbNone) DrawCube(canvas, view, s, pc, far);
  DrawSurface(canvas, view, s, proj);
  if (s.BoundBoxStyle != bbNone) {
    detail::TCellTarget target(canvas, view.Direct);
    for (int m : CornerNeighbours(near)) target.Line(pc[near], pc[m], s.ColorCubeFrame);
  }
  // Axes: x along the bottom edge through the near corner's vertical
  // neighbour, y likewise, z up the rightmost vertical edge.
  const auto ordered = [](int a, int b, int bit) { return (a & bit) ? std::pair{b, a} : std::pair{a, b}; };
  const int base = near ^ 1;
  if (s.VisibleCoords[0]) {
    const auto [a, b] = ordered(base, base ^ 4, 4);
    DrawAxisScaled(canvas, view, s, p3skX, pc[a], pc[b], s.RangeLow[0], s.RangeHigh[0]);
  }
  if (s.VisibleCoords[1]) {
    const auto [a, b] = ordered(base, base ^ 2, 2);
    DrawAxisScaled(canvas, view, s, p3skY, pc[a], pc[b], s.RangeLow[1], s.RangeHigh[1]);
  }
  if (s.VisibleCoords[2]) {
    const int a = ZAxisStartCorner(FRotMat);
    DrawAxisScaled(canvas, view, s, p3skZ, pc[a], pc[a ^ 1], s.RangeLow[2], s.RangeHigh[2]);
  }
  if (OnDataRendered) OnDataRendered(this, canvas);
}

void TPlot3D::DrawCube(TCanvas& canvas, const TView& view, const TPlot3DSettings& s,
                       const std::array<TPoint, 8>& pc, int far) {
  detail::TCellTarget target(canvas, view.Direct);
  {
    const TColor lo = ColorToRGB(s.ColorCubeFaceLow), hi = ColorToRGB(s.ColorCubeFaceHigh);
    for (int f : kCornerFaces[far]) {
      double sum = 0;
      TPoint q[4];
      for (int j = 0; j < 4; ++j) {
        const int c = kCubeFaces[f][j];
        sum += CornerDepth(FRotMat, c);
        q[j] = pc[c];
      }
      // A back face looks at the viewer with its inner side: its shade
      // grows with how squarely it does (0..200).
      const int shade = std::clamp(Round(-50 * sum), 0, 200);
      const auto channel = [shade](int l, int h) { return l + (h - l) * shade / 200; };
      const TColor fill = RGBColor(std::uint8_t(channel(GetRValue(lo), GetRValue(hi))),
                                   std::uint8_t(channel(GetGValue(lo), GetGValue(hi))),
                                   std::uint8_t(channel(GetBValue(lo), GetBValue(hi))));
      target.Polygon(q, 4, s.ColorCubeFrame, fill, s.BoundBoxStyle == bbFaces);
    }
  }
  for (int m : CornerNeighbours(far)) target.Line(pc[far], pc[m], s.ColorCubeHidLin);
}

void TPlot3D::DrawSurface(TCanvas& canvas, const TView& view, const TPlot3DSettings& s,
                          const TP3Projection& proj) {
  const std::int32_t nx = GridMat.NrOfColumns(), ny = GridMat.NrOfRows();
  const bool maps = view.WriteMaps;
  const std::size_t cells = nx >= 2 && ny >= 2 ? std::size_t(nx - 1) * std::size_t(ny - 1) : 0;
  if (maps) {
    SizeMaps();
    FMapNx = nx;
    FMapNy = ny;
    FCellRank.assign(cells, 0);
    FMapsValid = true;
  }
  if (cells == 0) return;
  // Every node projected once.
  const std::size_t nodes = std::size_t(nx) * std::size_t(ny);
  FNodePix.resize(nodes);
  FNodeOk.resize(nodes);
  FNodeRank.assign(nodes, 0);
  const std::vector<double>& values = GridMat.Data();  // column-major, as the node index
  for (std::int32_t ix = 1; ix <= nx; ++ix) {
    const double wx = GridNodeCoord(ix, nx);
    for (std::int32_t iy = 1; iy <= ny; ++iy) {
      const std::size_t n = std::size_t(ix - 1) * std::size_t(ny) + std::size_t(iy - 1);
      // Huge values lie far off the cube (the projection holds them at its
      // world limit); NaN and infinite ones are missing.
      FNodeOk[n] = std::isfinite(values[n]);
      FNodePix[n] = FNodeOk[n] ? proj.Project({wx, GridNodeCoord(iy, ny), CalcIntZ(values[n])}) : TPoint{};
    }
  }
  const auto node = [ny](std::int32_t ix, std::int32_t iy) {
    return std::size_t(ix - 1) * std::size_t(ny) + std::size_t(iy - 1);
  };
  if (maps) {
    // Screen positions first, so that handlers of the cell event read the
    // current ones.
    TSilentChanges<TIntMatrix> quietX(ProjMapX), quietY(ProjMapY);
    for (std::int32_t ix = 1; ix <= nx; ++ix)
      for (std::int32_t iy = 1; iy <= ny; ++iy) {
        ProjMapX.SetVal(ix, iy, FNodePix[node(ix, iy)].x);
        ProjMapY.SetVal(ix, iy, FNodePix[node(ix, iy)].y);
      }
  }

  detail::TCellTarget target(canvas, view.Direct);
  const TDrawOrder order = DrawOrderFor(s.ViewAngleX, s.ViewAngleZ);
  const TColor mesh = s.ColorMesh;
  std::int32_t sequence = 0;
  for (std::int32_t m = 1; m < ny; ++m) {
    const std::int32_t iy = order.RowsForward ? m : ny - m;
    for (std::int32_t r = 1; r < nx; ++r) {
      const std::int32_t ix = order.ColumnsForward ? r : nx - r;
      const std::size_t n0 = node(ix, iy), n1 = node(ix + 1, iy), n2 = node(ix + 1, iy + 1),
                        n3 = node(ix, iy + 1);
      FNodeRank[n0] = (m - 1) * nx + r;
      FNodeRank[n1] = (m - 1) * nx + r + 1;
      FNodeRank[n2] = m * nx + r + 1;
      FNodeRank[n3] = m * nx + r;
      ++sequence;
      // A cell with a missing (NaN or infinite) corner leaves a gap.
      if (!FNodeOk[n0] || !FNodeOk[n1] || !FNodeOk[n2] || !FNodeOk[n3]) continue;
      if (maps) FCellRank[std::size_t(ix - 1) * std::size_t(ny - 1) + (iy - 1)] = sequence;
      const double v0 = values[n0], v1 = values[n1], v2 = values[n2], v3 = values[n3];
      const double value = s.ColorCodeAvg ? (v0 + v1 + v2 + v3) / 4 : std::max({v0, v1, v2, v3});
      TColor color = view.BlackWhite ? clWhite : CellColor(s, value);
      TQuad quad{FNodePix[n0], FNodePix[n1], FNodePix[n2], FNodePix[n3]};
      if (OnBeforeRenderPolygon) {
        bool handled = false;
        OnBeforeRenderPolygon(this, canvas, handled, ix, iy, quad, color);
        if (target.Direct())
          if (TCanvasDevice* d = canvas.Device()) d->Flush();
        if (handled) continue;
      }
      switch (s.MeshKind) {
        case mkMesh:
          target.Polygon(quad.data(), 4, s.MeshVisible ? mesh : color, color, true);
          break;
        case mkWaterfallHorz:
          target.Polygon(quad.data(), 4, color, color, true);
          target.Line(quad[0], quad[3], mesh);
          target.Line(quad[2], quad[1], mesh);
          break;
        case mkWaterfallVert:
          target.Polygon(quad.data(), 4, color, color, true);
          target.Line(quad[0], quad[1], mesh);
          target.Line(quad[2], quad[3], mesh);
          break;
        case mkWaterfallDiag:
          target.Polygon(quad.data(), 4, color, color, true);
          target.Line(quad[0], quad[2], mesh);
          break;
        case mkGrid:
          target.Polygon(quad.data(), 4, color, color, true);
          for (int j : {0, 1, 3, 2}) target.Pixel(quad[j], mesh);
          break;
      }
    }
  }
  if (maps) {
    TSilentChanges<TIntMatrix> quiet(ProjMapZ);
    for (std::int32_t ix = 1; ix <= nx; ++ix)
      for (std::int32_t iy = 1; iy <= ny; ++iy) ProjMapZ.SetVal(ix, iy, FNodeRank[node(ix, iy)]);
  }
}

// ---- Axes ---------------------------------------------------------------------------

void TPlot3D::DrawCenteredText(TCanvas& Canvas, const std::string& Text, std::int32_t X,
                               std::int32_t Y) {
  const TSize e = Canvas.TextExtent(Text);
  Canvas.TextOut(ClampPixel(std::int64_t(X) - e.cx / 2), ClampPixel(std::int64_t(Y) - e.cy / 2), Text);
}

void TPlot3D::DrawAxis(TCanvas& Canvas, TP3ScaleKind Kind, std::int32_t X1, std::int32_t Y1,
                       std::int32_t X2, std::int32_t Y2, double ValueAtStart, double ValueAtEnd,
                       std::int32_t /*Corner*/) {
  if (Kind > p3skZ) return;
  DrawAxisScaled(Canvas, TView{}, FSet, Kind, {X1, Y1}, {X2, Y2}, ValueAtStart, ValueAtEnd);
}

void TPlot3D::DrawAxisScaled(TCanvas& canvas, const TView& view, const TPlot3DSettings& s,
                             TP3ScaleKind kind, TPoint p1, TPoint p2, double low, double high) {
  const int k = int(kind);
  const double sc = view.Scale;
  SetCanvasFontSizeScaled(canvas, 8);
  const TColor color = s.ColorCoords[k];
  canvas.Pen().SetData(TPenData{color, psSolid, 1, pmCopy});
  canvas.Font().SetColor(color);
  canvas.Brush().SetStyle(bsClear);
  const double span = high - low;
  std::int32_t decimals = s.DecPlace[k];
  if (decimals == -2) decimals = AutoAxisDecimals(std::fabs(span));
  const double ax = s.ViewAngleX, az = s.ViewAngleZ;
  const bool ticksDown = ax <= 90 || (ax > 180 && ax <= 270);
  const std::int32_t h0 = canvas.TextHeight("0");
  const std::int32_t tickLen = Scaled(sc, 8);

  double first = low, step = 0;
  std::uint16_t minor = 1;
  CalcScalePars(s.MinTick[k], low, high, first, step, minor);
  // An empty or degenerate range has no tick step: no ticks.
  if (step != 0 && std::isfinite(step) && std::isfinite(first) && std::isfinite(span) && span != 0) {
    const double dir = low < high ? 1 : -1;
    const double p = ax <= 180 ? 1 : -1;
    const double gamma = az * std::numbers::pi / 180;
    for (int j = 0; j < kMaxAxisTicks; ++j) {
      const double v = first + j * step;
      const double t = (v - low) / span;
      if (!std::isfinite(t)) break;
      const TPoint at{ClampPixel(std::int64_t(p1.x) + Round(t * (double(p2.x) - p1.x))),
                      ClampPixel(std::int64_t(p1.y) + Round(t * (double(p2.y) - p1.y)))};
      TPoint end;
      std::int32_t labelOffset;
      if (kind == p3skZ) {
        end = Offset(at, tickLen, 0);
        labelOffset = -(h0 / 2);
      } else if (ticksDown) {
        end = Offset(at, 0, tickLen);
        labelOffset = 0;
      } else {
        end = Offset(at, 0, -tickLen);
        labelOffset = -h0;
      }
      canvas.MoveTo(at.x, at.y);
      canvas.LineTo(end.x, end.y);
      std::string text;
      if (std::fabs(v / span) < 1e-14)
        text = std::fabs(span) <= 100000 ? strff(0, 1, decimals) : (decimals == 0 ? "0" : "0.0");
      else
        text = strff(v, 1, decimals);
      if (text.size() > 14) text.resize(14);
      if (OnBeforeDrawScaleLabel) OnBeforeDrawScaleLabel(this, canvas, kind, text, at.x, at.y);
      const std::int32_t w = canvas.TextWidth(text), hw = w / 2;
      std::int32_t left;
      if (kind == p3skX) {
        const std::int32_t d = Round(std::sin(gamma) * hw) * std::int32_t(p);
        left = (az <= 90 || az > 270) ? end.x - hw - d : end.x - hw + d;
      } else if (kind == p3skY) {
        const std::int32_t d = Round(std::cos(gamma) * hw) * std::int32_t(p);
        left = az <= 180 ? end.x - hw + d : end.x - hw - d;
      } else {
        left = end.x + Scaled(sc, 3);
      }
      canvas.TextOut(ClampPixel(left), ClampPixel(std::int64_t(end.y) + labelOffset), text);
      const double next = first + (j + 1) * step;
      if (!((next - high) * dir <= 0.001 * step * dir)) break;
    }
  }

  // Caption, at the label distance beside the axis' middle.
  const double dx = double(p2.x) - p1.x, dy = double(p2.y) - p1.y;
  const double len = std::sqrt(dx * dx + dy * dy);
  if (!(len > 0)) return;
  const TPoint mid{ClampPixel((std::int64_t(p1.x) + p2.x) / 2), ClampPixel((std::int64_t(p1.y) + p2.y) / 2)};
  const double q = ticksDown ? -1 : 1;
  const double dist = double(Scaled(sc, s.LabDist[k]));
  const std::int32_t ox = Round(dist * q * dy / len), oy = Round(dist * q * dx / len);
  if (kind == p3skX) {
    if (az <= 90 || az > 270) DrawCenteredText(canvas, s.Caption[0], mid.x + ox, mid.y - oy);
    else DrawCenteredText(canvas, s.Caption[0], mid.x - ox, mid.y + oy);
  } else if (kind == p3skY) {
    if (az <= 180) DrawCenteredText(canvas, s.Caption[1], mid.x - ox, mid.y + oy);
    else DrawCenteredText(canvas, s.Caption[1], mid.x + ox, mid.y - oy);
  } else {
    canvas.TextOut(ClampPixel(std::int64_t(p1.x) + Scaled(sc, s.LabDist[2])),
                   ClampPixel(std::int64_t(mid.y) - Scaled(sc, 8)), s.Caption[2]);
  }
}

// ---- Export -------------------------------------------------------------------------

void TPlot3D::RenderPicture(TCanvas& canvas, std::int32_t x, std::int32_t y, double scale,
                            bool blkWhite, bool withFrame) {
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  const TPlot3DSettings s = blkWhite ? BlackWhite(FSet) : FSet;
  TView view;
  view.Scale = scale;
  view.OffX = x;
  view.OffY = y;
  view.BlackWhite = blkWhite;
  view.WriteMaps = false;
  const std::int32_t right = ClampPixel(std::int64_t(x) + Scaled(scale, Width()));
  const std::int32_t bottom = ClampPixel(std::int64_t(y) + Scaled(scale, Height()));
  // Within its own rectangle, as on the screen.
  canvas.SetClipRect(TRect{x, y, right, bottom});
  canvas.Pen().SetData(TPenData{s.ColorBakGnd, psSolid, 1, pmCopy});
  canvas.Brush().SetData(TBrushData{s.ColorBakGnd, bsSolid});
  canvas.Rectangle(x, y, right, bottom);
  RenderScene(canvas, view, s);
  if (withFrame)
    DrawFrame(canvas, s.FrameStyle, x, y, right - 1, bottom - 1, clWhite, 0xC0C0C0, 0x808080,
              clBlack, s.ColorFrame, s.ColorScheme);
  canvas.ResetClip();
}

void TPlot3D::CopyToBitmap(TBitmap& Bitmap, bool BlkWhite) {
  Bitmap.SetSize(Width(), Height());
  RenderPicture(Bitmap.Canvas(), 0, 0, 1, BlkWhite, true);
}

void TPlot3D::CopyToBMP(const std::string& FName, bool BlkWhite) {
  TBitmap bmp;
  CopyToBitmap(bmp, BlkWhite);
  bmp.SaveToFile(FName);
}

void TPlot3D::CopyToWMF(const std::string& FName, bool BlkWhite) {
  std::string ext;
  if (const auto dot = FName.find_last_of('.'); dot != std::string::npos) ext = FName.substr(dot + 1);
  for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  const TVectorFormat fmt = ext == "pdf"                  ? TVectorFormat::Pdf
                            : (ext == "ps" || ext == "eps") ? TVectorFormat::PostScript
                                                            : TVectorFormat::Svg;
  if (Width() <= 0 || Height() <= 0) throw EPlatformError("the plot has no size to export");
  TVectorFile file(FName, fmt, Width(), Height());
  RenderPicture(file.Canvas(), 0, 0, 1, BlkWhite, true);
  file.Finish();
}

void TPlot3D::CopyToClipboard(bool BlkWhite) {
  TBitmap bmp;
  CopyToBitmap(bmp, BlkWhite);
  Host().SetClipboardBitmap(bmp);
}

void TPlot3D::CopyToClipboardWMF(bool BlkWhite) {
  if (Width() <= 0 || Height() <= 0) return;
  Host().SetClipboardSvg(RenderSvg(Width(), Height(), [&](TCanvas& c) {
    RenderPicture(c, 0, 0, 1, BlkWhite, true);
  }));
}

bool TPlot3D::PrintIt(double ScaleF, bool BlkWhite, bool WithFrame) {
  std::unique_ptr<TPrintJob> job = Host().BeginPrint("Plot3D");
  if (!job) return false;
  try {
    // Half an inch from the page's top left corner, shrunk to fit the page.
    const std::int32_t dpi = std::max(1, job->Canvas().GetDeviceCaps(LOGPIXELSX));
    const std::int32_t margin = dpi / 2;
    const TSize page = job->PageSize();
    if (!(ScaleF > 0) || !std::isfinite(ScaleF)) ScaleF = 1;
    const double fit = std::min({ScaleF * dpi / 96.0,
                                 double(page.cx - 2 * margin) / std::max(1, Width()),
                                 double(page.cy - 2 * margin) / std::max(1, Height())});
    std::int32_t x = margin, y = margin;
    CopyToOpenPrinter(*job, x, y, std::max(fit, 0.01) * 96.0 / dpi, BlkWhite, WithFrame);
    job->EndDoc();
  } catch (...) {
    job->Abort();
    throw;
  }
  return true;
}

void TPlot3D::CopyToOpenPrinter(TPrintJob& Job, std::int32_t& X, std::int32_t& Y, double ScaleF,
                                bool BlkWhite, bool WithFrame) {
  if (!(ScaleF > 0) || !std::isfinite(ScaleF)) ScaleF = 1;
  TCanvas& c = Job.Canvas();
  const double scale = std::clamp(ScaleF * c.GetDeviceCaps(LOGPIXELSX) / 96.0, 0.01, 100.0);
  RenderPicture(c, X, Y, scale, BlkWhite, WithFrame);
  Y = ClampPixel(std::int64_t(Y) + Scaled(scale, Height()));
}

}  // namespace kvo
