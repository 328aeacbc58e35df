// kvo-viewer: the interactive demonstration of the Kvo controls in real
// windows, one tab per control.
#include <QApplication>
#include <QCommandLineParser>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QWindow>

#include "apps/viewer/main_window.h"
#include "apps/viewer/report.h"
#include "apps/viewer/viewer_page.h"
#include "hosts/qt/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kvo-viewer"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kvo Viewer"));
  QApplication::setApplicationVersion(QStringLiteral("0.1"));
  // One look on every desktop (and under a bare X server).
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
    QApplication::setPalette(fusion->standardPalette());
  }

  QCommandLineParser args;
  args.setApplicationDescription(QStringLiteral("Interactive viewer of the Kvo chart controls."));
  args.addHelpOption();
  args.addVersionOption();
  const QCommandLineOption tab(QStringLiteral("tab"), QStringLiteral("Open the page <name> first."),
                               QStringLiteral("name"));
  const QCommandLineOption dark(QStringLiteral("dark"), QStringLiteral("Start with the dark theme."));
  const QCommandLineOption report(
      QStringLiteral("report"),
      QStringLiteral("Write where the controls are and what the mouse did to <file>."),
      QStringLiteral("file"));
  args.addOption(tab);
  args.addOption(dark);
  args.addOption(report);
  args.process(app);
  if (args.isSet(report)) kvo::viewer::OpenReport(args.value(report));

  // The host outlives every control of the window.
  kvo::qt::TQtHost host;
  host.Install();

  kvo::viewer::TViewerOptions options;
  options.Tab = args.value(tab);
  options.Dark = args.isSet(dark);
  kvo::viewer::TMainWindow window(options);
  host.SetDialogParent(&window);
  window.show();
  QTimer poll;
  if (kvo::viewer::ReportOpen()) {
    // Report the layout once the window is on the screen and painted.
    QObject::connect(&poll, &QTimer::timeout, &window, [&window, &poll] {
      if (!window.windowHandle() || !window.windowHandle()->isExposed()) return;
      poll.stop();
      if (kvo::viewer::TViewerPage* page = window.CurrentPage()) page->ReportLayout();
      kvo::viewer::ReportLine(QStringLiteral("ready"));
    });
    poll.start(50);
  }
  return QApplication::exec();
}
