// The drawing commands of TCustomDEvari. Every overload forwards to one
// internal command that takes the coordinates as floats plus the coordinate
// mode its argument types imply (integers are data-area pixels).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "devari/devari.h"
#include "platform/numeric.h"

namespace kvo {

TrcChartItem TDisplayListControl::NewItem(TrcItem kind) const noexcept {
  // Fields a command does not set stay zero, also when the slot held an
  // item before (a removed item leaves nothing behind).
  TrcChartItem it{};
  it.ItemKind = kind;
  it.Layer = FDraw.ActiveLayer;
  it.ItemClass = FDraw.ClassDefault;
  it.Color = FDraw.DataColor;
  it.PenStyle = FDraw.PenStyle;
  it.Tag = FDraw.DataTag;
  return it;
}

void TDisplayListControl::AppendItem(TrcChartItem& item, TCoordMode mode) {
  const bool anno = FDraw.AnnoMode;
  item.CoordMode = anno ? mode : cmAllWorld;
  (anno ? FAnnoContainer : *FDataContainer).Append(item, FAllocSize);
  if (!anno) AdjustCanInfoOfSharedCharts();
}

// ---- Bulk appends -------------------------------------------------------------------

std::int32_t TDisplayListControl::AppendPolyline(std::span<const double> x, std::span<const double> y,
                                                 bool connect) {
  const std::size_t n = std::min(x.size(), y.size());
  TrcChartItem proto = NewItem(tkLineto);
  proto.LWid = FDraw.LineWidth;
  proto.FillColor = FDraw.FillColor;
  proto.CoordMode = cmAllWorld;
  TrcChartItem move = NewItem(tkMoveTo);
  move.LWid = FDraw.LineWidth;
  move.CoordMode = cmAllWorld;
  // A point is a move when it is the first, a gap (NaN) or follows a gap;
  // the line items between are appended as runs.
  TRcItemContainer& list = Target();
  const TRcItemContainer::TMark before = list.Mark();
  try {
    std::size_t i = 0;
    while (i < n) {
      if (connect && i == 0 && !std::isnan(x[0]) && !std::isnan(y[0])) {
        std::size_t j = 0;
        while (j < n && !std::isnan(x[j]) && !std::isnan(y[j])) ++j;
        list.AppendRun(proto, x.data(), y.data(), j, FAllocSize);
        i = j;
        continue;
      }
      move.x = x[i];
      move.y = y[i];
      list.Append(move, FAllocSize);
      const bool gap = std::isnan(x[i]) || std::isnan(y[i]);
      ++i;
      if (gap) continue;
      std::size_t j = i;
      while (j < n && !std::isnan(x[j]) && !std::isnan(y[j])) ++j;
      list.AppendRun(proto, x.data() + i, y.data() + i, j - i, FAllocSize);
      i = j;
    }
  } catch (...) {
    list.Rollback(before);  // all or nothing
    throw;
  }
  if (!FDraw.AnnoMode) AdjustCanInfoOfSharedCharts();
  return std::int32_t(n);
}

std::int32_t TDisplayListControl::AppendMarks(std::span<const double> x, std::span<const double> y,
                                              std::uint8_t markType) {
  const std::size_t n = std::min(x.size(), y.size());
  TrcChartItem proto = NewItem(tkMarkAt);
  proto.Param3 = markType;
  proto.LWid = FDraw.LineWidth;
  proto.CoordMode = cmAllWorld;
  Target().AppendRun(proto, x.data(), y.data(), n, FAllocSize);
  if (!FDraw.AnnoMode) AdjustCanInfoOfSharedCharts();
  return std::int32_t(n);
}

// ---- Internal commands -----------------------------------------------------------

void TDisplayListControl::MoveToIntern(double x, double y, TCoordMode mode) {
  TrcChartItem it = NewItem(tkMoveTo);
  it.x = x;
  it.y = y;
  it.LWid = FDraw.LineWidth;
  AppendItem(it, mode);
}

void TDisplayListControl::DrawToIntern(double x, double y, TCoordMode mode) {
  TrcChartItem it = NewItem(tkLineto);
  it.x = x;
  it.y = y;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, mode);
}

void TDisplayListControl::LineIntern(double x1, double y1, double x2, double y2, TCoordMode mode) {
  TrcChartItem it = NewItem(tkLine);
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, mode);
}

void TDisplayListControl::RectangleIntern(double x1, double y1, double x2, double y2, TCoordMode mode) {
  TrcChartItem it = NewItem(tkRect);
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  it.Transp = FDraw.TransparentItems;
  AppendItem(it, mode);
}

