#include "apps/viewer/boxplot_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <random>

#include "apps/gallery/gallery.h"
#include "apps/viewer/report.h"
#include "boxplot/boxplot.h"
#include "devari/scaleprops.h"
#include "hosts/qt/control_widget.h"

namespace kvo::viewer {

TBoxPlotPage::TBoxPlotPage(QWidget* parent) : TViewerPage(parent) {
  auto plot = std::make_unique<TBoxPlot>();
  FPlot = plot.get();
  FPlot->SetName("boxplot");
  FPlot->SetBounds(0, 0, 800, 560);
  gallery::BuildBoxPlotDemo(*FPlot);
  auto* pw = new qt::TControlWidget(std::move(plot));
  FPlotWidget = pw;
  pw->setMinimumSize(480, 320);
  FPlot->OnMouseMove = [this](TObject*, TShiftState, std::int32_t x, std::int32_t y) {
    MouseMoved(x, y);
  };
  FPlot->OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };

  auto* orientation = new QComboBox;
  orientation->addItem(tr("Vertical boxes"), int(bpltVertical));
  orientation->addItem(tr("Horizontal boxes"), int(bpltHorizontal));
  auto* grid = new QComboBox;
  grid->addItem(tr("None"), int(bpgsNone));
  grid->addItem(tr("Lines"), int(bpgsLines));
  grid->addItem(tr("Dotted lines"), int(bpgsDotLines));
  grid->setCurrentIndex(FPlot->GridStyle());
  auto* width = new QSpinBox;
  width->setRange(0, 100);
  width->setSingleStep(5);
  width->setSuffix(tr(" %"));
  width->setValue(int(std::lround(FPlot->BoxWidth() * 100)));
  auto* labelPos = new QSpinBox;
  labelPos->setRange(-200, 200);
  labelPos->setSuffix(tr(" px"));
  labelPos->setValue(FPlot->Labels().Position());
  labelPos->setToolTip(tr("Distance of the column labels from the data area's edge; "
                          "negative values place them at the opposite edge."));
  auto* p90 = new QCheckBox(tr("10th/90th percentiles"));
  p90->setChecked(FPlot->Show90Perc());
  auto* mean = new QCheckBox(tr("Mean"));
  mean->setChecked(FPlot->ShowMean());
  auto* median = new QCheckBox(tr("Median"));
  median->setChecked(FPlot->ShowMedian());
  auto* minmax = new QCheckBox(tr("Min and max marks"));
  minmax->setChecked(FPlot->ShowMinMax());
  auto* meanLine = new QCheckBox(tr("Mean as a line"));
  meanLine->setChecked(FPlot->SymbolMean() == 0);
  orientation->setObjectName(QStringLiteral("boxOrientation"));
  grid->setObjectName(QStringLiteral("boxGrid"));
  width->setObjectName(QStringLiteral("boxWidth"));
  labelPos->setObjectName(QStringLiteral("boxLabelPosition"));

  auto* look = new QFormLayout;
  look->setLabelAlignment(Qt::AlignRight);
  look->addRow(tr("Orientation:"), orientation);
  look->addRow(tr("Grid:"), grid);
  look->addRow(tr("Box width:"), width);
  look->addRow(tr("Labels:"), labelPos);
  look->addRow(tr("Show:"), p90);
  look->addRow(QString(), mean);
  look->addRow(QString(), median);
  look->addRow(QString(), minmax);
  look->addRow(QString(), meanLine);
  auto* lookBox = new QGroupBox(tr("Figure"));
  lookBox->setLayout(look);

  auto* fit = new QPushButton(tr("Fit"));
  fit->setToolTip(tr("Value axis from the smallest minimum to the largest maximum, plus 10 %"));
  auto* zoomIn = new QPushButton(tr("Zoom in"));
  auto* samples = new QPushButton(tr("New samples"));
  auto* save = new QPushButton(tr("Export statistics..."));
  fit->setObjectName(QStringLiteral("boxFit"));
  samples->setObjectName(QStringLiteral("boxNewSamples"));
  auto* row = new QHBoxLayout;
  row->addWidget(fit);
  row->addWidget(zoomIn);
  auto* data = new QVBoxLayout;
  data->addLayout(row);
  data->addWidget(samples);
  data->addWidget(save);
  auto* dataBox = new QGroupBox(tr("Data"));
  dataBox->setLayout(data);

  auto* hint = new QLabel(tr("The status line shows the statistics of the box under the mouse."));
  hint->setWordWrap(true);
  hint->setContentsMargins(4, 4, 4, 4);

  auto* side = new QVBoxLayout;
  side->addWidget(lookBox);
  side->addWidget(dataBox);
  side->addWidget(hint);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(300);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(pw, 1);
  layout->addWidget(panel);

