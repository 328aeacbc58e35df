#include "platform/cairo_device_p.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/bitmap.h"
#include "platform/font_p.h"
#include "platform/raster_ops_p.h"

namespace kvo::detail {

namespace {

constexpr double kPi = std::numbers::pi;

// Bounding box of a point list grown by a margin.
TRect BoundsOf(const TPoint* pts, std::size_t n, std::int32_t margin) {
  TRect r{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (std::size_t i = 1; i < n; ++i) {
    r.Left = std::min(r.Left, pts[i].x);
    r.Top = std::min(r.Top, pts[i].y);
    r.Right = std::max(r.Right, pts[i].x);
    r.Bottom = std::max(r.Bottom, pts[i].y);
  }
  const auto grow = [](std::int32_t v, std::int64_t d) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t(v) + d, INT32_MIN, INT32_MAX));
  };
  return {grow(r.Left, -margin), grow(r.Top, -margin), grow(r.Right, margin + 1),
          grow(r.Bottom, margin + 1)};
}

TRect Grow(const TRect& r, std::int32_t m) {
  const TPoint pts[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
  return BoundsOf(pts, 2, m);
}

// Parametric angle of the ray from the centre through p on an ellipse with
// radii rx, ry (y grows downwards, so angles grow clockwise on screen).
double RayAngle(double cx, double cy, double rx, double ry, TPoint p) {
  const double dx = p.x + 0.5 - cx, dy = p.y + 0.5 - cy;
  if (dx == 0 && dy == 0) return 0;
  return std::atan2(dy * rx, dx * ry);
}

}  // namespace

double CairoCoord(double v) noexcept { return std::clamp(v, -4.0e6, 4.0e6); }

void PathEllipseArc(cairo_t* cr, double cx, double cy, double rx, double ry, double t0,
                    double t1) {
  // Cubic segments of at most a quarter turn; exact under the affine map of
  // the unit circle, so no scaled matrix distorts the stroke.
  const double span = t1 - t0;
  const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(span) / (kPi / 2) - 1e-9)));
  const double step = span / n;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  double a = t0;
  cairo_move_to(cr, cx + rx * std::cos(a), cy + ry * std::sin(a));
  for (int i = 0; i < n; ++i) {
    const double b = a + step;
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    cairo_curve_to(cr, cx + rx * (ca - k * sa), cy + ry * (sa + k * ca),
                   cx + rx * (cb + k * sb), cy + ry * (sb - k * cb), cx + rx * cb,
                   cy + ry * sb);
    a = b;
  }
}

void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  PathEllipseArc(cr, cx, cy, rx, ry, 0, 2 * kPi);
  cairo_close_path(cr);
}

