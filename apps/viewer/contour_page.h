// The contour plot page: a live contour plot of an analytic function that
// the user pans (drag) and zooms (wheel); the surface is re-estimated on
// every range change, and the colour legend beside it is attached to the
// plot. The side panel picks the rendering mode, the grid resolution, a
// mask and the iso levels; the status line shows x, y and z under the mouse.
#pragma once

#include "apps/viewer/viewer_page.h"

namespace kvo {
class TColorScale;
class TContourPlot;
}  // namespace kvo

namespace kvo::viewer {

class TContourPage : public TViewerPage {
public:
  explicit TContourPage(QWidget* parent = nullptr);
  ~TContourPage() override;

  QString Title() const override { return QStringLiteral("Contour Plot"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  bool InDataArea(int x, int y) const;
  void MouseMoved(int x, int y);

  TContourPlot* FPlot = nullptr;
  TColorScale* FLegend = nullptr;
  QWidget* FPlotWidget = nullptr;
  bool FMaskDisc = false;
  int FPasses = 0;
};

}  // namespace kvo::viewer
