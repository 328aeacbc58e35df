// Golden pictures of the gallery's Smith chart pages. Regenerate with
// KVO_UPDATE_GOLDEN=1 after a deliberate change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

TEST(SmithGolden, EveryPageMatches) {
  std::vector<gallery::Page> pages;
  gallery::AddSmithPages(pages);
  ASSERT_GE(pages.size(), 2u);
  for (const gallery::Page& page : pages) {
    SCOPED_TRACE(page.Id);
    TBitmap bmp(page.Width, page.Height);
    bmp.Fill(clWhite);
    page.Draw(bmp.Canvas());
    EXPECT_GOLDEN(bmp, "smith/" + page.Id);
  }
}

}  // namespace
}  // namespace kvo
