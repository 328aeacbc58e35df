// Every gallery page is a golden test: the page drawn as kvo-gallery draws
// it (white page, Width x Height) must match tests/golden/<folder>/<id>.png
// within the page's tolerance. The cases come from the gallery's page
// groups, so a new page (or a new control's group) is a new golden without
// a second list. Regenerate with KVO_UPDATE_GOLDEN=1 after a deliberate
// change and look at the pictures before committing them.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

struct TPageCase {
  std::string Folder;
  gallery::Page Page;
};

std::vector<TPageCase> PageCases() {
  std::vector<TPageCase> cases;
  for (const gallery::PageGroup& g : gallery::PageGroups()) {
    std::vector<gallery::Page> pages;
    g.Add(pages);
    for (gallery::Page& p : pages) cases.push_back({g.Folder, std::move(p)});
  }
  return cases;
}

class GalleryGolden : public ::testing::TestWithParam<TPageCase> {};

TEST_P(GalleryGolden, PageMatches) {
  const TPageCase& c = GetParam();
  TBitmap bmp(c.Page.Width, c.Page.Height);
  bmp.Fill(clWhite);
  c.Page.Draw(bmp.Canvas());
  EXPECT_GOLDEN_TOL(bmp, c.Folder + "/" + c.Page.Id,
                    (test::TGoldenTolerance{c.Page.GoldenMaxChannelDiff,
                                            c.Page.GoldenMaxPixelsOver}));
}

INSTANTIATE_TEST_SUITE_P(Pages, GalleryGolden, ::testing::ValuesIn(PageCases()),
                         [](const ::testing::TestParamInfo<TPageCase>& info) {
                           std::string s = info.param.Page.Id;
                           for (char& ch : s)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return s;
                         });

// Page ids name files and test cases: each must be unique and usable as a
// file name, and every group must bring pages.
TEST(GalleryPages, IdsAreUniqueFileStems) {
  std::set<std::string> seen;
  for (const gallery::PageGroup& g : gallery::PageGroups()) {
    std::vector<gallery::Page> pages;
    g.Add(pages);
    EXPECT_FALSE(pages.empty()) << "group " << g.Folder;
    for (const gallery::Page& p : pages) {
      EXPECT_TRUE(seen.insert(p.Id).second) << "duplicate page " << p.Id;
      EXPECT_FALSE(p.Id.empty());
      EXPECT_EQ(p.Id.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"),
                std::string::npos)
          << p.Id;
      EXPECT_GT(p.Width, 0);
      EXPECT_GT(p.Height, 0);
      EXPECT_TRUE(static_cast<bool>(p.Draw)) << p.Id;
    }
  }
  EXPECT_EQ(seen.size(), gallery::AllPages().size());
}

}  // namespace
}  // namespace kvo
