/// @file
/// TPlot3D: a function z = f(x, y), sampled on a regular grid (GridMat), shown
/// as a rotatable surface inside a bounding cube with three labelled axes.
/// The user rotates, tilts, turns, zooms and pans it with the mouse; the cell
/// under the mouse is reported through OnMouseMoveOverPlot.
///
/// The grid always spans the cube's full x and y extent; the data ranges only
/// label the axes (x, y) and calibrate z. Every setter repaints at once unless
/// painting is suppressed (SuppressPaint, or a TPlot3D::TUpdate guard that
/// repaints once when it ends).
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../libs/kvobase.h"
#include "../libs/kvocolors.h"
#include "../libs/matrix.h"
#include "../platform/bitmap.h"
#include "../platform/control.h"
#include "../platform/host.h"
#include "../platform/update.h"
#include "surfacemath.h"

namespace kvo {

enum TColorCodingMode : std::uint8_t { ccmTwoColors = 0, ccmThreeColors = 1, ccmColorArray = 2 };
enum TP3ScaleKind : std::uint8_t { p3skX = 0, p3skY = 1, p3skZ = 2 };
enum TMeshKind : std::uint8_t {
  mkMesh = 0,           ///< filled cells outlined in the mesh colour
  mkWaterfallHorz = 1,  ///< the two cell edges of constant column
  mkWaterfallVert = 2,  ///< the two cell edges of constant row
  mkWaterfallDiag = 3,  ///< one diagonal per cell
  mkGrid = 4,           ///< a mesh-coloured dot at each node
};

/// During every mouse rotation, zoom or pan step, after the new values are
/// computed and before they are used; the handler may change them.
using TMouseActionEvent =
    std::function<void(TObject* Sender, std::int32_t& CenterX, std::int32_t& CenterY,
                       double& RotXAngle, double& RotZAngle, double& Magnification,
                       TShiftState Shift)>;
/// On every mouse move: the grid cell (column, row) under the mouse, or
/// OverPlot false and (0, 0).
using TMouseMoveOverPlotEvent = std::function<void(TObject* Sender, bool OverPlot, TShiftState Shift,
                                                   std::int32_t MouseCellX, std::int32_t MouseCellY)>;
/// Once per cell before it is drawn: the handler may change the corner points
/// and the colour, or draw the cell itself and set Handled.
using TBeforeRenderPolygonEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, bool& Handled, std::int32_t CellX,
                       std::int32_t CellY, TQuad& Quad, TColor& Color)>;
/// Before a tick label is measured and drawn; (ChartX, ChartY) is the tick's
/// point on the axis. The handler may change the text.
using Tp3BeforeDrawScaleLabelEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, TP3ScaleKind ScaleType,
                       std::string& CurrentTickLabel, std::int32_t ChartX, std::int32_t ChartY)>;
/// At the end of every rendering of the plot, with the canvas drawn on.
using TP3RenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

/// Every setting of the plot (the published properties and the view), with
/// their start values. Reset of the control = assign the defaults.
struct KVO_API TPlot3DSettings {
  bool AutoCenter = true;
  TBoundingBox BoundBoxStyle = bbFaces;
  std::array<std::string, 3> Caption{"X", "Y", "Z"};
  std::int32_t CentX = 325, CentY = 250;  ///< the control centre by default
  TColor ColorFrame = clBlack;
  TColor ColorBakGnd = clWhite;
  bool ColorCodeAvg = false;
  TColor ColorCubeFrame = 0x404040, ColorCubeHidLin = 0xB0B0B0;
  TColor ColorCubeFaceLow = 0xC0C0C0, ColorCubeFaceHigh = 0xFEEEEE;
  std::array<TColor, 3> ColorCoords{clRed, clBlue, clBlack};
  TColor ColorMesh = clBlack;
  TColor ColorHigh = clYellow, ColorMid = clBlue, ColorLow = clBlack;
  double ColorScaleLow = 0, ColorScaleHigh = 100;
  TColorCodingMode ColorCodingMode = ccmTwoColors;
  TColorScheme ColorScheme = cscSystem;
  std::array<std::int32_t, 3> DecPlace{1, 1, -2};
  TFrameStyle FrameStyle = frsLowered;
  std::array<std::int32_t, 3> LabDist{40, 40, 20};
  bool MeshVisible = true;
  TMeshKind MeshKind = mkMesh;
  double Magnification = 1.0;
  TMouseActMode MouseAction = mamRotate;
  std::array<std::int32_t, 3> MinTick{3, 3, 3};
  std::array<double, 3> RangeLow{-1, -1, -1}, RangeHigh{1, 1, 1};
  std::array<double, 3> ScaleFact{1, 1, 1};
  double ViewAngleX = 60, ViewAngleZ = 15;
  std::array<bool, 3> VisibleCoords{true, true, true};
  bool operator==(const TPlot3DSettings&) const = default;
};

