#include "hosts/qt/control_widget.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "hosts/qt/convert.h"
#include "hosts/qt/cursors_p.h"
#include "platform/numeric.h"

namespace kvo::qt {
namespace {

// Mouse positions arrive as logical floating-point coordinates; the control
// works in whole logical pixels, and the pixel under the pointer is the one
// whose box contains the position.
TPoint ToPixel(const QPointF& p) {
  return {ClampToInt(std::floor(p.x())), ClampToInt(std::floor(p.y()))};
}

}  // namespace

TControlWidget::TControlWidget(TCustomControl& control, QWidget* parent)
    : QWidget(parent), FControl(&control) {
  Init();
}

TControlWidget::TControlWidget(std::unique_ptr<TCustomControl> control, QWidget* parent)
    : QWidget(parent), FControl(control.get()), FOwned(std::move(control)) {
  Init();
}

TControlWidget::~TControlWidget() {
  if (FControl && FControl->HostWindow() == this) FControl->DetachHost();
}

void TControlWidget::ControlDestroyed() {
  FControl = nullptr;
  update();
}

void TControlWidget::Init() {
  setMouseTracking(true);  // moves without a button reach the control too
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the surface covers the whole widget
  if (FControl->Width() > 0 && FControl->Height() > 0)
    resize(FControl->Width(), FControl->Height());
  setEnabled(FControl->Enabled());
  // A control shows in one window at a time: a window that hosted it
  // before lets go of it.
  if (auto* previous = dynamic_cast<TControlWidget*>(FControl->HostWindow()))
    previous->ControlDestroyed();
  FControl->AttachHost(this);
  SetCursor(FControl->Cursor());
}

QSize TControlWidget::sizeHint() const {
  if (FControl && FControl->Width() > 0 && FControl->Height() > 0)
    return {FControl->Width(), FControl->Height()};
  return {300, 200};
}

void TControlWidget::SetSurfaceScaleOverride(double scale) {
  FScaleOverride = scale > 0 ? scale : 0;
  SyncScale();
  update();
}

void TControlWidget::SyncScale() {
  if (!FControl) return;
  const double scale = FScaleOverride > 0 ? FScaleOverride : devicePixelRatioF();
  if (scale > 0 && scale != FControl->SurfaceScale()) {
    FControl->SetSurfaceScale(scale);
    FNeedsPaint = true;
  }
}

void TControlWidget::SyncBounds() {
  if (!FControl) return;
  if (FControl->Width() != width() || FControl->Height() != height())
    FControl->SetBounds(FControl->Left(), FControl->Top(), width(), height());
}

// ---- THostWindow ------------------------------------------------------------

void TControlWidget::Present(const TRect& rect) {
  // Inside paintEvent the surface is drawn right after the control paints;
  // asking for another update there would paint in an endless loop.
  if (FInPaint) return;
  const TRect r = rect.Normalized();
  if (r.IsEmpty()) return;
  update(QRect(r.Left, r.Top, r.Width(), r.Height()));
}

void TControlWidget::Invalidate() {
  FNeedsPaint = true;
  if (!FInPaint) update();  // inside paintEvent the paint follows at once
}

void TControlWidget::SetCursor(TCursor c) {
  FCursor = c;
  if (c == crDefault)
    unsetCursor();
  else
    setCursor(CursorFor(c));
}

void TControlWidget::CaptureMouse(bool on) {
  // Controls capture the mouse from a press to its release, and Qt already
  // grabs the pointer for the widget under a pressed button for exactly that
  // time, so there is nothing to add (an explicit grab would outlast a
  // release that Qt delivers elsewhere).
  (void)on;
}

// ---- Qt events ----------------------------------------------------------------

void TControlWidget::paintEvent(QPaintEvent* e) {
  if (!FControl) {
    QPainter(this).fillRect(e->rect(), palette().window());
    return;
  }
  FInPaint = true;
  SyncScale();
  SyncBounds();
  if (FNeedsPaint) {
    FNeedsPaint = false;
    FControl->PaintNow();
  }
  FInPaint = false;

  QPainter p(this);
  const TBitmap& surface = FControl->Surface();
  const double scale = FControl->SurfaceScale();
  const QRect area = e->rect();
  if (surface.Empty()) {
    p.fillRect(area, palette().window());
    return;
  }
  // Convert only the device pixels of the exposed area.
  const int x0 = std::max(0, int(std::floor(area.left() * scale)));
  const int y0 = std::max(0, int(std::floor(area.top() * scale)));
  const int x1 = std::min(surface.Width(), int(std::ceil((area.right() + 1) * scale)));
  const int y1 = std::min(surface.Height(), int(std::ceil((area.bottom() + 1) * scale)));
  if (x1 > x0 && y1 > y0) {
    QImage img(x1 - x0, y1 - y0, QImage::Format_RGB32);
    for (int y = y0; y < y1; ++y) {
      const TRGB32* src = surface.ScanLine(y) + x0;
      auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y - y0));
      for (int x = 0; x < x1 - x0; ++x) dst[x] = qRgb(src[x].R, src[x].G, src[x].B);
    }
    img.setDevicePixelRatio(scale);
    p.drawImage(QPointF(x0 / scale, y0 / scale), img);
  }
  // A surface smaller than the widget (the control refused the size) leaves
  // a margin in the window colour rather than garbage.
  const QRect covered(0, 0, int(surface.Width() / scale), int(surface.Height() / scale));
  if (!covered.contains(area)) {
    const QRegion rest = QRegion(area) - QRegion(covered);
    for (const QRect& r : rest) p.fillRect(r, palette().window());
  }
}

void TControlWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  SyncBounds();
}

void TControlWidget::mousePressEvent(QMouseEvent* e) {
  if (!FControl) return;
  TMouseButton b;
  if (!ToMouseButton(e->button(), b)) return QWidget::mousePressEvent(e);
  const TPoint p = ToPixel(e->position());
  FControl->DoMouseDown(b, ToShiftState(e->modifiers(), e->buttons()), p.x, p.y);
}

void TControlWidget::mouseMoveEvent(QMouseEvent* e) {
  if (!FControl) return;
  const TPoint p = ToPixel(e->position());
  FControl->DoMouseMove(ToShiftState(e->modifiers(), e->buttons()), p.x, p.y);
}

void TControlWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (!FControl) return;
  TMouseButton b;
  if (!ToMouseButton(e->button(), b)) return QWidget::mouseReleaseEvent(e);
  const TPoint p = ToPixel(e->position());
  FControl->DoMouseUp(b, ToShiftState(e->modifiers(), e->buttons()), p.x, p.y);
}

void TControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (!FControl) return;
  // Qt replaces the second press of a double click by this event. Controls
  // expect the classic order: the double-click handler, then the press with
  // ssDouble in the shift state (only the left button double-clicks).
  TMouseButton b;
  if (!ToMouseButton(e->button(), b)) return QWidget::mouseDoubleClickEvent(e);
  const TPoint p = ToPixel(e->position());
  if (b == mbLeft) FControl->DoDblClick();
  TShiftState s = ToShiftState(e->modifiers(), e->buttons());
  s.Include(ssDouble);
  FControl->DoMouseDown(b, s, p.x, p.y);
}

void TControlWidget::wheelEvent(QWheelEvent* e) {
  const TPoint p = ToPixel(e->position());
  const int delta = e->angleDelta().y();
  if (FControl && delta != 0 &&
      FControl->DoMouseWheel(ToShiftState(e->modifiers(), e->buttons()), delta, p.x, p.y)) {
    e->accept();
    return;
  }
  QWidget::wheelEvent(e);
}

namespace {

// The virtual key of a Qt key; 0 for keys the controls do not know.
std::uint16_t VirtualKey(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return std::uint16_t('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return std::uint16_t('0' + (k - Qt::Key_0));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return std::uint16_t(vkF1 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab: return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Escape: return vkEscape;
    case Qt::Key_Space: return vkSpace;
    case Qt::Key_PageUp: return vkPrior;
    case Qt::Key_PageDown: return vkNext;
    case Qt::Key_End: return vkEnd;
    case Qt::Key_Home: return vkHome;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Insert: return vkInsert;
    case Qt::Key_Delete: return vkDelete;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return vkAdd;
    case Qt::Key_Minus: return vkSubtract;
    default: return 0;
  }
}

}  // namespace

void TControlWidget::keyPressEvent(QKeyEvent* e) {
  const std::uint16_t key = VirtualKey(e->key());
  bool used = false;
  if (FControl && key != 0) used = FControl->DoKeyDown(key, ToShiftState(e->modifiers(), Qt::NoButton));
  // The character typed, when it is one plain byte (what OnKeyPress carries).
  const QString text = e->text();
  if (FControl && text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F)
    used = FControl->DoKeyPress(char(text[0].unicode())) || used;
  if (used) {
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void TControlWidget::keyReleaseEvent(QKeyEvent* e) {
  const std::uint16_t key = VirtualKey(e->key());
  if (FControl && key != 0 && !e->isAutoRepeat() &&
      FControl->DoKeyUp(key, ToShiftState(e->modifiers(), Qt::NoButton))) {
    e->accept();
    return;
  }
  QWidget::keyReleaseEvent(e);
}

void TControlWidget::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  if (FControl) FControl->DoMouseEnter();
}

void TControlWidget::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  if (FControl) FControl->DoMouseLeave();
}

void TControlWidget::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (FControl) FControl->DoFocus(true);
}

void TControlWidget::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (FControl) FControl->DoFocus(false);
}

void TControlWidget::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!FControl) return;
  // A minimised window coming back is no change of the control's state.
  if (!e->spontaneous() && !FControl->Visible()) FControl->SetVisible(true);
  FNeedsPaint = true;  // an invisible control may have skipped its paints
}

void TControlWidget::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  if (FControl && !e->spontaneous() && FControl->Visible()) FControl->SetVisible(false);
}

void TControlWidget::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::EnabledChange && FControl && FControl->Enabled() != isEnabled())
    FControl->SetEnabled(isEnabled());
}

bool TControlWidget::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    if (FControl && FControl->ShowHint() && !FControl->Hint().empty())
      QToolTip::showText(help->globalPos(), QString::fromStdString(FControl->Hint()), this);
    else
      QToolTip::hideText();
    return true;
  }
  // Moving to a screen of another pixel ratio: render anew at that ratio.
  if (e->type() == QEvent::ScreenChangeInternal) {
    SyncScale();
    update();
  }
  return QWidget::event(e);
}

}  // namespace kvo::qt
