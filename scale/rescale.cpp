#include "scale/rescale.h"

#include <cmath>

namespace kvo {

bool Rescale(std::int32_t x, std::int32_t y, std::int32_t anchorX, std::int32_t anchorY,
             std::int32_t width, std::int32_t height, std::int32_t marginLeft,
             std::int32_t marginRight, std::int32_t marginTop, std::int32_t marginBottom,
             double anchorLow, double anchorHigh, TMouseActMode mode, TScaleType scaleType,
             bool log, double rangeLow, double rangeHigh, double& newLow, double& newHigh) {
  if (mode != mamPan && mode != mamStretch && mode != mamZoomDrag) return false;
  const bool horizontal = scaleType == stLabelsAbove || scaleType == stLabelsBelow;
  // All arithmetic in doubles: pixel differences of int32 values may overflow int.
  const double X = x, Y = y, AX = anchorX, AY = anchorY, W = width, Hgt = height;
  const double ML = marginLeft, MR = marginRight, MT = marginTop, MB = marginBottom;
  const double gx = W - ML - MR, gy = Hgt - MT - MB;
  const double g = std::sqrt(anchorLow * anchorHigh);  // geometric centre
  const double c = (anchorLow + anchorHigh) / 2;       // arithmetic centre
  const double H = anchorHigh - anchorLow;
  double lo = anchorLow, hi = anchorHigh;

  switch (mode) {
    case mamPan:
      if (horizontal) {
        if (!log) {
          const double e = (X - AX) * (rangeHigh - rangeLow) / gx;
          lo = anchorLow - e;
          hi = anchorHigh - e;
        } else {
          const double f = std::pow(rangeHigh / rangeLow, (AX - X) / gx);
          lo = anchorLow * f;
          hi = anchorHigh * f;
        }
      } else {
        if (!log) {
          const double e = (Y - AY) * (rangeHigh - rangeLow) / gy;
          lo = anchorLow + e;
          hi = anchorHigh + e;
        } else {
          const double f = std::pow(rangeHigh / rangeLow, (Y - AY) / gy);
          lo = anchorLow * f;
          hi = anchorHigh * f;
        }
      }
      break;
    case mamStretch:
      if (horizontal) {
        const bool rightHalf = AX >= gx / 2 + ML;
        if (!log) {
          if (rightHalf)
            hi = anchorLow + H / ((X - ML) / (AX - ML));
          else
            lo = anchorHigh - H / ((W - X - MR) / (W - AX - MR));
        } else {
          if (rightHalf)
            hi = g * std::pow(anchorHigh / g, (AX - X) / gx + 1);
          else
            lo = g / std::pow(anchorHigh / g, (X - AX) / gx + 1);
        }
      } else {
        const bool lowerHalf = AY > gy / 2 + MT;
        if (!log) {
          if (lowerHalf)
            lo = anchorHigh - H / ((Y - MT) / (AY - MT));
          else
            hi = anchorLow + H / ((Hgt - Y - MB) / (Hgt - AY - MB));
        } else {
          if (lowerHalf)
            lo = g / std::pow(anchorHigh / g, (AY - Y) / gy + 1);
          else
            hi = g * std::pow(anchorHigh / g, (Y - AY) / gy + 1);
        }
      }
      break;
    default: {  // mamZoomDrag
      if (!log) {
        const double h = horizontal ? H * (1 - (X - AX) / W) / 2 : H * ((Y - AY) / Hgt + 1) / 2;
        lo = c - h;
        hi = c + h;
      } else {
        const double q = horizontal ? (AX - X) / W + 1 : (Y - AY) / Hgt + 1;
        const double F = std::pow(anchorHigh / g, q);
        lo = g / F;
        hi = g * F;
      }
      break;
    }
  }
  // A drag to the edge of the axis, a zero-length axis or a logarithmic range
  // with an end <= 0 gives infinities, NaN or equal ends: no new range then.
  if (!std::isfinite(lo) || !std::isfinite(hi) || lo == hi) return false;
  if (log && (lo <= 0 || hi <= 0)) return false;
  newLow = lo;
  newHigh = hi;
  return true;
}

}  // namespace kvo
