// Scale pages: the four scale types with numeric, logarithmic, time,
// date/time and user-text labels, each once opaque (own bitmap with frame,
// copied onto the page) and once transparent (drawn straight onto the page,
// placed by its margins as a chart places its axes).
#include <array>
#include <functional>
#include <string>

#include "apps/gallery/gallery.h"
#include "platform/datetime.h"
#include "scale/scale.h"

namespace kvo::gallery {

namespace {

constexpr int kPageW = 800, kPageH = 600;
constexpr int kHalf = 300;  // the transparent half starts here

// Settings of one scale on a page, applied to opaque and transparent alike.
using TConfigure = std::function<void(TScale&)>;

struct TScaleSetup {
  TScaleType Type;
  TConfigure Configure;
};

void Heading(TCanvas& c, int x, int y, const std::string& text) {
  c.Font().SetStyle({fsBold});
  c.Font().SetSize(9);
  c.Font().SetColor(clNavy);
  c.Brush().SetStyle(bsClear);
  c.TextOut(x, y, text);
  c.Font().SetStyle({});
  c.Font().SetSize(8);
  c.Font().SetColor(clBlack);
}

// Caption placement that keeps the caption clear of labels on each side.
void PlaceCaption(TScale& s) {
  switch (s.ScaleType()) {
    case stLabelsAbove:  // caption below the base line, right end
      s.SetCaptionAnchor(uaSclBotRgt);
      s.SetCaptionAlignment(taRightJustify);
      s.SetCaptionPosX(0);
      s.SetCaptionPosY(3);
      break;
    case stLabelsBelow:  // caption under the labels, right end
      s.SetCaptionAnchor(uaSclBotRgt);
      s.SetCaptionAlignment(taRightJustify);
      s.SetCaptionPosX(0);
      s.SetCaptionPosY(23);
      break;
    case stLabelsRight:  // caption above the top end
      s.SetCaptionAnchor(uaSclTopLft);
      s.SetCaptionAlignment(taLeftJustify);
      s.SetCaptionPosX(0);
      s.SetCaptionPosY(-18);
      break;
    case stLabelsLeft:
      s.SetCaptionAnchor(uaSclTopLft);
      s.SetCaptionAlignment(taRightJustify);
      s.SetCaptionPosX(0);
      s.SetCaptionPosY(-18);
      break;
  }
}

// Geometry of the four slots: horizontal scales 500 x 70 on the left, the
// vertical ones 130 x 280 on the right, in each half of the page.
void DrawScale(TCanvas& page, const TScaleSetup& setup, int slot, bool transparent) {
  TScale s;
  s.SetSuppressPaint(true);
  s.SetScaleType(setup.Type);
  const bool vertical = setup.Type == stLabelsRight || setup.Type == stLabelsLeft;
  const int top = transparent ? kHalf : 0;
  int x = 0, y = 0;
  if (!vertical) {
    // Horizontal scales span x = 0..520 on the page in both halves (a
    // transparent one is shifted only vertically).
    s.SetBounds(0, 0, 520, 70);
    s.SetMarginLeft(30);
    s.SetMarginRight(30);
    x = 0;
    y = top + 30 + slot * 125;
  } else {
    const int left = slot == 2 ? 530 : 665;
    if (transparent) {
      // A transparent vertical scale keeps its own y coordinates: it spans
      // the page's height and its margins place the axis in the lower half.
      s.SetBounds(0, 0, 130, kPageH);
      s.SetMarginTop(kHalf + 50);
      s.SetMarginBottom(20);
    } else {
      s.SetBounds(0, 0, 130, 280);
      s.SetMarginTop(50);
      s.SetMarginBottom(20);
    }
    x = left;
    y = transparent ? 0 : 10;
  }
  setup.Configure(s);
  PlaceCaption(s);
  s.SetTransparent(transparent);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&page, x, y);
  s.ForcePaint();
}

void DrawScalePage(TCanvas& page, const std::array<TScaleSetup, 4>& setups) {
  page.Pen().SetData({});
  page.Brush().SetData(TBrushData{clWhite, bsSolid});
  page.Pen().SetColor(clWhite);
  page.Rectangle(0, 0, kPageW, kHalf);
  // The transparent half lies on a tinted background with a grid, so that
  // what shows through the scales is easy to see.
  page.Brush().SetColor(0xE8F4FF);
  page.Pen().SetColor(0xE8F4FF);
  page.Rectangle(0, kHalf, kPageW, kPageH);
  page.Pen().SetColor(0xC8DCF0);
  for (int gx = 0; gx < kPageW; gx += 40) {
    page.MoveTo(gx, kHalf);
    page.LineTo(gx, kPageH);
  }
  for (int gy = kHalf; gy < kPageH; gy += 40) {
    page.MoveTo(0, gy);
    page.LineTo(kPageW, gy);
  }
  Heading(page, 8, 6, "opaque");
  Heading(page, 8, kHalf + 6, "transparent");
  for (bool transparent : {false, true})
    for (int slot = 0; slot < 4; ++slot) DrawScale(page, setups[std::size_t(slot)], slot, transparent);
}

void AddPage(std::vector<Page>& pages, const std::string& id, const std::string& title,
             std::array<TScaleSetup, 4> setups) {
  Page p;
  p.Id = id;
  p.Title = title;
  p.Width = kPageW;
  p.Height = kPageH;
  p.Draw = [setups](TCanvas& c) { DrawScalePage(c, setups); };
  pages.push_back(std::move(p));
}

}  // namespace