class KVO_API TPlot3D : public TCustomControl {
public:
  explicit TPlot3D(TComponent* owner = nullptr);
  ~TPlot3D() override;

  /// Suppresses painting for a scope and restores the flag it found (which
  /// repaints once when painting was on).
  using TUpdate = TPaintBatch<TPlot3D>;

  /// The surface: element (ix, iy) is the height at column ix (1..nx) and
  /// row iy (1..ny). The application resizes and fills it directly.
  TMatrix GridMat;
  /// Colours of the colour-coding mode ccmColorArray (empty at first); a
  /// change repaints while that mode is on.
  TColorArray IsoColors{0};
  /// Per grid node of the last rendering: screen x, screen y, and the drawing
  /// rank of the last cell drawn that uses the node.
  TIntMatrix ProjMapX, ProjMapY, ProjMapZ;
  /// Off-screen picture of the control.
  TBitmap GrafBmp;
  /// The plot cube's corners (set by SetCubeCorners).
  std::array<TVec3, 8> CubeCorners{};

  /// Restores every setting to its start value (view 60/15, centred).
  void ResetComp();
  const TPlot3DSettings& Settings() const noexcept { return FSet; }
  /// All settings of another TPlot3D (not the grid, colours table or events).
  void Assign(const TObject& Source) override;

