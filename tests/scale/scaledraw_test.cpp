// Exact drawing geometry through the recording canvas: base line and tick
// lines per scale type, foreign-canvas offsets, label and caption placement,
// date/time messages, events and the printer font rule.
#include "scale/scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/metafile.h"
#include "platform/vectorcanvas.h"
#include "scale/scaledraw_p.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

// A transparent helper scale drawing on a recording canvas.
struct TRecorded {
  TMetafile Meta{800, 800};
  TScale Scale;
  explicit TRecorded(TScaleType type, std::int32_t offX = 0, std::int32_t offY = 0) {
    Scale.HandleNeeded();
    Scale.SetSuppressPaint(true);
    Scale.SetScaleType(type);
    Scale.SetTransparent(true);
    Scale.SetIsHelper(true);
    Scale.UseForeignCanvas(&Meta.Canvas(), offX, offY);
  }
  const std::vector<TMetaRecord>& Draw() {
    Meta.Clear();
    Scale.ForcePaint();
    return Meta.Records();
  }
  std::vector<TMetaRecord> Of(TMetaOp op) {
    std::vector<TMetaRecord> out;
    for (const TMetaRecord& r : Draw())
      if (r.Op == op) out.push_back(r);
    return out;
  }
  const TMetaRecord* Text(const std::string& s) {
    for (const TMetaRecord& r : Meta.Records())
      if (r.Op == TMetaOp::Text && r.Text == s) return &r;
    return nullptr;
  }
  TSize Extent(const std::string& s) {
    TCanvas& cv = Meta.Canvas();
    cv.Font().Assign(Scale.Font());
    return cv.TextExtent(s);
  }
};

bool HasLine(const std::vector<TMetaRecord>& recs, TPoint a, TPoint b) {
  return std::any_of(recs.begin(), recs.end(), [&](const TMetaRecord& r) {
    return r.Op == TMetaOp::Line && r.Points.size() == 2 && r.Points[0] == a && r.Points[1] == b;
  });
}

TEST(ScaleDraw, ForeignCanvasShiftsAHorizontalScaleOnlyVertically) {
  TRecorded r(stLabelsBelow, 10, 300);
  const auto& recs = r.Draw();
  // Base line at row 300 + MarginTop, x coordinates unchanged.
  EXPECT_TRUE(HasLine(recs, {20, 320}, {379, 320}));
  EXPECT_TRUE(HasLine(recs, {20, 320}, {20, 327}));    // major tick at 0, 7 down
  EXPECT_TRUE(HasLine(recs, {56, 320}, {56, 324}));    // minor tick at 10, 4 down
  EXPECT_TRUE(HasLine(recs, {379, 320}, {379, 327}));  // major tick at 100
  const TMetaRecord* zero = r.Text("0");
  ASSERT_NE(zero, nullptr);
  EXPECT_EQ(zero->Points[0].y, 327);  // labels 7 below the base line
}

TEST(ScaleDraw, ForeignCanvasShiftsAVerticalScaleOnlyHorizontally) {
  TRecorded r(stLabelsRight, 10, 300);
  const auto& recs = r.Draw();
  EXPECT_TRUE(HasLine(recs, {30, 20}, {30, 379}));
  EXPECT_TRUE(HasLine(recs, {30, 379}, {36, 379}));  // major tick at 0, 6 right
  EXPECT_TRUE(HasLine(recs, {30, 343}, {34, 343}));  // minor tick at 10
  const TMetaRecord* half = r.Text("50");
  ASSERT_NE(half, nullptr);
  const std::int32_t h = r.Extent("0").cy;
  EXPECT_EQ(half->Points[0], (TPoint{30 + 8, 200 - h / 2}));
}

TEST(ScaleDraw, TickDirectionsOfTheOtherTypes) {
  TRecorded above(stLabelsAbove);
  const auto& a = above.Draw();
  EXPECT_TRUE(HasLine(a, {20, 379}, {20, 372}));  // 7 up from row Height - MarginBottom - 1
  EXPECT_TRUE(HasLine(a, {56, 379}, {56, 375}));
  const TSize sz = above.Extent("50");
  const TMetaRecord* half = above.Text("50");
  ASSERT_NE(half, nullptr);
  EXPECT_EQ(half->Points[0], (TPoint{200 - sz.cx / 2, 379 - sz.cy - 7}));

  TRecorded left(stLabelsLeft);
  const auto& l = left.Draw();
  EXPECT_TRUE(HasLine(l, {379, 20}, {373, 20}));  // major tick at 100, 6 left
  EXPECT_TRUE(HasLine(l, {379, 56}, {375, 56}));
  const TMetaRecord* hundred = left.Text("100");
  ASSERT_NE(hundred, nullptr);
  EXPECT_EQ(hundred->Points[0].x, 379 - left.Extent("100").cx - 8);
}

