// Host services of the Qt host: message pump, message box, cursor table,
// clipboard, printing, desktop colours.
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "hosts/qt/control_widget.h"
#include "hosts/qt/convert.h"
#include "tests/hosts/qt_fixture.h"
#include "tests/support/golden.h"

namespace kvo::test {
namespace {

using HostServices = QtHostTest;

TEST_F(HostServices, InstallMakesItTheHostAndTakesOverRegisteredCursors) {
  FHost->Uninstall();
  HeadlessHost().RegisterCursor(3, "CURZOOMD");
  FHost->Install();
  EXPECT_EQ(&Host(), FHost.get());
  EXPECT_EQ(FHost->CursorResource(3), std::optional<std::string>("CURZOOMD"));
  EXPECT_EQ(FHost->CursorResource(9), std::nullopt);
  FHost->Uninstall();
  EXPECT_EQ(&Host(), &HeadlessHost());
}

TEST_F(HostServices, ProcessMessagesRunsPendingEvents) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  Host().ProcessMessages();
  EXPECT_TRUE(ran);
}

TEST_F(HostServices, ShowMessageOpensAnInformationBoxWithTheText) {
  QString seen;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        seen = box->text();
        icon = box->icon();
        box->accept();
      }
  });
  Host().ShowMessage("Data cannot be shared");
  EXPECT_EQ(seen, QStringLiteral("Data cannot be shared"));
  EXPECT_EQ(icon, QMessageBox::Information);
}

TEST_F(HostServices, ClipboardHoldsBitmapAndSvgOfOneCopy) {
  TBitmap bmp(4, 3);
  bmp.Fill(clRed);
  Host().SetClipboardBitmap(bmp);
  Host().SetClipboardSvg("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  ASSERT_TRUE(mime->hasImage());
  const QImage img = qvariant_cast<QImage>(mime->imageData());
  EXPECT_EQ(img.size(), QSize(4, 3));
  EXPECT_EQ(QColor(img.pixel(1, 1)), QColor(Qt::red));
  EXPECT_EQ(mime->data("image/svg+xml"), QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"/>"));

  // Somebody else copies text: our next bitmap must not drag the old SVG along.
  QGuiApplication::clipboard()->setText("other");
  Host().SetClipboardBitmap(bmp);
  mime = QGuiApplication::clipboard()->mimeData();
  EXPECT_TRUE(mime->hasImage());
  EXPECT_FALSE(mime->hasFormat("image/svg+xml"));
}

TEST_F(HostServices, PrintingToAFileWritesAPdfWithPrinterCaps) {
  const std::string path = TempPath("qt-print.pdf");
  std::remove(path.c_str());
  FHost->SetPrintFile(path);
  std::unique_ptr<TPrintJob> job = Host().BeginPrint("test");
  ASSERT_NE(job, nullptr);
  const TDeviceCaps caps = job->Canvas().Caps();
  EXPECT_TRUE(caps.IsPrinter);
  EXPECT_EQ(caps.LogPixelsY, 300);
  EXPECT_EQ(job->PageSize(), (TSize{2480, 3508}));  // A4 at 300 dpi
  job->Canvas().Rectangle(100, 100, 1000, 500);
  job->Canvas().TextOut(120, 120, "Kvo");
  job->NewPage();
  job->Canvas().TextOut(120, 120, "page 2");
  job->EndDoc();
  std::ifstream in(path, std::ios::binary);
  std::string head(5, '\0');
  in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
  std::string all((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(all.find("/Count 2"), std::string::npos) << "two pages expected";

  // A cancelled job leaves no file behind.
  std::remove(path.c_str());
  job = Host().BeginPrint("cancelled");
  job->Canvas().Rectangle(1, 1, 50, 50);
  job->Abort();
  EXPECT_FALSE(std::ifstream(path).good());
}

QPalette DarkPalette() {
  QPalette p;
  p.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x30));
  p.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
  p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  p.setColor(QPalette::Text, QColor(0xdd, 0xdd, 0xdd));
  p.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
  p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
  p.setColor(QPalette::Dark, QColor(0x10, 0x10, 0x10));
  return p;
}

