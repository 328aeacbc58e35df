#include "apps/viewer/longseries_page.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>
#include <chrono>
#include <cmath>
#include <random>
#include <span>
#include <vector>

#include "devari/tdevari.h"
#include "hosts/qt/control_widget.h"

namespace kvo::viewer {

TLongSeriesPage::TLongSeriesPage(QWidget* parent) : TViewerPage(parent) {
  auto chart = std::make_unique<TDEvari>();
  FChart = chart.get();
  FChart->SetName("longSeries");
  FChart->SetBounds(0, 0, 900, 560);
  FChart->SetGridStyle(gsLines);
  FChart->SetGridCol(RGBColor(215, 215, 215));
  FChart->Scale1X().SetCaption("s");
  FChart->SetMouseAction(mamPan);
  FChart->SetMouseCursorFixed(false);
  // The data area's drawing time, measured between the chart's own events.
  static std::chrono::steady_clock::time_point start;
  FChart->OnBeforeRenderData = [](TObject*, TCanvas&, std::int32_t, std::int32_t) {
    start = std::chrono::steady_clock::now();
  };
  FChart->OnDataRendered = [this](TObject*, TCanvas&, std::int32_t, std::int32_t) {
    FLastDrawMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  FChart->OnZoomPan = [this](TObject*) { Status(IdleStatus()); };
  auto* cw = new qt::TControlWidget(std::move(chart));
  cw->setMinimumSize(480, 320);

  FSize = new QComboBox;
  FSize->setObjectName(QStringLiteral("seriesSize"));
  FSize->addItem(tr("10^6 vertices"), 1000000.0);
  FSize->addItem(tr("10^7 vertices"), 10000000.0);
  FSize->addItem(tr("10^8 vertices (1.8 GB)"), 100000000.0);
  connect(FSize, &QComboBox::currentIndexChanged, this,
          [this](int i) { Fill(static_cast<long long>(FSize->itemData(i).toDouble())); });

  auto* tools = new QToolBar;
  tools->setObjectName(QStringLiteral("longSeriesTools"));
  tools->addWidget(new QLabel(tr(" Series: ")));
  tools->addWidget(FSize);
  tools->addSeparator();
  auto* modes = new QActionGroup(tools);
  struct TMode {
    const char* Name;
    TMouseActMode Mode;
  };
  for (const TMode m : {TMode{"Pan", mamPan}, TMode{"Zoom window", mamZoomWindowKeepDir},
                        TMode{"Drag zoom", mamZoomDrag}}) {
    QAction* a = tools->addAction(tr(m.Name));
    a->setCheckable(true);
    a->setChecked(m.Mode == mamPan);
    modes->addAction(a);
    connect(a, &QAction::triggered, this, [this, m] { FChart->SetMouseAction(m.Mode); });
  }
  tools->addSeparator();
  tools->addAction(tr("Home"), this, [this] {
    FChart->AutoRange(0, 2);
    Status(IdleStatus());
  });

  auto* hint = new QLabel(tr("Drag to pan (or choose a zoom), the wheel zooms about the mouse, "
                             "Backspace steps back, Home fits all. Every vertex is drawn: "
                             "zoom in as far as you like."));
  hint->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tools);
  layout->addWidget(cw, 1);
  layout->addWidget(hint);
  Fill(1000000);
}

void TLongSeriesPage::Fill(long long n) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FChart->SetSuppressPaint(true);
  FChart->ClearGraf();
  FChart->SetDataCol(clNavy);
  // A slow wave with a faster ripple, noise and four short bursts, appended
  // in chunks of a million (the arrays stay small).
  constexpr long long kChunk = 1000000;
  std::vector<double> x(std::size_t(std::min(n, kChunk))), y(x.size());
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> noise(-1.0, 1.0);
  const double span = 1000.0;  // seconds
  for (long long done = 0; done < n; done += kChunk) {
    const std::size_t m = std::size_t(std::min(kChunk, n - done));
    for (std::size_t i = 0; i < m; ++i) {
      const long long k = done + static_cast<long long>(i);
      const double t = span * double(k) / double(n - 1);
      x[i] = t;
      y[i] = std::sin(t * 0.035) * (1 + 0.3 * std::sin(t * 0.7)) + 0.06 * noise(rng) +
             (k % (n / 4) < n / 100000 ? 1.5 : 0);
    }
    FChart->AppendPolyline(std::span<const double>(x.data(), m), std::span<const double>(y.data(), m),
                           done > 0);
  }
  FChart->SetChartCaption(QStringLiteral("%L1 vertices").arg(n).toStdString());
  FChart->AutoRange(0, 2);
  FChart->ClearZoomHistory();
  FChart->SetSuppressPaint(false);
  QApplication::restoreOverrideCursor();
  Status(IdleStatus());
}

TCustomControl* TLongSeriesPage::MainControl() { return FChart; }

QString TLongSeriesPage::IdleStatus() const {
  return tr("%L1 items; the data area took %2 ms to draw")
      .arg(FChart->NumItems())
      .arg(FLastDrawMs, 0, 'f', 2);
}

}  // namespace kvo::viewer
