/// @file
/// TBoxPlot: box-and-whisker figures of the columns of a data table. Column j
/// of Data gives box j at position j: whiskers from the minimum to the first
/// quartile and from the third quartile to the maximum, the box between the
/// quartiles, optional marks or lines at the 10th/90th percentiles, the median
/// and the mean, and a text label with the column's name. The figures are
/// ordinary display-list items built with the chart's drawing commands, so
/// zooming, crosshairs, item search and files work as on any chart.
///
/// Statistics ignore empty and text cells (and NaN numbers); a column without
/// numbers draws nothing, keeps its label and takes no part in automatic
/// ranging or in the statistics export.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../devari/devari.h"
#include "../libs/datatable.h"
#include "../libs/kvobase.h"
#include "../libs/matrix.h"
#include "../libs/vector.h"

namespace kvo {

class TScalePropsHoriz;
class TScalePropsVert;
class TTextLabel;

enum TBoxPlotOrientation : std::uint8_t { bpltHorizontal = 0, bpltVertical = 1 };
enum TBoxPlotGridStyle : std::uint8_t { bpgsNone = 0, bpgsLines = 1, bpgsDotLines = 2 };

/// Template of the column labels. Position: distance in pixels of the labels
/// from the data area's edge along the position axis (negative: from the
/// opposite edge).
class KVO_API TBoxPlotLabel : public TCustomTextLabel {
public:
  TBoxPlotLabel();
  std::int32_t Position() const noexcept { return FLabelPos; }
  void SetPosition(std::int32_t v);
  void Assign(const TCustomTextLabel& src) override;

private:
  std::int32_t FLabelPos = 8;
};

/// Raised once per drawn column with the property colours; a handler may
/// change them for this column only.
using TOnBeforeBoxDrawEvent =
    std::function<void(TObject* sender, std::int32_t column, TColor& colorLines, TColor& colorBody,
                       TColor& colorMinMax, TColor& color90Perc, TColor& colorMean,
                       TColor& colorMedian)>;

/// Everything a box plot draws with, apart from the data and the label template.
struct KVO_API TBoxPlotSettings {
  TColor ColorBody = 0xE9E9E9;
  TColor ColorLines = clBlack;
  TColor ColorMedian = clBlack;
  TColor ColorMean = clBlue;
  TColor Color90Perc = clBlue;
  TColor ColorMinMax = clBlack;
  bool Show90Perc = false;
  bool ShowMean = true;
  bool ShowMedian = true;
  bool ShowMinMax = true;
  double BoxWidth = 0.5;
  TBoxPlotGridStyle GridStyle = bpgsNone;
  TBoxPlotOrientation Orientation = bpltVertical;
  std::uint8_t SymbolMin = 26;
  std::uint8_t SymbolMax = 26;
  std::uint8_t SymbolMean = 5;
  std::uint8_t SymbolMedian = 0;
  std::uint8_t Symbol90Perc = 0;
  bool operator==(const TBoxPlotSettings&) const = default;
};

/// Statistics of one column; NaN where the column has no numbers.
struct KVO_API TBoxStats {
  std::int64_t Count = 0;  ///< numeric cells
  double Min = 0, Max = 0, Mean = 0;
  double P10 = 0, Q1 = 0, Median = 0, Q3 = 0, P90 = 0;
};

/// Statistics of a sample (values may be reordered); NaN entries must have been
/// removed. Percentiles by linear interpolation between order statistics.
KVO_API TBoxStats ComputeBoxStats(std::vector<double>& values);

class KVO_API TBoxPlot : public TCustomDEvari {
public:
  explicit TBoxPlot(TComponent* owner = nullptr);
  ~TBoxPlot() override;

  /// The data: column j holds the samples of box j. Owned by the plot unless
  /// another table was assigned (AssignAnotherDataTable).
  TDataTable& Data() noexcept { return *FData; }
  const TDataTable& Data() const noexcept { return *FData; }
  /// Shows an application's table (kept by the application, which must keep
  /// it alive while assigned or assign another first). The plot takes the
  /// table's OnChange; the previous external table is detached (its OnChange
  /// cleared), the plot's own table released. nullptr gives the plot a fresh
  /// table of its own (1 column x 100 rows of the default sample).
  void AssignAnotherDataTable(TDataTable* table);
  bool ExternalTable() const noexcept { return FExtMatAssigned; }

  /// Recomputes the statistics of every column.
  void CommitChangedData();
  /// The table or the label template changed: statistics, label captions and
  /// figure anew, then one repaint (deferred while painting is suppressed).
  void DataChanged(TObject* sender);
  /// Rebuilds the display list from the statistics; repaints once.
  void CreateChart();
  void Update() { CreateChart(); }

  /// Statistics of the last commit, columns 1..N (out of range: EKvoError).
  std::int32_t NrOfBoxes() const noexcept { return std::int32_t(FStats.size()); }
  const TBoxStats& Stats(std::int32_t column) const;
  const TVector& Minis() const noexcept { return FMinis; }
  const TVector& Maxis() const noexcept { return FMaxis; }
  const TVector& Means() const noexcept { return FMeans; }
  const TMatrix& Quartiles() const noexcept { return FQuarts; }      ///< N x 3
  const TMatrix& Percentiles90() const noexcept { return F90Percentils; }  ///< N x 2

  /// Value axis: smallest minimum and largest maximum of the columns with
  /// numbers, widened by margin percent of their span on each side; position
  /// axis 0..N+1. Without any number the value axis gets -1..1.
  void AutoRange(double margin);
  /// Layer 1's world rectangle in chart coordinates.
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi);
  using TCustomDEvari::AutoRange;
  using TCustomDEvari::SetRange;

