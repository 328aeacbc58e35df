// TRot3D: drawing (box, axes, objects, labels, axis names, frame), the mouse
// and the exports. Screen, files and printer share DrawPicture.
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/numeric.h"
#include "platform/vectorcanvas.h"
#include "rot3d/rot3d.h"

namespace kvo {

namespace {

// Faces of the box as four corners in drawing order, and the faces meeting
// at each corner (corner i: x by bit 2, y by bit 1, z by bit 0).
constexpr std::int32_t kFaces[6][4] = {{1, 5, 7, 3}, {2, 3, 7, 6}, {2, 6, 4, 0},
                                       {0, 4, 5, 1}, {4, 5, 7, 6}, {0, 1, 3, 2}};
constexpr std::int32_t kFacesAt[8][3] = {{5, 3, 2}, {0, 3, 5}, {1, 2, 5}, {0, 1, 5},
                                         {3, 4, 2}, {0, 3, 4}, {1, 2, 4}, {0, 4, 1}};

// The three corners next to corner i, ascending.
std::array<std::int32_t, 3> Neighbours(std::int32_t i) noexcept {
  std::array<std::int32_t, 3> n{i ^ 1, i ^ 2, i ^ 4};
  std::sort(n.begin(), n.end());
  return n;
}

// Depth of corner i from row 3 of the matrix.
std::int32_t CornerDepth(const TRotMatrix& r, std::int32_t i) noexcept {
  return ((i & 4) ? r[2][0] : -r[2][0]) + ((i & 2) ? r[2][1] : -r[2][1]) +
         ((i & 1) ? r[2][2] : -r[2][2]);
}

// Channel-wise Lo + (Hi - Lo) * f div 400.
TColor FaceColor(TColor lo, TColor hi, std::int32_t f) noexcept {
  lo = ColorToRGB(lo);
  hi = ColorToRGB(hi);
  f = ClampToRange(f, 0, 400);
  auto ch = [f](std::int32_t l, std::int32_t h) {
    return std::uint8_t(l + (h - l) * f / 400);
  };
  return RGBColor(ch(GetRValue(lo), GetRValue(hi)), ch(GetGValue(lo), GetGValue(hi)),
                  ch(GetBValue(lo), GetBValue(hi)));
}

// The text of a character mark: the character with code m (Latin-1), the
// digits "0".."9" for 200..209.
std::string CharMarkText(std::uint8_t m) {
  if (m >= 200 && m <= 209) return std::string(1, char('0' + (m - 200)));
  if (m < 0x80) return std::string(1, char(m));
  return {char(0xC0 | (m >> 6)), char(0x80 | (m & 0x3F))};
}

// v * c div magnify + cent for the box and the axes, clamped to pixels.
std::int32_t AxisPixel(std::int64_t v, std::int64_t c, std::int32_t magnify,
                       std::int32_t cent) noexcept {
  return ClampPixel(v * c / magnify + cent);
}

}  // namespace

// ---- Painting ------------------------------------------------------------------------

void TRot3D::Paint() {
  if (FPainting) {
    // An event handler changed the view while it is being drawn: draw again
    // once this picture is done.
    FRepaintPending = true;
    return;
  }
  FPainting = true;
  try {
    for (int pass = 0; pass < 2; ++pass) {
      FRepaintPending = false;
      DrawPicture(Canvas(), false, true);
      if (!FRepaintPending) break;
    }
  } catch (...) {
    FPainting = false;
    throw;
  }
  FPainting = false;
}

void TRot3D::DrawPicture(TCanvas& cv, bool BlackWhite, bool WithFrame) {
  InitGraf(cv, BlackWhite, 0);
  ConstructDataBmp(cv, BlackWhite);
  if (WithFrame)
    DrawFrame(cv, FSet.FrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray,
              clBlack, FSet.ColorFrame, FSet.ColorScheme);
}

void TRot3D::InitGraf(TCanvas& cv, bool BlackWhite, std::int32_t Enlarge) {
  const std::int32_t w = SatAdd(Width(), Enlarge), h = SatAdd(Height(), Enlarge);
  const TColor bg = BlackWhite ? clWhite : FSet.ColodEvari;
  cv.Pen().SetData(TPenData{bg, psSolid, 1, pmCopy});
  cv.Brush().SetData(TBrushData{bg, bsSolid});
  cv.Rectangle(0, 0, w, h);
}

void TRot3D::ConstructDataBmp(TCanvas& cv, bool BlackWhite) {
  // Texts are placed by their top-left corner, whatever the canvas had.
  const std::uint32_t savedAlign = cv.SetTextAlign(TA_LEFT | TA_TOP);
  if (OnBeforeRenderData) OnBeforeRenderData(this, cv);
  const bool box = FSet.BoundBoxStyle != bbNone;
  std::int32_t a = 0;
  if (box) {
    std::int32_t best = CornerDepth(FView.R, 0);
    for (std::int32_t i = 1; i < 8; ++i) {
      const std::int32_t d = CornerDepth(FView.R, i);
      if (d < best) {
        best = d;
        a = i;
      }
    }
    DrawBox(cv, a, true);
  }
  if (FSet.ShowAxes) DrawAxes(cv);
  if (box) {
    // Edges behind the data, from the corner opposite a.
    const std::int32_t b = 7 - a;
    const auto& cb = FCube[std::size_t(b)];
    cv.Pen().SetData(TPenData{FSet.ColorCubeHidLin, psSolid, 1, pmCopy});
    const TPoint pb = FView.Pixel(cb[0], cb[1], cb[2]);
    for (std::int32_t n : Neighbours(b)) {
      const auto& cn = FCube[std::size_t(n)];
      cv.MoveTo(pb.x, pb.y);
      const TPoint pn = FView.Pixel(cn[0], cn[1], cn[2]);
      cv.LineTo(pn.x, pn.y);
    }
  }
  DrawObjects(cv, BlackWhite);
  if (box) DrawBox(cv, a, false);
  if (FSet.ShowAxes) DrawAxisNames(cv);
  if (OnDataRendered) OnDataRendered(this, cv);
  cv.SetTextAlign(savedAlign);
}

void TRot3D::DrawBox(TCanvas& cv, std::int32_t a, bool faces) {
  const auto& ca = FCube[std::size_t(a)];
  const TPoint pa = FView.Pixel(ca[0], ca[1], ca[2]);
  cv.Pen().SetData(TPenData{FSet.ColorCubeFrame, psSolid, 1, pmCopy});
  if (!faces) {
    // Front edges, drawn over the data.
    for (std::int32_t n : Neighbours(a)) {
      const auto& cn = FCube[std::size_t(n)];
      cv.MoveTo(pa.x, pa.y);
      const TPoint pn = FView.Pixel(cn[0], cn[1], cn[2]);
      cv.LineTo(pn.x, pn.y);
    }
    return;
  }
  for (std::int32_t f : kFacesAt[a]) {
    std::array<TPoint, 4> pts{};
    std::int32_t s = 0;
    for (int k = 0; k < 4; ++k) {
      const std::int32_t c = kFaces[f][k];
      const auto& cc = FCube[std::size_t(c)];
      pts[std::size_t(k)] = FView.Pixel(cc[0], cc[1], cc[2]);
      s += CornerDepth(FView.R, c);
    }
    const std::int32_t shade = -s / 10;  // 400 times the face's depth component
    cv.Brush().SetData(TBrushData{FaceColor(FSet.ColorCubeFaceLow, FSet.ColorCubeFaceHigh, shade),
                                  FSet.BoundBoxStyle == bbEdges ? bsClear : bsSolid});
    cv.Polygon(pts.data(), pts.size());
  }
}

void TRot3D::DrawAxes(TCanvas& cv) {
  const std::int32_t inside = std::min(FSet.AxSize, FSet.BBSize);
  const std::int32_t mag = FView.Magnify, cx = FView.CentX, cy = FView.CentY;
  for (int col = 2; col >= 0; --col) {  // z, y, x
    const std::int32_t c1 = FView.R[0][std::size_t(col)], c2 = FView.R[1][std::size_t(col)];
    cv.Pen().SetData(TPenData{FSet.ColorCubeHidLin, psSolid, 1, pmCopy});
    cv.MoveTo(ClampPixel(std::int64_t(cx)), ClampPixel(std::int64_t(cy)));
    cv.LineTo(AxisPixel(c1, inside, mag, cx), AxisPixel(c2, inside, mag, cy));
    cv.Pen().SetData(TPenData{FSet.ColorCubeFrame, psSolid, 1, pmCopy});
    cv.LineTo(AxisPixel(c1, FSet.AxSize, mag, cx), AxisPixel(c2, FSet.AxSize, mag, cy));
  }
}

void TRot3D::DrawAxisNames(TCanvas& cv) {
  cv.Font().Assign(Font());
  cv.Brush().SetStyle(bsClear);
  const std::string* names[3] = {&FSet.AxNameX, &FSet.AxNameY, &FSet.AxNameZ};
  const std::int64_t len = std::int64_t(FSet.AxSize) + 50;
  for (int col = 2; col >= 0; --col) {
    const std::string& s = *names[col];
    if (s.empty()) continue;
    const std::int32_t x = AxisPixel(FView.R[0][std::size_t(col)], len, FView.Magnify, FView.CentX);
    const std::int32_t y = AxisPixel(FView.R[1][std::size_t(col)], len, FView.Magnify, FView.CentY);
    const TSize ext = cv.TextExtent(s);
    cv.TextOut(x - ext.cx / 2, y - ext.cy / 2, s);
  }
}

void TRot3D::DrawObjects(TCanvas& cv, bool BlackWhite) {
  const std::size_t n = FObjX.size();
  if (n == 0) return;
  TPen& pen = cv.Pen();
  TBrush& brush = cv.Brush();
  TColor cur = BlackWhite ? clBlack : (FObjProp[0] & 0xFFFFFF);
  pen.SetData(TPenData{cur, psSolid, 1, pmCopy});
  brush.SetData(TBrushData{cur, bsSolid});
  // Labels start from the control's font; character marks change the canvas
  // font, which is put back before the next label.
  cv.Font().Assign(Font());
  bool controlFont = true;
  for (std::size_t o = 0; o < n; ++o) {
    const std::uint32_t prop = FObjProp[o];
    const auto kind = TRotObjKind(prop >> 24);
    const TColor h = BlackWhite ? clBlack : (prop & 0xFFFFFF);
    switch (kind) {
      case rokMoveTo: {
        const TPoint p = FView.Pixel(FObjX[o], FObjY[o], FObjZ[o]);
        cv.MoveTo(p.x, p.y);
        break;
      }
      case rokDrawTo: {
        if (h != cur) {
          pen.SetColor(h);
          cur = h;  // the new colour is the current one from now on
        }
        const TPoint p = FView.Pixel(FObjX[o], FObjY[o], FObjZ[o]);
        pen.SetWidth(FObjLineWid[o]);
        cv.LineTo(p.x, p.y);
        break;
      }
      case rokMark: {
        const TPoint p = FView.Pixel(FObjX[o], FObjY[o], FObjZ[o]);
        if (h != cur) {
          pen.SetColor(h);
          brush.SetColor(h);
          cur = h;
        }
        const std::uint8_t m = FObjMark[o];
        if (m < kNumMarkTypes) {
          brush.SetStyle(bsSolid);
          brush.SetColor(h);
          DrawMarkOnCanvas(cv, m, p.x, p.y);
          if (!OnLblRequest) break;
          if (!controlFont) {
            cv.Font().Assign(Font());
            controlFont = true;
          }
          std::string text;
          std::int32_t dx = 0, dy = 0;
          TAlignment ha = taCenter;
          TVerticalAlignment va = taVerticalCenter;
          OnLblRequest(this, std::int32_t(o), text, dx, dy, ha, va, cv.Font());
          if (text.empty()) break;
          brush.SetStyle(bsClear);
          const TSize ext = cv.TextExtent(text);
          if (ha == taRightJustify) dx -= ext.cx;
          else if (ha == taCenter) dx -= ext.cx / 2;
          if (va == taVerticalCenter) dy -= ext.cy / 2;
          else if (va == taAlignBottom) dy -= ext.cy;
          cv.TextOut(SatAdd(p.x, dx), SatAdd(p.y, dy), text);
          brush.SetStyle(bsSolid);
          controlFont = false;  // the handler may have changed it
        } else {
          const std::string text = CharMarkText(m);
          TFont& f = cv.Font();
          f.SetName(Font().Name());
          f.SetStyle(FSet.TextFontStyle);
          SetCanvasFontSizeScaled(cv, FSet.TextMarkSize);
          f.SetColor(h);
          controlFont = false;
          brush.SetStyle(bsClear);
          const TSize ext = cv.TextExtent(text);
          cv.TextOut(p.x - ext.cx / 2, p.y - ext.cy / 2, text);
          brush.SetStyle(bsSolid);
        }
        break;
      }
      default: break;
    }
  }
  pen.SetWidth(1);
}

// ---- Mouse ----------------------------------------------------------------------------

void TRot3D::SetAnchors(std::int32_t X, std::int32_t Y) noexcept {
  FMouseAnchorX = X;
  FMouseAnchorY = Y;
  FCentXAnchor = FView.CentX;
  FCentYAnchor = FView.CentY;
  FMagAnchor = 4000.0 / FView.Magnify;
  FAngleAnchor = FSet.ViewAngle;
}

void TRot3D::MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseDown(b, s, x, y);
  // A drag starts where the button went down, also without a move before.
  const bool other = b == mbLeft ? s.Contains(ssRight) : s.Contains(ssLeft);
  if (!other) SetAnchors(x, y);
}

