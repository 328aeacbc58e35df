// The contour plot: an analytic function as bilinear colour surface with its
// legend, the flat-cell modes, the contour dots, and the masks (hidden cells,
// palette colours, inverted cells).
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "apps/gallery/gallery.h"
#include "colorscale/colorscale.h"
#include "devari/contour/contour.h"
#include "platform/bitmap.h"

namespace kvo::gallery {

namespace {

void Title(TCanvas& c, int x, int y, const std::string& s) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetData({});
  c.Font().SetColor(clBlack);
  c.Font().SetSize(9);
  c.Font().SetStyle({fsBold});
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.TextOut(x, y, s);
  c.Font().SetStyle({});
}

void Clear(TCanvas& c, int w, int h) {
  c.Pen().SetData({});
  c.Brush().SetData({});
  c.Brush().SetColor(0xF4F4F4);
  c.Pen().SetColor(0xF4F4F4);
  c.Rectangle(0, 0, w, h);
}

std::unique_ptr<TContourPlot> NewPlot(int w, int h, int pivots) {
  auto p = std::make_unique<TContourPlot>();
  p->SetBounds(0, 0, w, h);
  p->SetMarginLeft(40);
  p->SetMarginRight(12);
  p->SetMarginTop(22);
  p->SetMarginBottom(30);
  p->SetPivotRes(pivots * 5);
  return p;
}

void Show(TCanvas& page, TContourPlot& p, int x, int y) {
  p.SetSuppressPaint(true);
  p.SetSuppressPaint(false);  // one full paint
  page.Draw(x, y, p.Surface());
}

void DrawModesPage(TCanvas& c) {
  Clear(c, 800, 600);
  struct TCase {
    const char* title;
    TContourPlotMode mode;
    int x, y;
  };
  const TCase cases[] = {
      {"cpmColorSurface: bilinear colours", cpmColorSurface, 5, 4},
      {"cpmColorSurfNoIp: one colour per cell", cpmColorSurfNoIp, 402, 4},
      {"cpmColorSurfNoIpTransp: cells below IsoLow left out", cpmColorSurfNoIpTransp, 5, 302},
      {"cpmDots: the levels as dots", cpmDots, 402, 302},
  };
  for (const TCase& k : cases) {
    Title(c, k.x + 3, k.y, k.title);
    auto p = NewPlot(392, 276, 40);
    BuildContourDemo(*p);
    p->SetPlotMode(k.mode);
    if (k.mode == cpmColorSurfNoIpTransp) p->SetIsoLow(-2);
    if (k.mode == cpmDots) p->SetPivotRes(300);
    p->SetCaption("");
    Show(c, *p, k.x, k.y + 16);
  }
}

void DrawSurfacePage(TCanvas& c) {
  Clear(c, 800, 600);
  Title(c, 8, 4, "Peaks on 120 x 90 pivots, legend attached, items and a label on top");
  auto p = NewPlot(660, 570, 120);
  TColorScale legend;
  legend.SetSuppressPaint(true);
  legend.SetBounds(0, 0, 118, 570);
  legend.SetOrientation(csoVertical);
  legend.SetMarginLeft(12);
  legend.SetMarginRight(62);
  legend.SetMarginTop(30);
  legend.SetMarginBottom(30);
  legend.SetCaption("z");
  legend.SetCaptionPosX(14);
  legend.SetCaptionPosY(6);
  legend.CrossHair().SetMode(chOff);
  p->SetAttachedColorScale(&legend);
  BuildContourDemo(*p);
  // Items over the surface: the two maxima marked, a path between them.
  p->SetDataCol(clWhite);
  p->SetLineWid(2);
  p->MoveTo(-0.05, 1.6);
  p->DrawTo(1.3, 0.0);
  p->DrawTo(-0.46, -0.63);
  p->SetLineWid(1);
  p->SetDataCol(clBlack);
  p->SetFillCol(clWhite);
  p->MarkAt(-0.05, 1.6, 5);
  p->MarkAt(-0.46, -0.63, 5);
  p->AddTextLabel(-0.05, 1.75, clBlack, "maximum 8.1", 0);
  Show(c, *p, 5, 22);
  p->SetAttachedColorScale(nullptr);
  TBitmap b;
  legend.CopyToBitMap(&b, -1, -1);
  c.Draw(672, 22, b);
}

void DrawMaskPage(TCanvas& c) {
  Clear(c, 800, 600);
  {
    Title(c, 8, 4, "Mask 1 outside a disc: the background shows");
    auto p = NewPlot(392, 290, 60);
    BuildContourDemo(*p);
    p->SetCaption("");
    auto inner = p->OnEstimateZVal;
    p->OnEstimateZVal = [inner](TObject* s, double x, double y, std::int32_t i, std::int32_t j, double& z,
                                std::uint8_t& m) {
      inner(s, x, y, i, j, z, m);
      m = x * x + y * y > 7.5 ? 1 : 0;
    };
    Show(c, *p, 5, 20);
  }
  {
    Title(c, 405, 4, "Masks 2..17: palette colours; 255: inverted");
    auto p = NewPlot(392, 290, 24);
    BuildContourDemo(*p);
    p->SetCaption("");
    p->OnEstimateZVal = [](TObject*, double x, double y, std::int32_t i, std::int32_t j, double& z,
                           std::uint8_t& m) {
      z = std::sin(x) * std::cos(y) * 3;
      m = 0;
      if (j == 3 && i >= 3 && i <= 18) m = std::uint8_t(i - 1);      // palette 2..17
      if (i >= 8 && i <= 15 && j >= 10 && j <= 14) m = 255;          // inverted block
    };
    Show(c, *p, 402, 20);
  }
  {
    Title(c, 8, 314, "Flat cells with a mask ring (7) and percentiles");
    auto p = NewPlot(392, 280, 30);
    BuildContourDemo(*p);
    p->SetPlotMode(cpmColorSurfNoIp);
    p->OnEstimateZVal = [](TObject*, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t& m) {
      const double r = std::sqrt(x * x + y * y);
      z = std::cos(2 * r) * 3;
      m = (r > 1.6 && r < 1.9) ? 7 : 0;
    };
    p->CalculatePivotPoints(true);
    char buf[80];
    std::snprintf(buf, sizeof buf, "median %.2f, unmasked median %.2f", p->PercentilePivots(50),
                  p->PercentilePivots(50, true));
    p->SetCaption(buf);
    Show(c, *p, 5, 330);
  }
  {
    Title(c, 405, 314, "Monochrome dots, dense sampling");
    auto p = NewPlot(392, 280, 50);
    BuildContourDemo(*p);
    p->SetCaption("");
    p->SetPlotMode(cpmMonoDots);
    p->IsoColors.SetColorElem(1, clNavy);
    p->SetIsoDist(0.5);
    Show(c, *p, 402, 330);
  }
}

}  // namespace

