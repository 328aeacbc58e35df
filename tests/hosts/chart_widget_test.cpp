// A chart in a Qt window, driven with real Qt mouse, wheel and key events:
// the ranges follow the formulas of each mouse mode.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

#include "devari/tdevari.h"
#include "hosts/qt/control_widget.h"
#include "tests/hosts/qt_fixture.h"

namespace kvo::test {
namespace {

class ChartWidgetTest : public QtHostTest {
protected:
  void SetUp() override {
    QtHostTest::SetUp();
    auto chart = std::make_unique<TDEvari>();
    FChart = chart.get();
    FChart->SetBounds(0, 0, 500, 400);
    FChart->SetRange(1, 0, 0, 100, 100);
    FWidget = std::make_unique<qt::TControlWidget>(std::move(chart));
    FWidget->SetSurfaceScaleOverride(1);
    FWidget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWidget.get()));
  }
  void TearDown() override {
    FWidget.reset();
    QtHostTest::TearDown();
  }
  QPoint Px(double x, double y) const {
    std::int32_t mx = 0, my = 0;
    FChart->R2M(1, x, y, mx, my);
    return {mx, my};
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(FWidget.get(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(FWidget.get(), from);
    QTest::mouseMove(FWidget.get(), (from + to) / 2);
    QTest::mouseMove(FWidget.get(), to);
    QTest::mouseRelease(FWidget.get(), Qt::LeftButton, Qt::NoModifier, to);
  }
  double XLo() const { return FChart->GetScalePropsX(1).RangeLow(); }
  double XHi() const { return FChart->GetScalePropsX(1).RangeHigh(); }
  double YLo() const { return FChart->GetScalePropsY(1).RangeLow(); }
  double YHi() const { return FChart->GetScalePropsY(1).RangeHigh(); }

  TDEvari* FChart = nullptr;
  std::unique_ptr<qt::TControlWidget> FWidget;
};

TEST_F(ChartWidgetTest, PanAndDragZoomFollowTheFormulas) {
  FChart->SetMouseAction(mamPan);
  const TChartGeometry g = FChart->Geometry();
  const double dwp = g.Width - g.LRim - g.RRim - g.Shadow;
  const double dhp = g.Height - g.TRim - g.BRim - g.Shadow;
  Drag({250, 200}, {300, 180});
  EXPECT_NEAR(XLo(), -50 * 100 / dwp, 1e-9);
  EXPECT_NEAR(YLo(), -20 * 100 / dhp, 1e-9);
  FChart->SetRange(1, 0, 0, 100, 100);
  FChart->SetMouseAction(mamZoomDrag);
  Drag({250, 200}, {300, 200});  // right by a tenth of the width: 0.9
  EXPECT_NEAR(XHi() - XLo(), 90, 1e-9);
  EXPECT_NEAR(YHi() - YLo(), 100, 1e-9);
}

TEST_F(ChartWidgetTest, ZoomWindowsInBothDirectionsAndBackRestores) {
  FChart->SetMouseAction(mamZoomWindow);
  const TRectDouble before = FChart->GetZoomStackEntry(1, 0);
  Drag(Px(20, 80), Px(60, 30));
  EXPECT_NEAR(XLo(), 20, 0.5);
  EXPECT_NEAR(YLo(), 80, 0.5);  // dragged downwards: Y reversed
  FChart->SetRange(1, 0, 0, 100, 100);
  FChart->SetMouseAction(mamZoomWindowKeepDir);
  Drag(Px(60, 30), Px(20, 80));
  EXPECT_NEAR(XLo(), 20, 0.5);
  EXPECT_NEAR(YLo(), 30, 0.5);
  EXPECT_LT(YLo(), YHi());
  // Backspace returns to the state before the window.
  QTest::keyClick(FWidget.get(), Qt::Key_Backspace);
  EXPECT_EQ(XHi(), 100);
  (void)before;
}

TEST_F(ChartWidgetTest, AxesStretchCrossHairAndLabelDrag) {
  const TChartGeometry g = FChart->Geometry();
  FChart->GetScalePropsX(1).SetMouseAction(mamStretch);
  FChart->GetScalePropsY(1).SetMouseAction(mamStretch);
  const int below = g.Height - g.BRim + 12;
  Drag({400, below}, {300, below});
  EXPECT_NE(XHi(), 100);
  EXPECT_EQ(YHi(), 100);
  const double xhi = XHi();
  Drag({g.LRim - 12, 100}, {g.LRim - 12, 160});
  EXPECT_NE(YHi(), 100);
  EXPECT_EQ(XHi(), xhi);

  FChart->SetRange(1, 0, 0, 100, 100);
  FChart->SetMouseAction(mamDragCrossHair);
  FChart->CrossHair(1).SetCrossHMode(chBoth);
  Drag(Px(50, 50), Px(25, 75));
  EXPECT_NEAR(FChart->GetCHPosX(1), 25, 0.5);
  EXPECT_NEAR(FChart->GetCHPosY(1), 75, 0.5);

  FChart->SetMouseAction(mamDragTextLabel);
  const std::int32_t n = FChart->AddTextLabel(40, 40, clRed, "peak", 0);
  Drag(Px(40, 40), Px(70, 20));
  EXPECT_NEAR(FChart->GetFTextLabel(n).PosX(), 70, 0.5);
  EXPECT_NEAR(FChart->GetFTextLabel(n).PosY(), 20, 0.5);
}

TEST_F(ChartWidgetTest, WheelZoomsAboutTheMouseAndKeysPan) {
  const QPoint at = Px(25, 50);
  QWheelEvent wheel(QPointF(at), QPointF(FWidget->mapToGlobal(at)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(FWidget.get(), &wheel);
  EXPECT_NEAR(XHi() - XLo(), 80, 1e-9);
  double wx = 0, wy = 0;
  FChart->M2R(1, at.x(), at.y(), wx, wy);
  EXPECT_NEAR(wx, 25, 0.5);
  const double lo = XLo();
  QTest::keyClick(FWidget.get(), Qt::Key_Right);
  EXPECT_NEAR(XLo(), lo + 8, 1e-9);
  QTest::keyClick(FWidget.get(), Qt::Key_Minus);
  EXPECT_NEAR(XHi() - XLo(), 100, 1e-9);
}

}  // namespace
}  // namespace kvo::test