  // ---- Published properties -------------------------------------------------
  bool AutoCenter() const noexcept { return FSet.AutoCenter; }
  void SetAutoCenter(bool v);
  TBoundingBox BoundBoxStyle() const noexcept { return FSet.BoundBoxStyle; }
  void SetBoundBoxStyle(TBoundingBox v);
  const std::string& CaptionX() const noexcept { return FSet.Caption[0]; }
  const std::string& CaptionY() const noexcept { return FSet.Caption[1]; }
  const std::string& CaptionZ() const noexcept { return FSet.Caption[2]; }
  void SetCaptionX(const std::string& v) { SetCaption(0, v); }
  void SetCaptionY(const std::string& v) { SetCaption(1, v); }
  void SetCaptionZ(const std::string& v) { SetCaption(2, v); }
  std::int32_t CentX() const noexcept { return FSet.CentX; }
  std::int32_t CentY() const noexcept { return FSet.CentY; }
  /// With AutoCenter on the value is ignored and both coordinates return to
  /// the control centre; otherwise clamped to [-width, 2 width] ([-height, 2 height]).
  void SetCentX(std::int32_t v);
  void SetCentY(std::int32_t v);
  TColor ColorFrame() const noexcept { return FSet.ColorFrame; }
  void SetColorFrame(TColor v) { SetColorField(FSet.ColorFrame, v); }
  TColor ColorBakGnd() const noexcept { return FSet.ColorBakGnd; }
  void SetColorBakGnd(TColor v) { SetColorField(FSet.ColorBakGnd, v); }
  bool ColorCodeAvg() const noexcept { return FSet.ColorCodeAvg; }
  void SetColorCodeAvg(bool v);
  TColor ColorCubeFrame() const noexcept { return FSet.ColorCubeFrame; }
  void SetColorCubeFrame(TColor v) { SetColorField(FSet.ColorCubeFrame, v); }
  TColor ColorCubeHidLin() const noexcept { return FSet.ColorCubeHidLin; }
  void SetColorCubeHidLin(TColor v) { SetColorField(FSet.ColorCubeHidLin, v); }
  TColor ColorCubeFaceLow() const noexcept { return FSet.ColorCubeFaceLow; }
  void SetColorCubeFaceLow(TColor v) { SetColorField(FSet.ColorCubeFaceLow, v); }
  TColor ColorCubeFaceHigh() const noexcept { return FSet.ColorCubeFaceHigh; }
  void SetColorCubeFaceHigh(TColor v) { SetColorField(FSet.ColorCubeFaceHigh, v); }
  TColor ColorXCoords() const noexcept { return FSet.ColorCoords[0]; }
  TColor ColorYCoords() const noexcept { return FSet.ColorCoords[1]; }
  TColor ColorZCoords() const noexcept { return FSet.ColorCoords[2]; }
  void SetColorXCoords(TColor v) { SetColorField(FSet.ColorCoords[0], v); }
  void SetColorYCoords(TColor v) { SetColorField(FSet.ColorCoords[1], v); }
  void SetColorZCoords(TColor v) { SetColorField(FSet.ColorCoords[2], v); }
  TColor ColorMesh() const noexcept { return FSet.ColorMesh; }
  void SetColorMesh(TColor v) { SetColorField(FSet.ColorMesh, v); }
  TColor ColorHigh() const noexcept { return FSet.ColorHigh; }
  void SetColorHigh(TColor v) { SetColorField(FSet.ColorHigh, v); }
  TColor ColorMid() const noexcept { return FSet.ColorMid; }
  void SetColorMid(TColor v) { SetColorField(FSet.ColorMid, v); }
  TColor ColorLow() const noexcept { return FSet.ColorLow; }
  void SetColorLow(TColor v) { SetColorField(FSet.ColorLow, v); }
  double ColorScaleLow() const noexcept { return FSet.ColorScaleLow; }
  double ColorScaleHigh() const noexcept { return FSet.ColorScaleHigh; }
  /// A new low is taken only below the high, a new high only above the low
  /// (NaN never); otherwise the call is ignored.
  void SetColorScaleLow(double v);
  void SetColorScaleHigh(double v);
  TColorCodingMode ColorCodingMode() const noexcept { return FSet.ColorCodingMode; }
  void SetColorCodingMode(TColorCodingMode v);
  TColorScheme ColorScheme() const noexcept { return FSet.ColorScheme; }
  void SetColorScheme(TColorScheme v);
  /// Decimals of the axis labels, clamped to [-2, 12]; -2 chooses by the span.
  std::int32_t DecPlaceX() const noexcept { return FSet.DecPlace[0]; }
  std::int32_t DecPlaceY() const noexcept { return FSet.DecPlace[1]; }
  std::int32_t DecPlaceZ() const noexcept { return FSet.DecPlace[2]; }
  void SetDecPlaceX(std::int32_t v) { SetDecPlace(0, v); }
  void SetDecPlaceY(std::int32_t v) { SetDecPlace(1, v); }
  void SetDecPlaceZ(std::int32_t v) { SetDecPlace(2, v); }
  TFrameStyle FrameStyle() const noexcept { return FSet.FrameStyle; }
  void SetFrameStyle(TFrameStyle v);
  /// Distance in pixels of the axis captions from their axis.
  std::int32_t LabDistX() const noexcept { return FSet.LabDist[0]; }
  std::int32_t LabDistY() const noexcept { return FSet.LabDist[1]; }
  std::int32_t LabDistZ() const noexcept { return FSet.LabDist[2]; }
  void SetLabDistX(std::int32_t v) { SetLabDist(0, v); }
  void SetLabDistY(std::int32_t v) { SetLabDist(1, v); }
  void SetLabDistZ(std::int32_t v) { SetLabDist(2, v); }
  bool MeshVisible() const noexcept { return FSet.MeshVisible; }
  void SetMeshVisible(bool v);
  TMeshKind MeshKind() const noexcept { return FSet.MeshKind; }
  void SetMeshKind(TMeshKind v);
  /// Clamped to [0.1, 5]; NaN is ignored.
  double Magnification() const noexcept { return FSet.Magnification; }
  void SetMagnification(double v);
  /// Drag behaviour: mamRotate (12), mamRotateZoom (13), mamTilt (14),
  /// mamTurn (15), mamStretch (6, zoom) and mamPan (1) act; others do nothing.
  TMouseActMode MouseAction() const noexcept { return FSet.MouseAction; }
  void SetMouseAction(TMouseActMode v) noexcept { FSet.MouseAction = v; }
  /// Requested tick counts, clamped to [2, 20].
  std::int32_t MinTickX() const noexcept { return FSet.MinTick[0]; }
  std::int32_t MinTickY() const noexcept { return FSet.MinTick[1]; }
  std::int32_t MinTickZ() const noexcept { return FSet.MinTick[2]; }
  void SetMinTickX(std::int32_t v) { SetMinTick(0, v); }
  void SetMinTickY(std::int32_t v) { SetMinTick(1, v); }
  void SetMinTickZ(std::int32_t v) { SetMinTick(2, v); }
  /// Data ranges. A value equal to the opposite end moves away from it (a low
  /// to value - 1, a high to value + 1, or further where 1 is below the
  /// resolution of the value); a low above the high is accepted. NaN and
  /// infinite values are ignored. The z range calibrates the z axis.
  double RangeXLow() const noexcept { return FSet.RangeLow[0]; }
  double RangeXHigh() const noexcept { return FSet.RangeHigh[0]; }
  double RangeYLow() const noexcept { return FSet.RangeLow[1]; }
  double RangeYHigh() const noexcept { return FSet.RangeHigh[1]; }
  double RangeZLow() const noexcept { return FSet.RangeLow[2]; }
  double RangeZHigh() const noexcept { return FSet.RangeHigh[2]; }
  void SetRangeXLow(double v) { SetRangeEnd(0, false, v); }
  void SetRangeXHigh(double v) { SetRangeEnd(0, true, v); }
  void SetRangeYLow(double v) { SetRangeEnd(1, false, v); }
  void SetRangeYHigh(double v) { SetRangeEnd(1, true, v); }
  void SetRangeZLow(double v) { SetRangeEnd(2, false, v); }
  void SetRangeZHigh(double v) { SetRangeEnd(2, true, v); }
  /// Axis stretch factors; NaN and infinite values are ignored, magnitudes
  /// above 1e6 are held at 1e6.
  double ScaleFactX() const noexcept { return FSet.ScaleFact[0]; }
  double ScaleFactY() const noexcept { return FSet.ScaleFact[1]; }
  double ScaleFactZ() const noexcept { return FSet.ScaleFact[2]; }
  void SetScaleFactX(double v) { SetScaleFact(0, v); }
  void SetScaleFactY(double v) { SetScaleFact(1, v); }
  void SetScaleFactZ(double v) { SetScaleFact(2, v); }
  /// Degrees, brought into 0..360 (NormalizeViewAngle); NaN is ignored.
  double ViewAngleX() const noexcept { return FSet.ViewAngleX; }
  double ViewAngleZ() const noexcept { return FSet.ViewAngleZ; }
  void SetViewAngleX(double v);
  void SetViewAngleZ(double v);
  bool VisibleXCoords() const noexcept { return FSet.VisibleCoords[0]; }
  bool VisibleYCoords() const noexcept { return FSet.VisibleCoords[1]; }
  bool VisibleZCoords() const noexcept { return FSet.VisibleCoords[2]; }
  void SetVisibleXCoords(bool v) { SetVisibleCoords(0, v); }
  void SetVisibleYCoords(bool v) { SetVisibleCoords(1, v); }
  void SetVisibleZCoords(bool v) { SetVisibleCoords(2, v); }

