#include "apps/viewer/chart_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "apps/gallery/gallery.h"
#include "apps/viewer/report.h"
#include "devari/devari.h"
#include "hosts/qt/control_widget.h"

namespace kvo::viewer {
namespace {

constexpr const char* kGridNames[] = {"None",         "Points",        "Vertical lines",
                                      "Horizontal lines", "Lines",     "Vertical dots",
                                      "Horizontal dots",  "Dotted lines"};

// The chart of this page: painting starts once the window exists (the
// chart itself holds it back until then).
class TViewerChart : public TCustomDEvari {
protected:
  void CreateWnd() override {
    TCustomDEvari::CreateWnd();
    SetSuppressPaint(false);
  }
};

// Sets both ends of an axis, repainting once.
template <typename TProps>
void SetAxisRange(TCustomDEvari& c, TProps& axis, double low, double high) {
  const bool keep = c.SuppressPaint();
  c.SetSuppressPaint(true);
  axis.SetRangeHigh(high);
  axis.SetRangeLow(low);
  axis.SetRangeHigh(high);  // again: the low end may have pushed it
  c.SetSuppressPaint(keep);
}

}  // namespace

TChartPage::TChartPage(QWidget* parent) : TViewerPage(parent) {
  auto chart = std::make_unique<TViewerChart>();
  FChart = chart.get();
  FChart->SetName("chart");
  FChart->SetBounds(0, 0, 800, 560);
  gallery::BuildRealisticChart(*FChart);
  // The chart follows the desktop theme (window, grid, border and text
  // colours); the panel can give it back its own colours.
  FChart->SetStyleElements({seFont, seClient, seBorder});
  auto* cw = new qt::TControlWidget(std::move(chart));
  FChartWidget = cw;
  cw->setMinimumSize(480, 320);

  FChart->OnMouseMove = [this](TObject*, TShiftState, std::int32_t x, std::int32_t y) {
    MouseMoved(x, y);
  };
  FChart->OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };
  FChart->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, std::int32_t x,
                               std::int32_t y) {
    if (b == mbLeft) PlaceCrossHair(x, y);
  };

  // Side panel.
  FCaption = new QLineEdit(QString::fromStdString(FChart->Caption()));
  FCaption->setCursorPosition(0);  // show the start of a long caption
  FGrid = new QComboBox;
  for (int i = 0; i < int(std::size(kGridNames)); ++i) FGrid->addItem(tr(kGridNames[i]), i);
  FGrid->setCurrentIndex(FChart->GridStyle());
  FLayer2 = new QCheckBox(tr("Temperature layer"));
  FLayer2->setChecked(FChart->GetLayerVisib(2));
  FAnnos = new QCheckBox(tr("Annotations"));
  FAnnos->setChecked(FChart->AnnosVisible());
  FDesktop = new QCheckBox(tr("Desktop colours"));
  FDesktop->setToolTip(tr("Let the chart follow the desktop theme (View > Dark Theme)."));
  FDesktop->setChecked(!FChart->StyleElements().Empty());
  FShadow = new QSpinBox;
  FShadow->setRange(0, 12);
  FShadow->setSuffix(tr(" px"));
  FShadow->setValue(FChart->ShadowWidth());
  FXLow = new QLineEdit;
  FXHigh = new QLineEdit;
  for (QLineEdit* e : {FXLow, FXHigh}) {
    auto* v = new QDoubleValidator(e);
    v->setLocale(QLocale::c());
    e->setValidator(v);
  }
  FCaption->setObjectName(QStringLiteral("chartCaption"));
  FGrid->setObjectName(QStringLiteral("grid"));
  FLayer2->setObjectName(QStringLiteral("layer2"));
  FAnnos->setObjectName(QStringLiteral("annotations"));
  FDesktop->setObjectName(QStringLiteral("desktopColours"));
  FShadow->setObjectName(QStringLiteral("shadow"));
  FXLow->setObjectName(QStringLiteral("timeFrom"));
  FXHigh->setObjectName(QStringLiteral("timeTo"));

  auto* look = new QFormLayout;
  look->setLabelAlignment(Qt::AlignRight);
  look->addRow(tr("Caption:"), FCaption);
  look->addRow(tr("Grid:"), FGrid);
  look->addRow(tr("Shadow:"), FShadow);
  look->addRow(tr("Show:"), FLayer2);
  look->addRow(QString(), FAnnos);
  look->addRow(QString(), FDesktop);
  auto* lookBox = new QGroupBox(tr("Appearance"));
  lookBox->setLayout(look);

  auto* view = new QFormLayout;
  view->setLabelAlignment(Qt::AlignRight);
  view->addRow(tr("Time from:"), FXLow);
  view->addRow(tr("Time to:"), FXHigh);
  auto* reset = new QPushButton(tr("Reset View"));
  view->addRow(QString(), reset);
  auto* viewBox = new QGroupBox(tr("View"));
  viewBox->setLayout(view);

  auto* hint = new QLabel(tr("Click into the chart to place the measuring crosshair; "
                             "the status line shows both layers' values under the mouse."));
  hint->setWordWrap(true);
  hint->setContentsMargins(4, 4, 4, 4);

  auto* side = new QVBoxLayout;
  side->addWidget(lookBox);
  side->addWidget(viewBox);
  side->addWidget(hint);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(300);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(cw, 1);
  layout->addWidget(panel);

  connect(FCaption, &QLineEdit::textEdited, this,
          [this](const QString& t) { FChart->SetChartCaption(t.toStdString()); });
  connect(FGrid, &QComboBox::currentIndexChanged, this,
          [this](int i) { FChart->SetGridStyle(GridStyleType(i)); });
  connect(FShadow, &QSpinBox::valueChanged, this, [this](int v) { FChart->SetShadowWidth(v); });
  connect(FLayer2, &QCheckBox::toggled, this, [this](bool on) { FChart->SetLayerVisib(2, on); });
  connect(FAnnos, &QCheckBox::toggled, this, [this](bool on) { FChart->SetAnnosVisible(on); });
  connect(FDesktop, &QCheckBox::toggled, this, [this](bool on) {
    FChart->SetStyleElements(on ? TStyleElements{seFont, seClient, seBorder} : TStyleElements{});
    FollowTheme();
    FChart->Refresh();
  });
  connect(FXLow, &QLineEdit::editingFinished, this, [this] { ApplyRange(); });
  connect(FXHigh, &QLineEdit::editingFinished, this, [this] { ApplyRange(); });
  connect(reset, &QPushButton::clicked, this, [this] { ResetView(); });
  ShowRange();
  FLightGrid = FChart->GridColor();
  FLightCrossHair = FChart->CrossHair(1).Color();
  FollowTheme();
}

