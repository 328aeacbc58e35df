// The 2D chart: one page per group of features (item kinds, grids,
// backgrounds, frame and caption, labels and crosshairs, layers and
// logarithmic axes) and a realistic measurement chart. Each page draws
// several charts, built in code exactly as an application would.
#include <cmath>
#include <numbers>
#include <cstdio>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "apps/gallery/gallery.h"
#include "devari/tdevari.h"
#include "libs/kvocolors.h"
#include "platform/bitmap.h"

namespace kvo::gallery {

namespace {

// Deterministic normal deviates (Box-Muller on a fixed-seed engine), so the
// pictures are the same on every machine.
class TNoise {
public:
  explicit TNoise(std::uint32_t seed) : FGen(seed) {}
  double Normal() {
    const double u1 = (double(FGen()) + 1.0) / 4294967297.0;
    const double u2 = double(FGen()) / 4294967296.0;
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
  }

private:
  std::mt19937 FGen;
};

// A chart of the given size with painting held back until Show.
std::unique_ptr<TDEvari> NewChart(int w, int h) {
  auto c = std::make_unique<TDEvari>();
  c->SetBounds(0, 0, w, h);
  return c;
}

void SetRanges(TDEvari& c, int layer, double xlo, double xhi, double ylo, double yhi) {
  const bool keep = c.SuppressPaint();
  c.SetSuppressPaint(true);
  TScaleProps& x = c.GetScalePropsX(layer);
  TScaleProps& y = c.GetScalePropsY(layer);
  x.SetRangeHigh(xhi);
  x.SetRangeLow(xlo);
  x.SetRangeHigh(xhi);
  y.SetRangeHigh(yhi);
  y.SetRangeLow(ylo);
  y.SetRangeHigh(yhi);
  c.SetSuppressPaint(keep);
}

// Paints the chart and copies its picture onto the page.
constexpr int kCW = 260, kCH = 180;  // small chart cells
int CellX(int i) { return 5 + (i % 3) * (kCW + 5); }
int CellY(int i) { return 5 + (i / 3) * (kCH + 10); }

std::unique_ptr<TDEvari> Cell(const std::string& caption) {
  auto c = NewChart(kCW, kCH);
  c->SetChartCaption(caption);
  c->SetCaptAnchorX(cahChartLeft);
  c->SetCaptAlignment(taLeftJustify);
  c->SetWindCol(0xE8E8E8);
  c->SetRRim(12);
  c->SetTRim(18);
  SetRanges(*c, 1, 0, 10, 0, 10);
  return c;
}

// ---- Item kinds ------------------------------------------------------------------

void ItemsMarks(TDEvari& c) {
  for (int t = 0; t < 20; ++t) {
    c.SetDataCol(PredefinedColor(t % 8 + 1));
    c.SetFillCol(RGBColor(255, 200, 0));
    c.MarkAt(0.5 + (t % 10) * 0.95, t < 10 ? 8.5 : 6.5, std::uint8_t(t * 2 + 4));
  }
  c.SetDataCol(clNavy);
  for (int i = 0; i < 5; ++i) {
    c.MarkErrorBar(1 + i * 2, 3 + std::sin(i) , 0.6 + 0.2 * i, 0.4 + 0.3 * i, orVertical, 21);
  }
  c.SetDataCol(clMaroon);
  c.MarkErrorBar(5, 1, 1.5, 3, orHorizontal, 37);
}

void ItemsLines(TDEvari& c) {
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  for (int s = 0; s < 5; ++s) {
    c.SetPenStyle(styles[s]);
    c.SetDataCol(PredefinedColor(s + 1));
    c.Line(0.5, 9.5 - s * 0.7, 4.5, 9.5 - s * 0.7);
  }
  c.SetPenStyle(psSolid);
  for (int w = 1; w <= 4; ++w) {
    c.SetLineWid(std::uint8_t(w));
    c.SetDataCol(clBlack);
    c.Line(5.5, 9.5 - (w - 1) * 0.9, 9.5, 9.5 - (w - 1) * 0.9);
  }
  // A polyline with a gap where a vertex is missing (NaN).
  c.SetLineWid(2);
  c.SetDataCol(clBlue);
  c.MoveTo(0.5, 2.0);
  for (int i = 1; i <= 36; ++i) {
    const double x = 0.5 + i * 0.25;
    c.DrawTo(x, i == 18 ? std::nan("") : 2.5 + 1.5 * std::sin(i * 0.35));
  }
  c.SetLineWid(1);
  c.SetDataCol(clGreen);
  c.LineOffset(1, 5, 9, 5, 0, 6);  // shifted 6 pixels down
  // Relative-pixel polyline: a small staircase.
  c.SetDataCol(clPurple);
  c.MoveTo(6.0, 4.5);
  for (int i = 0; i < 4; ++i) {
    c.DrawToRelPix(8, 0);
    c.DrawToRelPix(0, -6);
  }
  c.DrawToRelPix(7.0, 1.0, 20, -12);
}

void ItemsAreas(TDEvari& c) {
  c.SetDataCol(clNavy);
  c.SetFillCol(RGBColor(120, 170, 255));
  c.Rectangle(0.5, 6.5, 3.0, 9.5);
  c.SetTransparentItems(true);
  c.Rectangle(2.0, 5.5, 4.5, 8.0);
  c.SetTransparentItems(false);
  c.SetFillCol(RGBColor(255, 180, 120));
  c.RectangleRelPix(6, 8, 12, 8);
  for (int s = 2; s <= 5; ++s) {
    c.SetFillCol(0xC8D0D4);
    c.RectFrame(0.5 + (s - 2) * 2.4, 1.0, 2.3 + (s - 2) * 2.4, 4.0, TFrameStyle(s), 0x808080,
                clWhite);
  }
  c.SetFillCol(RGBColor(160, 220, 160));
  c.SetDataCol(clGreen);
  c.Ellipse(8.2, 7.5, 1.3, 1.6);
  c.SetDataCol(clRed);
  c.Arc(8.2, 7.5, 1.6, 2.0, 0.3, 2.8);
}

void ItemsBars(TDEvari& c) {
  const double v[] = {4, 7, 5.5, 8.5};
  for (int i = 0; i < 4; ++i) {
    c.SetFillCol(PredefinedColor(i + 3));
    c.SetDataCol(clBlack);
    c.Bar3D(0.8 + i * 2.3, 0.5, 2.0 + i * 2.3, v[i], 10, i < 2 ? 45 : 135);
  }
}

void ItemsArrowsTexts(TDEvari& c) {
  c.SetDataCol(clNavy);
  c.SetFillCol(RGBColor(255, 120, 60));
  c.Arrow(0.5, 9.0, 4.0, 7.0, 10);
  c.DoubleArrow(0.5, 6.0, 4.0, 6.0, 8);
  c.SetTransparentItems(true);
  c.Arrow(0.5, 4.0, 2.5, 5.5, 12);
  c.DoubleArrow(0.5, 2.5, 4.0, 1.0, 9);
  c.SetTransparentItems(false);
  c.SetDataCol(clBlack);
  c.SetFillCol(RGBColor(255, 255, 180));
  c.SetTextAlignment(taLeftJustify);
  c.Text(5.0, 9.0, 9, "left");
  c.SetTextAlignment(taRightJustify);
  c.Text(9.8, 8.0, 9, "right");
  c.SetTextBkStyle(tbSolid);
  c.Text(7.5, 6.5, 9, "solid box", 0, 0, taCenter);
  c.Text(7.5, 4.5, 8, "two\nlines", 0, 0, taCenter);
  c.SetTextBkStyle(tbClear);
  c.SetDataCol(clRed);
  c.Text(5.0, 2.0, 10, "offset +8,-6", 8, -6, taLeftJustify);
  c.MarkAt(5.0, 2.0, 1);
}

void ItemsAnnotations(TDEvari& c) {
  c.SetDataCol(clBlue);
  c.MoveTo(0.0, 1.0);
  for (int i = 1; i <= 20; ++i) c.DrawTo(i * 0.5, 1 + 8 * (1 - std::exp(-i * 0.2)));
  c.SetAnnoMode(true);
  c.SetDataCol(clRed);
  c.CursorVert(6.0);
  c.SetDataCol(clGreen);
  c.CursorHoriz(std::int32_t(30));  // 30 pixels from the top of the data area
  c.SetDataCol(clBlack);
  c.SetFillCol(clWhite);
  c.SetTextBkStyle(tbSolid);
  c.SetFillCol(RGBColor(230, 255, 230));
  c.SetTextAlignment(taLeftJustify);
  c.Text(std::int32_t(8), std::int32_t(12), 8, "screen (8, 12)");
  c.Line(6.0, 5.0, std::int32_t(190), std::int32_t(110));
  c.SetTextBkStyle(tbClear);
  c.MarkAt(std::int32_t(190), std::int32_t(110), 39);
  c.SetAnnoMode(false);
}

void ItemsDupMarks(TDEvari& c) {
  TNoise noise(3);
  c.SetDataCol(clNavy);
  c.SetFillCol(RGBColor(255, 200, 0));
  for (int i = 0; i < 400; ++i) c.MarkAt(2.5 + 0.5 * noise.Normal(), 5 + 1.2 * noise.Normal(), 21);
  c.SetDataCol(clMaroon);
  for (int i = 0; i < 400; ++i) c.MarkAt(7.5 + 0.5 * noise.Normal(), 5 + 1.2 * noise.Normal(), 21);
  c.SetAnnoMode(true);
  c.SetDataCol(clBlack);
  c.SetTextAlignment(taCenter);
  c.Text(2.5, 9.2, 8, "400 marks");
  c.Text(7.5, 9.2, 8, "400 marks");
  c.SetAnnoMode(false);
}

void ItemsTexts(TDEvari& c) {
  c.SetDataCol(clBlack);
  c.SetFillCol(RGBColor(210, 235, 255));
  c.SetTextBkStyle(tbSolid);
  c.Text(0.5, 9.2, 7, "7 pt", 0, 0, taLeftJustify);
  c.Text(0.5, 7.8, 10, "10 pt", 0, 0, taLeftJustify);
  c.Text(0.5, 6.2, 14, "14 pt", 0, 0, taLeftJustify);
  c.Text(9.5, 8.6, 8, "sixteen+ characters", 0, 0, taRightJustify);
  c.Text(9.5, 6.0, 8, "right aligned\nthree lines\nof text", 0, 0, taRightJustify);
  c.SetTextBkStyle(tbClear);
  c.SetTextFontStyle({fsBold, fsItalic});
  c.SetDataCol(clGreen);
  c.Text(5.0, 2.0, 11, "bold italic", 0, 0, taCenter);
  c.SetTextFontStyle({});
}

void ItemsMixedModes(TDEvari& c) {
  c.SetDataCol(clGray);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 20; ++i) c.DrawTo(i * 0.5, 5 + 4 * std::sin(i * 0.4));
  c.SetAnnoMode(true);
  c.SetFillCol(RGBColor(255, 220, 220));
  c.SetDataCol(clRed);
  // x in pixels, y in world values: a band 40 pixels wide from y = 2 to 4.
  c.Arrow(std::int32_t(20), 8.0, std::int32_t(80), 6.0, 9);
  c.Arrow(2.0, std::int32_t(140), 6.0, std::int32_t(100), 9);
  c.SetDataCol(clBlue);
  c.Rectangle(std::int32_t(140), std::int32_t(90), 9.5, 1.0);
  c.SetAnnoMode(false);
}

void DrawItemsPage(TCanvas& page) {
  ClearPage(page, 800, 600);
  struct Entry {
    const char* Caption;
    void (*Fill)(TDEvari&);
  };
  const Entry entries[] = {{"marks, error bars", ItemsMarks},
                           {"lines, polyline gap, pixel steps", ItemsLines},
                           {"rectangles, frames, ellipse, arc", ItemsAreas},
                           {"3D bars 45 and 135 degrees", ItemsBars},
                           {"arrows and texts", ItemsArrowsTexts},
                           {"annotations, cursors", ItemsAnnotations},
                           {"800 marks, duplicates avoided", ItemsDupMarks},
                           {"texts: sizes, long, multi-line, styles", ItemsTexts},
                           {"annotations in mixed coordinates", ItemsMixedModes}};
  for (int i = 0; i < 9; ++i) {
    auto c = Cell(entries[i].Caption);
    entries[i].Fill(*c);
    if (i == 6) {
      c->SetAvoidDupMarks(true);
      c->SetMinDupMarkDist(2);
    }
    ShowChart(page, *c, CellX(i), CellY(i));
  }
  PageTitle(page, 10, 578, "Chart items: every kind, world and screen coordinates");
}

// ---- Grids -------------------------------------------------------------------------

void DrawGridPage(TCanvas& page) {
  ClearPage(page, 800, 600);
  struct G {
    const char* Caption;
    GridStyleType Style;
    double Dx, Dy;
    bool Log;
  };
  const G gs[] = {{"gsLines at the ticks", gsLines, 0, 0, false},
                  {"gsDotLines, step 2.5 / 1", gsDotLines, 2.5, 1, false},
                  {"gsPoints, step 1 / 1", gsPoints, 1, 1, false},
                  {"gsVertLines", gsVertLines, 0, 0, false},
                  {"gsHorizDotLines", gsHorizDotLines, 0, 0.5, false},
                  {"log: decades / 1-2-5", gsLines, -1, -2, true}};
  for (int i = 0; i < 6; ++i) {
    auto c = Cell(gs[i].Caption);
    c->SetGridStyle(gs[i].Style);
    c->SetGridDx(gs[i].Dx);
    c->SetGridDy(gs[i].Dy);
    c->SetGridCol(RGBColor(140, 160, 200));
    if (gs[i].Log) {
      SetRanges(*c, 1, 1, 1000, 1, 100);
      c->Scale1X().SetLogarithmic(true);
      c->Scale1Y().SetLogarithmic(true);
      c->SetDataCol(clRed);
      c->MoveTo(1.0, 1.0);
      for (int k = 1; k <= 30; ++k) c->DrawTo(std::pow(1000.0, k / 30.0), std::pow(100.0, (k / 30.0) * (k / 30.0)));
    } else {
      c->SetDataCol(clRed);
      c->MoveTo(0.0, 5.0);
      for (int k = 1; k <= 40; ++k) c->DrawTo(k * 0.25, 5 + 3.5 * std::sin(k * 0.3));
    }
    ShowChart(page, *c, CellX(i), CellY(i));
  }
  PageTitle(page, 10, 390, "Grid styles and spacings (linear and logarithmic)");
}

// ---- Backgrounds -------------------------------------------------------------------

void DrawBackgroundPage(TCanvas& page) {
  ClearPage(page, 800, 600);
  const TBGAreaMode modes[] = {bamLeft, bamRight, bamTop, bamBottom, bamVStripe, bamHStripe,
                               bamRect, bamRectInv, bamVStripeInv, bamHStripeInv};
  const char* names[] = {"bamLeft", "bamRight", "bamTop", "bamBottom", "bamVStripe",
                         "bamHStripe", "bamRect", "bamRectInv", "bamVStripeInv",
                         "bamHStripeInv"};
  for (int i = 0; i < 10; ++i) {
    auto c = NewChart(170, 120);
    c->SetLRim(30);
    c->SetBRim(24);
    c->SetRRim(8);
    c->SetTRim(18);
    c->SetChartCaption(names[i]);
    c->SetCaptAnchorX(cahChartLeft);
    c->SetCaptAlignment(taLeftJustify);
    SetRanges(*c, 1, 0, 10, 0, 10);
    TBakGndImg& b = c->BackGroundImg();
    b.SetBGAreaLeft(3);
    b.SetBGAreaRight(7);
    b.SetBGAreaTop(8);
    b.SetBGAreaBottom(4);
    b.SetBGAreaColor(RGBColor(255, 230, 170));
    b.SetBGAreaMode(modes[i]);
    c->SetDataCol(clNavy);
    c->MoveTo(0.0, 2.0);
    for (int k = 1; k <= 20; ++k) c->DrawTo(k * 0.5, 2 + k * 0.35);
    ShowChart(page, *c, 5 + (i % 4) * 175, 5 + (i / 4) * 125);
  }
  // The image modes, with a small generated picture.
  TBitmap pic(24, 16);
  pic.Fill(RGBColor(210, 230, 255));
  pic.Canvas().Pen().SetColor(RGBColor(90, 130, 200));
  pic.Canvas().MoveTo(0, 15);
  pic.Canvas().LineTo(24, 0);
  pic.Canvas().Brush().SetColor(RGBColor(255, 200, 120));
  pic.Canvas().Ellipse(14, 9, 22, 16);
  const std::string path = "/tmp/kvo-gallery-background.png";
  pic.SaveToFile(path);
  const TBkgFill fills[] = {bfNatural, bfStretch, bfTile};
  const char* fnames[] = {"image at natural size", "image stretched", "image tiled"};
  for (int i = 0; i < 3; ++i) {
    auto c = NewChart(170, 120);
    c->SetLRim(30);
    c->SetBRim(24);
    c->SetRRim(8);
    c->SetTRim(18);
    c->SetChartCaption(fnames[i]);
    c->SetCaptAnchorX(cahChartLeft);
    c->SetCaptAlignment(taLeftJustify);
    SetRanges(*c, 1, 0, 10, 0, 10);
    c->BackGroundImg().SetIncldPath(true);
    c->BackGroundImg().SetFillMode(fills[i]);
    c->BackGroundImg().SetName(path);
    ShowChart(page, *c, 5 + ((i + 10) % 4) * 175, 5 + ((i + 10) / 4) * 125);
  }
  PageTitle(page, 10, 520, "Background areas (world bounds 3..7 x 4..8) and background images");
}

// ---- Frame, shadow, caption, layouts -------------------------------------------------

void DrawFramePage(TCanvas& page) {
  ClearPage(page, 800, 600);
  const TrcLayout layouts[] = {rcl_X1Bottom_Y1Left, rcl_X1Bottom_Y2Left, rcl_X1Bottom_Y2Both,
                               rcl_X2Bottom_Y2Left, rcl_X2Both_Y2Both};
  const char* names[] = {"X1Bottom_Y1Left", "X1Bottom_Y2Left", "X1Bottom_Y2Both",
                         "X2Bottom_Y2Left", "X2Both_Y2Both"};
  for (int i = 0; i < 5; ++i) {
    auto c = NewChart(kCW, kCH + 10);
    c->SetStdLayout(layouts[i]);
    c->SetChartCaption(std::string("layout ") + names[i]);
    SetRanges(*c, 1, 0, 10, 0, 10);
    SetRanges(*c, 2, -50, 50, 100, 200);
    c->Scale1X().SetCaption("x1");
    c->Scale1Y().SetCaption("y1");
    c->Scale2X().SetCaption("x2");
    c->Scale2Y().SetCaption("y2");
    if (i >= 3) c->SetF3DRim(6);
    c->SetShadowStyle(i == 4 ? shsOutlined : shsPlain);
    c->SetDataCol(clRed);
    c->MoveTo(0.0, 0.0);
    c->DrawTo(10.0, 10.0);
    ShowChart(page, *c, CellX(i), CellY(i));
  }
  // Caption anchors and trimming.
  auto c = NewChart(kCW, kCH + 10);
  SetRanges(*c, 1, 0, 10, 0, 10);
  c->SetChartCaption("a caption much too long for the space it is given here");
  c->SetCaptTrim(60);
  c->SetCaptAnchorX(cahChartCenter);
  c->SetCaptAlignment(taCenter);
  c->SetCaptAnchorY(cavControlTop);
  c->SetCaptPosY(3);
  c->SetF3DRim(4);
  c->SetShadowStyle(shsOutlined);
  c->SetShadowColor(RGBColor(90, 90, 120));
  ShowChart(page, *c, CellX(5), CellY(5));
  // Caption anchors, each with its alignment.
  struct A {
    TCaptionAnchorHoriz X;
    TCaptionAnchorVert Y;
    TAlignment Al;
    std::int32_t Dx, Dy;
    const char* Text;
  };
  const A anchors[] = {{cahControlLeft, cavControlTop, taLeftJustify, 4, 2, "control left, top"},
                       {cahChartCenter, cavChartBottom, taCenter, 0, 24, "chart centre, bottom"},
                       {cahControlRight, cavControlBottom, taRightJustify, -4, -16,
                        "control right, bottom"}};
  for (int i = 0; i < 3; ++i) {
    auto d = NewChart(kCW, 150);
    SetRanges(*d, 1, 0, 10, 0, 10);
    d->SetBRim(50);
    d->SetChartCaption(anchors[i].Text);
    d->SetCaptAnchorX(anchors[i].X);
    d->SetCaptAnchorY(anchors[i].Y);
    d->SetCaptAlignment(anchors[i].Al);
    d->SetCaptPosX(anchors[i].Dx);
    d->SetCaptPosY(anchors[i].Dy);
    d->Scale1X().SetVisible(i != 1);
    ShowChart(page, *d, CellX(i), 420);
  }
  PageTitle(page, 10, 580, "Standard layouts, shadow styles (plain, outlined), caption anchors and trim");
}

// ---- Labels and crosshairs -------------------------------------------------------------

void DrawLabelsPage(TCanvas& page) {
  ClearPage(page, 800, 600);
  {
    auto c = NewChart(395, 280);
    c->SetChartCaption("text labels: modes 1..4, alignments");
    SetRanges(*c, 1, 0, 10, 0, 10);
    c->SetDataCol(clSilver);
    c->SetGridStyle(gsDotLines);
    c->SetGridCol(0xC0C0C0);
    const TTxtLblMode modes[] = {tlmPlain, tlmBoxed, tlmUnderlined, tlmShadowBox};
    for (int m = 0; m < 4; ++m) {
      const std::int32_t n =
          c->AddTextLabel(2.5, 8.5 - m * 2.2, PredefinedColor(m + 1), "mode " + std::to_string(m + 1), 0);
      TTextLabel& l = c->GetFTextLabel(n);
      l.SetTxtLblMode(modes[m]);
      l.SetTxtLblShadowDx(3);
      l.SetTxtLblShadowDy(3);
      l.SetTxtLblColorBkg(RGBColor(255, 250, 215));
      c->MarkAt(2.5, 8.5 - m * 2.2, 1);
    }
    const TAlignment al[] = {taLeftJustify, taCenter, taRightJustify};
    const TVerticalAlignment va[] = {taAlignTop, taVerticalCenter, taAlignBottom};
    for (int k = 0; k < 3; ++k) {
      const std::int32_t n = c->AddTextLabel(7.5, 8 - k * 3, clBlack, "two\nlines", 0);
      TTextLabel& l = c->GetFTextLabel(n);
      l.SetTxtLblMode(tlmBoxed);
      l.SetTxtLblAlignment(al[k]);
      l.SetTxtLblVertAlignment(va[k]);
      c->MarkAt(7.5, 8.0 - k * 3, 9);
    }
    const std::int32_t px = c->AddTextLabel(290, 222, clWhite, "at pixel (290, 222)", 0);
    c->GetFTextLabel(px).SetTxtLblScreenPos(tlaPixels);
    c->GetFTextLabel(px).SetTxtLblColorBkg(clNavy);
    ShowChart(page, *c, 5, 5);
  }
  {
    auto c = NewChart(395, 280);
    c->SetChartCaption("crosshairs: modes 1..5");
    SetRanges(*c, 1, 0, 10, 0, 10);
    c->SetDataCol(clGray);
    c->MoveTo(0.0, 0.0);
    for (int k = 1; k <= 50; ++k) c->DrawTo(k * 0.2, 5 + 4 * std::sin(k * 0.25));
    for (int k = 2; k <= 4; ++k) c->CrossHair(k).SetCrossHLayer(1);  // all on layer 1
    c->CrossHairSetup(1, clRed, chBoth, psDashDotDot, 1);
    c->CrossHairSetPos(1, 3, 6);
    c->CrossHairSetup(2, clBlue, chVert, psSolid, 3);
    c->CrossHairSetPos(2, 7.5, 0);
    c->CrossHairSetup(3, clGreen, chHoriz, psDash, 1);
    c->CrossHairSetPos(3, 0, 2.0);
    c->CrossHairSetup(4, clPurple, chSmallCross, psSolid, 1);
    c->CrossHairSetPos(4, 5, 8);
    ShowChart(page, *c, 405, 5);
    auto d = NewChart(395, 200);
    d->SetChartCaption("crosshair mode 5 (square) on a point");
    SetRanges(*d, 1, 0, 10, 0, 10);
    d->SetDataCol(clNavy);
    for (int k = 0; k < 10; ++k) d->MarkAt(0.5 + k, 2 + 0.7 * k, 21);
    d->CrossHairSetup(1, clRed, chSquare, psSolid, 1);
    d->CrossHairSetPos(1, 6.5, 6.2);
    ShowChart(page, *d, 405, 295);
  }
  PageTitle(page, 10, 300, "Text labels and crosshairs");
  {
    auto c = NewChart(395, 210);
    c->SetChartCaption("labels on layer 2 and transparent labels");
    c->SetStdLayout(rcl_X1Bottom_Y2Both);
    SetRanges(*c, 1, 0, 10, 0, 10);
    SetRanges(*c, 2, 0, 1, -1, 1);
    c->SetActiveLayer(2);
    c->SetDataCol(clRed);
    c->MoveTo(0.0, 0.0);
    for (int k = 1; k <= 40; ++k) c->DrawTo(k / 40.0, std::sin(k * 0.3) * std::exp(-k / 30.0));
    const std::int32_t a = c->AddTextLabel(0.25, 0.8, clRed, "layer 2 (0.25, 0.8)", 0);
    c->GetFTextLabel(a).SetTxtLblMode(tlmBoxed);
    c->SetActiveLayer(1);
    const std::int32_t b = c->AddTextLabel(7, 2, clBlack, "transparent, underlined", 0);
    c->GetFTextLabel(b).SetTxtLblMode(tlmUnderlined);
    c->GetFTextLabel(b).SetTxtLblTranspar(true);
    ShowChart(page, *c, 5, 330);
  }
}

// ---- Layers and logarithmic axes ----------------------------------------------------------

void DrawLayersPage(TCanvas& page) {
  ClearPage(page, 800, 600);
  {
    auto c = NewChart(395, 290);
    c->SetStdLayout(rcl_X1Bottom_Y2Both);
    c->SetChartCaption("layer 2 on its own axes");
    SetRanges(*c, 1, 0, 24, 0, 100);
    SetRanges(*c, 2, 0, 24, -10, 35);
    c->Scale1Y().SetCaption("%");
    c->Scale2Y().SetCaption("\xC2\xB0" "C");
    c->Scale2Y().SetMinTicks(6);
    c->Scale1X().SetCaption("hour");
    c->SetGridStyle(gsHorizDotLines);
    c->SetGridCol(0xC8C8C8);
    c->SetFillCol(RGBColor(150, 190, 255));
    for (int h = 0; h < 24; ++h) c->Rectangle(h + 0.15, 0.0, h + 0.85, 40 + 30 * std::sin(h * 0.4));
    c->SetActiveLayer(2);
    c->SetDataCol(clRed);
    c->SetLineWid(2);
    c->MoveTo(0.0, 5.0);
    for (int h = 1; h <= 24; ++h) c->DrawTo(double(h), 12 + 12 * std::sin((h - 6) * 0.26));
    c->SetActiveLayer(1);
    ShowChart(page, *c, 5, 5);
  }
  {
    auto c = NewChart(395, 290);
    c->SetChartCaption("logarithmic: frequency response");
    SetRanges(*c, 1, 10, 100000, 0.001, 2);
    c->Scale1X().SetLogarithmic(true);
    c->Scale1Y().SetLogarithmic(true);
    c->Scale1X().SetCaption("Hz");
    c->SetGridStyle(gsLines);
    c->SetGridDx(-1);
    c->SetGridDy(-1);
    c->SetGridCol(0xD0D0D0);
    c->SetDataCol(clBlue);
    c->SetLineWid(2);
    c->MoveTo(10.0, 1.0);
    for (int k = 1; k <= 200; ++k) {
      const double f = 10 * std::pow(10000.0, k / 200.0);
      const double g = 1 / std::sqrt(1 + std::pow(f / 1000, 4));
      c->DrawTo(f, g);
    }
    c->SetDataCol(clRed);
    c->SetLineWid(1);
    c->MarkAt(1000.0, 1 / std::sqrt(2.0), 21);
    c->Text(1000.0, 0.7071, 8, "-3 dB at 1 kHz", 8, 0, taLeftJustify);
    ShowChart(page, *c, 405, 5);
  }
  {
    auto c = NewChart(395, 270);
    c->SetChartCaption("reversed axes (depth profile)");
    SetRanges(*c, 1, 30, 0, 100, 0);  // x 30..0, y 100..0: both run backwards
    c->Scale1X().SetCaption("T [\xC2\xB0" "C]");
    c->Scale1Y().SetCaption("depth [m]");
    c->SetGridStyle(gsDotLines);
    c->SetGridCol(0xC8C8C8);
    c->SetDataCol(RGBColor(0, 110, 160));
    c->SetLineWid(2);
    c->MoveTo(24.0, 0.0);
    for (int d = 2; d <= 100; d += 2) c->DrawTo(6 + 18 / (1 + std::exp((d - 40) / 8.0)), double(d));
    c->SetLineWid(1);
    c->SetDataCol(clBlack);
    c->MarkErrorBar(15.0, 40.0, 3.0, 2.0, orHorizontal, 21);
    ShowChart(page, *c, 5, 305);
  }
  {
    auto c = NewChart(395, 270);
    c->SetChartCaption("log x: 1-2-5 grid; log y: every mantissa");
    SetRanges(*c, 1, 1, 500, 1, 50);
    c->Scale1X().SetLogarithmic(true);
    c->Scale1Y().SetLogarithmic(true);
    c->SetGridStyle(gsLines);
    c->SetGridDx(-2);
    c->SetGridDy(-3);
    c->SetGridCol(0xD8D8D8);
    c->SetDataCol(clPurple);
    for (int k = 0; k <= 12; ++k) {
      const double x = std::pow(500.0, k / 12.0);
      c->MarkAt(x, 1 + 0.1 * x, 23);
    }
    ShowChart(page, *c, 405, 305);
  }
  PageTitle(page, 10, 580, "Two layers, logarithmic axes with decade grids, reversed axes");
}

// ---- Ranges: isometric rule, joint layers, automatic ranging ------------------------------

// A unit circle and its axes, the usual test of an isometric view.
void UnitCircle(TDEvari& c) {
  c.SetGridStyle(gsDotLines);
  c.SetGridCol(0xC8C8C8);
  c.SetDataCol(RGBColor(0, 90, 180));
  c.SetLineWid(2);
  c.MoveTo(1.0, 0.0);
  for (int k = 1; k <= 120; ++k) c.DrawTo(std::cos(k * std::numbers::pi / 60), std::sin(k * std::numbers::pi / 60));
  c.SetLineWid(1);
  c.SetDataCol(clGray);
  c.Line(-1.0, 0.0, 1.0, 0.0);
  c.Line(0.0, -1.0, 0.0, 1.0);
}

void DrawRangesPage(TCanvas& page) {
  ClearPage(page, 800, 600);
  {
    auto c = NewChart(395, 290);
    c->SetChartCaption("the unit circle, free ranges");
    UnitCircle(*c);
    c->SetRange(1, -1.5, -1.5, 1.5, 1.5);
    ShowChart(page, *c, 5, 5);
  }
  {
    auto c = NewChart(395, 290);
    c->SetChartCaption("the same, isometric: Y follows X");
    UnitCircle(*c);
    c->SetRange(1, -1.5, -1.5, 1.5, 1.5);
    c->SetIsoMetric(true);
    ShowChart(page, *c, 405, 5);
  }
  {
    auto c = NewChart(395, 270);
    c->SetStdLayout(rcl_X1Bottom_Y2Both);
    c->SetChartCaption("layer 2 follows layer 1 in X");
    c->JointLayers().SetL02xControlledBy(1);
    c->Scale1Y().SetCaption("mV");
    c->Scale2Y().SetCaption("mA");
    c->SetDataCol(clBlue);
    c->MoveTo(0.0, 0.0);
    for (int k = 1; k <= 100; ++k) c->DrawTo(k * 0.1, 5 * std::sin(k * 0.12));
    c->SetActiveLayer(2);
    c->SetDataCol(clRed);
    c->MoveTo(0.0, 100.0);
    for (int k = 1; k <= 100; ++k) c->DrawTo(k * 0.1, 100 * std::exp(-k * 0.03));
    c->SetActiveLayer(1);
    c->SetRange(2, 0, 0, 10, 110);  // layer 2 keeps the X range of layer 1 ...
    c->SetRange(1, 2, -6, 8, 6);    // ... and moves with it
    ShowChart(page, *c, 5, 305);
  }
  {
    auto c = NewChart(395, 270);
    c->SetStdLayout(rcl_X1Bottom_Y2Both);
    c->SetChartCaption("AutoRange of both layers, 5 % margin");
    c->SetDataCol(RGBColor(0, 130, 60));
    for (int k = 0; k <= 40; ++k) c->MarkAt(k * 0.25, 3 + 2 * std::sin(k * 0.3), 21);
    c->SetActiveLayer(2);
    c->SetDataCol(clPurple);
    c->MoveTo(-1.0, 1000.0);
    for (int k = 1; k <= 40; ++k) c->DrawTo(-1 + k * 0.3, 1000 + 40 * k);
    c->SetActiveLayer(1);
    c->AutoRange(0, 5);
    ShowChart(page, *c, 405, 305);
  }
  PageTitle(page, 10, 580, "Ranges: the isometric rule, joint layers, automatic ranging");
}

// ---- The realistic chart ----------------------------------------------------------------

void DrawRealisticPage(TCanvas& page) {
  auto c = NewChart(800, 600);
  BuildRealisticChart(*c);
  ShowChart(page, *c, 0, 0);
}

// ---- Export ----------------------------------------------------------------------------

// The chart every export form on the page copies: coloured areas, a grid, a
// curve with marks, a text label and a crosshair.
std::unique_ptr<TDEvari> ExportSource() {
  auto c = NewChart(250, 180);
  c->SetChartCaption("export source");
  c->SetCaptAnchorX(cahChartLeft);
  c->SetCaptAlignment(taLeftJustify);
  c->SetWindCol(RGBColor(215, 230, 250));
  c->SetChartCol(RGBColor(255, 252, 230));
  c->SetRRim(12);
  c->SetTRim(18);
  c->SetLRim(40);
  c->SetBRim(30);
  c->SetGridStyle(gsDotLines);
  c->SetGridCol(RGBColor(150, 170, 200));
  SetRanges(*c, 1, 0, 10, -1.5, 1.5);
  c->SetDataCol(RGBColor(250, 190, 120));
  c->SetFillCol(RGBColor(250, 190, 120));
  c->Rectangle(6.0, -1.4, 9.5, -0.6);
  c->SetDataCol(clNavy);
  c->SetLineWid(2);
  c->MoveTo(0.0, 0.0);
  for (int k = 1; k <= 100; ++k) c->DrawTo(k * 0.1, std::sin(k * 0.1) * std::exp(-k * 0.01));
  c->SetLineWid(1);
  c->SetDataCol(clRed);
  for (int k = 1; k <= 9; ++k) c->MarkAt(double(k), std::sin(double(k)) * std::exp(-k * 0.1), 2);
  c->AddTextLabel(4.5, 1.2, clBlue, "label", 0);
  c->CrossHairSetup(1, clGreen, chBoth, psSolid, 1);
  c->CrossHairSetPos(1, 3.0, 0.2);
  return c;
}

// An exported bitmap on the page inside a grey frame (its whole extent),
// with its title above it.
void ShowExport(TCanvas& page, const TBitmap& bmp, int x, int y, const std::string& title) {
  PageTitle(page, x, y - 18, title);
  page.Pen().SetData({});
  page.Pen().SetColor(clGray);
  page.Brush().SetStyle(bsClear);
  page.Rectangle(x - 1, y - 1, x + bmp.Width() + 1, y + bmp.Height() + 1);
  page.Draw(x, y, bmp);
}

void DrawExportPage(TCanvas& page) {
  ClearPage(page, 800, 620);
  auto c = ExportSource();
  const int col[] = {10, 278, 546}, row[] = {26, 236, 426};
  {
    TBitmap b;
    c->CopyToBitmap(b, false);
    ShowExport(page, b, col[0], row[0], "CopyToBitmap");
  }
  {
    TBitmap b;
    c->CopyToBitmap(b, false, false);
    ShowExport(page, b, col[1], row[0], "CopyToBitmap, no crosshairs");
  }
  {
    TBitmap b;
    c->CopyToBitmap(b, true);
    ShowExport(page, b, col[2], row[0], "CopyToBitmap, black and white");
  }
  {
    TBitmap b;
    c->CopyToBitmapDAOnly(b, false);
    ShowExport(page, b, col[0], row[1], "CopyToBitmapDAOnly");
  }
  {
    TBitmap b;
    c->CopyToBitmapDAOnly(b, true, false);
    ShowExport(page, b, col[1], row[1], "DAOnly, b/w, no crosshairs");
  }
  {
    TBitmap b(240, 110);
    c->CopyToBitmap(b, false);
    ShowExport(page, b, col[2], row[1], "into 240 x 110: scaled to fit");
  }
  {
    TBitmap b(120, 130);
    c->CopyToBitmapDAOnly(b, true);
    ShowExport(page, b, col[1], row[2], "DAOnly into 120 x 130, b/w");
  }
  // The chart itself painted after all the exports: colours and crosshair
  // as before.
  PageTitle(page, col[0], row[2] - 18, "the chart afterwards");
  ShowChart(page, *c, col[0], row[2]);
}

}  // namespace

