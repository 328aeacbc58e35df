// The box plot page: box plots of a table of 20 columns x 1000 samples, a
// panel of the figure's options (orientation, percentiles, marks, grid, box
// width, label position), new samples, fitting and the statistics export;
// the status line names the box under the mouse with its statistics.
#pragma once

#include "apps/viewer/viewer_page.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace kvo {
class TBoxPlot;
}

namespace kvo::viewer {

class TBoxPlotPage : public TViewerPage {
public:
  explicit TBoxPlotPage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("Box Plot"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  void MouseMoved(int x, int y);
  void NewSamples();
  void ExportStatistics();

  TBoxPlot* FPlot = nullptr;
  QWidget* FPlotWidget = nullptr;
  int FDraw = 0;  // how many sample sets were drawn
};

}  // namespace kvo::viewer
