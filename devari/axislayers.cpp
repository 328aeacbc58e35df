#include "devari/axislayers_p.h"

#include <algorithm>
#include <string>
#include <utility>

#include "devari/layout_p.h"
#include "libs/kvocolors.h"

namespace kvo {

TAxisLayers::TAxisLayers(TComponent* owner, TObject& sender, TScaleTickDrawnEvent& onTickDrawn,
                         TBeforeTickLabelEvent& onBeforeTickLabel) {
  for (std::size_t l = 1; l <= 2; ++l) {
    FPropsX[l] = std::make_unique<TScalePropsHoriz>();
    FPropsY[l] = std::make_unique<TScalePropsVert>();
    FScalesX[l] = std::make_unique<THelperScale>(owner);
    FScalesY[l] = std::make_unique<THelperScale>(owner);
    FScalesX[l]->Scale().SetName("RC_FScale_X_" + std::to_string(l));
    FScalesY[l]->Scale().SetName("RC_FScale_Y_" + std::to_string(l));
    FScalesX[l]->ForwardEvents(sender, onTickDrawn, onBeforeTickLabel);
    FScalesY[l]->ForwardEvents(sender, onTickDrawn, onBeforeTickLabel);
  }
}

TAxisLayers::~TAxisLayers() = default;

void TAxisLayers::Reset(TColor background, const TNotifyEvent& onPropsChanged,
                        const TNotifyEvent& onZoomPan) {
  for (std::int32_t l = 1; l <= 2; ++l) {
    for (TScaleProps* p : {static_cast<TScaleProps*>(&X(l)), static_cast<TScaleProps*>(&Y(l))}) {
      p->OnChange = nullptr;
      p->ResetComp();
      p->SetColorScale(PredefinedColor(l));
      p->SetLabelType(ftNumber);
      p->OnChange = onPropsChanged;
    }
    for (THelperScale* h : {FScalesX[std::size_t(l)].get(), FScalesY[std::size_t(l)].get()}) {
      h->Reset();
      h->Scale().SetColorBG(background);
      h->Scale().OnZoomPan = onZoomPan;
    }
  }
}

THelperScale* TAxisLayers::HelperOf(const TScale& scale) noexcept {
  for (std::size_t l = 1; l <= 2; ++l) {
    if (&FScalesX[l]->Scale() == &scale) return FScalesX[l].get();
    if (&FScalesY[l]->Scale() == &scale) return FScalesY[l].get();
  }
  return nullptr;
}

bool TAxisLayers::ApplyLayout(const TLayoutRow& row) {
  // Each setter would report to the chart, which places all four axes and
  // checks the ranges every time: meanwhile the objects report to a flag.
  bool changed = false;
  struct TRedirect {
    TScaleProps* Props[4];
    TNotifyEvent Handlers[4];
    ~TRedirect() {
      for (int k = 0; k < 4; ++k) Props[k]->OnChange = std::move(Handlers[k]);
    }
  } redirect{{&X(1), &Y(1), &X(2), &Y(2)}, {}};
  for (int k = 0; k < 4; ++k)
    redirect.Handlers[k] =
        std::exchange(redirect.Props[k]->OnChange, [&changed](TObject*) { changed = true; });
  auto apply = [](TScaleProps& p, const TLayoutAxis& a) {
    p.SetCaptionPosX(a.CaptionX);
    p.SetCaptionPosY(a.CaptionY);
    p.SetCaptionAlignment(a.CaptionAlign);
    p.SetCaptionAnchor(a.CaptionAnchor);
    p.SetScalePos(a.ScalePos);
    p.SetVisible(a.Visible);
  };
  for (std::int32_t l = 1; l <= 2; ++l) {
    X(l).SetScaleLocation(TScaleLocationHoriz(row.X[l - 1].Location));
    apply(X(l), row.X[l - 1]);
    Y(l).SetScaleLocation(TScaleLocationVert(row.Y[l - 1].Location));
    apply(Y(l), row.Y[l - 1]);
  }
  return changed;
}

void TAxisLayers::Place(THelperScale& axis, const TScaleProps& props, const TChartGeometry& g,
                        std::optional<TColor> textColor) {
  // The helper spans the whole chart; its margins put the axis ends on the
  // data area's edges and its base line on the data area's side plus the
  // axis offset (the margin across the axis on its far side keeps the
  // scale's start value). Wide arithmetic and a clamp: the offset is an
  // application value.
  const std::int64_t W = g.Width, H = g.Height, p = props.ScalePos();
  auto m = [](std::int64_t v) { return std::int32_t(std::clamp<std::int64_t>(v, -30000, 60000)); };
  constexpr std::int32_t kFar = 20;
  const std::int32_t alongLeft = g.LRim, alongRight = g.RRim + g.Shadow - 1;
  const std::int32_t alongTop = g.TRim, alongBottom = g.BRim + g.Shadow - 1;
  TScaleMargins margins;
  switch (props.ScaleType()) {
    case stLabelsAbove: margins = {alongLeft, kFar, alongRight, m(p + H - g.TRim - 1)}; break;
    case stLabelsBelow: margins = {alongLeft, m(p + H - g.BRim - g.Shadow), alongRight, kFar}; break;
    case stLabelsRight: margins = {m(p + W - g.RRim - g.Shadow), alongTop, kFar, alongBottom}; break;
    case stLabelsLeft: margins = {kFar, alongTop, m(p + W - g.LRim - 1), alongBottom}; break;
  }
  axis.PlaceWithMargins(g.Width, g.Height, props.ScaleType(), margins);
  TScale& scale = axis.Scale();
  scale.SetVisible(props.Visible());
  TScaleSettings settings = props.Settings();
  if (textColor) settings.ColorScale = *textColor;
  axis.SetSettings(settings);
  scale.Font().Assign(props.Font());
  scale.Font().SetColor(textColor.value_or(props.Font().Color()));
}

void TAxisLayers::Sync(const TChartGeometry& g, std::optional<TColor> textColor) {
  for (std::int32_t l = 1; l <= 2; ++l) {
    Place(*FScalesX[std::size_t(l)], X(l), g, textColor);
    Place(*FScalesY[std::size_t(l)], Y(l), g, textColor);
  }
}

void TAxisLayers::Draw(TCanvas& canvas, const TChartGeometry& g, std::optional<TColor> textColor) {
  Sync(g, textColor);
  for (std::size_t l = 1; l <= 2; ++l) FScalesX[l]->Draw(canvas);
  for (std::size_t l = 1; l <= 2; ++l) FScalesY[l]->Draw(canvas);
}

void TAxisLayers::MarkLoaded() {
  for (std::int32_t l = 1; l <= 2; ++l) {
    X(l).SetNotYetLoaded(false);
    Y(l).SetNotYetLoaded(false);
  }
}

namespace {
double TickAt(const TScale& s, const TScaleProps& p, std::int32_t i) {
  const std::int32_t n = s.NumTicks();
  if (i < 1 || i > n) return 0;
  if (p.RangeHigh() < p.RangeLow()) i = n - i + 1;
  return s.GetTickPos(i);
}
}  // namespace

double TAxisLayers::TickPosX(std::int32_t layer, std::int32_t i) const {
  return TickAt(ScaleX(layer), X(layer), i);
}
double TAxisLayers::TickPosY(std::int32_t layer, std::int32_t i) const {
  return TickAt(ScaleY(layer), Y(layer), i);
}
std::int32_t TAxisLayers::TickCountX(std::int32_t layer) const { return ScaleX(layer).NumTicks(); }
std::int32_t TAxisLayers::TickCountY(std::int32_t layer) const { return ScaleY(layer).NumTicks(); }

std::int32_t TAxisLayers::DetectScale(const TChartGeometry& g, std::int32_t x, std::int32_t y) const {
  TAxisSpot ys[2], xs[2];
  for (std::int32_t l = 1; l <= 2; ++l) {
    ys[l - 1] = {Y(l).Visible(), std::uint8_t(Y(l).ScaleType()), Y(l).ScalePos()};
    xs[l - 1] = {X(l).Visible(), std::uint8_t(X(l).ScaleType()), X(l).ScalePos()};
  }
  return DetectScaleAt(g, ys, xs, x, y);
}

TAxisRange TAxisLayers::RangeX(std::int32_t layer) const noexcept {
  return {X(layer).RangeLow(), X(layer).RangeHigh(), X(layer).Logarithmic()};
}
TAxisRange TAxisLayers::RangeY(std::int32_t layer) const noexcept {
  return {Y(layer).RangeLow(), Y(layer).RangeHigh(), Y(layer).Logarithmic()};
}

}  // namespace kvo
