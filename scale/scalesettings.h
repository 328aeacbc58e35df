/// @file
/// TScaleSettings: everything that describes one axis, as a plain value. A
/// TScale and a chart's TScaleProps each hold one; handing an axis
/// description from one to the other is one assignment.
///
/// The member initialisers are a stand-alone scale's start values; a chart
/// axis starts from TScaleProps::DefaultSettings(). The label font is not part
/// of the value: a scale uses its control font, a property object its own
/// notifying font.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>

#include "../libs/kvobase.h"
#include "../platform/graphics.h"
#include "scaletypes.h"

namespace kvo {

/// Settings of the date/time labels compare by value (the change handler is
/// not part of the settings).
inline bool operator==(const TDTLabel& a, const TDTLabel& b) noexcept {
  return a.SameSettings(b);
}

struct KVO_API TScaleSettings {
  /// Range (world units). Low > High is a reversed axis; the ends are never
  /// equal once applied to a scale.
  double RangeLow = 0.0;
  double RangeHigh = 100.0;
  bool Logarithmic = false;
  TFigType LabelType = ftNumber;
  /// Requested major ticks: 0 automatic, otherwise 2..10 once applied.
  std::int32_t MinTicks = 3;
  /// -3..12 once applied (see TScale::SetDecPlaces).
  std::int32_t DecPlaces = -2;
  bool ShortTicks = true;
  TScaleType ScaleType = stLabelsAbove;
  /// Caption (unit label) and its placement.
  std::string Caption;
  std::int32_t CaptionPosX = 4;
  std::int32_t CaptionPosY = 4;
  TAlignment CaptionAlignment = taCenter;
  TScaleUnitAnchor CaptionAnchor = uaSclTopLft;
  /// Line, ticks and labels.
  TColor ColorScale = clBlack;
  std::string ScaleInscript;
  std::string UserTickText;
  /// Copies take the settings only; assigning one keeps the target's change
  /// handler and notifies it when something changed.
  TDTLabel DateFormat;

  bool operator==(const TScaleSettings&) const = default;
};

}  // namespace kvo
