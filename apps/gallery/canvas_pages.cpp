// The canvas test sheet: every pen style and width, XOR lines, every brush
// style, the shapes, text in sizes, styles and alignments, and a bitmap
// stretched, tiled and combined with the raster copy modes.
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"

namespace kvo::gallery {

namespace {

void Caption(TCanvas& c, int x, int y, const std::string& text) {
  c.Font().SetStyle({fsBold});
  c.Font().SetSize(9);
  c.Font().SetColor(clNavy);
  c.Brush().SetStyle(bsClear);
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.TextOut(x, y, text);
  c.Font().SetStyle({});
  c.Font().SetSize(8);
  c.Font().SetColor(clBlack);
}

void Label(TCanvas& c, int x, int y, const std::string& text, std::uint32_t align = TA_LEFT) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetColor(clBlack);
  c.SetTextAlign(align | TA_TOP);
  c.TextOut(x, y, text);
  c.SetTextAlign(TA_LEFT | TA_TOP);
}

void ResetTools(TCanvas& c) {
  c.Pen().SetData({});
  c.Brush().SetData({});
  c.Font().SetColor(clBlack);
  c.Font().SetSize(8);
  c.Font().SetStyle({});
  c.Font().SetOrientation(0);
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.SetCopyMode(cmSrcCopy);
}

// A small picture for the bitmap tests: a colour gradient with a frame and a
// diagonal, so that stretching, tiling and mirroring are easy to see.
TBitmap TestImage() {
  TBitmap b(24, 16);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.ScanLine(y)[x] = {std::uint8_t(255 - y * 15), std::uint8_t(x * 10), std::uint8_t(x * 10 + 15),
                          255};
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clBlack);
  c.Brush().SetStyle(bsClear);
  c.Rectangle(0, 0, 24, 16);
  c.Pen().SetColor(clWhite);
  c.MoveTo(2, 2);
  c.LineTo(12, 13);
  c.SetPixel(20, 3, clYellow);
  return b;
}

void PenSection(TCanvas& c) {
  Caption(c, 10, 36, "Pen styles (width 1)");
  static const std::array<const char*, 7> names = {"psSolid", "psDash", "psDot", "psDashDot",
                                                   "psDashDotDot", "psClear", "psInsideFrame"};
  for (int i = 0; i < 7; ++i) {
    const int y = 62 + i * 17;
    Label(c, 14, y - 6, names[i]);
    c.Pen().SetData({clBlack, TPenStyle(i), 1, pmCopy});
    c.MoveTo(110, y);
    c.LineTo(300, y);
  }
  Caption(c, 10, 186, "Pen widths 1..4");
  for (int w = 1; w <= 4; ++w) {
    const int y = 212 + (w - 1) * 14;
    Label(c, 14, y - 6, "width " + std::to_string(w));
    c.Pen().SetData({clMaroon, psSolid, w, pmCopy});
    c.MoveTo(110, y);
    c.LineTo(230, y);
    c.MoveTo(240, y + 5);
    c.LineTo(300, y - 5);
  }
  ResetTools(c);
}

void XorSection(TCanvas& c) {
  Caption(c, 330, 36, "XOR pen on colour stripes");
  const std::array<TColor, 5> stripes = {clRed, clLime, clBlue, clYellow, clWhite};
  for (int i = 0; i < 5; ++i) {
    c.Brush().SetData({stripes[i], bsSolid});
    c.FillRect({330 + i * 60, 56, 390 + i * 60, 160});
  }
  c.Pen().SetData({clWhite, psSolid, 1, pmXor});
  for (int i = 0; i < 8; ++i) {
    c.MoveTo(334, 62 + i * 6);
    c.LineTo(626, 62 + i * 6);
  }
  c.Pen().SetData({clAqua, psSolid, 3, pmXor});
  c.MoveTo(340, 150);
  c.LineTo(620, 112);
  c.Pen().SetData({clWhite, psSolid, 1, pmXor});
  c.Brush().SetStyle(bsClear);
  c.Ellipse(520, 100, 620, 158);
  // Drawn twice: the pixels come back exactly, nothing is left to see.
  c.Pen().SetData({clWhite, psSolid, 1, pmXor});
  for (int k = 0; k < 2; ++k) {
    c.MoveTo(334, 140);
    c.LineTo(500, 140);
  }
  ResetTools(c);
  Label(c, 334, 164, "white lines invert, a wide aqua line, an ellipse;");
  Label(c, 334, 177, "a line XORed twice at y = 140 has vanished");
}

