// The base types of the controls: the exception base class, the shared
// enumerations (ordinals are fixed: they reach form files, chart files and
// the callers' arithmetic), small geometric records, the shared events, and
// the canvas helpers DrawFrame, DrawMarkOnCanvas and SetCanvasFontSizeScaled.
// Also the crosshair, the text label base and the date/time label format.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "../platform/canvas.h"
#include "../platform/types.h"

namespace kvo {

// Base of every exception the package raises; what() is the fixed message.
class KVO_API EKvoError : public std::runtime_error {
public:
  explicit EKvoError(const std::string& msg) : std::runtime_error(msg) {}
};

// ---- Enumerations -----------------------------------------------------------

// Outer frame of a control. frsLowered is the usual default of the controls.
enum TFrameStyle : std::uint8_t {
  frsNone = 0,      // nothing is drawn
  frsSingle = 1,    // one line in the fifth colour
  frsLowered = 2,   // two-pixel sunken bevel (shadow top/left, light bottom/right)
  frsRaised = 3,    // two-pixel raised bevel (light top/left, shadow bottom/right)
  frsEmbossed = 4,  // ridge: raised line outside, sunken line inside
  frsEngraved = 5,  // groove: sunken line outside, raised line inside
};
inline constexpr int kNumFrameStyles = 6;

// Colours of a frame: fixed ones passed by the caller, or the system's
// button colours (highlight, 3D light, shadow, dark shadow).
enum TColorScheme : std::uint8_t { cscFixed = 0, cscSystem = 1 };

// Placement of an axis relative to the area it labels.
enum TScaleType : std::uint8_t {
  stLabelsAbove = 0,  // horizontal, base line at the bottom, ticks and labels above
  stLabelsBelow = 1,  // horizontal, base line at the top, labels below
  stLabelsRight = 2,  // vertical, base line at the left, labels to the right
  stLabelsLeft = 3,   // vertical, base line at the right, labels to the left
};

// What the tick labels of an axis show.
enum TFigType : std::uint8_t {
  ftNoFigs = 0,     // no labels
  ftNumber = 1,     // numbers
  ftTime = 2,       // time of day from seconds
  ftDateTime = 3,   // date/time from day numbers
  ftUserText = 4,   // user texts
};

enum TAxis : std::uint8_t { axX = 0, axY = 1, axZ = 2 };

// Direction of an error bar: 0 vertical, anything else horizontal.
enum TOrientation : std::uint8_t { orVertical = 0, orHorizontal = 1 };

// Outline of the chart's drop shadow: 0 in the shadow colour, 1 black.
enum TShadowStyle : std::uint8_t { shsPlain = 0, shsOutlined = 1 };

// How a background image fills its area.
enum TBkgFill : std::uint8_t { bfNatural = 0, bfStretch = 1, bfTile = 2 };

// Bounding cube of the 3D controls.
enum TBoundingBox : std::uint8_t { bbNone = 0, bbEdges = 1, bbFaces = 2 };

// Drawing of a crosshair.
enum TCrossHMode : std::uint8_t {
  chOff = 0,         // hidden, not draggable
  chHoriz = 1,       // horizontal line across the data area
  chVert = 2,        // vertical line across the data area
  chBoth = 3,        // full cross
  chSmallCross = 4,  // small cross with a square in the middle
  chSquare = 5,      // square outline
};

// What a mouse drag does.
enum TMouseActMode : std::uint8_t {
  mamNone = 0,
  mamPan = 1,
  mamPanHoriz = 2,
  mamPanVert = 3,
  mamPanGrid = 4,
  mamRubberBand = 5,
  mamStretch = 6,
  mamZoomWindow = 7,
  mamZoomWindowKeepDir = 8,
  mamZoomDrag = 9,
  mamDragCrossHair = 10,
  mamDragTextLabel = 11,
  mamRotate = 12,         // 3D: rotate
  mamRotateZoom = 13,     // 3D: rotate with the left, zoom with the right button
  mamTilt = 14,           // 3D: tilt only
  mamTurn = 15,           // 3D: turn only
  mamSelectRect = 16,
  mamMouseTrace = 17,
  mamDragRange = 18,      // colour scale: drag its range
};

enum TMouseBoxState : std::uint8_t { mbsIdle = 0, mbsArmed = 1, mbsDragging = 2, mbsFinished = 3 };
enum TZoomState : std::uint8_t { zsIdle = 0, zsDragging = 1 };
// Which end of a range a drag moves.
enum TZoomPanMode : std::uint8_t { zpmBoth = 0, zpmLow = 1, zpmHigh = 2 };

// Look of a text label; 0 marks a free label (not in use).
enum TTxtLblMode : std::uint8_t {
  tlmFree = 0,        // not in use
  tlmPlain = 1,       // text on its background, no border
  tlmBoxed = 2,       // text in a bordered box
  tlmUnderlined = 3,  // text on its background, a line under it in the border colour
  tlmShadowBox = 4,   // bordered box over a shadow box
};

// Which coordinates of a text label are world values (the others pixels).
enum TTxtLblAttachMode : std::uint8_t {
  tlaPixels = 0,  // both pixels
  tlaWorldX = 1,  // X world, Y pixels
  tlaWorldY = 2,  // X pixels, Y world
  tlaWorld = 3,   // both world
};

// Vertical placement of a text relative to its reference point.
enum TVerticalAlignment : std::uint8_t {
  taAlignTop = 0, taVerticalCenter = 1, taAlignBottom = 2
};

// ---- Records ----------------------------------------------------------------

struct KVO_API TPointDouble {
  double X = 0, Y = 0;
  constexpr bool operator==(const TPointDouble&) const noexcept = default;
};

// A world rectangle; the zoom history stores X low, Y high, X high, Y low.
struct KVO_API TRectDouble {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr bool operator==(const TRectDouble&) const noexcept = default;
};

// Four screen points, indices 0..3 (a projected surface cell).
using TQuad = std::array<TPoint, 4>;

// One point of the mouse trace.
struct KVO_API TColoredPoint {
  double X = 0, Y = 0;
  std::uint8_t Flags = 0;
  TColor Color = clBlack;
  constexpr bool operator==(const TColoredPoint&) const noexcept = default;
};

// ---- Events -----------------------------------------------------------------

using TZoomPanEvent = std::function<void(TObject* Sender)>;
// Layer and the world coordinates of the anchor (x1, y1) and the release point (x2, y2).
using TSelectRectEvent =
    std::function<void(TObject* Sender, std::int32_t Layer, double x1, double y1, double x2, double y2)>;
// Progress of a long operation, 0..100.
using TOnPercentDoneEvent = std::function<void(TObject* Sender, std::int32_t Percent)>;

// ---- Canvas helpers ---------------------------------------------------------

// Draws a control's outer frame on the inclusive pixel box left..right,
// top..bottom (callers pass 0, 0, width-1, height-1). Colour roles:
//   cHighlight  outer light line of a bevel (usually white)
//   cLight      inner light line (usually silver 0xC0C0C0)
//   cShadow     inner dark line (usually gray 0x808080)
//   cDarkShadow outer dark line (usually black)
//   cLine       the line of frsSingle
// With scheme cscSystem the first four come from the system button colours.
// The canvas pen and pen position are restored afterwards; empty boxes draw nothing.
KVO_API void DrawFrame(TCanvas& canvas, TFrameStyle style, std::int32_t left, std::int32_t top,
               std::int32_t right, std::int32_t bottom, TColor cHighlight, TColor cLight,
               TColor cShadow, TColor cDarkShadow, TColor cLine,
               TColorScheme scheme = cscFixed);
// Pixels the frame of a style covers on each side (0, 1 or 2).
KVO_API std::int32_t FrameWidth(TFrameStyle style) noexcept;

// Number of mark symbols understood by DrawMarkOnCanvas (types 0..51).
inline constexpr int kNumMarkTypes = 52;
// Draws mark symbol `markType` centred on pixel (x, y): outlines in the pen
// colour (pen mode honoured, psClear hides them, width and dash ignored),
// interiors of the filled symbols in the brush colour (bsClear leaves them
// open). Types above 51 draw nothing. Every symbol is pixel-exact and
// mirror-symmetric about (x, y) on raster canvases. Catalogue:
//   0 single pixel, 1 dot 3x3, 2 star 7 (plus over cross), 3 star 11;
//   then sixteen shapes in three sizes, 5 px (4..19), 9 px (20..35), 13 px (36..51),
//   in this order: open square, filled square, open circle, filled circle,
//   open diamond, filled diamond, cross (x), plus, open/filled triangle up,
//   open/filled triangle down, open/filled triangle left, open/filled triangle right.
// So 5 is the small filled square and 26 the medium cross (box-plot defaults).
KVO_API void DrawMarkOnCanvas(TCanvas& canvas, std::uint8_t markType, std::int32_t x, std::int32_t y);
// The same mark drawn from its shapes (interior rectangles and outline
// strokes) on every canvas, without the pixel spans DrawMarkOnCanvas sets on
// a raster surface; the two give the same pixels there.
// Marks of one type at each of count points, as DrawMarkOnCanvas at each
// in turn.
KVO_API void DrawMarksOnCanvas(TCanvas& canvas, std::uint8_t markType, const TPoint* pts,
                               std::size_t count);
KVO_API void DrawMarkShapes(TCanvas& canvas, std::uint8_t markType, std::int32_t x, std::int32_t y);
// Short description of a mark type ("open square 9"), empty above 51.
KVO_API std::string MarkTypeName(std::uint8_t markType);

// Sets the canvas font to `points` at the canvas' vertical resolution
// (LOGPIXELSY), so texts keep their point size on printers and scaled bitmaps.
// Sizes below 1 point are raised to 1; NaN leaves the font unchanged.
KVO_API void SetCanvasFontSizeScaled(TCanvas& canvas, double points);

// ---- Crosshair ----------------------------------------------------------------

// One crosshair of a chart: position in world coordinates of its layer, look
// and a change event. Setters return at once when the value is unchanged,
// otherwise store it and fire OnChange.
class KVO_API TCrossHair : public TObject {
public:
  TCrossHair() = default;
  // Copies take the settings, not the OnChange handler; assignment is Assign.
  TCrossHair(const TCrossHair& o);
  TCrossHair& operator=(const TCrossHair& o) {
    Assign(o);
    return *this;
  }

