// The viewer's box plot and Smith chart tabs driven offscreen: the control
// is hosted, the status line reads the statistics or the impedance under the
// mouse, and the panel acts on the control.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "apps/viewer/main_window.h"
#include "hosts/qt/control_widget.h"
#include "tests/hosts/qt_fixture.h"

#if KVO_VIEWER_HAVE_BOXPLOT
#include "boxplot/boxplot.h"
#endif
#if KVO_VIEWER_HAVE_SMITH
#include "devari/smith/smith.h"
#endif

namespace kvo::test {
namespace {

class ViewerPageTest : public QtHostTest {
protected:
  void Open(const QString& tab, const std::string& control) {
    viewer::TViewerOptions options;
    options.Tab = tab;
    FWindow = std::make_unique<viewer::TMainWindow>(options);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
    for (QWidget* child : FWindow->findChildren<QWidget*>())
      if (auto* w = dynamic_cast<qt::TControlWidget*>(child))
        if (w->Control() && w->Control()->Name() == control) FWidget = w;
    ASSERT_NE(FWidget, nullptr);
  }
  void TearDown() override {
    FWindow.reset();
    QtHostTest::TearDown();
  }
  QString StatusText() const { return FWindow->findChild<QLabel*>("status")->text(); }

  std::unique_ptr<viewer::TMainWindow> FWindow;
  qt::TControlWidget* FWidget = nullptr;
};

#if KVO_VIEWER_HAVE_BOXPLOT
TEST_F(ViewerPageTest, BoxPlotTabNamesTheBoxUnderTheMouse) {
  Open(QStringLiteral("Box Plot"), "boxplot");
  auto* plot = dynamic_cast<TBoxPlot*>(FWidget->Control());
  ASSERT_NE(plot, nullptr);
  EXPECT_EQ(plot->NrOfBoxes(), 20);
  EXPECT_EQ(plot->Width(), FWidget->width());
  std::int32_t x = 0, y = 0;
  plot->R2M(1, 3.0, plot->Stats(3).Median, x, y);
  QTest::mouseMove(FWidget, QPoint(x, y));
  EXPECT_TRUE(StatusText().startsWith(QStringLiteral("Ch3: n 1000"))) << StatusText().toStdString();
  auto* orientation = FWindow->findChild<QComboBox*>("boxOrientation");
  ASSERT_NE(orientation, nullptr);
  orientation->setCurrentIndex(1);
  EXPECT_EQ(plot->Orientation(), bpltHorizontal);
  // The same box, now on the Y axis.
  plot->R2M(1, plot->Stats(3).Median, 3.0, x, y);
  QTest::mouseMove(FWidget, QPoint(x, y));
  EXPECT_TRUE(StatusText().startsWith(QStringLiteral("Ch3:"))) << StatusText().toStdString();
}
#endif

#if KVO_VIEWER_HAVE_SMITH
TEST_F(ViewerPageTest, SmithTabStaysIsometricAndReadsTheImpedance) {
  Open(QStringLiteral("Smith Chart"), "smith");
  auto* chart = dynamic_cast<TSmithChart*>(FWidget->Control());
  ASSERT_NE(chart, nullptr);
  EXPECT_GT(chart->NumItems(), 300);
  // Whole disc visible and circles round at the widget's own aspect.
  double kx, dx, ky, dy;
  chart->GetTransformParams(kx, dx, ky, dy);
  EXPECT_NEAR(kx, -ky, 0.01 * kx);
  EXPECT_LE(chart->RangeYLow(), -1.0);
  EXPECT_GE(chart->RangeYHigh(), 1.0);
  // Γ = 0 is the matched load: z = 1 + j0.
  std::int32_t x = 0, y = 0;
  chart->R2M(0.0, 0.0, x, y);
  QTest::mouseMove(FWidget, QPoint(x, y));
  const QString text = StatusText();
  const qsizetype at = text.indexOf(QStringLiteral("z "));
  ASSERT_GE(at, 0) << text.toStdString();
  bool ok = false;
  const double r = text.mid(at + 2).section(QLatin1Char(' '), 0, 0).toDouble(&ok);
  EXPECT_TRUE(ok) << text.toStdString();
  EXPECT_NEAR(r, 1.0, 0.02) << text.toStdString();  // within a pixel of Γ = 0
  const double width = chart->RangeXHigh() - chart->RangeXLow();
  FWindow->findChild<QPushButton*>("smithZoomIn")->click();
  EXPECT_NEAR(chart->RangeXHigh() - chart->RangeXLow(), width / 2, 1e-9);
  chart->GetTransformParams(kx, dx, ky, dy);
  EXPECT_NEAR(kx, -ky, 0.01 * kx);
}
#endif

}  // namespace
}  // namespace kvo::test
