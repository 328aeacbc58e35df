// Draws a chart with one line into a bitmap and checks that pixels changed.
#include <cstdio>

#include "devari/tdevari.h"
#include "platform/bitmap.h"

int main() {
  kvo::TBitmap bmp(64, 48);
  bmp.Fill(kvo::clWhite);
  bmp.Canvas().Pen().SetColor(kvo::clBlack);
  bmp.Canvas().MoveTo(0, 10);
  bmp.Canvas().LineTo(64, 10);
  const kvo::TRGB32 px = bmp.ScanLine(10)[5];
  if (px.R != 0 || px.G != 0 || px.B != 0) {
    std::puts("consumer: line missing");
    return 1;
  }
  kvo::TDEvari chart;
  chart.MoveTo(0.0, 0.0);
  chart.DrawTo(1.0, 1.0);
  std::printf("consumer: ok, %d items\n", static_cast<int>(chart.NumItems()));
  return chart.NumItems() == 2 ? 0 : 1;
}
