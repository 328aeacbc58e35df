// Machine-readable report of the viewer (option --report FILE), used by the
// end-to-end test: where the controls sit on the screen and what the mouse
// did to them. One line per fact, appended and flushed at once.
#pragma once

#include <QString>

class QWidget;

namespace kvo::viewer {

void OpenReport(const QString& path);
bool ReportOpen();
// Writes one line ("range horizontal 0 100").
void ReportLine(const QString& line);
// Writes "widget <name> x y width height" with the widget's global position.
void ReportWidget(const QString& name, const QWidget& w);

}  // namespace kvo::viewer
