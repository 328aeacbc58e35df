// File canvases: SVG, PDF and PostScript output through Cairo. One drawing
// code path serves screen, file and printer; raster-only features (pen XOR,
// raster copy modes, pixel read-back) are reported absent in Caps() and are
// drawn as plain copies.
#pragma once

#include "export.h"

#include <functional>
#include <memory>
#include <string>

#include "canvas.h"

namespace kvo {

enum class TVectorFormat : std::uint8_t { Svg, Pdf, PostScript };

class KVO_API TVectorFile {
public:
  // width/height in device units at the given resolution (points are
  // derived from it). Throws EPlatformError when the file cannot be created.
  TVectorFile(const std::string& path, TVectorFormat fmt, std::int32_t width,
              std::int32_t height, std::int32_t pixelsPerInch = 96);
  ~TVectorFile();  // finishes the file
  TVectorFile(const TVectorFile&) = delete;
  TVectorFile& operator=(const TVectorFile&) = delete;

  TCanvas& Canvas();
  // Starts a new page (PDF/PostScript); ignored for SVG.
  void NewPage();
  // Writes and closes the file; further drawing is ignored. Throws
  // EPlatformError when the file could not be written.
  void Finish();
  // The canvas reports itself as a printer (Caps().IsPrinter).
  void MarkAsPrinter();

private:
  struct Impl;
  std::unique_ptr<Impl> FImpl;
};

// Renders the SVG text of a drawing made through fn on a width x height
// canvas (used by the clipboard).
KVO_API std::string RenderSvg(std::int32_t width, std::int32_t height,
                      const std::function<void(TCanvas&)>& fn);

}  // namespace kvo
