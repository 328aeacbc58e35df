// Vector canvases: the SVG is well-formed XML, the PDF renders back (through
// pdftoppm) to a picture close to the raster one, PostScript is written.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/bitmap.h"
#include "platform/error.h"
#include "platform/vectorcanvas.h"
#include "tests/support/golden.h"

namespace kvo {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// Small well-formedness check: declarations, comments and CDATA skipped,
// quoted attribute values respected, every element closed in order.
std::string XmlProblem(const std::string& s) {
  std::vector<std::string> open;
  std::size_t i = 0;
  bool root = false;
  while (i < s.size()) {
    if (s[i] != '<') {
      if (s[i] == '&') {
        const std::size_t semi = s.find(';', i);
        if (semi == std::string::npos || semi - i > 10) return "bad entity at " + std::to_string(i);
      }
      ++i;
      continue;
    }
    auto skipTo = [&](const char* end) {
      const std::size_t e = s.find(end, i);
      if (e == std::string::npos) return false;
      i = e + std::strlen(end);
      return true;
    };
    if (s.compare(i, 4, "<!--") == 0) {
      if (!skipTo("-->")) return "unclosed comment";
      continue;
    }
    if (s.compare(i, 9, "<![CDATA[") == 0) {
      if (!skipTo("]]>")) return "unclosed CDATA";
      continue;
    }
    if (s.compare(i, 2, "<?") == 0 || s.compare(i, 2, "<!") == 0) {
      if (!skipTo(">")) return "unclosed declaration";
      continue;
    }
    const bool closing = s.compare(i, 2, "</") == 0;
    std::size_t j = i + (closing ? 2 : 1);
    const std::size_t nameStart = j;
    while (j < s.size() && !std::isspace(static_cast<unsigned char>(s[j])) && s[j] != '>' &&
           s[j] != '/')
      ++j;
    const std::string name = s.substr(nameStart, j - nameStart);
    if (name.empty()) return "empty tag name at " + std::to_string(i);
    char quote = 0;
    while (j < s.size() && (quote || s[j] != '>')) {
      if (quote) {
        if (s[j] == quote) quote = 0;
      } else if (s[j] == '"' || s[j] == '\'') {
        quote = s[j];
      } else if (s[j] == '<') {
        return "'<' inside tag " + name;
      }
      ++j;
    }
    if (j >= s.size()) return "unclosed tag " + name;
    const bool selfClosing = s[j - 1] == '/';
    if (closing) {
      if (open.empty() || open.back() != name) return "mismatched </" + name + ">";
      open.pop_back();
    } else if (!selfClosing) {
      if (open.empty() && root) return "second root element " + name;
      open.push_back(name);
      root = true;
    }
    i = j + 1;
  }
  if (!open.empty()) return "unclosed element " + open.back();
  if (!root) return "no root element";
  return {};
}

void Scene(TCanvas& c) {
  c.Brush().SetColor(clWhite);
  c.FillRect({0, 0, 200, 150});
  c.Pen().SetData({clNavy, psSolid, 3, pmCopy});
  c.Brush().SetColor(clYellow);
  c.Rectangle(10, 10, 90, 70);
  c.Brush().SetColor(clRed);
  c.Pen().SetWidth(1);
  c.Ellipse(110, 15, 190, 75);
  c.Pen().SetStyle(psDash);
  c.MoveTo(10, 90);
  c.LineTo(190, 90);
  c.Pen().SetData({clGreen, psSolid, 2, pmCopy});
  c.MoveTo(10, 100);
  c.LineTo(190, 140);
  c.Brush().SetStyle(bsClear);
  c.Font().SetSize(12);
  c.TextOut(20, 110, "Vector <&> text");
}

TEST(VectorCanvas, SvgIsWellFormed) {
  const std::string path = test::TempPath("scene.svg");
  {
    TVectorFile f(path, TVectorFormat::Svg, 200, 150);
    EXPECT_FALSE(f.Canvas().Caps().RasterOps);
    EXPECT_FALSE(f.Canvas().Caps().PixelRead);
    EXPECT_EQ(f.Canvas().GetDeviceCaps(LOGPIXELSY), 96);
    Scene(f.Canvas());
    f.Canvas().Pen().SetMode(pmXor);  // files draw raster modes as copies
    f.Canvas().LineTo(5, 5);
    TBitmap img(8, 8);
    img.Fill(clBlue);
    f.Canvas().StretchDraw({150, 100, 190, 140}, img);
    f.Finish();
    f.Finish();  // twice is harmless
  }
  const std::string svg = ReadAll(path);
  ASSERT_FALSE(svg.empty());
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_EQ(XmlProblem(svg), "");
  const std::string clip = RenderSvg(50, 40, [](TCanvas& c) {
    c.Rectangle(1, 1, 49, 39);
    c.TextOut(3, 3, "a\"b'<c>");
  });
  EXPECT_EQ(XmlProblem(clip), "");
  EXPECT_NE(clip.find("<svg"), std::string::npos);
}

TEST(VectorCanvas, PdfRendersBackCloseToTheRasterPicture) {
  if (std::system("pdftoppm -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftoppm not installed";
  const std::string pdf = test::TempPath("scene.pdf");
  {
    TVectorFile f(pdf, TVectorFormat::Pdf, 200, 150);
    Scene(f.Canvas());
    f.NewPage();
    f.Canvas().Rectangle(0, 0, 10, 10);
  }
  const std::string stem = test::TempPath("scene-back");
  const std::string cmd = "pdftoppm -r 96 -f 1 -l 1 -png -singlefile '" + pdf + "' '" + stem + "'";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  TBitmap back;
  back.LoadFromFile(stem + ".png");
  EXPECT_NEAR(back.Width(), 200, 1);
  EXPECT_NEAR(back.Height(), 150, 1);
  TBitmap raster(200, 150);
  Scene(raster.Canvas());
  const int w = std::min(back.Width(), 200), h = std::min(back.Height(), 150);
  // A pixel is far when nothing within one pixel of it in the other picture
  // comes close: edges may shift by a pixel, shapes must coincide.
  const auto diff = [](TRGB32 a, TRGB32 b) {
    return std::max({std::abs(a.R - b.R), std::abs(a.G - b.G), std::abs(a.B - b.B)});
  };
  int far = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int best = 255;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int xx = x + dx, yy = y + dy;
          if (xx < 0 || yy < 0 || xx >= w || yy >= h) continue;
          best = std::min(best, diff(raster.ScanLine(y)[x], back.ScanLine(yy)[xx]));
        }
      far += best > 80;
    }
  EXPECT_LT(far, w * h / 100) << far << " of " << w * h << " pixels differ";
  // Two pages were written.
  const std::string info = test::TempPath("pages.txt");
  if (std::system(("pdfinfo '" + pdf + "' > '" + info + "' 2>/dev/null").c_str()) == 0) {
    const std::string text = ReadAll(info);
    const std::size_t at = text.find("Pages:");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(std::atoi(text.c_str() + at + 6), 2);
  }
}

TEST(VectorCanvas, HatchBrushesShowInPdf) {
  if (std::system("pdftoppm -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftoppm not installed";
  const std::string pdf = test::TempPath("hatch.pdf");
  {
    TVectorFile f(pdf, TVectorFormat::Pdf, 160, 80);
    f.Canvas().Brush().SetData({clWhite, bsSolid});
    f.Canvas().FillRect({0, 0, 160, 80});
    f.Canvas().Brush().SetData({clBlack, bsVertical});
    f.Canvas().FillRect({0, 0, 80, 80});
    f.Canvas().Brush().SetData({clBlack, bsHorizontal});
    f.Canvas().FillRect({80, 0, 160, 80});
  }
  const std::string stem = test::TempPath("hatch-back");
  ASSERT_EQ(std::system(("pdftoppm -r 96 -png -singlefile '" + pdf + "' '" + stem + "'").c_str()), 0);
  TBitmap back;
  back.LoadFromFile(stem + ".png");
  ASSERT_GE(back.Width(), 159);
  ASSERT_GE(back.Height(), 79);
  // Count dark runs across the vertical hatch (row 40) and down the
  // horizontal one (column 120): one line every 8 pixels.
  const auto dark = [&](int x, int y) { return back.ScanLine(y)[x].G < 160; };
  int vLines = 0, hLines = 0;
  for (int x = 1; x < 78; ++x) vLines += dark(x, 40) && !dark(x - 1, 40);
  for (int y = 1; y < 78; ++y) hLines += dark(120, y) && !dark(120, y - 1);
  EXPECT_NEAR(vLines, 9, 1);
  EXPECT_NEAR(hLines, 9, 1);
}

TEST(VectorCanvas, PostScriptAndErrors) {
  const std::string ps = test::TempPath("scene.ps");
  {
    TVectorFile f(ps, TVectorFormat::PostScript, 200, 150);
    Scene(f.Canvas());
  }
  EXPECT_EQ(ReadAll(ps).rfind("%!PS", 0), 0u);
  EXPECT_THROW(TVectorFile("/nonexistent-dir/x.pdf", TVectorFormat::Pdf, 10, 10), EPlatformError);
  EXPECT_THROW(TVectorFile(test::TempPath("zero.pdf"), TVectorFormat::Pdf, 0, 10), EPlatformError);
}

}  // namespace
}  // namespace kvo
