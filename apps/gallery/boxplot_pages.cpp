// The box plot: one page of its figure options (orientations, percentiles,
// marks, grids, the colour event, label placement) and one of a large table
// (20 columns of 1000 samples), built as an application would.
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "apps/gallery/gallery.h"
#include "boxplot/boxplot.h"
#include "devari/scaleprops.h"

namespace kvo::gallery {

namespace {

// Deterministic deviates (the same pictures on every machine).
class TSampler {
public:
  explicit TSampler(std::uint32_t seed) : FGen(seed) {}
  double Uniform() { return (double(FGen()) + 0.5) / 4294967296.0; }
  double Normal() {
    const double u1 = Uniform(), u2 = Uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
  }

private:
  std::mt19937 FGen;
};

std::unique_ptr<TBoxPlot> NewPlot(int w, int h) {
  auto p = std::make_unique<TBoxPlot>();
  p->SetBounds(0, 0, w, h);
  return p;
}

// Five runs of a process: normal, wider, skewed, bimodal, with outliers.
void FillProcessRuns(TDataTable& t, int rows) {
  static const char* const kNames[] = {"Run A", "Run B", "Skewed", "Bimodal", "Outliers"};
  TSampler s(5);
  t.BeginUpdate();
  t.Resize(5, rows);
  for (int r = 1; r <= rows; ++r) {
    t.SetElem(1, r, 10 + 1.0 * s.Normal());
    t.SetElem(2, r, 11 + 2.0 * s.Normal());
    t.SetElem(3, r, 7 + std::exp(0.6 * s.Normal()) * 2.0);
    t.SetElem(4, r, (s.Uniform() < 0.5 ? 8 : 13) + 0.8 * s.Normal());
    t.SetElem(5, r, 10 + 0.7 * s.Normal() + (s.Uniform() < 0.04 ? 6 * s.Normal() : 0));
  }
  for (int j = 1; j <= 5; ++j) t.SetColName(j, kNames[j - 1]);
  t.EndUpdate();
}

void DrawOptionsPage(TCanvas& c) {
  ClearPage(c, 800, 600);
  const int W = 390, H = 280;
  {
    PageTitle(c, 8, 4, "Defaults: median line, mean mark, extremes");
    auto p = NewPlot(W, H);
    FillProcessRuns(p->Data(), 200);
    p->SetCaption("Process runs");
    p->AutoRange(15);
    ShowChart(c, *p, 5, 20);
  }
  {
    PageTitle(c, 408, 4, "10th/90th percentiles, dotted grid, wide boxes");
    auto p = NewPlot(W, H);
    FillProcessRuns(p->Data(), 200);
    p->SetCaption("Percentiles");
    p->SetShow90Perc(true);
    p->SetGridStyle(bpgsDotLines);
    p->SetBoxWidth(0.8);
    p->SetColorBody(0xF0D8B0);
    p->SetSymbolMean(0);
    p->SetColorMean(0x2020D0);
    p->Labels().SetPosition(-6);  // labels at the top
    p->AutoRange(15);
    ShowChart(c, *p, 405, 20);
  }
  {
    PageTitle(c, 8, 304, "Horizontal, percentile marks, grid lines");
    auto p = NewPlot(W, H);
    FillProcessRuns(p->Data(), 200);
    p->SetCaption("Horizontal");
    p->SetMarginLeft(12);
    p->SetOrientation(bpltHorizontal);
    p->SetShow90Perc(true);
    p->SetSymbol90Perc(3);
    p->SetGridStyle(bpgsLines);
    p->SetGridColor(0xD0D0D0);
    p->AutoRange(15);
    ShowChart(c, *p, 5, 320);
  }
  {
    PageTitle(c, 408, 304, "Colour event: boxes past the limit in red");
    auto p = NewPlot(W, H);
    FillProcessRuns(p->Data(), 200);
    p->SetCaption("Limit 12");
    p->SetShowMinMax(false);
    p->SetSymbolMedian(8);
    p->SetColorMedian(0x008000);
    p->Labels().SetColorBkg(0xFFFFE0);
    p->Labels().SetMode(tlmBoxed);
    TBoxPlot* plot = p.get();
    p->OnBeforeBoxDraw = [plot](TObject*, std::int32_t col, TColor& lines, TColor& body, TColor&,
                                TColor&, TColor&, TColor&) {
      if (plot->Stats(col).Q3 > 12) {
        body = 0x9090FF;
        lines = 0x0000A0;
      }
    };
    p->AutoRange(15);
    ShowChart(c, *p, 405, 320);
  }
}

void DrawTablePage(TCanvas& c) {
  ClearPage(c, 800, 600);
  PageTitle(c, 8, 4, "20 channels x 1000 samples, automatic range");
  auto p = NewPlot(790, 570);
  FillBoxPlotTable(p->Data(), 20, 1000);
  p->SetCaption("Channel noise");
  p->SetShow90Perc(true);
  p->SetGridStyle(bpgsDotLines);
  p->SetGridColor(0xB0B0B0);
  p->Labels().SetMode(tlmPlain);
  p->Labels().SetColorBkg(clWhite);
  p->AutoRange(10);
  ShowChart(c, *p, 5, 22);
}

}  // namespace

void FillBoxPlotTable(TDataTable& table, int columns, int rows) {
  TSampler s(20);
  table.BeginUpdate();
  table.Resize(columns, rows);
  for (int j = 1; j <= columns; ++j) {
    const double centre = 5 * std::sin(j * 0.45), spread = 0.6 + 0.12 * (j % 7);
    for (int r = 1; r <= rows; ++r) {
      double v = centre + spread * s.Normal();
      if (j % 4 == 0) v += 0.9 * spread * std::fabs(s.Normal());  // a skewed channel
      table.SetElem(j, r, v);
    }
    table.SetColName(j, "Ch" + std::to_string(j));
  }
  table.EndUpdate();
}

void BuildBoxPlotDemo(TBoxPlot& plot) {
  const bool keep = plot.SuppressPaint();
  plot.SetSuppressPaint(true);
  FillBoxPlotTable(plot.Data(), 20, 1000);
  plot.SetCaption("20 channels x 1000 samples");
  plot.SetShow90Perc(true);
  plot.SetGridStyle(bpgsDotLines);
  plot.SetGridColor(0xB0B0B0);
  plot.Labels().SetMode(tlmPlain);
  plot.Labels().SetColorBkg(clWhite);
  plot.AutoRange(10);
  plot.SetSuppressPaint(keep);
}

void AddBoxPlotPages(std::vector<Page>& pages) {
  pages.push_back({"boxplot-options", "Box plot: orientations, percentiles, marks, colour event",
                   800, 600, DrawOptionsPage});
  pages.push_back({"boxplot-table", "Box plot: 20 columns of 1000 samples", 800, 600,
                   DrawTablePage});
}

}  // namespace kvo::gallery
