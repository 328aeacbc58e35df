// The viewer's colour legend and gauge pages driven offscreen: the legend is
// built through the component registry, a drag of its range recolours the
// surface, the orientation switch turns it; the slider drives every gauge.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "apps/viewer/main_window.h"
#include "colorscale/colorscale.h"
#include "gauge/gauge.h"
#include "hosts/qt/control_widget.h"
#include "tests/hosts/qt_fixture.h"

namespace kvo::test {
namespace {

class KvoPagesTest : public QtHostTest {
protected:
  void Open(const QString& tab) {
    viewer::TViewerOptions options;
    options.Tab = tab;
    FWindow = std::make_unique<viewer::TMainWindow>(options);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
  }
  void TearDown() override {
    FWindow.reset();
    QtHostTest::TearDown();
  }
  template <class T>
  std::vector<qt::TControlWidget*> Hosts() const {
    std::vector<qt::TControlWidget*> out;
    // The open tab's controls only (other tabs host legends too).
    auto* tabs = FWindow->findChild<QTabWidget*>("pages");
    QWidget* page = tabs ? tabs->currentWidget() : FWindow.get();
    for (QWidget* child : page->findChildren<QWidget*>())
      if (auto* w = dynamic_cast<qt::TControlWidget*>(child))
        if (dynamic_cast<T*>(w->Control())) out.push_back(w);
    return out;
  }
  std::unique_ptr<viewer::TMainWindow> FWindow;
};

TEST_F(KvoPagesTest, LegendDragRecoloursAndTurns) {
  Open(QStringLiteral("Colour Scale"));
  auto* tabs = FWindow->findChild<QTabWidget*>("pages");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("Colour Scale"));
  const auto hosts = Hosts<TColorScale>();
  ASSERT_EQ(hosts.size(), 1u);
  auto& legend = *static_cast<TColorScale*>(hosts[0]->Control());
  EXPECT_EQ(legend.ColorArray.NumColors(), 256);
  EXPECT_EQ(legend.Width(), hosts[0]->width());
  auto* registry = FWindow->findChild<QLabel*>("registry");
  ASSERT_NE(registry, nullptr);
  EXPECT_TRUE(registry->text().contains(QStringLiteral("TColorScale")));
  EXPECT_TRUE(registry->text().contains(QStringLiteral("TScaleGauge")));

  // Shift the range by dragging the middle of the bar to the right.
  const int mid = legend.ValueToPixel(0), y = 40;
  QTest::mousePress(hosts[0], Qt::LeftButton, Qt::NoModifier, QPoint(mid, y));
  QTest::mouseMove(hosts[0], QPoint(mid + 40, y));
  QTest::mouseRelease(hosts[0], Qt::LeftButton, Qt::NoModifier, QPoint(mid + 40, y));
  EXPECT_LT(legend.ColorLow(), -12);
  EXPECT_EQ(legend.ColorLow(), legend.ScaleRangeLow());
  auto* range = FWindow->findChild<QLabel*>("range");
  ASSERT_NE(range, nullptr);
  EXPECT_FALSE(range->text().contains(QStringLiteral("-12 …")));

  auto* orientation = FWindow->findChild<QComboBox*>("orientation");
  ASSERT_NE(orientation, nullptr);
  orientation->setCurrentIndex(1);
  QTest::qWait(50);
  EXPECT_EQ(legend.Orientation(), csoVertical);
  EXPECT_GT(hosts[0]->height(), hosts[0]->width());
  EXPECT_EQ(legend.Height(), hosts[0]->height());
}

TEST_F(KvoPagesTest, SliderDrivesEveryGauge) {
  Open(QStringLiteral("Gauges"));
  const auto hosts = Hosts<TScaleGauge>();
  ASSERT_EQ(hosts.size(), 6u);
  auto* animate = FWindow->findChild<QCheckBox*>("animate");
  ASSERT_NE(animate, nullptr);
  animate->setChecked(false);
  auto* slider = FWindow->findChild<QSlider*>("position");
  ASSERT_NE(slider, nullptr);
  slider->setValue(1000);
  for (auto* h : hosts) {
    const auto& g = *static_cast<TScaleGauge*>(h->Control());
    EXPECT_NEAR(g.Value(), g.Max(), 1e-9 * std::abs(g.Max())) << g.Name();
  }
  slider->setValue(0);
  for (auto* h : hosts) {
    const auto& g = *static_cast<TScaleGauge*>(h->Control());
    EXPECT_NEAR(g.Value(), g.Min(), 1e-9) << g.Name();
  }
  auto* enabled = FWindow->findChild<QCheckBox*>("enabled");
  ASSERT_NE(enabled, nullptr);
  enabled->setChecked(false);
  for (auto* h : hosts) EXPECT_FALSE(h->Control()->Enabled());
}

}  // namespace
}  // namespace kvo::test
