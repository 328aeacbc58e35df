// Image files: round trips through BMP and PNG, JPEG decoding, and refusal of
// damaged files without losing the picture in hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/bitmap.h"
#include "platform/error.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

TBitmap Pattern(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.ScanLine(y)[x] = {std::uint8_t(x * 13), std::uint8_t(y * 29), std::uint8_t(x * y), 255};
  return b;
}

void ExpectSame(const TBitmap& a, const TBitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TRGB32 p = a.ScanLine(y)[x], q = b.ScanLine(y)[x];
      ASSERT_TRUE(p.R == q.R && p.G == q.G && p.B == q.B && p.A == q.A) << x << "," << y;
    }
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(Bitmap, SizeAndRows) {
  TBitmap b(7, 3);
  EXPECT_EQ(b.Width(), 7);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), 7);
  EXPECT_EQ(b.ScanLine(2)[6].A, 255);
  b.ScanLine(1)[2] = {1, 2, 3, 255};
  b.SetSize(7, 3);  // same size keeps the pixels
  EXPECT_EQ(b.ScanLine(1)[2].G, 2);
  const TBitmap copy = b;
  b.ScanLine(1)[2].G = 9;
  EXPECT_EQ(copy.ScanLine(1)[2].G, 2);  // deep copy
  b.SetWidth(-1);
  EXPECT_TRUE(b.Empty());
  EXPECT_THROW(b.SetSize(100000, 100000), EPlatformError);
}

TEST(Bitmap, BmpAndPngRoundTrips) {
  const TBitmap src = Pattern(37, 19);  // odd width: BMP rows are padded
  const std::string bmp = test::TempPath("rt.bmp"), png = test::TempPath("rt.png");
  src.SaveToFile(bmp);
  src.SaveToFile(png);
  TBitmap a, b;
  a.LoadFromFile(bmp);
  b.LoadFromFile(png);
  ExpectSame(a, src);
  ExpectSame(b, src);
  // The format follows the content, not the name.
  const std::string odd = test::TempPath("really-a-png.bmp");
  src.SaveToFile(odd, TImageFormat::Png);
  TBitmap c;
  c.LoadFromFile(odd);
  ExpectSame(c, src);
  EXPECT_THROW(src.SaveToFile(test::TempPath("x.unknown")), EPlatformError);
  EXPECT_THROW(src.SaveToFile(test::TempPath("x.jpg")), EPlatformError);
  // Transparency survives PNG.
  TBitmap t = Pattern(4, 4);
  t.ScanLine(0)[0] = {10, 20, 30, 0};
  t.ScanLine(1)[1] = {200, 100, 50, 128};
  t.SaveToFile(png);
  TBitmap tl;
  tl.LoadFromFile(png);
  EXPECT_EQ(tl.ScanLine(0)[0].A, 0);
  EXPECT_EQ(tl.ScanLine(1)[1].A, 128);
  EXPECT_NEAR(tl.ScanLine(1)[1].B, 200, 2);
  EXPECT_EQ(tl.ScanLine(2)[2].A, 255);
}

TEST(Bitmap, ReadsPalettedBmp) {
  // 3 x 2, 8 bits per pixel, bottom-up, two palette entries.
  std::vector<std::uint8_t> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
                                 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0,
                                 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 2, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 255, 0,   // index 0: red (B, G, R, 0)
                                 255, 0, 0, 0,   // index 1: blue
                                 0, 1, 0, 0,     // bottom row: red blue red + pad
                                 1, 1, 0, 0};    // top row: blue blue red
  const std::string path = test::TempPath("pal.bmp");
  WriteBytes(path, f);
  TBitmap b;
  b.LoadFromFile(path);
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.ScanLine(0)[0].B, 255);
  EXPECT_EQ(b.ScanLine(0)[2].R, 255);
  EXPECT_EQ(b.ScanLine(1)[0].R, 255);
  EXPECT_EQ(b.ScanLine(1)[1].B, 255);
}

