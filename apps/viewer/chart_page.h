// The chart page: the gallery's measurement chart live in a window, a panel
// with its key properties and view (home, back and forward through the zoom
// history, isometric), world coordinates of both layers in the status line,
// a measuring crosshair that follows a click, and below it an overview
// chart that shows the same data on axes of its own.
#pragma once

#include <memory>

#include "apps/viewer/viewer_page.h"
#include "platform/types.h"

class QActionGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QToolBar;

namespace kvo {
class TDEvari;
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
  void Home();
  void StepHistory(int step);
  void SetMode(int mode);
  QString NearestItem(int x, int y) const;
  // Grid and crosshair colours for the current palette.
  void FollowTheme();
  void changeEvent(QEvent* e) override;

  TDEvari* FChart = nullptr;
  QWidget* FChartWidget = nullptr;
  QLineEdit* FCaption = nullptr;
  QComboBox* FGrid = nullptr;
  QCheckBox* FLayer2 = nullptr;
  QCheckBox* FAnnos = nullptr;
  QCheckBox* FDesktop = nullptr;
  QSpinBox* FShadow = nullptr;
  QLineEdit* FXLow = nullptr;
  QLineEdit* FXHigh = nullptr;
  QCheckBox* FIsometric = nullptr;
  QToolBar* FTools = nullptr;
  TDEvari* FOverview = nullptr;
  int FHistoryStep = 0;  // 0: the last saved view, -1 the one before, ...
  bool FUpdating = false;
  TColor FLightGrid = 0, FLightCrossHair = 0;  // the chart's own colours
};

}  // namespace kvo::viewer
