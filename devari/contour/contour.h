/// @file
/// TContourPlot: a 2D chart that shows a function z = f(x, y) as a colour
/// surface or as contour dots. The function is sampled on a regular grid of
/// pivots spanning the ranges of the first X and Y axes; the application
/// supplies every value through OnEstimateZVal (or fills the grid once and
/// marks it precalculated). Ordinary chart items, annotations, crosshairs and
/// text labels are drawn over the surface.
///
/// Pivot (i, j), 1 <= i <= NumPivotsX, 1 <= j <= NumPivotsY, lies at
/// x = xl + (xh - xl)(i - 1)/(NumPivotsX - 1), y likewise; its cell is the
/// rectangle of one grid step centred on it. A mask byte per pivot: 0 normal,
/// 1 hidden (the background shows), 2..254 filled with MaskPalette colour m,
/// 255 drawn and then inverted; masked pivots are left out of the averaging
/// of cell corners.
#pragma once

#include "../../platform/export.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "../devari.h"
#include "../../libs/dstruct.h"
#include "../../libs/kvocolors.h"
#include "../../libs/matrix.h"

namespace kvo {

class TColorScale;
class TTextLabel;
struct TRGB32;

enum TContourPlotMode : std::uint8_t {
  cpmDots = 0,                ///< contour levels as dots in the iso colours
  cpmMonoDots = 1,            ///< contour levels as dots in iso colour 1
  cpmColorSurface = 2,        ///< bilinear colour surface
  cpmColorSurfNoIp = 3,       ///< one colour per cell
  cpmColorSurfNoIpTransp = 4  // one colour per cell, cells below IsoLow left out
};

/// Value provider: z (0 on entry) and Mask (the pivot's current mask) may be
/// changed by the handler.
using TEstimateZValEvent =
    std::function<void(TObject* Sender, double x, double y, std::int32_t pivx, std::int32_t pivy,
                       double& z, std::uint8_t& Mask)>;

/// The contour plot's own settings with their start values.
struct KVO_API TContourSettings {
  TContourPlotMode PlotMode = cpmColorSurface;
  double IsoLow = -1.0, IsoHigh = 1.0, IsoDist = 0.1;
  bool Enabled = true;
  bool operator==(const TContourSettings&) const = default;
};

/// Largest number of pivots per direction (ResizePivotMatrix's bound of 5000
/// pixels at 5 pixels per pivot).
inline constexpr std::int32_t kMaxContourPivots = 1000;

class KVO_API TContourPlot : public TCustomDEvari {
public:
  explicit TContourPlot(TComponent* owner = nullptr);
  ~TContourPlot() override;

  /// The chart's reset configured for contour use (point grid at the ticks,
  /// both first axes -5.2..5.2, second axes hidden, not isometric), the
  /// pivot counts from the size, the mask cleared, the palette built and
  /// the start values above.
  void ResetComp() override;
  /// From another contour plot: mode, pivot and mask matrices, iso colours,
  /// pivot counts, iso parameters, the two events and the mask palette; then
  /// the chart's assignment. Other sources: the chart's assignment only.
  void Assign(const TObject& source) override;
  void Paint() override;

  /// Colours of the values from IsoLow to IsoHigh (surface and dots); every
  /// change re-renders and updates the attached colour scale.
  TColorArray IsoColors;
  /// Colours of mask values 2..254 (255 entries).
  TColorArray MaskPalette{0};

  // ---- Settings -----------------------------------------------------------------
  const TContourSettings& ContourSettings() const noexcept { return FSet; }
  TContourPlotMode PlotMode() const noexcept { return FSet.PlotMode; }
  void SetPlotMode(TContourPlotMode v);
  /// The control's enabled state; a disabled plot also skips the estimation
  /// (every value 0, masks kept).
  bool Enabled() const noexcept { return FSet.Enabled; }
  void SetEnabled(bool v) override;
  double IsoLow() const noexcept { return FSet.IsoLow; }
  double IsoHigh() const noexcept { return FSet.IsoHigh; }
  double IsoDist() const noexcept { return FSet.IsoDist; }
  /// IsoLow >= IsoHigh moves IsoHigh to IsoLow + 1 (and the other way round);
  /// where that cannot separate them (|x| >= 2^53) the step grows until it
  /// does. NaN and infinite values are ignored.
  void SetIsoLow(double x);
  void SetIsoHigh(double x);
  /// Levels IsoLow + k IsoDist; a distance <= 0, NaN or one that gives more
  /// than 65535 levels draws no levels.
  void SetIsoDist(double x);
  void SetIsoParams(double iLow, double iHigh, double iDist);
  /// Number of contour levels: round((IsoHigh - IsoLow) / IsoDist), 0 when
  /// that is not a count of 1..65535.
  std::int32_t NumIsoLevels() const noexcept;

