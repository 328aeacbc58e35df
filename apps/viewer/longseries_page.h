// The long-series page: one chart holding 10^6, 10^7 or 10^8 line vertices
// appended in one call (a noisy signal with bursts), to pan and zoom through
// with the mouse, the wheel and the keys. The status line shows how long the
// data area took to draw; every vertex counts, only the pixels cost.
#pragma once

#include "apps/viewer/viewer_page.h"

class QComboBox;

namespace kvo {
class TDEvari;
}

namespace kvo::viewer {

class TLongSeriesPage : public TViewerPage {
public:
  explicit TLongSeriesPage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("Long series"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;

private:
  // Replaces the series by n vertices and shows all of them.
  void Fill(long long n);

  TDEvari* FChart = nullptr;
  QComboBox* FSize = nullptr;
  double FLastDrawMs = 0;
};

}  // namespace kvo::viewer
