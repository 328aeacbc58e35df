/// @file
/// TDEvari: the 2D chart as applications use it. It adds nothing to
/// TCustomDEvari but the published names: properties under their published
/// spelling beside the setters the chart implements them with, and the
/// declared defaults of the published properties (TDEvariDefaults).
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <string>

#include "bakgndimg.h"
#include "chartexport.h"
#include "devari.h"
#include "itemsearch.h"
#include "scaleprops.h"
#include "stdlayout.h"
#include "jointlayers.h"
#include "textlabel.h"
#include "../scale/scale.h"

namespace kvo {

/// The declared defaults of TDEvari's published properties that have one:
/// exactly the values a new chart (and ResetComp) gives them, so a settings
/// writer can leave out every property that still holds its default. Pairs
/// of names for one value (MarginLeft and LRim, FillColor and TextBkColor)
/// share one default.
struct KVO_API TDEvariDefaults {
  static constexpr bool Visible = true;
  static constexpr std::int32_t MarginLeft = 50;    ///< also LRim
  static constexpr std::int32_t MarginRight = 20;   ///< also RRim
  static constexpr std::int32_t MarginTop = 20;     ///< also TRim
  static constexpr std::int32_t MarginBottom = 40;  ///< also BRim
  static constexpr double GridDx = 0;
  static constexpr double GridDy = 0;
  static constexpr TColor DataColor = clBlack;
  static constexpr TPenStyle PenStyle = psSolid;
  static constexpr TColor ChartFrameColor = clBlack;
  static constexpr TColor FillColor = 0xC0C0C0;     ///< also TextBkColor
  static constexpr TColor ChartColor = 0xFFFFFF;
  static constexpr TColor WindColor = clBtnFace;
  static constexpr TColor GridColor = clBlack;
  static constexpr std::uint8_t LineWidth = 1;
  static constexpr double PanGridDx = 1;            ///< a snap step of one unit
  static constexpr double PanGridDy = 1;
  static constexpr double PanGridOffsX = 0;
  static constexpr double PanGridOffsY = 0;
  static constexpr std::int32_t ShadowWidth = 0;
  static constexpr TStyleElements StyleElements{seFont, seClient, seBorder};
};

/// The 2D chart control applications place in their windows: a
/// TCustomDEvari under its published names. Every member forwards to the
/// chart; see TCustomDEvari and TDisplayListControl for the drawing commands,
/// ranges, files and the rest.
class KVO_API TDEvari : public TCustomDEvari {
public:
  explicit TDEvari(TComponent* owner = nullptr) : TCustomDEvari(owner) {}

  /// @name Items and long texts
  /// Data and annotation items by index (0-based); their long texts.
  ///@{
  TrcChartItem DataContainer(std::int32_t i) const noexcept { return GetChartItem(i); }
  void SetDataContainer(std::int32_t i, const TrcChartItem& item) noexcept { SetChartItem(i, item); }
  TrcChartItem AnnoContainer(std::int32_t i) const noexcept { return GetAnnoItem(i); }
  void SetAnnoContainer(std::int32_t i, const TrcChartItem& item) noexcept { SetAnnoItem(i, item); }
  std::string DataLongText(std::int32_t i) const { return GetDataLongText(i); }
  std::string AnnoLongText(std::int32_t i) const { return GetAnnoLongText(i); }
  std::int32_t ItemCount(TrcItem kind) const noexcept { return GetItemCount(kind); }
  TrcItem TypeOfFirstItem() const noexcept { return GetTypeOfFirstItem(); }
  TrcItem TypeOfLastItem() const noexcept { return GetTypeOfLastItem(); }
  ///@}

  /// @name Layers and classes
  ///@{
  bool LayerVisible(std::int32_t layer) const noexcept { return GetLayerVisib(layer); }
  void SetLayerVisible(std::int32_t layer, bool v) { SetLayerVisib(layer, v); }
  bool MouseAffectsLayer(std::int32_t layer) const noexcept { return GetMAffLayer(layer); }
  void SetMouseAffectsLayer(std::int32_t layer, bool v) noexcept { SetMAffLayer(layer, v); }
  bool ClassVisible(std::uint8_t cls) const noexcept { return GetClassVisib(cls); }
  void SetClassVisible(std::uint8_t cls, bool v) { SetClassVisib(cls, v); }
  bool AnnoClassVisible(std::uint8_t cls) const noexcept { return GetAnnoClassVisib(cls); }
  void SetAnnoClassVisible(std::uint8_t cls, bool v) { SetAnnoClassVisib(cls, v); }
  ///@}

