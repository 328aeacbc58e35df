#include "apps/viewer/contour_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "apps/gallery/gallery.h"
#include "apps/viewer/report.h"
#include "colorscale/colorscale.h"
#include "devari/contour/contour.h"
#include "hosts/qt/control_widget.h"

namespace kvo::viewer {

namespace {

double Peaks(double x, double y) {
  return 3 * (1 - x) * (1 - x) * std::exp(-x * x - (y + 1) * (y + 1)) -
         10 * (x / 5 - x * x * x - std::pow(y, 5)) * std::exp(-x * x - y * y) -
         std::exp(-(x + 1) * (x + 1) - y * y) / 3;
}

}  // namespace

TContourPage::TContourPage(QWidget* parent) : TViewerPage(parent) {
  auto legend = std::make_unique<TColorScale>();
  FLegend = legend.get();
  FLegend->SetName("contourLegend");
  FLegend->SetBounds(0, 0, 110, 600);
  FLegend->SetOrientation(csoVertical);
  FLegend->SetMarginLeft(12);
  FLegend->SetMarginRight(60);
  FLegend->SetMarginTop(30);
  FLegend->SetMarginBottom(30);
  FLegend->SetCaption("z");
  FLegend->SetCaptionPosX(14);
  FLegend->SetCaptionPosY(6);
  FLegend->CrossHair().SetMode(chOff);

  auto plot = std::make_unique<TContourPlot>();
  FPlot = plot.get();
  FPlot->SetName("contour");
  FPlot->SetBounds(0, 0, 640, 600);
  FPlot->SetMarginRight(16);
  FPlot->SetAttachedColorScale(FLegend);
  gallery::BuildContourDemo(*FPlot);
  FPlot->SetPivotRes(600);
  FPlot->OnEstimateZVal = [this](TObject*, double x, double y, std::int32_t, std::int32_t, double& z,
                                 std::uint8_t& m) {
    z = Peaks(x, y);
    m = FMaskDisc && x * x + y * y > 6.25 ? 1 : 0;
  };
  FPlot->OnProgress = [this](TObject*, std::int32_t pc) {
    if (pc == 100) ++FPasses;
  };
  FPlot->SetMouseAction(mamPan);
  FPlot->ClearZoomHistory();
  FPlot->OnZoomPan = [this](TObject*) { Status(IdleStatus()); };

  auto* pw = new qt::TControlWidget(std::move(plot));
  FPlotWidget = pw;
  pw->setMinimumSize(360, 300);
  auto* lw = new qt::TControlWidget(std::move(legend));
  lw->setFixedWidth(110);
  FPlot->OnMouseMove = [this](TObject*, TShiftState, std::int32_t x, std::int32_t y) { MouseMoved(x, y); };
  FPlot->OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };

  auto* mode = new QComboBox;
  mode->setObjectName(QStringLiteral("contourMode"));
  mode->addItems({tr("Dots"), tr("Mono dots"), tr("Colour surface"), tr("Flat cells"),
                  tr("Flat cells, transparent")});
  mode->setCurrentIndex(cpmColorSurface);
  auto* res = new QSpinBox;
  res->setObjectName(QStringLiteral("contourResolution"));
  res->setRange(10, 5000);
  res->setSingleStep(50);
  res->setValue(FPlot->GetPivotRes());
  auto* mask = new QCheckBox(tr("Disc r < 2.5"));
  mask->setObjectName(QStringLiteral("contourMask"));
  auto* dist = new QDoubleSpinBox;
  dist->setRange(0.05, 5);
  dist->setSingleStep(0.25);
  dist->setValue(FPlot->IsoDist());
  auto* low = new QDoubleSpinBox;
  low->setRange(-50, 50);
  low->setValue(FPlot->IsoLow());
  auto* high = new QDoubleSpinBox;
  high->setRange(-50, 50);
  high->setValue(FPlot->IsoHigh());
  auto* form = new QFormLayout;
  form->addRow(tr("Mode:"), mode);
  form->addRow(tr("Resolution:"), res);
  form->addRow(tr("Mask:"), mask);
  form->addRow(tr("IsoLow:"), low);
  form->addRow(tr("IsoHigh:"), high);
  form->addRow(tr("IsoDist:"), dist);
  auto* box = new QGroupBox(tr("Contour"));
  box->setLayout(form);
  auto* home = new QPushButton(tr("Whole function"));
  home->setObjectName(QStringLiteral("contourHome"));

  auto* hint = new QLabel(tr("Drag to pan, turn the wheel to zoom: the plot asks for every pivot "
                             "again at the new ranges. The legend follows IsoLow, IsoHigh and "
                             "the colours."));
  hint->setWordWrap(true);
  hint->setContentsMargins(4, 4, 4, 4);
  auto* side = new QVBoxLayout;
  side->addWidget(box);
  side->addWidget(home);
  side->addWidget(hint);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(240);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(pw, 1);
  layout->addWidget(lw);
  layout->addWidget(panel);

  connect(mode, &QComboBox::currentIndexChanged, this,
          [this](int i) { FPlot->SetPlotMode(TContourPlotMode(i)); });
  connect(res, &QSpinBox::valueChanged, this, [this](int r) { FPlot->SetPivotRes(r); });
  connect(mask, &QCheckBox::toggled, this, [this](bool on) {
    FMaskDisc = on;
    FPlot->FillMask(0);
    FPlot->DrawPlot();
  });
  connect(low, &QDoubleSpinBox::valueChanged, this, [this, high](double v) {
    FPlot->SetIsoLow(v);
    high->setValue(FPlot->IsoHigh());
  });
  connect(high, &QDoubleSpinBox::valueChanged, this, [this, low](double v) {
    FPlot->SetIsoHigh(v);
    low->setValue(FPlot->IsoLow());
  });
  connect(dist, &QDoubleSpinBox::valueChanged, this, [this](double v) { FPlot->SetIsoDist(v); });
  connect(home, &QPushButton::clicked, this, [this] { FPlot->SetRange(-3, -3, 3, 3); });
}

// The plot refers to the legend: detach it before the widgets go.
TContourPage::~TContourPage() { FPlot->SetAttachedColorScale(nullptr); }

TCustomControl* TContourPage::MainControl() { return FPlot; }

QString TContourPage::IdleStatus() const {
  const double xl = FPlot->PivotX(1), xh = FPlot->PivotX(FPlot->NumPivotsX());
  return tr("Contour plot: %1 x %2 pivots, X %3 .. %4")
      .arg(FPlot->NumPivotsX())
      .arg(FPlot->NumPivotsY())
      .arg(FormatValue(xl), FormatValue(xh));
}

bool TContourPage::InDataArea(int x, int y) const {
  const int w = FPlot->Width(), h = FPlot->Height(), s = FPlot->ShadowWidth();
  return x >= FPlot->LRim() && x <= w - FPlot->RRim() - s && y >= FPlot->TRim() && y <= h - FPlot->BRim() - s;
}

void TContourPage::MouseMoved(int x, int y) {
  if (!InDataArea(x, y)) {
    Status(IdleStatus());
    return;
  }
  double u = 0, v = 0;
  FPlot->M2R(1, x, y, u, v);
  Status(tr("x %1   y %2   z %3").arg(FormatValue(u), FormatValue(v), FormatValue(Peaks(u, v))));
}

void TContourPage::ReportLayout() const { ReportWidget(QStringLiteral("contour"), *FPlotWidget); }

}  // namespace kvo::viewer
