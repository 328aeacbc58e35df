#include "hosts/qt/qt_host.h"

#include <QCoreApplication>

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include "hosts/qt/control_widget.h"
#include "hosts/qt/convert.h"
#include "hosts/qt/cursors_p.h"
#include "hosts/qt/print_job_p.h"
#include "platform/error.h"
#include "platform/numeric.h"

namespace kvo::qt {
namespace {

// Highest cursor id looked up when taking over the headless host's table
// (the controls register a handful of small positive ids).
constexpr TCursor kMaxTakenOverCursor = 64;

// Resolution of PDF print jobs: page coordinates are whole device pixels,
// so a fine grid keeps vector output precise.
constexpr std::int32_t kPdfDpi = 300;

class TPaletteWatcher : public QObject {
public:
  explicit TPaletteWatcher(std::function<void()> onChange) : FOnChange(std::move(onChange)) {
    qApp->installEventFilter(this);
  }
  ~TPaletteWatcher() override {
    if (qApp) qApp->removeEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == qApp && e->type() == QEvent::ApplicationPaletteChange) FOnChange();
    return false;
  }

private:
  std::function<void()> FOnChange;
};

QWidget* ParentFor(QWidget* preferred) {
  return preferred ? preferred : QApplication::activeWindow();
}

}  // namespace

// ---- Palette ----------------------------------------------------------------

TThemeColors ThemeFromPalette(const QPalette& pal) {
  TThemeColors t;
  t.Window = FromQColor(pal.color(QPalette::Window));
  t.WindowText = FromQColor(pal.color(QPalette::WindowText));
  t.ButtonFace = FromQColor(pal.color(QPalette::Button));
  t.Border = FromQColor(pal.color(QPalette::WindowText));
  t.Shadow = FromQColor(pal.color(QPalette::Dark));
  t.Grid = FromQColor(pal.color(QPalette::Base));
  t.PanelText = FromQColor(pal.color(QPalette::WindowText));
  return t;
}

void ApplyPaletteToSystemColors(const QPalette& pal) {
  const auto set = [&](TColor sys, QPalette::ColorGroup g, QPalette::ColorRole role) {
    SetSystemColor(std::uint8_t(sys & 0xFF), FromQColor(pal.color(g, role)));
  };
  constexpr auto A = QPalette::Active, D = QPalette::Disabled, I = QPalette::Inactive;
  set(clScrollBar, A, QPalette::Button);
  set(clBackground, A, QPalette::Window);
  set(clActiveCaption, A, QPalette::Highlight);
  set(clInactiveCaption, I, QPalette::Mid);
  set(clMenu, A, QPalette::Window);
  set(clWindow, A, QPalette::Base);
  set(clWindowFrame, A, QPalette::WindowText);
  set(clMenuText, A, QPalette::WindowText);
  set(clWindowText, A, QPalette::Text);
  set(clCaptionText, A, QPalette::HighlightedText);
  set(clActiveBorder, A, QPalette::Button);
  set(clInactiveBorder, I, QPalette::Button);
  set(clAppWorkSpace, A, QPalette::Dark);
  set(clHighlight, A, QPalette::Highlight);
  set(clHighlightText, A, QPalette::HighlightedText);
  set(clBtnFace, A, QPalette::Button);
  set(clBtnShadow, A, QPalette::Dark);
  set(clGrayText, D, QPalette::Text);
  set(clBtnText, A, QPalette::ButtonText);
  set(clInactiveCaptionText, I, QPalette::WindowText);
  set(clBtnHighlight, A, QPalette::Light);
  set(cl3DDkShadow, A, QPalette::Shadow);
  set(cl3DLight, A, QPalette::Midlight);
  set(clInfoText, A, QPalette::ToolTipText);
  set(clInfoBk, A, QPalette::ToolTipBase);
}

void RefreshAllControls() {
  for (QWidget* w : QApplication::allWidgets())
    if (auto* host = dynamic_cast<TControlWidget*>(w))
      if (TCustomControl* c = host->Control()) c->Refresh();
}

// ---- TQtHost ------------------------------------------------------------------

namespace {
// Marks the clipboard entries this host made, so that a bitmap and an SVG
// copied one after the other become two formats of one entry, but never
// join something another program (or another part of this one) copied in
// between.
const QString kClipMarker = QStringLiteral("application/x-kvo-clipboard-entry");
}  // namespace

TQtHost::TQtHost() {
  if (!qApp) throw EPlatformError("the Qt host needs a QApplication; create it first");
  FWatcher = std::make_unique<TPaletteWatcher>([this] { PaletteChanged(); });
}

TQtHost::~TQtHost() {
  FWindows.clear();
  if (Installed()) Uninstall();
}

void TQtHost::Install() {
  THost& previous = Host();
  if (&previous == this) return;
  for (TCursor id = 1; id <= kMaxTakenOverCursor; ++id)
    if (!FCursors.count(id))
      if (auto name = previous.CursorResource(id)) FCursors[id] = *name;
  SetHost(this);
  if (FFollowPalette) ApplyPaletteToSystemColors(QApplication::palette());
}

