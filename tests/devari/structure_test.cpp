// The chart's structure: helper axes agree with the transform in every
// state, setters ignore unchanged values, the style as one value, and the
// paint sequence's hooks as derived charts use them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "devari/stdlayout.h"
#include "devari/tdevari.h"

namespace kvo {
namespace {

class TLiveChart : public TDEvari {
public:
  TLiveChart() {
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

// Every helper axis maps values to the pixels the chart's transform gives
// them, and a vertical axis spans the data area's height.
void ExpectAxesAgreeWithTheTransform(TDEvari& c, const std::string& state) {
  SCOPED_TRACE(state);
  const TChartGeometry g = c.Geometry();
  for (std::int32_t l = 1; l <= 2; ++l) {
    const TScaleProps& px = c.GetScalePropsX(l);
    const TScaleProps& py = c.GetScalePropsY(l);
    for (double f : {0.0, 0.25, 0.5, 1.0}) {
      const double x = px.RangeLow() + f * (px.RangeHigh() - px.RangeLow());
      const double y = py.RangeLow() + f * (py.RangeHigh() - py.RangeLow());
      std::int32_t mx = 0, my = 0;
      c.R2M(l, x, y, mx, my);
      EXPECT_LE(std::abs(c.ScaleX(l).ConvertToPixelCoords(x) - mx), 1) << "layer " << l << " x " << x;
      EXPECT_LE(std::abs(c.ScaleY(l).ConvertToPixelCoords(y) - my), 1) << "layer " << l << " y " << y;
    }
    EXPECT_EQ(c.ScaleY(l).ConvertToPixelCoords(py.RangeHigh()), g.TRim);
    EXPECT_EQ(c.ScaleY(l).ConvertToPixelCoords(py.RangeLow()), g.Height - g.BRim - g.Shadow);
  }
}

TEST(ChartStructure, HelperAxesAgreeWithTheTransformInEveryState) {
  TDEvari c;
  ExpectAxesAgreeWithTheTransform(c, "constructed");
  c.Scale1Y().SetRangeHigh(7);
  c.Scale2X().SetRangeLow(-3);
  ExpectAxesAgreeWithTheTransform(c, "ranges");
  c.SetTRim(33);
  c.SetBRim(51);
  c.SetF3DRim(6);
  ExpectAxesAgreeWithTheTransform(c, "margins and shadow");
  for (std::uint8_t k = 0; k < kNumStdLayouts; ++k) {
    c.SetStdLayout(TrcLayout(k));
    ExpectAxesAgreeWithTheTransform(c, "layout " + std::to_string(k));
  }
  c.SetBounds(0, 0, 640, 480);
  ExpectAxesAgreeWithTheTransform(c, "resized");
  c.ResetComp();
  ExpectAxesAgreeWithTheTransform(c, "reset");
  EXPECT_EQ(c.Style(), StartStyle());
}

TEST(ChartStructure, SettersIgnoreUnchangedValuesAndRepaintOnceOnAChange) {
  TLiveChart c;
  const TChartStyle s = c.Style();
  c.SetChartCaption(s.Caption);
  c.SetCaptPosX(s.CaptionPosX);
  c.SetCaptPosY(s.CaptionPosY);
  c.SetCaptAlignment(s.CaptionAlignment);
  c.SetCaptAnchorX(s.CaptionAnchorX);
  c.SetCaptAnchorY(s.CaptionAnchorY);
  c.SetCaptTrim(s.CaptionTrim);
  c.SetLRim(s.LRim);
  c.SetRRim(s.RRim);
  c.SetTRim(s.TRim);
  c.SetBRim(s.BRim);
  c.SetF3DRim(s.ShadowWidth);
  c.SetF3DRim(-4);  // clamps to the current 0
  c.SetChartCol(s.ChartColor);
  c.SetWindCol(s.WindColor);
  c.SetScaleCol(s.FrameColor);
  c.SetGridCol(s.GridColor);
  c.SetGridStyle(s.GridStyle);
  c.SetGridDx(s.GridDx);
  c.SetShadowStyle(s.ShadowStyle);
  c.SetShadowColor(s.ShadowColor);
  c.SetShadowBakColor(s.ShadowBakColor);
  c.SetStyle(s);
  EXPECT_EQ(c.Paints, 0);

  c.SetChartCaption("Spectrum");
  EXPECT_EQ(c.Paints, 1);
  c.SetCaptTrim(300);  // clamps to 100, the current value
  EXPECT_EQ(c.Paints, 1);
  c.SetLRim(77);
  EXPECT_EQ(c.Paints, 2);
  EXPECT_EQ(c.ScaleX(1).MarginLeft(), 77);
}

TEST(ChartStructure, AStyleIsTakenWholeWithOneRepaint) {
  TLiveChart c;
  TChartStyle s = c.Style();
  s.ChartColor = clYellow;
  s.GridStyle = gsLines;
  s.LRim = 90;
  s.ShadowWidth = 99;  // clamped like its setter
  s.Caption = "Run 7";
  c.SetStyle(s);
  EXPECT_EQ(c.Paints, 1);
  EXPECT_EQ(c.ChartColor(), clYellow);
  EXPECT_EQ(c.ShadowWidth(), 32);
  EXPECT_EQ(c.LRim(), 90);
  ExpectAxesAgreeWithTheTransform(c, "style");
  c.ResetComp();
  EXPECT_EQ(c.Style(), StartStyle());
}

// A derived chart as the Smith chart, contour plot and box plot are built:
// it overrides hooks and never the paint sequence.
class THookedChart : public TDEvari {
public:
  std::vector<std::string> Calls;
  TColor Background = clAqua;

protected:
  void BuildItems() override {
    Calls.push_back("build");
    if (NumItems() == 0) {
      MoveTo(0.0, 0.0);
      DrawTo(1.0, 1.0);
    }
  }
  void DrawDataAreaBackground(TCanvas& canvas, std::int32_t left, std::int32_t top,
                              std::int32_t width, std::int32_t height) override {
    Calls.push_back("background");
    canvas.Brush().SetColor(Background);
    canvas.FillRect(TRect{left, top, left + width, top + height});
  }
  void DrawItems(TCanvas& canvas, std::int32_t left, std::int32_t top, bool bw,
                 std::int32_t startIndex) override {
    Calls.push_back("items " + std::to_string(NumItems()));
    TDEvari::DrawItems(canvas, left, top, bw, startIndex);
  }
  void DrawOverlays(TCanvas& canvas, std::int32_t left, std::int32_t top) override {
    Calls.push_back("overlays");
    TDEvari::DrawOverlays(canvas, left, top);
  }
};

TEST(ChartStructure, PaintRunsTheHooksInOrder) {
  THookedChart c;
  c.HandleNeeded();
  c.SetSuppressPaint(false);
  c.Calls.clear();
  c.Paint();
  const std::vector<std::string> expected{"build", "background", "items 2", "overlays"};
  EXPECT_EQ(c.Calls, expected);
  // The derived background fills the data area; the item drawn over it by
  // the default item pass crosses it.
  const TChartGeometry g = c.Geometry();
  EXPECT_EQ(c.Canvas().Pixel(g.LRim + 5, g.TRim + g.DataHeight() / 2), clAqua);
}

}  // namespace
}  // namespace kvo
