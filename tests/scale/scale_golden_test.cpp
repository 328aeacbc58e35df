// Golden pictures of the gallery's scale pages: the four scale types with
// numeric, logarithmic, time, date/time and user-text labels, opaque and
// transparent. Regenerate with KVO_UPDATE_GOLDEN=1 after a deliberate change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

class ScaleGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ScaleGolden, PageMatches) {
  std::vector<gallery::Page> pages;
  gallery::AddScalePages(pages);
  const gallery::Page* page = nullptr;
  for (const gallery::Page& p : pages)
    if (p.Id == GetParam()) page = &p;
  ASSERT_NE(page, nullptr) << GetParam();
  TBitmap bmp(page->Width, page->Height);
  bmp.Fill(clWhite);
  page->Draw(bmp.Canvas());
  EXPECT_GOLDEN(bmp, "scale/" + page->Id);
}

INSTANTIATE_TEST_SUITE_P(Pages, ScaleGolden,
                         ::testing::Values("scale-numeric", "scale-log", "scale-time",
                                           "scale-datetime", "scale-usertext"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string n = info.param.substr(6);
                           return n;
                         });

}  // namespace
}  // namespace kvo
