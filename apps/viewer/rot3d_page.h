// The 3D viewer page: the gallery's point cloud (10^5 points in five
// clusters) or its line figure in a TRot3D the user rotates, zooms and pans
// with the mouse; the nearest item under the mouse in the status line; a
// panel with the view settings and the PNG, SVG and PDF export.
#pragma once

#include "apps/viewer/viewer_page.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace kvo {
class TRot3D;
}

namespace kvo::viewer {

class TRot3DPage : public TViewerPage {
public:
  explicit TRot3DPage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("3D Points"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  void LoadScene(int scene);
  void MouseMoved(int x, int y, bool dragging);
  void ShowAngles();
  void ResetView();
  void Export(const QString& kind);

  TRot3D* FViewer = nullptr;
  QWidget* FViewerWidget = nullptr;
  QComboBox* FScene = nullptr;
  QComboBox* FMouse = nullptr;
  QComboBox* FBox = nullptr;
  QCheckBox* FThreeAxes = nullptr;
  QCheckBox* FRightHanded = nullptr;
  QCheckBox* FAxes = nullptr;
  QLabel* FAngles = nullptr;
  bool FUpdating = false;
};

}  // namespace kvo::viewer
