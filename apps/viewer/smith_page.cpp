#include "apps/viewer/smith_page.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "apps/gallery/gallery.h"
#include "apps/viewer/report.h"
#include "devari/smith/smith.h"
#include "hosts/qt/control_widget.h"
#include "libs/univconst.h"

namespace kvo::viewer {

TSmithPage::TSmithPage(QWidget* parent) : TViewerPage(parent) {
  auto chart = std::make_unique<TSmithChart>();
  FChart = chart.get();
  FChart->SetName("smith");
  FChart->SetBounds(0, 0, 700, 640);
  FChart->SetMarginLeft(10);
  FChart->SetMarginRight(10);
  FChart->SetMarginBottom(10);
  FChart->SetMarginTop(20);
  gallery::BuildSmithSweep(*FChart);
  WholeChart();
  FChart->OnResize = [this](TObject*) {
    if (FWhole) WholeChart();
  };
  FChart->CrossHairSetup(0x0080FF, chOff, psDot, 1);
  auto* cw = new qt::TControlWidget(std::move(chart));
  FChartWidget = cw;
  cw->setMinimumSize(420, 400);
  FChart->OnMouseMove = [this](TObject*, TShiftState, std::int32_t x, std::int32_t y) {
    MouseMoved(x, y);
  };
  FChart->OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };
  FChart->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, std::int32_t x, std::int32_t y) {
    if (b != mbLeft || !InDataArea(x, y)) return;
    double u = 0, v = 0;
    FChart->M2R(x, y, u, v);
    FChart->CrossHairSetup(0x0080FF, chBoth, psDot, 1);
    FChart->CrossHairSetPos(u, v);
    ReportLine(QStringLiteral("crosshair %1 %2").arg(u, 0, 'g', 17).arg(v, 0, 'g', 17));
  };

  auto* zoomIn = new QPushButton(tr("Zoom in"));
  auto* zoomOut = new QPushButton(tr("Zoom out"));
  auto* centre = new QPushButton(tr("Centre"));
  auto* fit = new QPushButton(tr("Fit sweep"));
  auto* home = new QPushButton(tr("Whole chart"));
  zoomIn->setObjectName(QStringLiteral("smithZoomIn"));
  zoomOut->setObjectName(QStringLiteral("smithZoomOut"));
  home->setObjectName(QStringLiteral("smithWhole"));
  auto* row1 = new QHBoxLayout;
  row1->addWidget(zoomIn);
  row1->addWidget(zoomOut);
  auto* row2 = new QHBoxLayout;
  row2->addWidget(centre);
  row2->addWidget(fit);
  auto* view = new QVBoxLayout;
  view->addLayout(row1);
  view->addLayout(row2);
  view->addWidget(home);
  auto* viewBox = new QGroupBox(tr("View"));
  viewBox->setLayout(view);

  auto* blue = new QCheckBox(tr("Blue grid"));
  blue->setObjectName(QStringLiteral("smithBlueGrid"));
  auto* items = new QCheckBox(tr("Sweep"));
  items->setChecked(true);
  auto* look = new QFormLayout;
  look->addRow(tr("Colours:"), blue);
  look->addRow(tr("Show:"), items);
  auto* lookBox = new QGroupBox(tr("Appearance"));
  lookBox->setLayout(look);

  auto* hint = new QLabel(tr("The status line shows the reflection coefficient under the mouse "
                             "and its normalised impedance; a click places the crosshair."));
  hint->setWordWrap(true);
  hint->setContentsMargins(4, 4, 4, 4);

  auto* side = new QVBoxLayout;
  side->addWidget(viewBox);
  side->addWidget(lookBox);
  side->addWidget(hint);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(260);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(cw, 1);
  layout->addWidget(panel);

  connect(zoomIn, &QPushButton::clicked, this, [this] { Zoom(0.5); });
  connect(zoomOut, &QPushButton::clicked, this, [this] { Zoom(2); });
  connect(centre, &QPushButton::clicked, this, [this] {
    FWhole = false;
    FChart->CentedEvari();
  });
  connect(fit, &QPushButton::clicked, this, [this] {
    FWhole = false;
    FChart->AutoRange(5);
  });
  connect(home, &QPushButton::clicked, this, [this] { WholeChart(); });
  for (QPushButton* b : {zoomIn, zoomOut, centre, fit, home})
    connect(b, &QPushButton::clicked, this, [this] { Status(IdleStatus()); });
  connect(blue, &QCheckBox::toggled, this, [this](bool on) {
    TSmithSettings s;
    if (on) {
      s.DiagramColor = 0xFFF2E6;
      s.GridColDark = 0xA05020;
      s.GridColLight = 0xE8C8A8;
    }
    FChart->SetSmithSettings(s);
  });
  connect(items, &QCheckBox::toggled, this, [this](bool on) { FChart->SetClassVisib(0, on); });
}

TCustomControl* TSmithPage::MainControl() { return FChart; }

QString TSmithPage::IdleStatus() const {
  return tr("Smith chart: %1 items, X %2 .. %3")
      .arg(FChart->NumItems())
      .arg(FormatValue(FChart->RangeXLow()), FormatValue(FChart->RangeXHigh()));
}

bool TSmithPage::InDataArea(int x, int y) const {
  const int w = FChart->Width(), h = FChart->Height(), s = FChart->ShadowWidth();
  return x >= FChart->LRim() && x <= w - FChart->RRim() - s && y >= FChart->TRim() &&
         y <= h - FChart->BRim() - s;
}

void TSmithPage::MouseMoved(int x, int y) {
  if (!InDataArea(x, y)) {
    Status(IdleStatus());
    return;
  }
  double u = 0, v = 0;
  FChart->M2R(x, y, u, v);
  const double r = CalcResistance(u, v), xr = CalcReactance(u, v);
  const double mag = std::hypot(u, v);
  QString z = r == uc_MaxReal ? tr("open") : tr("%1 %2 j%3").arg(FormatValue(r), xr < 0 ? "-" : "+",
                                                                 FormatValue(std::fabs(xr)));
  QString text = tr("Γ %1 %2 j%3   |Γ| %4   z %5")
                     .arg(FormatValue(u), v < 0 ? "-" : "+", FormatValue(std::fabs(v)),
                          FormatValue(mag), z);
  if (mag < 1) text += tr("   VSWR %1").arg(FormatValue((1 + mag) / (1 - mag)));
  Status(text);
}

void TSmithPage::WholeChart() {
  FWhole = true;
  const TChartGeometry g = FChart->Geometry();
  const double w = std::max(g.DataBmpWidth(), 1), h = std::max(g.DataBmpHeight(), 1);
  // X half-width so that the disc (radius 1.1 with margin) fits both ways.
  const double hx = 1.1 * std::max(1.0, w / h);
  FChart->SetRange(-hx, -1.1, hx, 1.1);
}

void TSmithPage::Zoom(double factor) {
  FWhole = false;
  const double cx = (FChart->RangeXLow() + FChart->RangeXHigh()) / 2;
  const double cy = (FChart->RangeYLow() + FChart->RangeYHigh()) / 2;
  const double hx = (FChart->RangeXHigh() - FChart->RangeXLow()) / 2 * factor;
  const double hy = (FChart->RangeYHigh() - FChart->RangeYLow()) / 2 * factor;
  FChart->SetRange(cx - hx, cy - hy, cx + hx, cy + hy);
}

void TSmithPage::ReportLayout() const { ReportWidget(QStringLiteral("smith"), *FChartWidget); }

}  // namespace kvo::viewer