void BuildRealisticChart(TDEvari& c) {
  const bool keep = c.SuppressPaint();
  c.SetSuppressPaint(true);
  c.SetStdLayout(rcl_X1Bottom_Y2Both);
  c.SetRRim(60);
  c.SetLRim(60);
  c.SetTRim(34);
  c.SetChartCaption("Vibration test, run 17: acceleration and housing temperature");
  c.SetCaptAnchorX(cahChartCenter);
  c.SetCaptAlignment(taCenter);
  c.SetCaptPosY(-30);
  c.SetWindCol(RGBColor(236, 238, 242));
  c.SetChartCol(clWhite);
  c.SetGridStyle(gsDotLines);
  c.SetGridCol(RGBColor(190, 196, 206));
  SetRanges(c, 1, 0, 100, -4, 4);
  SetRanges(c, 2, 0, 100, 18, 42);
  c.Scale1X().SetCaption("time [s]");
  c.Scale1Y().SetCaption("a [g]");
  c.Scale2Y().SetCaption("T [\xC2\xB0" "C]");
  c.Scale1Y().SetColorScale(RGBColor(20, 60, 160));
  c.Scale1Y().Font().SetColor(RGBColor(20, 60, 160));
  c.Scale2Y().SetColorScale(RGBColor(190, 40, 30));
  c.Scale2Y().Font().SetColor(RGBColor(190, 40, 30));
  c.Scale1Y().SetMinTicks(9);
  c.Scale2Y().SetMinTicks(7);
  c.Scale1X().SetMinTicks(11);

  // Warm-up phase shaded in the background.
  TBakGndImg& b = c.BackGroundImg();
  b.SetBGAreaLeft(0);
  b.SetBGAreaRight(12);
  b.SetBGAreaColor(RGBColor(255, 244, 220));
  b.SetBGAreaMode(bamVStripe);

  // 10^5 samples: a drifting resonance with noise and an impact near 63 s.
  TNoise noise(17);
  const int n = 100000;
  c.SetDataCol(RGBColor(40, 90, 200));
  c.SetLineWid(1);
  std::vector<double> ys(n);
  for (int i = 0; i < n; ++i) {
    const double t = i * (100.0 / n);
    const double env = 0.6 + 0.5 * std::sin(t * 0.05) + (t > 63 ? 2.2 * std::exp(-(t - 63) * 1.3) : 0);
    ys[std::size_t(i)] = env * std::sin(t * 9.0) + 0.25 * noise.Normal();
    if (i == 0) c.MoveTo(t, ys[0]);
    else c.DrawTo(t, ys[std::size_t(i)]);
  }
  // Error bars every 1000 samples: mean and spread of the block.
  c.SetDataCol(RGBColor(10, 30, 90));
  for (int blk = 0; blk + 1000 <= n; blk += 1000) {
    double s = 0, s2 = 0;
    for (int i = blk; i < blk + 1000; ++i) {
      s += ys[std::size_t(i)];
      s2 += ys[std::size_t(i)] * ys[std::size_t(i)];
    }
    const double mean = s / 1000, sd = std::sqrt(std::max(0.0, s2 / 1000 - mean * mean));
    c.MarkErrorBar((blk + 500) * (100.0 / n), mean, sd, sd, orVertical, 5);
  }

  // Layer 2: temperature, a smooth curve with sparse readings.
  c.SetActiveLayer(2);
  c.SetDataCol(RGBColor(200, 40, 30));
  c.SetLineWid(2);
  c.MoveTo(0.0, 21.0);
  for (int k = 1; k <= 200; ++k) {
    const double t = k * 0.5;
    c.DrawTo(t, 21 + 15 * (1 - std::exp(-t / 30)) + 0.3 * std::sin(t * 0.4));
  }
  c.SetLineWid(1);
  c.SetFillCol(clWhite);
  for (int k = 10; k <= 100; k += 10) {
    const double t = k;
    c.MarkAt(t, 21 + 15 * (1 - std::exp(-t / 30)) + 0.3 * std::sin(t * 0.4), 23);
  }
  c.SetActiveLayer(1);

  // Annotations: the impact, the limit line and a note in pixels.
  c.SetAnnoMode(true);
  c.SetDataCol(RGBColor(200, 0, 0));
  c.SetFillCol(RGBColor(200, 0, 0));
  // The arrow points at the highest sample of the impact and the label
  // gives its time.
  int spike = int(63.0 * n / 100);
  for (int i = int(60.0 * n / 100); i < int(66.0 * n / 100); ++i)
    if (ys[std::size_t(i)] > ys[std::size_t(spike)]) spike = i;
  const double tSpike = spike * (100.0 / n), ySpike = ys[std::size_t(spike)];
  c.Arrow(72.0, 3.6, tSpike + 0.3, ySpike + 0.08, 10);
  c.SetFillCol(clWhite);
  c.SetTextBkStyle(tbSolid);
  char impact[40];
  std::snprintf(impact, sizeof impact, "impact at %.1f s", tSpike);
  c.Text(72.5, 3.6, 9, impact, 0, 0, taLeftJustify);
  c.SetTextBkStyle(tbClear);
  c.SetPenStyle(psDash);
  c.SetDataCol(RGBColor(230, 120, 0));
  c.CursorHoriz(3.0);
  c.CursorHoriz(-3.0);
  c.SetPenStyle(psSolid);
  c.SetDataCol(RGBColor(120, 90, 20));
  c.Text(6.0, -3.55, 8, "warm-up", 0, 0, taCenter);
  c.SetAnnoMode(false);

  // Labels and a crosshair on the peak.
  const std::int32_t l1 = c.AddTextLabel(93, 3.35, clBlack, "limit \xC2\xB1" "3 g", 0);
  c.GetFTextLabel(l1).SetTxtLblMode(tlmBoxed);
  const std::int32_t l2 = c.AddTextLabel(30, -3.4, RGBColor(20, 60, 160),
                                         "100000 samples\nerror bars: 1000-sample blocks", 0);
  c.GetFTextLabel(l2).SetTxtLblMode(tlmShadowBox);
  c.GetFTextLabel(l2).SetTxtLblShadowDx(3);
  c.GetFTextLabel(l2).SetTxtLblShadowDy(3);
  c.GetFTextLabel(l2).SetTxtLblColorBkg(RGBColor(250, 250, 240));
  c.CrossHairSetup(1, RGBColor(0, 150, 0), chVert, psDot, 1);
  c.CrossHairSetPos(1, tSpike, 0);
  c.SetSuppressPaint(keep);
}

