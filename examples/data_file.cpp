// Saving a chart's display list and loading it into another chart: the
// second chart shows the same items and writes them as a PNG picture.
//
//   data_file [output-folder]
#include <cmath>
#include <cstdio>
#include <string>

#include <kvo/devari/tdevari.h>

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string file = dir + "/measurement.dat";
  {
    kvo::TDEvari source;
    source.SetDataCol(kvo::clRed);
    source.MoveTo(0.0, 0.0);
    for (int i = 1; i <= 200; ++i) source.DrawTo(i * 0.05, std::sin(i * 0.05) * std::exp(-i * 0.01));
    source.SetDataCol(kvo::clBlack);
    source.Text(5.0, 0.8, 9, "saved with SaveData");
    source.SaveData(file);  // throws kvo::EKvoError naming the file on failure
  }
  kvo::TDEvari chart;
  chart.SetBounds(0, 0, 480, 320);
  const std::int32_t n = chart.LoadData(file, false);  // -1: damaged, -2: an annotation file
  if (n < 0) {
    std::fprintf(stderr, "could not load %s (%d)\n", file.c_str(), n);
    return 1;
  }
  chart.SetChartCaption("Loaded from measurement.dat");
  chart.AutoRange(0, 5);
  chart.CopyToBMP(dir + "/data_file.png", false);
  std::printf("loaded %d items, text \"%s\", wrote %s/data_file.png\n", n,
              chart.GetDataLongText(chart.NumItems() - 1).c_str(), dir.c_str());
  return n == 202 ? 0 : 1;
}
