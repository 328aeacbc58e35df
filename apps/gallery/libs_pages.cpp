// The base library's drawing helpers: all 52 mark symbols (magnified and at
// actual size) and all frame styles, each labelled with its number.
#include <string>

#include "apps/gallery/gallery.h"
#include "libs/kvobase.h"
#include "platform/bitmap.h"

namespace kvo::gallery {

namespace {

constexpr int kCols = 13, kCellW = 60, kCellH = 84, kZoom = 3, kMarkBox = 19;

void Text(TCanvas& c, int x, int y, const std::string& s, std::uint32_t align = TA_LEFT,
          bool bold = false) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetColor(clBlack);
  c.Font().SetSize(bold ? 9 : 8);
  c.Font().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
  c.SetTextAlign(align | TA_TOP);
  c.TextOut(x, y, s);
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.Font().SetStyle({});
}

void MarkTools(TCanvas& c) {
  c.Pen().SetData({});
  c.Pen().SetColor(clNavy);
  c.Brush().SetData({});
  c.Brush().SetColor(RGBColor(255, 160, 0));
}

void DrawMarksAndFrames(TCanvas& c) {
  c.Pen().SetData({});
  c.Brush().SetData({});
  c.FillRect(Rect(0, 0, 800, 600));
  Text(c, 10, 6, "Mark types 0..51 (DrawMarkOnCanvas, magnified 3x; pen navy, brush orange)",
       TA_LEFT, true);

  // Each mark on its own small bitmap, drawn magnified so single pixels show.
  TBitmap cell(kMarkBox, kMarkBox);
  for (int m = 0; m < kNumMarkTypes; ++m) {
    const int col = m % kCols, row = m / kCols;
    const int x0 = 10 + col * kCellW, y0 = 28 + row * kCellH;
    cell.Fill(clWhite);
    MarkTools(cell.Canvas());
    DrawMarkOnCanvas(cell.Canvas(), std::uint8_t(m), kMarkBox / 2, kMarkBox / 2);
    c.StretchDraw(Rect(x0, y0, x0 + kMarkBox * kZoom, y0 + kMarkBox * kZoom), cell);
    c.Pen().SetData({});
    c.Pen().SetColor(clSilver);
    c.Brush().SetStyle(bsClear);
    c.Rectangle(x0 - 1, y0 - 1, x0 + kMarkBox * kZoom + 1, y0 + kMarkBox * kZoom + 1);
    Text(c, x0 + kMarkBox * kZoom / 2, y0 + kMarkBox * kZoom + 3, std::to_string(m), TA_CENTER);
  }

  // Actual size, two rows on grey lines through the centres.
  const int stripY = 28 + 4 * kCellH + 10;
  Text(c, 10, stripY - 6, "actual size:");
  for (int half = 0; half < 2; ++half) {
    const int y = stripY + half * 30;
    c.Pen().SetData({});
    c.Pen().SetColor(clSilver);
    c.MoveTo(90, y);
    c.LineTo(790, y);
    for (int k = 0; k < kNumMarkTypes / 2; ++k) {
      const int m = half * (kNumMarkTypes / 2) + k, x = 100 + k * 26;
      MarkTools(c);
      DrawMarkOnCanvas(c, std::uint8_t(m), x, y);
      if (k % 2 == 0) Text(c, x, y + 8, std::to_string(m), TA_CENTER);
    }
  }

  // Frame styles with the colours the controls pass.
  const int fy = stripY + 62;
  Text(c, 10, fy, "Frame styles (DrawFrame; white, silver, gray, black, black on a button face)",
       TA_LEFT, true);
  static const char* const kNames[] = {"0 none", "1 single", "2 lowered", "3 raised",
                                       "4 embossed", "5 engraved"};
  for (int s = 0; s < kNumFrameStyles; ++s) {
    const int x0 = 10 + s * 130, y0 = fy + 24;
    c.Pen().SetData({});
    c.Brush().SetData({});
    c.Brush().SetColor(clSilver);
    c.FillRect(Rect(x0, y0, x0 + 120, y0 + 60));
    DrawFrame(c, TFrameStyle(s), x0, y0, x0 + 119, y0 + 59, clWhite, clSilver, clGray, clBlack,
              clBlack);
    Text(c, x0 + 60, y0 + 23, kNames[s], TA_CENTER);
  }
  // The same frames with the system's button colours, on white.
  const int sy = fy + 24 + 70;
  Text(c, 10, sy, "with the system colour scheme, on white:");
  for (int s = 0; s < kNumFrameStyles; ++s) {
    const int x0 = 10 + s * 130, y0 = sy + 18;
    DrawFrame(c, TFrameStyle(s), x0, y0, x0 + 119, y0 + 29, clWhite, clSilver, clGray, clBlack,
              clNavy, cscSystem);
    Text(c, x0 + 60, y0 + 8, kNames[s], TA_CENTER);
  }
}

}  // namespace

void AddLibsPages(std::vector<Page>& pages) {
  pages.push_back({"libs-marks-frames", "Mark symbols and frame styles", 800, 600,
                   DrawMarksAndFrames, false});
}

}  // namespace kvo::gallery
