/// @file
/// TChartMouseProps: the chart's mouse settings and events (TCustomDEvari
/// inherits them; the mouse itself lives in the chart's mouse controller).
#pragma once

#include "../platform/export.h"

#include <array>

#include "chartevents.h"
#include "../libs/kvobase.h"

namespace kvo {

class KVO_API TChartMouseProps {
public:
  /// A fixed cursor stays the default one in every mode (the start).
  bool MouseCursorFixed() const noexcept { return FMCurFixed; }
  void SetMouseCursorFixed(bool v) noexcept { FMCurFixed = v; }
  /// The snap grid of mamPanGrid: steps (<= 0 does not snap) and offsets.
  double PanGridDx() const noexcept { return FPanGrid[0]; }
  double PanGridDy() const noexcept { return FPanGrid[1]; }
  double PanGridOffsX() const noexcept { return FPanGrid[2]; }
  double PanGridOffsY() const noexcept { return FPanGrid[3]; }
  void SetPanGridDx(double v) noexcept { FPanGrid[0] = v; }
  void SetPanGridDy(double v) noexcept { FPanGrid[1] = v; }
  void SetPanGridOffsX(double v) noexcept { FPanGrid[2] = v; }
  void SetPanGridOffsY(double v) noexcept { FPanGrid[3] = v; }

  /// The wheel zooms about the mouse (one history state per burst of
  /// notches); the keys pan (arrows), zoom (+, -), step back through the
  /// history (Backspace) and fit all data (Home). Both on at the start.
  bool WheelZoom() const noexcept { return FWheelZoom; }
  void SetWheelZoom(bool v) noexcept { FWheelZoom = v; }
  bool KeyNavigation() const noexcept { return FKeyNavigation; }
  void SetKeyNavigation(bool v) noexcept { FKeyNavigation = v; }

  TMouseMoveInChartEvent OnMouseMoveInChart;
  /// (Sender, Layer, x1, y1, x2, y2): world values of the anchor and the release.
  TSelectRectEvent OnRubberBand, OnSelectRect;
  TBeforeCrossHMoveEvent OnBeforeCrossHairMove;
  TCrossHairMoveEvent OnCrossHairMove;
  TTextLabelMoveEvent OnTextLabelMove;

protected:
  /// Start values (no events are touched).
  void ResetMouseProps() noexcept {
    FMCurFixed = true;
    FPanGrid = {1, 1, 0, 0};
    FWheelZoom = FKeyNavigation = true;
  }
  bool FMCurFixed = true, FWheelZoom = true, FKeyNavigation = true;
  std::array<double, 4> FPanGrid{1, 1, 0, 0};  ///< Dx, Dy, OffsX, OffsY
};

}  // namespace kvo
