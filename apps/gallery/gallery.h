// The demo gallery: one function per feature page. The same functions serve
// kvo-gallery (which writes them as PNG, and some as SVG/PDF) and the golden
// image tests, so a page, its picture and its test are one scene.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace kvo {
class TBoxPlot;
class TContourPlot;
class TDataTable;
class TCustomDEvari;
class TDEvari;
class TPlot3D;
class TRot3D;
class TSmithChart;
}  // namespace kvo

namespace kvo::gallery {

struct Page {
  std::string Id;       // file stem, e.g. "canvas-sheet", "scale-linear"
  std::string Title;    // caption in the gallery index
  int Width = 800, Height = 600;
  // Draws the page onto a canvas of Width x Height (raster, SVG or PDF).
  std::function<void(TCanvas&)> Draw;
  bool Vector = false;  // also written as SVG and PDF
  // How closely the golden test compares the page with its golden picture:
  // the largest per-channel difference a pixel may have, and how many
  // pixels may exceed it (text-heavy pages allow font shading differences).
  int GoldenMaxChannelDiff = 8;
  int GoldenMaxPixelsOver = 0;
};

// The pages of one control and the folder of their golden pictures: page
// Id of group Folder is compared with tests/golden/<Folder>/<Id>.png.
struct PageGroup {
  std::string Folder;                    // subsystem folder, e.g. "scale"
  void (*Add)(std::vector<Page>& pages);  // the control's Add...Pages
};

// Each control's page file provides one Add...Pages function, listed once
// in PageGroups() (pages.cpp) in gallery order. That list is also the list
// of golden pictures: a new page is a new golden test.
void AddCanvasPages(std::vector<Page>& pages);
void AddLibsPages(std::vector<Page>& pages);
void AddScalePages(std::vector<Page>& pages);
void AddChartPages(std::vector<Page>& pages);
void AddRot3DPages(std::vector<Page>& pages);
void AddPlot3DPages(std::vector<Page>& pages);
void AddBoxPlotPages(std::vector<Page>& pages);
void AddSmithPages(std::vector<Page>& pages);
void AddContourPages(std::vector<Page>& pages);
void AddColorScalePages(std::vector<Page>& pages);
void AddGaugePages(std::vector<Page>& pages);
const std::vector<PageGroup>& PageGroups();
std::vector<Page> AllPages();  // the pages of all groups, in order

// Helpers of the page functions: a page background, a bold title (colour
// as given), and a chart painted once and copied onto the page at (x, y).
void ClearPage(TCanvas& c, int w, int h, TColor colour = 0xF4F4F4);
void PageTitle(TCanvas& c, int x, int y, const std::string& s, TColor colour = clBlack);
void ShowChart(TCanvas& page, TCustomDEvari& chart, int x, int y);

// Fills a chart with the gallery's realistic measurement (10^5 noisy samples
// with error bars, two layers, grid, caption, annotations, labels). The
// chart's size is left to the caller.
void BuildRealisticChart(TDEvari& chart);

// Fills a 3D viewer with the gallery's point cloud (10^5 points in five
// coloured clusters, the labelled centres) or its line figure (a trefoil
// knot, an octahedron, character marks), and builds the view. The viewer's
// size is left to the caller.
void BuildRot3DCloud(TRot3D& viewer);
void BuildRot3DFigure(TRot3D& viewer);

// The analytic surfaces of the 3D pages (sombrero, saddle, peaks, ripple):
// fills the plot's grid with function `which` on n x n nodes and sets its
// ranges and colour scale to suit.
int Plot3DFunctionCount();
const char* Plot3DFunctionName(int which);
void FillPlot3DFunction(TPlot3D& plot, int which, int n);

// The box plot pages' large table: `columns` channels of `rows` noisy
// samples each (some skewed), named "Ch1" ..; the same on every machine.
void FillBoxPlotTable(TDataTable& table, int columns, int rows);
// A box plot of that table (20 x 1000) with percentiles, grid and ranges.
void BuildBoxPlotDemo(TBoxPlot& plot);

// A measured-looking reflection sweep (301 points of a patch antenna's S11
// with noise) with a marker at the best match, on a Smith chart.
void BuildSmithSweep(TSmithChart& chart);

// The contour pages' function (MATLAB's "peaks") on -3..3 in both axes, fed
// through OnEstimateZVal, with the standard spectrum over IsoLow..IsoHigh.
void BuildContourDemo(TContourPlot& plot);

}  // namespace kvo::gallery
