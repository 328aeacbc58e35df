// A chart without a window: a damped oscillation with its envelope, an
// annotation and a crosshair, written as PNG, SVG and PDF.
//
//   headless_chart [output-folder]
#include <cmath>
#include <cstdio>
#include <string>

#include <kvo/devari/tdevari.h>

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  kvo::TDEvari chart;
  chart.SetBounds(0, 0, 640, 400);
  chart.SetChartCaption("Damped oscillation");
  chart.Scale1X().SetCaption("t [s]");
  chart.Scale1Y().SetCaption("x [mm]");
  chart.SetGridStyle(kvo::gsDotLines);
  chart.SetGridCol(0xC0C0C0);

  chart.SetDataCol(kvo::clNavy);
  chart.SetLineWid(2);
  chart.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 500; ++i) {
    const double t = i * 0.02;
    chart.DrawTo(t, 5 * std::exp(-0.3 * t) * std::sin(6 * t));
  }
  chart.SetDataCol(kvo::clRed);
  chart.SetLineWid(1);
  chart.SetPenStyle(kvo::psDash);
  chart.MoveTo(0.0, 5.0);
  for (int i = 1; i <= 100; ++i) chart.DrawTo(i * 0.1, 5 * std::exp(-0.03 * i));
  chart.SetPenStyle(kvo::psSolid);
  chart.SetDataCol(kvo::clBlack);
  chart.Text(2.0, 4.2, 9, "envelope 5 e^(-0.3 t)", 8, 0, kvo::taLeftJustify);
  chart.AutoRange(0, 5);
  chart.CrossHair(1).SetCrossHMode(kvo::chVert);
  chart.CrossHairSetPos(1, 5.0, 0.0);

  chart.CopyToBMP(dir + "/headless_chart.png", false);
  chart.CopyToWMF(dir + "/headless_chart.svg", false);
  chart.CopyToWMF(dir + "/headless_chart.pdf", false);
  std::printf("wrote %s/headless_chart.png, .svg and .pdf\n", dir.c_str());
  return 0;
}
