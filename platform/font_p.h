// The font engine: Cairo's fontconfig/FreeType faces with pinned options, so
// that metrics and pictures do not depend on the machine's desktop settings.
#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

#include "platform/graphics.h"

namespace kvo::detail {

struct TFontMetrics {
  double Ascent = 0, Descent = 0;  // pixels, rounded up to whole pixels
  std::int32_t Height = 0;         // Ascent + Descent (the cell height)
};

// Selects face, size and the pinned options of font into cr.
void SelectFont(cairo_t* cr, const TFontData& font);
TFontMetrics FontMetrics(cairo_t* cr);
// Width (advance, rounded) of a sanitised string with the font selected in cr.
double TextAdvance(cairo_t* cr, const std::string& text);
// Measurement without a drawing surface (uses a private context).
TSize MeasureText(std::string_view utf8, const TFontData& font);

}  // namespace kvo::detail
