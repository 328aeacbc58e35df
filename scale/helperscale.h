// THelperScale: an axis embedded in another control (the chart's axes, the
// colour legend's scale, the gauge's dial scale). The owner creates it,
// places it in its own pixel coordinates, hands it the axis settings and
// lets it draw onto whatever canvas the owner is composing. The axis keeps
// no surface of its own (its TScale is windowless) and its tick and label
// events reach the owner's handlers with the owner as sender.
//
// Usage, e.g. a colour legend with a vertical scale right of its bar:
//
//   class TColorLegend : public TCustomControl {
//   public:
//     TScaleTickDrawnEvent OnScaleTickDrawn;
//     TBeforeTickLabelEvent OnBeforeTickLabel;
//     TColorLegend() { FAxis.ForwardEvents(*this, OnScaleTickDrawn, OnBeforeTickLabel); }
//     void Paint() override {
//       TAxisPlacement p;
//       p.OwnerWidth = Width();
//       p.OwnerHeight = Height();
//       p.Type = stLabelsRight;
//       p.First = FBar.Top;             // the high end of the range
//       p.Last = FBar.Bottom - 1;       // the low end
//       p.BaseLine = FBar.Right + 2;    // column of the base line
//       FAxis.Place(p);
//       FAxis.SetSettings(FScaleSettings);
//       ... draw the bar onto FPicture.Canvas() ...
//       FAxis.Draw(FPicture.Canvas());
//       Canvas().Draw(0, 0, FPicture);
//     }
//   private:
//     THelperScale FAxis{this};
//   };
//
// The chart places its axes at its data-area edges, the gauge along its
// dial; all of them convert values to pixels with Scale().ConvertToPixelCoords.
#pragma once

#include "../platform/export.h"

#include <cstdint>

#include "../libs/kvobase.h"
#include "../platform/canvas.h"
#include "../platform/control.h"
#include "scale.h"
#include "scalesettings.h"
#include "scaletypes.h"

namespace kvo {

// Where an axis lies in its owner, in the owner's pixels.
struct KVO_API TAxisPlacement {
  std::int32_t OwnerWidth = 0, OwnerHeight = 0;
  TScaleType Type = stLabelsBelow;
  // The ends along the axis: for a horizontal axis the x of its left (low)
  // and right (high) end, for a vertical one the y of its top (high) and
  // bottom (low) end. Swapped when First > Last.
  std::int32_t First = 0, Last = 0;
  // The row (horizontal axis) or column (vertical axis) of the base line.
  // Ends and base line outside the owner are moved onto its edge.
  std::int32_t BaseLine = 0;

  bool operator==(const TAxisPlacement&) const noexcept = default;
};

// The margins a scale of the owner's size needs for a placement.
struct KVO_API TScaleMargins {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TScaleMargins&) const noexcept = default;
};
KVO_API TScaleMargins MarginsForPlacement(const TAxisPlacement& p) noexcept;

class KVO_API THelperScale {
public:
  // The owner is the scale's component owner.
  explicit THelperScale(TComponent* owner);
  THelperScale(const THelperScale&) = delete;
  THelperScale& operator=(const THelperScale&) = delete;

  // The axis itself: conversions (ConvertToPixelCoords, ConvertPixelToScale),
  // the tick list of the last drawing, the font, visibility and the look
  // (it starts transparent, without frame).
  TScale& Scale() noexcept { return FScale; }
  const TScale& Scale() const noexcept { return FScale; }

  // Sizes the axis to its owner and sets scale type and margins; the
  // transform follows at once.
  void Place(const TAxisPlacement& p);
  const TAxisPlacement& Placement() const noexcept { return FPlacement; }
  // The same with the margins given (an owner whose layout already speaks in
  // scale margins, as the chart's does; negative margins read as 0).
  void PlaceWithMargins(std::int32_t ownerWidth, std::int32_t ownerHeight, TScaleType type,
                        const TScaleMargins& margins);

  // The axis settings with the scale's setter rules (TScale::SetSettings);
  // the scale type stays the placement's.
  void SetSettings(const TScaleSettings& v);
  const TScaleSettings& Settings() const noexcept { return FScale.Settings(); }

  // Draws the axis onto canvas, the owner's origin being at (offX, offY) of
  // that canvas; as for any scale on a foreign canvas a horizontal axis is
  // moved only vertically and a vertical one only horizontally. The canvas
  // is not kept.
  void Draw(TCanvas& canvas, std::int32_t offX = 0, std::int32_t offY = 0);

  // Tick and label events of the axis call the owner's handlers of the same
  // kind with `sender` (the owner) as Sender. The handlers are looked up at
  // every event, so handlers the application assigns later are seen. The
  // three referenced objects must outlive this axis (they are the owner's).
  void ForwardEvents(TObject& sender, TScaleTickDrawnEvent& onTickDrawn,
                     TBeforeTickLabelEvent& onBeforeTickLabel);

  // Start values of the scale, then the helper set-up again (windowless,
  // transparent, no frame, painting only through Draw, the events forwarded
  // and the last placement).
  void Reset();

private:
  void SetUp();

  TScale FScale;
  TAxisPlacement FPlacement;
  // The last placement as applied: owner size, type and margins.
  std::int32_t FWidth = 0, FHeight = 0;
  TScaleType FType = stLabelsBelow;
  TScaleMargins FMargins;
  bool FPlaced = false;
  TObject* FSender = nullptr;
  TScaleTickDrawnEvent* FOnTickDrawn = nullptr;
  TBeforeTickLabelEvent* FOnBeforeTickLabel = nullptr;
};

}  // namespace kvo