void BrushSection(TCanvas& c) {
  Caption(c, 650, 36, "Brush styles");
  static const std::array<const char*, 8> names = {"bsSolid", "bsClear", "bsHorizontal",
                                                   "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                                   "bsCross", "bsDiagCross"};
  c.Brush().SetData({0xF0E0D0, bsSolid});
  c.FillRect({650, 56, 950, 190});
  for (int i = 0; i < 8; ++i) {
    const int x = 652 + (i % 4) * 75, y = 58 + (i / 4) * 66;
    c.Pen().SetData({clBlack, psSolid, 1, pmCopy});
    c.Brush().SetData({clTeal, TBrushStyle(i)});
    c.Rectangle(x, y, x + 68, y + 44);
    Label(c, x + 34, y + 46, names[i], TA_CENTER);
  }
  ResetTools(c);
}

void ShapeSection(TCanvas& c) {
  Caption(c, 10, 276, "Shapes: thin pen, wide pen (3), inside frame (5), antialiased");
  const int y0 = 300;
  for (int row = 0; row < 2; ++row) {
    const int y = y0 + row * 90;
    const bool wide = row == 1;
    c.Pen().SetData({clNavy, wide ? psSolid : psSolid, wide ? 3 : 1, pmCopy});
    c.Brush().SetData({0x80E0FF, bsSolid});
    c.Rectangle(14, y, 94, y + 70);
    c.Ellipse(110, y, 200, y + 70);
    c.Brush().SetStyle(bsClear);
    // Arc from the ray through the start point counter-clockwise to the end.
    c.Arc(216, y, 306, y + 70, 306, y, 216, y + 70);
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(1);
    c.Pen().SetStyle(psDot);
    c.Rectangle(216, y, 306, y + 70);
    c.Pen().SetData({clGreen, psSolid, wide ? 3 : 1, pmCopy});
    c.Brush().SetData({0xB0FFB0, bsSolid});
    std::array<TPoint, 10> star;
    for (int k = 0; k < 10; ++k) {
      const double a = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
      const double r = k % 2 ? 14 : 35;
      star[k] = {int(std::lround(362 + r * std::cos(a))), int(std::lround(y + 36 + r * std::sin(a)))};
    }
    c.Polygon(star.data(), star.size());
    c.Pen().SetData({clPurple, psSolid, wide ? 3 : 1, pmCopy});
    std::array<TPoint, 9> zig;
    for (int k = 0; k < 9; ++k) zig[k] = {420 + k * 14, y + (k % 2 ? 64 : 6) - k * 2};
    c.Polyline(zig.data(), zig.size());
  }
  // Inside-frame pen keeps the outline within the box; the thin red box is
  // the bounding box given.
  const int y = y0;
  c.Pen().SetData({clOlive, psInsideFrame, 5, pmCopy});
  c.Brush().SetData({clSilver, bsSolid});
  c.Rectangle(560, y, 640, y + 70);
  c.Ellipse(560, y + 90, 640, y + 160);
  c.Pen().SetData({clRed, psSolid, 1, pmCopy});
  c.Brush().SetStyle(bsClear);
  c.Rectangle(559, y - 1, 641, y + 71);
  c.Rectangle(559, y + 89, 641, y + 161);
  // Antialiased ellipse and line beside aliased ones.
  for (int aa = 0; aa < 2; ++aa) {
    c.SetAntialias(aa == 1);
    const int x = 660 + aa * 150;
    c.Pen().SetData({clBlack, psSolid, 2, pmCopy});
    c.Brush().SetData({0xFFD0A0, bsSolid});
    c.Ellipse(x, y, x + 130, y + 70);
    c.MoveTo(x, y + 150);
    c.LineTo(x + 130, y + 95);
  }
  c.SetAntialias(false);
  ResetTools(c);
  Label(c, 660, y + 74, "antialias off");
  Label(c, 810, y + 74, "antialias on");
}

void TextSection(TCanvas& c) {
  Caption(c, 10, 466, "Text: sizes, styles, alignments, rotation");
  int x = 14;
  for (double size : {6.0, 8.0, 10.0, 14.0, 20.0}) {
    c.Font().SetSize(size);
    const std::string s = std::to_string(int(size)) + "pt";
    c.TextOut(x, 488, s);
    x += c.TextWidth(s) + 10;
  }
  c.Font().SetSize(10);
  struct Style {
    TFontStyles s;
    const char* name;
  };
  const std::array<Style, 5> styles = {Style{{}, "Regular"}, Style{{fsBold}, "Bold"},
                                       Style{{fsItalic}, "Italic"}, Style{{fsUnderline}, "Underline"},
                                       Style{{fsStrikeOut}, "StrikeOut"}};
  x = 14;
  for (const auto& st : styles) {
    c.Font().SetStyle(st.s);
    c.TextOut(x, 524, st.name);
    x += c.TextWidth(st.name) + 12;
  }
  c.Font().SetStyle({});
  // Measured box drawn around a text with an opaque brush.
  c.Font().SetSize(12);
  c.Brush().SetData({clYellow, bsSolid});
  const std::string boxed = "Measured: Wy\xC3\xA9gj";
  c.TextOut(14, 552, boxed);
  c.Brush().SetData({clRed, bsSolid});
  c.FrameRect({13, 551, 15 + c.TextWidth(boxed), 553 + c.TextHeight(boxed)});
  c.Font().SetSize(8);
  // Alignment grid: each text placed by its reference point (red cross).
  static const std::array<std::uint32_t, 3> horz = {TA_LEFT, TA_CENTER, TA_RIGHT};
  static const std::array<std::uint32_t, 3> vert = {TA_TOP, TA_BASELINE, TA_BOTTOM};
  static const std::array<const char*, 3> hn = {"left", "center", "right"};
  static const std::array<const char*, 3> vn = {"top", "baseline", "bottom"};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int px = 350 + i * 125, py = 500 + j * 36;
      c.Pen().SetData({clRed, psSolid, 1, pmCopy});
      c.MoveTo(px - 4, py);
      c.LineTo(px + 5, py);
      c.MoveTo(px, py - 4);
      c.LineTo(px, py + 5);
      c.Brush().SetStyle(bsClear);
      c.SetTextAlign(horz[i] | vert[j]);
      c.TextOut(px, py, std::string(hn[i]) + "/" + vn[j]);
    }
  c.SetTextAlign(TA_LEFT | TA_TOP);
  // Rotated text (orientation in tenths of a degree, counter-clockwise).
  c.Font().SetSize(9);
  c.Font().SetOrientation(900);
  c.TextOut(20, 700, "90 degrees");
  c.Font().SetOrientation(300);
  c.TextOut(60, 700, "30 degrees");
  c.Font().SetOrientation(0);
  c.Font().SetColor(clMaroon);
  c.Font().SetName("DejaVu Serif");
  c.TextOut(170, 640, "DejaVu Serif");
  c.Font().SetName("DejaVu Sans Mono");
  c.TextOut(170, 660, "DejaVu Sans Mono 0123");
  ResetTools(c);
  c.Font().SetName(kDefaultFontName);
}

