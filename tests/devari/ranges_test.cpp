// Ranges of the chart: setting, joint layers, confinement, automatic
// ranging, the isometric rule and the zoom history.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "devari/devarierror.h"
#include "devari/jointlayers.h"
#include "devari/tdevari.h"

namespace kvo {
namespace {

struct TRange {
  double XLo, YLo, XHi, YHi;
};
TRange RangeOf(TDEvari& c, int layer) {
  return {c.GetScalePropsX(layer).RangeLow(), c.GetScalePropsY(layer).RangeLow(),
          c.GetScalePropsX(layer).RangeHigh(), c.GetScalePropsY(layer).RangeHigh()};
}
void ExpectRange(TDEvari& c, int layer, double xlo, double ylo, double xhi, double yhi) {
  const TRange r = RangeOf(c, layer);
  EXPECT_DOUBLE_EQ(r.XLo, xlo) << "layer " << layer;
  EXPECT_DOUBLE_EQ(r.YLo, ylo) << "layer " << layer;
  EXPECT_DOUBLE_EQ(r.XHi, xhi) << "layer " << layer;
  EXPECT_DOUBLE_EQ(r.YHi, yhi) << "layer " << layer;
}

class TLive : public TDEvari {
public:
  TLive() {
    HandleNeeded();
    SetSuppressPaint(false);
    Paints = 0;
  }
  int Paints = 0;
  void Paint() override {
    ++Paints;
    TDEvari::Paint();
  }
};

TEST(Ranges, SetRangeSeparatesEqualEndsAndReachesAxesAndTransform) {
  TLive c;
  c.SetRange(1, 5, 0, 5, 10);
  EXPECT_DOUBLE_EQ(c.GetScalePropsX(1).RangeLow(), 5 - 5e-11);
  EXPECT_DOUBLE_EQ(c.GetScalePropsX(1).RangeHigh(), 5 + 5e-11);
  EXPECT_EQ(c.Paints, 1);
  c.GetScalePropsX(1).SetLogarithmic(true);
  c.SetRange(1, 5, 0, 5, 10);
  EXPECT_DOUBLE_EQ(c.GetScalePropsX(1).RangeLow(), double(5 / 1.1L));
  EXPECT_DOUBLE_EQ(c.GetScalePropsX(1).RangeHigh(), double(5 * 1.1L));
  c.GetScalePropsX(1).SetLogarithmic(false);

  c.SetRange(0, -2, -3, 4, 6);  // both layers
  ExpectRange(c, 1, -2, -3, 4, 6);
  ExpectRange(c, 2, -2, -3, 4, 6);
  EXPECT_EQ(c.ScaleX(2).RangeLow(), -2);
  std::int32_t mx = 0, my = 0;
  c.R2M(1, 4, 6, mx, my);
  EXPECT_EQ(mx, c.Width() - c.RRim());
  EXPECT_EQ(my, c.TRim());
  // Layer numbers other than 0..2, NaN and infinite ends change nothing.
  c.Paints = 0;
  c.SetRange(3, 0, 0, 1, 1);
  c.SetRange(1, std::nan(""), 0, 1, std::numeric_limits<double>::infinity());
  ExpectRange(c, 1, -2, 0, 1, 6);  // only the finite ends were taken
}

TEST(Ranges, JointLayersFollowTheirMasterAndRefuseBadTables) {
  TDEvari c;
  c.SetRange(1, 0, 0, 10, 10);
  c.SetRange(2, 100, 100, 200, 200);
  c.JointLayers().SetL02xControlledBy(1);  // copies layer 1's X range at once
  ExpectRange(c, 2, 0, 100, 10, 200);
  c.SetRange(2, 50, 50, 60, 60);           // X follows layer 1: unchanged
  ExpectRange(c, 2, 0, 50, 10, 60);
  c.SetRange(1, -5, 1, 5, 2);              // moves layer 2's X along
  ExpectRange(c, 2, -5, 50, 5, 60);

  auto message = [&](auto set) -> std::string {
    try {
      set();
    } catch (const EKvoDEvariError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(message([&] { c.JointLayers().SetL02xControlledBy(3); }),
            "Destination layer 3 is out of range");
  // Layer 2 already follows layer 1: the master check comes first.
  EXPECT_EQ(message([&] { c.JointLayers().SetL01xControlledBy(2); }),
            "Destination layer 2 is already joined");
  c.JointLayers().SetL02yControlledBy(1);
  EXPECT_EQ(message([&] { c.JointLayers().SetL01yControlledBy(2); }),
            "Destination layer 2 is already joined");
  EXPECT_EQ(c.JointLayers().L01xControlledBy(), 1);  // unchanged after the errors
  EXPECT_EQ(c.JointLayers().L02xControlledBy(), 1);
  // Automatic ranging of all layers gives a following axis its master's range.
  c.MoveTo(0.0, 0.0);
  c.DrawTo(20.0, 30.0);
  c.AutoRange(0, 0);
  ExpectRange(c, 2, 0, 0, 20, 30);
}

TEST(Ranges, ZoomHistoryIsARingOfSixteen) {
  TLive c;
  c.ClearZoomHistory();  // entry 1: the current ranges
  for (int k = 1; k <= 17; ++k) c.SetRange(1, 0, 0, k, k);
  // 18 states went into 16 entries: the oldest left is the one of k = 2.
  EXPECT_EQ(c.GetZoomStackEntry(1, 0).Right, 17);
  EXPECT_EQ(c.GetZoomStackEntry(1, -15).Right, 2);
  EXPECT_EQ(c.GetZoomStackEntry(1, -16), TRectDouble{});
  EXPECT_EQ(c.GetZoomStackEntry(3, 0), TRectDouble{});
  const std::int32_t poi = c.ZoomStack().WritePosition();
  c.Paints = 0;
  c.ZoomHistory(-16);
  c.ZoomHistory(1);
  EXPECT_EQ(c.Paints, 0);
  c.ZoomHistory(-15);
  EXPECT_EQ(c.Paints, 1);
  ExpectRange(c, 1, 0, 0, 2, 2);
  // Stepping back saves nothing, also for joined layers.
  c.JointLayers().SetL02xControlledBy(1);
  c.ZoomHistory(-3);
  EXPECT_EQ(c.ZoomStack().WritePosition(), poi);
  // Entries hold (X low, Y high, X high, Y low).
  c.SetRange(1, 1, 2, 3, 4);
  EXPECT_EQ(c.GetZoomStackEntry(1, 0), (TRectDouble{1, 4, 3, 2}));
}

TEST(Ranges, JoinedLayersSaveOneStateThatStepsBackWhole) {
  TDEvari c;
  c.SetRange(0, 0, 0, 100, 100);
  c.JointLayers().SetL02xControlledBy(1);
  c.ClearZoomHistory();
  const std::int32_t poi = c.ZoomStack().WritePosition();
  c.ForceRange(1, 20, 20, 60, 60, true, false);  // moves layer 2's X along
  EXPECT_EQ(c.ZoomStack().WritePosition(), poi % 16 + 1);  // one state for both
  c.ZoomHistory(-1);
  ExpectRange(c, 1, 0, 0, 100, 100);
  ExpectRange(c, 2, 0, 0, 100, 100);
}

TEST(Ranges, ConfinementShiftsPansAndClipsZooms) {
  TDEvari c;
  c.ConfineZoomRange(0, 0, 10, 10);
  c.SetMouseAction(mamPan);
  c.ForceRange(1, 8, 2, 12, 4, false, true);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XLo, 6);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XHi, 10);
  c.SetMouseAction(mamZoomDrag);
  c.ForceRange(1, 8, 2, 12, 4, false, true);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XLo, 8);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XHi, 10);
  c.ForceRange(1, 8, 2, 12, 4, false, false);  // not asked to confine
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XHi, 12);
  c.ConfineZoomRange(0, 0, 0, 0);
  c.ForceRange(1, 8, 2, 12, 4, false, true);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XHi, 12);
}

