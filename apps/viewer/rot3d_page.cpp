#include "apps/viewer/rot3d_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "apps/gallery/gallery.h"
#include "apps/viewer/report.h"
#include "hosts/qt/control_widget.h"
#include "rot3d/rot3d.h"

namespace kvo::viewer {
namespace {

struct TChoice {
  const char* Text;
  int Value;
};
constexpr TChoice kMouseModes[] = {
    {"Rotate", mamRotate},          {"Rotate, zoom (right)", mamRotateZoom},
    {"Tilt only", mamTilt},         {"Turn only", mamTurn},
    {"Zoom", mamStretch},           {"Pan", mamPan}};
constexpr TChoice kBoxStyles[] = {{"None", bbNone}, {"Edges", bbEdges}, {"Shaded faces", bbFaces}};
constexpr const char* kClusterNames[] = {"A", "B", "C", "D", "E"};

// An angle as the user reads it, in 0..360 (the viewer keeps it unwrapped).
double Deg(double a) {
  const double d = std::fmod(a, 360.0);
  return d < 0 ? d + 360.0 : d;
}

const char* KindName(Tr3Item k) {
  switch (k) {
    case tkMarkAt: return "mark";
    case tkLineto: return "line point";
    case tkLine: return "segment";
    case tkMoveto: return "line start";
    default: return "item";
  }
}

}  // namespace

TRot3DPage::TRot3DPage(QWidget* parent) : TViewerPage(parent) {
  auto viewer = std::make_unique<TRot3D>();
  FViewer = viewer.get();
  FViewer->SetName("rot3d");
  FViewer->SetBounds(0, 0, 800, 560);
  auto* vw = new qt::TControlWidget(std::move(viewer));
  FViewerWidget = vw;
  vw->setMinimumSize(480, 360);

  FViewer->OnMouseMove = [this](TObject*, TShiftState s, std::int32_t x, std::int32_t y) {
    MouseMoved(x, y, s.Contains(ssLeft) || s.Contains(ssRight));
  };
  FViewer->OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };

  FScene = new QComboBox;
  FScene->addItem(tr("Point cloud (100000 points)"), 0);
  FScene->addItem(tr("Line figure"), 1);
  FMouse = new QComboBox;
  for (const TChoice& c : kMouseModes) FMouse->addItem(tr(c.Text), c.Value);
  FBox = new QComboBox;
  for (const TChoice& c : kBoxStyles) FBox->addItem(tr(c.Text), c.Value);
  FThreeAxes = new QCheckBox(tr("Rotate about three axes"));
  FRightHanded = new QCheckBox(tr("Right-handed axes"));
  FAxes = new QCheckBox(tr("Axes"));
  FAngles = new QLabel;
  FScene->setObjectName(QStringLiteral("scene"));
  FMouse->setObjectName(QStringLiteral("mouseAction"));
  FBox->setObjectName(QStringLiteral("box"));
  FThreeAxes->setObjectName(QStringLiteral("threeAxes"));
  FRightHanded->setObjectName(QStringLiteral("rightHanded"));
  FAxes->setObjectName(QStringLiteral("axes"));
  FAngles->setObjectName(QStringLiteral("angles"));

  auto* look = new QFormLayout;
  look->setLabelAlignment(Qt::AlignRight);
  look->addRow(tr("Scene:"), FScene);
  look->addRow(tr("Box:"), FBox);
  look->addRow(tr("Show:"), FAxes);
  look->addRow(QString(), FRightHanded);
  auto* lookBox = new QGroupBox(tr("Scene"));
  lookBox->setLayout(look);

  auto* view = new QFormLayout;
  view->setLabelAlignment(Qt::AlignRight);
  view->addRow(tr("Mouse:"), FMouse);
  view->addRow(QString(), FThreeAxes);
  view->addRow(tr("View:"), FAngles);
  auto* reset = new QPushButton(tr("Reset View"));
  view->addRow(QString(), reset);
  auto* viewBox = new QGroupBox(tr("View"));
  viewBox->setLayout(view);

  auto* exportRow = new QHBoxLayout;
  for (const QString& kind : {QStringLiteral("PNG"), QStringLiteral("SVG"), QStringLiteral("PDF")}) {
    auto* b = new QPushButton(kind);
    b->setObjectName(QStringLiteral("export") + kind);
    exportRow->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, kind] { Export(kind); });
  }
  auto* exportBox = new QGroupBox(tr("Export"));
  exportBox->setLayout(exportRow);

  auto* hint = new QLabel(tr("Drag with the left mouse button to rotate the view; the mouse "
                             "mode decides whether a drag tilts, turns, zooms or pans. The "
                             "status line names the item nearest to the mouse."));
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
  layout->addWidget(vw, 1);
  layout->addWidget(panel);

  connect(FScene, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!FUpdating) LoadScene(i);
  });
  connect(FMouse, &QComboBox::currentIndexChanged, this, [this](int i) {
    FViewer->SetMouseAction(TMouseActMode(FMouse->itemData(i).toInt()));
  });
  connect(FBox, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!FUpdating) FViewer->SetBoundBoxStyle(TBoundingBox(FBox->itemData(i).toInt()));
  });
  connect(FThreeAxes, &QCheckBox::toggled, this, [this](bool on) {
    if (FUpdating) return;
    FViewer->SetMouseRot3Axes(on);
    ShowAngles();
  });
  connect(FRightHanded, &QCheckBox::toggled, this, [this](bool on) {
    if (!FUpdating) FViewer->SetAxDir(on ? adRightHanded : adLeftHanded);
  });
  connect(FAxes, &QCheckBox::toggled, this, [this](bool on) {
    if (!FUpdating) FViewer->SetShowAxes(on);
  });
  connect(reset, &QPushButton::clicked, this, [this] { ResetView(); });
  LoadScene(0);
}