TEST(ScaleDraw, VerticalLogMinorTicksAreLong) {
  TRecorded r(stLabelsRight);
  r.Scale.SetRange(1, 100);
  r.Scale.SetMinTicks(5);
  r.Scale.SetLogarithmic(true);
  const auto& recs = r.Draw();
  const std::int32_t y3 = r.Scale.ConvertToPixelCoords(3);
  EXPECT_TRUE(HasLine(recs, {20, y3}, {26, y3}));
  TRecorded h(stLabelsBelow);
  h.Scale.SetRange(1, 100);
  h.Scale.SetMinTicks(5);
  h.Scale.SetLogarithmic(true);
  const auto& hr = h.Draw();
  const std::int32_t x3 = h.Scale.ConvertToPixelCoords(3);
  EXPECT_TRUE(HasLine(hr, {x3, 20}, {x3, 24}));
}

TEST(ScaleDraw, LabelsArePulledInsideTheControl) {
  TRecorded r(stLabelsBelow);
  r.Scale.SetMarginLeft(0);
  r.Scale.SetMarginRight(0);
  r.Draw();
  const TMetaRecord* zero = r.Text("0");
  const TMetaRecord* hundred = r.Text("100");
  ASSERT_NE(zero, nullptr);
  ASSERT_NE(hundred, nullptr);
  EXPECT_EQ(zero->Points[0].x, 2);  // starts at x = 2
  const std::int32_t w = r.Extent("100").cx;
  EXPECT_EQ(hundred->Points[0].x, 400 - 2 * (w / 2) - 2);  // ends 2 pixels inside
  EXPECT_EQ(ClampLabelLeft(200, 20, 400), 190);
  EXPECT_EQ(ClampLabelLeft(5, 20, 400), 2);
  EXPECT_EQ(ClampLabelLeft(395, 21, 400), 378);
}

TEST(ScaleDraw, CaptionPlacement) {
  TRecorded r(stLabelsBelow);
  r.Scale.SetCaption("Volt");
  r.Scale.SetCaptionAnchor(uaSclCenter);
  r.Scale.SetCaptionAlignment(taCenter);
  r.Draw();
  const std::int32_t w = r.Extent("Volt").cx;
  const TMetaRecord* c = r.Text("Volt");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Points[0], (TPoint{200 + 4 - w / 2, 20 + 4}));
  r.Scale.SetCaptionAnchor(uaSclBotRgt);
  r.Scale.SetCaptionAlignment(taRightJustify);
  r.Scale.SetCaptionPosX(-3);
  r.Draw();
  EXPECT_EQ(r.Text("Volt")->Points[0].x, 380 - 3 - w);

  TRecorded v(stLabelsLeft, 7, 0);
  v.Scale.SetCaption("Volt");
  v.Scale.SetCaptionAlignment(taLeftJustify);
  v.Scale.SetCaptionPosX(-30);
  v.Scale.SetCaptionPosY(-16);
  v.Draw();
  EXPECT_EQ(v.Text("Volt")->Points[0], (TPoint{7 + 379 - 30, 20 - 16}));
}

TEST(ScaleDraw, OpaqueScaleIsCopiedToTheForeignCanvasAtItsOffset) {
  TRecorded r(stLabelsBelow, 10, 300);
  r.Scale.SetTransparent(false);
  const auto bitmaps = r.Of(TMetaOp::DrawBitmap);
  ASSERT_EQ(bitmaps.size(), 1u);
  EXPECT_EQ(bitmaps[0].Box, (TRect{10, 300, 410, 700}));
  EXPECT_EQ(r.Of(TMetaOp::Line).size(), 0u);
  // The bitmap holds the background and, in it, the base line at MarginTop.
  const TBitmap& img = *bitmaps[0].Image;
  EXPECT_EQ(img.ScanLine(100)[100].R, GetRValue(ColorToRGB(clBtnFace)));
  EXPECT_EQ(img.ScanLine(20)[100].R, 0);
}

