// Drawing of the chart's movable text labels into the data area: anchor by
// attachment mode, box by label mode, multi-line text by alignment.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <span>
#include <string>

#include "devari/transform.h"
#include "libs/kvobase.h"
#include "platform/canvas.h"

namespace kvo {

// What the drawing needs of one label.
struct KVO_API TTextLabelView {
  double PosX = 0, PosY = 0;
  std::int32_t Layer = 1;
  TTxtLblAttachMode Attach = tlaWorld;
  TColor ColorBkg = clWhite, ColorBorder = clBlack, ColorShadow = 8421504;
  std::int32_t ShadowDx = 3, ShadowDy = 3;
  bool Transparent = false;
  TAlignment Alignment = taCenter;
  TVerticalAlignment VAlign = taAlignBottom;
  TFontData Font;
  TTxtLblMode Mode = tlmFree;
  std::string Caption;
  bool Visible = false;
};

// Box of a label whose text block (c wide, n lines of d pixels) has its
// bottom-left corner at (x, y): 4 pixels wider on each side, 2 taller.
constexpr TRect LabelBox(std::int32_t x, std::int32_t y, std::int32_t c, std::int32_t d,
                         std::int32_t n) noexcept {
  return {x - 4, y - d * n - 2, x + c + 4, y + 2};
}

// Draws labels from the last to the first (the first ends on top), skipping
// free, invisible and NaN-positioned ones and those whose layer is hidden
// (layerVisible[1..2]). (left, top) is the canvas position of the data
// area's top-left pixel.
KVO_API void DrawTextLabelsOn(TCanvas& canvas, std::span<const TTextLabelView> labels,
                      const bool layerVisible[3], const TLayerTransforms& tf,
                      const TChartGeometry& g, std::int32_t left, std::int32_t top);

}  // namespace kvo
