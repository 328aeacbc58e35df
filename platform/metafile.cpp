#include "platform/metafile.h"

#include <algorithm>
#include <cmath>

#include "platform/numeric.h"

#include <cstdio>

#include "platform/font_p.h"

namespace kvo {

class TRecordingDevice final : public TCanvasDevice {
public:
  explicit TRecordingDevice(TMetafile& mf) : FMf(mf) {}

  TDeviceCaps Caps() const override {
    TDeviceCaps c;
    c.Width = FMf.FWidth;
    c.Height = FMf.FHeight;
    c.LogPixelsX = c.LogPixelsY = FMf.FPpi;
    c.RasterOps = true;   // pen modes and copy modes are recorded as given
    c.PixelRead = false;
    return c;
  }
  void Line(TPoint a, TPoint b, const TPenData& pen) override {
    TMetaRecord r = Rec(TMetaOp::Line);
    r.Points = {a, b};
    r.Pen = pen;
    Add(std::move(r));
  }
  void Polyline(const TPoint* pts, std::size_t n, const TPenData& pen) override {
    TMetaRecord r = Rec(TMetaOp::Polyline);
    r.Points.assign(pts, pts + n);
    r.Pen = pen;
    Add(std::move(r));
  }
  void Polygon(const TPoint* pts, std::size_t n, const TPenData& pen,
               const TBrushData& brush) override {
    TMetaRecord r = Rec(TMetaOp::Polygon);
    r.Points.assign(pts, pts + n);
    r.Pen = pen;
    r.Brush = brush;
    Add(std::move(r));
  }
  void Rectangle(const TRect& box, const TPenData& pen, const TBrushData& brush) override {
    TMetaRecord r = Rec(TMetaOp::Rectangle);
    r.Box = box;
    r.Pen = pen;
    r.Brush = brush;
    Add(std::move(r));
  }
  void FillRect(const TRect& box, const TBrushData& brush, TPenMode mode) override {
    TMetaRecord r = Rec(TMetaOp::FillRect);
    r.Box = box;
    r.Brush = brush;
    r.Pen.Mode = mode;
    Add(std::move(r));
  }
  void Ellipse(const TRect& box, const TPenData& pen, const TBrushData& brush) override {
    TMetaRecord r = Rec(TMetaOp::Ellipse);
    r.Box = box;
    r.Pen = pen;
    r.Brush = brush;
    Add(std::move(r));
  }
  void Arc(const TRect& box, TPoint start, TPoint end, const TPenData& pen) override {
    TMetaRecord r = Rec(TMetaOp::Arc);
    r.Box = box;
    r.Points = {start, end};
    r.Pen = pen;
    Add(std::move(r));
  }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view utf8, const TFontData& font,
               const TBrushData& brush, std::uint32_t align) override {
    TMetaRecord r = Rec(TMetaOp::Text);
    r.Points = {{x, y}};
    r.Text = std::string(utf8);
    r.Font = font;
    r.Brush = brush;
    r.Align = align;
    Add(std::move(r));
  }
  TSize TextExtent(std::string_view utf8, const TFontData& font) override {
    return detail::MeasureText(utf8, font);
  }
  void SetPixel(std::int32_t x, std::int32_t y, TColor c) override {
    TMetaRecord r = Rec(TMetaOp::SetPixel);
    r.Points = {{x, y}};
    r.Color = c;
    Add(std::move(r));
  }
  TColor GetPixel(std::int32_t, std::int32_t) override { return clWhite; }
  void DrawBitmap(const TRect& dst, const TBitmap& src, const TRect& srcRect,
                  TCopyMode mode) override {
    TMetaRecord r = Rec(TMetaOp::DrawBitmap);
    r.Box = dst;
    r.SrcBox = srcRect;
    r.Mode = mode;
    r.Image = std::make_shared<const TBitmap>(src);
    Add(std::move(r));
  }
  void SetClip(const TRect* clip) override {
    TMetaRecord r = Rec(clip ? TMetaOp::SetClip : TMetaOp::ResetClip);
    if (clip) r.Box = *clip;
    Add(std::move(r));
  }
  void SetAntialias(bool on) override {
    TMetaRecord r = Rec(TMetaOp::SetAntialias);
    r.Flag = on;
    Add(std::move(r));
  }

private:
  static TMetaRecord Rec(TMetaOp op) {
    TMetaRecord r;
    r.Op = op;
    return r;
  }
  void Add(TMetaRecord&& r) { FMf.FRecords.push_back(std::move(r)); }
  TMetafile& FMf;
};