TEST(ScaleDraw, EventsAndLabelReplacement) {
  TRecorded r(stLabelsBelow);
  std::vector<std::string> order;
  std::vector<TPoint> tickPixels;
  r.Scale.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { order.push_back("before"); };
  r.Scale.OnAfterScaleRendered = [&](TObject*, TCanvas&) { order.push_back("after"); };
  r.Scale.OnScaleTickDrawn = [&](TObject* s, TCanvas&, TScaleType t, double, std::int32_t x,
                                 std::int32_t y) {
    EXPECT_EQ(s, &r.Scale);
    EXPECT_EQ(t, stLabelsBelow);
    tickPixels.push_back({x, y});
  };
  r.Scale.OnBeforeTickLabel = [&](TObject*, TScaleType, double v, std::string& text) {
    if (v == 50) text = "fifty";
  };
  r.Draw();
  EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
  ASSERT_EQ(tickPixels.size(), 14u);  // 11 minor, 3 major
  EXPECT_EQ(tickPixels.front(), (TPoint{20, 20}));
  EXPECT_NE(r.Text("fifty"), nullptr);
  EXPECT_EQ(r.Text("50"), nullptr);
}

TEST(ScaleDraw, HandlersMayChangeTheScaleWhileItDraws) {
  TRecorded r(stLabelsBelow);
  int calls = 0;
  r.Scale.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string&) {
    ++calls;
    r.Scale.SetCaption("changed");  // repaints a helper at once: deferred instead
    r.Scale.SetRange(0, 10);
    r.Scale.DrawXScale(r.Meta.Canvas(), 5);  // nested drawing is ignored
  };
  r.Draw();
  EXPECT_NE(r.Text("changed"), nullptr);  // the second pass shows the change
  EXPECT_NE(r.Text("10.0"), nullptr);
  EXPECT_EQ(calls, 3 + 3);  // three labels in each of the two passes
  r.Scale.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::string&) {
    throw std::runtime_error("handler");
  };
  EXPECT_THROW(r.Draw(), std::runtime_error);
  r.Scale.OnBeforeTickLabel = nullptr;
  EXPECT_NE(r.Draw().size(), 0u);  // still paints after a throwing handler
}

TEST(ScaleDraw, TimeCandidatesOutsideTheRangeRaiseEventsAtTheLastTick) {
  TRecorded r(stLabelsBelow);
  r.Scale.SetLabelType(ftTime);
  r.Scale.SetRange(0, 7200);
  std::vector<TPoint> pixels;
  r.Scale.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, std::int32_t x,
                                 std::int32_t y) { pixels.push_back({x, y}); };
  r.Draw();
  ASSERT_EQ(pixels.size(), 35u);  // 30 minor candidates, 5 majors
  EXPECT_EQ(pixels[25], (TPoint{379, 20}));  // past the range: the last minor drawn
  EXPECT_NE(r.Text(" 00:30:00"), nullptr);
}

TEST(ScaleDraw, DateTimeMessages) {
  TRecorded h(stLabelsBelow);
  h.Scale.SetLabelType(ftDateTime);
  h.Scale.SetRange(-700000, 0);
  h.Draw();
  const TMetaRecord* msg = h.Text("invalid DateTime scale");
  ASSERT_NE(msg, nullptr);
  const std::int32_t xm = h.Scale.ConvertToPixelCoords(-350000);
  EXPECT_EQ(msg->Points[0], (TPoint{xm - h.Extent("invalid DateTime scale").cx / 2, 20 + 7}));
  EXPECT_TRUE(h.Of(TMetaOp::Line).size() == 1u);  // the base line only

  TRecorded v(stLabelsRight);
  v.Scale.SetLabelType(ftDateTime);
  v.Scale.SetRange(0, 10.0 / 86400 / 1000);  // far below a hundredth per tick
  v.Draw();
  const std::int32_t H = v.Extent("T").cy;
  const std::int32_t ym = v.Scale.ConvertToPixelCoords(5.0 / 86400 / 1000);
  const char* words[] = {"DateTime", "range is", "below 1", "second"};
  for (int i = 0; i < 4; ++i) {
    const TMetaRecord* w = v.Text(words[i]);
    ASSERT_NE(w, nullptr) << words[i];
    EXPECT_EQ(w->Points[0], (TPoint{22, ym + (i - 1) * H}));
  }
}

