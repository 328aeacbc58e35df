#include "scale/scaledraw_p.h"

#include <algorithm>
#include <cstdint>

namespace kvo {

namespace {

// Pixel arithmetic is done in 64 bits and brought back into the canvas's
// coordinate range: offsets, margins and caption positions come from setters
// that accept any integer, and their sums must not overflow.
std::int32_t Px(std::int64_t v) noexcept {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

bool Vertical(TScaleType t) { return t == stLabelsRight || t == stLabelsLeft; }

void PrepareCanvas(TCanvas& cv, const TScaleDrawInput& in) {
  // A printer measures fonts at its own resolution: keep the point size so
  // that labels come out as large on paper as on screen.
  if (cv.Caps().IsPrinter) cv.Font().SetPixelsPerInch(cv.GetDeviceCaps(LOGPIXELSY));
  cv.Brush().SetStyle(in.Transparent ? bsClear : bsSolid);
}

// Lets the handler replace a text before it is measured.
void BeforeLabel(const TScaleDrawInput& in, double value, std::string& text) {
  if (in.OnBeforeTickLabel && *in.OnBeforeTickLabel)
    (*in.OnBeforeTickLabel)(in.Sender, in.Type, value, text);
}

void TickDrawn(TCanvas& cv, const TScaleDrawInput& in, double value, TPoint p) {
  if (in.OnTickDrawn && *in.OnTickDrawn) (*in.OnTickDrawn)(in.Sender, cv, in.Type, value, p.x, p.y);
}

// Draws the ticks of a division in order and hands each labelled one to
// `label` (pixel along the axis, label). Returns nothing; the event of
// SilentLast ticks uses the last tick drawn (or the start of the axis).
template <typename LabelFn>
void DrawTicks(TCanvas& cv, const TScaleDrawInput& in, const TScaleDivision& div,
               std::vector<TTickLabel>& labels, std::int32_t base, LabelFn&& label) {
  const bool vertical = Vertical(in.Type);
  const std::int32_t dir = (in.Type == stLabelsAbove || in.Type == stLabelsLeft) ? -1 : 1;
  const std::int32_t majorLen = vertical ? kMajorTickVert : kMajorTickHoriz;
  // On vertical logarithmic axes the minor ticks are as long as the majors.
  const std::int32_t minorLen = vertical && in.Log ? kMajorTickVert : kMinorTick;
  const TScaleExtent& e = in.Extent;
  TPoint last = vertical ? TPoint{base, e.Height - e.MarginBottom - 1} : TPoint{e.MarginLeft, base};
  std::size_t nextLabel = 0;
  for (std::size_t i = 0; i < div.Ticks.size(); ++i) {
    const TTick& t = div.Ticks[i];
    if (t.Kind == TTickKind::SilentLast) {
      TickDrawn(cv, in, t.Value, last);
      continue;
    }
    const std::int32_t pos = in.Map->ToPixel(t.Value, in.UnderflowPixel);
    const TPoint p = vertical ? TPoint{base, pos} : TPoint{pos, base};
    cv.MoveTo(p.x, p.y);
    if (t.Kind != TTickKind::Silent) {
      const std::int32_t len = dir * (t.Kind == TTickKind::Major ? majorLen : minorLen);
      if (vertical)
        cv.LineTo(Px(std::int64_t(p.x) + len), p.y);
      else
        cv.LineTo(p.x, Px(std::int64_t(p.y) + len));
      last = p;
    }
    TickDrawn(cv, in, t.Value, p);
    while (nextLabel < labels.size() && labels[nextLabel].Tick < std::int32_t(i)) ++nextLabel;
    if (nextLabel < labels.size() && labels[nextLabel].Tick == std::int32_t(i))
      label(pos, labels[nextLabel++]);
  }
}

void DrawCaption(TCanvas& cv, const TScaleDrawInput& in, std::int32_t base) {
  if (in.Caption.empty()) return;
  const TScaleExtent& e = in.Extent;
  const std::int32_t w = cv.TextWidth(in.Caption);
  // The anchor along the axis: its start, its middle or its end.
  auto anchor = [&](std::int64_t size, std::int64_t marginLow, std::int64_t marginHigh) {
    if (in.CaptionAnchor == uaSclCenter) return marginLow + (size - marginLow - marginHigh) / 2;
    if (in.CaptionAnchor == uaSclBotRgt) return size - marginHigh;
    return marginLow;
  };
  std::int64_t x, y;
  if (!Vertical(in.Type)) {
    x = in.CaptionPosX + anchor(e.Width, e.MarginLeft, e.MarginRight);
    y = std::int64_t(base) + in.CaptionPosY;
  } else {
    y = in.CaptionPosY + anchor(e.Height, e.MarginTop, e.MarginBottom);
    x = std::int64_t(base) + in.CaptionPosX;
  }
  if (in.CaptionAlignment == taRightJustify)
    x -= w;
  else if (in.CaptionAlignment == taCenter)
    x -= w / 2;
  cv.TextOut(Px(x), Px(y), in.Caption);
}

double RangeMiddle(const TScaleDrawInput& in) { return (in.Low + in.High) / 2; }

}  // namespace

std::int32_t ClampLabelLeft(std::int32_t x, std::int32_t w, std::int32_t width) noexcept {
  const std::int64_t w2 = w / 2;
  if (x + w2 < std::int64_t(width) - 2) return Px(std::max<std::int64_t>(x - w2, 2));
  return Px(std::int64_t(width) - 2 * w2 - 2);
}

void DrawXScale(TCanvas& cv, const TScaleDrawInput& in, const TScaleDivision& div,
                std::vector<TTickLabel>& labels, std::int32_t row) {
  PrepareCanvas(cv, in);
  const bool above = in.Type == stLabelsAbove;
  const std::int32_t width = in.Extent.Width;
  // Top edge of a text of height h whose row lies `out` text lines away from
  // the base line on the label side.
  auto top = [&](std::int32_t h, std::int32_t out) {
    const std::int64_t r = row, lines = std::int64_t(out) * h;
    return Px(above ? r - lines - h - kLabelGapHoriz : r + lines + kLabelGapHoriz);
  };
  if (div.Message != TDivisionMessage::None) {
    std::string text = DivisionMessageText(div.Message);
    const TSize sz = cv.TextExtent(text);
    const std::int32_t xm = in.Map->ToPixel(RangeMiddle(in), in.UnderflowPixel);
    // The message stands on the label side of the base line, like the labels
    // it replaces.
    cv.TextOut(Px(std::int64_t(xm) - sz.cx / 2), top(sz.cy, 0), text);
  } else {
    DrawTicks(cv, in, div, labels, row, [&](std::int32_t x, TTickLabel& l) {
      const double value = div.Ticks[std::size_t(l.Tick)].Value;
      BeforeLabel(in, value, l.Text);
      if (!l.Text.empty()) {
        const TSize sz = cv.TextExtent(l.Text);
        cv.TextOut(ClampLabelLeft(x, sz.cx, width), top(sz.cy, 0), l.Text);
      }
      if (l.HasDateLine) {
        BeforeLabel(in, value, l.DateLine);
        if (!l.DateLine.empty()) {
          const TSize sz = cv.TextExtent(l.DateLine);
          cv.TextOut(ClampLabelLeft(x, sz.cx, width), top(sz.cy, 1), l.DateLine);
        }
      }
    });
  }
  DrawCaption(cv, in, row);
}

void DrawYScale(TCanvas& cv, const TScaleDrawInput& in, const TScaleDivision& div,
                std::vector<TTickLabel>& labels, std::int32_t col) {
  PrepareCanvas(cv, in);
  const bool left = in.Type == stLabelsLeft;
  auto leftEdge = [&](std::int32_t w, std::int32_t gap) {
    return Px(left ? std::int64_t(col) - w - gap : std::int64_t(col) + gap);
  };
  if (div.Message != TDivisionMessage::None) {
    const std::int32_t ym = in.Map->ToPixel(RangeMiddle(in), in.UnderflowPixel);
    const std::int32_t lineH = cv.TextHeight("T");
    std::int64_t y = std::int64_t(ym) - lineH;
    for (const std::string& word : DivisionMessageLines(div.Message)) {
      cv.TextOut(leftEdge(cv.TextWidth(word), 2), Px(y), word);
      y += lineH;
    }
  } else {
    const bool dateTime = div.Labels == TDivisionLabels::DateTime;
    const std::int32_t digitH = cv.TextHeight("0");
    DrawTicks(cv, in, div, labels, col, [&](std::int32_t y, TTickLabel& l) {
      const double value = div.Ticks[std::size_t(l.Tick)].Value;
      BeforeLabel(in, value, l.Text);
      std::int32_t h = digitH;
      if (!l.Text.empty()) {
        const TSize sz = cv.TextExtent(l.Text);
        if (dateTime) h = sz.cy;
        cv.TextOut(leftEdge(sz.cx, kLabelGapVert), Px(std::int64_t(y) - h / 2), l.Text);
      }
      if (l.HasDateLine) {
        BeforeLabel(in, value, l.DateLine);
        if (!l.DateLine.empty()) {
          const TSize sz = cv.TextExtent(l.DateLine);
          cv.TextOut(leftEdge(sz.cx, kLabelGapVert), Px(std::int64_t(y) - 3 * (h / 2)),
                     l.DateLine);
        }
      }
    });
  }
  DrawCaption(cv, in, col);
}

}  // namespace kvo
