// Cursors: the host's stock cursors and the screen cursor table's images as
// QCursor values.
#pragma once

#include "../../platform/export.h"

#include <QCursor>

#include "platform/types.h"

namespace kvo::qt {

// The QCursor for a Kvo cursor id: negative ids are Qt's stock shapes,
// positive ids are looked up in the screen cursor table of the current host
// (Host().CursorResource) and loaded from the cursor images in resources/
// (LoadCursorImage). crDefault, unknown ids and missing images give the arrow.
KVO_API QCursor CursorFor(TCursor id);

// Shows c over every window of the application (the screen cursor), or
// lets each window show its own again for crDefault.
KVO_API void ApplyScreenCursor(TCursor c);

// Qt's stock shape for a negative id (crDefault and unknown ids: arrow).
KVO_API Qt::CursorShape StockCursorShape(TCursor id);

}  // namespace kvo::qt