  // ---- Methods --------------------------------------------------------------
  /// All six range ends at once; an axis with equal ends gets them 0.5 apart
  /// on each side (further where 0.5 is below their resolution).
  void SetRange(double LowX, double HighX, double LowY, double HighY, double LowZ, double HighZ);
  void SetViewAngles(double AngleX, double AngleZ);
  /// Element [ix, iy] (1..3) of the rotation matrix, else 0.
  double GetRotMat(std::int32_t ix, std::int32_t iy) const noexcept;
  void CalcRotMatrix();
  /// World z of a value: CalibZk * value + CalibZd.
  double CalcIntZ(double value) const noexcept { return FCalibZk * value + FCalibZd; }
  /// Recomputes the z calibration from the z range.
  void AdjustScaling();
  /// Stretch factors from the grid's shape and its value span (needs a grid
  /// of at least one column and row; does nothing otherwise).
  void AutoScale();
  void SetCubeCorners();
  /// Centre, stretch factors 1, view 66/135, magnification 1; repaints.
  void Reset();
  /// Fills GridMat with 0 and repaints.
  void Clear();
  /// Change handler of GridMat (bound by the constructor).
  void GridMatChanged(TObject* Sender);
  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  /// Clearing the flag brings the grid's derived data up to date and repaints.
  void SetSuppressPaint(bool v);
  double CalibZk() const noexcept { return FCalibZk; }
  double CalibZd() const noexcept { return FCalibZd; }
  /// Smallest and largest value of the grid (NaN cells skipped) as of the last
  /// GridMatChanged.
  double MinZ() const;
  double MaxZ() const;
  /// The projection of the current view (the one rendering uses).
  TP3Projection Projection() const noexcept;
  /// Colour of a cell value by the colour coding.
  TColor CalcColorCoding(double value) const noexcept;
  /// The cell (column, row) under control pixel (x, y) in the last rendering:
  /// of the cells whose picture contains the point, the one drawn last (the
  /// visible one). False with (0, 0) when none does.
  bool CellAt(std::int32_t x, std::int32_t y, std::int32_t& cellX, std::int32_t& cellY) const;

