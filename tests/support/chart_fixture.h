// Chart test fixtures.
//
// TCountingChart is a live chart (painting on) that counts its repaints
// instead of painting (display-list tests). ChartTest is a GoogleTest fixture with a real chart of a known
// size (280 x 200, the start size) and ranges (layer 1: X 0..10, Y 0..1),
// painting on, and a recording canvas for its data area:
//
//   TEST_F(ChartTest, LineCrossesTheDataArea) {
//     Chart.Line(0.0, 0.0, 10.0, 1.0);
//     const TMetafile& mf = RecordDataArea();
//     EXPECT_EQ(test::StrokedWith(mf, clBlack).size(), 1u) << test::Listing(mf);
//   }
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "devari/tdevari.h"
#include "platform/bitmap.h"
#include "platform/metafile.h"
#include "tests/support/recording.h"

namespace kvo::test {

class TCountingChart : public TDEvari {
public:
  TCountingChart() {
    SetSuppressPaint(false);
    Paints = 0;
  }
  int Paints = 0;
  void Paint() override { ++Paints; }
  using TDEvari::FLastElemOnShow;
};

// Sets the ranges of one layer (both ends, in the order that keeps them
// apart), repainting once.
inline void SetRanges(TCustomDEvari& c, std::int32_t layer, double xlo, double xhi, double ylo,
                      double yhi) {
  const bool keep = c.SuppressPaint();
  c.SetSuppressPaint(true);
  TScaleProps& x = c.GetScalePropsX(layer);
  TScaleProps& y = c.GetScalePropsY(layer);
  x.SetRangeHigh(xhi);
  x.SetRangeLow(xlo);
  x.SetRangeHigh(xhi);
  y.SetRangeHigh(yhi);
  y.SetRangeLow(ylo);
  y.SetRangeHigh(yhi);
  c.SetSuppressPaint(keep);
}

class ChartTest : public ::testing::Test {
protected:
  static constexpr std::int32_t kWidth = 280, kHeight = 200;

  void SetUp() override {
    Chart.SetBounds(0, 0, kWidth, kHeight);
    SetRanges(Chart, 1, 0, 10, 0, 1);
    Chart.SetSuppressPaint(false);
  }
  // The data area drawn onto a fresh recording canvas of its size (grid,
  // items from index `from` on, frame), in data-area pixels.
  const TMetafile& RecordDataArea(std::int32_t from = 0) {
    Meta = std::make_unique<TMetafile>(Chart.GrafBmp().Width(), Chart.GrafBmp().Height());
    Chart.ConstructDataBmpCanvas(Meta->Canvas(), 0, 0, false, from);
    return *Meta;
  }
  // The whole chart painted once; its picture.
  const TBitmap& PaintChart() {
    Chart.SetSuppressPaint(true);
    Chart.SetSuppressPaint(false);
    return Chart.Surface();
  }

  TDEvari Chart;
  std::unique_ptr<TMetafile> Meta;
};

}  // namespace kvo::test
