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
class TDataTable;
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
};

// Each control's page file provides one Add...Pages function; AllPages()
// (pages.cpp) calls them in gallery order.
void AddCanvasPages(std::vector<Page>& pages);
void AddLibsPages(std::vector<Page>& pages);
void AddScalePages(std::vector<Page>& pages);
void AddChartPages(std::vector<Page>& pages);
void AddRot3DPages(std::vector<Page>& pages);
void AddPlot3DPages(std::vector<Page>& pages);
void AddBoxPlotPages(std::vector<Page>& pages);
void AddSmithPages(std::vector<Page>& pages);
std::vector<Page> AllPages();

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

}  // namespace kvo::gallery