void BitmapSection(TCanvas& c) {
  Caption(c, 660, 466, "Bitmaps and copy modes");
  const TBitmap img = TestImage();
  c.Draw(664, 490, img);
  c.StretchDraw({700, 490, 796, 554}, img);
  c.StretchDraw({896, 490, 800, 554}, img);  // mirrored
  for (int ty = 0; ty < 3; ++ty)
    for (int tx = 0; tx < 4; ++tx) c.Draw(664 + tx * 24, 562 + ty * 16, img);
  // Copy modes onto a half-grey background.
  const std::array<std::pair<TCopyMode, const char*>, 4> modes = {
      std::pair{cmSrcCopy, "SRCCOPY"}, std::pair{cmSrcAnd, "SRCAND"},
      std::pair{cmSrcPaint, "SRCPAINT"}, std::pair{cmSrcInvert, "SRCINVERT"}};
  for (int i = 0; i < 4; ++i) {
    const int x = 770 + (i % 2) * 90, y = 568 + (i / 2) * 66;
    c.Brush().SetData({0x4080C0, bsSolid});
    c.FillRect({x, y, x + 48, y + 40});
    c.Brush().SetData({0xC0C0C0, bsSolid});
    c.FillRect({x, y + 20, x + 48, y + 40});
    c.CopyRect({x, y, x + 48, y + 40}, img, {0, 0, 24, 16}, modes[i].first);
    Label(c, x + 24, y + 42, modes[i].second, TA_CENTER);
  }
  ResetTools(c);
}

void DrawCanvasSheet(TCanvas& c) {
  ResetTools(c);
  c.Brush().SetColor(clWhite);
  c.FillRect({0, 0, 960, 720});
  c.Font().SetSize(14);
  c.Font().SetStyle({fsBold});
  c.TextOut(10, 8, "Kvo canvas test sheet");
  ResetTools(c);
  Label(c, 950, 14, "DejaVu Sans 8pt at 96 dpi", TA_RIGHT);
  PenSection(c);
  XorSection(c);
  BrushSection(c);
  ShapeSection(c);
  TextSection(c);
  BitmapSection(c);
}

}  // namespace

void AddCanvasPages(std::vector<Page>& pages) {
  Page p;
  p.Id = "canvas-sheet";
  p.Title = "Canvas test sheet: pens, XOR, brushes, shapes, text, bitmaps";
  p.Width = 960;
  p.Height = 720;
  p.Draw = DrawCanvasSheet;
  p.Vector = true;
  // Text is antialiased by FreeType; small shading differences between
  // library versions pass, geometry changes do not.
  p.GoldenMaxChannelDiff = 24;
  p.GoldenMaxPixelsOver = 40;
  pages.push_back(std::move(p));
}

}  // namespace kvo::gallery