  double PosX() const noexcept { return FPosX; }
  double PosY() const noexcept { return FPosY; }
  TColor Color() const noexcept { return FColor; }
  TPenStyle LineType() const noexcept { return FLineType; }
  std::int32_t LineWidth() const noexcept { return FLineWid; }
  TCrossHMode Mode() const noexcept { return FMode; }
  std::int32_t Layer() const noexcept { return FLayer; }

  // NaN positions are ignored.
  void SetCrossHPosX(double x);
  void SetCrossHPosY(double y);
  // Both coordinates with a single notification.
  void SetPos(double x, double y);
  void SetCrossHColor(TColor c);
  void SetCrossHLineType(TPenStyle s);
  // Widths below 1 become 1.
  void SetCrossHLineWid(std::int32_t w);
  // Values beyond chSquare are ignored.
  void SetCrossHMode(TCrossHMode m);
  // Layers outside 1..2 are ignored.
  void SetCrossHLayer(std::int32_t layer);

  void SetPosX(double x) { SetCrossHPosX(x); }
  void SetPosY(double y) { SetCrossHPosY(y); }
  void SetColor(TColor c) { SetCrossHColor(c); }
  void SetLineType(TPenStyle s) { SetCrossHLineType(s); }
  void SetLineWidth(std::int32_t w) { SetCrossHLineWid(w); }
  void SetMode(TCrossHMode m) { SetCrossHMode(m); }
  void SetLayer(std::int32_t layer) { SetCrossHLayer(layer); }

