// Conversions between Kvo values and Qt values: colours, images, shift state.
#pragma once

#include "../../platform/export.h"

#include <QColor>
#include <QImage>
#include <Qt>

#include "../../platform/bitmap.h"
#include "../../platform/types.h"

namespace kvo::qt {

// System colours are resolved through the system colour table first.
KVO_API QColor ToQColor(TColor c);
KVO_API TColor FromQColor(const QColor& c);

// An opaque copy of the bitmap (alpha forced to 255), QImage::Format_RGB32.
KVO_API QImage ToQImage(const TBitmap& bmp);
// A copy keeping the bitmap's (straight) alpha, QImage::Format_ARGB32.
KVO_API QImage ToQImageWithAlpha(const TBitmap& bmp);
// A copy of the image as a bitmap (any format; alpha kept).
KVO_API TBitmap FromQImage(const QImage& img);

// Shift state of a Qt input event: keyboard modifiers and held buttons.
KVO_API TShiftState ToShiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
// The Kvo button of a Qt button; false for buttons Kvo does not know
// (back, forward, ...).
KVO_API bool ToMouseButton(Qt::MouseButton b, TMouseButton& out);

}  // namespace kvo::qt
