#include "hosts/qt/convert.h"

namespace kvo::qt {

QColor ToQColor(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& c) {
  const QColor rgb = c.toRgb();
  return RGBColor(std::uint8_t(rgb.red()), std::uint8_t(rgb.green()), std::uint8_t(rgb.blue()));
}

QImage ToQImage(const TBitmap& bmp) {
  if (bmp.Empty()) return {};
  QImage img(bmp.Width(), bmp.Height(), QImage::Format_RGB32);
  // Format_RGB32 is 0xffRRGGBB per pixel, which on a little-endian machine is
  // the byte order B, G, R, A of TRGB32; the alpha byte must read 0xFF.
  for (std::int32_t y = 0; y < bmp.Height(); ++y) {
    const TRGB32* src = bmp.ScanLine(y);
    auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (std::int32_t x = 0; x < bmp.Width(); ++x)
      dst[x] = qRgb(src[x].R, src[x].G, src[x].B);
  }
  return img;
}

QImage ToQImageWithAlpha(const TBitmap& bmp) {
  if (bmp.Empty()) return {};
  QImage img(bmp.Width(), bmp.Height(), QImage::Format_ARGB32);
  for (std::int32_t y = 0; y < bmp.Height(); ++y) {
    const TRGB32* src = bmp.ScanLine(y);
    auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (std::int32_t x = 0; x < bmp.Width(); ++x)
      dst[x] = qRgba(src[x].R, src[x].G, src[x].B, src[x].A);
  }
  return img;
}

TBitmap FromQImage(const QImage& img) {
  const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
  TBitmap bmp(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    TRGB32* dst = bmp.ScanLine(y);
    for (int x = 0; x < argb.width(); ++x)
      dst[x] = {std::uint8_t(qBlue(src[x])), std::uint8_t(qGreen(src[x])),
                std::uint8_t(qRed(src[x])), std::uint8_t(qAlpha(src[x]))};
  }
  return bmp;
}

TShiftState ToShiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  TShiftState s;
  if (mods & Qt::ShiftModifier) s.Include(ssShift);
  if (mods & Qt::ControlModifier) s.Include(ssCtrl);
  if (mods & Qt::AltModifier) s.Include(ssAlt);
  if (buttons & Qt::LeftButton) s.Include(ssLeft);
  if (buttons & Qt::RightButton) s.Include(ssRight);
  if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

bool ToMouseButton(Qt::MouseButton b, TMouseButton& out) {
  switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
  }
}

}  // namespace kvo::qt