void TDisplayListControl::RectFrameIntern(double x1, double y1, double x2, double y2,
                                    TFrameStyle frameStyle, TColor shadowColor,
                                    TColor hiLightColor, TCoordMode mode) {
  TrcChartItem it = NewItem(tkRectFrame);
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.FrameStyle = frameStyle;
  it.ShadowColor = shadowColor;
  it.HiLightColor = hiLightColor;
  it.FillColor = FDraw.FillColor;
  it.LWid = 1;
  AppendItem(it, mode);
}

namespace {
// The fields of both arrow kinds: the segment, the head size and the area
// settings of the heads.
void FillArrow(TrcChartItem& it, double x1, double y1, double x2, double y2,
               std::int32_t headSize, const TDrawSettings& draw) noexcept {
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.Param1 = headSize;
  it.LWid = draw.LineWidth;
  it.FillColor = draw.FillColor;
  it.Transp = draw.TransparentItems;
}
}  // namespace

void TDisplayListControl::ArrowIntern(double x1, double y1, double x2, double y2, std::int32_t headSize,
                                TCoordMode mode) {
  TrcChartItem it = NewItem(tkArrow);
  FillArrow(it, x1, y1, x2, y2, headSize, FDraw);
  AppendItem(it, mode);
}

void TDisplayListControl::DoubleArrowIntern(double x1, double y1, double x2, double y2,
                                      std::int32_t headSize, TCoordMode mode) {
  TrcChartItem it = NewItem(tkDoubleArrow);
  FillArrow(it, x1, y1, x2, y2, headSize, FDraw);
  AppendItem(it, mode);
}

void TDisplayListControl::TextIntern(double x, double y, std::int32_t size, const std::string& text,
                               std::int32_t dx, std::int32_t dy, TAlignment alignment,
                               TCoordMode mode) {
  TrcChartItem it = NewItem(dx != 0 || dy != 0 ? tkTextOfs : tkText);
  it.x = x;
  it.y = y;
  it.x2 = dx;
  it.y2 = dy;
  it.FillColor = FDraw.FillColor;
  SetShortText(it, text);
  // A text too long for the record keeps its whole in the next free slot of
  // the target list's table (none when all 50 are taken).
  it.LWid = NeedsLongText(text) ? Target().LongTexts().Take(text) : 0;
  it.Param1 = size;
  it.Param2 = FDraw.TextBkStyle;
  it.Param3 = alignment;
  AppendItem(it, mode);
}

void TDisplayListControl::CursorVertIntern(double x, TCoordMode mode) {
  TrcChartItem it = NewItem(tkCursorVert);
  it.x = x;
  it.y = 0;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, mode);
}

void TDisplayListControl::CursorHorizIntern(double y, TCoordMode mode) {
  TrcChartItem it = NewItem(tkCursorHoriz);
  it.x = 0;
  it.y = y;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, mode);
}

void TDisplayListControl::MarkAtIntern(double x, double y, std::uint8_t markType, TCoordMode mode) {
  TrcChartItem it = NewItem(tkMarkAt);
  it.x = x;
  it.y = y;
  it.Param3 = markType;
  it.LWid = FDraw.LineWidth;
  AppendItem(it, mode);
}

// ---- Overloads ----------------------------------------------------------------------

using I = std::int32_t;

void TDisplayListControl::MoveTo(double x, double y) { MoveToIntern(x, y, cmAllWorld); }
void TDisplayListControl::MoveTo(I x, I y) { MoveToIntern(x, y, cmAllScreen); }
void TDisplayListControl::MoveTo(I x, double y) { MoveToIntern(x, y, cmXScreenYWorld); }
void TDisplayListControl::MoveTo(double x, I y) { MoveToIntern(x, y, cmXWorldYScreen); }

void TDisplayListControl::DrawTo(double x, double y) { DrawToIntern(x, y, cmAllWorld); }
void TDisplayListControl::DrawTo(I x, I y) { DrawToIntern(x, y, cmAllScreen); }
void TDisplayListControl::DrawTo(I x, double y) { DrawToIntern(x, y, cmXScreenYWorld); }
void TDisplayListControl::DrawTo(double x, I y) { DrawToIntern(x, y, cmXWorldYScreen); }

void TDisplayListControl::Line(double x1, double y1, double x2, double y2) {
  LineIntern(x1, y1, x2, y2, cmAllWorld);
}
void TDisplayListControl::Line(I x1, I y1, I x2, I y2) { LineIntern(x1, y1, x2, y2, cmAllScreen); }
void TDisplayListControl::Line(double x1, double y1, I x2, I y2) {
  LineIntern(x1, y1, x2, y2, cmWorldMainScreenSec);
}
void TDisplayListControl::Line(I x1, I y1, double x2, double y2) {
  LineIntern(x1, y1, x2, y2, cmScreenMainWorldSec);
}

