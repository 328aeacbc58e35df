// TChartMouse: the chart's mouse as one state machine. The chart forwards its
// mouse handlers here; what a drag does follows the chart's MouseAction (pan
// in four forms, drag zoom, rubber band, zoom windows, selection, crosshair
// and label drags, the mouse trace), the axes' own modes (dragging an axis
// through Rescale) and MouseBox, which asks the user for a rectangle.
#pragma once

#include "../platform/export.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>

#include "devari/devari.h"

namespace kvo {

class KVO_API TChartMouse {
public:
  explicit TChartMouse(TCustomDEvari& chart) : FChart(chart) {}
  ~TChartMouse() { Release(); }
  TChartMouse(const TChartMouse&) = delete;
  TChartMouse& operator=(const TChartMouse&) = delete;

  void Reset();
  void Down(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
  void Move(TShiftState shift, std::int32_t x, std::int32_t y);
  void Up(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
  void DoubleClick();
  bool Wheel(TShiftState shift, std::int32_t delta, std::int32_t x, std::int32_t y);
  bool Key(std::uint16_t key, TShiftState shift);
  bool Box(double& xLo, double& yLo, double& xHi, double& yHi);
  void BoxAbort() noexcept;
  // A full paint covered the control: no outline is on screen any more.
  void Painted() noexcept { FOutlineShown = false; }
  // The chart goes away or hides: a waiting MouseBox ends.
  void Release() noexcept;

  std::int32_t ZoomState() const noexcept { return FZoomState; }
  double MousePosX() const noexcept { return FMousePosX; }
  double MousePosY() const noexcept { return FMousePosY; }

private:
  enum class TOutline : std::uint8_t { Line, Rect };
  bool InDataArea(std::int32_t x, std::int32_t y) const noexcept;
  void ClampToDataArea(std::int32_t& x, std::int32_t& y) const noexcept;
  void TakeAnchors(std::int32_t x, std::int32_t y);
  // XOR outline on the control's canvas: shown at most once, erased exactly
  // once (a full paint in between means it is gone already).
  void ShowOutline(TOutline kind, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  void HideOutline();
  void XorOutline(TOutline kind, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  bool DragAxes(std::int32_t x, std::int32_t y);
  void Pan(TMouseActMode mode, std::int32_t x, std::int32_t y);
  void ZoomDrag(std::int32_t x, std::int32_t y);
  void DragWindow(std::int32_t x, std::int32_t y);
  void DragCrossHair(std::int32_t x, std::int32_t y);
  void DragTextLabel(std::int32_t x, std::int32_t y);
  void Trace(std::int32_t x, std::int32_t y);
  void FinishWindow(TMouseButton button);
  void SetCursorFor(std::int32_t x, std::int32_t y);
  // Each affected layer's ranges scaled by f about the world point (wx, wy)
  // of a pixel (zoom) or shifted by a fraction of their width (pan).
  void ZoomAbout(std::int32_t x, std::int32_t y, double f);
  void PanBy(double fx, double fy);

  TCustomDEvari& FChart;
  // False once the chart is gone: a MouseBox waiting in the message loop
  // must not touch it any more.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  std::int32_t FZoomState = 0;       // 1: a window is being dragged
  std::int32_t FBoxState = 0;        // 0 idle, 1 armed, 2 dragging, 3 finished
  std::int32_t FBoxDepth = 0;        // nested MouseBox calls
  std::int32_t FLastX = 0, FLastY = 0;
  bool FLButtonWasDown = false, FWasDblClk = false, FMoveActive = false;
  std::int32_t FAnchorX = 0, FAnchorY = 0, FCornerX = 0, FCornerY = 0;
  std::int32_t FBoxX1 = 0, FBoxY1 = 0, FBoxX2 = 0, FBoxY2 = 0;
  // Per layer 1..2: where the drag began and the ranges then.
  std::array<std::int32_t, 3> FAnchorScrX{}, FAnchorScrY{};
  std::array<double, 3> FAnchorLoX{}, FAnchorHiX{}, FAnchorLoY{}, FAnchorHiY{};
  double FMousePosX = 0, FMousePosY = 0;
  std::int32_t FCHNext = 1, FTLNext = 1;
  // Wheel bursts and Backspace steps through the history.
  std::chrono::steady_clock::time_point FLastWheel{};
  std::int32_t FWheelWritePos = -1, FBackWritePos = -1, FHistoryStep = 0;
  // The outline on screen, if any.
  bool FOutlineShown = false;
  TOutline FOutlineKind = TOutline::Rect;
  std::int32_t FOutX1 = 0, FOutY1 = 0, FOutX2 = 0, FOutY2 = 0;
};

}  // namespace kvo
