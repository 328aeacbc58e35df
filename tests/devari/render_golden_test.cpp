// The chart gallery pages as golden pictures: item kinds, grids, backgrounds,
// layouts and shadows, labels and crosshairs, layers and logarithmic axes,
// and the realistic measurement chart.
#include <gtest/gtest.h>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

class RenderGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(RenderGolden, PageMatches) {
  std::vector<gallery::Page> pages;
  gallery::AddChartPages(pages);
  for (const gallery::Page& p : pages) {
    if (p.Id != GetParam()) continue;
    TBitmap bmp(p.Width, p.Height);
    p.Draw(bmp.Canvas());
    EXPECT_GOLDEN(bmp, "devari/" + p.Id);
    return;
  }
  FAIL() << "no page " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Pages, RenderGolden,
                         ::testing::Values("chart-items", "chart-grids", "chart-backgrounds",
                                           "chart-frames", "chart-labels", "chart-layers", "chart-ranges",
                                           "chart-realistic"),
                         [](const auto& info) {
                           std::string s = info.param;
                           for (char& ch : s)
                             if (ch == '-') ch = '_';
                           return s;
                         });

}  // namespace
}  // namespace kvo
