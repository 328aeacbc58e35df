// The widget adapter driven through real Qt events on the offscreen platform.
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

#include "hosts/qt/control_widget.h"
#include "hosts/qt/convert.h"
#include "hosts/qt/cursors_p.h"
#include "tests/hosts/qt_fixture.h"

namespace kvo::test {
namespace {

using qt::TControlWidget;

class ControlWidgetTest : public QtHostTest {
protected:
  void SetUp() override {
    QtHostTest::SetUp();
    auto probe = std::make_unique<TProbeControl>();
    FProbe = probe.get();
    FWidget = std::make_unique<TControlWidget>(std::move(probe));
    FWidget->SetSurfaceScaleOverride(1);  // whatever the offscreen screen says
    FWidget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWidget.get()));
    FProbe->Log.clear();
  }
  void TearDown() override {
    FWidget.reset();
    QtHostTest::TearDown();
  }
  TProbeControl* FProbe = nullptr;
  std::unique_ptr<TControlWidget> FWidget;
};

TEST_F(ControlWidgetTest, TakesTheControlSizeAndPresentsItsSurface) {
  EXPECT_EQ(FWidget->size(), QSize(120, 80));
  EXPECT_EQ(FProbe->HostWindow(), FWidget.get());
  const QImage shown = Presented(*FWidget);
  ASSERT_EQ(shown.size(), QSize(120, 80));
  EXPECT_EQ(shown, qt::ToQImage(FProbe->Surface()));
  EXPECT_EQ(QColor(shown.pixel(20, 15)), QColor(Qt::blue));
  EXPECT_EQ(QColor(shown.pixel(60, 40)), QColor(Qt::yellow));
}

TEST_F(ControlWidgetTest, RefreshOfTheControlReachesTheScreen) {
  FProbe->Fill = clLime;
  FProbe->Refresh();
  QApplication::processEvents();
  EXPECT_EQ(QColor(Presented(*FWidget).pixel(60, 40)), QColor(Qt::green));
  // Invalidate paints later, through the widget's paint.
  const int before = FProbe->Paints;
  FProbe->Fill = clRed;
  FProbe->Invalidate();
  EXPECT_EQ(FProbe->Paints, before);
  EXPECT_EQ(QColor(Presented(*FWidget).pixel(60, 40)), QColor(Qt::red));
  EXPECT_GT(FProbe->Paints, before);
}

TEST_F(ControlWidgetTest, ResizeReachesSetBoundsAndTheSurface) {
  FWidget->resize(321, 123);
  QApplication::processEvents();
  EXPECT_EQ(FProbe->Width(), 321);
  EXPECT_EQ(FProbe->Height(), 123);
  const QImage shown = Presented(*FWidget);
  EXPECT_EQ(shown.size(), QSize(321, 123));
  EXPECT_EQ(shown, qt::ToQImage(FProbe->Surface()));
  EXPECT_EQ(QColor(shown.pixel(300, 100)), QColor(Qt::yellow));
}

