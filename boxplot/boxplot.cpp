// TBoxPlot: statistics of the data table's columns, the figures as display-list
// items, the column labels, ranges and the statistics export.
#include "boxplot/boxplot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <variant>

#include "devari/scaleprops.h"
#include "devari/textlabel.h"
#include "libs/stringl.h"
#include "platform/update.h"

namespace kvo {

namespace {

constexpr std::int32_t kLabels = 30;
constexpr std::uint8_t kMaxMark = 51;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The sample a new plot shows: 100 normal deviates, the same on every run
// (a fixed-seed generator of its own, so that the application's random
// sequence is not disturbed).
void FillDefaultSample(TDataTable& t) {
  t.BeginUpdate();
  t.Resize(1, 100);
  // Box-Muller over the raw engine (std::normal_distribution differs between
  // standard libraries).
  std::mt19937_64 gen(19);
  for (std::int32_t r = 1; r <= 100; r += 2) {
    const double u1 = (double(gen() >> 11) + 1.0) * 0x1p-53;
    const double u2 = double(gen() >> 11) * 0x1p-53;
    const double rad = std::sqrt(-2.0 * std::log(u1));
    t.SetElem(1, r, rad * std::cos(6.283185307179586 * u2));
    t.SetElem(1, r + 1, rad * std::sin(6.283185307179586 * u2));
  }
  t.EndUpdate();
}

// Puts the order statistics of the ascending ranks [r0, r1) (all within
// [lo, hi)) in place.
void MultiSelect(std::vector<double>& v, std::size_t lo, std::size_t hi, const std::size_t* r0,
                 const std::size_t* r1) {
  while (r0 < r1 && hi - lo > 1) {
    const std::size_t* mid = r0 + (r1 - r0) / 2;
    const auto at = v.begin() + std::ptrdiff_t(*mid);
    if (*mid == lo) std::iter_swap(at, std::min_element(at, v.begin() + std::ptrdiff_t(hi)));
    else if (*mid + 1 == hi) std::iter_swap(at, std::max_element(v.begin() + std::ptrdiff_t(lo), at + 1));
    else std::nth_element(v.begin() + std::ptrdiff_t(lo), at, v.begin() + std::ptrdiff_t(hi));
    MultiSelect(v, *mid + 1, hi, mid + 1, r1);
    hi = *mid;
    r1 = mid;
  }
}

// The order statistics of the ascending ranks[0..nr) of v (values within
// lo..hi) into value[]. Large samples are first binned by value (bins are
// monotone in the value, so they split the sorted order exactly); only the
// bins holding a wanted rank are gathered and selected in. Small samples
// and degenerate spreads select in place.
void SelectRanks(std::vector<double>& v, double lo, double hi, const std::size_t* ranks,
                 std::size_t nr, double* value) {
  const std::size_t n = v.size();
  const double scale = std::isfinite(hi - lo) && hi > lo ? 1 / (hi - lo) : 0;
  if (n < 128 || !(scale > 0) || !std::isfinite(scale)) {
    MultiSelect(v, 0, n, ranks, ranks + nr);
    for (std::size_t i = 0; i < nr; ++i) value[i] = v[ranks[i]];
    return;
  }
  thread_local std::vector<std::uint16_t> bin;
  thread_local std::vector<std::uint32_t> count;
  thread_local std::vector<double> w;
  thread_local std::vector<std::uint8_t> mark;
  const std::size_t B = std::clamp<std::size_t>(n / 4, 64, 4096);
  const double toBin = double(B) * scale;
  bin.resize(n);
  count.assign(B + 1, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t b = std::min(B - 1, std::size_t((v[i] - lo) * toBin));
    bin[i] = std::uint16_t(b);
    ++count[b];
  }
  // Bin b holds the ranks start[b] .. start[b + 1) - 1 (count becomes start).
  std::uint32_t sum = 0;
  for (std::size_t b = 0; b <= B; ++b) {
    const std::uint32_t c = count[b];
    count[b] = sum;
    sum += c;
  }
  // The wanted bins, and where each one's values begin among the gathered.
  std::size_t wanted[10], offset[10];
  std::size_t nw = 0, gathered = 0;
  for (std::size_t i = 0; i < nr; ++i) {
    const std::size_t b = std::size_t(std::upper_bound(count.begin(), count.begin() + std::ptrdiff_t(B) + 1,
                                                       std::uint32_t(ranks[i])) - count.begin()) - 1;
    if (nw == 0 || wanted[nw - 1] != b) {
      wanted[nw] = b;
      offset[nw] = gathered;
      gathered += count[b + 1] - count[b];
      ++nw;
    }
  }
  mark.assign(B, 0);
  for (std::size_t j = 0; j < nw; ++j) mark[wanted[j]] = 1;
  w.resize(gathered);
  std::size_t m = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (mark[bin[i]]) w[m++] = v[i];
  std::size_t local[10];
  for (std::size_t i = 0, j = 0; i < nr; ++i) {
    while (!(ranks[i] >= count[wanted[j]] && ranks[i] < count[wanted[j] + 1])) ++j;
    local[i] = ranks[i] - count[wanted[j]] + offset[j];
  }
  MultiSelect(w, 0, w.size(), local, local + nr);
  for (std::size_t i = 0; i < nr; ++i) value[i] = w[local[i]];
}

}  // namespace

// ---- Statistics -------------------------------------------------------------------

TBoxStats ComputeBoxStats(std::vector<double>& v) {
  TBoxStats s;
  const std::size_t n = v.size();
  s.Count = std::int64_t(n);
  if (n == 0) {
    s.Min = s.Max = s.Mean = s.P10 = s.Q1 = s.Median = s.Q3 = s.P90 = kNaN;
    return s;
  }
  // Min, max and the mean in one pass; the sum runs about the first value
  // so that large offsets keep their precision.
  const double x0 = v[0];
  double lo = x0, hi = x0, sum = 0;
  for (double x : v) {
    lo = std::min(lo, x);
    hi = std::max(hi, x);
    sum += x - x0;
  }
  s.Min = lo;
  s.Max = hi;
  s.Mean = x0 + sum / double(n);
  // The five percentiles (linear interpolation between the order statistics
  // around h = (n - 1) p / 100) need up to ten order statistics.
  static constexpr double kP[5] = {10, 25, 50, 75, 90};
  std::size_t k[5];
  double f[5];
  std::size_t ranks[10];
  std::size_t nr = 0;
  for (int i = 0; i < 5; ++i) {
    const double h = double(n - 1) * kP[i] / 100.0;
    k[i] = std::min(n - 1, std::size_t(h));
    f[i] = h - double(k[i]);
    ranks[nr++] = k[i];
    if (f[i] != 0 && k[i] + 1 < n) ranks[nr++] = k[i] + 1;
  }
  nr = std::size_t(std::unique(ranks, ranks + nr) - ranks);  // ascending already
  double value[10];
  SelectRanks(v, lo, hi, ranks, nr, value);
  const auto at = [&](std::size_t r) { return value[std::lower_bound(ranks, ranks + nr, r) - ranks]; };
  double* out[5] = {&s.P10, &s.Q1, &s.Median, &s.Q3, &s.P90};
  for (int i = 0; i < 5; ++i) {
    const double a = at(k[i]);
    *out[i] = f[i] == 0 || k[i] + 1 >= n ? a : a + f[i] * (at(k[i] + 1) - a);
  }
  return s;
}

// ---- Label template --------------------------------------------------------------

TBoxPlotLabel::TBoxPlotLabel() {
  BeginUpdate();
  SetColorBkg(0xC0C0C0);
  SetColorBorder(clBlack);
  SetColorShadow(0x808080);
  Font().SetColor(clBlack);
  SetShadowDx(3);
  SetShadowDy(2);
  SetTransparent(false);
  // Labels in a shadowed box, shown: a new plot names its boxes.
  SetMode(tlmShadowBox);
  SetVisible(true);
  EndUpdate();
}

void TBoxPlotLabel::SetPosition(std::int32_t v) {
  if (v == FLabelPos) return;
  FLabelPos = v;
  Changed();
}

void TBoxPlotLabel::Assign(const TCustomTextLabel& src) {
  BeginUpdate();
  TCustomTextLabel::Assign(src);
  if (const auto* b = dynamic_cast<const TBoxPlotLabel*>(&src)) SetPosition(b->FLabelPos);
  EndUpdate();
}

// ---- Life cycle -----------------------------------------------------------------

TBoxPlot::TBoxPlot(TComponent* owner)
    : TCustomDEvari(owner), FOwnTable(std::make_unique<TDataTable>()),
      FLabels(std::make_unique<TBoxPlotLabel>()) {
  const TPaintBatch batch(*this);
  FData = FOwnTable.get();
  FillDefaultSample(*FData);
  Attach(*FData);
  FLabels->OnChange = [this](TObject* s) { DataChanged(s); };
  ResetBoxPlot();
}

TBoxPlot::~TBoxPlot() { Detach(); }

void TBoxPlot::Attach(TDataTable& table) {
  FData = &table;
  FData->OnChange = [this](TObject* s) { DataChanged(s); };
}

void TBoxPlot::Detach() noexcept {
  if (FData) FData->OnChange = nullptr;
}

void TBoxPlot::ResetComp() {
  const TPaintBatch batch(*this);
  TCustomDEvari::ResetComp();
  if (FLabels) ResetBoxPlot();
}

void TBoxPlot::ResetBoxPlot() {
  const TPaintBatch batch(*this);
  FSet = TBoxPlotSettings{};
  TCustomDEvari::SetGridStyle(gsNone);
  SetChartCol(clWhite);
  SetWindCol(clBtnFace);
  SetGridCol(clBlack);
  SetScaleCol(clBlack);
  SetLRim(50);
  SetRRim(10);
  SetTRim(16);
  SetBRim(24);
  SetF3DRim(0);
  SetChartCaption("BoxPlot");
  GetScalePropsX(1).SetRangeHigh(2);
  GetScalePropsX(1).SetRangeLow(0);
  GetScalePropsX(1).SetRangeHigh(2);
  GetScalePropsY(1).SetRangeHigh(1);
  GetScalePropsY(1).SetRangeLow(-1);
  GetScalePropsY(1).SetRangeHigh(1);
  ApplyAxisVisibility();
  FStatsStale = FFigureStale = true;
  FPlacedW = -1;
}

void TBoxPlot::Assign(const TObject& source) {
  const auto* src = dynamic_cast<const TBoxPlot*>(&source);
  if (src == this) return;
  const TPaintBatch batch(*this);
  TCustomDEvari::Assign(source);
  if (!src) return;
  FSet = src->FSet;
  FLabels->Assign(*src->FLabels);
  if (!FExtMatAssigned && FData != src->FData) *FData = *src->FData;  // OnChange stays bound here
  OnBeforeBoxDraw = src->OnBeforeBoxDraw;
  FStatsStale = FFigureStale = true;
  FPlacedW = -1;
}

void TBoxPlot::AssignAnotherDataTable(TDataTable* table) {
  if (table == FData && table) return;
  const TPaintBatch batch(*this);
  Detach();
  if (table) {
    FOwnTable.reset();
    FExtMatAssigned = true;
    Attach(*table);
  } else {
    FOwnTable = std::make_unique<TDataTable>();
    FillDefaultSample(*FOwnTable);
    FExtMatAssigned = false;
    Attach(*FOwnTable);
  }
  DataChanged(this);
}

void TBoxPlot::DataChanged(TObject*) {
  // While painting is suppressed the change waits for the next paint
  // (BuildItems), which lifting the suppression brings.
  FStatsStale = FFigureStale = true;
  FPlacedW = -1;
  if (FSuppressPaint) return;
  EnsureStatistics();
  BuildFigure();
  RepaintChart();
}

void TBoxPlot::EnsureStatistics() {
  if (FStatsStale) CommitChangedData();
}

void TBoxPlot::CommitChangedData() {
  const TDataTable& t = *FData;
  const std::int32_t N = t.NrOfColumns(), R = t.NrOfRows();
  FStats.assign(std::size_t(N), TBoxStats{});
  for (std::int32_t j = 1; j <= N; ++j) {
    FScratch.clear();
    for (std::int32_t r = 1; r <= R; ++r) {
      const double* d = std::get_if<double>(&t.GetElem(j, r));
      if (d && !std::isnan(*d)) FScratch.push_back(*d);
    }
    FStats[std::size_t(j - 1)] = ComputeBoxStats(FScratch);
  }
  // The published vectors and matrices (filled without notifications).
  FMinis.Resize(N);
  FMaxis.Resize(N);
  FMeans.Resize(N);
  FQuarts.Resize(N, 3);
  F90Percentils.Resize(N, 2);
  FMinis.BeginUpdate();
  FMaxis.BeginUpdate();
  FMeans.BeginUpdate();
  FQuarts.BeginUpdate();
  F90Percentils.BeginUpdate();
  for (std::int32_t j = 1; j <= N; ++j) {
    const TBoxStats& s = FStats[std::size_t(j - 1)];
    FMinis.SetVal(j, s.Min);
    FMaxis.SetVal(j, s.Max);
    FMeans.SetVal(j, s.Mean);
    FQuarts.SetVal(j, 1, s.Q1);
    FQuarts.SetVal(j, 2, s.Median);
    FQuarts.SetVal(j, 3, s.Q3);
    F90Percentils.SetVal(j, 1, s.P10);
    F90Percentils.SetVal(j, 2, s.P90);
  }
  FMinis.EndUpdate();
  FMaxis.EndUpdate();
  FMeans.EndUpdate();
  FQuarts.EndUpdate();
  F90Percentils.EndUpdate();
  FStatsStale = false;
  FFigureStale = true;
}

const TBoxStats& TBoxPlot::Stats(std::int32_t column) const {
  if (column < 1 || column > NrOfBoxes())
    throw EKvoError("Box plot \"" + Name() + "\": no column " + std::to_string(column));
  return FStats[std::size_t(column - 1)];
}

// ---- Figure -----------------------------------------------------------------------

void TBoxPlot::CreateChart() {
  const TPaintBatch batch(*this);
  EnsureStatistics();
  BuildFigure();
}

void TBoxPlot::BuildItems() {
  EnsureStatistics();
  if (FFigureStale) BuildFigure();
  const TChartGeometry g = Geometry();
  if (g.Width != FPlacedW || g.Height != FPlacedH || g.LRim != FPlacedL || g.RRim != FPlacedR ||
      g.TRim != FPlacedT || g.BRim != FPlacedB)
    PlaceLabels();
}

void TBoxPlot::Resize() {
  if (FLabels && FData) PlaceLabels();
  TCustomDEvari::Resize();
}

void TBoxPlot::ApplyChartGrid() {
  const bool vert = FSet.Orientation == bpltVertical;
  GridStyleType g = gsNone;
  if (FSet.GridStyle == bpgsLines) g = vert ? gsHorizLines : gsVertLines;
  else if (FSet.GridStyle == bpgsDotLines) g = vert ? gsHorizDotLines : gsVertDotLines;
  TCustomDEvari::SetGridStyle(g);
}

void TBoxPlot::ApplyAxisVisibility() {
  const bool vert = FSet.Orientation == bpltVertical;
  GetScalePropsX(1).SetVisible(!vert);
  GetScalePropsY(1).SetVisible(vert);
}

void TBoxPlot::BuildFigure() {
  // Items are appended with the chart's drawing settings; the application's
  // own settings are given back afterwards.
  const TDrawSettings saved = FDraw;
  const bool savedSuppress = FSuppressPaint;
  FSuppressPaint = true;  // the grid setter below must not paint mid-build
  ApplyChartGrid();
  FSuppressPaint = savedSuppress;
  // The list is emptied without clearing the data image (as ClearGraf
  // would): a full paint follows every rebuild.
  FDataContainer->Clear(true);
  FLastElemOnShow = 0;
  AdjustCanInfoOfSharedCharts();
  FDraw.AnnoMode = false;
  FDraw.ActiveLayer = 1;
  FDraw.PenStyle = psSolid;
  FDraw.TransparentItems = false;
  const bool vert = FSet.Orientation == bpltVertical;
  const double w = FSet.BoxWidth / 2;
  // (p, v): position and value; the chart's (x, y) depends on the orientation.
  const auto line = [&](double p1, double v1, double p2, double v2) {
    if (vert) Line(p1, v1, p2, v2);
    else Line(v1, p1, v2, p2);
  };
  const auto mark = [&](double p, double v, std::uint8_t type) {
    if (vert) MarkAt(p, v, type);
    else MarkAt(v, p, type);
  };
  for (std::int32_t j = 1; j <= NrOfBoxes(); ++j) {
    const TBoxStats& s = FStats[std::size_t(j - 1)];
    if (s.Count == 0) continue;
    const double p = j;
    TColor cLines = FSet.ColorLines, cBody = FSet.ColorBody, cMinMax = FSet.ColorMinMax,
           c90 = FSet.Color90Perc, cMean = FSet.ColorMean, cMedian = FSet.ColorMedian;
    TriggerBoxPlotColorsEvent(j, cLines, cBody, cMinMax, c90, cMean, cMedian);
    FDraw.DataColor = cMinMax;
    line(p, s.Q1, p, s.Min);
    line(p, s.Q3, p, s.Max);
    if (FSet.ShowMinMax) {
      mark(p, s.Min, FSet.SymbolMin);
      mark(p, s.Max, FSet.SymbolMax);
    }
    FDraw.FillColor = cBody;
    FDraw.DataColor = cLines;
    if (vert) Rectangle(p - w, s.Q1, p + w, s.Q3);
    else Rectangle(s.Q1, p - w, s.Q3, p + w);
    if (FSet.Show90Perc) {
      FDraw.DataColor = c90;
      if (FSet.Symbol90Perc != 0) {
        mark(p, s.P10, FSet.Symbol90Perc);
        mark(p, s.P90, FSet.Symbol90Perc);
      } else {
        line(p - w / 2, s.P10, p + w / 2, s.P10);
        line(p - w / 2, s.P90, p + w / 2, s.P90);
      }
    }
    if (FSet.ShowMedian) {
      FDraw.DataColor = cMedian;
      if (FSet.SymbolMedian != 0) mark(p, s.Median, FSet.SymbolMedian);
      else line(p - w, s.Median, p + w, s.Median);
    }
    if (FSet.ShowMean) {
      FDraw.DataColor = cMean;
      if (FSet.SymbolMean != 0) mark(p, s.Mean, FSet.SymbolMean);
      else line(p - w, s.Mean, p + w, s.Mean);
    }
  }
  FDraw = saved;
  SetLabelCaptions();
  PlaceLabels();
  FFigureStale = false;
}

void TBoxPlot::SetLabelCaptions() {
  const std::int32_t N = FData->NrOfColumns();
  for (std::int32_t j = 1; j <= std::min(N, kLabels); ++j) {
    TTextLabel& l = GetFTextLabel(j);
    const TSilentChanges quiet(l);
    l.SetCaption(ProcessHexChars(FData->GetColName(j)));
  }
}

void TBoxPlot::PlaceLabels() {
  const TChartGeometry g = Geometry();
  const std::int32_t N = FData->NrOfColumns();
  const std::int32_t P = FLabels->Position();
  const std::int32_t absP = P == std::numeric_limits<std::int32_t>::min()
                                ? std::numeric_limits<std::int32_t>::max()
                                : std::abs(P);
  const bool vert = FSet.Orientation == bpltVertical;
  for (std::int32_t j = 1; j <= kLabels; ++j) {
    TTextLabel& l = GetFTextLabel(j);
    const TSilentChanges quiet(l);
    l.SetLayer(1);
    if (vert) {
      l.SetPosX(j);
      l.SetPosY(P < 0 ? double(absP) + g.TRim : double(g.Height) - P - g.BRim);
      l.SetVerticalAlignment(P < 0 ? taAlignTop : taAlignBottom);
      l.SetAttachToData(tlaWorldX);
      l.SetAlignment(taCenter);
    } else {
      l.SetPosY(j);
      l.SetPosX(P < 0 ? double(absP) + g.LRim : double(g.Width) - P - g.RRim);
      l.SetAlignment(P < 0 ? taLeftJustify : taRightJustify);
      l.SetAttachToData(tlaWorldY);
      l.SetVerticalAlignment(taVerticalCenter);
    }
    if (j <= N) {
      l.SetVisible(FLabels->Visible());
      l.SetTransparent(FLabels->Transparent());
      l.SetShadowDx(FLabels->ShadowDx());
      l.SetShadowDy(FLabels->ShadowDy());
      l.SetMode(FLabels->Mode());
      l.SetFont(FLabels->Font());
      l.SetColorBkg(FLabels->ColorBkg());
      l.SetColorBorder(FLabels->ColorBorder());
      l.SetColorShadow(FLabels->ColorShadow());
    } else {
      l.SetVisible(false);
    }
  }
  FPlacedW = g.Width;
  FPlacedH = g.Height;
  FPlacedL = g.LRim;
  FPlacedR = g.RRim;
  FPlacedT = g.TRim;
  FPlacedB = g.BRim;
}

void TBoxPlot::TriggerBoxPlotColorsEvent(std::int32_t column, TColor& colorLines, TColor& colorBody,
                                         TColor& colorMinMax, TColor& color90Perc,
                                         TColor& colorMean, TColor& colorMedian) {
  if (OnBeforeBoxDraw)
    OnBeforeBoxDraw(this, column, colorLines, colorBody, colorMinMax, color90Perc, colorMean,
                    colorMedian);
}

// ---- Ranges -----------------------------------------------------------------------

void TBoxPlot::AutoRange(double margin) {
  EnsureStatistics();
  double lo = 0, hi = 0;
  bool any = false;
  for (const TBoxStats& s : FStats) {
    if (s.Count == 0) continue;
    lo = any ? std::min(lo, s.Min) : s.Min;
    hi = any ? std::max(hi, s.Max) : s.Max;
    any = true;
  }
  if (!any) {
    lo = -1;
    hi = 1;
  }
  const double e = std::isfinite(margin) ? std::abs(hi - lo) * margin / 100 : 0.0;
  const double n1 = double(NrOfBoxes()) + 1;
  if (FSet.Orientation == bpltVertical) SetRange(0, lo - e, n1, hi + e);
  else SetRange(lo - e, 0, hi + e, n1);
}

void TBoxPlot::SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
  TCustomDEvari::SetRange(1, xLo, yLo, xHi, yHi);
}