TMetafile::TMetafile(std::int32_t width, std::int32_t height, std::int32_t pixelsPerInch)
    : FWidth(width < 0 ? 0 : width),
      FHeight(height < 0 ? 0 : height),
      FPpi(pixelsPerInch > 0 ? pixelsPerInch : 96) {}

TMetafile::~TMetafile() = default;

TCanvas& TMetafile::Canvas() {
  if (!FCanvas) {
    FDevice = std::make_unique<TRecordingDevice>(*this);
    FCanvas = std::make_unique<TCanvas>(FDevice.get());
  }
  return *FCanvas;
}

void TMetafile::Replay(TCanvas& target, TPoint offset, double scale) const {
  TCanvasDevice* d = target.Device();
  if (!d) return;
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1.0;
  const bool moved = scale != 1.0 || offset.x != 0 || offset.y != 0;
  auto px = [&](std::int32_t v, std::int32_t o) {
    return ClampToInt(std::nearbyint(double(v) * scale) + double(o));
  };
  auto place = [&](const TMetaRecord& in) {
    TMetaRecord r = in;
    for (TPoint& p : r.Points) p = {px(p.x, offset.x), px(p.y, offset.y)};
    r.Box = {px(r.Box.Left, offset.x), px(r.Box.Top, offset.y), px(r.Box.Right, offset.x),
             px(r.Box.Bottom, offset.y)};
    if (scale != 1.0) {
      r.Pen.Width = std::max(1, ClampToInt(std::nearbyint(std::max(1, r.Pen.Width) * scale)));
      r.Font.PixelsPerInch = std::max(1, ClampToInt(std::nearbyint(r.Font.PixelsPerInch * scale)));
    }
    return r;
  };
  bool clipped = false, smoothed = false;
  TMetaRecord placed;
  for (const TMetaRecord& original : FRecords) {
    if (moved) placed = place(original);
    const TMetaRecord& r = moved ? placed : original;
    clipped |= r.Op == TMetaOp::SetClip || r.Op == TMetaOp::ResetClip;
    smoothed |= r.Op == TMetaOp::SetAntialias;
    switch (r.Op) {
      case TMetaOp::Line:
        if (r.Points.size() == 2) d->Line(r.Points[0], r.Points[1], r.Pen);
        break;
      case TMetaOp::Polyline:
        if (r.Points.size() >= 2) d->Polyline(r.Points.data(), r.Points.size(), r.Pen);
        break;
      case TMetaOp::Polygon:
        if (r.Points.size() >= 2) d->Polygon(r.Points.data(), r.Points.size(), r.Pen, r.Brush);
        break;
      case TMetaOp::Rectangle: d->Rectangle(r.Box, r.Pen, r.Brush); break;
      case TMetaOp::FillRect: d->FillRect(r.Box, r.Brush, r.Pen.Mode); break;
      case TMetaOp::Ellipse: d->Ellipse(r.Box, r.Pen, r.Brush); break;
      case TMetaOp::Arc:
        if (r.Points.size() == 2) d->Arc(r.Box, r.Points[0], r.Points[1], r.Pen);
        break;
      case TMetaOp::Text:
        if (!r.Points.empty())
          d->TextOut(r.Points[0].x, r.Points[0].y, r.Text, r.Font, r.Brush, r.Align);
        break;
      case TMetaOp::SetPixel:
        if (!r.Points.empty()) d->SetPixel(r.Points[0].x, r.Points[0].y, r.Color);
        break;
      case TMetaOp::DrawBitmap:
        if (r.Image) d->DrawBitmap(r.Box, *r.Image, r.SrcBox, r.Mode);
        break;
      case TMetaOp::SetClip: d->SetClip(&r.Box); break;
      case TMetaOp::ResetClip: d->SetClip(nullptr); break;
      case TMetaOp::SetAntialias: d->SetAntialias(r.Flag); break;
    }
  }
  // The recording's clip and antialiasing end with it; the target canvas
  // goes on with its own.
  if (clipped) d->SetClip(nullptr);
  if (smoothed) d->SetAntialias(target.Antialias());
}

