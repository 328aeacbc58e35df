/// @file
/// Plain state of the chart's display list besides the items: the settings the
/// drawing commands copy into every new item, and which layers and classes
/// are shown. TCustomDEvari holds one of each and validates in its setters.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>

#include "chartitem.h"
#include "../platform/types.h"

namespace kvo {

/// Copied into each item appended after a change; items already in a list
/// keep what they were given.
struct KVO_API TDrawSettings {
  TColor DataColor = clBlack;        ///< -> Color
  TColor FillColor = 0xC0C0C0;       ///< -> FillColor (also the text background)
  TPenStyle PenStyle = psSolid;      ///< -> PenStyle
  std::uint8_t LineWidth = 1;        ///< -> LWid
  std::uint8_t ClassDefault = 0;     ///< -> ItemClass (never 255)
  std::int32_t ActiveLayer = 1;      ///< -> Layer (1 or 2)
  std::int32_t DataTag = 0;          ///< -> Tag
  bool TransparentItems = false;     ///< -> Transp of areas
  TTextBkg TextBkStyle = tbClear;    ///< -> Param2 of texts
  TAlignment TextAlignment = taCenter;  ///< -> Param3 of texts without an alignment argument
  bool AnnoMode = false;             ///< true: commands append to the annotation list
  bool operator==(const TDrawSettings&) const noexcept = default;
};

/// Visibility of layers and classes, and the annotation switches.
struct KVO_API TItemVisibility {
  std::array<bool, 3> LayerVisible{false, true, true};         ///< index 1..2
  std::array<bool, 3> MouseAffectsLayer{false, true, false};   ///< index 1..2
  std::array<bool, 256> ClassVisible = AllTrue();              ///< data items
  std::array<bool, 256> AnnoClassVisible = AllTrue();          ///< annotations
  bool AnnosVisible = true;
  bool AnnoBelowChart = false;
  bool AnnoTextOnTop = true;
  bool operator==(const TItemVisibility&) const noexcept = default;

  static constexpr std::array<bool, 256> AllTrue() noexcept {
    std::array<bool, 256> a{};
    for (auto& b : a) b = true;
    return a;
  }
};

}  // namespace kvo
