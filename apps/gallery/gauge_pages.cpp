// Gauge pages: the seven index modes in both orientations, the five
// backgrounds and the disabled look, and the dials: fixed and moving,
// linear and logarithmic, reversed, with the dual-colour band either side
// of its zero point.
#include <functional>
#include <string>

#include "apps/gallery/gallery.h"
#include "gauge/gauge.h"
#include "platform/bitmap.h"

namespace kvo::gallery {

namespace {

using TConfigure = std::function<void(TScaleGauge&)>;

void PlaceGauge(TCanvas& page, int x, int y, int w, int h, TGaugeOrientation o,
                const TConfigure& configure) {
  TScaleGauge g;
  g.SetSuppressPaint(true);
  g.SetBounds(0, 0, w, h);
  g.SetOrientation(o);
  if (o == goVertical) {
    g.SetMarginLeft(10);
    g.SetMarginRight(10);
    g.SetMarginTop(30);
    g.SetMarginBottom(10);
  } else {
    g.SetMarginTop(24);
  }
  // Ticks inside the window: the cover hides the ends of the dial.
  g.SetMin(-12);
  g.SetMax(12);
  g.SetCaptionSize(8);
  g.SetCaptionPosX(8);
  g.SetCaptionPosY(6);
  configure(g);
  TBitmap b(w, h);
  g.DrawPicture(b.Canvas());
  page.Draw(x, y, b);
}

struct TModeName {
  TGaugeIndexMode Mode;
  const char* Name;
};
constexpr TModeName kModes[] = {
    {gimThread, "Thread"},          {gimTriangle, "Triangle"},
    {gimThreadTriangle, "Thread + triangle"}, {gimThreadTwoTriangles, "Thread + two triangles"},
    {gimBand, "Band"},              {gimDualColorBand, "Dual-colour band"},
    {gimBar, "Bar"}};

void DrawIndexHorizontal(TCanvas& c) {
  ClearPage(c, 800, 600, clWhite);
  int i = 0;
  for (const TModeName& m : kModes) {
    const int x = 20 + (i % 2) * 390, y = 14 + (i / 2) * 145;
    PlaceGauge(c, x, y, 370, 120, goHorizontal, [&](TScaleGauge& g) {
      g.SetIndexMode(m.Mode);
      g.SetCaption(m.Name);
      g.SetValue(m.Mode == gimDualColorBand ? -4.5 : 3.5);
    });
    ++i;
  }
  PlaceGauge(c, 410, 14 + 3 * 145, 370, 120, goHorizontal, [](TScaleGauge& g) {
    g.SetIndexMode(gimDualColorBand);
    g.SetCaption("Dual-colour band, value 6.5");
    g.SetValue(6.5);
  });
}

void DrawIndexVertical(TCanvas& c) {
  ClearPage(c, 800, 600, clWhite);
  int i = 0;
  for (const TModeName& m : kModes) {
    const int x = 12 + (i % 4) * 196, y = 10 + (i / 4) * 295;
    PageTitle(c, x, y, m.Name, clNavy);
    PlaceGauge(c, x + 30, y + 20, 110, 265, goVertical, [&](TScaleGauge& g) {
      g.SetIndexMode(m.Mode);
      g.SetBackground(gbHorizGrad);
      g.SetValue(m.Mode == gimDualColorBand ? -4.5 : 3.5);
    });
    ++i;
  }
  PageTitle(c, 12 + 3 * 196, 305, "Dual-colour band, 6.5", clNavy);
  PlaceGauge(c, 42 + 3 * 196, 325, 110, 265, goVertical, [](TScaleGauge& g) {
    g.SetIndexMode(gimDualColorBand);
    g.SetBackground(gbHorizGrad);
    g.SetValue(6.5);
  });
}

void DrawBackgrounds(TCanvas& c) {
  ClearPage(c, 800, 600, clWhite);
  struct TBg {
    TGaugeBackground Bg;
    const char* Name;
  };
  constexpr TBg kBgs[] = {{gbPlain, "Plain"},
                          {gbVertGrad, "Vertical gradient"},
                          {gbHorizGrad, "Horizontal gradient"},
                          {gbVertMidBand, "Vertical mid-band"},
                          {gbHorizMidBand, "Horizontal mid-band"}};
  int i = 0;
  for (const TBg& b : kBgs) {
    PlaceGauge(c, 20, 14 + i * 112, 370, 100, goHorizontal, [&](TScaleGauge& g) {
      g.SetBackground(b.Bg);
      g.SetCaption(b.Name);
      g.SetColorBg1(RGBColor(120, 150, 210));
      g.SetColorBg2(RGBColor(235, 240, 250));
      g.SetColorScale(clBlack);
      g.SetValue(-2.5);
      g.SetIndexMode(gimThreadTriangle);
    });
    ++i;
  }
  PageTitle(c, 420, 14, "Vertical mid-band", clNavy);
  PlaceGauge(c, 420, 36, 110, 260, goVertical, [](TScaleGauge& g) {
    g.SetBackground(gbVertMidBand);
    g.SetValue(5);
    g.SetIndexMode(gimBar);
  });
  PageTitle(c, 560, 14, "Horizontal mid-band", clNavy);
  PlaceGauge(c, 560, 36, 110, 260, goVertical, [](TScaleGauge& g) {
    g.SetBackground(gbHorizMidBand);
    g.SetValue(-5);
    g.SetIndexMode(gimThreadTwoTriangles);
  });
  PlaceGauge(c, 410, 320, 370, 100, goHorizontal, [](TScaleGauge& g) {
    g.SetCaption("Disabled");
    g.SetValue(4);
    g.SetIndexMode(gimBand);
    g.SetEnabled(false);
  });
  PlaceGauge(c, 410, 440, 370, 100, goHorizontal, [](TScaleGauge& g) {
    g.SetCaption("Frames: engraved outer, single inner");
    g.SetFrameStyleOuter(frsEngraved);
    g.SetFrameStyleInner(frsSingle);
    g.SetColorCover(RGBColor(210, 200, 180));
    g.SetValue(7);
  });
}

void DrawDials(TCanvas& c) {
  ClearPage(c, 800, 600, clWhite);
  struct TDial {
    const char* Name;
    TConfigure Configure;
  };
  const TDial dials[] = {
      {"Fixed dial -12 .. 12, value 3", [](TScaleGauge& g) { g.SetValue(3); }},
      {"Moving dial, value 3 (shows -9 .. 15)",
       [](TScaleGauge& g) {
         g.SetFixedDial(false);
         g.SetValue(3);
         g.SetIndexMode(gimThreadTwoTriangles);
       }},
      {"Logarithmic 0.7 .. 150, value 10",
       [](TScaleGauge& g) {
         g.SetMin(0.7);
         g.SetMax(150);
         g.SetLogarithmic(true);
         g.SetValue(10);
       }},
      {"Logarithmic moving dial, value 10",
       [](TScaleGauge& g) {
         g.SetMin(0.7);
         g.SetMax(150);
         g.SetLogarithmic(true);
         g.SetFixedDial(false);
         g.SetValue(10);
         g.SetIndexMode(gimThread);
       }},
      {"Reversed 12 .. -12, value 6",
       [](TScaleGauge& g) {
         g.SetMin(12);
         g.SetMax(-12);
         g.SetValue(6);
         g.SetIndexMode(gimBand);
       }},
      {"Zero point 4, value -2 (c2 band)",
       [](TScaleGauge& g) {
         g.SetGaugeZero(4);
         g.SetValue(-2);
         g.SetIndexMode(gimDualColorBand);
       }},
      {"Zero point far off (-1e12), value 8",
       [](TScaleGauge& g) {
         g.SetGaugeZero(-1e12);
         g.SetValue(8);
         g.SetIndexMode(gimDualColorBand);
       }},
      {"Short ticks, 6 ticks, -50 .. 1050",
       [](TScaleGauge& g) {
         g.SetMax(1050);
         g.SetMin(-50);
         g.SetShortTicks(true);
         g.SetMinTicks(6);
         g.SetValue(640);
         g.SetIndexMode(gimBar);
       }},
  };
  int i = 0;
  for (const TDial& d : dials) {
    const int x = 20 + (i % 2) * 390, y = 14 + (i / 2) * 145;
    PlaceGauge(c, x, y, 370, 120, goHorizontal, [&](TScaleGauge& g) {
      g.SetCaption(d.Name);
      d.Configure(g);
    });
    ++i;
  }
}

}  // namespace

void AddGaugePages(std::vector<Page>& pages) {
  pages.push_back(Page{"gauge-index-horizontal", "Gauge: index modes, horizontal", 800, 600,
                       DrawIndexHorizontal});
  pages.push_back(Page{"gauge-index-vertical", "Gauge: index modes, vertical", 800, 600,
                       DrawIndexVertical});
  pages.push_back(Page{"gauge-backgrounds", "Gauge: backgrounds, frames, disabled", 800, 600,
                       DrawBackgrounds});
  pages.push_back(Page{"gauge-dials", "Gauge: fixed and moving dials", 800, 600, DrawDials});
}

}  // namespace kvo::gallery
