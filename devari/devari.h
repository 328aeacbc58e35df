/// @file
/// TCustomDEvari: the 2D chart control. It keeps no series but two display
/// lists of drawing items that the drawing commands append to, and renders
/// them over two layers of axes; TDEvari (tdevari.h) publishes it. The class
/// is a façade over parts of its own: the display lists, settings, commands
/// and files (displaylist.h, the base), the style value (chartstyle.h), the
/// axis layers (axislayers_p.h), images, renderer and labels
/// (chartparts_p.h), the mouse controller (mouse_p.h), the transforms
/// (transform.h) and the zoom history (zoomhistory.h).
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chartevents.h"
#include "chartstyle.h"
#include "displaylist.h"
#include "mouseprops.h"
#include "transform.h"
#include "zoomhistory.h"
#include "../libs/kvobase.h"
#include "../platform/control.h"
#include "../scale/scaletypes.h"

namespace kvo {

class TAxisLayers;
class TBakGndImg;
class TBitmap;
class TChartMouse;
class TJointLayers;
class TScale;
class TScaleProps;
class TScalePropsHoriz;
class TScalePropsVert;
class TTextLabel;
struct TChartPaintParts;
struct TRenderContext;

class KVO_API TCustomDEvari : public TDisplayListControl,
                              public TChartRenderEvents,
                              public TChartMouseProps {
  friend class TChartMouse;

public:
  explicit TCustomDEvari(TComponent* owner = nullptr);
  ~TCustomDEvari() override;

  /// Every start value (display list, StartStyle(), standard layout, axes,
  /// ranges, overlays, mouse); repaints once unless painting is suppressed.
  void ResetComp() override;

  // ---- Painting (devari_paint.cpp) ----------------------------------------------------
  void Paint() override;
  /// Empties the data list and its long texts and clears the data image; no repaint.
  void ClearGraf();
  std::int32_t LastElemOnShow() const noexcept { return FLastElemOnShow; }
  std::int32_t NumMTracePoints() const noexcept { return FNumMTracePoints; }
  /// Redraws the data area after items were appended (a full Paint when
  /// AutoRedraw is off or the images do not fit the control).
  void ShowGraf();
  /// Draws the items from LastElemOnShow on over the current data image.
  void ShowGrafNewOnly();
  /// The chart image without its data area: background, shadow, caption, axes.
  void ConstructChartBmp(TCanvas& canvas);
  /// Data-area background (DrawDataAreaBackground); (left, top) its origin.
  void InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                std::int32_t height);
  void ConstructDataBmp(TBitmap& bmp, std::int32_t left, std::int32_t top, bool bw,
                        std::int32_t startIndex);
  /// The data area's content: grid (startIndex 0 only), items, overlays, frame.
  void ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t left, std::int32_t top, bool bw,
                              std::int32_t startIndex);
  /// Draws one item (a copy owned by the caller) with the kept renderer state.
  void DrawContainerItemOnCanvas(TCanvas& canvas, const TrcChartItem& item, std::int32_t top,
                                 std::int32_t left, bool bw, const TLongTextArray& longTexts,
                                 bool isAnnotation, std::int32_t index);
  void EnterPolyline(std::int32_t x, std::int32_t y, TCanvas& canvas);
  void FinishPolyLine(TCanvas& canvas);
  static std::int32_t CalcTextExtents(const std::string& text, TCanvas& canvas,
                                      std::int32_t& lineHeight, std::int32_t& totalHeight,
                                      std::int32_t& width);
  void ClearMouseTrace();
  /// The chart and data-area images; on a HiDPI surface they hold
  /// ImageFactor() device pixels per logical pixel, their canvases stay logical.
  TBitmap& ChartBmp() noexcept;
  TBitmap& GrafBmp() noexcept;
  std::int32_t ImageFactor() const noexcept;

  // ---- Style: colours, grid, shadow, margins, caption ----------------------------------
  const TChartStyle& Style() const noexcept { return FStyle; }
  /// Takes a whole style (margins clamped as their setters do); repaints once.
  void SetStyle(const TChartStyle& v);
  TColor ChartColor() const noexcept { return FStyle.ChartColor; }
  void SetChartCol(TColor v);
  TColor WindColor() const noexcept { return FStyle.WindColor; }
  void SetWindCol(TColor v);
  TColor ChartFrameColor() const noexcept { return FStyle.FrameColor; }
  void SetScaleCol(TColor v);
  TColor GridColor() const noexcept { return FStyle.GridColor; }
  void SetGridCol(TColor v);
  GridStyleType GridStyle() const noexcept { return FStyle.GridStyle; }
  void SetGridStyle(GridStyleType v);
  double GridDx() const noexcept { return FStyle.GridDx; }
  double GridDy() const noexcept { return FStyle.GridDy; }
  void SetGridDx(double v);  ///< below -3 and NaN ignored
  void SetGridDy(double v);
  TShadowStyle ShadowStyle() const noexcept { return FStyle.ShadowStyle; }
  void SetShadowStyle(TShadowStyle v);
  TColor ShadowColor() const noexcept { return FStyle.ShadowColor; }
  void SetShadowColor(TColor v);
  TColor ShadowBakColor() const noexcept { return FStyle.ShadowBakColor; }
  void SetShadowBakColor(TColor v);
  std::int32_t ShadowWidth() const noexcept { return FStyle.ShadowWidth; }
  void SetF3DRim(std::int32_t v);  ///< clamped to 0..32
  std::int32_t LRim() const noexcept { return FStyle.LRim; }
  std::int32_t RRim() const noexcept { return FStyle.RRim; }
  std::int32_t TRim() const noexcept { return FStyle.TRim; }
  std::int32_t BRim() const noexcept { return FStyle.BRim; }
  void SetLRim(std::int32_t v);  ///< margins held within +-30000
  void SetRRim(std::int32_t v);
  void SetTRim(std::int32_t v);
  void SetBRim(std::int32_t v);
  TChartGeometry Geometry() const noexcept;  ///< size, margins and shadow
  const std::string& Caption() const noexcept { return FStyle.Caption; }
  void SetChartCaption(const std::string& v);
  std::int32_t CaptionPosX() const noexcept { return FStyle.CaptionPosX; }
  std::int32_t CaptionPosY() const noexcept { return FStyle.CaptionPosY; }
  void SetCaptPosX(std::int32_t v);
  void SetCaptPosY(std::int32_t v);
  TAlignment CaptionAlignment() const noexcept { return FStyle.CaptionAlignment; }
  void SetCaptAlignment(TAlignment v);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const noexcept { return FStyle.CaptionAnchorX; }
  TCaptionAnchorVert CaptionAnchorVert() const noexcept { return FStyle.CaptionAnchorY; }
  void SetCaptAnchorX(TCaptionAnchorHoriz v);
  void SetCaptAnchorY(TCaptionAnchorVert v);
  std::int32_t CaptionTrim() const noexcept { return FStyle.CaptionTrim; }
  void SetCaptTrim(std::int32_t v);  ///< 0 or 5..100
  /// The layout set by the reset (applying a layout does not record it).
  TrcLayout StandardLayout() const noexcept { return FStdLayout; }
  void SetStdLayout(TrcLayout layout);
  TBakGndImg& BackGroundImg() noexcept { return *FBakGndFile; }
  void SetBakGndFile(const TBakGndImg& v);

  // ---- Axes (devari_axes.cpp) -------------------------------------------------------------
  /// Property objects and helper axes of a layer (1..2; others give layer 1's).
  TScalePropsHoriz& GetScalePropsX(std::int32_t layer) noexcept;
  TScalePropsVert& GetScalePropsY(std::int32_t layer) noexcept;
  const TScalePropsHoriz& GetScalePropsX(std::int32_t layer) const noexcept;
  const TScalePropsVert& GetScalePropsY(std::int32_t layer) const noexcept;
  void SetScalePropsX(std::int32_t layer, const TScalePropsHoriz& v);  ///< copies v
  void SetScalePropsY(std::int32_t layer, const TScalePropsVert& v);
  TScale& ScaleX(std::int32_t layer) noexcept;
  TScale& ScaleY(std::int32_t layer) noexcept;
  /// Hands a property object to an axis and places it for the chart.
  void SetScaleProps(TScale& scale, const TScaleProps& props);
  /// Change target of the property objects and the axes' zoom/pan.
  void ScalePropsChanged(TObject* sender);
  /// Tick positions of the active layer's axes, 1 at the low end; 0 outside.
  double GetTickPosX(std::int32_t i) const;
  double GetTickPosY(std::int32_t i) const;
  std::int32_t GetTickPosXCnt() const;
  std::int32_t GetTickPosYCnt() const;
  /// k on the visible Y axis of layer k, -k on its X axis, 0 elsewhere.
  std::int32_t DetectScale(std::int32_t x, std::int32_t y) const;
  static std::string ExtractUserText(const std::string& text, std::int32_t index);
  static std::string AddScaleInscription(const std::string& text, const std::string& inscription);
  /// Never smaller than the margins plus 80 x 20 pixels.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override;

  /// Recomputes both layers' mappings; raises EKvoDEvariError "Logarithmic axis
  /// must not be negative." for a logarithmic axis with a bound <= 0.
  virtual void AdjustScaling();
  void R2M(std::int32_t layer, double rx, double ry, std::int32_t& mx, std::int32_t& my) const noexcept {
    FTransforms.R2M(layer, rx, ry, mx, my);
  }
  void M2R(std::int32_t layer, std::int32_t mx, std::int32_t my, double& rx, double& ry) const noexcept {
    FTransforms.M2R(layer, mx, my, rx, ry);
  }
  void GetTransformParams(std::int32_t layer, double& kx, double& dx, double& ky,
                          double& dy) const noexcept {
    FTransforms.GetParams(layer, kx, dx, ky, dy);
  }
  const TLayerTransforms& Transforms() const noexcept { return FTransforms; }
  /// Extent of a layer's data items with margin and minimum span (percent).
  void LLCalcExtents(std::int32_t layer, double marginPct, double minSpanPct, double& minX,
                     double& minY, double& maxX, double& maxY) const;
  /// Extent of the data item points strictly inside a window (layer 0: all).
  void LLCalcMinMax(std::int32_t layer, double xLow, double yLow, double xHigh, double yHigh,
                    double& minX, double& minY, double& maxX, double& maxY) const;

  // ---- Ranges and zoom history (ranges.cpp) --------------------------------------------
  /// Sets a layer's world rectangle (layer 0: both; others ignored): equal
  /// ends are widened by MinRange (by 1.1 on a log axis), the isometric rule
  /// applies, the state is saved on the zoom history; repaints once.
  void SetRange(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                long double yHi);
  void SetRangeIntern(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                      long double yHi, bool saveState, bool confine);
  /// Applies a range to a layer and to the layers joined to it (an axis that
  /// follows another one keeps its range); one repaint at the end.
  void ForceRange(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                  long double yHi, bool saveState, bool confine);
  /// The range of one layer only: confined (when asked and limits are set),
  /// refused below 0.99 MinRange, bound by bound on log axes (below 1e-100,
  /// NaN and infinite ends are never stored).
  void ForceRngIntern(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                      long double yHi, bool saveState, bool confine);
  /// The union of the layers' ranges for each of them (X, Y or both).
  void SetEqualRange(TLayerSet layers);
  void SetEqualRangeXOnly(TLayerSet layers);
  void SetEqualRangeYOnly(TLayerSet layers);
  /// Fits a layer (0: all layers, joint layers following) to its data items
  /// with margin percent on each side and at least minRange percent of the
  /// centre value; a layer without items gets -1..1.
  void AutoRange(std::int32_t layer, double margin, double minRange = 0);
  void AutoRangeXOnly(std::int32_t layer, double margin, double minRange = 0);
  void AutoRangeYOnly(std::int32_t layer, double margin, double minRange = 0);
  /// Limits for mouse panning and zooming and automatic ranging of all
  /// layers; four zeros switch confinement off.
  void ConfineZoomRange(double xLo, double yLo, double xHi, double yHi);
  void ZoomStateOnStack();  ///< saves both layers' ranges (not while loading)
  void ClearZoomHistory();  ///< empties the history, then saves the current state
  /// Returns to a saved state: 0 the last, -1 the one before, .. -15; others
  /// do nothing. Does not move the write position.
  void ZoomHistory(std::int32_t index);
  TRectDouble GetZoomStackEntry(std::int32_t layer, std::int32_t stackIx) const noexcept;
  const TZoomHistory& ZoomStack() const noexcept { return FZoom; }
  /// One unit covers the same screen distance on both axes (Y follows X).
  bool Isometric() const noexcept { return FIsometric; }
  void SetIsoMetric(bool v);
  /// Which layer's ranges each layer follows (changes copy ranges at once).
  TJointLayers& JointLayers() noexcept { return *FJoint; }
  void SetJointLayers(const TJointLayers& v);
  TMouseActMode MouseAction() const noexcept { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) noexcept { FMouseAction = v; }
  void DoZoomPanEvent();
  TNotifyEvent OnZoomPan;

  // ---- Mouse (mouse.cpp) ----------------------------------------------------------------
  /// MouseAction (ranges section), the axes' MouseAction and TChartMouseProps.
  /// World position of the last move inside the data area (active layer).
  double MousePosX() const noexcept;
  double MousePosY() const noexcept;
  std::int32_t ZoomState() const noexcept;  ///< 1 while a window is dragged
  /// Trace point idx (1-based); outside 1..NumMTracePoints its flags read 255.
  TColoredPoint GetMTracePoint(std::int32_t idx) const noexcept;
  /// Asks the user for a rectangle (press, drag, release; the right button
  /// cancels) while the host's messages are pumped; false when cancelled,
  /// aborted, the chart is hidden or destroyed, or the host has no messages.
  bool MouseBox(double& xLo, double& yLo, double& xHi, double& yHi);
  void MouseBoxAbort() noexcept;
  TDialogCodes GetDialogCode() const override { return {dcWantArrows, dcWantTab}; }

  // ---- Life cycle, shared data, black and white (devari.cpp) ----------------------------
  /// Copies every setting, the display lists (as copies), ranges, history,
  /// axes, overlays and events of another chart; sharing links stay this
  /// chart's own. Repaints.
  void Assign(const TObject& source) override;
  /// Shows chart's display list instead of this chart's own (nullptr: its own
  /// again). Refused with a message box: this chart itself, a chart whose data
  /// others use, a fifth user. Sharing is one level deep.
  void SetUseDataOf(TCustomDEvari* chart);
  TCustomDEvari* UseDataOf() const noexcept { return FUseDataOf; }
  std::int32_t DataUsersNum() const noexcept { return FDataUsersNum; }
  /// Swaps the colours for black-and-white output and back (a second swap
  /// before the reload keeps the first backup).
  void BackupColorsAndMakeBW();
  void ReloadBackupColors();

  // ---- Crosshairs, text labels, mouse trace (devari_overlays.cpp) ---------------------
  /// Crosshairs 1..4 (other numbers ignored, positions read 0). Moving a shown
  /// crosshair redraws only the overlays.
  void CrossHairSetPos(std::int32_t chnum, double x, double y);
  void CrossHairSetup(std::int32_t ch, TColor chColor, TCrossHMode mode, TPenStyle lineType,
                      std::int32_t lineWidth);
  double GetCHPosX(std::int32_t chnum) const noexcept;
  double GetCHPosY(std::int32_t chnum) const noexcept;
  void SetCHPosX(std::int32_t chnum, double v);
  void SetCHPosY(std::int32_t chnum, double v);
  TCrossHair& CrossHair(std::int32_t n) noexcept;  ///< others give crosshair 1
  void SetCrossHair(std::int32_t n, const TCrossHair& v);
  /// (offsX, offsY): where the bitmap's origin lies in control pixels.
  void DrawCrossHairs(std::int32_t offsX, std::int32_t offsY, TBitmap& bitmap);
  void DrawMouseTrace(std::int32_t offsX, std::int32_t offsY, TBitmap& bitmap);
  void DrawFinish(std::int32_t offsX, std::int32_t offsY, TCanvas& canvas, TBitmap& bitmap);
  /// Text labels 1..30: AddTextLabel returns the label used (0: all in use); a
  /// template outside 1..30 means none.
  std::int32_t AddTextLabel(double posX, double posY, TColor txtColor, const std::string& txt,
                            std::int32_t propertyTemplate);
  void SetTextLabel(std::int32_t idx, double posX, double posY, TColor txtColor,
                    const std::string& txt, std::int32_t propertyTemplate);
  void HideAllTextLabels();
  void ClearAllTextLabels();
  TTextLabel& GetFTextLabel(std::int32_t ix);  ///< others raise EKvoDEvariError
  void SetFTextLabel(std::int32_t ix, const TTextLabel& v);
  std::vector<TColoredPoint>& MouseTraceBuffer() noexcept { return FMTrace; }
  void SetNumMTracePoints(std::int32_t n) noexcept;
  TColor MouseTraceColor() const noexcept { return FColorMTrace; }
  void SetMouseTraceColor(TColor v) noexcept { FColorMTrace = v; }
  bool MouseTraceInvert() const noexcept { return FMTraceInvert; }
  void SetMouseTraceInvert(bool v) noexcept { FMTraceInvert = v; }
  /// Change target of crosshairs, labels and the background image.
  void StyleChanged(TObject* sender);

