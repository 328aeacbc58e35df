#include "devari/grid_p.h"

#include <algorithm>
#include <cmath>

#include "platform/numeric.h"

namespace kvo {

namespace {

// Decimal exponent and mantissa (rounded) of a positive value; the logarithm
// is snapped to an integer when it is within 1e-14 of one, so that 100
// computed as 10*10 counts as a decade.
void Decompose(double v, double& e, double& m) {
  double l = std::log10(v);
  const double r = std::nearbyint(l);
  if (std::fabs(l - r) < 1e-14) l = r;
  e = std::floor(l);
  m = RoundHalfEven(std::pow(10.0, l - e));
}

}  // namespace

std::vector<double> GridValues(double rangeLow, double rangeHigh, bool log, double spacing,
                               const std::vector<double>& ticks) {
  std::vector<double> out;
  if (std::isnan(rangeLow) || std::isnan(rangeHigh) || std::isnan(spacing)) return out;
  const double lo = std::min(rangeLow, rangeHigh), hi = std::max(rangeLow, rangeHigh);
  const bool linearStep = (spacing != 0 && !log) || spacing > 0;
  if (log && spacing < 0 && !(lo > 0)) return out;

  if (spacing == 0) {
    // The axis' tick list, in any order (an axis may list its minor ticks
    // before its major ones): every distinct tick below the larger bound.
    std::vector<double> t;
    for (double x : ticks)
      if (x < hi) t.push_back(x);  // NaN never compares
    std::sort(t.begin(), t.end());
    t.erase(std::unique(t.begin(), t.end()), t.end());
    if (t.empty() && lo < hi) t.push_back(lo);
    if (t.size() > kMaxGridLines) t.resize(kMaxGridLines);
    return t;
  }
  double v;
  if (linearStep) {
    // With the step's magnitude: a negative step would start below the range.
    v = std::ceil(lo / std::fabs(spacing)) * std::fabs(spacing);
  } else if (spacing == -1) {
    v = std::pow(10.0, std::ceil(std::log10(lo)));
  } else if (spacing == -2) {
    const double e = std::floor(std::log10(lo));
    const double m = RoundHalfEven(std::pow(10.0, std::log10(lo) - e));
    v = std::pow(10.0, e) * (m <= 2 ? 2 : (m <= 5 ? 5 : 10));
  } else if (spacing == -3) {
    const double e = std::floor(std::log10(lo));
    v = std::pow(10.0, e) * RoundHalfEven(std::pow(10.0, std::log10(lo) - e));
  } else {
    v = lo;
  }

  // Linear steps are counted from the first value, not accumulated, so that
  // rounding does not creep in a line just below the upper bound.
  const double step = std::fabs(spacing);
  const double first = v;
  std::size_t k = 0;
  while (v < hi && out.size() < kMaxGridLines) {
    out.push_back(v);
    double next;
    if (linearStep) {
      next = first + double(++k) * step;
    } else if (spacing == -1) {
      next = 10 * v;
    } else if (spacing == -2) {
      double e, m;
      Decompose(v, e, m);
      next = (m < 2 ? 2 : (m < 5 ? 5 : 10)) * std::pow(10.0, e);
    } else {
      double e, m;
      Decompose(v, e, m);
      next = (m + 1) * std::pow(10.0, e);
    }
    // A step that no longer changes the value (huge values, tiny steps)
    // would repeat the same line; stop instead.
    if (!(next > v)) break;
    v = next;
  }
  return out;
}

void DrawGrid(TCanvas& canvas, const TLayerTransforms& tf, const TChartGeometry& g,
              std::int32_t left, std::int32_t top, const TGridSpec& grid) {
  if (grid.Style == gsNone) return;
  const int layer = ClampLayer(grid.Layer);
  // Wide: the data area may be drawn at any origin of a foreign canvas.
  const std::int64_t sx = std::int64_t(left) - g.LRim, sy = std::int64_t(top) - g.TRim;
  auto px = [&](double x) { return ClampPixel(std::int64_t(tf.MapX(layer, x)) + sx); };
  auto py = [&](double y) { return ClampPixel(std::int64_t(tf.MapY(layer, y)) + sy); };

  canvas.Pen().SetColor(grid.GridColor);
  canvas.Brush().SetColor(grid.ChartColor);
  const bool dotted = grid.Style == gsVertDotLines || grid.Style == gsHorizDotLines ||
                      grid.Style == gsDotLines;
  canvas.Pen().SetStyle(dotted ? psDot : psSolid);

  if (grid.Style == gsPoints) {
    std::size_t n = 0;
    for (double x : grid.XValues) {
      const std::int32_t cx = px(x);
      for (double y : grid.YValues) {
        if (n++ >= kMaxGridPoints) break;
        canvas.SetPixel(cx, py(y), grid.GridColor);
      }
      if (n >= kMaxGridPoints) break;
    }
    return;
  }
  const bool vert = grid.Style == gsVertLines || grid.Style == gsVertDotLines ||
                    grid.Style == gsLines || grid.Style == gsDotLines;
  const bool horiz = grid.Style == gsHorizLines || grid.Style == gsHorizDotLines ||
                     grid.Style == gsLines || grid.Style == gsDotLines;
  if (vert) {
    const std::int32_t y0 = py(grid.YLow), y1 = py(grid.YHigh);
    for (double x : grid.XValues) {
      const std::int32_t cx = px(x);
      canvas.MoveTo(cx, y0);
      canvas.LineTo(cx, y1);
    }
  }
  if (horiz) {
    const std::int32_t x0 = px(grid.XLow), x1 = px(grid.XHigh);
    for (double y : grid.YValues) {
      const std::int32_t cy = py(y);
      canvas.MoveTo(x0, cy);
      canvas.LineTo(x1, cy);
    }
  }
  canvas.Pen().SetStyle(psSolid);
}

}  // namespace kvo
