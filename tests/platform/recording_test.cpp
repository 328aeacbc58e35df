// The shared recording-canvas queries of tests/support/recording.h on a
// known drawing: kinds, counts, texts, lines, colours and pixel boxes.
#include <gtest/gtest.h>

#include "platform/metafile.h"
#include "tests/support/recording.h"

namespace kvo {
namespace {

TEST(RecordingQueries, FindCountAndBound) {
  TMetafile mf(100, 80);
  TCanvas& c = mf.Canvas();
  c.Pen().SetColor(clRed);
  c.MoveTo(10, 20);
  c.LineTo(30, 25);
  c.Pen().SetColor(clBlue);
  const TPoint poly[] = {{5, 60}, {50, 40}, {70, 70}};
  c.Polyline(poly, 3);
  c.Rectangle(60, 10, 40, 30);  // given right to left: the box is normalised
  c.TextOut(12, 14, "label");
  c.SetClipRect({0, 0, 50, 50});
  c.ResetClip();

  EXPECT_EQ(test::CountOf(mf, TMetaOp::Line), 1u);
  EXPECT_EQ(test::RecordsOf(mf, TMetaOp::Polyline).size(), 1u);
  EXPECT_EQ(test::DrawingCount(mf), 4u) << test::Listing(mf);
  EXPECT_TRUE(test::HasLine(mf, {10, 20}, {30, 25}));
  EXPECT_TRUE(test::HasLine(mf, {30, 25}, {10, 20}));
  EXPECT_FALSE(test::HasLine(mf, {10, 20}, {30, 26}));
  EXPECT_EQ(test::StrokedWith(mf, clRed).size(), 1u);
  EXPECT_EQ(test::StrokedWith(mf, clBlue).size(), 1u);
  ASSERT_NE(test::FindText(mf, "label"), nullptr);
  EXPECT_EQ(test::FindText(mf, "lab"), nullptr);
  EXPECT_EQ(test::Texts(mf), (std::vector<std::string>{"label"}));

  // Boxes are right/bottom exclusive; clip records cover nothing.
  EXPECT_EQ(test::BoundsOf(test::RecordsOf(mf, TMetaOp::Line)), (TRect{10, 20, 31, 26}));
  EXPECT_EQ(test::BoundsOf(test::RecordsOf(mf, TMetaOp::Rectangle)), (TRect{40, 10, 60, 30}));
  EXPECT_EQ(test::BoundsOf(test::StrokedWith(mf, clBlue)), (TRect{5, 40, 71, 71}));
  EXPECT_FALSE(test::BoundsOf(test::RecordsOf(mf, TMetaOp::SetClip)).has_value());
  EXPECT_EQ(test::BoundsOf(mf.Records()), (TRect{5, 10, 71, 71}));
  EXPECT_FALSE(test::BoundsOf(test::TRecords{}).has_value());
}

}  // namespace
}  // namespace kvo