bool TCairoDevice::Begin(cairo_t*& cr) {
  cr = Cr();
  if (!cr) return false;
  cairo_save(cr);
  cairo_new_path(cr);
  if (FClip) {
    cairo_rectangle(cr, CairoCoord(FClip->Left), CairoCoord(FClip->Top),
                    CairoCoord(FClip->Right) - CairoCoord(FClip->Left),
                    CairoCoord(FClip->Bottom) - CairoCoord(FClip->Top));
    cairo_clip(cr);
  }
  cairo_set_antialias(cr, FAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  return true;
}

void TCairoDevice::End(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_restore(cr);
}

void TCairoDevice::SetColor(cairo_t* cr, TColor c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

bool TCairoDevice::SetBrushSource(cairo_t* cr, const TBrushData& brush) {
  if (brush.Style == bsClear) return false;
  if (brush.Style == bsSolid) {
    SetColor(cr, brush.Color);
    return true;
  }
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_surface_flush(tile);
  unsigned char* data = cairo_image_surface_get_data(tile);
  const int stride = cairo_image_surface_get_stride(tile);
  const TRGB32 on = PixelOf(brush.Color);
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<TRGB32*>(data + y * stride);
    for (int x = 0; x < 8; ++x) row[x] = HatchBit(brush.Style, x, y) ? on : TRGB32{0, 0, 0, 0};
  }
  cairo_surface_mark_dirty(tile);
  cairo_pattern_t* pat = cairo_pattern_create_for_surface(tile);
  cairo_pattern_set_extend(pat, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pat, CAIRO_FILTER_NEAREST);
  cairo_set_source(cr, pat);
  cairo_pattern_destroy(pat);
  cairo_surface_destroy(tile);
  return true;
}

void TCairoDevice::SetupStroke(cairo_t* cr, const TPenData& pen) {
  const bool cosmetic = pen.Width <= 1;
  cairo_set_line_width(cr, cosmetic ? 1.0 : pen.Width);
  // Geometric pens have round ends and joins; the cosmetic pen stops short of
  // its end pixel, which butt caps at pixel centres give.
  cairo_set_line_cap(cr, cosmetic ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, cosmetic ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
  const auto pattern = DashPattern(pen.Style);
  if (cosmetic && !pattern.empty()) {
    double dashes[8];
    for (std::size_t i = 0; i < pattern.size(); ++i) dashes[i] = pattern[i];
    cairo_set_dash(cr, dashes, static_cast<int>(pattern.size()), 0);
  } else {
    cairo_set_dash(cr, nullptr, 0, 0);
  }
}

void TCairoDevice::FillPath(const PathFn& fn, const TBrushData& brush, TPenMode mode,
                            const TRect& bbox) {
  (void)mode;
  (void)bbox;
  cairo_t* cr;
  if (!Begin(cr)) return;
  fn(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  if (IsHatch(brush.Style) && !FPixelHatch) {
    // Lines 8 units apart through the clipped shape, like the tile's.
    cairo_clip(cr);
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const double l = std::floor(x1 / 8) * 8, t = std::floor(y1 / 8) * 8;
    const double r = std::ceil(x2 / 8) * 8 + 8, b = std::ceil(y2 / 8) * 8 + 8;
    const bool h = brush.Style == bsHorizontal || brush.Style == bsCross;
    const bool v = brush.Style == bsVertical || brush.Style == bsCross;
    const bool f = brush.Style == bsFDiagonal || brush.Style == bsDiagCross;
    const bool bd = brush.Style == bsBDiagonal || brush.Style == bsDiagCross;
    if (h)
      for (double y = t + 7.5; y < b; y += 8) {
        cairo_move_to(cr, l, y);
        cairo_line_to(cr, r, y);
      }
    if (v)
      for (double x = l + 7.5; x < r; x += 8) {
        cairo_move_to(cr, x, t);
        cairo_line_to(cr, x, b);
      }
    const double span = (r - l) + (b - t);
    if (f)
      for (double k = -span; k < span; k += 8) {
        cairo_move_to(cr, l + k, t);
        cairo_line_to(cr, l + k + (b - t), b);
      }
    if (bd)
      for (double k = -span; k < span + (b - t); k += 8) {
        cairo_move_to(cr, l + k, t);
        cairo_line_to(cr, l + k - (b - t), b);
      }
    cairo_set_line_width(cr, 1);
    cairo_set_dash(cr, nullptr, 0, 0);
    SetColor(cr, brush.Color);
    cairo_stroke(cr);
  } else if (SetBrushSource(cr, brush)) {
    cairo_fill(cr);
  }
  End(cr);
}

void TCairoDevice::StrokePath(const PathFn& fn, const TPenData& pen, const TRect& bbox) {
  (void)bbox;
  if (pen.Style == psClear) return;
  cairo_t* cr;
  if (!Begin(cr)) return;
  fn(cr);
  SetupStroke(cr, pen);
  SetColor(cr, pen.Color);
  cairo_stroke(cr);
  End(cr);
}

void TCairoDevice::Line(TPoint a, TPoint b, const TPenData& pen) {
  if (a == b || pen.Style == psClear) return;
  const TPoint pts[2] = {a, b};
  StrokePath(
      [&](cairo_t* cr) {
        cairo_move_to(cr, CairoCoord(a.x) + 0.5, CairoCoord(a.y) + 0.5);
        cairo_line_to(cr, CairoCoord(b.x) + 0.5, CairoCoord(b.y) + 0.5);
      },
      pen, BoundsOf(pts, 2, pen.Width));
}

void TCairoDevice::Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) {
  if (n < 2 || pen.Style == psClear) return;
  StrokePath(
      [&](cairo_t* cr) {
        cairo_move_to(cr, CairoCoord(pts[0].x) + 0.5, CairoCoord(pts[0].y) + 0.5);
        for (std::size_t i = 1; i < n; ++i)
          cairo_line_to(cr, CairoCoord(pts[i].x) + 0.5, CairoCoord(pts[i].y) + 0.5);
      },
      pen, BoundsOf(pts, n, pen.Width));
}

void TCairoDevice::Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
                           const TBrushData& brush) {
  if (n < 2) return;
  const PathFn path = [&](cairo_t* cr) {
    cairo_move_to(cr, CairoCoord(pts[0].x) + 0.5, CairoCoord(pts[0].y) + 0.5);
    for (std::size_t i = 1; i < n; ++i)
      cairo_line_to(cr, CairoCoord(pts[i].x) + 0.5, CairoCoord(pts[i].y) + 0.5);
    cairo_close_path(cr);
  };
  const TRect bbox = BoundsOf(pts, n, pen.Width);
  if (brush.Style != bsClear) FillPath(path, brush, pen.Mode, bbox);
  StrokePath(path, pen, bbox);
}

void TCairoDevice::Rectangle(const TRect& r, const TPenData& pen, const TBrushData& brush) {
  const double l = CairoCoord(r.Left), t = CairoCoord(r.Top), rr = CairoCoord(r.Right),
               b = CairoCoord(r.Bottom);
  const TRect bbox = Grow(r, pen.Width);
  if (pen.Style == psClear) {
    if (brush.Style != bsClear)
      FillPath([&](cairo_t* cr) { cairo_rectangle(cr, l, t, rr - l, b - t); }, brush,
               pen.Mode, bbox);
    return;
  }
  const double w = pen.Width <= 1 ? 1.0 : pen.Width;
  // Outline path: through the centres of the outermost pixels, or for an
  // inside-frame pen inset so that the stroke stays within the box.
  double inset = 0.5;
  if (pen.Style == psInsideFrame && w > 1) inset = w / 2;
  const double pw = (rr - l) - 2 * inset, ph = (b - t) - 2 * inset;
  if (brush.Style != bsClear && rr - l > 2 && b - t > 2)
    FillPath([&](cairo_t* cr) { cairo_rectangle(cr, l + 1, t + 1, rr - l - 2, b - t - 2); },
             brush, pen.Mode, bbox);
  if (pw <= 0 || ph <= 0) {
    // Box no larger than the pen: the pen covers it.
    TBrushData solid{pen.Color, bsSolid};
    FillPath([&](cairo_t* cr) { cairo_rectangle(cr, l, t, rr - l, b - t); }, solid, pen.Mode,
             bbox);
    return;
  }
  TPenData p = pen;
  if (p.Style == psInsideFrame) p.Style = psSolid;
  StrokePath([&](cairo_t* cr) { cairo_rectangle(cr, l + inset, t + inset, pw, ph); },
      p, bbox);
}

void TCairoDevice::FillRect(const TRect& r, const TBrushData& brush, TPenMode mode) {
  if (brush.Style == bsClear) return;
  const double l = CairoCoord(r.Left), t = CairoCoord(r.Top), rr = CairoCoord(r.Right),
               b = CairoCoord(r.Bottom);
  FillPath([&](cairo_t* cr) { cairo_rectangle(cr, l, t, rr - l, b - t); }, brush, mode, r);
}

void TCairoDevice::Ellipse(const TRect& r, const TPenData& pen, const TBrushData& brush) {
  const double l = CairoCoord(r.Left), t = CairoCoord(r.Top), rr = CairoCoord(r.Right),
               b = CairoCoord(r.Bottom);
  const double cx = (l + rr) / 2, cy = (t + b) / 2;
  const double w = pen.Style == psClear ? 0.0 : (pen.Width <= 1 ? 1.0 : pen.Width);
  double inset = 0.5;
  if (pen.Style == psInsideFrame && w > 1) inset = w / 2;
  if (pen.Style == psClear) inset = 0;
  const double rx = std::max(0.0, (rr - l) / 2 - inset), ry = std::max(0.0, (b - t) / 2 - inset);
  const TRect bbox = Grow(r, pen.Width);
  const PathFn path = [=](cairo_t* cr) { PathEllipse(cr, cx, cy, rx, ry); };
  if (brush.Style != bsClear) FillPath(path, brush, pen.Mode, bbox);
  if (pen.Style == psClear) return;
  TPenData p = pen;
  if (p.Style == psInsideFrame) p.Style = psSolid;
  StrokePath(path, p, bbox);
}

void TCairoDevice::Arc(const TRect& r, TPoint start, TPoint end, const TPenData& pen) {
  if (pen.Style == psClear) return;
  const double l = CairoCoord(r.Left), t = CairoCoord(r.Top), rr = CairoCoord(r.Right),
               b = CairoCoord(r.Bottom);
  const double cx = (l + rr) / 2, cy = (t + b) / 2;
  const double w = pen.Width <= 1 ? 1.0 : pen.Width;
  const double inset = (pen.Style == psInsideFrame && w > 1) ? w / 2 : 0.5;
  const double rx = std::max(0.0, (rr - l) / 2 - inset), ry = std::max(0.0, (b - t) / 2 - inset);
  const double t0 = RayAngle(cx, cy, rx, ry, start);
  double t1 = RayAngle(cx, cy, rx, ry, end);
  // Counter-clockwise on screen is towards smaller angles here; equal rays
  // give the whole ellipse.
  if (t1 >= t0) t1 -= 2 * kPi;
  TPenData p = pen;
  if (p.Style == psInsideFrame) p.Style = psSolid;
  StrokePath([=](cairo_t* cr) { PathEllipseArc(cr, cx, cy, rx, ry, t0, t1); }, p,
             Grow(r, pen.Width));
}

void TCairoDevice::TextOut(std::int32_t x, std::int32_t y, std::string_view utf8,
                           const TFontData& font, const TBrushData& brush,
                           std::uint32_t align) {
  cairo_t* cr;
  if (!Begin(cr)) return;
  SelectFont(cr, font);
  const TFontMetrics m = FontMetrics(cr);
  const std::string text = SanitizeUtf8(utf8);
  const double w = TextAdvance(cr, text);
  const std::uint32_t h = align & TA_HORZMASK, v = align & TA_VERTMASK;
  const double dx = h == TA_CENTER ? -std::floor(w / 2) : (h == TA_RIGHT ? -w : 0.0);
  const double top = v == TA_BASELINE ? -m.Ascent : (v == TA_BOTTOM ? -double(m.Height) : 0.0);
  cairo_translate(cr, CairoCoord(x), CairoCoord(y));
  if (font.Orientation != 0) cairo_rotate(cr, -double(font.Orientation) * kPi / 1800.0);
  if (brush.Style == bsSolid && w > 0) {
    SetColor(cr, brush.Color);
    cairo_rectangle(cr, dx, top, w, m.Height);
    cairo_fill(cr);
  }
  SetColor(cr, font.Color);
  const double baseline = top + m.Ascent;
  if (!text.empty()) {
    cairo_move_to(cr, dx, baseline);
    cairo_show_text(cr, text.c_str());
    cairo_new_path(cr);
  }
  const double thick = std::max(1.0, std::round(font.PixelHeight() / 14.0));
  if (font.Style.Contains(fsUnderline) && w > 0) {
    cairo_rectangle(cr, dx, baseline + std::max(1.0, std::round(m.Descent / 2) - thick / 2), w,
                    thick);
    cairo_fill(cr);
  }
  if (font.Style.Contains(fsStrikeOut) && w > 0) {
    cairo_rectangle(cr, dx, baseline - std::round(m.Ascent * 0.3), w, thick);
    cairo_fill(cr);
  }
  End(cr);
}

TSize TCairoDevice::TextExtent(std::string_view utf8, const TFontData& font) {
  return MeasureText(utf8, font);
}

void TCairoDevice::SetPixel(std::int32_t x, std::int32_t y, TColor c) {
  FillPath([&](cairo_t* cr) { cairo_rectangle(cr, CairoCoord(x), CairoCoord(y), 1, 1); },
           TBrushData{c, bsSolid}, pmCopy, {x, y, x + 1, y + 1});
}

TColor TCairoDevice::GetPixel(std::int32_t, std::int32_t) { return clWhite; }

void TCairoDevice::DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                              TCopyMode mode) {
  (void)mode;  // vector surfaces draw every copy mode as a plain copy
  const TRect s = srcRect.Normalized();
  const TRect clipped{std::max(0, s.Left), std::max(0, s.Top), std::min(src.Width(), s.Right),
                      std::min(src.Height(), s.Bottom)};
  if (clipped.IsEmpty() || dst.Width() == 0 || dst.Height() == 0) return;
  cairo_t* cr;
  if (!Begin(cr)) return;
  const int w = clipped.Width(), h = clipped.Height();
  cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  if (cairo_surface_status(img) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(img);
    unsigned char* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    for (int y = 0; y < h; ++y) {
      const TRGB32* from = src.ScanLine(clipped.Top + y) + clipped.Left;
      auto* to = reinterpret_cast<TRGB32*>(data + std::size_t(y) * stride);
      for (int x = 0; x < w; ++x) to[x] = {from[x].B, from[x].G, from[x].R, 255};
    }
    cairo_surface_mark_dirty(img);
    // Source rectangle scaled onto the destination (negative extents mirror).
    const double sx = double(dst.Width()) / s.Width(), sy = double(dst.Height()) / s.Height();
    cairo_translate(cr, CairoCoord(dst.Left), CairoCoord(dst.Top));
    cairo_scale(cr, sx, sy);
    cairo_set_source_surface(cr, img, clipped.Left - s.Left, clipped.Top - s.Top);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, clipped.Left - s.Left, clipped.Top - s.Top, w, h);
    cairo_fill(cr);
  }
  cairo_surface_destroy(img);
  End(cr);
}

void TCairoDevice::SetClip(const TRect* clip) {
  if (clip) FClip = clip->Normalized();
  else FClip.reset();
}

}  // namespace kvo::detail
