// TItemRenderer: draws display-list items on a canvas, one rule per item kind
// (a switch on the kind), with the canvas state it set last kept so that the
// canvas changes only on a difference, and consecutive polyline vertices
// batched into polylines of at most 200 points.
//
// Robustness: items come unchecked from applications and data files. An item
// with a NaN coordinate it uses is not drawn (a NaN polyline vertex leaves a
// gap: drawing resumes at the next valid vertex); infinite and huge values are
// saturated and every pixel is held within +-30000; pen widths are limited to
// 0..255; unknown kinds and coordinate modes draw nothing.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "devari/chartitem.h"
#include "devari/transform.h"
#include "platform/canvas.h"

namespace kvo {

class TLongTextArray;
class TRunIndex;
class TPointMapper;

constexpr std::size_t kPolylineBatch = 200;

// Measures a text whose lines are separated by line feeds: returns the
// number of lines; lineHeight = TextHeight(text) + 1, totalHeight = lineHeight
// * lines, width = the widest line (the whole text's width if that is 0).
KVO_API std::int32_t CalcTextExtents(const std::string& text, TCanvas& canvas, std::int32_t& lineHeight,
                             std::int32_t& totalHeight, std::int32_t& width);

// Everything an item needs from its chart besides the item itself.
struct KVO_API TRenderContext {
  const TLayerTransforms* Transforms = nullptr;
  TChartGeometry Geometry;
  std::int32_t Left = 0, Top = 0;  // canvas position of the data area's top-left pixel
  bool BW = false;                 // black-and-white rendering
  // Axis ranges per layer (index 1..2), as stored (a reversed axis has Low > High).
  double XLow[3] = {0, 0, 0}, XHigh[3] = {0, 1, 1}, YLow[3] = {0, 0, 0}, YHigh[3] = {0, 1, 1};
  // Face and style of texts; the size comes from each item.
  std::string TextFontName = kDefaultFontName;
  TFontStyles TextFontStyle{};
  bool AvoidDupMarks = false;
  std::int32_t DupMarkDist = 1;  // 1..3
  // May replace the text of a text item before it is measured and drawn.
  std::function<void(std::string& text, std::int32_t index, bool isAnnotation)> OnBeforeRenderText;
};

// v lies between the range ends a and b (either order); false for NaN.
inline bool InRange(double v, double a, double b) noexcept {
  return a <= b ? (a <= v && v <= b) : (b <= v && v <= a);
}

class KVO_API TItemRenderer {
public:
  // Kept canvas state (what the renderer set last) and the pen position.
  TColor FLastPenCol = clBlack;
  TPenStyle FLastPenStyle = psSolid;
  TColor FLastBrushCol = clWhite;
  TColor FLastFontCol = clBlack;
  std::int32_t FLastLWidth = 1;
  std::int32_t FLastMoveToX = 0, FLastMoveToY = 0;
  // Pending polyline vertices.
  std::array<TPoint, kPolylineBatch> FPPa{};
  std::int32_t FNumPPa = 0;

  // Starts a drawing pass: pen width lineWidth, pen at (Left, Top), pen,
  // brush and font colour chartColor, pen solid, text reference top-left, and
  // (with AvoidDupMarks) an empty occupancy map for the control's size.
  void BeginPass(TCanvas& canvas, const TRenderContext& ctx, std::int32_t lineWidth,
                 TColor chartColor);

  // Takes new settings between passes without touching the kept state (pen
  // position, pending polyline); used for single items drawn outside a pass.
  void SetContext(TCanvas& canvas, const TRenderContext& ctx);

  // Draws one item. longTexts is the long-text table of the item's container;
  // index and isAnnotation are passed on to OnBeforeRenderText.
  void DrawItem(TCanvas& canvas, const TrcChartItem& item, const TLongTextArray& longTexts,
                bool isAnnotation, std::int32_t index);

  // Draws a run of items that differ only in x and y: item i is tmpl with
  // (x, y) = pts[i]. The pixels are those of DrawItem for each item in
  // turn, and the renderer is left in the same state: pen position and its
  // validity after NaN gaps, kept pen, brush and width, and a polyline that
  // following tkLineto items continue. The run's segments may be drawn at
  // once where DrawItem would leave up to 199 vertices pending until the
  // next FinishPolyLine (same pen, so the same pixels at the end of a pass).
  //
  // tkLineto in cmAllWorld maps every vertex in double and falls back to
  // the extended-precision mapping wherever the two could differ. On a
  // raster bitmap at scale 1 without antialiasing, with a solid 1-pixel pen
  // in a mode where a pixel drawn twice looks drawn once (copy, not XOR),
  // the polyline is reduced (TLineReducer) before it is drawn; elsewhere
  // (styled or wide pens, XOR, antialiasing, surface scales, vector and
  // recording canvases) the canvas receives exactly the calls of the item
  // path. Other kinds and coordinate modes are drawn item by item (texts
  // use longTexts and the item indexes firstIndex, firstIndex + 1, ...).
  //
  // index, when given, must describe exactly pts (built from them, extended
  // by Append as vertices were appended; an index of another size is
  // ignored). With it, a run whose x never decreases (NaN vertices aside,
  // while the index keeps their places) costs about (visible columns) x
  // log n: the vertices before and after the visible columns are skipped by
  // bisection and each column's extremes come from the index's pyramid; a
  // run whose box lies beyond an edge of the canvas costs O(log gaps). Runs
  // holding values <= 1e-100 on a logarithmic axis are mapped vertex by
  // vertex (there pixels are not monotonic in the value).
  //
  // version, when not 0, lets the renderer keep the reduced polylines of the
  // run and draw them again on a later call with the same pts.data(),
  // pts.size() and version, the same layer parameters, origin, geometry and
  // canvas size and the same pen position before the run. The caller
  // promises that the vertices behind such a (pointer, size, version) have
  // not changed: bump the version on every change of the run's vertices.
  void DrawLineRun(TCanvas& canvas, const TrcChartItem& tmpl, std::span<const TXY> pts,
                   const TRunIndex* index, const TLongTextArray* longTexts = nullptr,
                   bool isAnnotation = false, std::int32_t firstIndex = 0,
                   std::uint64_t version = 0);

