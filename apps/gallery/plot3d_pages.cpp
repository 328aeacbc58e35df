// The 3D surface plot: one page per mesh kind, per colour coding, a page of
// view angles and one of the bounding cube's styles. Every plot is drawn
// with TPlot3D::RenderPicture, the drawing its exports use, so the vector
// pages (SVG, PDF) show the surface as polygons.
#include <cmath>
#include <memory>
#include <string>

#include "apps/gallery/gallery.h"
#include "plot3d/plot3d.h"

namespace kvo::gallery {

namespace {

struct TSurfaceFunction {
  const char* Name;
  double Lo, Hi;      // x and y domain
  double ZLo, ZHi;    // value range of the z axis and the colour scale
  double (*F)(double x, double y);
};

double Sombrero(double x, double y) {
  const double r = std::sqrt(x * x + y * y);
  return r < 1e-9 ? 1.0 : std::sin(r) / r;
}
double Saddle(double x, double y) { return x * x - y * y; }
double Peaks(double x, double y) {
  return 3 * (1 - x) * (1 - x) * std::exp(-x * x - (y + 1) * (y + 1)) -
         10 * (x / 5 - x * x * x - std::pow(y, 5)) * std::exp(-x * x - y * y) -
         std::exp(-(x + 1) * (x + 1) - y * y) / 3;
}
double Ripple(double x, double y) {
  const double r = std::sqrt(x * x + y * y);
  return std::cos(2.5 * r) * std::exp(-0.25 * r);
}

constexpr TSurfaceFunction kFunctions[] = {
    {"Sombrero", -10, 10, -0.4, 1.0, Sombrero},
    {"Saddle", -1, 1, -1, 1, Saddle},
    {"Peaks", -3, 3, -8, 8, Peaks},
    {"Ripple", -6, 6, -1, 1, Ripple},
};

// A plot of the given size showing function `which` on an n x n grid.
std::unique_ptr<TPlot3D> NewPlot(int w, int h, int which, int n) {
  auto p = std::make_unique<TPlot3D>();
  p->SetBounds(0, 0, w, h);
  FillPlot3DFunction(*p, which, n);
  return p;
}

Page PlotPage(const std::string& id, const std::string& title, int which, int n,
              void (*configure)(TPlot3D&)) {
  Page page;
  page.Id = id;
  page.Title = title;
  page.Vector = true;
  page.Draw = [which, n, configure](TCanvas& c) {
    auto p = NewPlot(800, 600, which, n);
    if (configure) configure(*p);
    p->RenderPicture(c, 0, 0, 1, false, true);
  };
  return page;
}

// Several small plots on one page, each with its own settings and a title.
struct TPanel {
  const char* Title;
  void (*Configure)(TPlot3D&);
};

void DrawPanels(TCanvas& c, int which, int n, const TPanel* panels, int count, int columns) {
  c.Brush().SetData(TBrushData{clWhite, bsSolid});
  c.Pen().SetData(TPenData{clWhite, psSolid, 1, pmCopy});
  c.Rectangle(0, 0, 800, 600);
  const int rows = (count + columns - 1) / columns;
  const int w = 800 / columns, h = 600 / rows;
  for (int i = 0; i < count; ++i) {
    auto p = NewPlot(w, h, which, n);
    p->SetMagnification(std::min(w / 580.0, h / 550.0));
    panels[i].Configure(*p);
    const int x = (i % columns) * w, y = (i / columns) * h;
    p->RenderPicture(c, x, y, 1, false, true);  // clipped to its panel
    c.Font().SetStyle({fsBold});
    c.Font().SetSize(9);
    c.Font().SetColor(clNavy);
    c.Brush().SetStyle(bsClear);
    c.TextOut(x + 8, y + 6, panels[i].Title);
    c.Font().SetStyle({});
  }
}

}  // namespace

int Plot3DFunctionCount() { return int(std::size(kFunctions)); }

const char* Plot3DFunctionName(int which) {
  if (which < 0 || which >= Plot3DFunctionCount()) which = 0;
  return kFunctions[which].Name;
}

void FillPlot3DFunction(TPlot3D& plot, int which, int n) {
  if (which < 0 || which >= Plot3DFunctionCount()) which = 0;
  if (n < 2) n = 2;
  const TSurfaceFunction& f = kFunctions[which];
  TPlot3D::TUpdate update(plot);
  plot.GridMat.BeginUpdate();
  plot.GridMat.Resize(n, n);
  for (int ix = 1; ix <= n; ++ix)
    for (int iy = 1; iy <= n; ++iy) {
      const double x = f.Lo + (f.Hi - f.Lo) * (ix - 1) / (n - 1);
      const double y = f.Lo + (f.Hi - f.Lo) * (iy - 1) / (n - 1);
      plot.GridMat.SetVal(ix, iy, f.F(x, y));
    }
  plot.GridMat.EndUpdate();
  plot.SetRange(f.Lo, f.Hi, f.Lo, f.Hi, f.ZLo, f.ZHi);
  plot.SetColorScaleHigh(f.ZHi);
  plot.SetColorScaleLow(f.ZLo);
  plot.SetColorScaleHigh(f.ZHi);
}

void AddPlot3DPages(std::vector<Page>& pages) {
  pages.push_back(PlotPage("plot3d-mesh", "3D surface: mesh, two colours (sombrero)", 0, 41,
                           [](TPlot3D&) {}));
  pages.push_back(PlotPage("plot3d-waterfall-horz", "3D surface: horizontal waterfall (peaks)", 2, 41,
                           [](TPlot3D& p) {
                             p.SetMeshKind(mkWaterfallHorz);
                             p.SetColorCodingMode(ccmThreeColors);
                             p.SetColorHigh(clRed);
                             p.SetColorMid(clWhite);
                             p.SetColorLow(clBlue);
                           }));
  pages.push_back(PlotPage("plot3d-waterfall-vert", "3D surface: vertical waterfall (peaks)", 2, 41,
                           [](TPlot3D& p) {
                             p.SetMeshKind(mkWaterfallVert);
                             p.SetViewAngles(50, 120);
                           }));
  pages.push_back(PlotPage("plot3d-waterfall-diag", "3D surface: diagonal waterfall (saddle)", 1, 25,
                           [](TPlot3D& p) {
                             p.SetMeshKind(mkWaterfallDiag);
                             p.SetColorCodingMode(ccmColorArray);
                             p.IsoColors.FillDefault();
                             p.SetViewAngles(55, 35);
                           }));
  pages.push_back(PlotPage("plot3d-grid", "3D surface: grid dots, colour by cell mean (ripple)", 3, 61,
                           [](TPlot3D& p) {
                             p.SetMeshKind(mkGrid);
                             p.SetColorCodeAvg(true);
                             p.SetColorCodingMode(ccmColorArray);
                             p.IsoColors.FillDefault();
                             p.SetColorMesh(clBlack);
                           }));
  pages.push_back(PlotPage("plot3d-mesh-hidden", "3D surface: cells without mesh lines (peaks)", 2, 81,
                           [](TPlot3D& p) {
                             p.SetMeshVisible(false);
                             p.SetColorCodingMode(ccmColorArray);
                             p.IsoColors.FillDefault();
                             p.SetViewAngles(40, 225);
                             p.SetMagnification(1.1);
                           }));

  Page colors;
  colors.Id = "plot3d-colors";
  colors.Title = "3D surface: the colour codings (two, three colours, colour table, by mean)";
  colors.Draw = [](TCanvas& c) {
    static const TPanel panels[] = {
        {"Two colours", [](TPlot3D&) {}},
        {"Three colours", [](TPlot3D& p) {
           p.SetColorCodingMode(ccmThreeColors);
           p.SetColorLow(clNavy);
           p.SetColorMid(clLime);
           p.SetColorHigh(clRed);
         }},
        {"Colour table", [](TPlot3D& p) {
           p.SetColorCodingMode(ccmColorArray);
           p.IsoColors.FillDefault();
         }},
        {"Colour table, cell mean", [](TPlot3D& p) {
           p.SetColorCodingMode(ccmColorArray);
           p.IsoColors.SetSize(10);
           p.IsoColors.FillByInterpolation(cipSteps, {clNavy, clTeal, clLime, clYellow, clRed});
           p.SetColorCodeAvg(true);
         }},
    };
    DrawPanels(c, 2, 31, panels, 4, 2);
  };
  pages.push_back(colors);

  Page views;
  views.Id = "plot3d-views";
  views.Title = "3D surface: view angles (tilt / turn)";
  views.Draw = [](TCanvas& c) {
    static const TPanel panels[] = {
        {"60 / 15", [](TPlot3D&) {}},
        {"66 / 135", [](TPlot3D& p) { p.SetViewAngles(66, 135); }},
        {"30 / 250", [](TPlot3D& p) { p.SetViewAngles(30, 250); }},
        {"80 / 320", [](TPlot3D& p) { p.SetViewAngles(80, 320); }},
        {"120 / 40 (from below)", [](TPlot3D& p) { p.SetViewAngles(120, 40); }},
        {"0 / 0 (from above)", [](TPlot3D& p) { p.SetViewAngles(0, 0); }},
    };
    DrawPanels(c, 2, 25, panels, 6, 3);
  };
  pages.push_back(views);

  Page cube;
  cube.Id = "plot3d-cube";
  cube.Title = "3D surface: bounding cube none, edges, shaded faces; axes and captions";
  cube.Draw = [](TCanvas& c) {
    static const TPanel panels[] = {
        {"No cube", [](TPlot3D& p) { p.SetBoundBoxStyle(bbNone); }},
        {"Edges", [](TPlot3D& p) { p.SetBoundBoxStyle(bbEdges); }},
        {"Shaded faces", [](TPlot3D&) {}},
        {"Faces, stretched z, captions", [](TPlot3D& p) {
           p.SetScaleFactZ(0.6);
           p.SetCaptionX("Time [s]");
           p.SetCaptionY("Offset [mm]");
           p.SetCaptionZ("Level");
           p.SetColorCubeFaceLow(0xE0C8B0);
           p.SetColorCubeFaceHigh(0xFFF4E8);
         }},
    };
    DrawPanels(c, 0, 25, panels, 4, 2);
  };
  pages.push_back(cube);
}

}  // namespace kvo::gallery
