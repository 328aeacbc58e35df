// The display-list record of the 2D chart: TrcChartItem (104 bytes, stored
// byte for byte in the data and annotation files), its kind and coordinate
// mode enumerations, and the helpers for its 15-character text field.
#pragma once

#include "../platform/export.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "../libs/kvobase.h"
#include "../platform/types.h"

namespace kvo {

// Kind of a display-list item. The ordinals are stored in files.
// tkEverything and tkNotMoveTo are wildcards of searches and never stored by
// the drawing commands.
enum TrcItem : std::uint8_t {
  tkNone = 0,
  tkMarkAt = 1,
  tkLine = 2,
  tkLineto = 3,
  tkRect = 4,
  tkRectFrame = 5,
  tk3DBar = 6,
  tkText = 7,
  tkMoveTo = 8,
  tkEllipse = 9,
  tkEverything = 10,
  tkNotMoveTo = 11,
  tkMoveRelPix = 12,
  tkLineRelPix = 13,
  tkArrow = 14,
  tkDoubleArrow = 15,
  tkTextOfs = 16,
  tkRectRelPix = 17,
  tkMarkEBar = 18,
  tkLineOffs = 19,
  tkArc = 20,
  tkLineRelPixOrig = 21,
  tkCursorVert = 22,
  tkCursorHoriz = 23,
};
// Number of kinds; valid kinds are 0 .. kNumItemKinds-1.
constexpr int kNumItemKinds = 24;
static_assert(tkCursorHoriz + 1 == kNumItemKinds);

constexpr bool IsValidItemKind(std::uint8_t k) noexcept { return k < kNumItemKinds; }
constexpr bool IsTextKind(TrcItem k) noexcept { return k == tkText || k == tkTextOfs; }

// Which coordinates of an annotation are world values and which data-area
// pixels. Main is (x, y), Sec is (x2, y2). Data items always carry cmAllWorld.
enum TCoordMode : std::uint8_t {
  cmAllWorld = 0,
  cmAllScreen = 1,
  cmWorldMainScreenSec = 2,
  cmScreenMainWorldSec = 3,
  cmXScreenYWorld = 4,
  cmXWorldYScreen = 5,
};

// Background of item texts (stored in Param2 of text items).
enum TTextBkg : std::uint8_t { tbClear = 0, tbSolid = 1 };

// Capacity of the record's own text field, in bytes.
constexpr std::size_t kShortTextLen = 15;

// Length-prefixed string of at most 15 bytes (16 bytes in the record).
struct KVO_API TShortText {
  std::uint8_t Len = 0;
  char Chars[kShortTextLen] = {};
};
static_assert(sizeof(TShortText) == 16);

// One display-list item. The field use per kind is documented with the
// drawing commands (devari.h). Value-initialisation (TrcChartItem{}) gives an
// all-zero record including the padding; CleadEvariItem gives the defaults.
struct KVO_API TrcChartItem {
  double x = 0, y = 0, x2 = 0, y2 = 0;
  TColor Color = 0;         // pen colour; text colour of texts
  TColor FillColor = 0;     // brush colour; text background of texts
  TColor ShadowColor = 0;   // dark frame colour of tkRectFrame
  TColor HiLightColor = 0;  // light frame colour of tkRectFrame
  TPenStyle PenStyle = psSolid;
  std::uint8_t Pad49[3] = {};
  std::int32_t Tag = 0;
  std::int32_t LWid = 0;    // line width; long-text slot (0 = none) of texts
  std::uint8_t ItemClass = 0;
  TrcItem ItemKind = tkNone;
  std::uint8_t Pad62[2] = {};
  std::int32_t Layer = 0;
  bool Transp = false;      // brush not painted
  TFrameStyle FrameStyle{};
  TShortText Text;
  std::uint8_t Pad86[2] = {};
  std::int32_t Param1 = 0, Param2 = 0, Param3 = 0;
  TCoordMode CoordMode = cmAllWorld;
  std::uint8_t Pad101[3] = {};
};

static_assert(sizeof(TFrameStyle) == 1, "the record stores the frame style in one byte");
static_assert(sizeof(TrcChartItem) == 104);
static_assert(offsetof(TrcChartItem, x) == 0);
static_assert(offsetof(TrcChartItem, y) == 8);
static_assert(offsetof(TrcChartItem, x2) == 16);
static_assert(offsetof(TrcChartItem, y2) == 24);
static_assert(offsetof(TrcChartItem, Color) == 32);
static_assert(offsetof(TrcChartItem, FillColor) == 36);
static_assert(offsetof(TrcChartItem, ShadowColor) == 40);
static_assert(offsetof(TrcChartItem, HiLightColor) == 44);
static_assert(offsetof(TrcChartItem, PenStyle) == 48);
static_assert(offsetof(TrcChartItem, Tag) == 52);
static_assert(offsetof(TrcChartItem, LWid) == 56);
static_assert(offsetof(TrcChartItem, ItemClass) == 60);
static_assert(offsetof(TrcChartItem, ItemKind) == 61);
static_assert(offsetof(TrcChartItem, Layer) == 64);
static_assert(offsetof(TrcChartItem, Transp) == 68);
static_assert(offsetof(TrcChartItem, FrameStyle) == 69);
static_assert(offsetof(TrcChartItem, Text) == 70);
static_assert(offsetof(TrcChartItem, Param1) == 88);
static_assert(offsetof(TrcChartItem, Param2) == 92);
static_assert(offsetof(TrcChartItem, Param3) == 96);
static_assert(offsetof(TrcChartItem, CoordMode) == 100);
static_assert(std::is_trivially_copyable_v<TrcChartItem>);

// One vertex of a packed run: the coordinates of an item whose other fields
// the run holds once (see TRcItemContainer).
struct KVO_API TXY {
  double x = 0, y = 0;
};
static_assert(sizeof(TXY) == 16);

// Resets a record to the defaults: zero coordinates, black pen, white fill
// and highlight, grey shadow, layer 1, tkNone, cmAllWorld, empty text.
KVO_API void CleadEvariItem(TrcChartItem& item) noexcept;

// The text field as UTF-8. The field holds up to 15 characters in the
// Windows-1252 code page (as stored files do); a length byte above 15, as a
// damaged record may hold, reads as 15.
KVO_API std::string ShortText(const TrcChartItem& item);

// Stores the first 15 characters of a UTF-8 text in the field, in
// Windows-1252; a character the code page lacks is stored as '?'. Returns
// true when the whole text fitted unchanged.
KVO_API bool SetShortText(TrcChartItem& item, std::string_view text) noexcept;

// True when text does not fit the record's own field unchanged (more than
// 15 characters, or one the code page lacks) and needs a long-text slot.
KVO_API bool NeedsLongText(std::string_view text) noexcept;

// The most of a text item's text that is ever measured or drawn, in bytes:
// item texts are drawn at pixel positions held within +-30000, so no glyph
// past the first 64 KiB of a text can reach a surface. Data files keep at
// most this much of each long text.
constexpr std::size_t kMaxItemTextLen = 64 * 1024;

}  // namespace kvo
