// The table of the chart's thirty movable text labels (numbered 1..30): it
// hands out free labels, fills them from templates and resets them.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "devari/labeldraw_p.h"
#include "devari/textlabel.h"
#include "libs/kvobase.h"

namespace kvo {

// Settings a label takes when AddTextLabel/SetTextLabel get no template.
struct KVO_API TLabelDefaults {
  TColor ColorBkg = clWhite;       // the chart colour (or the style's grid colour)
  TColor ColorBorder = clBlack;    // the chart frame colour
  std::int32_t ActiveLayer = 1;
};

class KVO_API TTextLabelTable {
public:
  static constexpr std::int32_t Count = 30;

  TTextLabelTable();

  // Label n (1..30); nullptr for other numbers.
  TTextLabel* At(std::int32_t n) noexcept;
  const TTextLabel* At(std::int32_t n) const noexcept;

  // Start values of every label: position (0, 0) on layer 1, world attached,
  // white box, black border, grey shadow offset (3, 3), centred above the
  // anchor, font = font, free and hidden. Each label reports to onChange.
  void ResetAll(const TFont& font, const TNotifyEvent& onChange);

  // First free label filled as described by Fill; 0 when all are in use.
  std::int32_t Add(double posX, double posY, TColor txtColor, const std::string& txt,
                   std::int32_t templ, const TLabelDefaults& def);
  // Fills label idx (1..30, free or not); other numbers do nothing. Position
  // and layer from the arguments, attachment, alignment, shadow, colours and
  // transparency from label templ (1..30) or the defaults, caption and font
  // colour from the arguments, the template's mode (plain text without one),
  // visible. One notification.
  void Fill(std::int32_t idx, double posX, double posY, TColor txtColor, const std::string& txt,
            std::int32_t templ, const TLabelDefaults& def);
  void HideAll();
  void ClearAll();  // every label becomes free (other settings stay)

  // The labels as the drawing reads them, index 0 = label 1.
  std::array<TTextLabelView, Count> Views() const;

private:
  std::array<std::unique_ptr<TTextLabel>, Count> FLabels;
};

}  // namespace kvo
