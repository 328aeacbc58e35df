// The Smith chart: conversions and their poles, the grid checked
// geometrically through the recording canvas (arc ends on the unit circle,
// tangency at Γ = 1, short arcs), labels by disc size, the isometric ranges
// and the update protocol.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "devari/scaleprops.h"
#include "devari/smith/smith.h"
#include "libs/univconst.h"
#include "platform/metafile.h"
#include "platform/numeric.h"

namespace kvo {
namespace {

constexpr double kPi = std::numbers::pi;

class TCountingSmith : public TSmithChart {
public:
  TCountingSmith() {
    SetBounds(0, 0, 400, 400);
    SetSuppressPaint(false);
    Paints = 0;
  }
  int Paints = 0;
  void Paint() override {
    ++Paints;
    TSmithChart::Paint();
  }
};

// A chart whose data area is w x h pixels, showing -1.2 .. 1.2 in X.
std::unique_ptr<TSmithChart> Chart(int w, int h) {
  auto s = std::make_unique<TSmithChart>();
  s->SetBounds(0, 0, w + s->MarginLeft() + s->MarginRight(), h + s->MarginTop() + s->MarginBottom());
  s->SetRange(-1.2, -1.2, 1.2, 1.2);
  return s;
}

std::vector<TMetaRecord> Grid(TSmithChart& s, TMetafile& mf) {
  mf.Clear();
  s.DrawSmithGrid(mf.Canvas(), 0, 0);
  return mf.Records();
}

TEST(SmithConversions, KnownPointsPolesAndRoundTrips) {
  EXPECT_DOUBLE_EQ(CalcReflectionReal(1, 0), 0);
  EXPECT_DOUBLE_EQ(CalcReflectionImag(1, 0), 0);
  EXPECT_NEAR(CalcReflectionReal(0, 1), 0, 1e-15);
  EXPECT_DOUBLE_EQ(CalcReflectionImag(0, 1), 1);
  EXPECT_DOUBLE_EQ(CalcResistance(0, 0), 1);
  EXPECT_DOUBLE_EQ(CalcReactance(0, 0), 0);
  EXPECT_EQ(CalcResistance(1, 0), uc_MaxReal);
  EXPECT_EQ(CalcReactance(1, 0), uc_MaxReal);
  EXPECT_DOUBLE_EQ(CalcReflectionReal(0, 0), -1);  // a short circuit
  // The pole z = -1 and its neighbourhood: finite, never NaN.
  EXPECT_EQ(CalcReflectionReal(-1, 0), uc_MaxReal);
  EXPECT_EQ(CalcReflectionImag(-1, 0), 0);
  EXPECT_DOUBLE_EQ(CalcReflectionReal(-1, 2), 1);
  EXPECT_DOUBLE_EQ(CalcReflectionImag(-1, 2), 1);
  // Open circuits and huge values.
  EXPECT_EQ(CalcReflectionReal(INFINITY, 3), 1);
  EXPECT_EQ(CalcReflectionImag(3, INFINITY), 0);
  EXPECT_DOUBLE_EQ(CalcReflectionImag(1e200, 1e200), 1e-200);
  EXPECT_NEAR(CalcReflectionReal(1e200, 0), 1, 1e-15);
  EXPECT_TRUE(std::isnan(CalcReflectionReal(NAN, 1)));
  EXPECT_TRUE(std::isnan(CalcResistance(0, NAN)));
  // The chart's static forms are the same functions.
  EXPECT_EQ(TSmithChart::CalcReflectionImag(0.5, 0.3), CalcReflectionImag(0.5, 0.3));

  std::mt19937 gen(3);
  std::uniform_real_distribution<double> r(0, 20), x(-20, 20);
  for (int i = 0; i < 1000; ++i) {
    const double rr = r(gen), xx = x(gen);
    const double u = CalcReflectionReal(rr, xx), v = CalcReflectionImag(rr, xx);
    EXPECT_LE(u * u + v * v, 1 + 1e-12);  // passive impedances lie in the disc
    EXPECT_NEAR(CalcResistance(u, v), rr, 1e-9 * (1 + rr * rr));
    EXPECT_NEAR(CalcReactance(u, v), xx, 1e-9 * (1 + xx * xx));
  }
}

TEST(SmithGrid, TablesLevelsAndLabelTexts) {
  EXPECT_EQ(SmithLabelLevel(250), 1);
  EXPECT_EQ(SmithLabelLevel(301), 2);
  EXPECT_EQ(SmithLabelLevel(501), 3);
  EXPECT_EQ(SmithLabelLevel(751), 4);
  EXPECT_EQ(SmithLabelLevel(950), 5);
  EXPECT_EQ(SmithLabelText(2), "2");
  EXPECT_EQ(SmithLabelText(0.2), "0.2");
  EXPECT_EQ(SmithLabelText(-1.5), "-1.5");
  EXPECT_EQ(SmithLabelText(10.005), "10");
  EXPECT_EQ(SmithGridRow(19).Value, 5);
  EXPECT_EQ(SmithGridRow(99).Value, 5);  // clamped
}

// Circle of an arc or ellipse record: centre and radius in pixels.
struct TCircle {
  double cx, cy, rx, ry;
};
TCircle CircleOf(const TMetaRecord& m) {
  return {(m.Box.Left + m.Box.Right - 1) / 2.0, (m.Box.Top + m.Box.Bottom - 1) / 2.0,
          (m.Box.Right - m.Box.Left - 1) / 2.0, (m.Box.Bottom - m.Box.Top - 1) / 2.0};
}
// Where the ray from the circle's centre through p meets the circle.
void OnCircle(const TCircle& c, TPoint p, double& x, double& y) {
  const double a = std::atan2(p.y - c.cy, p.x - c.cx);
  x = c.cx + c.rx * std::cos(a);
  y = c.cy + c.ry * std::sin(a);
}
// Screen angle (y up) of a ray.
double ScreenAngle(const TCircle& c, TPoint p) { return std::atan2(c.cy - p.y, p.x - c.cx); }

// Checks every arc and full circle of a chart's grid; returns the counts of
// full circles, resistance arcs and reactance arcs.
std::array<int, 3> CheckGridGeometry(TSmithChart* s) {
  TMetafile mf(800, 800);
  const auto recs = Grid(*s, mf);
  std::int32_t ox, oy, gx, gy;
  s->TCustomDEvari::R2M(1, 0, 0, ox, oy);
  s->TCustomDEvari::R2M(1, 1, 0, gx, gy);
  ox -= s->MarginLeft();
  oy -= s->MarginTop();
  gx -= s->MarginLeft();
  const double unit = gx - ox;  // pixel radius of the unit circle
  int resistance = 0, reactance = 0, full = 0;
  for (const TMetaRecord& m : recs) {
    if (m.Op == TMetaOp::Ellipse && m.Brush.Style == bsClear) {
      // Full resistance circles (r = 0, 5, 10): centred on the axis, tangent at Γ = 1.
      const TCircle c = CircleOf(m);
      EXPECT_NEAR(c.cy, oy, 1);
      EXPECT_NEAR(c.cx + c.rx, gx, 1);
      ++full;
    }
    if (m.Op != TMetaOp::Arc) continue;
    const TCircle c = CircleOf(m);
    EXPECT_NEAR(c.rx, c.ry, 1) << "isometric";
    if (std::fabs(c.cy - oy) <= 1) {
      // A resistance circle: tangent to all others at Γ = 1, gap around it.
      ++resistance;
      EXPECT_NEAR(c.cx + c.rx, gx, 1);
      const double a0 = ScreenAngle(c, m.Points[0]), a1 = ScreenAngle(c, m.Points[1]);
      EXPECT_GT(a0, 0);  // starts above the axis
      EXPECT_NEAR(a1, -a0, 0.01);  // ends at the mirror ray
      // The start ray leaves at one of the table's gap angles.
      double nearest = 10;
      for (std::int32_t i = 0; i < kSmithGridRows; ++i)
        nearest = std::min(nearest, std::fabs(a0 - SmithGridRow(i).GapAngle));
      EXPECT_LT(nearest, 0.003) << m.ToString();
    } else {
      // A reactance arc: its circle touches the real axis at Γ = 1 ...
      ++reactance;
      EXPECT_NEAR(c.cx, gx, 1);
      EXPECT_NEAR(std::fabs(c.cy - oy), c.ry, 1.5);
      // ... its unit-circle end lies on the unit circle (the start of an
      // upper arc, the end of a lower one) ...
      const bool upper = c.cy < oy;
      double bx, by;
      OnCircle(c, upper ? m.Points[0] : m.Points[1], bx, by);
      EXPECT_NEAR(std::hypot(bx - ox, by - oy), unit, 1.5) << m.ToString();
      // ... its other end lies inside the disc ...
      double ex, ey;
      OnCircle(c, upper ? m.Points[1] : m.Points[0], ex, ey);
      EXPECT_LT(std::hypot(ex - ox, ey - oy), unit + 1) << m.ToString();
      // ... and it is the short arc inside the disc, not nearly a whole circle.
      double span = ScreenAngle(c, m.Points[1]) - ScreenAngle(c, m.Points[0]);
      while (span < 0) span += 2 * kPi;
      EXPECT_LT(span, kPi) << m.ToString();
    }
  }
  return {full, resistance, reactance};
}

TEST(SmithGrid, ArcsEndOnTheUnitCircleAndTouchAtGammaOne) {
  auto s = Chart(600, 600);
  const std::array<int, 3> counts = CheckGridGeometry(s.get());
  EXPECT_EQ(counts[0], 3);
  EXPECT_EQ(counts[1], 17);
  EXPECT_EQ(counts[2], 38);
  // Zoomed until the r = 0.1 circle is some 7000 pixels wide but still an
  // arc: its rays must not be turned by the device range.
  s->SetRange(-0.86, -0.0375, -0.785, 0.0375);
  EXPECT_GE(CheckGridGeometry(s.get())[1], 1);
}

std::vector<std::string> Texts(const std::vector<TMetaRecord>& recs) {
  std::vector<std::string> out;
  for (const TMetaRecord& m : recs)
    if (m.Op == TMetaOp::Text) out.push_back(m.Text);
  return out;
}

TEST(SmithGrid, LabelsFollowTheDiscSize) {
  TMetafile mf(1400, 1400);
  auto small = Chart(300, 300);  // unit circle 250 pixels wide
  const auto few = Texts(Grid(*small, mf));
  const std::vector<std::string> expected{"0.2", "-0.2", "0.5", "-0.5", "1",  "-1", "2",  "-2",
                                          "10", "-10",   "5",  "-5",    "0",  "0.2", "0.5", "1",
                                          "2",  "10",    "5"};
  EXPECT_EQ(few, expected);
  auto big = Chart(1140, 1140);  // 950 pixels
  const auto all = Texts(Grid(*big, mf));
  EXPECT_EQ(all.size(), 19u * 2 + 20);
  // A resistance label sits centred where its circle crosses the axis; the
  // reactance labels of x = 1 and -1 stand 10 pixels beyond the unit circle
  // straight above and below the centre.
  const auto recs = Grid(*big, mf);
  std::int32_t ox, oy, ux, uy;
  big->TCustomDEvari::R2M(1, 0, 0, ox, oy);
  big->TCustomDEvari::R2M(1, 0, 1, ux, uy);
  ox -= big->MarginLeft();
  oy -= big->MarginTop();
  const double unit = oy - (uy - big->MarginTop());
  int seen = 0;
  for (const TMetaRecord& m : recs) {
    if (m.Op != TMetaOp::Text || (m.Text != "1" && m.Text != "-1")) continue;
    const TSize e = mf.Canvas().TextExtent(m.Text);
    const double cx = m.Points[0].x + e.cx / 2.0, cy = m.Points[0].y + e.cy / 2.0;
    ++seen;
    if (m.Brush.Style == bsSolid) {
      EXPECT_NEAR(cx, ox, 1);
      EXPECT_NEAR(cy, oy, 1);
    } else if (m.Text == "1") {
      EXPECT_NEAR(cx, ox, 1);
      EXPECT_NEAR(cy, oy - unit - 10, 1.5);
    } else {
      EXPECT_NEAR(cx, ox, 1);
      EXPECT_NEAR(cy, oy + unit + 10, 1.5);
    }
  }
  EXPECT_EQ(seen, 3);
}

TEST(SmithGrid, DeepZoomStaysInDeviceRangeAndGridLiesUnderItems) {
  auto s = Chart(400, 400);
  s->SetRange(0.999, -0.001, 1.001, 0.001);  // next to Γ = 1, where all circles meet
  TMetafile mf(600, 600);
  const auto recs = Grid(*s, mf);
  int polylines = 0;
  for (const TMetaRecord& m : recs) {
    for (const TPoint& p : m.Points) {
      EXPECT_LE(std::abs(p.x), kMaxPixelCoord) << m.ToString();
      EXPECT_LE(std::abs(p.y), kMaxPixelCoord) << m.ToString();
    }
    EXPECT_LE(std::abs(m.Box.Left), kMaxPixelCoord);
    EXPECT_LE(std::abs(m.Box.Right), kMaxPixelCoord);
    polylines += m.Op == TMetaOp::Polyline;
  }
  // The unit circle and the circles through Γ = 1 that have no gap there.
  EXPECT_GE(polylines, 4);

  // In a paint the grid comes first, then the items.
  auto c = Chart(300, 300);
  c->SetDataCol(clRed);
  c->Line(-0.5, 0.5, 0.5, -0.5);
  c->SetSuppressPaint(false);
  mf.Clear();
  c->ConstructDataBmpCanvas(mf.Canvas(), 0, 0, false, 0);
  std::size_t disc = 0, line = 0;
  for (std::size_t i = 0; i < mf.Records().size(); ++i) {
    const TMetaRecord& m = mf.Records()[i];
    if (m.Op == TMetaOp::Ellipse && m.Brush.Style == bsSolid && disc == 0) disc = i + 1;
    if (m.Pen.Color == clRed && line == 0) line = i + 1;
  }
  EXPECT_GT(disc, 0u);
  EXPECT_GT(line, disc);
}

TEST(SmithRanges, IsometricRangesCentringAndSetters) {
  auto s = Chart(400, 300);
  const TChartGeometry g = s->Geometry();
  const double aspect = double(g.DataBmpHeight()) / g.DataBmpWidth();
  EXPECT_TRUE(s->Isometric());
  EXPECT_NEAR(s->RangeYHigh() - s->RangeYLow(), 2.4 * aspect, 1e-9);
  EXPECT_NEAR(s->RangeYLow() + s->RangeYHigh(), 0, 1e-12);
  // Centring keeps the widths.
  s->SetRange(-1, -1.2, 1.4, 1.2);
  s->CentedEvari();
  EXPECT_NEAR(s->RangeXLow(), -1.2, 1e-12);
  EXPECT_NEAR(s->RangeXHigh(), 1.2, 1e-12);
  EXPECT_NEAR(s->RangeYLow() + s->RangeYHigh(), 0, 1e-12);
  // A wider X range widens Y about its centre.
  s->SetRangeXHigh(2);
  EXPECT_NEAR(s->RangeXLow(), -1.2, 1e-12);
  EXPECT_NEAR(s->RangeXHigh(), 2, 1e-12);
  EXPECT_NEAR(s->RangeYHigh() - s->RangeYLow(), 3.2 * aspect, 1e-9);
  EXPECT_NEAR(s->RangeYLow() + s->RangeYHigh(), 0, 1e-12);
  // Y's low end only moves the centre.
  const double yHigh = s->RangeYHigh();
  s->SetRangeYLow(0);
  EXPECT_NEAR(s->RangeYHigh() - s->RangeYLow(), 3.2 * aspect, 1e-9);
  EXPECT_NEAR((s->RangeYLow() + s->RangeYHigh()) / 2, yHigh / 2, 1e-9);
  s->SetRangeXLow(NAN);  // ignored
  EXPECT_NEAR(s->RangeXLow(), -1.2, 1e-12);
  // A new size keeps the chart isometric about the same centre.
  const double yc = (s->RangeYLow() + s->RangeYHigh()) / 2;
  s->SetBounds(0, 0, 700, 300);
  const TChartGeometry g2 = s->Geometry();
  EXPECT_NEAR(s->RangeYHigh() - s->RangeYLow(), 3.2 * g2.DataBmpHeight() / g2.DataBmpWidth(), 1e-9);
  EXPECT_NEAR((s->RangeYLow() + s->RangeYHigh()) / 2, yc, 1e-9);
  EXPECT_NEAR(s->RangeXHigh(), 2, 1e-12);
  s->SetBounds(0, 0, 400 + s->MarginLeft() + s->MarginRight(), 300 + s->MarginTop() + s->MarginBottom());
  // Fitting to the items keeps the rule.
  s->SetIsoMetric(false);
  s->MoveTo(-0.5, 0.0);
  s->DrawTo(0.5, 0.2);
  s->AutoRange(0);
  EXPECT_TRUE(s->Isometric());
  EXPECT_NEAR((s->RangeYHigh() - s->RangeYLow()) / (s->RangeXHigh() - s->RangeXLow()), aspect, 1e-9);
  // Start values.
  TSmithChart fresh;
  EXPECT_EQ(fresh.GridStyle(), gsPoints);
  EXPECT_FALSE(fresh.GetScalePropsX(1).Visible());
  EXPECT_FALSE(fresh.GetScalePropsY(2).Visible());
  EXPECT_EQ(fresh.SmithSettings(), TSmithSettings{});
  EXPECT_NEAR(fresh.RangeXLow(), -1.2, 1e-12);
}

TEST(SmithChart, ColoursRepaintOnceAndAssignCopiesThem) {
  TCountingSmith s;
  s.SetGridColorLight(clRed);
  s.SetGridColorLight(clRed);
  EXPECT_EQ(s.Paints, 1);
  s.SetDiagramColor(clYellow);
  EXPECT_EQ(s.Paints, 2);
  TSmithChart t;
  t.Assign(s);
  EXPECT_EQ(t.GridColorLight(), clRed);
  EXPECT_EQ(t.DiagramColor(), clYellow);
  s.ResetComp();
  EXPECT_EQ(s.SmithSettings(), TSmithSettings{});
  // The disc is filled with the diagram colour in a real paint.
  s.SetDiagramColor(0x00FF00);
  std::int32_t x, y;
  s.R2M(0.55, 0.55, x, y);  // inside the disc, off the grid lines
  const TColor at = s.Canvas().Pixel(x, y);
  EXPECT_EQ(at, 0x00FF00u);
}

}  // namespace
}  // namespace kvo
