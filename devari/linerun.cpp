#include "devari/linerun_p.h"

#include <array>
#include <algorithm>
#include <cfloat>
#include <climits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "devari/itemcontainer.h"
#include "devari/renderer_p.h"
#include "devari/runindex_p.h"
#include "platform/numeric.h"

namespace kvo {

// ---- mapping -----------------------------------------------------------------------

TAxisMapper::TAxisMapper(const TLayerTransforms& tf, std::int32_t layer, bool isX,
                         std::int64_t offset) noexcept
    : FTf(&tf), FLayer(ClampLayer(layer)), FIsX(isX), FOffset(offset) {
  const long double k = isX ? tf.Cpkx[FLayer] : tf.Cpky[FLayer];
  const long double d = isX ? tf.Cpdx[FLayer] : tf.Cpdy[FLayer];
  FLog = isX ? tf.LogX(FLayer) : tf.LogY(FLayer);
  FDir = k > 0 ? 1 : (k < 0 ? -1 : 0);
  Fk = static_cast<double>(k);
  Fd = static_cast<double>(d);
  FAbsD = std::fabs(Fd);
  FErr = FLog ? 0x1p-48 : 0x1p-49;
  if (!std::isfinite(Fk) || !std::isfinite(Fd) || (Fk != 0 && std::fabs(Fk) < DBL_MIN)) {
    // Parameters beyond double (or a slope too small to keep its relative
    // precision there): every value goes the reference way.
    Fk = 0;
    Fd = std::numeric_limits<double>::quiet_NaN();
  }
}

std::int32_t TAxisMapper::Exact(double v) const noexcept {
  const std::int32_t m = FIsX ? FTf->MapX(FLayer, v) : FTf->MapY(FLayer, v);
  return ClampPixel(std::int64_t(m) + FOffset);
}

TPointMapper::TPointMapper(const TLayerTransforms& tf, std::int32_t layer, std::int64_t offX,
                           std::int64_t offY) noexcept
    : FX(tf, layer, true, offX), FY(tf, layer, false, offY) {
  // The offsets join the rounded value in double: exact below 2^40.
  constexpr std::int64_t kMaxOff = std::int64_t(1) << 40;
  FLinear = !FX.FLog && !FY.FLog && offX > -kMaxOff && offX < kMaxOff && offY > -kMaxOff &&
            offY < kMaxOff;
}

bool TPointMapper::Map(const TXY* pts, std::size_t n, TPoint* out) const noexcept {
  bool nan = false;
#if defined(__SSE2__)
  if (FLinear) {
    // Lanes (x, y): the steps of TAxisMapper::operator() for both at once;
    // a lane that fails the boundary test is redone by the reference.
    const __m128d k = _mm_set_pd(FY.Fk, FX.Fk), d = _mm_set_pd(FY.Fd, FX.Fd);
    const __m128d absD = _mm_set_pd(FY.FAbsD, FX.FAbsD), err = _mm_set_pd(FY.FErr, FX.FErr);
    const __m128d off = _mm_set_pd(double(FY.FOffset), double(FX.FOffset));
    const __m128d rounder = _mm_set1_pd(TAxisMapper::kRounder), half = _mm_set1_pd(0.5);
    const __m128d big = _mm_set1_pd(1073741824.0), lim = _mm_set1_pd(double(kMaxPixelCoord));
    const __m128d signMask = _mm_set1_pd(-0.0);
    for (std::size_t j = 0; j < n; ++j) {
      const __m128d v = _mm_loadu_pd(&pts[j].x);
      const __m128d kv = _mm_mul_pd(k, v);
      const __m128d t = _mm_add_pd(kv, d);
      const __m128d r = _mm_sub_pd(_mm_add_pd(t, rounder), rounder);
      const __m128d e = _mm_mul_pd(_mm_add_pd(_mm_andnot_pd(signMask, kv), absD), err);
      const __m128d ok = _mm_and_pd(
          _mm_cmplt_pd(_mm_andnot_pd(signMask, t), big),
          _mm_cmplt_pd(_mm_andnot_pd(signMask, _mm_sub_pd(t, r)), _mm_sub_pd(half, e)));
      __m128d o = _mm_add_pd(r, off);
      o = _mm_min_pd(_mm_max_pd(o, _mm_sub_pd(_mm_setzero_pd(), lim)), lim);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(&out[j]), _mm_cvttpd_epi32(o));
      const int good = _mm_movemask_pd(ok);
      if (good != 3) [[unlikely]] {
        const TXY& p = pts[j];
        nan |= std::isnan(p.x) || std::isnan(p.y);
        if (!(good & 1)) out[j].x = FX.Exact(p.x);
        if (!(good & 2)) out[j].y = FY.Exact(p.y);
      }
    }
    return !nan;
  }
#endif
  for (std::size_t j = 0; j < n; ++j) {
    nan |= std::isnan(pts[j].x) || std::isnan(pts[j].y);
    out[j] = (*this)(pts[j]);
  }
  return !nan;
}

