// Painting of TCustomDEvari. The rendering pipeline (chart image, data
// image, items, axes) lives here.
#include "devari/devari.h"

namespace kvo {

void TCustomDEvari::Paint() {
  // The rendering pipeline is not part of this build yet; the display list
  // is complete without it and calls reach this point through RepaintChart.
}

void TCustomDEvari::ResetDataBitmap() {
  // Sized and painted by the rendering pipeline together with Paint.
}

}  // namespace kvo
