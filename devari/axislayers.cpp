#include "devari/axislayers_p.h"

#include <algorithm>
#include <string>

#include "devari/layout_p.h"
#include "libs/kvocolors.h"

namespace kvo {

TAxisLayers::TAxisLayers(TComponent* owner) {
  for (std::size_t l = 1; l <= 2; ++l) {
    FPropsX[l] = std::make_unique<TScalePropsHoriz>();
    FPropsY[l] = std::make_unique<TScalePropsVert>();
    FScalesX[l] = std::make_unique<TScale>(owner);
    FScalesY[l] = std::make_unique<TScale>(owner);
    FScalesX[l]->SetName("RC_FScale_X_" + std::to_string(l));
    FScalesY[l]->SetName("RC_FScale_Y_" + std::to_string(l));
  }
}

TAxisLayers::~TAxisLayers() = default;

void TAxisLayers::Reset(TCanvas* home, TColor background, TEvents events) {
  FHome = home;
  for (std::int32_t l = 1; l <= 2; ++l) {
    for (TScaleProps* p : {static_cast<TScaleProps*>(&X(l)), static_cast<TScaleProps*>(&Y(l))}) {
      p->OnChange = nullptr;
      p->ResetComp();
      p->SetColorScale(PredefinedColor(l));
      p->SetLabelType(ftNumber);
      p->OnChange = events.PropsChanged;
    }
    for (TScale* s : {&ScaleX(l), &ScaleY(l)}) {
      s->SetSuppressPaint(true);
      s->ResetComp();
      s->SetIsHelper(true);
      s->UseForeignCanvas(home, 0, 0);
      s->SetTransparent(true);
      s->SetColorBG(background);
      s->SetFrameStyle(frsNone);
      s->OnScaleTickDrawn = events.TickDrawn;
      s->OnBeforeTickLabel = events.BeforeTickLabel;
      s->OnZoomPan = events.ZoomPan;
    }
  }
}

void TAxisLayers::ApplyLayout(const TLayoutRow& row) {
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
}

void TAxisLayers::Place(TScale& scale, const TScaleProps& props, const TChartGeometry& g,
                        std::optional<TColor> textColor) {
  // The helper spans the whole chart; its margins put the axis ends on the
  // data area's edges and its base line on the data area's side plus the
  // axis offset. Wide arithmetic and a clamp: the offset is an application
  // value.
  const std::int64_t W = g.Width, H = g.Height, p = props.ScalePos();
  auto m = [](std::int64_t v) { return std::int32_t(std::clamp<std::int64_t>(v, -30000, 60000)); };
  scale.SetBounds(0, 0, g.Width, g.Height);
  scale.SetScaleType(props.ScaleType());
  switch (props.ScaleType()) {
    case stLabelsAbove: scale.SetMarginBottom(m(p + H - g.TRim - 1)); break;
    case stLabelsBelow: scale.SetMarginTop(m(p + H - g.BRim - g.Shadow)); break;
    case stLabelsRight: scale.SetMarginLeft(m(p + W - g.RRim - g.Shadow)); break;
    case stLabelsLeft: scale.SetMarginRight(m(p + W - g.LRim - 1)); break;
  }
  if (props.ScaleType() == stLabelsAbove || props.ScaleType() == stLabelsBelow) {
    scale.SetMarginLeft(g.LRim);
    scale.SetMarginRight(g.RRim + g.Shadow - 1);
  } else {
    scale.SetMarginTop(g.TRim);
    scale.SetMarginBottom(g.BRim + g.Shadow - 1);
  }
  scale.SetRange(props.RangeLow(), props.RangeHigh());
  scale.SetVisible(props.Visible());
  scale.SetCaption(props.Caption());
  scale.SetCaptionPosX(props.CaptionPosX());
  scale.SetCaptionPosY(props.CaptionPosY());
  scale.SetCaptionAlignment(props.CaptionAlignment());
  scale.SetCaptionAnchor(props.CaptionAnchor());
  scale.SetColorScale(textColor.value_or(props.ColorScale()));
  scale.SetDecPlaces(props.DecPlaces());
  scale.SetLogarithmic(props.Logarithmic());
  scale.SetLabelType(props.LabelType());
  scale.SetShortTicks(props.ShortTicks());
  scale.SetMinTicks(props.MinTicks());
  scale.SetScaleInscript(props.ScaleInscript());
  scale.SetUserTickText(props.UserTickText());
  scale.Font().Assign(props.Font());
  scale.Font().SetColor(textColor.value_or(props.Font().Color()));
  scale.SetDateFormat(props.DateFormat());
}

void TAxisLayers::Sync(const TChartGeometry& g, std::optional<TColor> textColor) {
  for (std::int32_t l = 1; l <= 2; ++l) {
    Place(ScaleX(l), X(l), g, textColor);
    Place(ScaleY(l), Y(l), g, textColor);
  }
}

void TAxisLayers::Draw(TCanvas& canvas, const TChartGeometry& g, std::optional<TColor> textColor) {
  // The helpers draw on this canvas and are pointed back home afterwards, so
  // that they never keep a canvas that may go away.
  auto draw = [&](TScale& scale, const TScaleProps& props) {
    Place(scale, props, g, textColor);
    scale.UseForeignCanvas(&canvas, 0, 0);
    scale.ForcePaint();
    scale.UseForeignCanvas(FHome, 0, 0);
  };
  for (std::int32_t l = 1; l <= 2; ++l) draw(ScaleX(l), X(l));
  for (std::int32_t l = 1; l <= 2; ++l) draw(ScaleY(l), Y(l));
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
  TAxisPlacement ys[2], xs[2];
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
