#include "apps/viewer/chart_page.h"

#include <QAction>
#include <QActionGroup>
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
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "apps/gallery/gallery.h"
#include "apps/viewer/report.h"
#include "devari/tdevari.h"
#include "hosts/qt/control_widget.h"

namespace kvo::viewer {
namespace {

// The mouse modes of the toolbar: name, MouseAction.
struct TModeButton {
  const char* Name;
  const char* Tip;
  TMouseActMode Mode;
};
constexpr TModeButton kModes[] = {
    {"Crosshair", "Click or drag: the measuring crosshair", mamDragCrossHair},
    {"Pan", "Drag: move the view", mamPan},
    {"Zoom window", "Drag a window: zoom to it", mamZoomWindowKeepDir},
    {"Drag zoom", "Drag right or up: zoom in about the centre", mamZoomDrag},
    {"Select", "Drag a window: count the samples in it", mamSelectRect},
};

const char* KindText(TrcItem k) {
  switch (k) {
    case tkMarkAt: return "mark";
    case tkMarkEBar: return "mark with error bar";
    case tkLineto: return "line vertex";
    case tkMoveTo: return "line start";
    case tkLine: return "line";
    case tkText:
    case tkTextOfs: return "text";
    case tkRect: return "rectangle";
    default: return "item";
  }
}

constexpr const char* kGridNames[] = {"None",         "Points",        "Vertical lines",
                                      "Horizontal lines", "Lines",     "Vertical dots",
                                      "Horizontal dots",  "Dotted lines"};

}  // namespace

TChartPage::TChartPage(QWidget* parent) : TViewerPage(parent) {
  auto chart = std::make_unique<TDEvari>();
  FChart = chart.get();
  FChart->SetName("chart");
  FChart->SetBounds(0, 0, 800, 560);
  gallery::BuildRealisticChart(*FChart);
  // Both layers share the time axis: layer 2 follows layer 1 in X.
  FChart->JointLayers().SetL02xControlledBy(1);
  FChart->ClearZoomHistory();
  // The chart follows the desktop theme (window, grid, border and text
  // colours); the panel can give it back its own colours.
  FChart->SetStyleElements({seFont, seClient, seBorder});
  auto* cw = new qt::TControlWidget(std::move(chart));
  FChartWidget = cw;
  cw->setMinimumSize(480, 320);

  // The overview: the same display list (no copy), its own axes fitted to
  // all of it.
  auto overview = std::make_unique<TDEvari>();
  FOverview = overview.get();
  FOverview->SetName("overview");
  FOverview->SetBounds(0, 0, 800, 170);
  FOverview->SetUseDataOf(FChart);
  FOverview->SetAnnosVisible(false);
  FOverview->SetChartCaption("overview: the same data, all of it");
  FOverview->SetStyleElements({seFont, seClient, seBorder});
  FOverview->SetTRim(18);
  FOverview->SetBRim(24);
  FOverview->AutoRange(0, 2);
  auto* ow = new qt::TControlWidget(std::move(overview));
  ow->setMinimumSize(480, 120);
  ow->setMaximumHeight(200);

  FChart->OnMouseMove = [this](TObject*, TShiftState, std::int32_t x, std::int32_t y) {
    MouseMoved(x, y);
  };
  FChart->OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };
  FChart->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, std::int32_t x,
                               std::int32_t y) {
    if (b == mbLeft && FChart->MouseAction() == mamDragCrossHair) PlaceCrossHair(x, y);
  };
  FChart->OnCrossHairMove = [this](TObject*, std::int32_t) {
    ReportLine(QStringLiteral("crosshair %1 %2")
                   .arg(FChart->GetCHPosX(1), 0, 'g', 17)
                   .arg(FChart->GetCHPosY(1), 0, 'g', 17));
  };
  FChart->OnSelectRect = [this](TObject*, std::int32_t layer, double x1, double y1, double x2,
                                double y2) {
    if (layer != 1) return;
    double lo = 0, hi = 0;
    const std::int32_t n = FChart->MarkItemsInWindow(x1, y1, x2, y2, tkMarkAt, 0);
    lo = std::min(x1, x2), hi = std::max(x1, x2);
    Status(tr("%1 samples between %2 s and %3 s").arg(n).arg(FormatValue(lo), FormatValue(hi)));
  };
  FChart->OnZoomPan = [this](TObject*) {
    ShowRange();
    ReportLine(QStringLiteral("range %1 %2")
                   .arg(FChart->Scale1X().RangeLow(), 0, 'g', 17)
                   .arg(FChart->Scale1X().RangeHigh(), 0, 'g', 17));
  };
  FChart->SetMouseAction(mamDragCrossHair);
  FChart->SetMouseCursorFixed(false);

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
  auto* home = new QPushButton(tr("Home"));
  home->setToolTip(tr("Fit both layers to all their data"));
  auto* back = new QPushButton(tr("Back"));
  auto* forward = new QPushButton(tr("Forward"));
  home->setObjectName(QStringLiteral("home"));
  back->setObjectName(QStringLiteral("back"));
  forward->setObjectName(QStringLiteral("forward"));
  auto* nav = new QHBoxLayout;
  nav->addWidget(home);
  nav->addWidget(back);
  nav->addWidget(forward);
  view->addRow(QString(), nav);
  FIsometric = new QCheckBox(tr("Isometric (1 s = 1 g)"));
  FIsometric->setObjectName(QStringLiteral("isometric"));
  view->addRow(QString(), FIsometric);
  auto* viewBox = new QGroupBox(tr("View"));
  viewBox->setLayout(view);

  auto* hint = new QLabel(tr("The toolbar chooses what a drag does. The wheel zooms about the "
                             "mouse; arrows pan, + and - zoom, Backspace steps back, Home fits "
                             "all. The status line shows both layers' values under the mouse "
                             "and the item nearest to it."));
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

  // The toolbar: the view (home, back, forward) and what a drag does.
  auto* tools = FTools = new QToolBar;
  tools->setObjectName(QStringLiteral("chartTools"));
  tools->addAction(tr("Home"), this, [this] { Home(); })->setObjectName(QStringLiteral("toolHome"));
  tools->addAction(tr("Back"), this, [this] { StepHistory(-1); })->setObjectName(QStringLiteral("toolBack"));
  tools->addAction(tr("Forward"), this, [this] { StepHistory(1); })->setObjectName(QStringLiteral("toolForward"));
  tools->addSeparator();
  auto* modes = new QActionGroup(this);
  for (int i = 0; i < int(std::size(kModes)); ++i) {
    QAction* a = tools->addAction(tr(kModes[i].Name));
    a->setToolTip(tr(kModes[i].Tip));
    a->setCheckable(true);
    a->setChecked(kModes[i].Mode == mamDragCrossHair);
    a->setObjectName(QStringLiteral("mode%1").arg(int(kModes[i].Mode)));
    modes->addAction(a);
    connect(a, &QAction::triggered, this, [this, i] { SetMode(int(kModes[i].Mode)); });
  }
  auto* charts = new QVBoxLayout;
  charts->addWidget(tools);
  charts->addWidget(cw, 1);
  charts->addWidget(ow);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(charts, 1);
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
  connect(home, &QPushButton::clicked, this, [this] { Home(); });
  connect(back, &QPushButton::clicked, this, [this] { StepHistory(-1); });
  connect(forward, &QPushButton::clicked, this, [this] { StepHistory(1); });
  connect(FIsometric, &QCheckBox::toggled, this, [this](bool on) {
    FChart->SetIsoMetric(on);
    FHistoryStep = 0;
    ShowRange();
  });
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
  const QString nearest = NearestItem(x, y);
  if (!nearest.isEmpty()) text += QStringLiteral("   |   ") + nearest;
  Status(text);
}