// ---- Properties ------------------------------------------------------------------

template <class T>
void TBoxPlot::SetField(T TBoxPlotSettings::*field, const T& v) {
  if (FSet.*field == v) return;
  const TPaintBatch batch(*this);
  FSet.*field = v;
  EnsureStatistics();
  BuildFigure();
}

void TBoxPlot::SetSymbol(std::uint8_t TBoxPlotSettings::*field, std::uint8_t v) {
  if (v > kMaxMark) return;
  SetField(field, v);
}

void TBoxPlot::SetColorBody(TColor v) { SetField(&TBoxPlotSettings::ColorBody, v); }
void TBoxPlot::SetColorLines(TColor v) { SetField(&TBoxPlotSettings::ColorLines, v); }
void TBoxPlot::SetColorMedian(TColor v) { SetField(&TBoxPlotSettings::ColorMedian, v); }
void TBoxPlot::SetColorMean(TColor v) { SetField(&TBoxPlotSettings::ColorMean, v); }
void TBoxPlot::SetColor90Perc(TColor v) { SetField(&TBoxPlotSettings::Color90Perc, v); }
void TBoxPlot::SetColorMinMax(TColor v) { SetField(&TBoxPlotSettings::ColorMinMax, v); }
void TBoxPlot::SetShow90Perc(bool v) { SetField(&TBoxPlotSettings::Show90Perc, v); }
void TBoxPlot::SetShowMean(bool v) { SetField(&TBoxPlotSettings::ShowMean, v); }
void TBoxPlot::SetShowMedian(bool v) { SetField(&TBoxPlotSettings::ShowMedian, v); }
void TBoxPlot::SetShowMinMax(bool v) { SetField(&TBoxPlotSettings::ShowMinMax, v); }
void TBoxPlot::SetSymbolMin(std::uint8_t v) { SetSymbol(&TBoxPlotSettings::SymbolMin, v); }
void TBoxPlot::SetSymbolMax(std::uint8_t v) { SetSymbol(&TBoxPlotSettings::SymbolMax, v); }
void TBoxPlot::SetSymbolMean(std::uint8_t v) { SetSymbol(&TBoxPlotSettings::SymbolMean, v); }
void TBoxPlot::SetSymbolMedian(std::uint8_t v) { SetSymbol(&TBoxPlotSettings::SymbolMedian, v); }
void TBoxPlot::SetSymbol90Perc(std::uint8_t v) { SetSymbol(&TBoxPlotSettings::Symbol90Perc, v); }

