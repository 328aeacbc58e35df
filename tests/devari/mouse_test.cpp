// The chart's mouse: pans, drag zoom, zoom windows, selection, axis drags,
// crosshair and label drags, the trace, double-clicks, cursors, XOR outlines
// and MouseBox, driven through the control's input entry points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "devari/tdevari.h"
#include "platform/host.h"

namespace kvo {
namespace {

const TShiftState kLeft{ssLeft};
const TShiftState kNone{};

// A live 400 x 300 chart showing 0..100 on both axes of layer 1.
struct TMouseChart : TDEvari {
  TMouseChart() {
    SetBounds(0, 0, 400, 300);
    HandleNeeded();
    SetRange(1, 0, 0, 100, 100);
  }
  TPoint Px(double x, double y) {
    TPoint p;
    R2M(1, x, y, p.x, p.y);
    return p;
  }
  void Drag(TPoint from, TPoint to, TMouseButton b = mbLeft) {
    DoMouseDown(b, kLeft, from.x, from.y);
    DoMouseMove(kLeft, from.x, from.y);
    DoMouseMove(kLeft, (from.x + to.x) / 2, (from.y + to.y) / 2);
    DoMouseMove(kLeft, to.x, to.y);
    DoMouseUp(b, kNone, to.x, to.y);
  }
  double XLo() { return GetScalePropsX(1).RangeLow(); }
  double XHi() { return GetScalePropsX(1).RangeHigh(); }
  double YLo() { return GetScalePropsY(1).RangeLow(); }
  double YHi() { return GetScalePropsY(1).RangeHigh(); }
};

std::vector<std::uint32_t> Pixels(const TBitmap& b) {
  std::vector<std::uint32_t> out(std::size_t(b.Width()) * std::size_t(b.Height()));
  if (!out.empty()) std::memcpy(out.data(), b.Bits(), out.size() * sizeof(std::uint32_t));
  return out;
}

TEST(ChartMouse, PansFollowTheFormulasAndSaveOneHistoryState) {
  TMouseChart c;
  c.SetMouseAction(mamPan);
  const TChartGeometry g = c.Geometry();
  const double dwp = g.Width - g.LRim - g.RRim - g.Shadow;
  const double dhp = g.Height - g.TRim - g.BRim - g.Shadow;
  const std::int32_t poi = c.ZoomStack().WritePosition();
  int zoomPans = 0;
  c.OnZoomPan = [&](TObject*) { ++zoomPans; };
  c.Drag({200, 150}, {240, 120});
  EXPECT_NEAR(c.XLo(), -40 * 100 / dwp, 1e-9);
  EXPECT_NEAR(c.XHi(), 100 - 40 * 100 / dwp, 1e-9);
  EXPECT_NEAR(c.YLo(), -30 * 100 / dhp, 1e-9);
  EXPECT_GE(zoomPans, 2);
  EXPECT_EQ(c.ZoomStack().WritePosition(), poi % 16 + 1);  // one state, at the release

  c.SetRange(1, 0, 0, 100, 100);
  c.SetMouseAction(mamPanHoriz);
  c.Drag({200, 150}, {240, 120});
  EXPECT_EQ(c.YLo(), 0);
  EXPECT_LT(c.XLo(), 0);

  c.SetRange(1, 0, 0, 100, 100);
  c.SetMouseAction(mamPanGrid);
  c.SetPanGridDx(0.5);
  c.SetPanGridOffsX(0.1);
  for (int dx : {7, 13, 29}) {
    c.Drag({200, 150}, {200 + dx, 150});
    const double k = (c.XLo() - 0.1) / 0.5;
    EXPECT_NEAR(k, std::round(k), 1e-9) << c.XLo();
    EXPECT_NEAR(c.XHi() - c.XLo(), 100, 1e-9);
  }

  // No room for the data area: a pan changes nothing.
  c.SetMouseAction(mamPan);
  c.SetLRim(500);
  const double before = c.XLo();
  c.Drag({390, 150}, {395, 150});
  EXPECT_EQ(c.XLo(), before);
}

TEST(ChartMouse, ZoomWindowsAndSelection) {
  TMouseChart c;
  c.SetMouseAction(mamZoomWindow);
  c.Drag(c.Px(20, 80), c.Px(60, 40));  // top-left to bottom-right: Y reversed
  EXPECT_NEAR(c.XLo(), 20, 0.5);
  EXPECT_NEAR(c.XHi(), 60, 0.5);
  EXPECT_NEAR(c.YLo(), 80, 0.5);
  EXPECT_NEAR(c.YHi(), 40, 0.5);
  EXPECT_EQ(c.ZoomState(), 0);

  c.SetRange(1, 0, 0, 100, 100);
  c.SetMouseAction(mamZoomWindowKeepDir);
  c.Drag(c.Px(60, 40), c.Px(20, 80));  // bottom-right to top-left: directions kept
  EXPECT_NEAR(c.XLo(), 20, 0.5);
  EXPECT_NEAR(c.YLo(), 40, 0.5);
  EXPECT_LT(c.XLo(), c.XHi());
  EXPECT_LT(c.YLo(), c.YHi());

  c.SetRange(1, 0, 0, 100, 100);
  c.Drag(c.Px(20, 40), c.Px(20, 80));  // no width: nothing
  EXPECT_EQ(c.XHi(), 100);

  c.SetMouseAction(mamSelectRect);
  double sel[4] = {0, 0, 0, 0};
  c.OnSelectRect = [&](TObject*, std::int32_t layer, double x1, double y1, double x2, double y2) {
    if (layer == 1) sel[0] = x1, sel[1] = y1, sel[2] = x2, sel[3] = y2;
  };
  c.Drag(c.Px(70, 10), c.Px(30, 50));
  EXPECT_NEAR(sel[0], 30, 0.5);
  EXPECT_NEAR(sel[1], 10, 0.5);
  EXPECT_NEAR(sel[2], 70, 0.5);
  EXPECT_NEAR(sel[3], 50, 0.5);
  EXPECT_EQ(c.XHi(), 100);  // selecting zooms nothing
}

TEST(ChartMouse, DragZoomAndAxisDrag) {
  TMouseChart c;
  c.SetMouseAction(mamZoomDrag);
  c.Drag({200, 150}, {240, 150});  // right by W / 10: 0.9 of the width
  EXPECT_NEAR(c.XLo(), 50 - 45, 1e-9);
  EXPECT_NEAR(c.XHi(), 50 + 45, 1e-9);

  // The bottom axis, draggable: a pan of the axis moves only X.
  c.SetRange(1, 0, 0, 100, 100);
  c.SetMouseAction(mamNone);
  c.GetScalePropsX(1).SetMouseAction(mamPan);
  const TChartGeometry g = c.Geometry();
  const std::int32_t y = g.Height - g.BRim + 10;
  c.Drag({200, y}, {160, y});
  EXPECT_GT(c.XLo(), 0);
  EXPECT_NEAR(c.XHi() - c.XLo(), 100, 1e-6);
  EXPECT_EQ(c.YLo(), 0);
  // A double-click on it switches between shifting and stretching, and the
  // release after it ends nothing.
  c.DoMouseMove(kNone, 200, y);
  c.DoDblClick();
  EXPECT_EQ(c.GetScalePropsX(1).MouseAction(), mamStretch);
}

TEST(ChartMouse, CrossHairLabelAndTraceDrags) {
  TMouseChart c;
  c.SetMouseAction(mamDragCrossHair);
  c.Drag(c.Px(50, 50), c.Px(30, 70));  // none visible: crosshair 1 moves
  EXPECT_NEAR(c.GetCHPosX(1), 30, 0.5);
  EXPECT_NEAR(c.GetCHPosY(1), 70, 0.5);
  c.CrossHair(2).SetCrossHLayer(1);
  c.CrossHair(2).SetCrossHMode(chVert);
  c.CrossHairSetPos(2, 80, 0);
  c.CrossHair(1).SetCrossHMode(chVert);
  int refused = 0;
  c.OnBeforeCrossHairMove = [&](TObject*, std::int32_t ch, std::int32_t, std::int32_t, bool& allow) {
    if (ch == 2) allow = false, ++refused;
  };
  c.Drag(c.Px(78, 50), c.Px(60, 50));  // nearest is crosshair 2, which refuses
  EXPECT_GT(refused, 0);
  EXPECT_EQ(c.GetCHPosX(2), 80);

  c.SetMouseAction(mamDragTextLabel);
  const std::int32_t n = c.AddTextLabel(40, 40, clRed, "label", 0);
  ASSERT_GT(n, 0);
  int moved = 0;
  c.OnTextLabelMove = [&](TObject*, std::int32_t which) { moved = which; };
  c.Drag(c.Px(41, 41), c.Px(20, 90));
  EXPECT_EQ(moved, n);
  EXPECT_NEAR(c.GetFTextLabel(n).PosX(), 20, 0.5);

  c.SetMouseAction(mamMouseTrace);
  c.DoMouseDown(mbLeft, kLeft, 200, 150);
  for (int i = 0; i < 5010; ++i) c.DoMouseMove(kLeft, 100 + i % 200, 100 + i % 100);
  c.DoMouseUp(mbLeft, kNone, 200, 150);
  EXPECT_EQ(c.NumMTracePoints(), 5000);
  EXPECT_EQ(c.GetMTracePoint(5000).Flags & 1, 1);  // ends the stroke
  EXPECT_EQ(c.GetMTracePoint(5001).Flags, 255);
}

TEST(ChartMouse, OutlinesLeaveNoGhostsAndCursorsFollowTheMode) {
  TMouseChart c;
  c.SetMouseAction(mamZoomWindow);
  c.Paint();
  const std::vector<std::uint32_t> clean = Pixels(c.Surface());
  // A right release cancels: the outline is erased exactly once.
  c.Drag({150, 100}, {250, 200}, mbRight);
  EXPECT_EQ(Pixels(c.Surface()), clean);
  // A repaint during the drag takes the outline with it; nothing is XORed
  // back onto the fresh picture.
  c.DoMouseDown(mbLeft, kLeft, 150, 100);
  c.DoMouseMove(kLeft, 200, 160);
  c.Paint();
  c.DoMouseMove(kLeft, 220, 180);
  c.DoMouseUp(mbRight, kNone, 220, 180);
  EXPECT_EQ(Pixels(c.Surface()), clean);

  c.DoMouseMove(kNone, 200, 150);
  EXPECT_EQ(c.Cursor(), crDefault);  // MouseCursorFixed is the start
  c.SetMouseCursorFixed(false);
  c.DoMouseMove(kNone, 201, 150);
  EXPECT_EQ(c.Cursor(), TCursor(2));
  c.SetMouseAction(mamPan);
  c.DoMouseMove(kNone, 202, 150);
  EXPECT_EQ(c.Cursor(), TCursor(1));
  c.DoMouseMove(kNone, 2, 2);  // outside the data area
  EXPECT_EQ(c.Cursor(), crDefault);
}

TEST(ChartMouse, WheelAndKeysZoomPanAndStepBack) {
  TMouseChart c;
  c.ClearZoomHistory();
  const std::int32_t poi = c.ZoomStack().WritePosition();
  const TPoint at = c.Px(25, 50);
  // A burst of three notches away from the user: zoomed in about the mouse,
  // one history state.
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(c.DoMouseWheel(kNone, kWheelDelta, at.x, at.y));
  const double f = std::pow(0.8, 3);
  double wx = 0, wy = 0;
  c.M2R(1, at.x, at.y, wx, wy);
  EXPECT_NEAR(wx, 25, 0.5);  // the point under the mouse stays put
  EXPECT_NEAR(wy, 50, 0.5);
  EXPECT_NEAR(c.XHi() - c.XLo(), 100 * f, 1.0);
  EXPECT_EQ(c.ZoomStack().WritePosition(), poi + 1);
  EXPECT_FALSE(c.DoMouseWheel(kNone, kWheelDelta, 2, 2));  // outside the data area

  // Keys: arrows pan by a tenth, Backspace returns to the saved states.
  const double lo = c.XLo(), w = c.XHi() - c.XLo();
  EXPECT_TRUE(c.DoKeyDown(vkRight, kNone));
  EXPECT_NEAR(c.XLo(), lo + w / 10, 1e-9);
  EXPECT_TRUE(c.DoKeyDown(vkBack, kNone));
  EXPECT_NEAR(c.XLo(), lo, 1e-9);
  EXPECT_TRUE(c.DoKeyDown(vkBack, kNone));
  EXPECT_NEAR(c.XHi(), 100, 1e-9);  // before the wheel
  EXPECT_TRUE(c.DoKeyDown(vkAdd, kNone));
  EXPECT_NEAR(c.XHi() - c.XLo(), 80, 1e-9);
  c.MoveTo(10.0, 20.0);
  c.DrawTo(30.0, 40.0);
  EXPECT_TRUE(c.DoKeyDown(vkHome, kNone));
  EXPECT_DOUBLE_EQ(c.XLo(), 10);
  EXPECT_DOUBLE_EQ(c.YHi(), 40);
  // Both can be switched off; other keys are not used.
  c.SetKeyNavigation(false);
  c.SetWheelZoom(false);
  EXPECT_FALSE(c.DoKeyDown(vkLeft, kNone));
  EXPECT_FALSE(c.DoMouseWheel(kNone, kWheelDelta, at.x, at.y));
  c.SetKeyNavigation(true);
  EXPECT_FALSE(c.DoKeyDown(vkReturn, kNone));
  EXPECT_TRUE(c.GetDialogCode().Contains(dcWantArrows));
}

TEST(ChartMouse, MouseBoxWaitsForTheUserAndNeverHangs) {
  TMouseChart c;
  double xlo = 0, ylo = 0, xhi = 0, yhi = 0;
  // Headless without a message source: it returns at once.
  EXPECT_FALSE(c.MouseBox(xlo, ylo, xhi, yhi));
  // The "user" drags a box while the messages are pumped; a nested call from
  // inside does not disturb it.
  int step = 0;
  bool nested = true;
  HeadlessHost().OnProcessMessages = [&] {
    const TPoint a = c.Px(10, 20), b = c.Px(60, 90);
    switch (step++) {
      case 0: c.DoMouseDown(mbLeft, kLeft, b.x, b.y); break;
      case 1: c.DoMouseMove(kLeft, (a.x + b.x) / 2, (a.y + b.y) / 2); break;
      case 2: {
        double q[4];
        nested = c.MouseBox(q[0], q[1], q[2], q[3]);
        c.DoMouseMove(kLeft, a.x, a.y);
        break;
      }
      default: c.DoMouseUp(mbLeft, kNone, a.x, a.y); break;
    }
  };
  EXPECT_TRUE(c.MouseBox(xlo, ylo, xhi, yhi));
  EXPECT_FALSE(nested);
  EXPECT_NEAR(xlo, 10, 0.5);
  EXPECT_NEAR(yhi, 90, 0.5);
  EXPECT_LT(xlo, xhi);
  // Hiding the chart ends a waiting box.
  step = 0;
  HeadlessHost().OnProcessMessages = [&] { c.SetVisible(false); };
  EXPECT_FALSE(c.MouseBox(xlo, ylo, xhi, yhi));
  HeadlessHost().OnProcessMessages = nullptr;
}

}  // namespace
}  // namespace kvo