  /// @name Drawing settings
  /// What the drawing commands give the items they append.
  ///@{
  void SetDataColor(TColor v) noexcept { SetDataCol(v); }
  void SetFillColor(TColor v) noexcept { SetFillCol(v); }
  /// The background of texts: the same value as FillColor.
  TColor TextBkColor() const noexcept { return FillColor(); }
  void SetTextBkColor(TColor v) noexcept { SetFillCol(v); }
  void SetLineWidth(std::uint8_t v) noexcept { SetLineWid(v); }
  void SetAnnoBelowChart(bool v) { SetAnnoBelow(v); }
  void SetAvoidDuplicateMarks(bool v) { SetAvoidDupMarks(v); }
  void SetMinDupMarkDist(std::int32_t v) { SetDupMarksMinD(v); }
  ///@}

  /// @name Axes
  /// The axis property objects of the two layers (Scale1X: layer 1's X axis)
  /// and the tick positions of the active layer's axes.
  ///@{
  TScalePropsHoriz& Scale1X() noexcept { return GetScalePropsX(1); }
  TScalePropsHoriz& Scale2X() noexcept { return GetScalePropsX(2); }
  TScalePropsVert& Scale1Y() noexcept { return GetScalePropsY(1); }
  TScalePropsVert& Scale2Y() noexcept { return GetScalePropsY(2); }
  void SetScale1X(const TScalePropsHoriz& v) { SetScalePropsX(1, v); }
  void SetScale2X(const TScalePropsHoriz& v) { SetScalePropsX(2, v); }
  void SetScale1Y(const TScalePropsVert& v) { SetScalePropsY(1, v); }
  void SetScale2Y(const TScalePropsVert& v) { SetScalePropsY(2, v); }
  TScalePropsHoriz& GetScalePropsX1() noexcept { return GetScalePropsX(1); }
  TScalePropsHoriz& GetScalePropsX2() noexcept { return GetScalePropsX(2); }
  TScalePropsVert& GetScalePropsY1() noexcept { return GetScalePropsY(1); }
  TScalePropsVert& GetScalePropsY2() noexcept { return GetScalePropsY(2); }
  void SetScalePropsX1(const TScalePropsHoriz& v) { SetScalePropsX(1, v); }
  void SetScalePropsX2(const TScalePropsHoriz& v) { SetScalePropsX(2, v); }
  void SetScalePropsY1(const TScalePropsVert& v) { SetScalePropsY(1, v); }
  void SetScalePropsY2(const TScalePropsVert& v) { SetScalePropsY(2, v); }
  /// A layer's axis property objects (1..2; other numbers give layer 1's).
  TScalePropsHoriz& ScalePropsX(std::int32_t layer) noexcept { return GetScalePropsX(layer); }
  TScalePropsVert& ScalePropsY(std::int32_t layer) noexcept { return GetScalePropsY(layer); }
  void ScaleZoomPan(TObject* sender) { ScalePropsChanged(sender); }
  std::int32_t TickNumX() const { return GetTickPosXCnt(); }
  std::int32_t TickNumY() const { return GetTickPosYCnt(); }
  /// Tick i (1 at the low end) of the active layer's X or Y axis; 0 outside.
  double TickPosX(std::int32_t i) const { return GetTickPosX(i); }
  double TickPosY(std::int32_t i) const { return GetTickPosY(i); }
  /// The extent of the data item points strictly inside a window (layer 0: all layers).
  void FindMinMax(std::int32_t layer, double xLow, double yLow, double xHigh, double yHigh,
                  double& minX, double& minY, double& maxX, double& maxY) const {
    LLCalcMinMax(layer, xLow, yLow, xHigh, yHigh, minX, minY, maxX, maxY);
  }
  ///@}

  /// @name Ranges
  ///@{
  void SetIsometric(bool v) { SetIsoMetric(v); }
  /// Entry index (1..16) of a layer's zoom history.
  TRectDouble ZoomStack(std::int32_t layer, std::int32_t index) const noexcept {
    return GetZoomStackEntry(layer, index);
  }
  using TCustomDEvari::ZoomStack;
  ///@}