void TQtHost::Uninstall() {
  if (!Installed()) return;
  if (ScreenCursor() != crDefault) SetScreenCursor(crDefault);
  SetHost(nullptr);
  if (FFollowPalette) ResetSystemColors();
}

bool TQtHost::Installed() const noexcept { return &Host() == this; }

void TQtHost::SetFollowPalette(bool on) {
  if (on == FFollowPalette) return;
  FFollowPalette = on;
  if (!Installed()) return;
  if (on)
    ApplyPaletteToSystemColors(QApplication::palette());
  else
    ResetSystemColors();
  RefreshAllControls();
}

void TQtHost::PaletteChanged() {
  if (!Installed() || !FFollowPalette) return;
  ApplyPaletteToSystemColors(QApplication::palette());
  RefreshAllControls();
}

bool TQtHost::Terminated() const { return QCoreApplication::closingDown(); }

void TQtHost::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TQtHost::ShowMessage(const std::string& text) {
  QMessageBox::information(ParentFor(FDialogParent), QGuiApplication::applicationDisplayName(),
                           QString::fromStdString(text));
}

void TQtHost::RegisterCursor(TCursor id, const std::string& resourceName) {
  FCursors[id] = resourceName;
}

std::optional<std::string> TQtHost::CursorResource(TCursor id) const {
  auto it = FCursors.find(id);
  if (it == FCursors.end()) return std::nullopt;
  return it->second;
}

void TQtHost::SetScreenCursor(TCursor c) {
  THost::SetScreenCursor(c);
  ApplyScreenCursor(c);
}

bool TQtHost::ClipboardStillOurs() const {
  const QMimeData* now = QGuiApplication::clipboard()->mimeData();
  return now && FClipSerial != 0 && now->data(kClipMarker) == QByteArray::number(FClipSerial);
}

void TQtHost::PublishClipboard() {
  QClipboard* cb = QGuiApplication::clipboard();
  auto mime = std::make_unique<QMimeData>();
  mime->setData(kClipMarker, QByteArray::number(++FClipSerial));
  if (FClipBitmap) mime->setImageData(ToQImage(*FClipBitmap));
  if (!FClipSvg.empty())
    mime->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(FClipSvg));
  cb->setMimeData(mime.release());  // the clipboard takes ownership
}

void TQtHost::SetClipboardBitmap(const TBitmap& bmp) {
  // Keep the SVG only when the clipboard still holds the entry we made.
  if (!ClipboardStillOurs()) FClipSvg.clear();
  FClipBitmap = std::make_unique<TBitmap>(bmp);
  PublishClipboard();
}

void TQtHost::SetClipboardSvg(const std::string& svg) {
  if (!ClipboardStillOurs()) FClipBitmap.reset();
  FClipSvg = svg;
  PublishClipboard();
}

std::unique_ptr<TPrintJob> TQtHost::BeginPrint(const std::string& title) {
  if (!FPrintFile.empty()) {
    // A4 portrait.
    return MakePdfPrintJob(FPrintFile, Round(210 / 25.4 * kPdfDpi), Round(297 / 25.4 * kPdfDpi),
                           kPdfDpi);
  }
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(QString::fromStdString(title));
  QPrintDialog dialog(printer.get(), ParentFor(FDialogParent));
  dialog.setWindowTitle(QObject::tr("Print %1").arg(QString::fromStdString(title)));
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
    // Printing to a file: write it as vector PDF at the chosen page size.
    const QSizeF mm = printer->pageLayout().fullRect(QPageLayout::Millimeter).size();
    return MakePdfPrintJob(printer->outputFileName().toStdString(),
                           Round(mm.width() / 25.4 * kPdfDpi), Round(mm.height() / 25.4 * kPdfDpi),
                           kPdfDpi);
  }
  return MakePrinterJob(std::move(printer));
}

std::optional<TThemeColors> TQtHost::ThemeColors() const {
  if (!FFollowPalette) return std::nullopt;
  return ThemeFromPalette(QApplication::palette());
}

TDeviceCaps TQtHost::ScreenCaps() const {
  TDeviceCaps caps;
  caps.RasterOps = caps.PixelRead = true;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return caps;
  caps.Width = screen->geometry().width();
  caps.Height = screen->geometry().height();
  // Controls measure in logical pixels at 96 per inch (HiDPI rendering is
  // the surface scale's business); the aspect follows the physical pixel
  // shape: ASPECTX/ASPECTY is the pixel's width relative to its height.
  const double dx = screen->physicalDotsPerInchX(), dy = screen->physicalDotsPerInchY();
  if (dx > 0 && dy > 0) caps.AspectX = Round(36.0 * dy / dx);
  return caps;
}

}  // namespace kvo::qt

namespace kvo::qt {

THostWindow* TQtHost::CreateWindowFor(TCustomControl& control) {
  if (THostWindow* existing = control.HostWindow()) return existing;
  auto window = std::make_unique<TControlWidget>(control);
  window->setWindowTitle(control.Name().empty() ? QGuiApplication::applicationDisplayName()
                                                : QString::fromStdString(control.Name()));
  window->show();
  FWindows.push_back(std::move(window));
  return FWindows.back().get();
}

}  // namespace kvo::qt