  // Copies every setting (not the event); fires OnChange once if anything changed.
  void Assign(const TCrossHair& src);

  TNotifyEvent OnChange;

protected:
  void Changed();

private:
  double FPosX = 0, FPosY = 0;
  TColor FColor = clRed;
  TPenStyle FLineType = psDashDotDot;
  std::int32_t FLineWid = 1;
  TCrossHMode FMode = chOff;
  std::int32_t FLayer = 1;
};

// ---- Text label -----------------------------------------------------------------

// Base of the movable text labels of the charts. Holds the settings; drawing
// is the owner's. Every setter returns at once on an unchanged value, else
// stores it and calls Changed (which fires OnChange). Changes of Font notify too.
class KVO_API TCustomTextLabel : public TObject {
public:
  TCustomTextLabel();
  ~TCustomTextLabel() override;
  TCustomTextLabel(const TCustomTextLabel&) = delete;
  TCustomTextLabel& operator=(const TCustomTextLabel&) = delete;

  const std::string& Caption() const noexcept { return FCaption; }
  double PosX() const noexcept { return FPosX; }
  double PosY() const noexcept { return FPosY; }
  TAlignment Alignment() const noexcept { return FAlignment; }
  TVerticalAlignment VerticalAlignment() const noexcept { return FVertAlignment; }
  TColor ColorBkg() const noexcept { return FColorBkg; }
  TColor ColorBorder() const noexcept { return FColorBrd; }
  TColor ColorShadow() const noexcept { return FColorShadow; }
  std::int32_t ShadowDx() const noexcept { return FShadowDx; }
  std::int32_t ShadowDy() const noexcept { return FShadowDy; }
  bool Transparent() const noexcept { return FTransparent; }
  bool Visible() const noexcept { return FVisible; }
  TTxtLblMode Mode() const noexcept { return FMode; }
  TTxtLblAttachMode AttachToData() const noexcept { return FAttachToData; }
  std::int32_t Layer() const noexcept { return FLayer; }
  TFont& Font() noexcept { return FFont; }
  const TFont& Font() const noexcept { return FFont; }
  // A label with a mode other than tlmFree is in use.
  bool InUse() const noexcept { return FMode != tlmFree; }