  /// The colour legend kept in step with IsoColors and IsoLow..IsoHigh (not
  /// owned; detach it before destroying it). Attaching does not synchronise;
  /// the next iso change or colour change does.
  TColorScale* AttachedColorScale() const noexcept { return FExtColScale; }
  void SetAttachedColorScale(TColorScale* v) noexcept { FExtColScale = v; }
  void IsoColorsChanged();

  // ---- Pivot grid -----------------------------------------------------------------
  std::int32_t NumPivotsX() const noexcept { return FNumPivotX; }
  std::int32_t NumPivotsY() const noexcept { return FNumPivotY; }
  /// Pivot counts, held within 2..kMaxContourPivots; a new count replaces
  /// the grid (values lost) and clears the mask.
  void SetPivotResX(std::int32_t n);
  void SetPivotResY(std::int32_t n);
  /// r (at least 10) divided by 5 plus 1 pivots along the longer side of the
  /// data area, the shorter side in proportion.
  void SetPivotRes(std::int32_t r);
  std::int32_t GetPivotRes() const noexcept;
  std::int32_t PivotResolution() const noexcept { return GetPivotRes(); }
  /// w and h (pixels, held within 10..5000) at 5 pixels per pivot.
  void ResizePivotMatrix(std::int32_t w, std::int32_t h);
  const TMatrix& PivotMatrix() const noexcept { return FPivotMat; }
  const TByteMatrix& MaskMatrix() const noexcept { return FMaskMat; }
  /// World position of pivot (i, j) for the current ranges; the cell steps.
  double PivotX(std::int32_t i) const noexcept;
  double PivotY(std::int32_t j) const noexcept;
  double PivotDx() const noexcept;
  double PivotDy() const noexcept;

  /// The estimation pass: runs when preCalcFlag is true or the grid is not
  /// precalculated; the precalculated state becomes preCalcFlag. Returns
  /// false when the pass was abandoned (the grid was replaced or the ranges
  /// changed while it let pending messages run); it is then repeated by the
  /// next rendering.
  bool CalculatePivotPoints(bool preCalcFlag);
  /// All values 0 unless the grid is precalculated and preCalcFlag is false;
  /// the precalculated state becomes preCalcFlag.
  void ClearPivotPoints(bool preCalcFlag);
  bool PivotPreCalc() const noexcept { return FPivotPreCalc; }
  /// 0.0 outside the grid.
  double GetPivotVal(std::int32_t ix, std::int32_t iy) const noexcept;
  /// Sets one value (ignored outside the grid); does not re-render.
  void SetPivotVal(std::int32_t ix, std::int32_t iy, double v) noexcept;
  /// 0 outside the grid; writing outside does nothing. Neither re-renders.
  std::uint8_t GetMaskVal(std::int32_t ix, std::int32_t iy) const noexcept;
  void SetMaskVal(std::int32_t ix, std::int32_t iy, std::uint8_t value) noexcept;
  void FillMask(std::uint8_t value);
  /// Percentile prob (percent) of all values, or with useMask of those whose
  /// mask is 0 (NaN when none is).
  double PercentilePivots(double prob) const;
  double PercentilePivots(double prob, bool useMask) const;
  /// Re-estimates (unless precalculated) and re-renders.
  void DrawPlot();

  // ---- Rendering into pixel rows ---------------------------------------------------
  /// Renders the grid into the rows of bmp, whose pixel (0, 0) is control
  /// pixel (MarginLeft - offX, MarginTop - offY) and which holds `factor`
  /// device pixels per logical pixel.
  void RenderFromPivotPoints(TBitmap& bmp, std::int32_t offX, std::int32_t offY,
                             std::int32_t factor = 1);
  /// One cell onto a canvas in the bilinear colours: lower-left world corner
  /// (x0, y0), size (dx, dy), corner values lower-left, upper-left,
  /// upper-right, lower-right; n sub-steps per side at most.
  void IsoColQuad(TCanvas& canvas, std::int32_t offX, std::int32_t offY, double x0, double y0,
                  double dx, double dy, double vll, double vul, double vur, double vlr,
                  std::int32_t n);
  /// The contour dots of one cell onto a canvas (arguments as IsoColQuad).
  void IsoQuad(TCanvas& canvas, std::int32_t offX, std::int32_t offY, double x0, double y0,
               double dx, double dy, double vll, double vul, double vur, double vlr,
               std::int32_t n);
  /// Index into IsoColors of a value (1..NumColors).
  std::int32_t ValueToColorIndex(double v) const noexcept;
  /// Index of a flat cell: 0 below IsoLow, else as ValueToColorIndex.
  std::int32_t FlatColorIndex(double v) const noexcept;

  // ---- Layer 1 and the published chart properties -------------------------------
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
    TCustomDEvari::SetRange(1, xLo, yLo, xHi, yHi);
  }
  using TCustomDEvari::SetRange;
  std::int32_t MarginLeft() const noexcept { return LRim(); }
  std::int32_t MarginRight() const noexcept { return RRim(); }
  std::int32_t MarginTop() const noexcept { return TRim(); }
  std::int32_t MarginBottom() const noexcept { return BRim(); }
  void SetMarginLeft(std::int32_t v) { SetLRim(v); }
  void SetMarginRight(std::int32_t v) { SetRRim(v); }
  void SetMarginTop(std::int32_t v) { SetTRim(v); }
  void SetMarginBottom(std::int32_t v) { SetBRim(v); }
  void SetCaption(const std::string& v) { SetChartCaption(v); }
  void SetChartColor(TColor v) { SetChartCol(v); }
  void SetWindColor(TColor v) { SetWindCol(v); }
  void SetChartFrameColor(TColor v) { SetScaleCol(v); }
  void SetShadowWidth(std::int32_t v) { SetF3DRim(v); }
  void AutoRange(double margin, double minRange = 0) { TCustomDEvari::AutoRange(1, margin, minRange); }
  using TCustomDEvari::AutoRange;
  /// Layer 1's mapping between world and control pixels.
  void R2M(double x, double y, std::int32_t& mx, std::int32_t& my) const noexcept {
    TCustomDEvari::R2M(1, x, y, mx, my);
  }
  void M2R(std::int32_t mx, std::int32_t my, double& x, double& y) const noexcept {
    TCustomDEvari::M2R(1, mx, my, x, y);
  }
  using TCustomDEvari::M2R;
  using TCustomDEvari::R2M;
  /// Crosshair 1 and the text labels.
  void CrossHairSetPos(double x, double y) { TCustomDEvari::CrossHairSetPos(1, x, y); }
  void CrossHairSetup(TColor color, TCrossHMode mode, TPenStyle lineType, std::int32_t lineWidth) {
    TCustomDEvari::CrossHairSetup(1, color, mode, lineType, lineWidth);
  }
  using TCustomDEvari::CrossHairSetPos;
  using TCustomDEvari::CrossHairSetup;
  double CrossHairPosX() const noexcept { return GetCHPosX(1); }
  double CrossHairPosY() const noexcept { return GetCHPosY(1); }
  TTextLabel& TextLabels(std::int32_t ix) { return GetFTextLabel(ix); }

  TEstimateZValEvent OnEstimateZVal;
  TOnPercentDoneEvent OnProgress;

  /// Counters for diagnostics: estimation passes finished and abandoned.
  std::int32_t PassesDone() const noexcept { return FPassesDone; }
  std::int32_t PassesAbandoned() const noexcept { return FPassesAbandoned; }

protected:
  /// The colour surface (or the dots) with the mask overlay lies over the
  /// chart's background and under grid and items.
  void DrawDataAreaBackground(TCanvas& canvas, std::int32_t left, std::int32_t top,
                              std::int32_t width, std::int32_t height) override;

private:
  struct TPixMap;
  void ResetContour();
  void NewPivotMatrix(std::int32_t nx, std::int32_t ny);
  void InvalidateGrid();  ///< the grid must be re-estimated; repaint by rule
  void IsoChanged();
  void ApplyIsoRange(double lo, double hi);
  /// Key of what the estimated grid depends on besides its own changes.
  struct TGridKey {
    double XL = 0, XH = 0, YL = 0, YH = 0;
    std::int32_t NX = 0, NY = 0;
    bool Enabled = true;
    bool operator==(const TGridKey&) const = default;
  };
  TGridKey CurrentKey() const noexcept;
  void Progress(std::int32_t percent);
  void RenderSurface(TRGB32* base, std::int32_t stride, std::int32_t w, std::int32_t h,
                     const TPixMap& map);
  void RenderRows(TRGB32* base, std::int32_t stride, std::int32_t w, std::int32_t h,
                  const TPixMap& map);
  void MaskOverlay(TRGB32* base, std::int32_t stride, std::int32_t w, std::int32_t h,
                   const TPixMap& map);
  void CornerValues(std::int32_t i, std::int32_t j, double& ll, double& ul, double& ur,
                    double& lr) const noexcept;
  bool CellDrawn(std::int32_t i, std::int32_t j) const noexcept;

  TContourSettings FSet;
  TMatrix FPivotMat;
  TByteMatrix FMaskMat;
  std::int32_t FNumPivotX = 2, FNumPivotY = 2;
  bool FPivotPreCalc = false;
  TColorScale* FExtColScale = nullptr;
  /// Estimation state: the key the grid was estimated for, whether it is
  /// stale, the pass under way (generation counts grid replacements).
  TGridKey FGridKey;
  bool FGridStale = true;
  bool FEstimating = false;
  bool FInPaint = false;
  bool FRepaintPending = false;
  std::uint64_t FGeneration = 0;
  std::int32_t FPassesDone = 0, FPassesAbandoned = 0;
  std::vector<TRGB32> FIsoLut;  ///< IsoColors resolved, opaque
};

}  // namespace kvo