  void ResetComp() override;
  /// Copies the chart settings, the box plot settings, the label template and
  /// the colour event of another box plot, and its table's contents into this
  /// plot's own table (an application's table assigned here is left alone).
  void Assign(const TObject& source) override;

  /// Appends the table (ExportAsASC with automatic precision) and then a
  /// table of the box parameters to a file. Throws EKvoError on file errors.
  void SaveDataASC(const std::string& fileName);

  /// Raises OnBeforeBoxDraw for one column.
  void TriggerBoxPlotColorsEvent(std::int32_t column, TColor& colorLines, TColor& colorBody,
                                 TColor& colorMinMax, TColor& color90Perc, TColor& colorMean,
                                 TColor& colorMedian);

  // ---- Properties ---------------------------------------------------------------------
  const TBoxPlotSettings& Settings() const noexcept { return FSet; }
  /// Takes a whole settings value (clamped as the setters do); one rebuild.
  void SetSettings(const TBoxPlotSettings& v);
  TColor ColorBody() const noexcept { return FSet.ColorBody; }
  TColor ColorLines() const noexcept { return FSet.ColorLines; }
  TColor ColorMedian() const noexcept { return FSet.ColorMedian; }
  TColor ColorMean() const noexcept { return FSet.ColorMean; }
  TColor Color90Perc() const noexcept { return FSet.Color90Perc; }
  TColor ColorMinMax() const noexcept { return FSet.ColorMinMax; }
  void SetColorBody(TColor v);
  void SetColorLines(TColor v);
  void SetColorMedian(TColor v);
  void SetColorMean(TColor v);
  void SetColor90Perc(TColor v);
  void SetColorMinMax(TColor v);
  bool Show90Perc() const noexcept { return FSet.Show90Perc; }
  bool ShowMean() const noexcept { return FSet.ShowMean; }
  bool ShowMedian() const noexcept { return FSet.ShowMedian; }
  bool ShowMinMax() const noexcept { return FSet.ShowMinMax; }
  void SetShow90Perc(bool v);
  void SetShowMean(bool v);
  void SetShowMedian(bool v);
  void SetShowMinMax(bool v);
  double BoxWidth() const noexcept { return FSet.BoxWidth; }
  void SetBoxWidth(double v);  ///< clamped to [0, 1]; NaN ignored
  TBoxPlotGridStyle GridStyle() const noexcept { return FSet.GridStyle; }
  void SetGridStyle(TBoxPlotGridStyle v);
  TBoxPlotOrientation Orientation() const noexcept { return FSet.Orientation; }
  /// Swaps the X and Y ranges and the visible value axis.
  void SetOrientation(TBoxPlotOrientation v);
  /// Mark types 0..51 (0: a line instead of a mark); larger values are ignored.
  std::uint8_t SymbolMin() const noexcept { return FSet.SymbolMin; }
  std::uint8_t SymbolMax() const noexcept { return FSet.SymbolMax; }
  std::uint8_t SymbolMean() const noexcept { return FSet.SymbolMean; }
  std::uint8_t SymbolMedian() const noexcept { return FSet.SymbolMedian; }
  std::uint8_t Symbol90Perc() const noexcept { return FSet.Symbol90Perc; }
  void SetSymbolMin(std::uint8_t v);
  void SetSymbolMax(std::uint8_t v);
  void SetSymbolMean(std::uint8_t v);
  void SetSymbolMedian(std::uint8_t v);
  void SetSymbol90Perc(std::uint8_t v);
  /// The template of the column labels; its changes rebuild the plot.
  TBoxPlotLabel& Labels() noexcept { return *FLabels; }
  void SetLabels(const TBoxPlotLabel& v) { FLabels->Assign(v); }

  /// Inherited chart properties under their published names.
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
  void SetGridColor(TColor v) { SetGridCol(v); }
  void SetShadowWidth(std::int32_t v) { SetF3DRim(v); }
  TScalePropsHoriz& Scale1X() noexcept { return GetScalePropsX(1); }
  TScalePropsVert& Scale1Y() noexcept { return GetScalePropsY(1); }
  TCrossHair& CrossHair1() noexcept { return CrossHair(1); }
  TTextLabel& TextLabels(std::int32_t ix) { return GetFTextLabel(ix); }

  TOnBeforeBoxDrawEvent OnBeforeBoxDraw;

protected:
  void BuildItems() override;
  void Resize() override;  ///< the labels follow the size

private:
  void ResetBoxPlot();
  void Attach(TDataTable& table);
  void Detach() noexcept;
  /// A setter's funnel: store, rebuild, repaint once.
  template <class T>
  void SetField(T TBoxPlotSettings::*field, const T& v);
  void SetSymbol(std::uint8_t TBoxPlotSettings::*field, std::uint8_t v);
  void EnsureStatistics();
  /// Clears and refills the display list and places the labels; no repaint.
  void BuildFigure();
  void PlaceLabels();
  void SetLabelCaptions();
  void ApplyChartGrid();
  void ApplyAxisVisibility();

  TBoxPlotSettings FSet;
  std::unique_ptr<TDataTable> FOwnTable;
  TDataTable* FData = nullptr;
  bool FExtMatAssigned = false;
  std::unique_ptr<TBoxPlotLabel> FLabels;
  std::vector<TBoxStats> FStats;
  TVector FMinis, FMaxis, FMeans;
  TMatrix FQuarts, F90Percentils;
  std::vector<double> FScratch;
  bool FStatsStale = true;   ///< the table changed since the last commit
  bool FFigureStale = true;  ///< the display list does not show the statistics
  /// Geometry the labels were last placed for.
  std::int32_t FPlacedW = -1, FPlacedH = -1, FPlacedL = -1, FPlacedR = -1, FPlacedT = -1,
               FPlacedB = -1;
};

}  // namespace kvo
