#include "apps/viewer/report.h"

#include <QFile>
#include <QTextStream>
#include <QWidget>
#include <memory>

namespace kvo::viewer {
namespace {
std::unique_ptr<QFile>& File() {
  static std::unique_ptr<QFile> file;
  return file;
}
}  // namespace

void OpenReport(const QString& path) {
  auto file = std::make_unique<QFile>(path);
  if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
    qWarning("kvo-viewer: cannot write the report file %s", qPrintable(path));
    return;
  }
  File() = std::move(file);
}

bool ReportOpen() { return File() != nullptr; }

void ReportLine(const QString& line) {
  if (!File()) return;
  File()->write(line.toUtf8() + '\n');
  File()->flush();
}

void ReportWidget(const QString& name, const QWidget& w) {
  const QPoint p = w.mapToGlobal(QPoint(0, 0));
  ReportLine(QStringLiteral("widget %1 %2 %3 %4 %5")
                 .arg(name)
                 .arg(p.x())
                 .arg(p.y())
                 .arg(w.width())
                 .arg(w.height()));
}

}  // namespace kvo::viewer
