#include "apps/viewer/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <memory>

#include "apps/viewer/pages.h"
#include "apps/viewer/viewer_page.h"
#include "devari/chartexport.h"
#include "platform/control.h"
#include "platform/error.h"
#include "platform/host.h"

namespace kvo::viewer {

QString FormatValue(double v) {
  if (!std::isfinite(v)) return QStringLiteral("–");
  if (v == 0) return QStringLiteral("0");
  return QString::number(v, 'g', 6);
}

QPalette DarkPalette() {
  QPalette p;
  const QColor window(0x2b, 0x2d, 0x30), base(0x1f, 0x20, 0x22), text(0xe6, 0xe6, 0xe6);
  const QColor disabled(0x80, 0x80, 0x80), accent(0x3d, 0x8e, 0xe0);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, disabled);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(0x3a, 0x3c, 0x40));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::red);
  p.setColor(QPalette::Light, QColor(0x55, 0x58, 0x5c));
  p.setColor(QPalette::Midlight, QColor(0x45, 0x47, 0x4b));
  p.setColor(QPalette::Mid, QColor(0x33, 0x35, 0x38));
  p.setColor(QPalette::Dark, QColor(0x18, 0x19, 0x1b));
  p.setColor(QPalette::Shadow, QColor(0x0c, 0x0c, 0x0d));
  p.setColor(QPalette::Highlight, accent);
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, accent);
  p.setColor(QPalette::Disabled, QPalette::Text, disabled);
  p.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
  p.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
  return p;
}

TMainWindow::TMainWindow(const TViewerOptions& options, QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Kvo Viewer"));
  FTabs = new QTabWidget(this);
  FTabs->setDocumentMode(true);
  FTabs->setObjectName(QStringLiteral("pages"));
  setCentralWidget(FTabs);

  FStatus = new QLabel(this);
  FStatus->setMinimumWidth(420);
  FStatus->setObjectName(QStringLiteral("status"));
  statusBar()->addWidget(FStatus, 1);

  for (TViewerPage* page : CreatePages(FTabs)) AddPage(page);
  QObject::connect(FTabs, &QTabWidget::currentChanged, this, [this] {
    if (TViewerPage* page = CurrentPage()) FStatus->setText(page->IdleStatus());
  });
  for (int i = 0; i < FTabs->count(); ++i)
    if (FTabs->tabText(i).compare(options.Tab, Qt::CaseInsensitive) == 0) FTabs->setCurrentIndex(i);
  if (TViewerPage* page = CurrentPage()) FStatus->setText(page->IdleStatus());

  BuildMenus();
  if (options.Dark) SetDarkTheme(true);
  // 1120 x 720, or nine tenths of a smaller screen.
  QSize size(1120, 720);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableSize() * 0.9);
  resize(size);
}

void TMainWindow::AddPage(TViewerPage* page) {
  page->OnStatus = [this, page](const QString& text) {
    if (page == CurrentPage()) FStatus->setText(text);
  };
  FPages.push_back(page);
  FTabs->addTab(page, page->Title());
}

TViewerPage* TMainWindow::CurrentPage() const {
  return dynamic_cast<TViewerPage*>(FTabs->currentWidget());
}

void TMainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* exportAct = file->addAction(tr("&Export Image…"), this, [this] { ExportImage(); });
  exportAct->setShortcut(QKeySequence(tr("Ctrl+E")));
  QAction* printAct = file->addAction(tr("&Print…"), this, [this] { Print(); });
  printAct->setShortcut(QKeySequence::Print);
  file->addSeparator();
  QAction* quit = file->addAction(tr("&Quit"), this, [this] { close(); });
  quit->setShortcut(QKeySequence::Quit);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  QAction* copy = edit->addAction(tr("&Copy Image"), this, [this] { CopyImage(); });
  copy->setShortcut(QKeySequence::Copy);

  QMenu* view = menuBar()->addMenu(tr("&View"));
  FDarkAction = view->addAction(tr("&Dark Theme"));
  FDarkAction->setCheckable(true);
  FDarkAction->setShortcut(QKeySequence(tr("Ctrl+D")));
  QObject::connect(FDarkAction, &QAction::toggled, this, [this](bool on) { SetDarkTheme(on); });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("&About Kvo Viewer"), this, [this] { About(); });
}