TEST(Ranges, AutoRangeFitsTheItems) {
  TDEvari c;
  c.AutoRange(1, 0);
  ExpectRange(c, 1, -1, -1, 1, 1);  // no items
  c.MoveTo(0.0, 5.0);
  c.DrawTo(100.0, 5.0);
  c.AutoRange(1, 10);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XLo, -10);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).XHi, 110);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).YLo, 4);  // equal Y ends: +-1
  c.SetIsoMetric(true);
  EXPECT_TRUE(c.Isometric());
  c.AutoRangeXOnly(1, 0);
  EXPECT_FALSE(c.Isometric());
  const double ylo = RangeOf(c, 1).YLo;
  c.AutoRangeXOnly(1, 0);
  EXPECT_EQ(RangeOf(c, 1).YLo, ylo);  // the other axis keeps its range

  // The minimum range is measured from the centre's size, negative or not.
  TDEvari n;
  n.MoveTo(0.0, -100.0);
  n.DrawTo(1.0, -99.0);
  n.AutoRange(0, 10, 50);
  EXPECT_LT(RangeOf(n, 1).YLo, -120);
  EXPECT_GT(RangeOf(n, 1).YHi, -80);
}

TEST(Ranges, IsometricRuleTiesYToX) {
  TDEvari c;
  c.SetRange(1, 0, 0, 100, 1);
  c.SetIsoMetric(true);
  const TChartGeometry g = c.Geometry();
  const TRange r = RangeOf(c, 1);
  EXPECT_NEAR((r.YHi - r.YLo) / (r.XHi - r.XLo),
              double(g.DataBmpHeight()) / g.DataBmpWidth(), 1e-12);
  EXPECT_NEAR((r.YHi + r.YLo) / 2, 0.5, 1e-12);  // about the old centre
  // A margin change keeps the rule.
  c.SetLRim(120);
  const TChartGeometry g2 = c.Geometry();
  const TRange r2 = RangeOf(c, 1);
  EXPECT_NEAR((r2.YHi - r2.YLo) / (r2.XHi - r2.XLo),
              double(g2.DataBmpHeight()) / g2.DataBmpWidth(), 1e-12);
  // So does a new size.
  c.SetBounds(0, 0, 500, 260);
  const TChartGeometry g3 = c.Geometry();
  const TRange r3 = RangeOf(c, 1);
  EXPECT_NEAR((r3.YHi - r3.YLo) / (r3.XHi - r3.XLo),
              double(g3.DataBmpHeight()) / g3.DataBmpWidth(), 1e-12);
  // No data-area width: the Y range stays as it is (no division by zero).
  c.SetLRim(600);
  EXPECT_TRUE(std::isfinite(RangeOf(c, 1).YLo));
  c.SetRange(1, 0, 7, 50, 9);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).YLo, 7);
  EXPECT_DOUBLE_EQ(RangeOf(c, 1).YHi, 9);
}

}  // namespace
}  // namespace kvo
