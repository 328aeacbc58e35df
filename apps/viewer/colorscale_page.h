// The colour legend page: a live colour surface (a travelling wave pattern)
// coloured through a TColorScale beside it. Dragging the legend's range
// recolours the surface at once; the mouse over the surface moves the
// legend's crosshair to the value under it. A panel switches orientation,
// colour table, mouse mode and the extended end colours.
#pragma once

#include "apps/viewer/viewer_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTimer;
class QBoxLayout;

namespace kvo {
class TColorScale;
}

namespace kvo::viewer {

class TColorSurface;

class TColorScalePage : public TViewerPage {
public:
  explicit TColorScalePage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("Colour Scale"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  void SetOrientation(bool vertical);
  void LoadTable(int which);
  void ShowRange();

  TColorScale* FLegend = nullptr;
  QWidget* FLegendWidget = nullptr;
  TColorSurface* FSurface = nullptr;
  QBoxLayout* FStage = nullptr;
  QLabel* FRange = nullptr;
  QTimer* FTimer = nullptr;
};

}  // namespace kvo::viewer
