// Drawing of the data-area background: the decoded image cache and the
// painter of the chart colour, the coloured area and the image.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <filesystem>
#include <string>

#include "devari/bakgndimg.h"
#include "devari/transform.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kvo {

// The decoded background image, reloaded only when the name or the file's
// modification time change.
class KVO_API TBackgroundCache {
public:
  // The image for path, or nullptr when it cannot be read.
  const TBitmap* Get(const std::string& path);

private:
  std::string FPath;
  std::filesystem::file_time_type FTime{};
  bool FValid = false;
  TBitmap FImage;
};

struct KVO_API TDataBackground {
  TColor ChartColor = clWhite;
  TColor FrameColor = clBlack;
  std::int32_t Layer = 1;  // active layer of the area bounds
};

// Paints the data-area background: the chart colour (outlined in the frame
// colour) and the area, or the image. (left, top) is the canvas position of
// the data area's top-left pixel, width x height its size. A named image that
// cannot be read leaves the plain background and drops the name.
KVO_API void PaintDataBackground(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height, const TDataBackground& bg, TBakGndImg& img,
                         TBackgroundCache& cache, const TLayerTransforms& tf,
                         const TChartGeometry& g);

}  // namespace kvo