void TChartPage::FollowTheme() {
  if (!FChart || !FDesktop) return;
  // On a dark data area the chart's light grey grid would shine brighter
  // than the data and its dark green crosshair would vanish: the grid
  // becomes a line a little lighter than the background, the crosshair a
  // light green.
  const QColor base = palette().color(QPalette::Base), text = palette().color(QPalette::Text);
  const bool dark = FDesktop->isChecked() && base.lightness() < 128;
  TColor grid = FLightGrid, cross = FLightCrossHair;
  if (dark) {
    auto mix = [&](int b, int t) { return b + (t - b) * 22 / 100; };
    grid = RGBColor(std::uint8_t(mix(base.red(), text.red())),
                    std::uint8_t(mix(base.green(), text.green())),
                    std::uint8_t(mix(base.blue(), text.blue())));
    cross = RGBColor(110, 230, 120);
  }
  if (grid != FChart->GridColor()) FChart->SetGridCol(grid);
  if (cross != FChart->CrossHair(1).Color()) FChart->CrossHair(1).SetCrossHColor(cross);
}

void TChartPage::changeEvent(QEvent* e) {
  TViewerPage::changeEvent(e);
  if (e->type() == QEvent::PaletteChange) FollowTheme();
}

TCustomControl* TChartPage::MainControl() { return FChart; }

QString TChartPage::IdleStatus() const {
  return tr("Measurement chart: %1 items, %2 annotations")
      .arg(FChart->NumItems())
      .arg(FChart->NumAnnos());
}

bool TChartPage::InDataArea(int x, int y) const {
  const int w = FChart->Width(), h = FChart->Height(), s = FChart->ShadowWidth();
  return x >= FChart->LRim() && x <= w - FChart->RRim() - s && y >= FChart->TRim() &&
         y <= h - FChart->BRim() - s;
}

void TChartPage::MouseMoved(int x, int y) {
  if (!InDataArea(x, y)) {
    Status(IdleStatus());
    return;
  }
  double t = 0, a = 0, t2 = 0, temp = 0;
  FChart->M2R(1, x, y, t, a);
  FChart->M2R(2, x, y, t2, temp);
  QString text = tr("time %1 s   a %2 g").arg(FormatValue(t), FormatValue(a));
  if (FChart->GetLayerVisib(2)) text += tr("   T %1 °C").arg(FormatValue(temp));
  Status(text);
}

void TChartPage::PlaceCrossHair(int x, int y) {
  if (!InDataArea(x, y)) return;
  double t = 0, a = 0;
  FChart->M2R(1, x, y, t, a);
  FChart->CrossHairSetPos(1, t, a);
  ReportLine(QStringLiteral("crosshair %1 %2").arg(t, 0, 'g', 17).arg(a, 0, 'g', 17));
}

void TChartPage::ShowRange() {
  FUpdating = true;
  FXLow->setText(QString::number(FChart->Scale1X().RangeLow(), 'g', 10));
  FXHigh->setText(QString::number(FChart->Scale1X().RangeHigh(), 'g', 10));
  FUpdating = false;
}

void TChartPage::ApplyRange() {
  if (FUpdating) return;
  bool okLow = false, okHigh = false;
  const double low = QLocale::c().toDouble(FXLow->text(), &okLow);
  const double high = QLocale::c().toDouble(FXHigh->text(), &okHigh);
  if (okLow && okHigh && std::isfinite(low) && std::isfinite(high) && low != high) {
    // The time axis is shared by both layers.
    SetAxisRange(*FChart, FChart->Scale1X(), low, high);
    SetAxisRange(*FChart, FChart->Scale2X(), low, high);
  }
  ShowRange();
}

void TChartPage::ResetView() {
  SetAxisRange(*FChart, FChart->Scale1X(), 0, 100);
  SetAxisRange(*FChart, FChart->Scale2X(), 0, 100);
  ShowRange();
}

void TChartPage::ReportLayout() const { ReportWidget(QStringLiteral("chart"), *FChartWidget); }

}  // namespace kvo::viewer
