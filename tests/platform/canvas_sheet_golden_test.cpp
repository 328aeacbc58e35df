// The gallery's canvas test sheet as a golden picture: a change in any pixel
// rule, pattern, hatch, text placement or copy mode shows here.
#include <gtest/gtest.h>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

TEST(CanvasSheet, MatchesGolden) {
  std::vector<gallery::Page> pages;
  gallery::AddCanvasPages(pages);
  ASSERT_EQ(pages.size(), 1u);
  const gallery::Page& p = pages[0];
  TBitmap b(p.Width, p.Height);
  b.Fill(clWhite);
  p.Draw(b.Canvas());
  // Text is antialiased by FreeType; allow small shading differences between
  // library versions, but no geometry change.
  EXPECT_GOLDEN_TOL(b, "platform/canvas-sheet", (test::TGoldenTolerance{24, 40}));
}

}  // namespace
}  // namespace kvo