void TBoxPlot::SetBoxWidth(double v) {
  if (std::isnan(v)) return;
  SetField(&TBoxPlotSettings::BoxWidth, std::clamp(v, 0.0, 1.0));
}

void TBoxPlot::SetGridStyle(TBoxPlotGridStyle v) {
  if (v > bpgsDotLines) return;
  SetField(&TBoxPlotSettings::GridStyle, v);
}

void TBoxPlot::SetOrientation(TBoxPlotOrientation v) {
  if (v > bpltVertical || v == FSet.Orientation) return;
  const TPaintBatch batch(*this);
  FSet.Orientation = v;
  // The ranges change places: the value range moves to the other axis.
  const TScalePropsHoriz& x = GetScalePropsX(1);
  const TScalePropsVert& y = GetScalePropsY(1);
  const double xLo = x.RangeLow(), xHi = x.RangeHigh(), yLo = y.RangeLow(), yHi = y.RangeHigh();
  TCustomDEvari::SetRange(1, yLo, xLo, yHi, xHi);
  ApplyAxisVisibility();
  FFigureStale = true;
  EnsureStatistics();
  BuildFigure();
}

void TBoxPlot::SetSettings(const TBoxPlotSettings& v) {
  TBoxPlotSettings n = v;
  n.BoxWidth = std::isnan(n.BoxWidth) ? FSet.BoxWidth : std::clamp(n.BoxWidth, 0.0, 1.0);
  for (std::uint8_t TBoxPlotSettings::*f :
       {&TBoxPlotSettings::SymbolMin, &TBoxPlotSettings::SymbolMax, &TBoxPlotSettings::SymbolMean,
        &TBoxPlotSettings::SymbolMedian, &TBoxPlotSettings::Symbol90Perc})
    if (n.*f > kMaxMark) n.*f = FSet.*f;
  if (n.GridStyle > bpgsDotLines) n.GridStyle = FSet.GridStyle;
  if (n.Orientation > bpltVertical) n.Orientation = FSet.Orientation;
  if (n == FSet) return;
  const TPaintBatch batch(*this);
  const TBoxPlotOrientation o = n.Orientation;
  n.Orientation = FSet.Orientation;
  FSet = n;
  SetOrientation(o);
  FFigureStale = true;
  EnsureStatistics();
  BuildFigure();
}