  // A line feed in the caption starts a new line.
  void SetTxtLblCaption(const std::string& s);
  // NaN positions are ignored.
  void SetTxtLblPosX(double x);
  void SetTxtLblPosY(double y);
  void SetTxtLblAlignment(TAlignment a);
  void SetTxtLblVertAlignment(TVerticalAlignment a);
  void SetTxtLblColorBkg(TColor c);
  void SetTxtLblColorBrd(TColor c);
  void SetTxtLblColorShadow(TColor c);
  void SetTxtLblShadowDx(std::int32_t dx);
  void SetTxtLblShadowDy(std::int32_t dy);
  void SetTxtLblTranspar(bool on);
  void SetTxtLblVisible(bool on);
  // Values beyond tlmShadowBox are ignored.
  void SetTxtLblMode(TTxtLblMode m);
  // Values beyond tlaWorld are ignored.
  void SetTxtLblScreenPos(TTxtLblAttachMode m);
  // Layers outside 1..2 are ignored.
  void SetTxtLblLayer(std::int32_t layer);
  // Copies the font's settings.
  void SetTxtLblFont(const TFont& f);

  void SetCaption(const std::string& s) { SetTxtLblCaption(s); }
  void SetPosX(double x) { SetTxtLblPosX(x); }
  void SetPosY(double y) { SetTxtLblPosY(y); }
  void SetAlignment(TAlignment a) { SetTxtLblAlignment(a); }
  void SetVerticalAlignment(TVerticalAlignment a) { SetTxtLblVertAlignment(a); }
  void SetColorBkg(TColor c) { SetTxtLblColorBkg(c); }
  void SetColorBorder(TColor c) { SetTxtLblColorBrd(c); }
  void SetColorShadow(TColor c) { SetTxtLblColorShadow(c); }
  void SetShadowDx(std::int32_t dx) { SetTxtLblShadowDx(dx); }
  void SetShadowDy(std::int32_t dy) { SetTxtLblShadowDy(dy); }
  void SetTransparent(bool on) { SetTxtLblTranspar(on); }
  void SetVisible(bool on) { SetTxtLblVisible(on); }
  void SetMode(TTxtLblMode m) { SetTxtLblMode(m); }
  void SetAttachToData(TTxtLblAttachMode m) { SetTxtLblScreenPos(m); }
  void SetLayer(std::int32_t layer) { SetTxtLblLayer(layer); }
  void SetFont(const TFont& f) { SetTxtLblFont(f); }