void TMainWindow::SetDarkTheme(bool on) {
  if (FDarkAction && FDarkAction->isChecked() != on) {
    FDarkAction->setChecked(on);  // toggled() comes back here
    return;
  }
  // The Qt host follows the application palette: system colours and
  // visual-style colours of every hosted control change with it.
  QApplication::setPalette(on ? DarkPalette() : QApplication::style()->standardPalette());
}

void TMainWindow::CopyImage() {
  TViewerPage* page = CurrentPage();
  TCustomControl* control = page ? page->MainControl() : nullptr;
  if (!control) return;
  Host().SetClipboardBitmap(control->Surface());
  statusBar()->showMessage(tr("%1 copied to the clipboard").arg(page->Title()), 3000);
}

void TMainWindow::ExportImage() {
  TViewerPage* page = CurrentPage();
  TCustomControl* control = page ? page->MainControl() : nullptr;
  if (!control) return;
  // A 2D chart draws its export itself, as vectors where the file is one.
  auto* chart = dynamic_cast<TCustomDEvari*>(control);
  const QString filters = chart ? tr("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf);;"
                                     "Windows bitmap (*.bmp)")
                                : tr("PNG image (*.png);;Windows bitmap (*.bmp)");
  const QString name = QFileDialog::getSaveFileName(
      this, tr("Export Image"), page->Title().toLower() + QStringLiteral(".png"), filters);
  if (name.isEmpty()) return;
  try {
    const std::string file = name.toStdString();
    if (chart && (name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ||
                  name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)))
      CopyToWMF(*chart, file, false);
    else if (chart)
      CopyToBMP(*chart, file, false);
    else
      control->Surface().SaveToFile(file);
    statusBar()->showMessage(tr("Saved %1").arg(name), 3000);
  } catch (const std::exception& e) {
    QMessageBox::warning(this, tr("Export Image"),
                         tr("Could not save %1:\n%2").arg(name, QString::fromUtf8(e.what())));
  }
}

void TMainWindow::Print() {
  TViewerPage* page = CurrentPage();
  TCustomControl* control = page ? page->MainControl() : nullptr;
  if (!control) return;
  if (auto* chart = dynamic_cast<TCustomDEvari*>(control)) {
    // The chart prints itself: vectors at its screen size, shrunk to the page.
    try {
      if (PrintIt(*chart, 1.0, false)) statusBar()->showMessage(tr("%1 printed").arg(page->Title()), 3000);
    } catch (const std::exception& e) {
      QMessageBox::warning(this, tr("Print"), QString::fromUtf8(e.what()));
    }
    return;
  }
  std::unique_ptr<TPrintJob> job;
  try {
    job = Host().BeginPrint(("Kvo Viewer – " + page->Title()).toStdString());
  } catch (const EPlatformError& e) {
    QMessageBox::warning(this, tr("Print"), QString::fromUtf8(e.what()));
    return;
  }
  if (!job) return;  // cancelled
  // The picture fills the page width inside a 15 mm margin, keeping its shape.
  const TSize paper = job->PageSize();
  const TBitmap& img = control->Surface();
  const int ppi = job->Canvas().GetDeviceCaps(LOGPIXELSX);
  const int margin = int(std::lround(15.0 / 25.4 * ppi));
  const double fit = std::min(double(paper.cx - 2 * margin) / std::max(1, img.Width()),
                              double(paper.cy - 2 * margin) / std::max(1, img.Height()));
  const int w = int(img.Width() * fit), h = int(img.Height() * fit);
  job->Canvas().StretchDraw({margin, margin, margin + w, margin + h}, img);
  job->EndDoc();
  statusBar()->showMessage(tr("%1 printed").arg(page->Title()), 3000);
}

void TMainWindow::About() {
  QMessageBox::about(
      this, tr("About Kvo Viewer"),
      tr("<h3>Kvo Viewer</h3><p>Interactive demonstration of the Kvo chart controls, "
         "hosted in Qt %1.</p><p>Each tab shows one control; the panel on the right "
         "changes its key properties while it runs.</p>")
          .arg(QString::fromLatin1(qVersion())));
}

}  // namespace kvo::viewer
