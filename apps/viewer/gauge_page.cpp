#include "apps/viewer/gauge_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>

#include "apps/viewer/report.h"
#include "gauge/gauge.h"
#include "hosts/qt/control_widget.h"
#include "platform/registry.h"

namespace kvo::viewer {
namespace {

template <class T>
std::unique_ptr<T> CreateRegistered(const char* className) {
  std::unique_ptr<TComponent> c = TComponentRegistry::Global().Create(className);
  if (auto* t = dynamic_cast<T*>(c.get())) {
    c.release();
    return std::unique_ptr<T>(t);
  }
  return std::make_unique<T>();
}

struct TChoice {
  const char* Text;
  int Value;
};
constexpr TChoice kIndexModes[] = {{"Triangle", gimTriangle},
                                   {"Thread", gimThread},
                                   {"Thread + triangle", gimThreadTriangle},
                                   {"Thread + two triangles", gimThreadTwoTriangles},
                                   {"Band", gimBand},
                                   {"Dual-colour band", gimDualColorBand},
                                   {"Bar", gimBar}};
constexpr TChoice kBackgrounds[] = {{"As built", -1},
                                    {"Plain", gbPlain},
                                    {"Vertical gradient", gbVertGrad},
                                    {"Horizontal gradient", gbHorizGrad},
                                    {"Vertical mid-band", gbVertMidBand},
                                    {"Horizontal mid-band", gbHorizMidBand}};

// One gauge of the page: its look, and where the shared position (0..1)
// puts its value.
struct TGaugeSetup {
  const char* Name;
  const char* Caption;
  TGaugeOrientation Orientation;
  double Min, Max;
  bool Log, Fixed;
  TGaugeIndexMode Index;
  TGaugeBackground Background;
};
constexpr TGaugeSetup kSetups[] = {
    {"pressure", "Pressure [bar]", goHorizontal, -1, 11, false, true, gimTriangle, gbVertGrad},
    {"heading", "Heading [deg], moving dial", goHorizontal, 0, 180, false, false,
     gimThreadTwoTriangles, gbVertMidBand},
    {"frequency", "Frequency [Hz]", goHorizontal, 0.7, 1500, true, true, gimBand, gbVertGrad},
    {"deviation", "Deviation", goVertical, -60, 60, false, true, gimDualColorBand, gbHorizGrad},
    {"level", "Level", goVertical, -5, 105, false, true, gimThreadTriangle, gbHorizMidBand},
    {"flow", "Flow", goVertical, 0.8, 120, true, false, gimBar, gbPlain},
};

double ValueAt(const TGaugeSetup& s, double t) {
  return s.Log ? s.Min * std::pow(s.Max / s.Min, t) : s.Min + (s.Max - s.Min) * t;
}

}  // namespace

TGaugePage::TGaugePage(QWidget* parent) : TViewerPage(parent) {
  auto* grid = new QGridLayout;
  int horizontal = 0, vertical = 0;
  for (const TGaugeSetup& s : kSetups) {
    auto gauge = CreateRegistered<TScaleGauge>("TScaleGauge");
    TScaleGauge* g = gauge.get();
    {
      TScaleGauge::TUpdate batch(*g);
      g->SetName(s.Name);
      const bool v = s.Orientation == goVertical;
      g->SetBounds(0, 0, v ? 120 : 420, v ? 330 : 96);
      g->SetOrientation(s.Orientation);
      g->SetMax(s.Max);
      g->SetMin(s.Min);
      g->SetLogarithmic(s.Log);
      g->SetFixedDial(s.Fixed);
      g->SetIndexMode(s.Index);
      g->SetBackground(s.Background);
      g->SetCaption(s.Caption);
      g->SetCaptionSize(9);
      g->SetCaptionPosX(8);
      g->SetCaptionPosY(v ? 6 : 5);
      if (v) {
        g->SetMarginTop(28);
        g->SetMarginBottom(10);
        g->SetMarginLeft(10);
        g->SetMarginRight(10);
      } else {
        g->SetMarginTop(26);
      }
      g->SetColorBg1(RGBColor(150, 165, 190));
      g->SetColorBg2(RGBColor(245, 247, 250));
      g->SetColorIndex1(RGBColor(20, 60, 160));
      g->SetColorIndex2(RGBColor(200, 30, 30));
    }
    g->OnMouseMoveInGauge = [this, g](TObject*, bool in, TShiftState, double v) {
      if (in) Status(tr("%1: dial value %2").arg(QString::fromStdString(g->Caption()), FormatValue(v)));
      else Status(IdleStatus());
    };
    auto* w = new qt::TControlWidget(std::move(gauge));
    w->setObjectName(QString::fromLatin1(s.Name));
    if (s.Orientation == goVertical) {
      w->setFixedSize(120, 330);
      grid->addWidget(w, 0, 1 + vertical++, 3, 1);
    } else {
      w->setFixedHeight(96);
      w->setMinimumWidth(300);
      grid->addWidget(w, horizontal++, 0);
    }
    FGauges.push_back({g, w});
  }
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(0, 1);

  FSlider = new QSlider(Qt::Horizontal);
  FSlider->setObjectName(QStringLiteral("position"));
  FSlider->setRange(0, 1000);
  auto* animate = new QCheckBox(tr("Sweep with a timer"));
  animate->setObjectName(QStringLiteral("animate"));
  animate->setChecked(true);
  auto* index = new QComboBox;
  index->setObjectName(QStringLiteral("indexMode"));
  for (const TChoice& c : kIndexModes) index->addItem(QString::fromUtf8(c.Text), c.Value);
  auto* background = new QComboBox;
  background->setObjectName(QStringLiteral("background"));
  for (const TChoice& c : kBackgrounds) background->addItem(QString::fromUtf8(c.Text), c.Value);
  auto* enabled = new QCheckBox(tr("Enabled"));
  enabled->setObjectName(QStringLiteral("enabled"));
  enabled->setChecked(true);
  FValues = new QLabel;
  FValues->setObjectName(QStringLiteral("values"));
  FValues->setWordWrap(true);

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  form->addRow(tr("Position:"), FSlider);
  form->addRow(QString(), animate);
  form->addRow(tr("First index:"), index);
  form->addRow(tr("Background:"), background);
  form->addRow(QString(), enabled);
  auto* box = new QGroupBox(tr("Gauges"));
  box->setLayout(form);
  auto* hint = new QLabel(tr("The slider moves every gauge through its range. The heading and "
                             "flow gauges have moving dials: their index stays in the middle "
                             "while the scale scrolls."));
  hint->setWordWrap(true);
  hint->setContentsMargins(4, 4, 4, 4);
  auto* side = new QVBoxLayout;
  side->addWidget(box);
  side->addWidget(FValues);
  side->addWidget(hint);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(300);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addWidget(panel);

  FTimer = new QTimer(this);
  FTimer->setInterval(30);
  connect(FTimer, &QTimer::timeout, this, [this] {
    int p = FSlider->value() + 4 * FDirection;
    if (p >= 1000 || p <= 0) FDirection = -FDirection;
    FSlider->setValue(std::clamp(p, 0, 1000));
  });
  FTimer->start();
  connect(FSlider, &QSlider::valueChanged, this, [this](int p) { SetPosition(p); });
  connect(animate, &QCheckBox::toggled, this, [this](bool on) {
    if (on) FTimer->start();
    else FTimer->stop();
  });
  connect(index, &QComboBox::currentIndexChanged, this, [this, index] {
    FGauges.front().Gauge->SetIndexMode(TGaugeIndexMode(index->currentData().toInt()));
  });
  connect(background, &QComboBox::currentIndexChanged, this, [this, background] {
    const int b = background->currentData().toInt();
    for (std::size_t i = 0; i < FGauges.size(); ++i)
      FGauges[i].Gauge->SetBackground(b < 0 ? kSetups[i].Background : TGaugeBackground(b));
  });
  connect(enabled, &QCheckBox::toggled, this, [this](bool on) {
    for (const TGaugeSlot& s : FGauges) s.Gauge->SetEnabled(on);
  });
  FSlider->setValue(350);
  SetPosition(350);
}

TCustomControl* TGaugePage::MainControl() { return FGauges.front().Gauge; }

QString TGaugePage::IdleStatus() const {
  return tr("%1 gauges at %2 % of their ranges").arg(FGauges.size()).arg(FSlider->value() / 10.0);
}

void TGaugePage::SetPosition(int position) {
  const double t = position / 1000.0;
  QString text;
  for (std::size_t i = 0; i < FGauges.size(); ++i) {
    TScaleGauge& g = *FGauges[i].Gauge;
    g.SetValue(ValueAt(kSetups[i], t));
    text += QStringLiteral("%1: %2\n").arg(QString::fromStdString(g.Caption()), FormatValue(g.Value()));
  }
  FValues->setText(text.trimmed());
}

void TGaugePage::ReportLayout() const {
  for (const TGaugeSlot& s : FGauges) ReportWidget(QString::fromStdString(s.Gauge->Name()), *s.Widget);
}

}  // namespace kvo::viewer