TEST(Bitmap, ReadsJpeg) {
  const std::string dir = test::SourceDir() + "/tests/platform/data/";
  TBitmap b;
  b.LoadFromFile(dir + "halves.jpg");
  ASSERT_EQ(b.Width(), 32);
  ASSERT_EQ(b.Height(), 16);
  const TRGB32 l = b.ScanLine(8)[4], r = b.ScanLine(8)[28];
  EXPECT_NEAR(l.R, 200, 12);
  EXPECT_NEAR(l.G, 40, 12);
  EXPECT_NEAR(l.B, 30, 12);
  EXPECT_NEAR(r.R, 20, 12);
  EXPECT_NEAR(r.B, 220, 12);
  TBitmap g;
  g.LoadFromFile(dir + "grey.jpg");
  EXPECT_EQ(g.Width(), 8);
  EXPECT_NEAR(g.ScanLine(1)[1].G, 128, 4);
  EXPECT_EQ(g.ScanLine(1)[1].R, g.ScanLine(1)[1].B);
}

TEST(Bitmap, DamagedFilesAreRefusedAndTheOldImageKept) {
  TBitmap b = Pattern(5, 5);
  const TBitmap before = b;
  EXPECT_THROW(b.LoadFromFile(test::TempPath("does-not-exist.png")), EPlatformError);
  const std::string junk = test::TempPath("junk.bin");
  WriteBytes(junk, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  EXPECT_THROW(b.LoadFromFile(junk), EPlatformError);
  // Truncated files of every kind.
  const std::string png = test::TempPath("t.png"), bmp = test::TempPath("t.bmp");
  Pattern(20, 20).SaveToFile(png);
  Pattern(20, 20).SaveToFile(bmp);
  for (const std::string& p : {png, bmp, test::SourceDir() + "/tests/platform/data/halves.jpg"}) {
    std::ifstream in(p, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    bytes.resize(bytes.size() / 2);
    const std::string cut = test::TempPath("cut.img");
    WriteBytes(cut, bytes);
    EXPECT_THROW(b.LoadFromFile(cut), EPlatformError) << p;
    ExpectSame(b, before);
  }
  // A BMP header claiming a huge image.
  std::vector<std::uint8_t> huge = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                                    40, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F,
                                    1, 0, 24, 0};
  huge.resize(60, 0);
  WriteBytes(junk, huge);
  EXPECT_THROW(b.LoadFromFile(junk), EPlatformError);
  ExpectSame(b, before);
}

TEST(Bitmap, DecodersSurviveCorruptedFiles) {
  // Every corrupted file either loads as some picture or is refused with
  // EPlatformError; nothing else (the sanitizer build checks the memory).
  std::vector<std::vector<std::uint8_t>> seeds;
  for (const char* ext : {".bmp", ".png"}) {
    const std::string p = test::TempPath(std::string("seed") + ext);
    Pattern(9, 7).SaveToFile(p);
    std::ifstream in(p, std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  {
    std::ifstream in(test::SourceDir() + "/tests/platform/data/halves.jpg", std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::uint32_t rng = 12345;
  const auto next = [&] {
    rng = rng * 1664525u + 1013904223u;
    return rng >> 8;
  };
  const std::string path = test::TempPath("mutant.img");
  int loaded = 0, refused = 0;
  for (const auto& seed : seeds) {
    for (int k = 0; k < 150; ++k) {
      std::vector<std::uint8_t> m = seed;
      const int edits = 1 + int(next() % 4);
      for (int e = 0; e < edits; ++e) {
        const std::size_t at = next() % m.size();
        // Bias towards the headers, where sizes and offsets live.
        const std::size_t pos = (next() % 2) ? at % std::min<std::size_t>(m.size(), 64) : at;
        m[pos] = static_cast<std::uint8_t>(next());
      }
      if (next() % 5 == 0) m.resize(next() % m.size() + 1);
      WriteBytes(path, m);
      TBitmap b;
      try {
        b.LoadFromFile(path);
        ++loaded;
        EXPECT_FALSE(b.Empty());
      } catch (const EPlatformError&) {
        ++refused;
      }
    }
  }
  EXPECT_EQ(loaded + refused, 450);
  EXPECT_GT(refused, 0);
}

TEST(Bitmap, EncodePngIsAValidPng) {
  const auto bytes = Pattern(3, 3).EncodePng();
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes[0], 0x89);
  EXPECT_EQ(bytes[1], 'P');
  EXPECT_THROW(TBitmap().EncodePng(), EPlatformError);
}

}  // namespace
}  // namespace kvo