QString TChartPage::NearestItem(int x, int y) const {
  // The data cursor: the visible item nearest to the mouse on screen
  // (within 12 pixels), each mapped through its own layer.
  std::int32_t best = -1;
  double bestD2 = 12.0 * 12.0;
  const auto items = FChart->DataItems().Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TrcChartItem& it = items[i];
    if (it.ItemKind == tkMoveTo || !FChart->GetLayerVisib(it.Layer)) continue;
    std::int32_t ix = 0, iy = 0;
    FChart->R2M(it.Layer, it.x, it.y, ix, iy);
    const double d2 = double(ix - x) * (ix - x) + double(iy - y) * (iy - y);
    if (d2 < bestD2) bestD2 = d2, best = std::int32_t(i);
  }
  if (best < 0) return {};
  const TrcChartItem it = FChart->GetChartItem(best);
  return tr("nearest: %1 #%2, layer %3, class %4 at (%5, %6)")
      .arg(QString::fromLatin1(KindText(it.ItemKind)))
      .arg(best)
      .arg(it.Layer)
      .arg(it.ItemClass)
      .arg(FormatValue(it.x), FormatValue(it.y));
}

void TChartPage::SetMode(int mode) {
  FChart->SetMouseAction(TMouseActMode(mode));
  Status(IdleStatus());
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
    // Layer 2 follows layer 1 in X: one range moves the shared time axis.
    const TScaleProps& y = FChart->Scale1Y();
    FChart->SetRange(1, low, y.RangeLow(), high, y.RangeHigh());
    FHistoryStep = 0;
  }
  ShowRange();
}

void TChartPage::Home() {
  FChart->AutoRange(0, 2);
  FChart->ZoomStateOnStack();
  FHistoryStep = 0;
  ShowRange();
}

void TChartPage::StepHistory(int step) {
  // The history keeps the last 16 views; Back walks towards the oldest,
  // Forward back towards the newest.
  const int target = std::clamp(FHistoryStep + step, -15, 0);
  if (target == FHistoryStep) return;
  if (FChart->GetZoomStackEntry(1, target) == TRectDouble{}) return;  // nothing saved there
  FHistoryStep = target;
  FChart->ZoomHistory(target);
  ShowRange();
  ReportLine(QStringLiteral("history %1").arg(target));
}

void TChartPage::ReportLayout() const {
  ReportWidget(QStringLiteral("chart"), *FChartWidget);
  for (QAction* a : FTools->actions())
    if (QWidget* w = FTools->widgetForAction(a); w && !a->objectName().isEmpty())
      ReportWidget(a->objectName(), *w);
}

}  // namespace kvo::viewer
