// Cursors: the host's stock cursors and the screen cursor table's images as
// QCursor values.
#pragma once

#include <QCursor>

#include "platform/types.h"

namespace kvo::qt {

// The QCursor for a Kvo cursor id: negative ids are Qt's stock shapes,
// positive ids are looked up in the screen cursor table of the current host
// (Host().CursorResource) and loaded from the cursor images in resources/
// (LoadCursorImage). crDefault, unknown ids and missing images give the arrow.
QCursor CursorFor(TCursor id);

// Shows c over every window of the application (the screen cursor), or
// lets each window show its own again for crDefault.
void ApplyScreenCursor(TCursor c);

// Qt's stock shape for a negative id (crDefault and unknown ids: arrow).
Qt::CursorShape StockCursorShape(TCursor id);

}  // namespace kvo::qt