protected:
  void Loaded() override;
  void CreateWnd() override;  ///< a chart with a window paints
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override;
  void MouseMove(TShiftState s, std::int32_t x, std::int32_t y) override;
  void MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override;
  void DblClick() override;
  bool MouseWheel(TShiftState s, std::int32_t delta, std::int32_t x, std::int32_t y) override;
  bool KeyDown(std::uint16_t key, TShiftState s) override;
  void AdjustCanInfoOfSharedCharts() override;
  bool ListBeingDrawn(bool dataList) const noexcept override;
  bool AssignTo(TObject& dest) const override;
  void Resize() override;  ///< axes and transforms follow the size

  // ---- Paint hooks: derived charts override these, never the sequence -------------
  /// Paint: BuildItems; chart image (ConstructChartBmp); data area: background
  /// (DrawDataAreaBackground), grid, DrawItems, DrawOverlays, frame; mouse
  /// trace and crosshairs; the result to the window.
  /// Before each full paint: a chart that derives its items from a model of
  /// its own (box plot) turns it into display-list items here.
  virtual void BuildItems() {}
  /// The data area's background; (left, top) its origin on canvas.
  virtual void DrawDataAreaBackground(TCanvas& canvas, std::int32_t left, std::int32_t top,
                                      std::int32_t width, std::int32_t height);
  /// Data items and annotations in their order, from startIndex on.
  virtual void DrawItems(TCanvas& canvas, std::int32_t left, std::int32_t top, bool bw,
                         std::int32_t startIndex);
  /// What lies over the items inside the data area: the text labels.
  virtual void DrawOverlays(TCanvas& canvas, std::int32_t left, std::int32_t top);

  std::int32_t FNumMTracePoints = 0;
  TChartStyle FStyle;
  TrcLayout FStdLayout = rcl_X1Bottom_Y1Left;
  std::int32_t Fxasp = 36, Fyasp = 36;
  bool FIsometric = false;
  TZoomHistory FZoom;
  std::array<long double, 4> FZoomRange{};  ///< X low, Y low, X high, Y high limits
  TMouseActMode FMouseAction = mamNone;
  TLayerTransforms FTransforms;
  std::array<TCrossHair, 4> FCrossHair;
  std::vector<TColoredPoint> FMTrace;
  TColor FColorMTrace = clWhite;
  bool FMTraceInvert = true;
  std::unique_ptr<TAxisLayers> FAxes;
  std::unique_ptr<TChartPaintParts> FParts;
  std::unique_ptr<TBakGndImg> FBakGndFile;
  std::unique_ptr<TJointLayers> FJoint;
  std::unique_ptr<TChartMouse> FMouse;
  /// Shared data: the chart whose list this one shows, the charts showing
  /// this one's (FDataUsers[0..FDataUsersNum)), this chart's own list.
  TCustomDEvari* FUseDataOf = nullptr;
  std::array<TCustomDEvari*, 4> FDataUsers{};
  std::int32_t FDataUsersNum = 0;
  std::shared_ptr<TRcItemContainer> FOwnData;
  struct TColorBackup;
  std::unique_ptr<TColorBackup> FColorBackup;  ///< while black and white

