// A small Qt window with a Kvo chart in it, from the installed package only
// (find_package(kvo COMPONENTS qt)). Runs on the offscreen platform: shows
// the window, lets Qt paint it and checks that the chart's line is on screen.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <memory>

#include <kvo/hosts/qt/control_widget.h>
#include <kvo/hosts/qt/qt_host.h>

#include "chart_scene.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kvo::qt::TQtHost host;
  host.Install();

  QWidget window;
  window.setWindowTitle("Kvo consumer");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("A chart from the installed package"));
  auto chart = std::make_unique<consumer::TChart>();
  consumer::BuildScene(*chart);
  consumer::TChart& ref = *chart;
  auto* view = new kvo::qt::TControlWidget(std::move(chart));
  layout->addWidget(view);
  window.show();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();

  const QImage shot = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int red = consumer::CountRed(shot.width(), shot.height(), [&](int x, int y) {
    const QRgb p = shot.pixel(x, y);
    return std::array<int, 3>{qRed(p), qGreen(p), qBlue(p)};
  });
  std::printf("consumer_qt: widget %dx%d, %d items, %d red pixels on screen\n", shot.width(),
              shot.height(), static_cast<int>(ref.NumItems()), red);
  return ref.NumItems() == 2 && red > 100 ? 0 : 1;
}