TEST(ScaleDraw, MessagesOfLabelsAboveStandAboveTheBaseLine) {
  // Like the labels they replace: a type-0 axis sits above a chart's data
  // area, so its message must not fall below the line into the data.
  TRecorded r(stLabelsAbove);
  r.Scale.SetLabelType(ftDateTime);
  r.Scale.SetRange(10, 5);
  r.Draw();
  const TMetaRecord* msg = r.Text("invalid DateTime scale");
  ASSERT_NE(msg, nullptr);
  EXPECT_EQ(msg->Points[0].y, 379 - r.Extent("invalid DateTime scale").cy - 7);
}

TEST(ScaleDraw, NoLabelTypeDrawsTicksOnly) {
  TRecorded r(stLabelsBelow);
  r.Scale.SetLabelType(ftNoFigs);
  r.Scale.SetCaption("cap");
  EXPECT_EQ(r.Of(TMetaOp::Line).size(), 15u);  // 11 minor, 3 major, the base line
  const auto texts = r.Of(TMetaOp::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "cap");
}

TEST(ScaleDraw, DateLinesSitOneTextLineFurtherOut) {
  TRecorded r(stLabelsBelow);
  r.Scale.SetLabelType(ftDateTime);
  r.Scale.SetRange(45356, 45357);
  r.Draw();
  const TMetaRecord* date = r.Text("05-Mar-2024");
  const TMetaRecord* time = r.Text("08:00");
  ASSERT_NE(date, nullptr);
  ASSERT_NE(time, nullptr);
  const std::int32_t h = r.Extent("05-Mar-2024").cy;
  EXPECT_EQ(date->Points[0].y, 20 + h + 7);
  EXPECT_EQ(time->Points[0].y, 20 + 7);
}

TEST(ScaleDraw, PrinterCanvasKeepsThePointSize) {
  TVectorFile pdf(test::TempPath("scale-print.pdf"), TVectorFormat::Pdf, 2000, 2000, 300);
  pdf.MarkAsPrinter();
  TScale s;
  s.HandleNeeded();
  s.SetTransparent(true);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&pdf.Canvas(), 0, 0);
  s.ForcePaint();
  EXPECT_EQ(pdf.Canvas().Font().PixelsPerInch(), 300);
  EXPECT_EQ(pdf.Canvas().Font().Size(), s.Font().Size());
}

// Offsets, margins and caption positions come from setters that take any
// integer; drawing with extreme ones must neither overflow nor lose the
// scale's own geometry.
TEST(ScaleDraw, ExtremeOffsetsMarginsAndCaptionPositionsDrawWithoutOverflow) {
  constexpr std::int32_t kMax = 2147483647, kMin = -kMax - 1, kFar = 1 << 30;
  for (TScaleType type : {stLabelsAbove, stLabelsBelow, stLabelsRight, stLabelsLeft}) {
    TRecorded r(type);
    r.Scale.SetCaption("unit");
    r.Scale.SetCaptionPosX(kMax);
    r.Scale.SetCaptionPosY(kMin);
    r.Scale.SetCaptionAnchor(uaSclBotRgt);
    r.Scale.SetCaptionAlignment(taLeftJustify);
    r.Draw();
    const TMetaRecord* caption = r.Text("unit");
    ASSERT_NE(caption, nullptr);
    // Pushed as far as the coordinates go, not wrapped round to the other side.
    EXPECT_GT(caption->Points[0].x, kFar);
    EXPECT_LT(caption->Points[0].y, -kFar);

    r.Scale.SetCaptionPosX(kMin);
    r.Scale.SetCaptionPosY(kMax);
    r.Scale.SetCaptionAlignment(taRightJustify);
    r.Draw();
    ASSERT_NE(r.Text("unit"), nullptr);
    EXPECT_LT(r.Text("unit")->Points[0].x, -kFar);
    EXPECT_GT(r.Text("unit")->Points[0].y, kFar);

    // Extreme foreign-canvas offsets move the base line to the edge of the
    // coordinate range.
    r.Scale.UseForeignCanvas(&r.Meta.Canvas(), kMax, kMax);
    bool far = false;
    for (const TMetaRecord& rec : r.Draw())
      if (rec.Op == TMetaOp::Line)
        for (const TPoint& p : rec.Points) far = far || p.x > kFar || p.y > kFar;
    EXPECT_TRUE(far);
    for (const TMetaRecord& rec : r.Meta.Records())
      for (const TPoint& p : rec.Points) EXPECT_GT(std::max(p.x, p.y), -kFar);

    r.Scale.UseForeignCanvas(&r.Meta.Canvas(), kMin, kMin);
    r.Scale.SetMarginLeft(kMax);
    r.Scale.SetMarginRight(kMax);
    r.Scale.SetMarginTop(kMax);
    r.Scale.SetMarginBottom(kMax);
    r.Scale.SetCaptionAnchor(uaSclCenter);
    r.Scale.SetCaptionAlignment(taCenter);
    EXPECT_FALSE(r.Draw().empty());
  }
}