bool ReducibleLines(const TCanvas& canvas) {
  const TDeviceCaps caps = canvas.Caps();
  // Only the raster surface of a bitmap reads pixels and does raster
  // operations; at scale 1 without antialiasing it draws 1-pixel lines by
  // the GDI rule itself (a printer page over a bitmap forwards to it).
  if (!caps.RasterOps || !caps.PixelRead || caps.Scale != 1.0 || canvas.Antialias()) return false;
  const TPen& pen = canvas.Pen();
  if (pen.Width() > 1) return false;
  if (pen.Style() != psSolid && pen.Style() != psInsideFrame) return false;
  switch (pen.Mode()) {
    // f(f(d)) = f(d): a pixel set twice looks as if set once.
    case pmBlack:
    case pmWhite:
    case pmNop:
    case pmCopy:
    case pmNotCopy:
    case pmMerge:
    case pmMask:
    case pmMergeNotPen:
    case pmMaskNotPen: return true;
    default: return false;
  }
}

// ---- reduction ---------------------------------------------------------------------

TLineReducer::TLineReducer(TCanvas& canvas, std::int32_t width, std::int32_t height)
    : FCanvas(canvas), FW(width), FH(height) {
  FOut.reserve(4096);
}

void TLineReducer::Start(TPoint p) {
  Finish();
  FActive = true;
  FPrev = FL = p;
  FAnd = Code(p);
  FPending = false;
  FOut.push_back(p);
  FColX = p.x;
  FLastY = p.y;
  FPMin = INT32_MAX;
  FPMax = INT32_MIN;
}

void TLineReducer::CloseColumn() {
  if (FPMin <= FPMax) {  // more than one vertex in the column
    // The extreme on the last row comes first: the last row is then drawn
    // by the segment that leaves it, as in the full sequence (next to the
    // last vertex it would be a zero-length segment).
    if (FLastY == FPMin) {
      Cull({FColX, FPMin});
      Cull({FColX, FPMax});
    } else {
      Cull({FColX, FPMax});
      Cull({FColX, FPMin});
    }
    Cull({FColX, FLastY});
  }
}

void TLineReducer::Cull(TPoint q) {
  if (q == FPrev) return;
  FPrev = q;
  const int c = Code(q);
  if (FAnd & c) {  // the stretch goes on beyond a common edge
    FAnd &= c;
    FL = q;
    FPending = true;
    return;
  }
  if (FPending) {
    Out(FL);
    FPending = false;
    FAnd = Code(FL) & c;
    if (FAnd) {
      FL = q;
      FPending = true;
      return;
    }
  }
  Out(q);
  FL = q;
  FAnd = c;
}

void TLineReducer::Out(TPoint q) {
  FOut.push_back(q);
  if (FOut.size() >= 4096) {
    Draw();
    FOut.push_back(q);  // the next batch goes on from here
  }
}

