// Conversions between Kvo values and Qt values: colours, images, shift state.
#pragma once

#include <QColor>
#include <QImage>
#include <Qt>

#include "platform/bitmap.h"
#include "platform/types.h"

namespace kvo::qt {

// System colours are resolved through the system colour table first.
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);

// An opaque copy of the bitmap (alpha forced to 255), QImage::Format_RGB32.
QImage ToQImage(const TBitmap& bmp);
// A copy keeping the bitmap's (straight) alpha, QImage::Format_ARGB32.
QImage ToQImageWithAlpha(const TBitmap& bmp);
// A copy of the image as a bitmap (any format; alpha kept).
TBitmap FromQImage(const QImage& img);

// Shift state of a Qt input event: keyboard modifiers and held buttons.
TShiftState ToShiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
// The Kvo button of a Qt button; false for buttons Kvo does not know
// (back, forward, ...).
bool ToMouseButton(Qt::MouseButton b, TMouseButton& out);

}  // namespace kvo::qt