void TDisplayListControl::Rectangle(double x1, double y1, double x2, double y2) {
  RectangleIntern(x1, y1, x2, y2, cmAllWorld);
}
void TDisplayListControl::Rectangle(I x1, I y1, I x2, I y2) {
  RectangleIntern(x1, y1, x2, y2, cmAllScreen);
}
void TDisplayListControl::Rectangle(double x1, double y1, I x2, I y2) {
  RectangleIntern(x1, y1, x2, y2, cmWorldMainScreenSec);
}
void TDisplayListControl::Rectangle(I x1, I y1, double x2, double y2) {
  RectangleIntern(x1, y1, x2, y2, cmScreenMainWorldSec);
}

void TDisplayListControl::RectFrame(double x1, double y1, double x2, double y2, TFrameStyle fs,
                              TColor shadow, TColor hilight) {
  RectFrameIntern(x1, y1, x2, y2, fs, shadow, hilight, cmAllWorld);
}
void TDisplayListControl::RectFrame(I x1, I y1, I x2, I y2, TFrameStyle fs, TColor shadow,
                              TColor hilight) {
  RectFrameIntern(x1, y1, x2, y2, fs, shadow, hilight, cmAllScreen);
}
void TDisplayListControl::RectFrame(double x1, double y1, I x2, I y2, TFrameStyle fs, TColor shadow,
                              TColor hilight) {
  RectFrameIntern(x1, y1, x2, y2, fs, shadow, hilight, cmWorldMainScreenSec);
}
void TDisplayListControl::RectFrame(I x1, I y1, double x2, double y2, TFrameStyle fs, TColor shadow,
                              TColor hilight) {
  RectFrameIntern(x1, y1, x2, y2, fs, shadow, hilight, cmScreenMainWorldSec);
}

void TDisplayListControl::Arrow(double x1, double y1, double x2, double y2, I head) {
  ArrowIntern(x1, y1, x2, y2, head, cmAllWorld);
}
void TDisplayListControl::Arrow(I x1, I y1, I x2, I y2, I head) {
  ArrowIntern(x1, y1, x2, y2, head, cmAllScreen);
}
void TDisplayListControl::Arrow(double x1, double y1, I x2, I y2, I head) {
  ArrowIntern(x1, y1, x2, y2, head, cmWorldMainScreenSec);
}
void TDisplayListControl::Arrow(I x1, I y1, double x2, double y2, I head) {
  ArrowIntern(x1, y1, x2, y2, head, cmScreenMainWorldSec);
}
void TDisplayListControl::Arrow(double x1, I y1, double x2, I y2, I head) {
  ArrowIntern(x1, y1, x2, y2, head, cmXWorldYScreen);
}
void TDisplayListControl::Arrow(I x1, double y1, I x2, double y2, I head) {
  ArrowIntern(x1, y1, x2, y2, head, cmXScreenYWorld);
}

void TDisplayListControl::DoubleArrow(double x1, double y1, double x2, double y2, I head) {
  DoubleArrowIntern(x1, y1, x2, y2, head, cmAllWorld);
}
void TDisplayListControl::DoubleArrow(I x1, I y1, I x2, I y2, I head) {
  DoubleArrowIntern(x1, y1, x2, y2, head, cmAllScreen);
}
void TDisplayListControl::DoubleArrow(double x1, double y1, I x2, I y2, I head) {
  DoubleArrowIntern(x1, y1, x2, y2, head, cmWorldMainScreenSec);
}
void TDisplayListControl::DoubleArrow(I x1, I y1, double x2, double y2, I head) {
  DoubleArrowIntern(x1, y1, x2, y2, head, cmScreenMainWorldSec);
}
void TDisplayListControl::DoubleArrow(double x1, I y1, double x2, I y2, I head) {
  DoubleArrowIntern(x1, y1, x2, y2, head, cmXWorldYScreen);
}
void TDisplayListControl::DoubleArrow(I x1, double y1, I x2, double y2, I head) {
  DoubleArrowIntern(x1, y1, x2, y2, head, cmXScreenYWorld);
}

void TDisplayListControl::Text(double x, double y, I size, const std::string& text) {
  TextIntern(x, y, size, text, 0, 0, FDraw.TextAlignment, cmAllWorld);
}
void TDisplayListControl::Text(I x, I y, I size, const std::string& text) {
  TextIntern(x, y, size, text, 0, 0, FDraw.TextAlignment, cmAllScreen);
}
void TDisplayListControl::Text(I x, double y, I size, const std::string& text) {
  TextIntern(x, y, size, text, 0, 0, FDraw.TextAlignment, cmXScreenYWorld);
}
void TDisplayListControl::Text(double x, I y, I size, const std::string& text) {
  TextIntern(x, y, size, text, 0, 0, FDraw.TextAlignment, cmXWorldYScreen);
}
void TDisplayListControl::Text(double x, double y, I size, const std::string& text, I dx, I dy,
                         TAlignment alignment) {
  TextIntern(x, y, size, text, dx, dy, alignment, cmAllWorld);
}

