// Recording canvas: every device call is stored with its arguments and the
// drawing state as values, can be compared in tests and replayed onto any
// other canvas (as a metafile would be).
#pragma once

#include "export.h"

#include <string>
#include <vector>

#include "bitmap.h"
#include "canvas.h"

namespace kvo {

enum class TMetaOp : std::uint8_t {
  Line, Polyline, Polygon, Rectangle, FillRect, Ellipse, Arc, Text, SetPixel,
  DrawBitmap, SetClip, ResetClip, SetAntialias
};

struct KVO_API TMetaRecord {
  TMetaOp Op{};
  std::vector<TPoint> Points;   // Line: a, b; Polyline/Polygon: vertices; Arc: start, end
  TRect Box{};                  // Rectangle, FillRect, Ellipse, Arc, DrawBitmap dst, clip
  TRect SrcBox{};               // DrawBitmap source rectangle
  TPenData Pen{};
  TBrushData Brush{};
  TFontData Font{};
  std::string Text;             // Text
  std::uint32_t Align = 0;      // Text
  TColor Color = 0;             // SetPixel
  TCopyMode Mode = cmSrcCopy;   // DrawBitmap; FillRect pen mode in Pen.Mode
  std::shared_ptr<const TBitmap> Image;  // DrawBitmap (a copy of the source)
  bool Flag = false;            // SetAntialias
  // Readable one-line form, e.g. "Line (1,2)-(5,2) pen #000000 w1 solid".
  std::string ToString() const;
};

class KVO_API TMetafile : public TObject {
public:
  // Size and resolution reported by the recording canvas.
  explicit TMetafile(std::int32_t width = 800, std::int32_t height = 600,
                     std::int32_t pixelsPerInch = 96);
  ~TMetafile() override;

  TCanvas& Canvas();
  const std::vector<TMetaRecord>& Records() const noexcept { return FRecords; }
  void Clear() { FRecords.clear(); }
  // Replays every record onto target. A clip or antialiasing switch of the
  // recording does not outlast the replay (the clip is reset afterwards).
  void Replay(TCanvas& target) const { Replay(target, TPoint{0, 0}, 1.0); }
  // The same with every coordinate scaled by scale and then moved by offset
  // (pen widths and font resolutions scaled alike): a recording made at
  // screen size onto a printer page or into a larger picture.
  void Replay(TCanvas& target, TPoint offset, double scale) const;
  std::int32_t Width() const noexcept { return FWidth; }
  std::int32_t Height() const noexcept { return FHeight; }
  // Text measurement of the recorder uses the real font engine.
private:
  friend class TRecordingDevice;
  std::int32_t FWidth, FHeight, FPpi;
  std::vector<TMetaRecord> FRecords;
  std::unique_ptr<TCanvasDevice> FDevice;
  std::unique_ptr<TCanvas> FCanvas;
};

}  // namespace kvo
