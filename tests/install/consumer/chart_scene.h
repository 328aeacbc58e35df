// The chart every consumer shows: a red diagonal line across the data area,
// and a check that the line reached the picture.
#pragma once

#include <kvo/devari/tdevari.h>
#include <kvo/platform/bitmap.h>

#include <array>
#include <cstdint>

namespace consumer {

// The chart type a user places in a window.
using TChart = kvo::TDEvari;

inline void BuildScene(TChart& chart) {
  chart.SetBounds(0, 0, 320, 240);
  chart.SetDataColor(kvo::clRed);
  chart.SetLineWidth(3);
  chart.MoveTo(0.0, 0.0);  // the axes run 0..1 by default
  chart.DrawTo(1.0, 1.0);
}

// Pixels of a plain red in an RGB picture given row by row.
template <typename PixelAt>
int CountRed(int width, int height, PixelAt at) {
  int n = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto [r, g, b] = at(x, y);
      if (r > 200 && g < 60 && b < 60) ++n;
    }
  return n;
}

inline int CountRed(const kvo::TBitmap& bmp) {
  return CountRed(bmp.Width(), bmp.Height(), [&](int x, int y) {
    const kvo::TRGB32 p = bmp.ScanLine(y)[x];
    return std::array<int, 3>{p.R, p.G, p.B};
  });
}

}  // namespace consumer