void BuildContourDemo(TContourPlot& plot) {
  const bool keep = plot.SuppressPaint();
  plot.SetSuppressPaint(true);
  plot.SetCaption("z = peaks(x, y)");
  plot.SetRange(-3, -3, 3, 3);
  plot.IsoColors.FillDefault();
  plot.SetIsoParams(-6.5, 8.5, 0.75);
  plot.OnEstimateZVal = [](TObject*, double x, double y, std::int32_t, std::int32_t, double& z,
                           std::uint8_t&) {
    z = 3 * (1 - x) * (1 - x) * std::exp(-x * x - (y + 1) * (y + 1)) -
        10 * (x / 5 - x * x * x - std::pow(y, 5)) * std::exp(-x * x - y * y) -
        std::exp(-(x + 1) * (x + 1) - y * y) / 3;
  };
  plot.SetSuppressPaint(keep);
}

void AddContourPages(std::vector<Page>& pages) {
  pages.push_back({"contour-surface", "Contour plot: colour surface with legend and items", 800, 600, DrawSurfacePage});
  pages.push_back({"contour-modes", "Contour plot: the rendering modes", 800, 600, DrawModesPage});
  pages.push_back({"contour-masks", "Contour plot: masks, flat cells, dots", 800, 600, DrawMaskPage});
}

}  // namespace kvo::gallery
