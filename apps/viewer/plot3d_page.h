// The 3D surface page: a TPlot3D showing one of the gallery's analytic
// surfaces, rotated and zoomed with the mouse, with the grid cell under the
// mouse in the status line and a panel of its key properties and exports.
#pragma once

#include "apps/viewer/viewer_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace kvo {
class TPlot3D;
}

namespace kvo::viewer {

class TPlot3DPage : public TViewerPage {
public:
  explicit TPlot3DPage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("3D Surface"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  void LoadFunction();
  void CellStatus(bool over, int cellX, int cellY);
  void UpdateReadout();
  void Export(const QString& format);

  TPlot3D* FPlot = nullptr;
  QWidget* FPlotWidget = nullptr;
  QComboBox* FFunction = nullptr;
  QSpinBox* FNodes = nullptr;
  QLabel* FReadout = nullptr;
};

}  // namespace kvo::viewer
