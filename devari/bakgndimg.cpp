#include "devari/bakgnd_p.h"

#include <system_error>

#include "platform/error.h"
#include "platform/numeric.h"

namespace kvo {

void TBakGndImg::ResetComp() {
  FName.clear();
  FIncldPath = false;
  FFillMode = bfStretch;
  FBGAreaMode = bamNone;
  FBGAreaColor = 14540253;
  FBGAreaLeft = -1;
  FBGAreaRight = 1;
  FBGAreaTop = 1;
  FBGAreaBottom = -1;
}

void TBakGndImg::Assign(const TBakGndImg& src) {
  if (&src == this) return;
  FName = src.FName;
  FIncldPath = src.FIncldPath;
  FFillMode = src.FFillMode;
  FBGAreaMode = src.FBGAreaMode;
  FBGAreaColor = src.FBGAreaColor;
  FBGAreaLeft = src.FBGAreaLeft;
  FBGAreaRight = src.FBGAreaRight;
  FBGAreaTop = src.FBGAreaTop;
  FBGAreaBottom = src.FBGAreaBottom;
  Changed();
}

void TBakGndImg::SetName(const std::string& v) {
  FName = FIncldPath ? v : std::filesystem::path(v).filename().string();
  Changed();
}

void TBakGndImg::SetIncldPath(bool v) {
  FIncldPath = v;
  if (!v) FName = std::filesystem::path(FName).filename().string();
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill v) { FFillMode = v; Changed(); }
void TBakGndImg::SetBGAreaMode(TBGAreaMode v) { FBGAreaMode = v; Changed(); }
void TBakGndImg::SetBGAreaColor(TColor v) { FBGAreaColor = v; Changed(); }
void TBakGndImg::SetBGAreaLeft(double v) { FBGAreaLeft = v; Changed(); }
void TBakGndImg::SetBGAreaRight(double v) { FBGAreaRight = v; Changed(); }
void TBakGndImg::SetBGAreaTop(double v) { FBGAreaTop = v; Changed(); }
void TBakGndImg::SetBGAreaBottom(double v) { FBGAreaBottom = v; Changed(); }

const TBitmap* TBackgroundCache::Get(const std::string& path) {
  std::error_code ec;
  const auto t = std::filesystem::last_write_time(path, ec);
  if (ec) {
    FValid = false;
    FPath.clear();
    return nullptr;
  }
  if (FValid && path == FPath && t == FTime) return &FImage;
  FValid = false;
  try {
    FImage.LoadFromFile(path);
  } catch (const EPlatformError&) {
    FPath.clear();
    return nullptr;
  }
  FPath = path;
  FTime = t;
  FValid = !FImage.Empty();
  return FValid ? &FImage : nullptr;
}

namespace {

// Area edge in canvas pixels: NaN bounds give no area at all (checked by the
// caller), huge ones are held at +-30000.
std::int32_t Edge(std::int32_t v, std::int32_t shift) {
  return ClampPixel(std::int64_t(v) + shift);
}

void PaintArea(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
               std::int32_t height, const TBakGndImg& img, const TLayerTransforms& tf,
               std::int32_t layer, const TChartGeometry& g) {
  const TBGAreaMode mode = img.AreaMode();
  if (mode == bamNone || mode > bamHStripeInv) return;
  if (std::isnan(img.AreaLeft()) || std::isnan(img.AreaRight()) || std::isnan(img.AreaTop()) ||
      std::isnan(img.AreaBottom()))
    return;
  std::int32_t xl, yt, xr, yb;
  tf.R2M(layer, img.AreaLeft(), img.AreaTop(), xl, yt);
  tf.R2M(layer, img.AreaRight(), img.AreaBottom(), xr, yb);
  const std::int32_t sx = left - g.LRim, sy = top - g.TRim;
  xl = Edge(xl, sx);
  xr = Edge(xr, sx);
  yt = Edge(yt, sy);
  yb = Edge(yb, sy);
  const std::int32_t L = left, T = top, R = left + width, B = top + height;
  canvas.Pen().SetColor(img.AreaColor());
  canvas.Brush().SetColor(img.AreaColor());
  canvas.Brush().SetStyle(bsSolid);
  auto fill = [&](std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    canvas.Rectangle(l, t, r, b);
  };
  switch (mode) {
    case bamLeft: fill(L, T, xl, B); break;
    case bamRight: fill(xr, T, R, B); break;
    case bamTop: fill(L, T, R, yt); break;
    case bamBottom: fill(L, yb, R, B); break;
    case bamVStripe: fill(xl, T, xr, B); break;
    case bamHStripe: fill(L, yt, R, yb); break;
    case bamRect: fill(xl, yt, xr, yb); break;
    case bamRectInv:
      fill(L, T, R, yt);
      fill(L, yb, R, B);
      fill(L, T, xl, B);
      fill(xr, T, R, B);
      break;
    case bamVStripeInv:
      fill(L, T, xl, B);
      fill(xr, T, R, B);
      break;
    case bamHStripeInv:
      fill(L, T, R, yt);
      fill(L, yb, R, B);
      break;
    case bamNone: break;
  }
}

}  // namespace

void PaintDataBackground(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height, const TDataBackground& bg, TBakGndImg& img,
                         TBackgroundCache& cache, const TLayerTransforms& tf,
                         const TChartGeometry& g) {
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmCopy);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(bg.ChartColor);
  canvas.Pen().SetColor(bg.FrameColor);
  if (img.Name().empty()) {
    canvas.Rectangle(left, top, left + width, top + height);
    PaintArea(canvas, left, top, width, height, img, tf, bg.Layer, g);
    return;
  }
  const TBitmap* pic = cache.Get(img.Name());
  if (!pic) {
    canvas.Rectangle(left, top, left + width, top + height);
    img.DropName();
    return;
  }
  switch (img.FillMode()) {
    case bfNatural:
      canvas.FillRect(Rect(left, top, left + width, top + height));
      canvas.Draw(left, top, *pic);
      break;
    case bfTile: {
      const std::int32_t cols = (width - 1) / pic->Width() + 1;
      const std::int32_t rows = (height - 1) / pic->Height() + 1;
      for (std::int32_t r = 0; r < rows; ++r)
        for (std::int32_t c = 0; c < cols; ++c)
          canvas.Draw(left + c * pic->Width(), top + r * pic->Height(), *pic);
      break;
    }
    case bfStretch:
    default:
      canvas.StretchDraw(Rect(left, top, left + width, top + height), *pic);
      break;
  }
}

}  // namespace kvo
