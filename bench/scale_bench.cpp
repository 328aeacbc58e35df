// Scale engine: a chart redraws its four axes on every paint, so one axis must
// cost microseconds. Drawing a scale with 20 labelled ticks (transparent on an
// owner's bitmap as the chart does, and opaque with its own bitmap), and tick
// generation alone over 10^5 random ranges.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "platform/bitmap.h"
#include "scale/scale.h"
#include "scale/ticklabels.h"
#include "scale/tickengine.h"

namespace kvo {
namespace {

// 1 .. 2e6 on a logarithmic axis: 1, 2, 5 in six decades and 1e6, 2e6 are
// the 20 labelled ticks, plus 36 minor ticks.
void SetUpTwentyLabels(TScale& s) {
  s.SetRange(1, 2e6);
  s.SetMinTicks(10);
  s.SetLogarithmic(true);
}

void BM_DrawScale20LabelsTransparent(benchmark::State& state) {
  TBitmap target(800, 80);
  target.Fill(clWhite);
  TScale s;
  s.SetBounds(0, 0, 800, 80);
  SetUpTwentyLabels(s);
  s.SetTransparent(true);
  s.SetIsHelper(true);
  s.SetScaleType(stLabelsBelow);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.ForcePaint();
  int labels = 0;
  for (const TTick& t : s.Division().Ticks) labels += t.Labelled;
  if (labels != 20) state.SkipWithError("expected 20 labelled ticks");
  for (auto _ : state) {
    s.ForcePaint();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawScale20LabelsTransparent)->Unit(benchmark::kMicrosecond);

void BM_DrawScale20LabelsOpaque(benchmark::State& state) {
  TBitmap target(800, 80);
  TScale s;
  s.SetBounds(0, 0, 800, 80);
  SetUpTwentyLabels(s);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  for (auto _ : state) {
    s.ForcePaint();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawScale20LabelsOpaque)->Unit(benchmark::kMicrosecond);

// A vertical date/time axis (hours with date lines), the most text per tick.
void BM_DrawDateTimeScale(benchmark::State& state) {
  TBitmap target(120, 600);
  TScale s;
  s.SetBounds(0, 0, 120, 600);
  s.SetScaleType(stLabelsRight);
  s.SetLabelType(ftDateTime);
  s.SetRange(45356.0, 45358.0);
  s.SetMinTicks(10);
  s.SetTransparent(true);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  for (auto _ : state) {
    s.ForcePaint();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawDateTimeScale)->Unit(benchmark::kMicrosecond);

struct TRanges {
  std::vector<TTickRequest> Requests;
  explicit TRanges(bool log) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> expo(-8, 8), frac(0.01, 1.0);
    std::uniform_int_distribution<int> ticks(2, 10), coin(0, 3);
    Requests.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
      TTickRequest r;
      const double scale = std::pow(10.0, expo(rng));
      if (log) {
        r.Low = scale * frac(rng);
        r.High = r.Low * std::pow(10.0, 4 * frac(rng));
        r.Log = true;
      } else {
        r.Low = (frac(rng) - 0.5) * scale;
        r.High = r.Low + frac(rng) * scale;
      }
      if (coin(rng) == 0) std::swap(r.Low, r.High);
      r.MinTicks = ticks(rng);
      r.Vertical = coin(rng) == 1;
      Requests.push_back(r);
    }
  }
};

void BM_TickGeneration(benchmark::State& state, bool log) {
  const TRanges ranges(log);
  TScaleDivision div;
  div.Ticks.reserve(256);
  for (auto _ : state) {
    std::size_t ticks = 0;
    for (const TTickRequest& r : ranges.Requests) {
      ComputeTicks(r, div);
      ticks += div.Ticks.size();
    }
    benchmark::DoNotOptimize(ticks);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(ranges.Requests.size()));
  state.counters["ranges"] = double(ranges.Requests.size());
}
BENCHMARK_CAPTURE(BM_TickGeneration, linear_1e5_ranges, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TickGeneration, log_1e5_ranges, true)->Unit(benchmark::kMillisecond);

// Ticks and their label texts (what a paint computes before drawing).
void BM_TicksAndLabels(benchmark::State& state) {
  const TRanges ranges(false);
  TScaleDivision div;
  std::vector<TTickLabel> labels;
  for (auto _ : state) {
    std::size_t n = 0;
    for (const TTickRequest& r : ranges.Requests) {
      ComputeTicks(r, div);
      TLabelContext c;
      c.Low = r.Low;
      c.High = r.High;
      LabelDivision(div, c, labels);
      n += labels.size();
    }
    benchmark::DoNotOptimize(n);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(ranges.Requests.size()));
}
BENCHMARK(BM_TicksAndLabels)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvo
