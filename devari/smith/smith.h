/// @file
/// TSmithChart: the impedance (Smith) chart. World coordinates are the
/// reflection coefficient Γ = (z - 1) / (z + 1) of an impedance z = r + jx
/// normalised to 1: X is its real part, Y its imaginary part. The chart draws
/// the unit disc with its constant-resistance circles and constant-reactance
/// arcs, labelled by the size of the disc on screen, under the items; it
/// keeps layer 1 isometric, so circles stay circles whatever the ranges.
/// Every drawing command, file, crosshair and text label of the 2D chart works
/// as there, on layer 1.
#pragma once

#include "../../platform/export.h"

#include <cstdint>

#include "../devari.h"

namespace kvo {

class TCrossHair;
class TTextLabel;

/// Conversions between an impedance (r, x) normalised to 1 and its
/// reflection coefficient (u, v). The pole z = -1 maps to Γ = (uc_MaxReal, 0),
/// Γ = 1 (an open circuit) to r = x = uc_MaxReal; an infinite r or x is an
/// open circuit, Γ = (1, 0). NaN arguments give NaN.
KVO_API double CalcReflectionReal(double resistance, double reactance) noexcept;
KVO_API double CalcReflectionImag(double resistance, double reactance) noexcept;
KVO_API double CalcResistance(double reflReal, double reflImag) noexcept;
KVO_API double CalcReactance(double reflReal, double reflImag) noexcept;

/// Colours of the impedance grid.
struct KVO_API TSmithSettings {
  TColor GridColLight = 14408667;  ///< the finer circles and arcs
  TColor GridColDark = 10987431;   ///< the main ones and the unit circle
  TColor DiagramColor = 16312552;  ///< the unit disc's fill
  bool operator==(const TSmithSettings&) const = default;
};

/// One row of the grid table: the value (resistance of a circle, reactance
/// of an arc), the half-angle of the gap a resistance circle leaves around
/// Γ = 1, where a reactance arc ends on the real axis' side (the real part of
/// the point its end ray passes through), the disc size from which the value
/// is labelled (1..5) and whether the dark pen draws it.
struct KVO_API TSmithGridRow {
  double Value;
  double GapAngle;
  double ArcEnd;
  std::int32_t LabelLevel;
  bool Dark;
};
inline constexpr std::int32_t kSmithGridRows = 20;
KVO_API const TSmithGridRow& SmithGridRow(std::int32_t i) noexcept;  ///< 0..19
/// Label level of a unit circle D pixels wide: 1, plus one for each of
/// D > 300, 500, 750 and 900.
KVO_API std::int32_t SmithLabelLevel(std::int32_t diameter) noexcept;
/// A grid value as its label shows it: no decimals when within 0.01 of an
/// integer, else one.
KVO_API std::string SmithLabelText(double value);

class KVO_API TSmithChart : public TCustomDEvari {
public:
  explicit TSmithChart(TComponent* owner = nullptr);

  void ResetComp() override;
  /// The chart's assignment, then the grid colours of another Smith chart.
  void Assign(const TObject& source) override;

  // ---- Grid colours ---------------------------------------------------------------
  const TSmithSettings& SmithSettings() const noexcept { return FSmith; }
  void SetSmithSettings(const TSmithSettings& v);
  TColor GridColorLight() const noexcept { return FSmith.GridColLight; }
  TColor GridColorDark() const noexcept { return FSmith.GridColDark; }
  TColor DiagramColor() const noexcept { return FSmith.DiagramColor; }
  void SetGridColorLight(TColor v);
  void SetGridColorDark(TColor v);
  void SetDiagramColor(TColor v);

  // ---- Conversions ----------------------------------------------------------------
  static double CalcReflectionReal(double r, double x) noexcept { return kvo::CalcReflectionReal(r, x); }
  static double CalcReflectionImag(double r, double x) noexcept { return kvo::CalcReflectionImag(r, x); }
  static double CalcResistance(double u, double v) noexcept { return kvo::CalcResistance(u, v); }
  static double CalcReactance(double u, double v) noexcept { return kvo::CalcReactance(u, v); }
  /// Layer 1's mapping between Γ and control pixels.
  void R2M(double reflReal, double reflImag, std::int32_t& xout, std::int32_t& yout) const noexcept {
    TCustomDEvari::R2M(1, reflReal, reflImag, xout, yout);
  }
  void M2R(std::int32_t xin, std::int32_t yin, double& reflReal, double& reflImag) const noexcept {
    TCustomDEvari::M2R(1, xin, yin, reflReal, reflImag);
  }
  void GetTransformParams(double& kx, double& dx, double& ky, double& dy) const noexcept {
    TCustomDEvari::GetTransformParams(1, kx, dx, ky, dy);
  }
  using TCustomDEvari::GetTransformParams;
  using TCustomDEvari::M2R;
  using TCustomDEvari::R2M;

  // ---- Ranges (layer 1, always isometric) ---------------------------------------------
  /// The Y range follows from the X range about the centre of yLo..yHi.
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi);
  void AutoRange(double margin, double minRange = 0);
  /// Both ranges centred on Γ = 0, widths kept.
  void CentedEvari();
  double RangeXLow() const noexcept;
  double RangeXHigh() const noexcept;
  double RangeYLow() const noexcept;
  double RangeYHigh() const noexcept;  ///< read-only: it follows the others
  /// Move one end of X (the Y range follows) or the centre of Y.
  void SetRangeXLow(double v);
  void SetRangeXHigh(double v);
  void SetRangeYLow(double v);

  // ---- Crosshair 1 and the published chart properties -------------------------------
  void CrossHairSetPos(double x, double y) { TCustomDEvari::CrossHairSetPos(1, x, y); }
  void CrossHairSetup(TColor color, TCrossHMode mode, TPenStyle lineType, std::int32_t lineWidth) {
    TCustomDEvari::CrossHairSetup(1, color, mode, lineType, lineWidth);
  }
  using TCustomDEvari::CrossHairSetPos;
  using TCustomDEvari::CrossHairSetup;
  double CrossHairPosX() const noexcept { return GetCHPosX(1); }
  double CrossHairPosY() const noexcept { return GetCHPosY(1); }
  TCrossHair& CrossHair() noexcept { return TCustomDEvari::CrossHair(1); }
  void FindMinMax(double loX, double loY, double hiX, double hiY, double& minX, double& minY,
                  double& maxX, double& maxY) const {
    LLCalcMinMax(1, loX, loY, hiX, hiY, minX, minY, maxX, maxY);
  }
  TTextLabel& TextLabels(std::int32_t ix) { return GetFTextLabel(ix); }
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

  /// Draws the impedance grid on a canvas whose data area starts at (left, top).
  void DrawSmithGrid(TCanvas& canvas, std::int32_t left, std::int32_t top);

protected:
  /// The grid lies over the chart's background and point grid and under the items.
  void DrawItems(TCanvas& canvas, std::int32_t left, std::int32_t top, bool bw,
                 std::int32_t startIndex) override;
  /// A new size re-derives the Y range (about its centre) from the X range.
  void Resize() override;

private:
  void ResetSmith();
  void SetColor(TColor TSmithSettings::*field, TColor v);
  /// Only layer 1 exists for a Smith chart.
  using TCustomDEvari::SetActiveLayer;

  TSmithSettings FSmith;
};

}  // namespace kvo
