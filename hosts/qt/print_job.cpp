#include <QPainter>
#include <QPrinter>
#include <cstdio>

#include "hosts/qt/convert.h"
#include "hosts/qt/print_job_p.h"
#include "platform/bitmap.h"
#include "platform/error.h"
#include "platform/vectorcanvas.h"

namespace kvo::qt {
namespace {

TDeviceCaps PageCaps(TDeviceCaps caps, std::int32_t w, std::int32_t h, std::int32_t ppi) {
  caps.Width = w;
  caps.Height = h;
  caps.LogPixelsX = caps.LogPixelsY = ppi;
  caps.IsPrinter = true;
  return caps;
}

class TPdfPrintJob : public TPrintJob {
public:
  TPdfPrintJob(const std::string& path, std::int32_t w, std::int32_t h, std::int32_t ppi)
      : FPath(path),
        FFile(std::make_unique<TVectorFile>(path, TVectorFormat::Pdf, w, h, ppi)),
        FSize{w, h} {
    FFile->MarkAsPrinter();
  }
  ~TPdfPrintJob() override {
    // A job dropped without EndDoc keeps what was drawn; a write failure
    // cannot be reported from here.
    try {
      EndDoc();
    } catch (const EPlatformError&) {
    }
  }

  TCanvas& Canvas() override { return FFile ? FFile->Canvas() : FDone; }
  TSize PageSize() const override { return FSize; }
  void NewPage() override {
    if (FFile) FFile->NewPage();
  }
  void EndDoc() override {
    if (!FFile) return;
    std::unique_ptr<TVectorFile> file = std::move(FFile);
    file->Finish();
  }
  void Abort() override {
    if (!FFile) return;
    FFile.reset();
    std::remove(FPath.c_str());  // a cancelled job leaves no half-written file
  }

private:
  std::string FPath;
  std::unique_ptr<TVectorFile> FFile;
  TSize FSize;
  TCanvas FDone;  // drawing after the end goes nowhere
};

// Highest resolution a page is rasterised at: enough for sharp print, and an
// A4 page at 300 dpi is already 35 MB of pixels.
constexpr int kMaxRasterDpi = 300;

class TRasterPrintJob : public TPrintJob {
public:
  explicit TRasterPrintJob(std::unique_ptr<QPrinter> printer)
      : FPrinter(std::move(printer)),
        FDpi(std::min(FPrinter->resolution(), kMaxRasterDpi)),
        FTarget(FPrinter->pageRect(QPrinter::DevicePixel).toRect()),
        FPage(MakePage()),
        FDevice(*FPage.Canvas().Device(),
                PageCaps(FPage.Canvas().Caps(), FPage.Width(), FPage.Height(), FDpi)),
        FCanvas(&FDevice) {}
  ~TRasterPrintJob() override {
    if (!FDone) EndDoc();
  }

  TCanvas& Canvas() override { return FCanvas; }
  TSize PageSize() const override { return {FPage.Width(), FPage.Height()}; }
  void NewPage() override {
    if (FDone) return;
    SendPage();
    FPrinter->newPage();
    FPage.Fill(clWhite);
  }
  void EndDoc() override {
    if (FDone) return;
    SendPage();
    FPainter.end();
    FDone = true;
  }
  void Abort() override {
    if (FDone) return;
    FDone = true;
    if (FPainter.isActive()) {
      FPainter.end();
      FPrinter->abort();
    }
  }

private:
  // The page bitmap is kept at kMaxRasterDpi when the printer resolves finer.
  TBitmap MakePage() const {
    const int res = std::max(1, FPrinter->resolution());
    TBitmap page(std::int32_t(std::int64_t(FTarget.width()) * FDpi / res),
                 std::int32_t(std::int64_t(FTarget.height()) * FDpi / res));
    page.SetPixelsPerInch(FDpi);
    page.Fill(clWhite);
    return page;
  }
  void SendPage() {
    if (!FPainter.isActive() && !FPainter.begin(FPrinter.get())) return;
    FPainter.drawImage(QRect(0, 0, FTarget.width(), FTarget.height()), ToQImage(FPage));
  }

  std::unique_ptr<QPrinter> FPrinter;
  int FDpi;
  QRect FTarget;
  TBitmap FPage;
  TPrinterPageDevice FDevice;
  TCanvas FCanvas;
  QPainter FPainter;
  bool FDone = false;
};

}  // namespace

std::unique_ptr<TPrintJob> MakePdfPrintJob(const std::string& path, std::int32_t width,
                                           std::int32_t height, std::int32_t pixelsPerInch) {
  return std::make_unique<TPdfPrintJob>(path, width, height, pixelsPerInch);
}

std::unique_ptr<TPrintJob> MakePrinterJob(std::unique_ptr<QPrinter> printer) {
  return std::make_unique<TRasterPrintJob>(std::move(printer));
}

}  // namespace kvo::qt
