// A chart in a Qt main window: the control hosted by kvo::qt's
// TControlWidget, zoomed and panned with the mouse, wheel and keys.
//
//   qt_chart            (a window; close it to quit)
//   qt_chart --check    (shows the window, lets it paint and quits: for tests)
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include <cmath>
#include <cstring>
#include <memory>

#include <kvo/devari/tdevari.h>
#include <kvo/hosts/qt/control_widget.h>
#include <kvo/hosts/qt/qt_host.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kvo::qt::TQtHost host;
  host.Install();

  auto chart = std::make_unique<kvo::TDEvari>();
  kvo::TDEvari& c = *chart;
  c.SetChartCaption("Resonance curve");
  c.Scale1X().SetCaption("f [Hz]");
  c.SetGridStyle(kvo::gsDotLines);
  c.SetDataCol(kvo::clNavy);
  c.SetLineWid(2);
  c.MoveTo(0.0, 0.0);
  for (int i = 1; i <= 400; ++i) {
    const double f = i * 0.5, r = f / 100.0;
    c.DrawTo(f, 1.0 / std::sqrt((1 - r * r) * (1 - r * r) + 0.01 * r * r));
  }
  c.AutoRange(0, 5);
  c.SetMouseAction(kvo::mamZoomWindowKeepDir);  // drag a window to zoom in; Backspace steps back

  QMainWindow window;
  window.setWindowTitle("Kvo chart");
  auto* view = new kvo::qt::TControlWidget(std::move(chart));
  window.setCentralWidget(view);
  c.OnMouseMoveInChart = [&window](kvo::TObject*, bool in, kvo::TShiftState, double x, double y) {
    if (in) window.statusBar()->showMessage(QString("f %1 Hz   A %2").arg(x, 0, 'f', 2).arg(y, 0, 'f', 3));
  };
  window.resize(720, 480);
  window.show();
  if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
    QTimer::singleShot(300, &app, [&] {
      const QImage shot = view->grab().toImage();
      app.exit(c.NumItems() == 401 && !shot.isNull() ? 0 : 1);
    });
  }
  return app.exec();
}