TEST_F(HostServices, DesktopPaletteGivesThemeAndSystemColours) {
  const QPalette before = QApplication::palette();
  TProbeControl probe;
  qt::TControlWidget w(probe);
  probe.Fill = clBtnFace;  // follows the desktop's button face
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

  QApplication::setPalette(DarkPalette());
  QApplication::processEvents();
  const std::optional<TThemeColors> theme = Host().ThemeColors();
  ASSERT_TRUE(theme.has_value());
  EXPECT_EQ(theme->Window, RGBColor(0x2d, 0x2d, 0x30));
  EXPECT_EQ(theme->Grid, RGBColor(0x1e, 0x1e, 0x1e));
  EXPECT_EQ(theme->PanelText, RGBColor(0xe0, 0xe0, 0xe0));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGBColor(0x3c, 0x3c, 0x3c));
  EXPECT_EQ(ColorToRGB(clWindow), RGBColor(0x1e, 0x1e, 0x1e));
  // The hosted control was repainted in the new colours.
  EXPECT_EQ(QColor(Presented(w).pixel(60, 40)), QColor(0x3c, 0x3c, 0x3c));

  // Without palette following, no style is active and the table is ours.
  FHost->SetFollowPalette(false);
  EXPECT_FALSE(Host().ThemeColors().has_value());
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
  QApplication::setPalette(before);
}

}  // namespace
}  // namespace kvo::test

namespace kvo::test {
namespace {

TEST_F(QtHostTest, CreateWindowForShowsTheControlInAWindowOfItsOwn) {
  TProbeControl probe;
  probe.SetName("Probe");
  THostWindow* window = Host().CreateWindowFor(probe);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(probe.HostWindow(), window);
  auto* widget = dynamic_cast<qt::TControlWidget*>(window);
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->isWindow());
  EXPECT_TRUE(widget->isVisible());
  EXPECT_EQ(widget->windowTitle(), QStringLiteral("Probe"));
  EXPECT_EQ(widget->size(), QSize(120, 80));
  // Asking again gives the same window.
  EXPECT_EQ(Host().CreateWindowFor(probe), window);
  FHost.reset();  // the host closes its windows; the control is detached
  EXPECT_EQ(probe.HostWindow(), nullptr);
}

}  // namespace
}  // namespace kvo::test

#include <QPrinter>

#include "hosts/qt/print_job_p.h"

namespace kvo::test {
namespace {

// The printer path (pages rasterised and painted through QPrinter), with a
// PDF-writing QPrinter standing in for a real printer.
TEST_F(QtHostTest, PrinterJobRastersPagesOntoTheQPrinter) {
  const std::string path = TempPath("qt-printer.pdf");
  std::remove(path.c_str());
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(QString::fromStdString(path));
  printer->setResolution(600);
  std::unique_ptr<TPrintJob> job = qt::MakePrinterJob(std::move(printer));
  const TDeviceCaps caps = job->Canvas().Caps();
  EXPECT_TRUE(caps.IsPrinter);
  EXPECT_EQ(caps.LogPixelsY, 300);  // rasterised at 300 dpi at most
  // The page bitmap covers the printable area at that resolution.
  EXPECT_GT(job->PageSize().cx, 2000);
  EXPECT_LT(job->PageSize().cx, 2600);
  job->Canvas().Brush().SetColor(clRed);
  job->Canvas().Rectangle(100, 100, 600, 400);
  job->NewPage();
  job->Canvas().TextOut(100, 100, "page 2");
  job->EndDoc();
  std::ifstream in(path, std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(all.rfind("%PDF-", 0), 0u);
  EXPECT_NE(all.find("/Count 2"), std::string::npos) << "two pages expected";
}

}  // namespace
}  // namespace kvo::test
