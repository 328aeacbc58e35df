/// @file
/// The chart's picture for the outside world: into a bitmap, a bitmap file,
/// a vector file, the clipboard or the printer, for the whole control or
/// (DAOnly) the data area alone, in colour or black and white, with or
/// without the crosshairs. Every output is drawn by the same code that paints
/// the screen.
///
/// Vector output is SVG, PDF or PostScript (Linux has no Windows metafile):
/// CopyToWMF picks the kind by the file name's extension (.svg, .pdf, .ps,
/// .eps); .wmf and .emf are refused with an error that says to use .svg or
/// .pdf. The clipboard gets a bitmap and, for the WMF form, SVG beside it.
///
/// Failures (a file that cannot be written, no clipboard, no printer) raise
/// EKvoError naming the file or device; the chart on screen is left as it
/// was, its colours restored also when an output fails half way. TDEvari
/// offers these as members.
#pragma once

#include <cstdint>
#include <string>

#include "devari.h"
#include "../platform/bitmap.h"
#include "../platform/host.h"

namespace kvo {

/// Into bmp: an empty bitmap takes the chart's size; a bitmap of another
/// size gets the picture scaled to fit, centred on white.
KVO_API void CopyToBitmap(TCustomDEvari& chart, TBitmap& bmp, bool blkWhite,
                          bool includeCrossHairs = true);
KVO_API void CopyToBitmapDAOnly(TCustomDEvari& chart, TBitmap& bmp, bool blkWhite,
                                bool includeCrossHairs = true);
/// A bitmap file, PNG or BMP by the extension (anything else: PNG content).
KVO_API void CopyToBMP(TCustomDEvari& chart, const std::string& fileName, bool blkWhite);
KVO_API void CopyToClipboard(TCustomDEvari& chart, bool blkWhite, bool includeCrossHairs = true);
KVO_API void CopyToClipboardDAOnly(TCustomDEvari& chart, bool blkWhite, bool includeCrossHairs = true);
KVO_API void CopyToClipboardWMF(TCustomDEvari& chart, bool blkWhite);
KVO_API void CopyToWMF(TCustomDEvari& chart, const std::string& fileName, bool blkWhite);
/// A print job of its own: the chart at scaleF times its screen size (in
/// inches at 96 pixels per inch), shrunk to the page if larger, at the top
/// left of the printable area. Returns false when the user cancelled.
KVO_API bool PrintIt(TCustomDEvari& chart, double scaleF, bool blkWhite);
/// Onto a page already open at (x, y) in the job's device pixels; y moves
/// below the picture.
KVO_API void CopyToOpenPrinter(TCustomDEvari& chart, TPrintJob& job, std::int32_t& x,
                               std::int32_t& y, double scaleF, bool blkWhite);

}  // namespace kvo
