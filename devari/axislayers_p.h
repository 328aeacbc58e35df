// TAxisLayers: the axes of the chart's two layers. Each layer has an X and a
// Y property object (what the application sets) and a helper axis per
// object (a TScale that draws on the chart's canvas and answers tick
// queries). Sync is the one place that hands the property objects to their
// helpers and places them for the chart's geometry; the chart calls it after
// every change of size, margins, shadow or axis properties.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "devari/scaleprops.h"
#include "devari/stdlayout.h"
#include "devari/transform.h"
#include "scale/scale.h"

namespace kvo {

class TAxisLayers {
public:
  // What the helpers report to the chart.
  struct TEvents {
    TNotifyEvent PropsChanged;           // a property object changed
    TNotifyEvent ZoomPan;                // a helper's range was dragged
    TScaleTickDrawnEvent TickDrawn;
    TBeforeTickLabelEvent BeforeTickLabel;
  };

  explicit TAxisLayers(TComponent* owner);
  ~TAxisLayers();
  TAxisLayers(const TAxisLayers&) = delete;
  TAxisLayers& operator=(const TAxisLayers&) = delete;

  // Layer 1..2; other numbers give layer 1's.
  TScalePropsHoriz& X(std::int32_t layer) noexcept { return *FPropsX[Index(layer)]; }
  TScalePropsVert& Y(std::int32_t layer) noexcept { return *FPropsY[Index(layer)]; }
  const TScalePropsHoriz& X(std::int32_t layer) const noexcept { return *FPropsX[Index(layer)]; }
  const TScalePropsVert& Y(std::int32_t layer) const noexcept { return *FPropsY[Index(layer)]; }
  TScale& ScaleX(std::int32_t layer) noexcept { return *FScalesX[Index(layer)]; }
  TScale& ScaleY(std::int32_t layer) noexcept { return *FScalesY[Index(layer)]; }
  const TScale& ScaleX(std::int32_t layer) const noexcept { return *FScalesX[Index(layer)]; }
  const TScale& ScaleY(std::int32_t layer) const noexcept { return *FScalesY[Index(layer)]; }

  // Start values: property objects reset (axis colour of their layer,
  // numeric labels) and helpers reset to draw transparently on `home`.
  void Reset(TCanvas* home, TColor background, TEvents events);
  // Lays out a standard layout's axes (the margins are the chart's).
  void ApplyLayout(const TLayoutRow& row);
  // Hands every property object to its helper and places it for g.
  // textColor: the host's text colour where the chart's style asks for it.
  void Sync(const TChartGeometry& g, std::optional<TColor> textColor);
  // Syncs, then draws the four axes on canvas (the helpers return to `home`).
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
  void Place(TScale& scale, const TScaleProps& props, const TChartGeometry& g,
             std::optional<TColor> textColor);

private:
  static std::size_t Index(std::int32_t layer) noexcept { return layer == 2 ? 2 : 1; }

  TCanvas* FHome = nullptr;
  std::array<std::unique_ptr<TScalePropsHoriz>, 3> FPropsX;  // index 1..2
  std::array<std::unique_ptr<TScalePropsVert>, 3> FPropsY;
  std::array<std::unique_ptr<TScale>, 3> FScalesX, FScalesY;
};

}  // namespace kvo