void TRot3D::MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const bool left = Shift.Contains(ssLeft), right = Shift.Contains(ssRight);
  if (!left && !right) {
    SetAnchors(X, Y);
    return;
  }
  const std::int32_t W = Width(), H = Height();
  if (W <= 0 || H <= 0 || X < 0 || X > W || Y < 0 || Y > H) return;
  const TMouseActMode mode = FSet.MouseAction;
  bool changed = false;
  if (left && (mode == mamRotate || mode == mamRotateZoom || mode == mamTilt || mode == mamTurn)) {
    // Turn: horizontal drags; tilt: vertical drags (about x, or about y with
    // three axes).
    const std::size_t turn = FSet.MouseRot3Axes ? 0 : 2, tilt = FSet.MouseRot3Axes ? 1 : 0;
    if (mode != mamTilt)
      FSet.ViewAngle[turn] = FAngleAnchor[turn] + double(FMouseAnchorX - X) * 360.0 / W;
    if (mode != mamTurn)
      FSet.ViewAngle[tilt] =
          FAngleAnchor[tilt] + (double(H) + Y - FMouseAnchorY) * 360.0 / H;
    CalcRotMatrix();
    changed = true;
  }
  if ((left && mode == mamStretch) || (right && mode == mamRotateZoom)) {
    double d = (5.0 - 0.1) * double(FMouseAnchorY - Y) / H;
    if (FMagAnchor + d > 5.0) d = 5.0 - FMagAnchor;
    if (FMagAnchor + d < 0.1) d = 0.1 - FMagAnchor;
    FView.Magnify = FSet.Magnify = Round(4000.0 / (FMagAnchor + d));
    changed = true;
  }
  if (left && mode == mamPan) {
    FView.CentX = SatAdd(FCentXAnchor, X - FMouseAnchorX);
    FView.CentY = SatAdd(FCentYAnchor, Y - FMouseAnchorY);
    changed = true;
  }
  if (changed) Changed();
}

