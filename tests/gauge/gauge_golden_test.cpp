// Golden pictures of the gallery's gauge pages. Regenerate with
// KVO_UPDATE_GOLDEN=1 after a deliberate change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

TEST(GaugeGolden, EveryPageMatches) {
  std::vector<gallery::Page> pages;
  gallery::AddGaugePages(pages);
  ASSERT_EQ(pages.size(), 4u);
  for (const gallery::Page& page : pages) {
    SCOPED_TRACE(page.Id);
    TBitmap bmp(page.Width, page.Height);
    bmp.Fill(clWhite);
    page.Draw(bmp.Canvas());
    EXPECT_GOLDEN(bmp, "gauge/" + page.Id);
  }
}

}  // namespace
}  // namespace kvo