TEST_F(ControlWidgetTest, MouseButtonsModifiersAndPositionsArriveAsSent) {
  QTest::mousePress(FWidget.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
  QTest::mouseMove(FWidget.get(), QPoint(15, 25));
  QTest::mouseRelease(FWidget.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(15, 25));
  QTest::mousePress(FWidget.get(), Qt::RightButton, Qt::ControlModifier | Qt::AltModifier,
                    QPoint(5, 6));
  QTest::mouseRelease(FWidget.get(), Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
  QTest::mousePress(FWidget.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(7, 8));
  QTest::mouseRelease(FWidget.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(7, 8));
  const std::vector<std::string> expected = {
      "down L shift+left 10,20", "move left 15,25",        "up L shift 15,25",
      "down R alt+ctrl+right 5,6", "up R - 5,6",             "down M middle 7,8",
      "up M - 7,8"};
  // Qt may add pointer moves to the pressed positions; only the
  // control-relevant sequence is compared.
  std::vector<std::string> got;
  for (const std::string& line : FProbe->Log)
    if (line.rfind("move", 0) != 0 || line == "move left 15,25") got.push_back(line);
  EXPECT_EQ(got, expected);
}

TEST_F(ControlWidgetTest, KeysArriveAsVirtualKeysAndCharacters) {
  std::vector<std::string> seen;
  FProbe->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState s) {
    seen.push_back("down " + std::to_string(key) + (s.Contains(ssShift) ? " shift" : ""));
  };
  FProbe->OnKeyUp = [&](TObject*, std::uint16_t& key, TShiftState) { seen.push_back("up " + std::to_string(key)); };
  FProbe->OnKeyPress = [&](TObject*, char& key) { seen.push_back(std::string("press ") + key); };
  FWidget->setFocus();
  QTest::keyClick(FWidget.get(), Qt::Key_A);
  QTest::keyClick(FWidget.get(), 'B', Qt::ShiftModifier);  // the character as typed
  QTest::keyClick(FWidget.get(), Qt::Key_F2);
  QTest::keyClick(FWidget.get(), Qt::Key_Delete);
  EXPECT_EQ(seen, (std::vector<std::string>{"down 65", "press a", "up 65", "down 66 shift", "press B",
                                            "up 66", "down 113", "up 113", "down 46", "up 46"}));
}

TEST_F(ControlWidgetTest, DoubleClickGivesTheClassicOrder) {
  // What the window system sends for a double click: press, release, the
  // double-click event in place of the second press, release.
  QTest::mouseClick(FWidget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
  QTest::mouseDClick(FWidget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
  QTest::mouseRelease(FWidget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
  std::vector<std::string> got;
  for (const std::string& line : FProbe->Log)
    if (line.rfind("move", 0) != 0) got.push_back(line);
  const std::vector<std::string> expected = {"down L left 30,40", "up L - 30,40", "dblclick",
                                             "down L left+double 30,40", "up L - 30,40"};
  EXPECT_EQ(got, expected);
}

TEST_F(ControlWidgetTest, EnterLeaveEnabledVisibleAndFocusFollowTheWidget) {
  QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), FWidget->mapToGlobal(QPointF(3, 3)));
  QApplication::sendEvent(FWidget.get(), &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(FWidget.get(), &leave);
  EXPECT_EQ(FProbe->Log, (std::vector<std::string>{"enter", "leave"}));

  FWidget->setEnabled(false);
  EXPECT_FALSE(FProbe->Enabled());
  FWidget->setEnabled(true);
  EXPECT_TRUE(FProbe->Enabled());

  FWidget->activateWindow();
  FWidget->setFocus(Qt::OtherFocusReason);
  QApplication::processEvents();
  ASSERT_TRUE(FWidget->hasFocus());
  EXPECT_TRUE(FProbe->Focused());
  FWidget->clearFocus();
  EXPECT_FALSE(FProbe->Focused());

  FWidget->hide();
  EXPECT_FALSE(FProbe->Visible());
  FWidget->show();
  EXPECT_TRUE(FProbe->Visible());
}

TEST_F(ControlWidgetTest, CursorFollowsTheControlsRequest) {
  FProbe->SetCursor(crCross);
  EXPECT_EQ(FWidget->cursor().shape(), Qt::CrossCursor);
  FProbe->SetCursor(crSizeWE);
  EXPECT_EQ(FWidget->cursor().shape(), Qt::SizeHorCursor);
  FProbe->SetCursor(crDefault);
  EXPECT_EQ(FWidget->RequestedCursor(), crDefault);
  EXPECT_EQ(FWidget->cursor().shape(), Qt::ArrowCursor);

  // A positive id goes through the screen cursor table to our images.
  FHost->RegisterCursor(1, "CURHAND");
  FProbe->SetCursor(1);
  EXPECT_EQ(FWidget->RequestedCursor(), 1);
  EXPECT_EQ(FWidget->cursor().shape(), Qt::BitmapCursor);
  const TCursorImage expected = LoadCursorImage("CURHAND");
  EXPECT_EQ(FWidget->cursor().pixmap().size(), QSize(expected.Image.Width(), expected.Image.Height()));
  EXPECT_EQ(FWidget->cursor().hotSpot(), QPoint(expected.HotSpot.x, expected.HotSpot.y));
  // An id nobody registered shows the arrow rather than nothing.
  FProbe->SetCursor(42);
  EXPECT_EQ(FWidget->cursor().shape(), Qt::ArrowCursor);

  // The screen cursor overrides every window until it is reset.
  Host().SetScreenCursor(crHourGlass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Host().SetScreenCursor(crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ControlWidgetTest, HighDpiRendersAtDeviceResolution) {
  FWidget->SetSurfaceScaleOverride(2);
  QApplication::processEvents();
  FWidget->repaint();
  EXPECT_EQ(FProbe->SurfaceScale(), 2.0);
  EXPECT_EQ(FProbe->Surface().Width(), 240);
  EXPECT_EQ(FProbe->Surface().Height(), 160);
  EXPECT_EQ(FProbe->Canvas().Caps().Scale, 2.0);
  // The control still thinks in logical pixels: its mark lands where it
  // would at scale 1 on the screen.
  const QImage shown = Presented(*FWidget);
  EXPECT_EQ(QColor(shown.pixel(20, 15)), QColor(Qt::blue));
  EXPECT_EQ(QColor(shown.pixel(60, 40)), QColor(Qt::yellow));
}

TEST_F(ControlWidgetTest, ControlNotOwnedIsDetachedWhenTheWidgetGoes) {
  TProbeControl probe;
  {
    TControlWidget w(probe);
    EXPECT_EQ(probe.HostWindow(), &w);
  }
  EXPECT_EQ(probe.HostWindow(), nullptr);
}

TEST_F(ControlWidgetTest, ASecondWindowTakesTheControlOver) {
  TProbeControl probe;
  TControlWidget first(probe);
  TControlWidget second(probe);
  EXPECT_EQ(probe.HostWindow(), &second);
  EXPECT_EQ(first.Control(), nullptr);
  EXPECT_EQ(second.Control(), &probe);
}

TEST_F(ControlWidgetTest, WidgetOutlivesItsControlSafely) {
  auto probe = std::make_unique<TProbeControl>();
  TControlWidget w(*probe);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  probe.reset();
  EXPECT_EQ(w.Control(), nullptr);
  // Events and paints after that must not reach the dead control.
  QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  w.resize(200, 100);
  const QImage shown = Presented(w);
  EXPECT_EQ(QColor(shown.pixel(50, 50)), w.palette().color(QPalette::Window));
}

}  // namespace
}  // namespace kvo::test

namespace kvo::test {
namespace {

// Runs with KVO_QT_TEST_SCALE=2 (its own CTest entry): the screen has two
// device pixels per logical pixel, and the control must render at that
// resolution by itself.
TEST_F(QtHostTest, HighDpiScreenGivesADeviceResolutionSurface) {
  TProbeControl probe;
  qt::TControlWidget w(probe);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  if (w.devicePixelRatioF() < 1.5) GTEST_SKIP() << "needs KVO_QT_TEST_SCALE=2";
  QApplication::processEvents();
  EXPECT_EQ(probe.SurfaceScale(), 2.0);
  EXPECT_EQ(probe.Surface().Width(), 240);
  EXPECT_EQ(probe.Surface().Height(), 160);
  const QImage shown = Presented(w);
  ASSERT_EQ(shown.size(), QSize(240, 160));  // device pixels
  EXPECT_EQ(shown, qt::ToQImage(probe.Surface()));
  // The mark's edge is sharp: a device pixel row of the logical row 10 is
  // blue from device column 20 on, not blended.
  EXPECT_EQ(QColor(shown.pixel(19, 21)), QColor(Qt::yellow));
  EXPECT_EQ(QColor(shown.pixel(20, 21)), QColor(Qt::blue));
}

}  // namespace
}  // namespace kvo::test