TCustomControl* TRot3DPage::MainControl() { return FViewer; }

void TRot3DPage::LoadScene(int scene) {
  const TMouseActMode mode = FViewer->MouseAction();
  {
    TRot3DUpdate hold(*FViewer);
    FViewer->Clear();
    FViewer->OnLblRequest = nullptr;
    FViewer->ResetComp();
    FViewer->SetMouseAction(mode);
    if (scene == 0)
      gallery::BuildRot3DCloud(*FViewer);
    else
      gallery::BuildRot3DFigure(*FViewer);
  }
  FUpdating = true;
  FBox->setCurrentIndex(FBox->findData(int(FViewer->BoundBoxStyle())));
  FThreeAxes->setChecked(FViewer->MouseRot3Axes());
  FRightHanded->setChecked(FViewer->AxDir() == adRightHanded);
  FAxes->setChecked(FViewer->ShowAxes());
  FUpdating = false;
  ShowAngles();
  Status(IdleStatus());
  ReportLine(QStringLiteral("rot3d scene %1 items %2").arg(scene).arg(FViewer->NumItems()));
}

void TRot3DPage::ResetView() {
  LoadScene(FScene->currentIndex());
}

QString TRot3DPage::IdleStatus() const {
  return tr("3D viewer: %1 items, magnification %2")
      .arg(FViewer->NumItems())
      .arg(FViewer->Magnification(), 0, 'f', 2);
}

void TRot3DPage::ShowAngles() {
  FAngles->setText(tr("x %1°  y %2°  z %3°  × %4")
                       .arg(Deg(FViewer->ViewAngleX()), 0, 'f', 0)
                       .arg(Deg(FViewer->ViewAngleY()), 0, 'f', 0)
                       .arg(Deg(FViewer->ViewAngleZ()), 0, 'f', 0)
                       .arg(FViewer->Magnification(), 0, 'f', 2));
}

void TRot3DPage::MouseMoved(int x, int y, bool dragging) {
  if (dragging) {
    // The viewer turns after its mouse event: read the angles afterwards.
    QTimer::singleShot(0, this, [this] {
      ShowAngles();
      Status(tr("view x %1°  y %2°  z %3°  magnification %4")
                 .arg(Deg(FViewer->ViewAngleX()), 0, 'f', 1)
                 .arg(Deg(FViewer->ViewAngleY()), 0, 'f', 1)
                 .arg(Deg(FViewer->ViewAngleZ()), 0, 'f', 1)
                 .arg(FViewer->Magnification(), 0, 'f', 2));
    });
    return;
  }
  double dist = 0;
  const std::int32_t i = FViewer->FindNearestItemScreen(x, y, tkEverything, dist);
  if (i < 0) {
    Status(IdleStatus());
    return;
  }
  const Tr3ChartItem it = FViewer->GetChartItem(i);
  QString text = tr("nearest: %1 %2 at (%3, %4, %5), %6 px away")
                     .arg(QString::fromUtf8(KindName(it.ItemKind)))
                     .arg(i)
                     .arg(FormatValue(it.x), FormatValue(it.y), FormatValue(it.z))
                     .arg(dist, 0, 'f', 1);
  // The cloud's points come cluster by cluster, 20000 each; its centres carry tag 1.
  if (FScene->currentIndex() == 0 && it.ItemKind == tkMarkAt) {
    const int cluster = it.tag == 1 ? i - (FViewer->NumItems() - 5) : i / 20000;
    if (cluster >= 0 && cluster < 5)
      text += tr(it.tag == 1 ? "  (centre of cluster %1)" : "  (cluster %1)")
                  .arg(QString::fromUtf8(kClusterNames[cluster]));
  }
  Status(text);
}

void TRot3DPage::Export(const QString& kind) {
  const QString ext = kind.toLower();
  const QString name = QFileDialog::getSaveFileName(
      this, tr("Export %1").arg(kind), QStringLiteral("rot3d.") + ext,
      tr("%1 file (*.%2)").arg(kind, ext));
  if (name.isEmpty()) return;
  try {
    if (kind == QStringLiteral("PNG"))
      FViewer->CopyToBMP(name.toStdString(), false);
    else
      FViewer->CopyToWMF(name.toStdString(), false);
    ReportLine(QStringLiteral("rot3d export %1").arg(name));
  } catch (const std::exception& e) {
    QMessageBox::warning(this, tr("Export %1").arg(kind),
                         tr("Could not save %1:\n%2").arg(name, QString::fromUtf8(e.what())));
  }
}

void TRot3DPage::ReportLayout() const { ReportWidget(QStringLiteral("rot3d"), *FViewerWidget); }

}  // namespace kvo::viewer
