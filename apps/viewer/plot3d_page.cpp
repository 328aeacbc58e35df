#include "apps/viewer/plot3d_page.h"

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
#include <algorithm>

#include "apps/gallery/gallery.h"
#include "apps/viewer/report.h"
#include "hosts/qt/control_widget.h"
#include "platform/error.h"
#include "plot3d/plot3d.h"

namespace kvo::viewer {
namespace {

struct TChoice {
  const char* Text;
  int Value;
};
constexpr TChoice kMeshKinds[] = {{"Mesh", mkMesh},
                                  {"Waterfall, horizontal", mkWaterfallHorz},
                                  {"Waterfall, vertical", mkWaterfallVert},
                                  {"Waterfall, diagonal", mkWaterfallDiag},
                                  {"Grid dots", mkGrid}};
constexpr TChoice kCodings[] = {
    {"Two colours", ccmTwoColors}, {"Three colours", ccmThreeColors}, {"Colour table", ccmColorArray}};
constexpr TChoice kCubes[] = {{"None", bbNone}, {"Edges", bbEdges}, {"Shaded faces", bbFaces}};
constexpr TChoice kMouseModes[] = {{"Rotate (left), zoom (right)", mamRotateZoom},
                                   {"Rotate", mamRotate},
                                   {"Tilt", mamTilt},
                                   {"Turn", mamTurn},
                                   {"Zoom", mamStretch},
                                   {"Pan", mamPan}};

template <std::size_t N>
QComboBox* Combo(const TChoice (&choices)[N], int current, const char* name) {
  auto* box = new QComboBox;
  for (const TChoice& c : choices) box->addItem(QString::fromUtf8(c.Text), c.Value);
  box->setCurrentIndex(std::max(0, box->findData(current)));
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

}  // namespace

TPlot3DPage::TPlot3DPage(QWidget* parent) : TViewerPage(parent) {
  auto plot = std::make_unique<TPlot3D>();
  FPlot = plot.get();
  FPlot->SetName("plot3d");
  FPlot->SetBounds(0, 0, 800, 600);
  FPlot->SetMouseAction(mamRotateZoom);
  FPlot->SetColorCodingMode(ccmColorArray);
  FPlot->IsoColors.FillDefault();
  auto* pw = new qt::TControlWidget(std::move(plot));
  FPlotWidget = pw;
  pw->setMinimumSize(480, 360);

  FPlot->OnMouseMoveOverPlot = [this](TObject*, bool over, TShiftState, std::int32_t cx,
                                      std::int32_t cy) { CellStatus(over, cx, cy); };
  FPlot->OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };
  FPlot->OnZoomPan = [this](TObject*) { UpdateReadout(); };

  // Side panel.
  FFunction = new QComboBox;
  FFunction->setObjectName(QStringLiteral("function"));
  for (int i = 0; i < gallery::Plot3DFunctionCount(); ++i)
    FFunction->addItem(QString::fromUtf8(gallery::Plot3DFunctionName(i)), i);
  FNodes = new QSpinBox;
  FNodes->setObjectName(QStringLiteral("nodes"));
  FNodes->setRange(2, 200);
  FNodes->setValue(50);
  FNodes->setSuffix(tr(" × nodes"));
  auto* mesh = Combo(kMeshKinds, FPlot->MeshKind(), "meshKind");
  auto* coding = Combo(kCodings, FPlot->ColorCodingMode(), "colourCoding");
  auto* cube = Combo(kCubes, FPlot->BoundBoxStyle(), "cube");
  auto* mouse = Combo(kMouseModes, FPlot->MouseAction(), "mouseAction");
  auto* meshLines = new QCheckBox(tr("Mesh lines"));
  meshLines->setObjectName(QStringLiteral("meshLines"));
  meshLines->setChecked(FPlot->MeshVisible());
  auto* mean = new QCheckBox(tr("Colour by cell mean"));
  mean->setObjectName(QStringLiteral("cellMean"));
  mean->setChecked(FPlot->ColorCodeAvg());

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  form->addRow(tr("Surface:"), FFunction);
  form->addRow(tr("Grid:"), FNodes);
  form->addRow(tr("Drawing:"), mesh);
  form->addRow(tr("Colours:"), coding);
  form->addRow(tr("Cube:"), cube);
  form->addRow(QString(), meshLines);
  form->addRow(QString(), mean);
  auto* lookBox = new QGroupBox(tr("Surface"));
  lookBox->setLayout(form);

  FReadout = new QLabel;
  FReadout->setObjectName(QStringLiteral("readout"));
  auto* reset = new QPushButton(tr("Reset View"));
  auto* view = new QFormLayout;
  view->setLabelAlignment(Qt::AlignRight);
  view->addRow(tr("Mouse:"), mouse);
  view->addRow(QString(), FReadout);
  view->addRow(QString(), reset);
  auto* viewBox = new QGroupBox(tr("View"));
  viewBox->setLayout(view);

  auto* exports = new QHBoxLayout;
  for (const char* f : {"PNG", "SVG", "PDF"}) {
    auto* b = new QPushButton(QString::fromLatin1(f));
    const QString format = QString::fromLatin1(f);
    connect(b, &QPushButton::clicked, this, [this, format] { Export(format); });
    exports->addWidget(b);
  }
  auto* exportBox = new QGroupBox(tr("Export"));
  exportBox->setLayout(exports);

