// The chart's exports: bitmaps of any size, the data area alone, black and
// white without lasting colour changes, crosshairs on request, vector files
// whose text stays text, the clipboard, printing, and the errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "devari/tdevari.h"
#include "libs/kvobase.h"
#include "platform/host.h"

namespace kvo {
namespace {

struct TExportChart : TDEvari {
  TExportChart() {
    SetBounds(0, 0, 400, 300);
    SetChartCaption("Export test");
    SetChartCol(clYellow);
    SetRange(1, 0, 0, 10, 10);
    SetDataCol(clBlue);
    SetLineWid(3);
    MoveTo(0.0, 0.0);
    DrawTo(10.0, 10.0);
    CrossHair(1).SetCrossHMode(chVert);
    CrossHair(1).SetCrossHColor(clRed);
    CrossHairSetPos(1, 5, 5);
    HandleNeeded();
  }
};

int CountColor(const TBitmap& b, TColor c) {
  int n = 0;
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x) n += const_cast<TBitmap&>(b).Canvas().Pixel(x, y) == c;
  return n;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(ChartExport, BitmapsOfAnySizeDataAreaAndCrossHairs) {
  TExportChart c;
  TBitmap full;
  c.CopyToBitmap(full, false);
  EXPECT_EQ(full.Width(), 400);
  EXPECT_EQ(full.Height(), 300);
  EXPECT_GT(CountColor(full, clYellow), 10000);
  EXPECT_GT(CountColor(full, clRed), 20);  // the crosshair
  TBitmap plain;
  c.CopyToBitmap(plain, false, false);
  EXPECT_EQ(CountColor(plain, clRed), 0);

  TBitmap da;
  c.CopyToBitmapDAOnly(da, false);
  const TChartGeometry g = c.Geometry();
  EXPECT_EQ(da.Width(), g.DataBmpWidth());
  EXPECT_EQ(da.Height(), g.DataBmpHeight());
  EXPECT_EQ(da.Canvas().Pixel(da.Width() / 4, 5), clYellow);

  TBitmap big(800, 800);  // another size: scaled to fit, centred
  c.CopyToBitmap(big, false);
  EXPECT_GT(CountColor(big, clYellow), 4 * 10000);
  EXPECT_EQ(big.Canvas().Pixel(400, 50), clWhite);  // above the centred picture

  // Black and white: no yellow, and the chart keeps its colours afterwards.
  TBitmap bw;
  c.CopyToBitmap(bw, true);
  EXPECT_EQ(CountColor(bw, clYellow), 0);
  EXPECT_EQ(CountColor(bw, clBlue), 0);
  EXPECT_EQ(c.ChartColor(), clYellow);
}

TEST(ChartExport, VectorFilesClipboardPrintingAndErrors) {
  TExportChart c;
  const std::string dir = std::filesystem::temp_directory_path() / "kvo-export-test";
  std::filesystem::create_directories(dir);
  c.CopyToWMF(dir + "/chart.svg", false);
  const std::string svg = Slurp(dir + "/chart.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  c.CopyToWMF(dir + "/chart.pdf", false);
  EXPECT_EQ(Slurp(dir + "/chart.pdf").rfind("%PDF", 0), 0u);
  c.CopyToBMP(dir + "/chart.png", false);
  TBitmap back;
  back.LoadFromFile(dir + "/chart.png");
  EXPECT_EQ(back.Width(), 400);

  auto message = [&](auto f) -> std::string {
    try {
      f();
    } catch (const EKvoError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_NE(message([&] { c.CopyToWMF(dir + "/chart.wmf", false); }).find(".svg or .pdf"), std::string::npos);
  const std::string missing = dir + "/no/such/dir/chart.png";
  EXPECT_NE(message([&] { c.CopyToBMP(missing, false); }).find(missing), std::string::npos);
  // A failed black-and-white export leaves the colours as they were.
  EXPECT_NE(message([&] { c.CopyToWMF(dir + "/no/such/dir/chart.pdf", true); }), "no error");
  EXPECT_EQ(c.ChartColor(), clYellow);

  c.CopyToClipboardWMF(false);
  EXPECT_NE(HeadlessHost().ClipboardSvg.find("<svg"), std::string::npos);
  ASSERT_TRUE(HeadlessHost().ClipboardBitmap.has_value());
  c.CopyToClipboardDAOnly(false);
  EXPECT_EQ(HeadlessHost().ClipboardBitmap->Width(), c.Geometry().DataBmpWidth());

  HeadlessHost().PrintFile = dir + "/print.pdf";
  EXPECT_TRUE(c.PrintIt(1.0, false));
  const std::string pdf = Slurp(dir + "/print.pdf");
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kvo
