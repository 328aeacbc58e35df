// Core only (find_package(kvo) without Qt): paints a chart into its bitmap.
#include <cstdio>

#include "chart_scene.h"

int main() {
  consumer::TChart chart;
  consumer::BuildScene(chart);
  chart.SetSuppressPaint(true);
  chart.SetSuppressPaint(false);  // paints once
  const int red = consumer::CountRed(chart.Surface());
  std::printf("consumer: %d items, %d red pixels\n", static_cast<int>(chart.NumItems()), red);
  return chart.NumItems() == 2 && red > 100 ? 0 : 1;
}
