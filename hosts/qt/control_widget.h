/// @file
/// TControlWidget: a QWidget that hosts one Kvo control. It presents the
/// control's window surface, feeds it Qt's mouse, enter/leave, resize, enable,
/// visibility and focus events, and shows the cursor the control asks for.
/// The control does not know it runs in Qt: it only sees THostWindow.
#pragma once

#include "../../platform/export.h"

#include <QWidget>
#include <memory>

#include "../../platform/control.h"
#include "../../platform/host.h"

namespace kvo::qt {

class KVO_API TControlWidget : public QWidget, public THostWindow {
public:
  /// Hosts a control owned elsewhere. A control shows in one window at a
  /// time: a widget that hosted it before stops doing so. When the control
  /// is destroyed first, the widget shows its window colour from then on.
  explicit TControlWidget(TCustomControl& control, QWidget* parent = nullptr);
  /// Hosts and owns the control (destroyed with the widget).
  explicit TControlWidget(std::unique_ptr<TCustomControl> control, QWidget* parent = nullptr);
  ~TControlWidget() override;

  /// The hosted control; nullptr after the control was destroyed.
  TCustomControl* Control() const noexcept { return FControl; }
  /// The cursor currently requested by the control (crDefault: the widget's).
  TCursor RequestedCursor() const noexcept { return FCursor; }
  /// Device pixels per logical pixel the surface is rendered at.
  double SurfaceScale() const noexcept { return FControl ? FControl->SurfaceScale() : 1.0; }
  /// Forces the surface scale (normally the widget's device pixel ratio);
  /// 0 returns to following the screen.
  void SetSurfaceScaleOverride(double scale);

  QSize sizeHint() const override;

  /// THostWindow
  void Present(const TRect& rect) override;
  void Invalidate() override;
  void SetCursor(TCursor c) override;
  void CaptureMouse(bool on) override;
  /// The control is going away: the widget forgets it and shows the window
  /// colour from now on.
  void ControlDestroyed() override;

protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool event(QEvent* e) override;

private:
  void Init();
  void SyncScale();
  void SyncBounds();

  TCustomControl* FControl;
  std::unique_ptr<TCustomControl> FOwned;
  TCursor FCursor = crDefault;
  double FScaleOverride = 0;
  bool FInPaint = false;
  bool FNeedsPaint = true;
};

}  // namespace kvo::qt