  connect(orientation, &QComboBox::currentIndexChanged, this, [this, orientation](int) {
    FPlot->SetOrientation(TBoxPlotOrientation(orientation->currentData().toInt()));
  });
  connect(grid, &QComboBox::currentIndexChanged, this, [this, grid](int) {
    FPlot->SetGridStyle(TBoxPlotGridStyle(grid->currentData().toInt()));
  });
  connect(width, &QSpinBox::valueChanged, this, [this](int v) { FPlot->SetBoxWidth(v / 100.0); });
  connect(labelPos, &QSpinBox::valueChanged, this, [this](int v) { FPlot->Labels().SetPosition(v); });
  connect(p90, &QCheckBox::toggled, this, [this](bool on) { FPlot->SetShow90Perc(on); });
  connect(mean, &QCheckBox::toggled, this, [this](bool on) { FPlot->SetShowMean(on); });
  connect(median, &QCheckBox::toggled, this, [this](bool on) { FPlot->SetShowMedian(on); });
  connect(minmax, &QCheckBox::toggled, this, [this](bool on) { FPlot->SetShowMinMax(on); });
  connect(meanLine, &QCheckBox::toggled, this, [this](bool on) { FPlot->SetSymbolMean(on ? 0 : 5); });
  connect(fit, &QPushButton::clicked, this, [this] { FPlot->AutoRange(10); });
  connect(zoomIn, &QPushButton::clicked, this, [this] {
    // The middle half of both axes.
    const double xl = FPlot->Scale1X().RangeLow(), xh = FPlot->Scale1X().RangeHigh();
    const double yl = FPlot->Scale1Y().RangeLow(), yh = FPlot->Scale1Y().RangeHigh();
    const double dx = (xh - xl) / 4, dy = (yh - yl) / 4;
    FPlot->SetRange(xl + dx, yl + dy, xh - dx, yh - dy);
  });
  connect(samples, &QPushButton::clicked, this, [this] { NewSamples(); });
  connect(save, &QPushButton::clicked, this, [this] { ExportStatistics(); });
}

TCustomControl* TBoxPlotPage::MainControl() { return FPlot; }

QString TBoxPlotPage::IdleStatus() const {
  return tr("Box plot: %1 columns x %2 samples")
      .arg(FPlot->Data().NrOfColumns())
      .arg(FPlot->Data().NrOfRows());
}

void TBoxPlotPage::MouseMoved(int x, int y) {
  double wx = 0, wy = 0;
  FPlot->M2R(1, x, y, wx, wy);
  const double pos = FPlot->Orientation() == bpltVertical ? wx : wy;
  const long j = std::lround(pos);
  if (!std::isfinite(pos) || j < 1 || j > FPlot->NrOfBoxes() || std::fabs(pos - double(j)) > 0.5) {
    Status(IdleStatus());
    return;
  }
  const TBoxStats& s = FPlot->Stats(std::int32_t(j));
  if (s.Count == 0) {
    Status(tr("%1: no numbers").arg(QString::fromStdString(FPlot->Data().GetColName(std::int32_t(j)))));
    return;
  }
  Status(tr("%1: n %2   min %3   P10 %4   Q1 %5   median %6   Q3 %7   P90 %8   max %9   mean %10")
             .arg(QString::fromStdString(FPlot->Data().GetColName(std::int32_t(j))))
             .arg(s.Count)
             .arg(FormatValue(s.Min), FormatValue(s.P10), FormatValue(s.Q1), FormatValue(s.Median),
                  FormatValue(s.Q3), FormatValue(s.P90), FormatValue(s.Max))
             .arg(FormatValue(s.Mean)));
}

void TBoxPlotPage::NewSamples() {
  // Each set adds a slow drift and a few outliers to the demo table.
  std::mt19937 gen(std::uint32_t(++FDraw));
  std::normal_distribution<double> n(0, 1);
  std::uniform_real_distribution<double> u(0, 1);
  TDataTable& t = FPlot->Data();
  t.BeginUpdate();
  gallery::FillBoxPlotTable(t, 20, 1000);
  for (int j = 1; j <= t.NrOfColumns(); ++j) {
    const double drift = 1.5 * n(gen);
    for (int r = 1; r <= t.NrOfRows(); ++r) {
      double v = t.GetNumber(j, r) + drift;
      if (u(gen) < 0.003) v += 6 * n(gen);
      t.SetElem(j, r, v);
    }
  }
  t.EndUpdate();
  FPlot->AutoRange(10);
  ReportLine(QStringLiteral("samples %1").arg(FDraw));
}

void TBoxPlotPage::ExportStatistics() {
  const QString name = QFileDialog::getSaveFileName(this, tr("Export statistics"),
                                                    QStringLiteral("boxplot.txt"),
                                                    tr("Text file (*.txt)"));
  if (name.isEmpty()) return;
  try {
    FPlot->SaveDataASC(name.toStdString());
    Status(tr("Saved %1").arg(name));
  } catch (const EKvoError& e) {
    QMessageBox::warning(this, tr("Export statistics"),
                         tr("Could not save %1:\n%2").arg(name, QString::fromUtf8(e.what())));
  }
}

void TBoxPlotPage::ReportLayout() const { ReportWidget(QStringLiteral("boxplot"), *FPlotWidget); }

}  // namespace kvo::viewer