namespace {

const char* OpName(TMetaOp op) {
  switch (op) {
    case TMetaOp::Line: return "Line";
    case TMetaOp::Polyline: return "Polyline";
    case TMetaOp::Polygon: return "Polygon";
    case TMetaOp::Rectangle: return "Rectangle";
    case TMetaOp::FillRect: return "FillRect";
    case TMetaOp::Ellipse: return "Ellipse";
    case TMetaOp::Arc: return "Arc";
    case TMetaOp::Text: return "Text";
    case TMetaOp::SetPixel: return "SetPixel";
    case TMetaOp::DrawBitmap: return "DrawBitmap";
    case TMetaOp::SetClip: return "SetClip";
    case TMetaOp::ResetClip: return "ResetClip";
    case TMetaOp::SetAntialias: return "SetAntialias";
  }
  return "?";
}

std::string Hex(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

std::string Pt(TPoint p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

std::string BoxText(const TRect& r) {
  return "[" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
         std::to_string(r.Right) + "," + std::to_string(r.Bottom) + "]";
}

const char* PenStyleName(TPenStyle s) {
  static const char* names[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "clear",
                                "insideframe"};
  return s <= psInsideFrame ? names[s] : "?";
}

const char* BrushStyleName(TBrushStyle s) {
  static const char* names[] = {"solid", "clear", "horizontal", "vertical", "fdiagonal",
                                "bdiagonal", "cross", "diagcross"};
  return s <= bsDiagCross ? names[s] : "?";
}

std::string PenText(const TPenData& p) {
  std::string s = " pen " + Hex(p.Color) + " w" + std::to_string(p.Width) + " " +
                  PenStyleName(p.Style);
  if (p.Mode == pmXor) s += " xor";
  else if (p.Mode != pmCopy) s += " mode" + std::to_string(int(p.Mode));
  return s;
}

std::string BrushText(const TBrushData& b) {
  if (b.Style == bsClear) return " brush clear";
  return std::string(" brush ") + Hex(b.Color) + " " + BrushStyleName(b.Style);
}

}  // namespace

std::string TMetaRecord::ToString() const {
  std::string s = OpName(Op);
  switch (Op) {
    case TMetaOp::Line:
      if (Points.size() == 2) s += " " + Pt(Points[0]) + "-" + Pt(Points[1]);
      s += PenText(Pen);
      break;
    case TMetaOp::Polyline:
    case TMetaOp::Polygon:
      for (const TPoint& p : Points) s += " " + Pt(p);
      s += PenText(Pen);
      if (Op == TMetaOp::Polygon) s += BrushText(Brush);
      break;
    case TMetaOp::Rectangle:
    case TMetaOp::Ellipse:
      s += " " + BoxText(Box) + PenText(Pen) + BrushText(Brush);
      break;
    case TMetaOp::FillRect:
      s += " " + BoxText(Box) + BrushText(Brush);
      break;
    case TMetaOp::Arc:
      s += " " + BoxText(Box);
      if (Points.size() == 2) s += " " + Pt(Points[0]) + "-" + Pt(Points[1]);
      s += PenText(Pen);
      break;
    case TMetaOp::Text:
      if (!Points.empty()) s += " " + Pt(Points[0]);
      s += " \"" + Text + "\" " + Font.Name + " " + std::to_string(Font.PixelHeight()) + "px " +
           Hex(Font.Color) + " align" + std::to_string(Align) + BrushText(Brush);
      break;
    case TMetaOp::SetPixel:
      if (!Points.empty()) s += " " + Pt(Points[0]);
      s += " " + Hex(Color);
      break;
    case TMetaOp::DrawBitmap: {
      char mode[16];
      std::snprintf(mode, sizeof mode, "%08X", Mode);
      s += " " + BoxText(Box) + " from " + BoxText(SrcBox) + " mode " + mode;
      break;
    }
    case TMetaOp::SetClip: s += " " + BoxText(Box); break;
    case TMetaOp::ResetClip: break;
    case TMetaOp::SetAntialias: s += Flag ? " on" : " off"; break;
  }
  return s;
}

}  // namespace kvo