  // Copies every setting including the font (not the event); one notification.
  virtual void Assign(const TCustomTextLabel& src);
  // Fires OnChange (unless updates are being collected, see BeginUpdate).
  virtual void Changed();
  // Collects changes: OnChange fires once at the matching EndUpdate if
  // anything changed in between. Calls nest.
  void BeginUpdate() noexcept { ++FUpdateDepth; }
  void EndUpdate();

  TNotifyEvent OnChange;

private:
  std::string FCaption;
  double FPosX = 0, FPosY = 0;
  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVertAlignment = taAlignBottom;
  TColor FColorBkg = clWhite, FColorBrd = clBlack, FColorShadow = clGray;
  std::int32_t FShadowDx = 3, FShadowDy = 3;
  bool FTransparent = false, FVisible = false;
  TTxtLblMode FMode = tlmFree;
  TTxtLblAttachMode FAttachToData = tlaWorld;
  std::int32_t FLayer = 1;
  TFont FFont;
  int FUpdateDepth = 0;
  bool FPendingChange = false;
};

// ---- Date/time label format ----------------------------------------------------

enum TDateOrder : std::uint8_t { doMDY = 0, doDMY = 1, doYMD = 2 };
enum TYearLength : std::uint8_t { ylNone = 0, ylTwoDigits = 1, ylFourDigits = 2 };
enum TTimeFormat : std::uint8_t { tf24Hours = 0, tfHourSuffix = 1, tfAmPm = 2 };
enum TDateForTime : std::uint8_t { dftNever = 0, dftFirstTick = 1, dftDayChange = 2, dftEveryTick = 3 };

// Settings of date/time tick labels. Starts with: date order doDMY, date
// separator "-", time separator ":", four-digit years, month names on,
// 24-hour time, date at day changes. Setters notify through OnChange.
class KVO_API TDTLabel : public TObject {
public:
  TDTLabel() = default;
  // Copies take the settings, not the OnChange handler; assignment is Assign.
  TDTLabel(const TDTLabel& o);
  TDTLabel& operator=(const TDTLabel& o) {
    Assign(o);
    return *this;
  }

  TDateOrder DateOrder() const noexcept { return FDateOrder; }
  TDateForTime DateForTime() const noexcept { return FDateForTime; }
  // One character (UTF-8), possibly empty.
  const std::string& DateSeparator() const noexcept { return FDateSeparator; }
  const std::string& TimeSeparator() const noexcept { return FTimeSeparator; }
  bool MonthName() const noexcept { return FMonthName; }
  TTimeFormat TimeFormat() const noexcept { return FTimeFormat; }
  TYearLength YearLength() const noexcept { return FYearLength; }

  // Out-of-range ordinals are ignored.
  void SetDAteOrder(TDateOrder v);
  void SetDateForTime(TDateForTime v);
  // Keeps the first character (UTF-8 code point) of s; "" means no separator.
  void SetDateSeparator(const std::string& s);
  void SetTimeSeparator(const std::string& s);
  void SetMonthName(bool on);
  void SetTimeFormat(TTimeFormat v);
  void SetYearLength(TYearLength v);
  void SetDateOrder(TDateOrder v) { SetDAteOrder(v); }

  // Restores the start values listed above (one notification).
  void Reset();
  // Copies every setting (not the event); one notification if anything changed.
  void Assign(const TDTLabel& src);
  bool SameSettings(const TDTLabel& o) const noexcept;

  TNotifyEvent OnChange;

private:
  void Changed();
  TDateOrder FDateOrder = doDMY;
  TDateForTime FDateForTime = dftDayChange;
  std::string FDateSeparator = "-", FTimeSeparator = ":";
  bool FMonthName = true;
  TTimeFormat FTimeFormat = tf24Hours;
  TYearLength FYearLength = ylFourDigits;
};

}  // namespace kvo
