// The viewer's window and scale page driven offscreen: the panel, the status
// line, copying and the dark theme act on the hosted scales.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>

#include "apps/viewer/main_window.h"
#include "hosts/qt/control_widget.h"
#include "hosts/qt/convert.h"
#include "scale/scale.h"
#include "tests/hosts/qt_fixture.h"

namespace kvo::test {
namespace {

class ViewerTest : public QtHostTest {
protected:
  void SetUp() override {
    QtHostTest::SetUp();
    FBefore = QApplication::palette();
    viewer::TViewerOptions options;
    options.Tab = QStringLiteral("Scale");
    FWindow = std::make_unique<viewer::TMainWindow>(options);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
    // TControlWidget has no meta object of its own: find it by C++ type.
    for (QWidget* child : FWindow->findChildren<QWidget*>())
      if (auto* w = dynamic_cast<qt::TControlWidget*>(child))
        if (w->Control() && w->Control()->Name() == "horizontal") FHoriz = w;
    ASSERT_NE(FHoriz, nullptr);
  }
  void TearDown() override {
    FWindow.reset();
    QApplication::setPalette(FBefore);
    QtHostTest::TearDown();
  }
  TScale& Scale() const { return *static_cast<TScale*>(FHoriz->Control()); }
  QString StatusText() const { return FWindow->findChild<QLabel*>("status")->text(); }

  QPalette FBefore;
  std::unique_ptr<viewer::TMainWindow> FWindow;
  qt::TControlWidget* FHoriz = nullptr;
};

TEST_F(ViewerTest, OpensOnTheScalePageWithItsScalesHosted) {
  auto* tabs = FWindow->findChild<QTabWidget*>("pages");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Scale"));
  EXPECT_EQ(Scale().Width(), FHoriz->width());
  EXPECT_EQ(Presented(*FHoriz).size(), FHoriz->size() * FHoriz->devicePixelRatioF());
  EXPECT_EQ(StatusText(), QStringLiteral("Horizontal scale: range 0 to 100"));
}

TEST_F(ViewerTest, StatusLineShowsTheValueUnderTheMouse) {
  // The pixel of the value 50 on the horizontal scale.
  const int x = Scale().ConvertToPixelCoords(50);
  QTest::mouseMove(FHoriz, QPoint(x, 40));
  const QString text = StatusText();
  const qsizetype at = text.indexOf(QStringLiteral("value "));
  ASSERT_GE(at, 0) << text.toStdString();
  bool ok = false;
  const double v = text.mid(at + 6).section(QLatin1Char(' '), 0, 0).toDouble(&ok);
  ASSERT_TRUE(ok) << text.toStdString();
  // Within half a pixel of 50 (and the six digits shown).
  EXPECT_NEAR(v, 50.0, 0.5 / Scale().Transf_k() + 1e-3) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("x = %1 px").arg(x))) << text.toStdString();
}