void TLineReducer::Draw() {
  if (FOut.size() >= 2) {
    FCanvas.Polyline(FOut.data(), FOut.size());
    FEmitted += FOut.size() - 1;
    if (FRecPoints && FRecPoints->size() + FOut.size() > FRecLimit) {
      FRecPoints->clear();
      FRecEnds->clear();
      FRecPoints = nullptr;
      FRecEnds = nullptr;
    }
    if (FRecPoints) {
      FRecPoints->insert(FRecPoints->end(), FOut.begin(), FOut.end());
      FRecEnds->push_back(std::uint32_t(FRecPoints->size()));
    }
  }
  FOut.clear();
}

void TLineReducer::Finish() {
  if (!FActive) return;
  CloseColumn();
  if (FPending) Out(FL);
  FPending = false;
  Draw();
  FActive = false;
}

// ---- the renderer's run ----------------------------------------------------------------

namespace {

bool IsGap(const TXY& p) noexcept { return std::isnan(p.x) || std::isnan(p.y); }

// Below this many vertices a column's extremes are read directly.
constexpr std::size_t kScanLimit = 48;

}  // namespace

// Marks of one run as DrawItem draws them one by one: the pen width and the
// end of a pending polyline once, then each mark inside the layer's ranges,
// mapped as the item path maps it.
void TItemRenderer::DrawMarkRun(TCanvas& canvas, const TrcChartItem& tmpl, std::span<const TXY> pts) {
  const std::int32_t w = ClampToRange<std::int32_t>(tmpl.LWid, 0, 255);
  if (w != FLastLWidth) {
    FinishPolyLine(canvas);
    FLastLWidth = w;
    canvas.Pen().SetWidth(w);
  }
  FinishPolyLine(canvas);
  const int l = ClampLayer(tmpl.Layer);
  const double xa = FCtx.XLow[l], xb = FCtx.XHigh[l], ya = FCtx.YLow[l], yb = FCtx.YHigh[l];
  const TPointMapper map(*FCtx.Transforms, tmpl.Layer, std::int64_t(FCtx.Left) - FCtx.Geometry.LRim,
                         std::int64_t(FCtx.Top) - FCtx.Geometry.TRim);
  const std::int32_t type = ClampToRange<std::int32_t>(tmpl.Param3, 0, 255);
  bool penSet = false;
  std::array<TPoint, 256> batch;
  std::size_t k = 0;
  for (const TXY& p : pts) {
    if (!InRange(p.x, xa, xb) || !InRange(p.y, ya, yb)) continue;  // NaN included
    if (!penSet) {
      PenColor(canvas, Pc(tmpl));
      PenStyle(canvas, tmpl.PenStyle);
      penSet = true;
    }
    const TPoint q = map(p);
    if (!ClaimMark(q.x, q.y, type)) continue;
    batch[k++] = q;
    if (k == batch.size()) {
      DrawMarksOnCanvas(canvas, std::uint8_t(type), batch.data(), k);
      k = 0;
    }
  }
  DrawMarksOnCanvas(canvas, std::uint8_t(type), batch.data(), k);
}