void AddScalePages(std::vector<Page>& pages) {
  AddPage(pages, "scale-numeric", "Scale: numeric labels",
          {{{stLabelsAbove, [](TScale& s) {
               s.SetRange(0, 100);
               s.SetCaption("Volt");
             }},
            {stLabelsBelow, [](TScale& s) {
               s.SetRange(-1, 1);
               s.SetMinTicks(5);
               s.SetCaption("Ampere");
             }},
            {stLabelsRight, [](TScale& s) {
               s.SetRange(0, 2e6);
               s.SetMinTicks(4);
               s.SetCaption("Hz");
             }},
            {stLabelsLeft, [](TScale& s) {
               s.SetRange(0.05, 0);  // reversed
               s.SetMinTicks(5);
               s.SetCaption("m");
             }}}});

  AddPage(pages, "scale-log", "Scale: logarithmic labels",
          {{{stLabelsAbove, [](TScale& s) {
               s.SetRange(0.01, 100);
               s.SetMinTicks(5);
               s.SetLogarithmic(true);
               s.SetCaption("Ohm");
             }},
            {stLabelsBelow, [](TScale& s) {
               s.SetRange(1, 1e6);
               s.SetMinTicks(3);
               s.SetLogarithmic(true);
               s.SetDecPlaces(-3);
               s.SetScaleInscript("10^&");
               s.SetCaption("decades");
             }},
            {stLabelsRight, [](TScale& s) {
               s.SetRange(1, 1000);
               s.SetMinTicks(5);
               s.SetLogarithmic(true);
               s.SetCaption("Pa");
             }},
            {stLabelsLeft, [](TScale& s) {
               s.SetRange(2, 9);  // less than a decade
               s.SetMinTicks(4);
               s.SetLogarithmic(true);
               s.SetCaption("s");
             }}}});

  AddPage(pages, "scale-time", "Scale: time of day labels",
          {{{stLabelsAbove, [](TScale& s) {
               s.SetLabelType(ftTime);
               s.SetRange(0, 7200);
               s.SetCaption("elapsed");
             }},
            {stLabelsBelow, [](TScale& s) {
               s.SetLabelType(ftTime);
               s.SetRange(-90, 90);
               s.SetMinTicks(4);
               s.SetCaption("offset");
             }},
            {stLabelsRight, [](TScale& s) {
               s.SetLabelType(ftTime);
               s.SetRange(0, 1.5);
               s.SetMinTicks(3);
               s.SetCaption("ms");
             }},
            {stLabelsLeft, [](TScale& s) {
               s.SetLabelType(ftTime);
               s.SetRange(0, 86400);
               s.SetMinTicks(4);
               s.SetCaption("day");
             }}}});

  const double day = EncodeDate(2024, 3, 5);
  AddPage(pages, "scale-datetime", "Scale: date/time labels",
          {{{stLabelsAbove, [day](TScale& s) {
               s.SetLabelType(ftDateTime);
               s.SetRange(day + 0.25, day + 1.25);
               s.SetCaption("hours");
             }},
            {stLabelsBelow, [](TScale& s) {
               s.SetLabelType(ftDateTime);
               s.SetRange(EncodeDate(2020, 1, 1), EncodeDate(2023, 1, 1));
               s.SetCaption("months");
             }},
            {stLabelsRight, [](TScale& s) {
               s.SetLabelType(ftDateTime);
               s.SetRange(EncodeDate(1950, 1, 1), EncodeDate(2010, 1, 1));
               s.SetMinTicks(5);
               s.SetCaption("years");
             }},
            {stLabelsLeft, [day](TScale& s) {
               s.SetLabelType(ftDateTime);
               s.SetRange(day, day + 21);
               s.SetMinTicks(4);
               s.DateFormat().SetYearLength(ylNone);
               s.SetCaption("days");
             }}}});

  AddPage(pages, "scale-usertext", "Scale: user texts and inscriptions",
          {{{stLabelsAbove, [](TScale& s) {
               s.SetLabelType(ftUserText);
               s.SetRange(0, 6);
               s.SetMinTicks(10);
               s.SetUserTickText("Mon|Tue|Wed|Thu|Fri|Sat|Sun");
               s.SetShortTicks(false);
               s.SetCaption("weekday");
             }},
            {stLabelsBelow, [](TScale& s) {
               s.SetLabelType(ftUserText);
               s.SetRange(0, 100);
               s.SetUserTickText("low|medium|high");
               s.SetCaption("level");
             }},
            {stLabelsRight, [](TScale& s) {
               s.SetRange(0, 50);
               s.SetMinTicks(5);
               s.SetScaleInscript("$&k");
               s.SetCaption("price");
             }},
            {stLabelsLeft, [](TScale& s) {
               s.SetRange(-20, 40);
               s.SetMinTicks(4);
               s.SetScaleInscript("&\xC2\xB0" "C");
               s.SetCaption("temp");
             }}}});
}

}  // namespace kvo::gallery
