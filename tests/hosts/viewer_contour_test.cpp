// The viewer's contour tab driven offscreen: a drag pans the plot and the
// surface is estimated afresh at the new ranges, the wheel zooms, the legend
// beside it follows the iso range, and the status line reads z under the mouse.
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QWheelEvent>

#include "apps/viewer/main_window.h"
#include "colorscale/colorscale.h"
#include "devari/contour/contour.h"
#include "devari/scaleprops.h"
#include "hosts/qt/control_widget.h"
#include "tests/hosts/qt_fixture.h"

namespace kvo::test {
namespace {

class ViewerContourTest : public QtHostTest {
protected:
  void TearDown() override {
    FWindow.reset();
    QtHostTest::TearDown();
  }
  std::unique_ptr<viewer::TMainWindow> FWindow;
};

TEST_F(ViewerContourTest, PanAndZoomReEstimateTheSurface) {
  viewer::TViewerOptions options;
  options.Tab = QStringLiteral("Contour Plot");
  FWindow = std::make_unique<viewer::TMainWindow>(options);
  FWindow->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  qt::TControlWidget* widget = nullptr;
  TColorScale* legend = nullptr;
  for (QWidget* child : FWindow->findChildren<QWidget*>())
    if (auto* w = dynamic_cast<qt::TControlWidget*>(child)) {
      if (w->Control() && w->Control()->Name() == "contour") widget = w;
      if (w->Control() && w->Control()->Name() == "contourLegend") legend = dynamic_cast<TColorScale*>(w->Control());
    }
  ASSERT_NE(widget, nullptr);
  ASSERT_NE(legend, nullptr);
  auto* plot = dynamic_cast<TContourPlot*>(widget->Control());
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(plot->AttachedColorScale(), legend);
  EXPECT_EQ(legend->ScaleRangeLow(), plot->IsoLow());
  EXPECT_EQ(legend->ScaleRangeHigh(), plot->IsoHigh());

  std::int32_t x0 = 0, y0 = 0;
  plot->R2M(1, 0.0, 0.0, x0, y0);
  const int passes = plot->PassesDone();
  const double xLo = plot->GetScalePropsX(1).RangeLow();
  const QPoint from(x0, y0), to(x0 + 60, y0);
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(widget, from);
  QTest::mouseMove(widget, (from + to) / 2);
  QTest::mouseMove(widget, to);
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, to);
  EXPECT_LT(plot->GetScalePropsX(1).RangeLow(), xLo - 0.1);
  EXPECT_GT(plot->PassesDone(), passes);
  // The first pivot samples the new left end.
  EXPECT_DOUBLE_EQ(plot->PivotX(1), plot->GetScalePropsX(1).RangeLow());

  const double width = plot->GetScalePropsX(1).RangeHigh() - plot->GetScalePropsX(1).RangeLow();
  const int before = plot->PassesDone();
  QWheelEvent wheel(QPointF(to), QPointF(widget->mapToGlobal(to)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &wheel);
  EXPECT_LT(plot->GetScalePropsX(1).RangeHigh() - plot->GetScalePropsX(1).RangeLow(), width * 0.99);
  EXPECT_GT(plot->PassesDone(), before);

  QTest::mouseMove(widget, to);
  const QString text = FWindow->findChild<QLabel*>("status")->text();
  EXPECT_TRUE(text.contains(QStringLiteral("z "))) << text.toStdString();

  plot->SetIsoHigh(12);
  EXPECT_EQ(legend->ScaleRangeHigh(), 12);
  auto* mode = FWindow->findChild<QComboBox*>("contourMode");
  ASSERT_NE(mode, nullptr);
  mode->setCurrentIndex(cpmDots);
  EXPECT_EQ(plot->PlotMode(), cpmDots);
}

}  // namespace
}  // namespace kvo::test