  // ---- Rendering --------------------------------------------------------------
  void Paint() override;
  /// Sizes the bitmap to the control and paints the background.
  void InitGraf(TCanvas& Canvas);
  /// Cube, surface and axes onto Canvas at control coordinates (the flag has
  /// no effect).
  void ConstructDataBmp(TCanvas& Canvas, bool Flag = false);
  void DrawAxis(TCanvas& Canvas, TP3ScaleKind Kind, std::int32_t X1, std::int32_t Y1,
                std::int32_t X2, std::int32_t Y2, double ValueAtStart, double ValueAtEnd,
                std::int32_t Corner = 0);
  static void DrawCenteredText(TCanvas& Canvas, const std::string& Text, std::int32_t X,
                               std::int32_t Y);
  /// Cube, surface and axes onto a foreign canvas (no background, no frame).
  /// The paint suppression flag is restored afterwards.
  void DrawOnForeignCanvas(TCanvas& Canvas);

  // ---- Export (the picture of Paint: background, cube, surface, axes, frame) ----
  /// Into a bitmap of the control's size.
  void CopyToBitmap(TBitmap& Bitmap, bool BlkWhite);
  /// Bitmap file: PNG or BMP by the file's ending. Throws EPlatformError when
  /// the file cannot be written.
  void CopyToBMP(const std::string& FName, bool BlkWhite);
  /// Vector file: ".pdf" gives PDF, ".ps"/".eps" PostScript, anything else SVG.
  void CopyToWMF(const std::string& FName, bool BlkWhite);
  void CopyToClipboard(bool BlkWhite);
  /// As an SVG drawing on the clipboard.
  void CopyToClipboardWMF(bool BlkWhite);
  /// A print job of its own; ScaleF scales the picture (1 = its screen size
  /// at the printer's resolution), shrunk where it would not fit the page;
  /// WithFrame draws the outer frame. False when no printer is available.
  bool PrintIt(double ScaleF, bool BlkWhite, bool WithFrame);
  /// Onto the open page of job at (X, Y) (page pixels); Y moves below the
  /// picture.
  void CopyToOpenPrinter(TPrintJob& Job, std::int32_t& X, std::int32_t& Y, double ScaleF,
                         bool BlkWhite, bool WithFrame);
  /// The picture onto any canvas at (x, y), scaled by scale, clipped to its
  /// rectangle (the canvas has no clip afterwards).
  void RenderPicture(TCanvas& canvas, std::int32_t x, std::int32_t y, double scale, bool blkWhite,
                     bool withFrame);