void TItemRenderer::DrawLineRun(TCanvas& canvas, const TrcChartItem& tmpl,
                                std::span<const TXY> pts, const TRunIndex* index,
                                const TLongTextArray* longTexts, bool isAnnotation,
                                std::int32_t firstIndex, std::uint64_t version) {
  if (pts.empty()) return;
  if (tmpl.ItemKind == tkMarkAt && tmpl.CoordMode == cmAllWorld && FCtx.Transforms != nullptr) {
    DrawMarkRun(canvas, tmpl, pts);
    return;
  }
  if (tmpl.ItemKind != tkLineto || tmpl.CoordMode != cmAllWorld || FCtx.Transforms == nullptr) {
    // Any other kind: item by item.
    static const TLongTextArray kNoTexts;
    const TLongTextArray& texts = longTexts ? *longTexts : kNoTexts;
    TrcChartItem it = tmpl;
    for (std::size_t i = 0; i < pts.size(); ++i) {
      it.x = pts[i].x;
      it.y = pts[i].y;
      DrawItem(canvas, it, texts, isAnnotation,
               std::int32_t(std::min<std::int64_t>(std::int64_t(firstIndex) + std::int64_t(i),
                                                   INT32_MAX)));
    }
    return;
  }
  // The common first step of every item but texts: the pen width.
  const std::int32_t w = ClampToRange<std::int32_t>(tmpl.LWid, 0, 255);
  if (w != FLastLWidth) {
    FinishPolyLine(canvas);
    FLastLWidth = w;
    canvas.Pen().SetWidth(w);
  }
  const std::size_t n = pts.size();
  std::size_t i = 0;
  for (; i < n && IsGap(pts[i]); ++i) {
    FinishPolyLine(canvas);
    FPenPosValid = false;
  }
  if (i == n) return;
  // The first vertex that is drawn sets the pen; the rest of the run keeps it.
  if (Pc(tmpl) != FLastPenCol || tmpl.PenStyle != FLastPenStyle ||
      tmpl.FillColor != FLastBrushCol) {
    FinishPolyLine(canvas);
    PenBrush(canvas, tmpl);
  }
  const TPointMapper map(*FCtx.Transforms, tmpl.Layer, std::int64_t(FCtx.Left) - FCtx.Geometry.LRim,
                         std::int64_t(FCtx.Top) - FCtx.Geometry.TRim);
  const TAxisMapper& mx = map.X();
  const TAxisMapper& my = map.Y();
  const std::span<const TXY> rest = pts.subspan(i);
  if (!ReducibleLines(canvas)) {
    MapRun(canvas, rest, map);
    return;
  }
  if (index && index->Count() != n) index = nullptr;  // not this run's index
  // The pending polyline is drawn now: the run continues from its end.
  const TPoint start = FNumPPa > 0 ? FPPa[std::size_t(FNumPPa) - 1] : TPoint{FLastMoveToX, FLastMoveToY};
  FinishPolyLine(canvas);
  const TDeviceCaps caps = canvas.Caps();
  // The reduced polylines depend on the vertices, the layer's mapping, the
  // canvas size and the pen position only (not on the pen).
  TRunCacheEntry* cached = nullptr;
  TRunKey key;
  if (version != 0) {
    const int l = ClampLayer(tmpl.Layer);
    const TLayerTransforms& t = *FCtx.Transforms;
    key = {version, pts.data(), n, t.Cpkx[l], t.Cpdx[l], t.Cpky[l], t.Cpdy[l], t.LogX(l),
           t.LogY(l), FPenPosValid, std::int64_t(FCtx.Left) - FCtx.Geometry.LRim,
           std::int64_t(FCtx.Top) - FCtx.Geometry.TRim, FCtx.Geometry.Width,
           FCtx.Geometry.Height, caps.Width, caps.Height, start};
    for (TRunCacheEntry& e : FRunCache)
      if (e.Key == key) cached = &e;
  }
  if (cached) {
    std::uint32_t from = 0;
    for (const std::uint32_t end : cached->Ends) {
      canvas.Polyline(cached->Points.data() + from, end - from);
      from = end;
    }
    cached->Used = ++FRunTick;
    ++FRunCacheHits;
    FPenPosValid = cached->Valid;
    FLastMoveToX = cached->Last.x;
    FLastMoveToY = cached->Last.y;
    canvas.MoveTo(cached->Last.x, cached->Last.y);
    return;
  }
  TRunCacheEntry fresh;
  TLineReducer red(canvas, caps.Width, caps.Height);
  if (version != 0) red.Record(&fresh.Points, &fresh.Ends, kRunCacheMaxPoints);
  TPoint last = start;
  bool valid = FPenPosValid;
  if (valid) red.Start(start);
  const auto enter = [&](TPoint p) {
    if (valid) {
      red.Add(p);
    } else {
      red.Start(p);
      valid = true;
    }
    last = p;
  };
  // Gaps of the run: the runs of vertices with a NaN coordinate, as the
  // index keeps them (only used where it keeps them or there are none).
  const std::span<const TRunIndex::TGapRun> gaps =
      index ? index->GapRuns() : std::span<const TRunIndex::TGapRun>{};
  const auto runAt = [&](std::size_t k) {  // the gap run holding or following vertex k
    return std::partition_point(gaps.begin(), gaps.end(),
                                [k](const TRunIndex::TGapRun& g) { return g.End <= k; });
  };
  const auto vertex = [&](std::size_t k) { return map(pts[k]); };
  const auto gap = [&] {
    red.Finish();
    valid = false;
  };
  // The vertices [lo, hi) whose vertices without NaN all lie beyond one edge
  // of the device: no segment among them can draw, so only the segment into
  // the first one and the pen position and validity at the end matter.
  const auto beyond = [&](std::size_t lo, std::size_t hi) {
    if (lo >= hi) return;
    if (IsGap(pts[lo])) gap();
    else enter(vertex(lo));
    if (hi - 1 == lo) return;
    if (!IsGap(pts[hi - 1])) {
      enter(vertex(hi - 1));
      return;
    }
    gap();  // the pen stays on the last vertex before the final gap
    const auto g = runAt(hi - 1);
    if (g->Begin >= lo + 2) last = vertex(g->Begin - 1);
  };
  const bool gapsKnown = index && (!index->HasNaN() || index->GapsKnown());
  // A run whose box lies beyond one edge of the device draws only the
  // segment into its first vertex.
  bool outside = false;
  if (gapsKnown && !index->HasInf() && (!mx.Log() || index->XMin() > 1e-100) &&
      (!my.Log() || index->YMin() > 1e-100)) {
    // Every value is finite and maps monotonically: the box's corners bound
    // the vertices' pixels.
    const std::int32_t xa = mx(index->XMin()), xb = mx(index->XMax());
    const std::int32_t ya = my(index->YMin()), yb = my(index->YMax());
    outside = std::max(xa, xb) < 0 || std::min(xa, xb) >= caps.Width || std::max(ya, yb) < 0 ||
              std::min(ya, yb) >= caps.Height;
  }
  // x never decreases (over the vertices without NaN) and maps monotonically.
  const bool sorted = gapsKnown && index->XSorted() && mx.Direction() != 0 &&
                      my.Direction() != 0 && (!mx.Log() || pts[i].x > 1e-100) &&
                      (!my.Log() || index->AllY().Min > 1e-100);
  if (outside) {
    beyond(i, n);
  } else if (sorted) {
    const auto col = [&](std::size_t k) { return mx(pts[k].x); };
    // First vertex without NaN at or after k (n when there is none).
    const auto nextGood = [&](std::size_t k) {
      const auto g = runAt(k);
      return g != gaps.end() && g->Begin <= k ? g->End : k;
    };
    const std::int32_t firstCol = 0, lastCol = caps.Width - 1;
    const bool up = mx.Direction() > 0;
    // Columns move one way along the run: find where it enters and leaves
    // the visible columns (a gap counts as the vertex after it).
    const auto before = [&](std::size_t k) {
      const std::size_t g = nextGood(k);
      return g < n && (up ? col(g) < firstCol : col(g) > lastCol);
    };
    const auto inView = [&](std::size_t k) {
      const std::size_t g = nextGood(k);
      return g < n && (up ? col(g) <= lastCol : col(g) >= firstCol);
    };
    const auto bound = [](std::size_t lo, std::size_t hi, const auto& pred) {
      while (lo < hi) {  // first index in [lo, hi) where pred fails
        const std::size_t mid = lo + (hi - lo) / 2;
        if (pred(mid)) lo = mid + 1;
        else hi = mid;
      }
      return lo;
    };
    const std::size_t a = bound(i, n, before), b = bound(a, n, inView);
    beyond(i, a);
    for (std::size_t k = a; k < b;) {
      if (IsGap(pts[k])) {
        gap();
        k = std::min(nextGood(k), b);
        continue;
      }
      // A piece without gaps, column by column.
      const auto g = runAt(k);
      const std::size_t t = std::min(g != gaps.end() ? g->Begin : n, b);
      while (k < t) {
        const std::int32_t c = col(k);
        // Last vertex of this column: gallop, then bisect.
        std::size_t lo = k, step = 1;
        while (lo + step < t && col(lo + step) == c) {
          lo += step;
          step *= 2;
        }
        const std::size_t e =
            bound(lo + 1, std::min(lo + step, t), [&](std::size_t m) { return col(m) == c; }) - 1;
        enter({c, my(pts[k].y)});
        if (e > k) {
          TRunIndex::TMinMax m;
          if (e - k <= kScanLimit) {
            for (std::size_t j = k + 1; j < e; ++j) {
              m.Min = std::min(m.Min, pts[j].y);
              m.Max = std::max(m.Max, pts[j].y);
            }
          } else {
            m = index->RangeY(pts, k + 1, e);
          }
          const std::int32_t lastY = my(pts[e].y);
          if (m.Min <= m.Max) {
            // In an order that keeps an extreme on the last row apart from
            // the last vertex (see TLineReducer::CloseColumn).
            const std::int32_t y0 = my(m.Min), y1 = my(m.Max);
            enter({c, y0 == lastY ? y0 : y1});
            enter({c, y0 == lastY ? y1 : y0});
          }
          enter({c, lastY});
        }
        k = e + 1;
      }
    }
    beyond(b, n);
  } else {
    constexpr std::size_t kBlock = 1024;
    TPoint block[kBlock];
    for (std::size_t at = 0; at < rest.size(); at += kBlock) {
      const std::size_t m = std::min(kBlock, rest.size() - at);
      const TXY* p = rest.data() + at;
      if (map.Map(p, m, block) && valid) {
        for (std::size_t j = 0; j < m; ++j) red.Add(block[j]);
        last = block[m - 1];
        continue;
      }
      for (std::size_t j = 0; j < m; ++j) {
        if (IsGap(p[j])) {
          red.Finish();
          valid = false;
          continue;
        }
        enter(block[j]);
      }
    }
  }
  red.Finish();
  FPenPosValid = valid;
  FLastMoveToX = last.x;
  FLastMoveToY = last.y;
  canvas.MoveTo(last.x, last.y);
  if (version != 0 && red.Recorded()) {
    fresh.Key = key;
    fresh.Last = last;
    fresh.Valid = valid;
    fresh.Used = ++FRunTick;
    fresh.Points.shrink_to_fit();
    if (FRunCache.size() < kRunCacheEntries) {
      FRunCache.push_back(std::move(fresh));
    } else {
      auto oldest = std::min_element(FRunCache.begin(), FRunCache.end(),
                                     [](const auto& a, const auto& b) { return a.Used < b.Used; });
      *oldest = std::move(fresh);
    }
  }
}

// The run as DrawLineto takes it item by item (the pen is already set), with
// the fast mapping: the canvas receives the very same calls.
void TItemRenderer::MapRun(TCanvas& canvas, std::span<const TXY> pts, const TPointMapper& map) {
  for (const TXY& v : pts) {
    if (IsGap(v)) {
      FinishPolyLine(canvas);
      FPenPosValid = false;
      continue;
    }
    const auto [x, y] = map(v);
    if (!FPenPosValid) {
      FinishPolyLine(canvas);
      FLastMoveToX = x;
      FLastMoveToY = y;
      FPenPosValid = true;
      canvas.MoveTo(x, y);
      continue;
    }
    EnterPolyline(x, y, canvas);
  }
}

}  // namespace kvo
