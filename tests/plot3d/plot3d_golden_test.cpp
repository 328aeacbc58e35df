// Golden pictures of the gallery's 3D surface pages: each mesh kind, the
// colour codings, view angles and cube styles. Regenerate with
// KVO_UPDATE_GOLDEN=1 after a deliberate change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

TEST(Plot3DGolden, EveryPageMatches) {
  std::vector<gallery::Page> pages;
  gallery::AddPlot3DPages(pages);
  ASSERT_GE(pages.size(), 9u);
  for (const gallery::Page& page : pages) {
    SCOPED_TRACE(page.Id);
    TBitmap bmp(page.Width, page.Height);
    bmp.Fill(clWhite);
    page.Draw(bmp.Canvas());
    EXPECT_GOLDEN(bmp, "plot3d/" + page.Id);
  }
}

}  // namespace
}  // namespace kvo
