// The stand-alone scale page: a horizontal and a vertical TScale that pan,
// stretch and zoom with the mouse, and a panel with their key properties.
#pragma once

#include "apps/viewer/viewer_page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kvo {
class TScale;
}

namespace kvo::viewer {

class TScalePage : public TViewerPage {
public:
  explicit TScalePage(QWidget* parent = nullptr);

  QString Title() const override { return QStringLiteral("Scale"); }
  TCustomControl* MainControl() override;
  QString IdleStatus() const override;
  void ReportLayout() const override;

private:
  TScale& Selected() const;
  QString NameOf(const TScale& s) const;
  void Setup(TScale& s, bool horizontal);
  void ShowProperties();  // panel <- selected scale
  void ShowRange();
  void UpdateReadout();
  void ApplyRange();
  void Reset();

  TScale* FHoriz = nullptr;
  TScale* FVert = nullptr;
  QWidget* FHorizWidget = nullptr;
  QWidget* FVertWidget = nullptr;
  QComboBox* FWhich = nullptr;
  QComboBox* FMouse = nullptr;
  QComboBox* FLabels = nullptr;
  QCheckBox* FLog = nullptr;
  QCheckBox* FShortTicks = nullptr;
  QLineEdit* FLow = nullptr;
  QLineEdit* FHigh = nullptr;
  QLineEdit* FCaption = nullptr;
  QComboBox* FDecimalsBox = nullptr;
  QLabel* FReadout = nullptr;
  int FHorizMoves = 0, FVertMoves = 0;  // zoom/pan events since the reset
  bool FUpdating = false;  // the panel is being filled from the scale
};

}  // namespace kvo::viewer
