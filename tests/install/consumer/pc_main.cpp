// Built with nothing but `pkg-config --cflags --libs kvo`: renders a chart
// and writes it as PNG to the path given, then reads it back and checks it.
#include <cstdio>
#include <exception>

#include "chart_scene.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: consumer_pc FILE.png\n");
    return 2;
  }
  try {
    consumer::TChart chart;
    consumer::BuildScene(chart);
    chart.SetSuppressPaint(true);
    chart.SetSuppressPaint(false);  // paints once
    chart.Surface().SaveToFile(argv[1]);
    kvo::TBitmap back;
    back.LoadFromFile(argv[1]);
    const int red = consumer::CountRed(back);
    std::printf("consumer_pc: %dx%d, %d red pixels\n", back.Width(), back.Height(), red);
    return back.Width() == 320 && back.Height() == 240 && red > 100 ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "consumer_pc: %s\n", e.what());
    return 1;
  }
}
