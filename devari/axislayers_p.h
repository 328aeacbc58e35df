// TAxisLayers: the axes of the chart's two layers. Each layer has an X and a
// Y property object (what the application sets) and a helper axis per
// object (a TScale that draws on the chart's canvas and answers tick
// queries). Sync is the one place that hands the property objects to their
// helpers and places them for the chart's geometry; the chart calls it after
// every change of size, margins, shadow or axis properties.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "devari/scaleprops.h"
#include "devari/stdlayout.h"
#include "devari/transform.h"
#include "scale/helperscale.h"
#include "scale/scale.h"

namespace kvo {

class KVO_API TAxisLayers {
public:
  // The chart: owner of the helpers, sender and handlers of their events.
  TAxisLayers(TComponent* owner, TObject& sender, TScaleTickDrawnEvent& onTickDrawn,
              TBeforeTickLabelEvent& onBeforeTickLabel);
  ~TAxisLayers();
  TAxisLayers(const TAxisLayers&) = delete;
  TAxisLayers& operator=(const TAxisLayers&) = delete;

  // Layer 1..2; other numbers give layer 1's.
  TScalePropsHoriz& X(std::int32_t layer) noexcept { return *FPropsX[Index(layer)]; }
  TScalePropsVert& Y(std::int32_t layer) noexcept { return *FPropsY[Index(layer)]; }
  const TScalePropsHoriz& X(std::int32_t layer) const noexcept { return *FPropsX[Index(layer)]; }
  const TScalePropsVert& Y(std::int32_t layer) const noexcept { return *FPropsY[Index(layer)]; }
  TScale& ScaleX(std::int32_t layer) noexcept { return FScalesX[Index(layer)]->Scale(); }
  TScale& ScaleY(std::int32_t layer) noexcept { return FScalesY[Index(layer)]->Scale(); }
  const TScale& ScaleX(std::int32_t layer) const noexcept { return FScalesX[Index(layer)]->Scale(); }
  const TScale& ScaleY(std::int32_t layer) const noexcept { return FScalesY[Index(layer)]->Scale(); }

  // Start values: property objects reset (axis colour of their layer,
  // numeric labels) and reporting to onPropsChanged; helpers reset, a drag
  // on one of them reported to onZoomPan.
  void Reset(TColor background, const TNotifyEvent& onPropsChanged, const TNotifyEvent& onZoomPan);
  // Lays out a standard layout's axes (the margins are the chart's). The
  // property objects do not report each change: the result tells whether
  // any changed, for the caller to bring the chart up to date once.
  [[nodiscard]] bool ApplyLayout(const TLayoutRow& row);
  // Hands every property object to its helper and places it for g.
  // textColor: the host's text colour where the chart's style asks for it.
  void Sync(const TChartGeometry& g, std::optional<TColor> textColor);
  // Syncs, then draws the four axes on canvas.
  void Draw(TCanvas& canvas, const TChartGeometry& g, std::optional<TColor> textColor);
  // The end of loading: the property objects may now refuse log ranges.
  void MarkLoaded();

  // Tick values of the last drawing, index 1 at the low end of the range.
  double TickPosX(std::int32_t layer, std::int32_t i) const;
  double TickPosY(std::int32_t layer, std::int32_t i) const;
  std::int32_t TickCountX(std::int32_t layer) const;
  std::int32_t TickCountY(std::int32_t layer) const;
  // k on the visible Y axis of layer k, -k on its X axis, 0 elsewhere.
  std::int32_t DetectScale(const TChartGeometry& g, std::int32_t x, std::int32_t y) const;
  // The ranges as the transform takes them.
  TAxisRange RangeX(std::int32_t layer) const noexcept;
  TAxisRange RangeY(std::int32_t layer) const noexcept;
  // Hands one property object to a helper axis and places it for g.
  static void Place(THelperScale& axis, const TScaleProps& props, const TChartGeometry& g,
                    std::optional<TColor> textColor);
  // The helper of a scale of this chart (nullptr for other scales).
  THelperScale* HelperOf(const TScale& scale) noexcept;

private:
  static std::size_t Index(std::int32_t layer) noexcept { return layer == 2 ? 2 : 1; }

  std::array<std::unique_ptr<TScalePropsHoriz>, 3> FPropsX;  // index 1..2
  std::array<std::unique_ptr<TScalePropsVert>, 3> FPropsY;
  std::array<std::unique_ptr<THelperScale>, 3> FScalesX, FScalesY;
};

}  // namespace kvo
