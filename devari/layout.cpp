#include "devari/layout_p.h"

#include <vector>

#include "platform/numeric.h"

namespace kvo {

namespace {

// Byte offsets where the UTF-8 code points of s begin.
std::vector<std::size_t> CodePointStarts(const std::string& s) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  return starts;
}

}  // namespace

std::string TrimCaption(const std::string& text, std::int32_t trimPercent, const TChartGeometry& g,
                        const std::function<std::int32_t(std::string_view)>& textWidth) {
  if (trimPercent == 0 || text.empty()) return text;
  const double avail = double(g.Width) - g.Shadow - g.LRim - g.RRim;
  const std::int32_t limit = Round(avail * 0.01 * trimPercent);
  const std::int32_t w = textWidth(text);
  if (w <= limit || w <= 0) return text;
  const std::vector<std::size_t> starts = CodePointStarts(text);
  const double n = double(starts.size());
  std::int32_t keep = Round(n * double(limit) / double(w) - 2);
  if (keep < 0) keep = 0;
  if (std::size_t(keep) > starts.size()) keep = std::int32_t(starts.size());
  const std::size_t bytes = std::size_t(keep) < starts.size() ? starts[std::size_t(keep)] : text.size();
  return text.substr(0, bytes) + "...";
}

TPoint CaptionTextPos(const TChartGeometry& g, TCaptionAnchorHoriz ax, TCaptionAnchorVert ay,
                      std::int32_t posX, std::int32_t posY, TAlignment align,
                      std::int32_t textWidth) {
  // Wide arithmetic: offsets are application values of any size.
  std::int64_t x = posX;
  switch (ax) {
    case cahControlLeft: break;
    case cahChartLeft: x += g.LRim; break;
    case cahChartCenter:
      x += g.LRim + (std::int64_t(g.Width) - g.LRim - g.RRim - g.Shadow) / 2;
      break;
    case cahChartRight: x += std::int64_t(g.Width) - g.RRim - g.Shadow; break;
    case cahControlRight: x += g.Width; break;
  }
  std::int64_t y = posY;
  switch (ay) {
    case cavControlTop: break;
    case cavChartTop: y += g.TRim; break;
    case cavChartCenter:
      y += g.TRim + (std::int64_t(g.Height) - g.TRim - g.BRim - g.Shadow) / 2;
      break;
    case cavChartBottom: y += std::int64_t(g.Height) - g.BRim; break;
    case cavControlBottom: y += g.Height; break;
  }
  if (align == taRightJustify) {
    x -= textWidth;
  } else if (align == taCenter) {
    x -= textWidth / 2;
  }
  return {ClampPixel(x), ClampPixel(y)};
}

std::int32_t DetectScaleAt(const TChartGeometry& g, const TAxisSpot yAxes[2],
                           const TAxisSpot xAxes[2], std::int32_t x, std::int32_t y) {
  // Wide arithmetic: axis offsets are application values of any size.
  const std::int64_t W = g.Width, H = g.Height, X = x, Y = y;
  for (int k = 1; k <= 2; ++k) {
    const TAxisSpot& a = yAxes[k - 1];
    if (!a.Visible) continue;
    const std::int64_t p = a.ScalePos;
    const bool inRows = g.TRim < Y && Y < H - g.BRim;
    if (a.ScaleType == 2 && W + p - g.RRim < X && X < W + p - g.RRim + 50 && inRows) return k;
    if (a.ScaleType == 3 && g.LRim - p - 50 < X && X < g.LRim - p && inRows) return k;
  }
  for (int k = 1; k <= 2; ++k) {
    const TAxisSpot& a = xAxes[k - 1];
    if (!a.Visible) continue;
    const std::int64_t p = a.ScalePos;
    const bool inCols = g.LRim < X && X < W - g.RRim;
    if (a.ScaleType == 1 && H + p - g.BRim < Y && Y < H + p - g.BRim + 40 && inCols) return -k;
    if (a.ScaleType == 0 && g.TRim - p - 40 < Y && Y < g.TRim - p && inCols) return -k;
  }
  return 0;
}

}  // namespace kvo
