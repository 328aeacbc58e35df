// The chart page: the gallery's measurement chart live in a window, a panel
// with its key properties, world coordinates of both layers in the status
// line, and a measuring crosshair that follows a click.
#pragma once

#include <memory>

#include "apps/viewer/viewer_page.h"
#include "platform/types.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kvo {
class TCustomDEvari;
}

namespace kvo::viewer {

class TChartPage : public TViewerPage {
public:
  explicit TChartPage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("Chart"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  bool InDataArea(int x, int y) const;
  void MouseMoved(int x, int y);
  void PlaceCrossHair(int x, int y);
  void ShowRange();
  void ApplyRange();
  void ResetView();
  // Grid and crosshair colours for the current palette.
  void FollowTheme();
  void changeEvent(QEvent* e) override;

  TCustomDEvari* FChart = nullptr;
  QWidget* FChartWidget = nullptr;
  QLineEdit* FCaption = nullptr;
  QComboBox* FGrid = nullptr;
  QCheckBox* FLayer2 = nullptr;
  QCheckBox* FAnnos = nullptr;
  QCheckBox* FDesktop = nullptr;
  QSpinBox* FShadow = nullptr;
  QLineEdit* FXLow = nullptr;
  QLineEdit* FXHigh = nullptr;
  bool FUpdating = false;
  TColor FLightGrid = 0, FLightCrossHair = 0;  // the chart's own colours
};

}  // namespace kvo::viewer