void TDisplayListControl::CursorVert(double x) { CursorVertIntern(x, cmAllWorld); }
void TDisplayListControl::CursorVert(I x) { CursorVertIntern(x, cmAllScreen); }
void TDisplayListControl::CursorHoriz(double y) { CursorHorizIntern(y, cmAllWorld); }
void TDisplayListControl::CursorHoriz(I y) { CursorHorizIntern(y, cmAllScreen); }

void TDisplayListControl::MarkAt(double x, double y, std::uint8_t markType) {
  MarkAtIntern(x, y, markType, cmAllWorld);
}
void TDisplayListControl::MarkAt(I x, I y, std::uint8_t markType) {
  MarkAtIntern(x, y, markType, cmAllScreen);
}

// ---- Commands without overloads (always cmAllWorld) -----------------------------------

void TDisplayListControl::MoveToRelPix(I dx, I dy) {
  TrcChartItem it = NewItem(tkMoveRelPix);
  it.x = dx;
  it.y = dy;
  it.LWid = FDraw.LineWidth;
  AppendItem(it, cmAllWorld);
}

void TDisplayListControl::DrawToRelPix(I dx, I dy) {
  TrcChartItem it = NewItem(tkLineRelPix);
  it.x = dx;
  it.y = dy;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, cmAllWorld);
}

void TDisplayListControl::DrawToRelPix(double x, double y, I dx, I dy) {
  TrcChartItem it = NewItem(tkLineRelPixOrig);
  it.x = x;
  it.y = y;
  it.x2 = dx;
  it.y2 = dy;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, cmAllWorld);
}

void TDisplayListControl::LineOffset(double x1, double y1, double x2, double y2, I dx, I dy) {
  TrcChartItem it = NewItem(tkLineOffs);
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.Param1 = dx;
  it.Param2 = dy;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, cmAllWorld);
}

void TDisplayListControl::RectangleRelPix(double x, double y, I dx, I dy) {
  TrcChartItem it = NewItem(tkRectRelPix);
  it.x = x;
  it.y = y;
  it.Param1 = dx;
  it.Param2 = dy;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  it.Transp = FDraw.TransparentItems;
  AppendItem(it, cmAllWorld);
}

void TDisplayListControl::Bar3D(double x1, double y1, double x2, double y2, I depth, I angle) {
  TrcChartItem it = NewItem(tk3DBar);
  it.x = x1;
  it.y = y1;
  it.x2 = x2;
  it.y2 = y2;
  it.Param1 = std::clamp<I>(angle, 0, 180);
  it.Param2 = depth;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  AppendItem(it, cmAllWorld);
}

void TDisplayListControl::Ellipse(double x, double y, double hx, double hy) {
  TrcChartItem it = NewItem(tkEllipse);
  it.x = x;
  it.y = y;
  it.x2 = hx;
  it.y2 = hy;
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  it.Transp = FDraw.TransparentItems;
  AppendItem(it, cmAllWorld);
}

namespace {
// An arc angle limited to [-pi, pi] (NaN counts as pi), in units of 1e-8 rad.
std::int32_t StoredArcAngle(double a) noexcept {
  constexpr double pi = std::numbers::pi;
  if (std::isnan(a) || a > pi) a = pi;
  if (a < -pi) a = -pi;
  return Round(a * 1e8);
}
}  // namespace

void TDisplayListControl::Arc(double x, double y, double hx, double hy, double startAngle,
                        double endAngle) {
  TrcChartItem it = NewItem(tkArc);
  it.x = x;
  it.y = y;
  it.x2 = hx;
  it.y2 = hy;
  it.Param1 = StoredArcAngle(startAngle);
  it.Param2 = StoredArcAngle(endAngle);
  it.LWid = FDraw.LineWidth;
  it.FillColor = FDraw.FillColor;
  it.Transp = FDraw.TransparentItems;
  AppendItem(it, cmAllWorld);
}

void TDisplayListControl::MarkErrorBar(double x, double y, double lowErr, double highErr,
                                 TOrientation direction, std::uint8_t markType) {
  TrcChartItem it = NewItem(tkMarkEBar);
  it.x = x;
  it.y = y;
  it.x2 = lowErr;
  it.y2 = highErr;
  it.Param1 = static_cast<I>(direction);
  it.Param3 = markType;
  it.LWid = FDraw.LineWidth;
  AppendItem(it, cmAllWorld);
}

}  // namespace kvo
