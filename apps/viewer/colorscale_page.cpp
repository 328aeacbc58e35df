#include "apps/viewer/colorscale_page.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "apps/viewer/report.h"
#include "colorscale/colorscale.h"
#include "hosts/qt/control_widget.h"
#include "platform/registry.h"

namespace kvo::viewer {

// The data the legend maps: a wave pattern over x, y that travels with the
// phase, coloured pixel by pixel through the legend.
class TColorSurface : public QWidget {
public:
  explicit TColorSurface(TColorScale& legend, QWidget* parent = nullptr)
      : QWidget(parent), FLegend(legend) {
    setMouseTracking(true);
    setMinimumSize(320, 240);
    setObjectName(QStringLiteral("surface"));
  }
  // The value at widget pixel (x, y).
  double ValueAt(int x, int y) const {
    const double u = 6.0 * x / std::max(1, width()) - 3, v = 4.0 * y / std::max(1, height()) - 2;
    return 9 * std::sin(1.3 * u + FPhase) * std::cos(1.7 * v - 0.5 * FPhase) +
           3 * std::exp(-(u * u + v * v)) * std::cos(3 * FPhase);
  }
  void Advance(double dt) {
    FPhase += dt;
    update();
  }
  std::function<void(double)> OnValue;

protected:
  void paintEvent(QPaintEvent*) override {
    // Every second pixel in each direction, shown doubled: smooth enough and
    // cheap at animation rates.
    const int w = (width() + 1) / 2, h = (height() + 1) / 2;
    if (FImage.width() != w || FImage.height() != h) FImage = QImage(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<QRgb*>(FImage.scanLine(y));
      for (int x = 0; x < w; ++x) {
        const TColor c = FLegend.ValueToColor(ValueAt(2 * x, 2 * y));
        row[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
      }
    }
    QPainter p(this);
    p.drawImage(QRect(0, 0, 2 * w, 2 * h), FImage);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const double v = ValueAt(int(e->position().x()), int(e->position().y()));
    FLegend.CrossHair().SetPos(v, v);
    if (OnValue) OnValue(v);
  }

private:
  TColorScale& FLegend;
  QImage FImage;
  double FPhase = 0;
};

namespace {

// A control of a class the component registry offers (the viewer builds its
// Kvo page controls the way a form designer would).
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
constexpr TChoice kMouseModes[] = {{"Drag the range", mamDragRange},
                                   {"Drag the crosshair", mamDragCrossHair},
                                   {"None", mamNone}};
constexpr const char* kTables[] = {"Spectrum (256)", "Ten steps", "Heat (64)", "Blue - white - red (32)"};

}  // namespace

TColorScalePage::TColorScalePage(QWidget* parent) : TViewerPage(parent) {
  auto legend = CreateRegistered<TColorScale>("TColorScale");
  FLegend = legend.get();
  FLegend->SetName("colorScale");
  FLegend->SetBounds(0, 0, 640, 80);
  FLegend->SetMouseAction(mamDragRange);
  FLegend->SetCaption("Height");
  FLegend->SetCaptionSize(9);
  FLegend->SetCaptionPosY(6);
  FLegend->SetMarginTop(26);
  FLegend->SetMarginBottom(24);
  FLegend->CrossHair().SetColor(clBlack);
  FLegend->SetScaleRange(-12, 12);
  auto* lw = new qt::TControlWidget(std::move(legend));
  FLegendWidget = lw;

  FSurface = new TColorSurface(*FLegend);
  FSurface->OnValue = [this](double v) { Status(tr("Surface value %1").arg(FormatValue(v))); };

  FLegend->OnMouseMoveInScale = [this](TObject*, bool in, TShiftState, double v) {
    if (in) Status(tr("Legend value %1").arg(FormatValue(v)));
    else Status(IdleStatus());
  };
  // A drag of the range recolours the surface as it goes.
  FLegend->OnMouseMove = [this](TObject*, TShiftState s, std::int32_t, std::int32_t) {
    if (s.Contains(ssLeft)) {
      FSurface->update();
      ShowRange();
    }
  };
  FLegend->OnZoomPan = [this](TObject*) {
    FSurface->update();
    ShowRange();
    ReportLine(QStringLiteral("colour range %1 %2").arg(FLegend->ColorLow()).arg(FLegend->ColorHigh()));
  };
  FLegend->OnCrossHairMove = [this](TObject*) {
    Status(tr("Crosshair at %1").arg(FormatValue(FLegend->CrossHair().PosX())));
  };

  // Surface and legend: the legend below (horizontal) or right (vertical).
  FStage = new QBoxLayout(QBoxLayout::TopToBottom);
  FStage->addWidget(FSurface, 1);
  FStage->addWidget(lw);
  lw->setFixedHeight(80);

  auto* orientation = new QComboBox;
  orientation->setObjectName(QStringLiteral("orientation"));
  orientation->addItems({tr("Horizontal"), tr("Vertical")});
  auto* table = new QComboBox;
  table->setObjectName(QStringLiteral("table"));
  for (const char* t : kTables) table->addItem(QString::fromUtf8(t));
  auto* mouse = new QComboBox;
  mouse->setObjectName(QStringLiteral("mouseAction"));
  for (const TChoice& c : kMouseModes) mouse->addItem(QString::fromUtf8(c.Text), c.Value);
  auto* extend = new QCheckBox(tr("Extend end colours"));
  extend->setObjectName(QStringLiteral("extendColors"));
  auto* animate = new QCheckBox(tr("Animate the surface"));
  animate->setObjectName(QStringLiteral("animate"));
  animate->setChecked(true);
  FRange = new QLabel;
  FRange->setObjectName(QStringLiteral("range"));
  auto* reset = new QPushButton(tr("Reset Range"));
  auto* narrow = new QPushButton(tr("Colours -5 … 5"));

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  form->addRow(tr("Orientation:"), orientation);
  form->addRow(tr("Colours:"), table);
  form->addRow(tr("Mouse:"), mouse);
  form->addRow(QString(), extend);
  form->addRow(QString(), animate);
  form->addRow(tr("Range:"), FRange);
  form->addRow(QString(), narrow);
  form->addRow(QString(), reset);
  auto* box = new QGroupBox(tr("Colour legend"));
  box->setLayout(form);

  // What the component registry offers on the page "Kvo".
  QStringList classes;
  for (const std::string& c : TComponentRegistry::Global().Classes("Kvo"))
    classes << QString::fromStdString(c);
  auto* registry = new QLabel(tr("Component page \"Kvo\": %1").arg(classes.join(QStringLiteral(", "))));
  registry->setObjectName(QStringLiteral("registry"));
  registry->setWordWrap(true);
  auto* hint = new QLabel(tr("Drag the ends of the legend to stretch its range, its middle to "
                             "shift it; the surface follows. Move the mouse over the surface to "
                             "mark its value on the legend."));
  hint->setWordWrap(true);
  hint->setContentsMargins(4, 4, 4, 4);

  auto* side = new QVBoxLayout;
  side->addWidget(box);
  side->addWidget(registry);
  side->addWidget(hint);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(300);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(FStage, 1);
  layout->addWidget(panel);

  FTimer = new QTimer(this);
  FTimer->setInterval(40);
  connect(FTimer, &QTimer::timeout, this, [this] { FSurface->Advance(0.04); });
  FTimer->start();

  connect(orientation, &QComboBox::currentIndexChanged, this,
          [this](int i) { SetOrientation(i == 1); });
  connect(table, &QComboBox::currentIndexChanged, this, [this](int i) { LoadTable(i); });
  connect(mouse, &QComboBox::currentIndexChanged, this, [this, mouse] {
    FLegend->SetMouseAction(TMouseActMode(mouse->currentData().toInt()));
  });
  connect(extend, &QCheckBox::toggled, this, [this](bool on) { FLegend->SetExtendColors(on); });
  connect(animate, &QCheckBox::toggled, this, [this](bool on) {
    if (on) FTimer->start();
    else FTimer->stop();
  });
  connect(reset, &QPushButton::clicked, this, [this] {
    FLegend->SetScaleRange(-12, 12);
    FSurface->update();
    ShowRange();
  });
  connect(narrow, &QPushButton::clicked, this, [this] {
    TColorScale::TUpdate batch(*FLegend);
    FLegend->SetColorLow(-5);
    FLegend->SetColorHigh(5);
    FSurface->update();
    ShowRange();
  });
  LoadTable(0);
  ShowRange();
}

TCustomControl* TColorScalePage::MainControl() { return FLegend; }

QString TColorScalePage::IdleStatus() const {
  return tr("%1 colours over %2 … %3")
      .arg(FLegend->ColorArray.NumColors())
      .arg(FormatValue(FLegend->ColorLow()), FormatValue(FLegend->ColorHigh()));
}

void TColorScalePage::SetOrientation(bool vertical) {
  TColorScale::TUpdate batch(*FLegend);
  FStage->setDirection(vertical ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
  if (vertical) {
    FLegendWidget->setFixedHeight(QWIDGETSIZE_MAX);
    FLegendWidget->setMinimumHeight(200);
    FLegendWidget->setFixedWidth(120);
    FLegend->SetBounds(0, 0, 120, std::max(200, FLegend->Height()));
    FLegend->SetOrientation(csoVertical);
    FLegend->SetMarginLeft(12);
    FLegend->SetMarginRight(64);
    FLegend->SetMarginTop(30);
    FLegend->SetMarginBottom(12);
  } else {
    FLegendWidget->setMinimumWidth(0);
    FLegendWidget->setMaximumWidth(QWIDGETSIZE_MAX);
    FLegendWidget->setFixedHeight(80);
    FLegend->SetBounds(0, 0, std::max(300, FLegend->Width()), 80);
    FLegend->SetOrientation(csoHorizontal);
    FLegend->SetMarginLeft(16);
    FLegend->SetMarginRight(16);
    FLegend->SetMarginTop(26);
    FLegend->SetMarginBottom(24);
  }
}

void TColorScalePage::LoadTable(int which) {
  TColorArray& a = FLegend->ColorArray;
  a.BeginUpdate();
  switch (which) {
    case 1:
      a.SetSize(10);
      a.FillByInterpolation(cipSteps, {clNavy, clBlue, clAqua, clLime, clYellow, clRed});
      break;
    case 2:
      a.SetSize(64);
      a.FillByInterpolation(cipLinear, {clBlack, clMaroon, clRed, clYellow, clWhite});
      break;
    case 3:
      a.SetSize(32);
      a.FillByInterpolation(cipLinear, {RGBColor(30, 60, 170), clWhite, RGBColor(190, 30, 30)});
      break;
    default:
      a.FillDefault();
      break;
  }
  a.EndUpdate();
  FSurface->update();
  Status(IdleStatus());
}

void TColorScalePage::ShowRange() {
  FRange->setText(tr("axis %1 … %2\ncolours %3 … %4")
                      .arg(FormatValue(FLegend->ScaleRangeLow()), FormatValue(FLegend->ScaleRangeHigh()),
                           FormatValue(FLegend->ColorLow()), FormatValue(FLegend->ColorHigh())));
}

void TColorScalePage::ReportLayout() const {
  ReportWidget(QStringLiteral("colorScale"), *FLegendWidget);
  ReportWidget(QStringLiteral("surface"), *FSurface);
}

}  // namespace kvo::viewer
