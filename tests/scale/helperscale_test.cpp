// The embedded axis: placement in the owner's pixels, drawing on the owner's
// canvas exactly as a stand-alone scale would, no surface of its own, and
// its events reaching the owner.
#include "scale/helperscale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/metafile.h"

namespace kvo {
namespace {

struct TOwner : TCustomControl {
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  THelperScale Axis{this};
  TOwner() {
    SetBounds(0, 0, 800, 600);
    Axis.ForwardEvents(*this, OnScaleTickDrawn, OnBeforeTickLabel);
  }
};

std::vector<std::string> Lines(const TMetafile& m) {
  std::vector<std::string> out;
  for (const TMetaRecord& r : m.Records()) out.push_back(r.ToString());
  return out;
}

bool HasLine(const TMetafile& m, TPoint a, TPoint b) {
  const auto& recs = m.Records();
  return std::any_of(recs.begin(), recs.end(), [&](const TMetaRecord& r) {
    return r.Op == TMetaOp::Line && r.Points.size() == 2 && r.Points[0] == a && r.Points[1] == b;
  });
}

using TTick = std::tuple<double, std::int32_t, std::int32_t>;

TEST(HelperScale, DrawsOnTheOwnersCanvasLikeAStandAloneScale) {
  TOwner owner;
  TAxisPlacement p;
  p.OwnerWidth = 800;
  p.OwnerHeight = 600;
  p.Type = stLabelsBelow;
  p.First = 50;
  p.Last = 779;
  p.BaseLine = 560;
  owner.Axis.Place(p);
  TScaleSettings s;
  s.RangeLow = 0;
  s.RangeHigh = 10;
  s.Caption = "m";
  s.ScaleType = stLabelsLeft;  // the placement decides the type
  owner.Axis.SetSettings(s);
  const TScale& axis = owner.Axis.Scale();
  EXPECT_EQ(axis.ScaleType(), stLabelsBelow);
  EXPECT_EQ(axis.ConvertToPixelCoords(0), 50);
  EXPECT_EQ(axis.ConvertToPixelCoords(10), 779);

  // No surface memory, whatever the owner's size.
  EXPECT_EQ(axis.Width(), 800);
  EXPECT_EQ(axis.Surface().Width(), 0);
  EXPECT_EQ(axis.Surface().Height(), 0);

  // A stand-alone transparent scale with the same size, margins and settings.
  TScale ref;
  ref.SetBounds(0, 0, 800, 600);
  ref.SetTransparent(true);
  s.ScaleType = stLabelsBelow;
  ref.SetSettings(s);
  ref.SetMarginLeft(50);
  ref.SetMarginRight(20);
  ref.SetMarginTop(560);
  std::vector<TTick> refTicks, ownerTicks;
  ref.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double v, std::int32_t x,
                             std::int32_t y) { refTicks.emplace_back(v, x, y); };
  TMetafile refMeta(800, 600), meta(800, 600);
  ref.UseForeignCanvas(&refMeta.Canvas(), 0, 0);
  ref.ForcePaint();
  EXPECT_GT(ref.Surface().Width(), 0);  // the stand-alone scale has one

  const TObject* sender = nullptr;
  owner.OnScaleTickDrawn = [&](TObject* snd, TCanvas&, TScaleType, double v, std::int32_t x,
                               std::int32_t y) {
    sender = snd;
    ownerTicks.emplace_back(v, x, y);
  };
  owner.Axis.Draw(meta.Canvas());
  EXPECT_EQ(Lines(meta), Lines(refMeta));
  EXPECT_TRUE(HasLine(meta, {50, 560}, {779, 560}));  // base line where placed
  EXPECT_TRUE(HasLine(meta, {50, 560}, {50, 567}));   // major tick at 0
  EXPECT_EQ(axis.ForeignCanvas(), nullptr);           // the canvas is not kept
  ASSERT_FALSE(refTicks.empty());
  EXPECT_EQ(ownerTicks, refTicks);
  EXPECT_EQ(sender, &owner);

  // Label texts pass through the owner's handler.
  owner.OnBeforeTickLabel = [&](TObject* snd, TScaleType, double v, std::string& label) {
    EXPECT_EQ(snd, &owner);
    if (v == 10) label = "ten";
  };
  meta.Clear();
  owner.Axis.Draw(meta.Canvas(), 0, 5);  // a horizontal axis moves only down
  const auto& recs = meta.Records();
  EXPECT_TRUE(std::any_of(recs.begin(), recs.end(),
                          [](const TMetaRecord& r) { return r.Text == "ten"; }));
  EXPECT_TRUE(HasLine(meta, {50, 565}, {779, 565}));
}

TEST(HelperScale, PlacementMarginsAndReset) {
  TAxisPlacement p;
  p.OwnerWidth = 300;
  p.OwnerHeight = 200;
  p.First = 10;
  p.Last = 189;
  p.BaseLine = 40;
  const std::tuple<TScaleType, TScaleMargins> cases[] = {
      // Horizontal: ends along x; vertical: ends along y.
      {stLabelsAbove, {10, 0, 110, 159}},  // base row = 200 - 159 - 1
      {stLabelsBelow, {10, 40, 110, 0}},   // base row = MarginTop
      {stLabelsRight, {40, 10, 0, 10}},    // base column = MarginLeft
      {stLabelsLeft, {0, 10, 259, 10}},    // base column = 300 - 259 - 1
  };
  for (const auto& [type, margins] : cases) {
    p.Type = type;
    EXPECT_EQ(MarginsForPlacement(p), margins) << int(type);
  }
  // Swapped ends and pixels outside the owner land on its edges.
  p.Type = stLabelsRight;
  p.First = 500;
  p.Last = -5;
  p.BaseLine = -1;
  EXPECT_EQ(MarginsForPlacement(p), (TScaleMargins{0, 0, 0, 0}));
  p.OwnerWidth = p.OwnerHeight = 0;
  EXPECT_EQ(MarginsForPlacement(p), (TScaleMargins{0, 0, 0, 0}));

  // Reset: start values, but still a windowless, transparent helper at its
  // place, with its events going to the owner.
  TOwner owner;
  p = {800, 600, stLabelsLeft, 20, 579, 60};
  owner.Axis.Place(p);
  owner.Axis.Scale().SetCaption("x");
  int ticks = 0;
  owner.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, std::int32_t,
                               std::int32_t) { ++ticks; };
  owner.Axis.Reset();
  const TScale& axis = owner.Axis.Scale();
  EXPECT_EQ(axis.Caption(), "");
  EXPECT_TRUE(axis.IsHelper());
  EXPECT_TRUE(axis.Transparent());
  EXPECT_EQ(axis.Surface().Width(), 0);
  EXPECT_EQ(axis.ScaleType(), stLabelsLeft);
  EXPECT_EQ(axis.ConvertToPixelCoords(axis.RangeHigh()), 20);
  EXPECT_EQ(axis.ConvertToPixelCoords(axis.RangeLow()), 579);
  TMetafile meta(800, 600);
  owner.Axis.Draw(meta.Canvas());
  EXPECT_GT(ticks, 0);
  EXPECT_TRUE(HasLine(meta, {60, 20}, {60, 579}));
}

}  // namespace
}  // namespace kvo