// ---- Export -------------------------------------------------------------------------------

void TRot3D::CopyToBitmap(TBitmap& bmp, bool BlkWhite) {
  bmp.SetSize(Width(), Height());
  DrawPicture(bmp.Canvas(), BlkWhite, true);
}

void TRot3D::CopyToBMP(const std::string& FName, bool BlkWhite) {
  TBitmap bmp;
  CopyToBitmap(bmp, BlkWhite);
  auto endsWith = [&](const char* e) {
    const std::string ext = e;
    if (FName.size() < ext.size()) return false;
    std::string tail = FName.substr(FName.size() - ext.size());
    for (char& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ext;
  };
  bmp.SaveToFile(FName, endsWith(".png") ? TImageFormat::Png : TImageFormat::Bmp);
}

void TRot3D::CopyToWMF(const std::string& FName, bool BlkWhite) {
  auto endsWith = [&](const std::string& ext) {
    if (FName.size() < ext.size()) return false;
    std::string tail = FName.substr(FName.size() - ext.size());
    for (char& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ext;
  };
  TVectorFormat fmt = TVectorFormat::Svg;
  if (endsWith(".pdf")) fmt = TVectorFormat::Pdf;
  else if (endsWith(".ps") || endsWith(".eps")) fmt = TVectorFormat::PostScript;
  TVectorFile file(FName, fmt, std::max(Width(), 1), std::max(Height(), 1));
  DrawPicture(file.Canvas(), BlkWhite, true);
  file.Finish();
}

void TRot3D::CopyToClipboard(bool BlkWhite) {
  TBitmap bmp;
  CopyToBitmap(bmp, BlkWhite);
  Host().SetClipboardBitmap(bmp);
}

void TRot3D::CopyToClipboardWMF(bool BlkWhite) {
  Host().SetClipboardSvg(RenderSvg(std::max(Width(), 1), std::max(Height(), 1),
                                   [&](TCanvas& cv) { DrawPicture(cv, BlkWhite, true); }));
}

void TRot3D::RenderScaled(TCanvas& target, std::int32_t x, std::int32_t y, double scale,
                          bool BlkWhite, bool WithFrame) {
  // Drawn at the target's resolution in logical pixels, then placed.
  TBitmap bmp;
  bmp.SetSize(ClampToInt(std::ceil(Width() * scale - 1e-9)),
              ClampToInt(std::ceil(Height() * scale - 1e-9)));
  bmp.SetSurfaceScale(scale);
  DrawPicture(bmp.Canvas(), BlkWhite, WithFrame);
  target.StretchDraw(TRect{x, y, SatAdd(x, bmp.Width()), SatAdd(y, bmp.Height())}, bmp);
}

void TRot3D::CopyToOpenPrinter(TPrintJob& Job, std::int32_t& X, std::int32_t& Y, double ScaleF,
                               bool BlkWhite, bool WithFrame) {
  if (!(ScaleF > 0) || !std::isfinite(ScaleF)) ScaleF = 1.0;
  TCanvas& cv = Job.Canvas();
  const double scale = std::clamp(ScaleF * cv.Caps().LogPixelsX / 96.0, 0.01, 100.0);
  RenderScaled(cv, X, Y, scale, BlkWhite, WithFrame);
  Y = SatAdd(Y, ClampToInt(std::ceil(Height() * scale)));
}

void TRot3D::PrintIt(double ScaleF, bool BlkWhite, bool WithFrame) {
  std::unique_ptr<TPrintJob> job = Host().BeginPrint(Name().empty() ? "Rot3D" : Name());
  if (!job) return;
  std::int32_t x = 0, y = 0;
  CopyToOpenPrinter(*job, x, y, ScaleF, BlkWhite, WithFrame);
  job->EndDoc();
}

}  // namespace kvo
