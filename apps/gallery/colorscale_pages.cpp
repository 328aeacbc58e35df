// Colour legend pages: horizontal and vertical legends with the standard
// spectrum, a stepped table, a colour range narrower than the axis (with and
// without extended end colours), the crosshair, a reversed axis and a
// logarithmic one, each labelled with what it shows.
#include <functional>
#include <string>

#include "apps/gallery/gallery.h"
#include "colorscale/colorscale.h"
#include "platform/bitmap.h"

namespace kvo::gallery {

namespace {

struct TLegendCase {
  const char* Title;
  std::function<void(TColorScale&)> Configure;
};

// The cases of both orientation pages.
std::vector<TLegendCase> Cases() {
  return {
      {"Standard spectrum, -10 .. 10",
       [](TColorScale& s) {
         s.SetCaption("Temperature");
         s.SetMarginTop(30);
         s.SetCaptionPosY(8);
       }},
      {"Colour range -5 .. 5 on -10 .. 10",
       [](TColorScale& s) {
         s.SetColorLow(-5);
         s.SetColorHigh(5);
       }},
      {"The same with ExtendColors",
       [](TColorScale& s) {
         s.SetColorLow(-5);
         s.SetColorHigh(5);
         s.SetExtendColors(true);
       }},
      {"Eight steps, crosshair at 3.5",
       [](TColorScale& s) {
         s.ColorArray.SetSize(8);
         s.ColorArray.FillByInterpolation(cipSteps, {clNavy, clAqua, clYellow, clRed});
         s.CrossHair().SetMode(chBoth);
         s.CrossHair().SetPos(3.5, 3.5);
         s.CrossHair().SetColor(clBlack);
         s.CrossHair().SetLineWidth(2);
         s.SetMinTicks(5);
       }},
      {"Reversed axis 10 .. -10, unframed",
       [](TColorScale& s) {
         s.SetScaleRangeLow(10);
         s.SetScaleRangeHigh(-10);
         s.SetFramedColorScale(false);
         s.SetFrameStyle(frsRaised);
         s.SetColorSclBkgd(0xE0E0E0);
       }},
      {"Log axis 1 .. 1000, colours linear in the value",
       [](TColorScale& s) {
         s.SetScaleRange(1, 1000);
         TScaleSettings st = s.ScaleSettings();
         st.Logarithmic = true;
         s.SetScaleSettings(st);
         s.ColorArray.SetSize(64);
         s.ColorArray.FillByInterpolation(cipLinear, {clBlack, clMaroon, clRed, clYellow, clWhite});
       }},
  };
}

// One legend drawn onto the page at (x, y).
void PlaceLegend(TCanvas& page, int x, int y, int w, int h, TColScaleOrientation o,
                 const TLegendCase& k) {
  TColorScale s;
  s.SetSuppressPaint(true);
  s.SetBounds(0, 0, w, h);
  s.SetOrientation(o);
  s.ColorArray.FillDefault();
  s.CrossHair().SetMode(chOff);
  if (o == csoVertical) {
    s.SetMarginLeft(10);
    s.SetMarginRight(60);
    s.SetMarginTop(30);
    s.SetMarginBottom(12);
    s.SetCaptionPosX(8);
    s.SetCaptionPosY(6);
    s.SetCaptionSize(9);
  } else {
    s.SetCaptionPosX(20);
    s.SetCaptionPosY(10);
    s.SetCaptionSize(9);
  }
  k.Configure(s);
  TBitmap b;
  s.CopyToBitMap(&b, -1, -1);
  page.Draw(x, y, b);
}

void DrawHorizontalPage(TCanvas& c) {
  ClearPage(c, 800, 600, clWhite);
  const auto cases = Cases();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const int x = 20 + int(i % 2) * 390, y = 20 + int(i / 2) * 190;
    PageTitle(c, x, y, cases[i].Title, clNavy);
    PlaceLegend(c, x, y + 22, 370, i == 0 ? 90 : 75, csoHorizontal, cases[i]);
  }
}

void DrawVerticalPage(TCanvas& c) {
  ClearPage(c, 800, 600, clWhite);
  const auto cases = Cases();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const int x = 16 + int(i % 3) * 262, y = 16 + int(i / 3) * 292;
    PageTitle(c, x, y, cases[i].Title, clNavy);
    PlaceLegend(c, x + 60, y + 22, 130, 260, csoVertical, cases[i]);
  }
}

}  // namespace

void AddColorScalePages(std::vector<Page>& pages) {
  pages.push_back(Page{"colorscale-horizontal", "Colour legend: horizontal", 800, 600,
                       DrawHorizontalPage});
  pages.push_back(Page{"colorscale-vertical", "Colour legend: vertical", 800, 600,
                       DrawVerticalPage});
}

}  // namespace kvo::gallery