  // ---- Events -----------------------------------------------------------------
  TMouseActionEvent OnMouseAction;
  TMouseMoveOverPlotEvent OnMouseMoveOverPlot;
  TZoomPanEvent OnZoomPan;
  TP3RenderEvent OnDataRendered;
  TBeforeRenderPolygonEvent OnBeforeRenderPolygon;
  Tp3BeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel;

protected:
  /// After loading: the view's derived values, then one paint.
  void Loaded() override;
  void Resize() override;
  void MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  bool AssignTo(TObject& dest) const override;
  /// Raisers of the events.
  void MouseActionMove(TShiftState Shift);
  void MouseMoveOverPlot(TShiftState Shift, std::int32_t X, std::int32_t Y);
  void DoZoomPanEvent();

private:
  /// How one rendering maps the model onto its canvas.
  struct TView {
    double Scale = 1;             ///< output pixels per control pixel
    std::int32_t OffX = 0, OffY = 0;
    bool BlackWhite = false;
    bool WriteMaps = true;        ///< record the hit-test maps
    TBitmap* Direct = nullptr;    ///< write cells into these pixels
  };
  void Changed();  ///< the repaint funnel
  void ProcessResize();
  void SetCaption(int k, const std::string& v);
  void SetColorField(TColor& field, TColor v);
  void SetDecPlace(int k, std::int32_t v);
  void SetLabDist(int k, std::int32_t v);
  void SetMinTick(int k, std::int32_t v);
  void SetRangeEnd(int k, bool high, double v);
  void SetScaleFact(int k, double v);
  void SetVisibleCoords(int k, bool v);
  void Recentre() noexcept;
  void UpdateMinMax() const;
  void SizeMaps();
  /// Rendering with a view (plot3d_paint.cpp).
  void RenderScene(TCanvas& canvas, const TView& view, const TPlot3DSettings& s);
  void DrawCube(TCanvas& canvas, const TView& view, const TPlot3DSettings& s,
                const std::array<TPoint, 8>& pc, int far);
  void DrawSurface(TCanvas& canvas, const TView& view, const TPlot3DSettings& s,
                   const TP3Projection& proj);
  void DrawAxisScaled(TCanvas& canvas, const TView& view, const TPlot3DSettings& s,
                      TP3ScaleKind kind, TPoint p1, TPoint p2, double low, double high);
  TP3Projection ProjectionFor(const TView& view) const noexcept;
  TColor CellColor(const TPlot3DSettings& s, double value) const noexcept;

  TPlot3DSettings FSet;
  TP3RotMatrix FRotMat{};
  double FCalibZk = 150, FCalibZd = 0;
  mutable double FMinZ = 0, FMaxZ = 0;
  mutable bool FMinMaxStale = false;
  bool FSuppressPaint = true;
  bool FPainting = false, FRepaintPending = false;
  /// Hit-test state of the last rendering on the control's own geometry: its
  /// grid size and each cell's drawing rank (0: not drawn), cell (ix, iy) at
  /// (ix - 1) * (ny - 1) + iy - 1.
  std::int32_t FMapNx = 0, FMapNy = 0;
  std::vector<std::int32_t> FCellRank;
  bool FMapsValid = false;
  /// Mouse anchors (state at the last move without a pressed button).
  std::int32_t MouseAnchorX = 0, MouseAnchorY = 0;
  std::int32_t FCentXAnchor = 0, FCentYAnchor = 0;
  double FMagAnchor = 1;
  std::array<double, 3> FAngleAnchor{0, 0, 0};
  std::array<double, 3> FViewAngLimLow{0, 0, 0}, FViewAngLimHigh{360, 360, 360};
  /// Working storage of the surface pass (kept to reuse its memory).
  std::vector<TPoint> FNodePix;
  std::vector<std::uint8_t> FNodeOk;
  std::vector<std::int32_t> FNodeRank;
};

}  // namespace kvo
