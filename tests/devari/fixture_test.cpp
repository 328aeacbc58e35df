// The shared chart fixture and item builders (tests/support/) on the real
// chart: builder records drawn by the chart land where the axes say, the
// fixture's chart paints, and the forwarding header still names the
// counting chart.
#include <gtest/gtest.h>

#include "chart_fixture.h"
#include "tests/support/chart_fixture.h"
#include "tests/support/items.h"
#include "tests/support/recording.h"

namespace kvo {
namespace {

using test::ChartTest;

TEST_F(ChartTest, BuiltItemsDrawWhereTheAxesMapThem) {
  // The data area of the start layout is 221 x 153 pixels: X 0..10 and
  // Y 0..1 span it, y growing upwards.
  Chart.MoveTo(0.0, 0.0);
  Chart.SetChartItem(0, test::LineItem(0, 0, 10, 1).Color(clRed).Width(1));
  Chart.MoveTo(0.0, 0.0);
  Chart.SetChartItem(1, test::RectItem(2.5, 0.25, 7.5, 0.75).Color(clBlue).Fill(clYellow));
  ASSERT_EQ(Chart.NumItems(), 2);
  EXPECT_EQ(Chart.GetChartItem(0).ItemKind, tkLine);
  EXPECT_EQ(Chart.GetChartItem(1).FillColor, clYellow);

  const TMetafile& mf = RecordDataArea();
  const auto red = test::StrokedWith(mf, clRed);
  ASSERT_EQ(red.size(), 1u) << test::Listing(mf);
  const std::optional<TRect> line = test::BoundsOf(red);
  ASSERT_TRUE(line.has_value());
  EXPECT_EQ(line->Left, 0);
  EXPECT_EQ(line->Top, 0);
  EXPECT_EQ(line->Right, Chart.GrafBmp().Width());
  EXPECT_EQ(line->Bottom, Chart.GrafBmp().Height());

  const auto rects = test::RecordsWhere(mf.Records(), [](const TMetaRecord& r) {
    return r.Op == TMetaOp::Rectangle && r.Brush.Color == clYellow;
  });
  ASSERT_EQ(rects.size(), 1u) << test::Listing(mf);
  const TRect box = *test::BoundsOf(rects);
  // A quarter of the area in from each side, within a pixel of rounding.
  EXPECT_NEAR(box.Left, Chart.GrafBmp().Width() / 4.0, 1.5);
  EXPECT_NEAR(box.Right, Chart.GrafBmp().Width() * 3 / 4.0, 1.5);
  EXPECT_NEAR(box.Top, Chart.GrafBmp().Height() / 4.0, 1.5);
  EXPECT_NEAR(box.Bottom, Chart.GrafBmp().Height() * 3 / 4.0, 1.5);
}

TEST_F(ChartTest, PaintsTheWholeControl) {
  Chart.SetDataColor(clRed);
  Chart.SetLineWidth(3);
  Chart.MoveTo(0.0, 0.0);
  Chart.DrawTo(10.0, 1.0);
  const TBitmap& b = PaintChart();
  ASSERT_EQ(b.Width(), kWidth);
  ASSERT_EQ(b.Height(), kHeight);
  int red = 0;
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x) {
      const TRGB32 p = b.ScanLine(y)[x];
      if (p.R > 200 && p.G < 60 && p.B < 60) ++red;
    }
  EXPECT_GT(red, 3 * 200);  // a 3-pixel line across a 221 x 153 area
}

TEST(ChartFixture, BuildersStartFromTheChartDefaults) {
  TrcChartItem plain{};
  CleadEvariItem(plain);
  const TrcChartItem mark = test::MarkItem(1, 2, 21).Layer(2).Class(7).Tag(-1);
  EXPECT_EQ(mark.ItemKind, tkMarkAt);
  EXPECT_EQ(mark.Param3, 21);
  EXPECT_EQ(mark.Layer, 2);
  EXPECT_EQ(mark.ItemClass, 7);
  EXPECT_EQ(mark.Tag, -1);
  EXPECT_EQ(mark.FillColor, plain.FillColor);
  EXPECT_EQ(mark.CoordMode, cmAllWorld);
  const TrcChartItem text = test::TextItem(0, 0, "a text longer than fifteen");
  EXPECT_EQ(ShortText(text), "a text longer t");
  // The old fixture header still names the counting chart.
  testing::TCountingChart counting;
  EXPECT_EQ(counting.Paints, 0);
  counting.SetSuppressPaint(true);
  counting.SetSuppressPaint(false);  // painting back on: one repaint
  EXPECT_EQ(counting.Paints, 1);
}

}  // namespace
}  // namespace kvo