TEST_F(ViewerTest, PanelEditsAndDragsStayInStep) {
  auto* low = FWindow->findChild<QLineEdit*>("rangeLow");
  auto* high = FWindow->findChild<QLineEdit*>("rangeHigh");
  ASSERT_NE(low, nullptr);
  low->setText(QStringLiteral("-50"));
  emit low->editingFinished();
  EXPECT_EQ(Scale().RangeLow(), -50.0);
  EXPECT_EQ(Scale().RangeHigh(), 100.0);
  // A range the scale cannot show is put back.
  high->setText(QStringLiteral("1e999"));
  emit high->editingFinished();
  EXPECT_EQ(Scale().RangeHigh(), 100.0);
  EXPECT_EQ(high->text(), QStringLiteral("100"));

  // A drag on the scale updates the panel.
  QTest::mousePress(FHoriz, Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
  QTest::mouseMove(FHoriz, QPoint(200, 40));
  QTest::mouseMove(FHoriz, QPoint(260, 40));
  QTest::mouseRelease(FHoriz, Qt::LeftButton, Qt::NoModifier, QPoint(260, 40));
  EXPECT_LT(Scale().RangeLow(), -50.0);
  EXPECT_EQ(low->text(), QString::number(Scale().RangeLow(), 'g', 10));
}

TEST_F(ViewerTest, CopyImagePutsTheScalePictureOnTheClipboard) {
  FWindow->CopyImage();
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  ASSERT_TRUE(mime->hasImage());
  const QImage img = qvariant_cast<QImage>(mime->imageData());
  EXPECT_EQ(img.width(), Scale().Surface().Width());
  EXPECT_EQ(img.height(), Scale().Surface().Height());
}

TEST_F(ViewerTest, DarkThemeDarkensTheScales) {
  const QPoint inside(FHoriz->width() / 2, FHoriz->height() - 8);  // background, below the caption
  const int lightness = QColor(Presented(*FHoriz).pixel(inside)).lightness();
  FWindow->SetDarkTheme(true);
  QApplication::processEvents();
  const int dark = QColor(Presented(*FHoriz).pixel(inside)).lightness();
  EXPECT_GT(lightness, 180);
  EXPECT_LT(dark, 90);
  FWindow->SetDarkTheme(false);
  QApplication::processEvents();
  EXPECT_EQ(QColor(Presented(*FHoriz).pixel(inside)).lightness(), lightness);
}

}  // namespace
}  // namespace kvo::test

#if KVO_VIEWER_HAVE_DEVARI
#include <QCheckBox>
#include <QComboBox>
#include <cmath>

#include "devari/tdevari.h"

namespace kvo::test {
namespace {

class ViewerChartTest : public QtHostTest {
protected:
  void SetUp() override {
    QtHostTest::SetUp();
    viewer::TViewerOptions options;
    options.Tab = QStringLiteral("Chart");
    FWindow = std::make_unique<viewer::TMainWindow>(options);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
    for (QWidget* child : FWindow->findChildren<QWidget*>())
      if (auto* w = dynamic_cast<qt::TControlWidget*>(child))
        if (w->Control() && w->Control()->Name() == "chart") FWidget = w;
    ASSERT_NE(FWidget, nullptr);
    FChart = dynamic_cast<TDEvari*>(FWidget->Control());
    ASSERT_NE(FChart, nullptr);
  }
  void TearDown() override {
    FWindow.reset();
    QtHostTest::TearDown();
  }
  QString StatusText() const { return FWindow->findChild<QLabel*>("status")->text(); }

