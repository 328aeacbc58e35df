#include "hosts/qt/cursors_p.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <map>

#include "hosts/qt/convert.h"
#include "platform/error.h"
#include "platform/host.h"

namespace kvo::qt {

Qt::CursorShape StockCursorShape(TCursor id) {
  switch (id) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

QCursor CursorFor(TCursor id) {
  if (id <= 0) return QCursor(StockCursorShape(id));
  const std::optional<std::string> name = Host().CursorResource(id);
  if (!name) return QCursor(Qt::ArrowCursor);
  // Images are kept by name (cursors change on every mouse mode switch, and
  // a file read each time would be wasteful). QImage, unlike QPixmap, may
  // outlive the application object, so the cache holds images; a missing
  // image is remembered as a null image and shows the arrow.
  struct TCached {
    QImage Image;
    QPoint Hot;
  };
  static std::map<std::string, TCached> cache;
  auto it = cache.find(*name);
  if (it == cache.end()) {
    TCached entry;
    try {
      const TCursorImage img = LoadCursorImage(*name);
      entry.Image = ToQImageWithAlpha(img.Image);
      entry.Hot = {img.HotSpot.x, img.HotSpot.y};
    } catch (const EPlatformError&) {
      entry.Image = QImage();
    }
    it = cache.emplace(*name, entry).first;
  }
  if (it->second.Image.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(QPixmap::fromImage(it->second.Image), it->second.Hot.x(), it->second.Hot.y());
}

void ApplyScreenCursor(TCursor c) {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (c != crDefault) QApplication::setOverrideCursor(CursorFor(c));
}

}  // namespace kvo::qt