// A control as wide as the coordinates allow: labels near the right end are
// still pulled inside it.
TEST(ScaleDraw, LabelClampingOnTheWidestControl) {
  EXPECT_EQ(ClampLabelLeft(2147483647, 40, 2147483647), 2147483647 - 40 - 2);
  EXPECT_EQ(ClampLabelLeft(-2147483647 - 1, 40, 400), 2);
  EXPECT_EQ(ClampLabelLeft(2147483600, 2147483647, 2147483647), 2147483647 - 2147483646 - 2);
}

// Random settings from the whole range of every setter (ranges, sizes,
// margins, offsets, caption positions, label kinds, log mode) are drawn and
// dragged without failing; under the sanitizers any overflow or invalid
// conversion on the way stops the test.
TEST(ScaleDraw, RandomSettingsDrawAndDragWithoutFailing) {
  std::mt19937 rng(20261208);
  auto pick = [&](std::initializer_list<std::int32_t> v) {
    return *(v.begin() + std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(rng));
  };
  auto anyInt = [&] {
    return pick({0, 1, -1, 5, 20, 399, 4000, -4000, 1 << 20, -(1 << 20), 2147483647,
                 -2147483647 - 1});
  };
  auto anyValue = [&] {
    const double v[] = {0, 1, -1, 1e-300, -1e-300, 1e300, -1e300, 1.7e308, -1.7e308, 100, 7200,
                        45000.25, -700000, 3000000, 1 + 1e-15, 1e-5};
    return v[std::uniform_int_distribution<int>(0, int(std::size(v)) - 1)(rng)];
  };
  TMetafile meta(400, 400);
  for (int round = 0; round < 300; ++round) {
    TScale s;
    s.HandleNeeded();
    s.SetSuppressPaint(true);
    s.SetBounds(0, 0, pick({0, 1, 30, 400, 5000}), pick({0, 1, 30, 400, 5000}));
    s.SetScaleType(TScaleType(pick({0, 1, 2, 3})));
    s.SetLabelType(TFigType(pick({0, 1, 2, 3, 4})));
    s.SetRange(anyValue(), anyValue());
    s.SetLogarithmic(pick({0, 1}) == 1);
    s.SetMinTicks(pick({0, 2, 10}));
    s.SetDecPlaces(pick({-3, -2, -1, 0, 12}));
    s.SetShortTicks(pick({0, 1}) == 1);
    s.SetMarginLeft(anyInt());
    s.SetMarginRight(anyInt());
    s.SetMarginTop(anyInt());
    s.SetMarginBottom(anyInt());
    s.SetCaption("unit");
    s.SetCaptionPosX(anyInt());
    s.SetCaptionPosY(anyInt());
    s.SetCaptionAnchor(TScaleUnitAnchor(pick({0, 1, 2})));
    s.SetUserTickText("a|b");
    s.SetScaleInscript("$&");
    // Opaque scales draw through a bitmap of their size: only small ones.
    s.SetTransparent(pick({0, 1}) == 1 || s.Width() > 400 || s.Height() > 400);
    s.SetIsHelper(true);
    s.UseForeignCanvas(&meta.Canvas(), anyInt(), anyInt());
    meta.Clear();
    s.ForcePaint();
    EXPECT_LE(s.NumTicks(), 250);
    for (std::int32_t i = 1; i <= s.NumTicks(); ++i) (void)s.GetTickPos(i);
    (void)s.ConvertToPixelCoords(anyValue());
    (void)s.ConvertPixelToScale(anyInt());
    s.SetMouseAction(TMouseActMode(pick({mamPan, mamStretch, mamZoomDrag})));
    for (int m = 0; m < 4; ++m) s.DoMouseMove(TShiftState{ssLeft}, anyInt(), anyInt());
    s.DoMouseUp(mbLeft, TShiftState{}, 0, 0);
  }
}

}  // namespace
}  // namespace kvo
