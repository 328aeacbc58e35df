// The Smith chart page: a measured-looking reflection sweep on the impedance
// grid, zoomed with buttons (the chart keeps its ranges isometric), the
// impedance under the mouse in the status line and a crosshair that follows
// a click; a panel of the grid colours.
#pragma once

#include "apps/viewer/viewer_page.h"

namespace kvo {
class TSmithChart;
}

namespace kvo::viewer {

class TSmithPage : public TViewerPage {
public:
  explicit TSmithPage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("Smith Chart"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  bool InDataArea(int x, int y) const;
  void MouseMoved(int x, int y);
  void Zoom(double factor);
  void WholeChart();  // the whole disc with a margin, whatever the aspect

  bool FWhole = true;  // the whole chart is shown: a new size fits it again

  TSmithChart* FChart = nullptr;
  QWidget* FChartWidget = nullptr;
};

}  // namespace kvo::viewer
