// Golden image comparison for rendering tests.
//
// ExpectMatchesGolden(bitmap, "scale/linear_type0") compares the bitmap with
// tests/golden/scale/linear_type0.png by the largest per-channel difference
// and the count of pixels above the tolerance. On failure it writes the
// actual, expected and difference images into <build>/golden-out/. With the
// environment variable KVO_UPDATE_GOLDEN=1 the golden file is (re)written
// instead: goldens change only through that explicit switch.
#pragma once

#include <string>

#include "platform/bitmap.h"

namespace kvo::test {

struct TGoldenTolerance {
  int MaxChannelDiff = 8;      // per-channel difference a pixel may have
  int MaxPixelsOver = 0;       // pixels allowed to exceed MaxChannelDiff
};

// Returns an empty string on a match, else a readable reason.
std::string CompareWithGolden(const TBitmap& actual, const std::string& name,
                              TGoldenTolerance tol = {});
std::string SourceDir();   // source tree root
std::string GoldenPath(const std::string& name);
std::string TempPath(const std::string& file);  // a path in a per-run temp folder

}  // namespace kvo::test

#define EXPECT_GOLDEN(bmp, name) EXPECT_EQ(::kvo::test::CompareWithGolden((bmp), (name)), "")
#define EXPECT_GOLDEN_TOL(bmp, name, tol) \
  EXPECT_EQ(::kvo::test::CompareWithGolden((bmp), (name), (tol)), "")
