// The gauge page: six TScaleGauge panel meters (horizontal and vertical,
// fixed and moving dials, linear and logarithmic, every kind of index)
// driven together by a slider, or by a timer that sweeps it. The panel sets
// the first gauge's index mode, every gauge's background and enabled state;
// the status line shows the dial value under the mouse.
#pragma once

#include <vector>

#include "apps/viewer/viewer_page.h"

class QCheckBox;
class QLabel;
class QSlider;
class QTimer;

namespace kvo {
class TScaleGauge;
}

namespace kvo::viewer {

class TGaugePage : public TViewerPage {
public:
  explicit TGaugePage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("Gauges"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  void SetPosition(int position);

  struct TGaugeSlot {
    TScaleGauge* Gauge;
    QWidget* Widget;
  };
  std::vector<TGaugeSlot> FGauges;
  QSlider* FSlider = nullptr;
  QLabel* FValues = nullptr;
  QTimer* FTimer = nullptr;
  int FDirection = 1;
};

}  // namespace kvo::viewer
