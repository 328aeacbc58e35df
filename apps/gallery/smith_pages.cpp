// The Smith chart: the impedance grid at three sizes (labels follow the size
// of the disc), colours, and a measured-looking reflection sweep with
// markers and a zoomed view.
#include <cmath>
#include <complex>
#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "apps/gallery/gallery.h"
#include "devari/smith/smith.h"
#include "devari/textlabel.h"

namespace kvo::gallery {

namespace {

std::unique_ptr<TSmithChart> NewSmith(int w, int h) {
  auto s = std::make_unique<TSmithChart>();
  s->SetBounds(0, 0, w, h);
  s->SetMarginLeft(8);
  s->SetMarginRight(8);
  s->SetMarginBottom(8);
  s->SetMarginTop(18);
  s->SetRange(-1.1, -1.1, 1.1, 1.1);
  return s;
}

void DrawGridPage(TCanvas& c) {
  ClearPage(c, 800, 600);
  {
    PageTitle(c, 8, 4, "Unit circle 250 px: main labels only");
    auto s = NewSmith(300, 290);
    s->SetCaption("Smith chart");
    ShowChart(c, *s, 5, 22);
  }
  {
    PageTitle(c, 318, 4, "About 440 px: more labels; own colours");
    auto s = NewSmith(470, 520);
    s->SetCaption("Admittance colours");
    s->SetDiagramColor(0xFFF2E6);
    s->SetGridColorDark(0xA05020);
    s->SetGridColorLight(0xE8C8A8);
    s->SetChartColor(0xFAFAFA);
    s->Font().SetColor(0x703010);
    ShowChart(c, *s, 318, 22);
  }
  {
    PageTitle(c, 8, 316, "Zoomed near the centre");
    auto s = NewSmith(300, 270);
    s->SetCaption("x 4");
    s->SetRange(-0.3, -0.3, 0.3, 0.3);
    ShowChart(c, *s, 5, 334);
  }
}

void DrawSweepPage(TCanvas& c) {
  ClearPage(c, 800, 600);
  {
    PageTitle(c, 8, 4, "Antenna match, 1.5 - 3.5 GHz, 301 points");
    auto s = NewSmith(520, 570);
    BuildSmithSweep(*s);
    ShowChart(c, *s, 5, 22);
  }
  {
    PageTitle(c, 538, 4, "Fitted to the sweep");
    auto s = NewSmith(255, 280);
    BuildSmithSweep(*s);
    s->SetCaption("AutoRange (5 %)");
    s->AutoRange(5);
    ShowChart(c, *s, 538, 22);
  }
}

}  // namespace

void BuildSmithSweep(TSmithChart& chart) {
  const bool keep = chart.SuppressPaint();
  chart.SetSuppressPaint(true);
  chart.ClearGraf();
  chart.SetCaption("S11 of a patch antenna");
  // A series resonator (R, L, C) behind a short line, normalised to 50 ohm,
  // with a little measurement noise.
  std::mt19937 gen(11);
  std::normal_distribution<double> noise(0, 0.004);
  const double R = 38, L = 6.5e-9, C = 0.62e-12, tau = 0.09e-9;
  const int n = 301;
  chart.SetDataCol(0xB03000);
  chart.SetLineWid(2);
  double bestMag = 2;
  double bestU = 0, bestV = 0, bestF = 0;
  for (int i = 0; i < n; ++i) {
    const double f = 1.5e9 + 2e9 * i / (n - 1), w = 2 * 3.141592653589793 * f;
    const std::complex<double> z(R / 50, (w * L - 1 / (w * C)) / 50);
    std::complex<double> g = (z - 1.0) / (z + 1.0);
    g *= std::polar(1.0, -2 * w * tau);
    g += std::complex<double>(noise(gen), noise(gen));
    if (i == 0) chart.MoveTo(g.real(), g.imag());
    else chart.DrawTo(g.real(), g.imag());
    if (std::abs(g) < bestMag) {
      bestMag = std::abs(g);
      bestU = g.real();
      bestV = g.imag();
      bestF = f;
    }
  }
  chart.SetLineWid(1);
  // Markers at the ends and at the best match.
  chart.SetDataCol(clBlack);
  chart.SetFillCol(clYellow);
  chart.MarkAt(bestU, bestV, 5);
  char text[64];
  std::snprintf(text, sizeof text, "%.3f GHz, |S11| %.2f", bestF / 1e9, bestMag);
  // The label just below the marker.
  const std::int32_t lb = chart.AddTextLabel(bestU, bestV, clBlack, text, 0);
  if (lb > 0) chart.TextLabels(lb).SetVerticalAlignment(taAlignTop);
  if (lb > 0) chart.TextLabels(lb).SetPosY(bestV - 0.03);
  chart.SetSuppressPaint(keep);
}

void AddSmithPages(std::vector<Page>& pages) {
  pages.push_back({"smith-grid", "Smith chart: grid sizes, colours, zoom", 800, 600, DrawGridPage});
  pages.push_back({"smith-sweep", "Smith chart: a reflection sweep", 800, 600, DrawSweepPage});
}

}  // namespace kvo::gallery