  // Runs drawn again from the kept polylines (for tests and benchmarks).
  std::uint64_t RunCacheHits() const noexcept { return FRunCacheHits; }

  // Adds a vertex to the pending polyline (the first one is preceded by the
  // pen position); a full batch is drawn and the next one starts at its end.
  void EnterPolyline(std::int32_t x, std::int32_t y, TCanvas& canvas);
  // Draws and empties the pending polyline; the pen ends on its last point.
  void FinishPolyLine(TCanvas& canvas);

private:
  // Canvas-state helpers: change the canvas only when the value differs.
  void PenColor(TCanvas& c, TColor v);
  void PenStyle(TCanvas& c, TPenStyle v);
  void BrushColor(TCanvas& c, TColor v);
  void FontColor(TCanvas& c, TColor v);
  void PenBrush(TCanvas& c, const TrcChartItem& it);  // pen pc + style, brush FillColor

  TColor Pc(const TrcChartItem& it) const;
  TColor Fc(const TrcChartItem& it) const;

  // Coordinate conversion: world through the layer transform plus the origin
  // shift, screen rounded plus the origin; both clamped to +-30000.
  std::int32_t WorldX(std::int32_t layer, double x) const;
  std::int32_t WorldY(std::int32_t layer, double y) const;
  std::int32_t ScreenX(double x) const;
  std::int32_t ScreenY(double y) const;
  // First point (x, y) and second point (x2, y2) by the coordinate mode;
  // false for an unknown mode.
  bool MainPoint(const TrcChartItem& it, TPoint& p) const;
  bool SecPoint(const TrcChartItem& it, TPoint& p) const;

  void DrawLineto(TCanvas& c, const TrcChartItem& it);
  void MapRun(TCanvas& c, std::span<const TXY> pts, const TPointMapper& map);
  void DrawRelPix(TCanvas& c, const TrcChartItem& it);
  void DrawLineRelPixOrig(TCanvas& c, const TrcChartItem& it);
  void DrawLine(TCanvas& c, const TrcChartItem& it);
  void DrawRect(TCanvas& c, const TrcChartItem& it);
  void DrawRectFrame(TCanvas& c, const TrcChartItem& it);
  void Draw3DBar(TCanvas& c, const TrcChartItem& it);
  void DrawEllipseArc(TCanvas& c, const TrcChartItem& it);
  void DrawArrow(TCanvas& c, const TrcChartItem& it);
  void DrawMark(TCanvas& c, const TrcChartItem& it);
  void DrawMarkRun(TCanvas& c, const TrcChartItem& tmpl, std::span<const TXY> pts);
  void DrawErrorBar(TCanvas& c, const TrcChartItem& it);
  void DrawText(TCanvas& c, const TrcChartItem& item, const TLongTextArray& longTexts,
                bool isAnnotation, std::int32_t index);
  void DrawCursor(TCanvas& c, const TrcChartItem& it);
  void Pixel(TCanvas& c, TPoint p, TColor col);
  // Duplicate-mark avoidance: true when the mark is to be drawn (and then
  // recorded); positions outside the map are always drawn.
  bool ClaimMark(std::int32_t px, std::int32_t py, std::int32_t markType);
  void SizePixMap(TCanvas& canvas);

  // Reduced polylines of recently drawn runs (DrawLineRun with a version).
  struct TRunKey {
    std::uint64_t Version = 0;
    const TXY* Data = nullptr;
    std::size_t Size = 0;
    long double Kx = 0, Dx = 0, Ky = 0, Dy = 0;
    bool LogX = false, LogY = false, StartValid = false;
    std::int64_t OffX = 0, OffY = 0;
    std::int32_t GeomW = 0, GeomH = 0, CanvasW = 0, CanvasH = 0;
    TPoint Start{};
    bool operator==(const TRunKey&) const = default;
  };
  struct TRunCacheEntry {
    TRunKey Key;
    std::vector<TPoint> Points;        // the polylines, one after the other
    std::vector<std::uint32_t> Ends;   // end of each polyline in Points
    TPoint Last{};
    bool Valid = false;
    std::uint64_t Used = 0;
  };
  static constexpr std::size_t kRunCacheEntries = 8;
  static constexpr std::size_t kRunCacheMaxPoints = std::size_t(1) << 18;  // 2 MB
  std::vector<TRunCacheEntry> FRunCache;
  std::uint64_t FRunTick = 0, FRunCacheHits = 0;

  TRenderContext FCtx;
  bool FPenPosValid = true;   // false after a NaN position until the next absolute one
  std::vector<std::int32_t> FPixMap;
  std::int32_t FPixMapW = 0, FPixMapH = 0;
};

}  // namespace kvo