  /// @name Layout and style
  /// MarginLeft and LRim (and the other three pairs) are one value each.
  ///@{
  std::int32_t MarginLeft() const noexcept { return LRim(); }
  std::int32_t MarginRight() const noexcept { return RRim(); }
  std::int32_t MarginTop() const noexcept { return TRim(); }
  std::int32_t MarginBottom() const noexcept { return BRim(); }
  void SetMarginLeft(std::int32_t v) { SetLRim(v); }
  void SetMarginRight(std::int32_t v) { SetRRim(v); }
  void SetMarginTop(std::int32_t v) { SetTRim(v); }
  void SetMarginBottom(std::int32_t v) { SetBRim(v); }
  void SetShadowWidth(std::int32_t v) { SetF3DRim(v); }
  void SetCaption(const std::string& v) { SetChartCaption(v); }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz v) { SetCaptAnchorX(v); }
  void SetCaptionAnchorVert(TCaptionAnchorVert v) { SetCaptAnchorY(v); }
  void SetCaptionTrim(std::int32_t v) { SetCaptTrim(v); }
  void SetChartColor(TColor v) { SetChartCol(v); }
  void SetWindColor(TColor v) { SetWindCol(v); }
  void SetChartFrameColor(TColor v) { SetScaleCol(v); }
  void SetGridColor(TColor v) { SetGridCol(v); }
  void SetStandardLayout(TrcLayout v) { SetStdLayout(v); }
  void SetBackGroundImg(const TBakGndImg& v) { SetBakGndFile(v); }
  ///@}

  /// @name Item search, marking and scaling
  /// See itemsearch.h. The forms without visibleOnly search every item.
  ///@{
  std::int32_t FindNearestItemReal(double x, double y, TrcItem kind, std::uint8_t cls, bool visibleOnly,
                                   double& distance) const {
    return kvo::FindNearestItemReal(*this, x, y, kind, cls, visibleOnly, distance);
  }
  std::int32_t FindNearestItemReal(double x, double y, TrcItem kind, std::uint8_t cls, double& distance) const {
    return kvo::FindNearestItemReal(*this, x, y, kind, cls, false, distance);
  }
  std::int32_t FindNearestItemScreen(double x, double y, TrcItem kind, std::uint8_t cls, bool visibleOnly,
                                     double& distance) const {
    return kvo::FindNearestItemScreen(*this, x, y, kind, cls, visibleOnly, distance);
  }
  std::int32_t FindNearestItemScreen(double x, double y, TrcItem kind, std::uint8_t cls, double& distance) const {
    return kvo::FindNearestItemScreen(*this, x, y, kind, cls, false, distance);
  }
  std::int32_t FindNearestItemAlongAxis(double value, TAxis axis, TrcItem kind, std::uint8_t cls,
                                        bool visibleOnly, double& distance) const {
    return kvo::FindNearestItemAlongAxis(*this, value, axis, kind, cls, visibleOnly, distance);
  }
  std::int32_t FindNearestItemAlongAxis(double value, TAxis axis, TrcItem kind, std::uint8_t cls,
                                        double& distance) const {
    return kvo::FindNearestItemAlongAxis(*this, value, axis, kind, cls, false, distance);
  }
  std::int32_t FindNearestAnnoElem(double x, double y, TrcItem kind, std::uint8_t cls, bool visibleOnly,
                                   double& distance) {
    return kvo::FindNearestAnnoElem(*this, x, y, kind, cls, visibleOnly, distance);
  }
  void ConvertToScreenCoords(const TrcChartItem& item, std::int32_t& x1, std::int32_t& y1,
                             std::int32_t& x2, std::int32_t& y2) const {
    kvo::ConvertToScreenCoords(*this, item, x1, y1, x2, y2);
  }
  void MarkAllItems(TrcItem kind, std::uint8_t cls) { kvo::MarkAllItems(*this, kind, cls); }
  std::int32_t MarkItemsInWindow(double x1, double y1, double x2, double y2, TrcItem kind, std::uint8_t cls) {
    return kvo::MarkItemsInWindow(*this, x1, y1, x2, y2, kind, cls);
  }
  void ScaleItem(std::int32_t i, double sx, double ox, double sy, double oy) {
    kvo::ScaleItem(*this, i, sx, ox, sy, oy);
  }
  void ScaleAllItems(double sx, double ox, double sy, double oy) { kvo::ScaleAllItems(*this, sx, ox, sy, oy); }
  void ScaleSelectedItems(double sx, double ox, double sy, double oy, std::uint8_t cls) {
    kvo::ScaleSelectedItems(*this, sx, ox, sy, oy, cls);
  }
  ///@}