// Long series: a million vertices appended in one call, seen whole and
// zoomed; 200000 marks; a live series appended in chunks with gaps.
void DrawLongSeriesPage(TCanvas& page) {
  ClearPage(page, 800, 600);
  std::mt19937 rng(2026);
  std::uniform_real_distribution<double> noise(-1.0, 1.0);
  std::vector<double> x(1000000), y(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = double(i) * 1e-4;  // 0 .. 100 s
    y[i] = std::sin(x[i] * 0.35) * (1 + 0.3 * std::sin(x[i] * 7)) + 0.12 * noise(rng) +
           (i % 250000 < 40 ? 1.5 : 0);  // four short bursts
  }
  for (int zoomed = 0; zoomed < 2; ++zoomed) {
    auto c = NewChart(395, 290);
    c->SetChartCaption(zoomed ? "the same, 1/100 of it (60 .. 61 s)" : "10^6 vertices in one call");
    c->SetDataCol(clNavy);
    c->AppendPolyline(x, y);
    if (zoomed) SetRanges(*c, 1, 60, 61, -2.2, 2.6);
    else SetRanges(*c, 1, 0, 100, -2.2, 2.6);
    ShowChart(page, *c, 5 + 400 * zoomed, 5);
  }
  {
    auto c = NewChart(395, 270);
    c->SetChartCaption("200000 marks");
    std::normal_distribution<double> g(0, 1);
    std::vector<double> mx(200000), my(mx.size());
    for (std::size_t i = 0; i < mx.size(); ++i) {
      const double r = g(rng);
      mx[i] = r + 0.3 * g(rng);
      my[i] = 0.8 * r + 0.5 * g(rng);
    }
    c->SetDataCol(RGBColor(0, 110, 60));
    c->AppendMarks(mx, my, 1);
    SetRanges(*c, 1, -4, 4, -4, 4);
    ShowChart(page, *c, 5, 305);
  }
  {
    auto c = NewChart(395, 270);
    c->SetChartCaption("live data in chunks, gaps where the sensor dropped out");
    c->SetDataCol(clMaroon);
    std::vector<double> cx(2000), cy(cx.size());
    for (int chunk = 0; chunk < 50; ++chunk) {
      if (chunk == 13 || chunk == 14 || chunk == 37) continue;  // the sensor was away
      for (std::size_t i = 0; i < cx.size(); ++i) {
        const double t = double(chunk * 2000 + int(i)) * 1e-3;
        cx[i] = t;
        cy[i] = 20 + 3 * std::sin(t * 0.4) + 0.4 * noise(rng);
      }
      if (chunk == 15 || chunk == 38) cy[0] = std::numeric_limits<double>::quiet_NaN();  // a gap
      c->AppendPolyline(cx, cy, chunk > 0);
    }
    SetRanges(*c, 1, 0, 100, 14, 26);
    ShowChart(page, *c, 405, 305);
  }
  PageTitle(page, 10, 580, "Long series: every vertex counts, only the pixels cost");
}

