/// @file
/// World <-> pixel mapping of the chart's two layers.
///
/// Each layer L (1 or 2) maps world x to control column Cpkx*x + Cpdx (Cpkx*ln x
/// + Cpdx on a logarithmic axis), and y likewise with Cpky/Cpdy (Cpky < 0: rows
/// grow downwards). The parameters are recomputed by Adjust from the axis ranges
/// and the control geometry; R2M/M2R only read them.
#pragma once

#include "../platform/export.h"

#include <cmath>
#include <cstdint>

#include "../platform/numeric.h"

namespace kvo {

/// Control size, margins and shadow width: everything the data area follows from.
struct KVO_API TChartGeometry {
  std::int32_t Width = 280, Height = 200;
  std::int32_t LRim = 50, RRim = 20, TRim = 20, BRim = 40;
  std::int32_t Shadow = 0;  ///< shadow (3D rim) width at the right and bottom

  /// Data extent in pixels as the transform uses it (may be <= 0).
  /// Computed wide and saturated: any size with any margins is an int.
  std::int32_t DataWidth() const noexcept {
    return ClampToInt(double(std::int64_t(Width) - LRim - RRim - Shadow));
  }
  std::int32_t DataHeight() const noexcept {
    return ClampToInt(double(std::int64_t(Height) - TRim - BRim - Shadow));
  }
  /// Size of the data bitmap: both corner columns/rows included, never negative.
  std::int32_t DataBmpWidth() const noexcept {
    const std::int32_t w = DataWidth();
    return w < 0 ? 0 : SatAdd(w, 1);
  }
  std::int32_t DataBmpHeight() const noexcept {
    const std::int32_t h = DataHeight();
    return h < 0 ? 0 : SatAdd(h, 1);
  }
  bool operator==(const TChartGeometry&) const noexcept = default;
};

/// One axis as the transform needs it.
struct KVO_API TAxisRange {
  long double Low = 0, High = 1;
  bool Log = false;
};

/// Clamps a layer number into 1..2. Layers outside (crosshairs 3 and 4 carry
/// layers 3 and 4 after a reset) convert with the nearest real layer.
constexpr int ClampLayer(std::int32_t layer) noexcept {
  return layer < 1 ? 1 : (layer > 2 ? 2 : int(layer));
}

class KVO_API TLayerTransforms {
public:
  /// Parameters of a layer, index 1..2 (index 0 unused).
  long double Cpkx[3] = {0, 1, 1}, Cpdx[3] = {0, 0, 0};
  long double Cpky[3] = {0, -1, -1}, Cpdy[3] = {0, 0, 0};

  /// Recomputes both layers (x of layer 1, y of layer 1, x of layer 2, y of
  /// layer 2). A logarithmic axis with a bound <= 0 and a positive data extent
  /// stops the computation: that axis and the following ones keep their
  /// previous parameters and false is returned (the caller raises).
  bool Adjust(const TChartGeometry& g, const TAxisRange& x1, const TAxisRange& y1,
              const TAxisRange& x2, const TAxisRange& y2);

  /// World to control pixel; layer clamped to 1..2. Values at or below 1e-100
  /// on a logarithmic axis land on the low end of the axis; results saturate
  /// at +-2147483647; NaN gives 0 (callers that must skip NaN test first).
  void R2M(std::int32_t layer, double rx, double ry, std::int32_t& mx, std::int32_t& my) const noexcept {
    const int l = ClampLayer(layer);
    mx = MapX(l, rx);
    my = MapY(l, ry);
  }
  std::int32_t MapX(int layer, double rx) const noexcept {
    const Axis& a = FX[layer];
    long double v;
    if (!a.Log) {
      v = Cpkx[layer] * rx + Cpdx[layer];
    } else if (rx > 1e-100) {
      v = Cpkx[layer] * std::log(static_cast<long double>(rx)) + Cpdx[layer];
    } else {
      v = a.Reversed ? FWidth : 0;
    }
    return Saturate(v);
  }
  std::int32_t MapY(int layer, double ry) const noexcept {
    const Axis& a = FY[layer];
    long double v;
    if (!a.Log) {
      v = Cpky[layer] * ry + Cpdy[layer];
    } else if (ry > 1e-100) {
      v = Cpky[layer] * std::log(static_cast<long double>(ry)) + Cpdy[layer];
    } else {
      v = a.Reversed ? 0 : FHeight;
    }
    return Saturate(v);
  }

  /// Control pixel to world; layer clamped to 1..2. No rounding, no clamping
  /// (a zero slope gives an infinite or NaN result).
  void M2R(std::int32_t layer, std::int32_t mx, std::int32_t my, double& rx, double& ry) const noexcept;

  void GetParams(std::int32_t layer, double& kx, double& dx, double& ky, double& dy) const noexcept;

  bool LogX(int layer) const noexcept { return FX[ClampLayer(layer)].Log; }
  bool LogY(int layer) const noexcept { return FY[ClampLayer(layer)].Log; }

private:
  struct Axis {
    bool Log = false;
    bool Reversed = false;  ///< RangeLow > RangeHigh
  };
  static std::int32_t Saturate(long double v) noexcept {
    if (!(v == v)) return 0;  // NaN
    if (v > 2147483647.0L) v = 2147483647.0L;
    if (v < -2147483647.0L) v = -2147483647.0L;
    // rint rounds halves to even in the default rounding mode like nearbyint,
    // without nearbyint's costly save and restore of the floating-point
    // environment (it only may raise the inexact flag).
    return static_cast<std::int32_t>(std::rint(v));
  }
  Axis FX[3], FY[3];
  std::int32_t FWidth = 280, FHeight = 200;
};

}  // namespace kvo