  std::unique_ptr<viewer::TMainWindow> FWindow;
  qt::TControlWidget* FWidget = nullptr;
  TDEvari* FChart = nullptr;
};

TEST_F(ViewerChartTest, ShowsTheMeasurementAndTheWorldUnderTheMouse) {
  EXPECT_GT(FChart->NumItems(), 100000);
  EXPECT_EQ(FChart->Width(), FWidget->width());
  EXPECT_EQ(Presented(*FWidget), qt::ToQImage(FChart->Surface()));
  // The pixel of t = 50 s, a = 1 g: the status line reads those values back.
  std::int32_t x = 0, y = 0;
  FChart->R2M(1, 50.0, 1.0, x, y);
  QTest::mouseMove(FWidget, QPoint(x, y));
  const QString text = StatusText();
  // "time <t> s   a <a> g   T <T> °C": each within a pixel of the truth.
  const auto number = [&](const QString& key) {
    const qsizetype at = text.indexOf(key);
    return at < 0 ? NAN : text.mid(at + key.size()).section(QLatin1Char(' '), 0, 0).toDouble();
  };
  double kx = 0, dx = 0, ky = 0, dy = 0;
  FChart->GetTransformParams(1, kx, dx, ky, dy);
  EXPECT_NEAR(number(QStringLiteral("time ")), 50.0, 1 / std::abs(kx)) << text.toStdString();
  EXPECT_NEAR(number(QStringLiteral(" a ")), 1.0, 1 / std::abs(ky)) << text.toStdString();
  double t2 = 0, temp = 0;
  FChart->M2R(2, x, y, t2, temp);
  EXPECT_NEAR(number(QStringLiteral(" T ")), temp, 1e-3) << text.toStdString();
  // Outside the data area it tells what the chart holds.
  QTest::mouseMove(FWidget, QPoint(2, 2));
  EXPECT_TRUE(StatusText().startsWith(QStringLiteral("Measurement chart"))) << StatusText().toStdString();
}

TEST_F(ViewerChartTest, ClickPlacesTheCrosshairAndThePanelChangesTheChart) {
  std::int32_t x = 0, y = 0;
  FChart->R2M(1, 25.0, 0.0, x, y);
  QTest::mouseClick(FWidget, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
  double t = 0, a = 0;
  FChart->M2R(1, x, y, t, a);
  EXPECT_EQ(FChart->GetCHPosX(1), t);

  auto* grid = FWindow->findChild<QComboBox*>("grid");
  grid->setCurrentIndex(gsLines);
  EXPECT_EQ(FChart->GridStyle(), gsLines);
  auto* layer2 = FWindow->findChild<QCheckBox*>("layer2");
  layer2->setChecked(false);
  EXPECT_FALSE(FChart->GetLayerVisib(2));

  auto* from = FWindow->findChild<QLineEdit*>("timeFrom");
  auto* to = FWindow->findChild<QLineEdit*>("timeTo");
  from->setText(QStringLiteral("60"));
  to->setText(QStringLiteral("70"));
  emit to->editingFinished();
  EXPECT_EQ(FChart->Scale1X().RangeLow(), 60.0);
  EXPECT_EQ(FChart->Scale1X().RangeHigh(), 70.0);
  EXPECT_EQ(FChart->Scale2X().RangeLow(), 60.0);
  // The window shows the new picture.
  QApplication::processEvents();
  EXPECT_EQ(Presented(*FWidget), qt::ToQImage(FChart->Surface()));
}

TEST_F(ViewerChartTest, DarkThemeGivesADarkChartUnlessTheChartKeepsItsColours) {
  const QPalette before = QApplication::palette();
  const QPoint corner(3, 3);  // outside the data area: the window colour
  EXPECT_GT(QColor(Presented(*FWidget).pixel(corner)).lightness(), 180);
  FWindow->SetDarkTheme(true);
  QApplication::processEvents();
  EXPECT_LT(QColor(Presented(*FWidget).pixel(corner)).lightness(), 90);
  FWindow->findChild<QCheckBox*>("desktopColours")->setChecked(false);
  QApplication::processEvents();
  EXPECT_EQ(QColor(Presented(*FWidget).pixel(corner)), qt::ToQColor(FChart->WindColor()));
  QApplication::setPalette(before);
}

// On the dark theme the grid stays dimmer than the data and the crosshair
// brighter than the dark data area; with the chart's own colours both come
// back.
TEST_F(ViewerChartTest, DarkThemeKeepsTheGridBehindTheDataAndTheCrosshairVisible) {
  const QPalette before = QApplication::palette();
  const TColor lightGrid = FChart->GridColor(), lightCross = FChart->CrossHair(1).Color();
  FWindow->SetDarkTheme(true);
  QApplication::processEvents();
  const QColor base = QApplication::palette().color(QPalette::Base);
  const QColor grid = qt::ToQColor(FChart->GridColor());
  const QColor cross = qt::ToQColor(FChart->CrossHair(1).Color());
  const QColor data = qt::ToQColor(FChart->GetChartItem(1).Color);  // the measurement
  EXPECT_LT(grid.lightness(), data.lightness());  // a faint line, not white dots
  EXPECT_GT(grid.lightness(), base.lightness());
  EXPECT_GT(cross.lightness(), base.lightness() + 80);
  FWindow->findChild<QCheckBox*>("desktopColours")->setChecked(false);
  QApplication::processEvents();
  EXPECT_EQ(FChart->GridColor(), lightGrid);
  EXPECT_EQ(FChart->CrossHair(1).Color(), lightCross);
  QApplication::setPalette(before);
}

}  // namespace
}  // namespace kvo::test
#endif