  auto* hint = new QLabel(tr("Drag with the left mouse button to rotate the surface, with the right "
                             "one to zoom. The status line names the grid cell under the mouse."));
  hint->setWordWrap(true);
  hint->setContentsMargins(4, 4, 4, 4);

  auto* side = new QVBoxLayout;
  side->addWidget(lookBox);
  side->addWidget(viewBox);
  side->addWidget(exportBox);
  side->addWidget(hint);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(300);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(pw, 1);
  layout->addWidget(panel);

  connect(FFunction, &QComboBox::currentIndexChanged, this, [this] { LoadFunction(); });
  connect(FNodes, &QSpinBox::valueChanged, this, [this] { LoadFunction(); });
  connect(mesh, &QComboBox::currentIndexChanged, this,
          [this, mesh] { FPlot->SetMeshKind(TMeshKind(mesh->currentData().toInt())); });
  connect(coding, &QComboBox::currentIndexChanged, this, [this, coding] {
    FPlot->SetColorCodingMode(TColorCodingMode(coding->currentData().toInt()));
  });
  connect(cube, &QComboBox::currentIndexChanged, this,
          [this, cube] { FPlot->SetBoundBoxStyle(TBoundingBox(cube->currentData().toInt())); });
  connect(mouse, &QComboBox::currentIndexChanged, this,
          [this, mouse] { FPlot->SetMouseAction(TMouseActMode(mouse->currentData().toInt())); });
  connect(meshLines, &QCheckBox::toggled, this, [this](bool on) { FPlot->SetMeshVisible(on); });
  connect(mean, &QCheckBox::toggled, this, [this](bool on) { FPlot->SetColorCodeAvg(on); });
  connect(reset, &QPushButton::clicked, this, [this] {
    TPlot3D::TUpdate batch(*FPlot);
    FPlot->SetAutoCenter(true);
    FPlot->SetViewAngles(60, 15);
    FPlot->SetMagnification(1);
    UpdateReadout();
  });
  LoadFunction();
}

TCustomControl* TPlot3DPage::MainControl() { return FPlot; }

void TPlot3DPage::LoadFunction() {
  gallery::FillPlot3DFunction(*FPlot, FFunction->currentData().toInt(), FNodes->value());
  UpdateReadout();
  Status(IdleStatus());
}

QString TPlot3DPage::IdleStatus() const {
  return tr("%1 surface, %2 × %3 nodes")
      .arg(FFunction->currentText())
      .arg(FPlot->GridMat.NrOfColumns())
      .arg(FPlot->GridMat.NrOfRows());
}

void TPlot3DPage::CellStatus(bool over, int cellX, int cellY) {
  UpdateReadout();  // a drag may have turned the view
  if (!over) {
    Status(IdleStatus());
    return;
  }
  // The cell spans two nodes in each direction; the grid spans the x and y ranges.
  const TMatrix& g = FPlot->GridMat;
  const auto at = [](double lo, double hi, int i, int n) { return lo + (hi - lo) * (i - 1) / std::max(1, n - 1); };
  const int nx = g.NrOfColumns(), ny = g.NrOfRows();
  double zmax = g.GetVal(cellX, cellY);
  for (int dx = 0; dx < 2; ++dx)
    for (int dy = 0; dy < 2; ++dy) zmax = std::max(zmax, g.GetVal(cellX + dx, cellY + dy));
  Status(tr("Cell (%1, %2)   x %3 … %4   y %5 … %6   z up to %7")
             .arg(cellX)
             .arg(cellY)
             .arg(FormatValue(at(FPlot->RangeXLow(), FPlot->RangeXHigh(), cellX, nx)),
                  FormatValue(at(FPlot->RangeXLow(), FPlot->RangeXHigh(), cellX + 1, nx)),
                  FormatValue(at(FPlot->RangeYLow(), FPlot->RangeYHigh(), cellY, ny)),
                  FormatValue(at(FPlot->RangeYLow(), FPlot->RangeYHigh(), cellY + 1, ny)),
                  FormatValue(zmax)));
  ReportLine(QStringLiteral("cell %1 %2").arg(cellX).arg(cellY));
}

void TPlot3DPage::UpdateReadout() {
  FReadout->setText(tr("Tilt %1°, turn %2°, zoom %3")
                        .arg(FPlot->ViewAngleX(), 0, 'f', 1)
                        .arg(FPlot->ViewAngleZ(), 0, 'f', 1)
                        .arg(FPlot->Magnification(), 0, 'f', 2));
}

void TPlot3DPage::Export(const QString& format) {
  const QString ext = format.toLower();
  const QString name = QFileDialog::getSaveFileName(
      this, tr("Export %1").arg(format), QStringLiteral("surface.") + ext,
      tr("%1 file (*.%2)").arg(format, ext));
  if (name.isEmpty()) return;
  try {
    if (ext == QStringLiteral("png")) FPlot->CopyToBMP(name.toStdString(), false);
    else FPlot->CopyToWMF(name.toStdString(), false);
    Status(tr("Saved %1").arg(name));
  } catch (const EPlatformError& e) {
    QMessageBox::warning(this, tr("Export"), tr("Could not save %1:\n%2").arg(name, QString::fromUtf8(e.what())));
  }
}

void TPlot3DPage::ReportLayout() const { ReportWidget(QStringLiteral("plot3d"), *FPlotWidget); }

}  // namespace kvo::viewer