void AddChartPages(std::vector<Page>& pages) {
  pages.push_back({"chart-items", "Chart: item kinds", 800, 600, DrawItemsPage});
  pages.push_back({"chart-grids", "Chart: grid styles", 800, 600, DrawGridPage});
  pages.push_back({"chart-backgrounds", "Chart: background areas and images", 800, 600,
                   DrawBackgroundPage});
  pages.push_back({"chart-frames", "Chart: layouts, shadow, caption", 800, 600, DrawFramePage});
  pages.push_back({"chart-labels", "Chart: text labels and crosshairs", 800, 600, DrawLabelsPage});
  pages.push_back({"chart-layers", "Chart: two layers, logarithmic axes", 800, 600,
                   DrawLayersPage});
  pages.push_back({"chart-ranges", "Chart: isometric rule, joint layers, automatic ranging", 800,
                   600, DrawRangesPage});
  pages.push_back({"chart-realistic", "Chart: a measurement", 800, 600, DrawRealisticPage});
  pages.push_back({"chart-export", "Chart: export to bitmaps (whole, data area, black and white, other sizes)",
                   800, 620, DrawExportPage});
  pages.push_back({"chart-long", "Chart: long series (10^6 vertices, 200000 marks, live chunks)", 800,
                   600, DrawLongSeriesPage});
}

}  // namespace kvo::gallery