// ---- Export -----------------------------------------------------------------------

void TBoxPlot::SaveDataASC(const std::string& fileName) {
  EnsureStatistics();
  FData->ExportAsASC(fileName, -2);
  std::FILE* f = std::fopen(fileName.c_str(), "ab");
  if (!f) throw EKvoError("Cannot open \"" + fileName + "\" for appending");
  std::string out = "\n" + std::string(30, '-') + " Box Parameters " + std::string(30, '-') + "\n\n";
  std::vector<std::int32_t> cols;
  for (std::int32_t j = 1; j <= NrOfBoxes(); ++j)
    if (FStats[std::size_t(j - 1)].Count > 0) cols.push_back(j);
  out += "      ";
  for (std::int32_t j : cols) out += CenterString(AbbrevString(FData->GetColName(j), 12), 12) + " ";
  out += "\n";
  const auto row = [&](const char* head, double TBoxStats::*v) {
    out += head;
    for (std::int32_t j : cols) out += strff(FStats[std::size_t(j - 1)].*v, 12, -2) + " ";
    out += "\n";
  };
  row("Mean: ", &TBoxStats::Mean);
  row(" Min: ", &TBoxStats::Min);
  row(" P10: ", &TBoxStats::P10);
  row("  Q1: ", &TBoxStats::Q1);
  row("  Q2: ", &TBoxStats::Median);
  row("  Q3: ", &TBoxStats::Q3);
  row(" P90: ", &TBoxStats::P90);
  row(" Max: ", &TBoxStats::Max);
  const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) throw EKvoError("Cannot write to \"" + fileName + "\"");
}

}  // namespace kvo