  /// @name Export and printing
  /// See chartexport.h: bitmaps, files, the clipboard and the printer, each
  /// in colour or black and white (blkWhite).
  ///@{
  void CopyToBitmap(TBitmap& bmp, bool blkWhite, bool crossHairs = true) {
    kvo::CopyToBitmap(*this, bmp, blkWhite, crossHairs);
  }
  void CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite, bool crossHairs = true) {
    kvo::CopyToBitmapDAOnly(*this, bmp, blkWhite, crossHairs);
  }
  void CopyToBMP(const std::string& fileName, bool blkWhite) { kvo::CopyToBMP(*this, fileName, blkWhite); }
  void CopyToClipboard(bool blkWhite, bool crossHairs = true) { kvo::CopyToClipboard(*this, blkWhite, crossHairs); }
  void CopyToClipboardDAOnly(bool blkWhite, bool crossHairs = true) {
    kvo::CopyToClipboardDAOnly(*this, blkWhite, crossHairs);
  }
  void CopyToClipboardWMF(bool blkWhite) { kvo::CopyToClipboardWMF(*this, blkWhite); }
  void CopyToWMF(const std::string& fileName, bool blkWhite) { kvo::CopyToWMF(*this, fileName, blkWhite); }
  bool PrintIt(double scaleF, bool blkWhite) { return kvo::PrintIt(*this, scaleF, blkWhite); }
  void CopyToOpenPrinter(TPrintJob& job, std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite) {
    kvo::CopyToOpenPrinter(*this, job, x, y, scaleF, blkWhite);
  }
  ///@}

  /// @name Crosshairs, text labels and the mouse trace
  /// Crosshairs 1..4, text labels 1..30, trace points 1..NumMTracePoints().
  ///@{
  double CrossHairPosX(std::int32_t n) const noexcept { return GetCHPosX(n); }
  double CrossHairPosY(std::int32_t n) const noexcept { return GetCHPosY(n); }
  void SetCrossHairPosX(std::int32_t n, double v) { SetCHPosX(n, v); }
  void SetCrossHairPosY(std::int32_t n, double v) { SetCHPosY(n, v); }
  TCrossHair& CrossHair1() noexcept { return CrossHair(1); }
  TCrossHair& CrossHair2() noexcept { return CrossHair(2); }
  TCrossHair& CrossHair3() noexcept { return CrossHair(3); }
  TCrossHair& CrossHair4() noexcept { return CrossHair(4); }
  TCrossHair& GetCrossHair1() noexcept { return CrossHair(1); }
  TCrossHair& GetCrossHair2() noexcept { return CrossHair(2); }
  TCrossHair& GetCrossHair3() noexcept { return CrossHair(3); }
  TCrossHair& GetCrossHair4() noexcept { return CrossHair(4); }
  void SetCrossHair1(const TCrossHair& v) { SetCrossHair(1, v); }
  void SetCrossHair2(const TCrossHair& v) { SetCrossHair(2, v); }
  void SetCrossHair3(const TCrossHair& v) { SetCrossHair(3, v); }
  void SetCrossHair4(const TCrossHair& v) { SetCrossHair(4, v); }
  /// Text label ix (1..30); other numbers raise EKvoDEvariError.
  TTextLabel& TextLabels(std::int32_t ix) { return GetFTextLabel(ix); }
  void SetTextLabels(std::int32_t ix, const TTextLabel& v) { SetFTextLabel(ix, v); }
  /// Trace point idx (1-based); outside 1..NumMTracePoints() its flags read 255.
  TColoredPoint MouseTrace(std::int32_t idx) const noexcept { return GetMTracePoint(idx); }
  ///@}
};

}  // namespace kvo
