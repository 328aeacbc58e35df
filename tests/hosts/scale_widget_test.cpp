// A stand-alone TScale in a Qt window, dragged with real Qt mouse events.
#include <QTest>

#include "hosts/qt/control_widget.h"
#include "hosts/qt/convert.h"
#include "scale/scale.h"
#include "tests/hosts/qt_fixture.h"

namespace kvo::test {
namespace {

class ScaleWidgetTest : public QtHostTest {
protected:
  void Host(TScaleType type, std::int32_t w, std::int32_t h) {
    auto scale = std::make_unique<TScale>();
    FScale = scale.get();
    FScale->SetScaleType(type);
    FScale->SetBounds(0, 0, w, h);
    FScale->SetRange(0, 100);
    FScale->OnZoomPan = [this](TObject*) { ++FZoomPans; };
    FWidget = std::make_unique<qt::TControlWidget>(std::move(scale));
    FWidget->SetSurfaceScaleOverride(1);
    FWidget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWidget.get()));
  }
  // Press, a first move (the scale takes its anchor there), the drag, release.
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(FWidget.get(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(FWidget.get(), from);
    QTest::mouseMove(FWidget.get(), (from + to) / 2);
    QTest::mouseMove(FWidget.get(), to);
    QTest::mouseRelease(FWidget.get(), Qt::LeftButton, Qt::NoModifier, to);
  }
  void TearDown() override {
    FWidget.reset();
    QtHostTest::TearDown();
  }
  TScale* FScale = nullptr;
  std::unique_ptr<qt::TControlWidget> FWidget;
  int FZoomPans = 0;
};

TEST_F(ScaleWidgetTest, PanDragShiftsTheRangeByThePixelsDragged) {
  Host(stLabelsBelow, 400, 80);
  FScale->SetMouseAction(mamPan);
  Drag({100, 40}, {172, 40});
  // Gx = 400 - 20 - 20 pixels span the range of 100: 72 pixels are 20 units.
  EXPECT_NEAR(FScale->RangeLow(), -20.0, 1e-9);
  EXPECT_NEAR(FScale->RangeHigh(), 80.0, 1e-9);
  EXPECT_GT(FZoomPans, 0);
  // The window shows the repainted scale.
  QApplication::processEvents();
  EXPECT_EQ(Presented(*FWidget), qt::ToQImage(FScale->Surface()));
}

TEST_F(ScaleWidgetTest, VerticalPanFollowsTheMouseDownwards) {
  Host(stLabelsLeft, 90, 380);
  FScale->SetMouseAction(mamPan);
  Drag({45, 100}, {45, 130});
  // Gy = 380 - 40 = 340 pixels for 100 units; moving down raises the range.
  EXPECT_NEAR(FScale->RangeLow(), 30.0 * 100 / 340, 1e-9);
  EXPECT_NEAR(FScale->RangeHigh(), 100 + 30.0 * 100 / 340, 1e-9);
}

TEST_F(ScaleWidgetTest, StretchKeepsTheFarEndAndNoActionChangesNothing) {
  Host(stLabelsBelow, 400, 80);
  FScale->SetMouseAction(mamStretch);
  // Anchored in the right half: the low end stays, the high end follows
  // H / ((X - ML) / (AnchorX - ML)).
  Drag({290, 40}, {200, 40});
  EXPECT_NEAR(FScale->RangeLow(), 0.0, 1e-12);
  EXPECT_NEAR(FScale->RangeHigh(), 100.0 / ((200.0 - 20) / (290.0 - 20)), 1e-9);

  FScale->SetRange(0, 100);
  FScale->SetMouseAction(mamNone);
  FZoomPans = 0;
  Drag({100, 40}, {200, 40});
  EXPECT_EQ(FScale->RangeLow(), 0.0);
  EXPECT_EQ(FScale->RangeHigh(), 100.0);
  EXPECT_EQ(FZoomPans, 0);
}

TEST_F(ScaleWidgetTest, DoubleClickTogglesPanAndStretch) {
  Host(stLabelsBelow, 400, 80);
  FScale->SetMouseAction(mamPan);
  QTest::mouseDClick(FWidget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 40));
  EXPECT_EQ(FScale->MouseAction(), mamStretch);
  QTest::mouseDClick(FWidget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 40));
  EXPECT_EQ(FScale->MouseAction(), mamPan);
}

TEST_F(ScaleWidgetTest, ResizeOfTheWindowReachesTheScaleTransform) {
  Host(stLabelsBelow, 400, 80);
  FWidget->resize(600, 80);
  QApplication::processEvents();
  EXPECT_EQ(FScale->Width(), 600);
  // The high end now sits at Width - MarginRight - 1.
  EXPECT_EQ(FScale->ConvertToPixelCoords(100), 579);
}

}  // namespace
}  // namespace kvo::test