private:
  /// Start values of the style, axes, renderer and overlays (ResetComp).
  void ResetRendering();
  void RemoveDataUser(TCustomDEvari* user) noexcept;
  void ShowGrafHere();  ///< ShowGraf for this chart only
  /// After a size, margin or shadow change: helpers placed, transforms and data image sized.
  void GeometryChanged();
  void SetMargin(std::int32_t TChartStyle::*margin, std::int32_t v);
  /// Y range of the isometric rule for an X range; unchanged when the data
  /// area has no width or the result is not finite.
  void ApplyIsometric(long double xLo, long double xHi, long double& yLo, long double& yHi) const;
  void AutoRangeAxes(std::int32_t layer, double margin, double minRange, bool x, bool y);
  /// ForceRngIntern without the history: whether anything was stored.
  bool ApplyRange(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                  long double yHi, bool confine);
  template <class T>
  void SetStyleField(T TChartStyle::*field, const T& v);
  std::optional<TColor> AxisTextColor() const;
  void PresentSurface();
  void RefreshCrossHairs();
  void SizeDataImage();
  bool ImagesFit() const noexcept;
  void PutDataImage();
  void ResetDataBitmap();
  TRenderContext RenderContext(std::int32_t left, std::int32_t top, bool bw);
  void DrawItemPass(TCanvas& canvas, const TRcItemContainer& list, bool isAnnotation, int textPass);
  void DrawGridOn(TCanvas& canvas, std::int32_t left, std::int32_t top);
};

}  // namespace kvo
