// The 3D viewer's gallery pages as golden pictures.
#include <gtest/gtest.h>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

TEST(Rot3DGolden, GalleryPagesMatch) {
  std::vector<gallery::Page> pages;
  gallery::AddRot3DPages(pages);
  ASSERT_FALSE(pages.empty());
  for (const gallery::Page& p : pages) {
    SCOPED_TRACE(p.Id);
    TBitmap bmp(p.Width, p.Height);
    bmp.Fill(clWhite);
    p.Draw(bmp.Canvas());
    EXPECT_GOLDEN(bmp, "rot3d/" + p.Id);
  }
}

}  // namespace
}  // namespace kvo
