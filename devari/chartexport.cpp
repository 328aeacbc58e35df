#include "devari/chartexport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "devari/chartparts_p.h"
#include "devari/crosshairs_p.h"
#include "libs/kvobase.h"
#include "platform/error.h"
#include "platform/metafile.h"
#include "platform/update.h"
#include "platform/vectorcanvas.h"

namespace kvo {

namespace {

// Black and white for the duration of one output; the colours come back
// whatever happens in between (also when drawing throws).
class TBlackAndWhite {
public:
  TBlackAndWhite(TCustomDEvari& c, bool on) : FChart(c), FOn(on) {
    if (FOn) FChart.BackupColorsAndMakeBW();
  }
  ~TBlackAndWhite() {
    if (FOn) FChart.ReloadBackupColors();
  }
  TBlackAndWhite(const TBlackAndWhite&) = delete;
  TBlackAndWhite& operator=(const TBlackAndWhite&) = delete;

private:
  TCustomDEvari& FChart;
  bool FOn;
};

std::string Extension(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  const std::size_t slash = name.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string e = name.substr(dot + 1);
  for (char& ch : e) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return e;
}

// The picture drawn on canvas with its top-left corner at the canvas origin:
// the whole control, or the data area alone.
void Render(TCustomDEvari& c, TCanvas& canvas, bool daOnly, bool bw, bool crossHairs) {
  const TChartGeometry g = c.Geometry();
  const std::int32_t w = g.DataBmpWidth(), h = g.DataBmpHeight();
  const std::int32_t left = daOnly ? 0 : g.LRim, top = daOnly ? 0 : g.TRim;
  if (!daOnly) c.ConstructChartBmp(canvas);
  canvas.SetClipRect(TRect{left, top, left + w, top + h});
  c.InitGraf(canvas, left, top, w, h);
  c.ConstructDataBmpCanvas(canvas, left, top, bw, 0);
  if (crossHairs) {
    std::array<TCrossHairView, 4> views;
    for (std::size_t i = 0; i < views.size(); ++i) {
      const TCrossHair& ch = c.CrossHair(std::int32_t(i + 1));
      views[i] = {ch.PosX(), ch.PosY(), ch.Color(), ch.Mode(), ch.LineType(), ch.LineWidth(), ch.Layer()};
    }
    DrawCrossHairsOn(canvas, views, c.Transforms(), g, daOnly ? g.LRim : 0, daOnly ? g.TRim : 0,
                     ChartPaintColors(c.Style(), c.StyleElements()).Chart);
  }
  canvas.ResetClip();
}

TSize PictureSize(const TCustomDEvari& c, bool daOnly) {
  const TChartGeometry g = c.Geometry();
  return daOnly ? TSize{g.DataBmpWidth(), g.DataBmpHeight()} : TSize{g.Width, g.Height};
}

// The picture recorded at screen size, to be replayed anywhere at any scale.
std::unique_ptr<TMetafile> Record(TCustomDEvari& c, bool daOnly, bool bw, bool crossHairs) {
  const TSize s = PictureSize(c, daOnly);
  auto mf = std::make_unique<TMetafile>(s.cx, s.cy);
  Render(c, mf->Canvas(), daOnly, bw, crossHairs);
  return mf;
}

void ToBitmap(TCustomDEvari& c, TBitmap& bmp, bool daOnly, bool bw, bool crossHairs) {
  const TPaintBatch<TCustomDEvari> quiet(c);  // the screen is not repainted in between
  const TBlackAndWhite colours(c, bw);
  const TSize s = PictureSize(c, daOnly);
  if (bmp.Width() <= 0 || bmp.Height() <= 0) bmp.SetSize(s.cx, s.cy);
  bmp.Canvas().Brush().SetStyle(bsSolid);
  bmp.Canvas().Brush().SetColor(clWhite);
  bmp.Canvas().FillRect(TRect{0, 0, bmp.Width(), bmp.Height()});
  if (bmp.Width() == s.cx && bmp.Height() == s.cy) {
    Render(c, bmp.Canvas(), daOnly, bw, crossHairs);
    return;
  }
  const double k = std::min(double(bmp.Width()) / std::max(1, s.cx), double(bmp.Height()) / std::max(1, s.cy));
  const TPoint at{ClampToInt((bmp.Width() - s.cx * k) / 2), ClampToInt((bmp.Height() - s.cy * k) / 2)};
  Record(c, daOnly, bw, crossHairs)->Replay(bmp.Canvas(), at, k);
}

}  // namespace

void CopyToBitmap(TCustomDEvari& c, TBitmap& bmp, bool blkWhite, bool includeCrossHairs) {
  ToBitmap(c, bmp, false, blkWhite, includeCrossHairs);
}

void CopyToBitmapDAOnly(TCustomDEvari& c, TBitmap& bmp, bool blkWhite, bool includeCrossHairs) {
  ToBitmap(c, bmp, true, blkWhite, includeCrossHairs);
}

void CopyToBMP(TCustomDEvari& c, const std::string& fileName, bool blkWhite) {
  TBitmap bmp;
  ToBitmap(c, bmp, false, blkWhite, true);
  const std::string ext = Extension(fileName);
  try {
    bmp.SaveToFile(fileName, ext == "bmp" ? TImageFormat::Bmp : TImageFormat::Png);
  } catch (const std::exception& e) {
    throw EKvoError("Cannot write the chart picture to \"" + fileName + "\": " + e.what());
  }
}

void CopyToClipboard(TCustomDEvari& c, bool blkWhite, bool includeCrossHairs) {
  TBitmap bmp;
  ToBitmap(c, bmp, false, blkWhite, includeCrossHairs);
  Host().SetClipboardBitmap(bmp);
}

void CopyToClipboardDAOnly(TCustomDEvari& c, bool blkWhite, bool includeCrossHairs) {
  TBitmap bmp;
  ToBitmap(c, bmp, true, blkWhite, includeCrossHairs);
  Host().SetClipboardBitmap(bmp);
}

void CopyToClipboardWMF(TCustomDEvari& c, bool blkWhite) {
  TBitmap bmp;
  ToBitmap(c, bmp, false, blkWhite, true);
  const TPaintBatch<TCustomDEvari> quiet(c);
  const TBlackAndWhite colours(c, blkWhite);
  const TSize s = PictureSize(c, false);
  const std::string svg = RenderSvg(s.cx, s.cy, [&](TCanvas& canvas) { Render(c, canvas, false, blkWhite, true); });
  Host().SetClipboardBitmap(bmp);
  Host().SetClipboardSvg(svg);
}

void CopyToWMF(TCustomDEvari& c, const std::string& fileName, bool blkWhite) {
  const std::string ext = Extension(fileName);
  TVectorFormat fmt;
  if (ext == "svg") fmt = TVectorFormat::Svg;
  else if (ext == "pdf") fmt = TVectorFormat::Pdf;
  else if (ext == "ps" || ext == "eps") fmt = TVectorFormat::PostScript;
  else if (ext == "wmf" || ext == "emf")
    throw EKvoError("Windows metafiles cannot be written on this system: save \"" + fileName +
                    "\" as .svg or .pdf");
  else
    throw EKvoError("Unknown vector file kind \"" + fileName + "\": use .svg, .pdf, .ps or .eps");
  const TPaintBatch<TCustomDEvari> quiet(c);
  const TBlackAndWhite colours(c, blkWhite);
  const TSize s = PictureSize(c, false);
  try {
    TVectorFile file(fileName, fmt, s.cx, s.cy);
    Render(c, file.Canvas(), false, blkWhite, true);
    file.Finish();
  } catch (const EPlatformError& e) {
    throw EKvoError("Cannot write the chart to \"" + fileName + "\": " + e.what());
  }
}

void CopyToOpenPrinter(TCustomDEvari& c, TPrintJob& job, std::int32_t& x, std::int32_t& y,
                       double scaleF, bool blkWhite) {
  if (!(scaleF > 0) || !std::isfinite(scaleF)) scaleF = 1;
  const TPaintBatch<TCustomDEvari> quiet(c);
  const TBlackAndWhite colours(c, blkWhite);
  TCanvas& page = job.Canvas();
  const double ppi = page.GetDeviceCaps(LOGPIXELSX);
  const TSize paper = job.PageSize();
  const TSize s = PictureSize(c, false);
  double k = scaleF * ppi / 96.0;
  // Never wider or taller than what is left of the page.
  k = std::min({k, double(paper.cx - x) / std::max(1, s.cx), double(paper.cy - y) / std::max(1, s.cy)});
  if (!(k > 0)) return;
  Record(c, false, blkWhite, false)->Replay(page, TPoint{x, y}, k);
  y = ClampToInt(y + std::ceil(s.cy * k));
}

bool PrintIt(TCustomDEvari& c, double scaleF, bool blkWhite) {
  std::unique_ptr<TPrintJob> job;
  try {
    job = Host().BeginPrint(c.Name().empty() ? std::string("Kvo chart") : c.Name());
  } catch (const std::exception& e) {
    throw EKvoError(std::string("Cannot print the chart: ") + e.what());
  }
  if (!job) return false;
  std::int32_t x = 0, y = 0;
  CopyToOpenPrinter(c, *job, x, y, scaleF, blkWhite);
  job->EndDoc();
  return true;
}

}  // namespace kvo
