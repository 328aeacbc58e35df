/// @file
/// Basic value types of the platform layer: colours, points, rectangles, the
/// small typed set, pen/brush/font enumerations, mouse and component state.
#pragma once

#include "export.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <type_traits>

namespace kvo {

// ---- Typed set of a small enumeration (at most 32 members) -----------------
template <typename E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumerators");

public:
  constexpr TSet() noexcept = default;
  constexpr TSet(std::initializer_list<E> items) noexcept {
    for (E e : items) bits_ |= Bit(e);
  }
  constexpr bool Contains(E e) const noexcept { return (bits_ & Bit(e)) != 0; }
  constexpr TSet& Include(E e) noexcept { bits_ |= Bit(e); return *this; }
  constexpr TSet& Exclude(E e) noexcept { bits_ &= ~Bit(e); return *this; }
  constexpr bool Empty() const noexcept { return bits_ == 0; }
  constexpr std::uint32_t Bits() const noexcept { return bits_; }
  static constexpr TSet FromBits(std::uint32_t b) noexcept { TSet s; s.bits_ = b; return s; }
  constexpr TSet operator|(TSet o) const noexcept { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator&(TSet o) const noexcept { return FromBits(bits_ & o.bits_); }
  constexpr TSet operator-(TSet o) const noexcept { return FromBits(bits_ & ~o.bits_); }
  constexpr bool operator==(const TSet&) const noexcept = default;

private:
  static constexpr std::uint32_t Bit(E e) noexcept {
    return std::uint32_t{1} << static_cast<unsigned>(e);
  }
  std::uint32_t bits_ = 0;
};

// ---- Colours ----------------------------------------------------------------
/// 0x00BBGGRR; a value with the high byte 0xFF is a system colour whose low
/// byte indexes the system colour table (see ColorToRGB).
using TColor = std::uint32_t;

constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) noexcept {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) noexcept { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GetGValue(TColor c) noexcept { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(TColor c) noexcept { return std::uint8_t((c >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                 clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                 clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0,
                 clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

/// System colours (high byte 0xFF, low byte = index).
constexpr TColor clScrollBar = 0xFF000000, clBackground = 0xFF000001,
                 clActiveCaption = 0xFF000002, clInactiveCaption = 0xFF000003,
                 clMenu = 0xFF000004, clWindow = 0xFF000005, clWindowFrame = 0xFF000006,
                 clMenuText = 0xFF000007, clWindowText = 0xFF000008,
                 clCaptionText = 0xFF000009, clActiveBorder = 0xFF00000A,
                 clInactiveBorder = 0xFF00000B, clAppWorkSpace = 0xFF00000C,
                 clHighlight = 0xFF00000D, clHighlightText = 0xFF00000E,
                 clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                 clBtnText = 0xFF000012, clInactiveCaptionText = 0xFF000013,
                 clBtnHighlight = 0xFF000014, cl3DDkShadow = 0xFF000015,
                 cl3DLight = 0xFF000016, clInfoText = 0xFF000017, clInfoBk = 0xFF000018;

constexpr bool IsSystemColor(TColor c) noexcept { return (c >> 24) == 0xFF; }
/// Resolves system colours through the system colour table (the host may
/// replace entries); clNone and clDefault resolve to white. Other values are
/// returned with the high byte cleared.
KVO_API TColor ColorToRGB(TColor c) noexcept;
/// Replaces one entry of the system colour table (index = low byte).
KVO_API void SetSystemColor(std::uint8_t index, TColor rgb) noexcept;
/// Restores the built-in defaults of the system colour table.
KVO_API void ResetSystemColors() noexcept;

// ---- Geometry ---------------------------------------------------------------
struct KVO_API TPoint {
  std::int32_t x = 0, y = 0;
  constexpr bool operator==(const TPoint&) const noexcept = default;
};
struct KVO_API TSize {
  std::int32_t cx = 0, cy = 0;
  constexpr bool operator==(const TSize&) const noexcept = default;
};
/// GDI convention: covers columns Left..Right-1 and rows Top..Bottom-1.
struct KVO_API TRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  /// Saturated at the int32 range (a rectangle spanning it cannot overflow).
  constexpr std::int32_t Width() const noexcept { return Span(Left, Right); }
  constexpr std::int32_t Height() const noexcept { return Span(Top, Bottom); }
  constexpr bool IsEmpty() const noexcept { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const noexcept {
    return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom;
  }
  /// Corners ordered so that Left <= Right and Top <= Bottom.
  constexpr TRect Normalized() const noexcept {
    return {Left < Right ? Left : Right, Top < Bottom ? Top : Bottom,
            Left < Right ? Right : Left, Top < Bottom ? Bottom : Top};
  }
  constexpr bool operator==(const TRect&) const noexcept = default;

private:
  static constexpr std::int32_t Span(std::int32_t a, std::int32_t b) noexcept {
    const std::int64_t d = std::int64_t(b) - a;
    return d > INT32_MAX ? INT32_MAX : (d < INT32_MIN ? INT32_MIN : std::int32_t(d));
  }
};
constexpr TRect Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) noexcept {
  return {l, t, r, b};
}
constexpr TPoint Point(std::int32_t x, std::int32_t y) noexcept { return {x, y}; }

// ---- Pen, brush, font enumerations (ordinals as in the host framework) ------
enum TPenStyle : std::uint8_t {
  psSolid = 0, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame
};
/// Raster operation of the pen (and of brush fills) on raster surfaces.
enum TPenMode : std::uint8_t {
  pmBlack = 0, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot,
  pmMaskPenNot, pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask,
  pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle : std::uint8_t {
  bsSolid = 0, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal,
  bsCross, bsDiagCross
};
enum TFontStyle : std::uint8_t { fsBold = 0, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

/// 0 left, 1 right, 2 centre.
enum TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// ---- Mouse, keyboard, component state ----------------------------------------
enum TShiftStateItem : std::uint8_t {
  ssShift = 0, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble
};
using TShiftState = TSet<TShiftStateItem>;
enum TMouseButton : std::uint8_t { mbLeft = 0, mbRight, mbMiddle };

enum TComponentStateItem : std::uint8_t {
  csLoading = 0, csReading, csWriting, csDestroying, csDesigning
};
using TComponentState = TSet<TComponentStateItem>;

/// Which parts of a control follow the host's visual style.
enum TStyleElement : std::uint8_t { seFont = 0, seClient, seBorder };
using TStyleElements = TSet<TStyleElement>;

/// Cursor identifiers: negative values are the host's stock cursors, positive
/// values index the screen cursor table filled by the application.
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                  crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
                  crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crNo = -18,
                  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

/// Dialog-code answers of a control (which keys it wants for itself).
enum TDialogCodeItem : std::uint8_t { dcWantArrows = 0, dcWantTab, dcWantChars, dcWantAllKeys };

/// Virtual-key codes the controls react to (the host maps its keys to them).
enum TVirtualKey : std::uint16_t {
  vkBack = 8, vkTab = 9, vkReturn = 13, vkEscape = 27, vkPrior = 33, vkNext = 34, vkEnd = 35,
  vkHome = 36, vkLeft = 37, vkUp = 38, vkRight = 39, vkDown = 40, vkAdd = 107, vkSubtract = 109,
  vkSpace = 32, vkInsert = 45, vkDelete = 46, vkF1 = 112  // letters and digits: their upper-case ASCII code
};
/// One notch of a mouse wheel.
inline constexpr std::int32_t kWheelDelta = 120;
using TDialogCodes = TSet<TDialogCodeItem>;

class KVO_API TObject {
public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace kvo
