#include "platform/control.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "platform/numeric.h"

#include "platform/error.h"
#include "platform/host.h"

namespace kvo {

// ---- TComponent -------------------------------------------------------------------

TComponent::TComponent(TComponent* owner) : FOwner(owner) {}

TComponent::~TComponent() = default;

void TComponent::BeginLoading() { FComponentState.Include(csLoading); }

void TComponent::EndLoading() {
  if (!FComponentState.Contains(csLoading)) return;
  FComponentState.Exclude(csLoading);
  Loaded();
}

void TComponent::SetDesigning(bool on) {
  if (on) FComponentState.Include(csDesigning);
  else FComponentState.Exclude(csDesigning);
}

void TComponent::Assign(const TObject& source) {
  if (&source == this) return;
  if (const auto* c = dynamic_cast<const TComponent*>(&source); c && c->AssignTo(*this)) return;
  throw EPlatformError("cannot assign this object to a " + std::string(typeid(*this).name()));
}

bool TComponent::AssignTo(TObject& dest) const {
  (void)dest;
  return false;
}

// ---- TCustomControl ------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TCustomControl::~TCustomControl() {
  FFont.OnChange = nullptr;
  if (FHostWindow) {
    THostWindow* w = FHostWindow;
    FHostWindow = nullptr;
    w->ControlDestroyed();
  }
}

void TCustomControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  if (OnCanResize && (width != FWidth || height != FHeight)) {
    bool resize = true;
    OnCanResize(this, width, height, resize);
    if (!resize) return;
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  }
  const bool resized = width != FWidth || height != FHeight;
  const std::int32_t oldWidth = FWidth, oldHeight = FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (!resized) return;
  try {
    SizeSurface();
  } catch (...) {
    // A size whose surface cannot be allocated: the control keeps its
    // previous size (the surface kept its pixels: SetSize changes nothing
    // when it fails).
    FWidth = oldWidth;
    FHeight = oldHeight;
    throw;
  }
  Resize();
  Invalidate();
}

void TCustomControl::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  Invalidate();
}

void TCustomControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Invalidate();
}

void TCustomControl::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Invalidate();
}

void TCustomControl::SetCursor(TCursor c) {
  if (c == FCursor) return;
  FCursor = c;
  if (FHostWindow) FHostWindow->SetCursor(c);
}

void TCustomControl::SetSurfaceScale(double scale) {
  if (!(scale > 0) || std::isinf(scale)) scale = 1;
  scale = std::clamp(scale, 0.25, 8.0);
  if (scale == FSurfaceScale) return;
  FSurfaceScale = scale;
  SizeSurface();
  Invalidate();
}

void TCustomControl::SetWindowless(bool v) {
  if (v == FWindowless) return;
  FWindowless = v;
  if (v)
    FSurface.SetSize(0, 0);
  else
    SizeSurface();
}

void TCustomControl::SizeSurface() {
  if (FWindowless) return;  // kept at 0 x 0
  const auto dev = [this](std::int32_t v) {
    // Saturated: a wide control at a large scale passes 2^31 device pixels
    // (and then fails to allocate, as any size too large does).
    return ClampToInt(std::ceil(double(v) * FSurfaceScale - 1e-9));
  };
  FSurface.SetSize(dev(FWidth), dev(FHeight));
  FSurface.SetSurfaceScale(FSurfaceScale);
}

void TCustomControl::Refresh() {
  if (!HandleAllocated() || !FVisible || Loading()) return;
  PaintNow();
}

void TCustomControl::Invalidate() {
  if (Loading()) return;
  if (FHostWindow) {
    FHostWindow->Invalidate();
    return;
  }
  // Without a window there is no later paint: paint now.
  if (FHandleForced && FVisible) PaintNow();
}

void TCustomControl::AttachHost(THostWindow* window) {
  FHostWindow = window;
  if (!window) return;
  SizeSurface();
  window->SetCursor(FCursor);
  CreateWnd();
  Invalidate();
}

void TCustomControl::DetachHost() { FHostWindow = nullptr; }

void TCustomControl::HandleNeeded() {
  if (HandleAllocated()) return;
  FHandleForced = true;
  SizeSurface();
  CreateWnd();
}

void TCustomControl::PaintNow() {
  SizeSurface();
  Paint();
  if (TCanvasDevice* d = FSurface.Canvas().Device()) d->Flush();
  if (FHostWindow) FHostWindow->Present(ClientRect());
}

void TCustomControl::DoMouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  if (!FEnabled || !FVisible) return;
  if (b == mbLeft) FMouseDownPending = true;
  if (FHostWindow) FHostWindow->CaptureMouse(true);
  MouseDown(b, s, x, y);
  PresentInput();
}

void TCustomControl::DoMouseMove(TShiftState s, std::int32_t x, std::int32_t y) {
  if (!FEnabled || !FVisible) return;
  MouseMove(s, x, y);
  PresentInput();
}

void TCustomControl::DoMouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  if (!FEnabled || !FVisible) return;
  if (FHostWindow) FHostWindow->CaptureMouse(false);
  const bool click = b == mbLeft && FMouseDownPending && ClientRect().Contains({x, y});
  if (b == mbLeft) FMouseDownPending = false;
  MouseUp(b, s, x, y);
  if (click && OnClick) OnClick(this);
  PresentInput();
}

void TCustomControl::DoDblClick() {
  if (!FEnabled || !FVisible) return;
  DblClick();
  PresentInput();
}

bool TCustomControl::DoMouseWheel(TShiftState s, std::int32_t delta, std::int32_t x, std::int32_t y) {
  if (!FEnabled || !FVisible) return false;
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, s, delta, TPoint{x, y}, handled);
  if (!handled && delta != 0) {
    const TMouseWheelUpDownEvent& upDown = delta > 0 ? OnMouseWheelUp : OnMouseWheelDown;
    if (upDown) upDown(this, s, TPoint{x, y}, handled);
  }
  const bool used = handled || MouseWheel(s, delta, x, y);
  PresentInput();
  return used;
}

bool TCustomControl::DoKeyDown(std::uint16_t key, TShiftState s) {
  if (!FEnabled || !FVisible) return false;
  if (OnKeyDown) {
    OnKeyDown(this, key, s);
    if (key == 0) return true;
  }
  const bool used = KeyDown(key, s);
  PresentInput();
  return used;
}

bool TCustomControl::DoKeyUp(std::uint16_t key, TShiftState s) {
  if (!FEnabled || !FVisible || !OnKeyUp) return false;
  OnKeyUp(this, key, s);
  PresentInput();
  return key == 0;
}

bool TCustomControl::DoKeyPress(char key) {
  if (!FEnabled || !FVisible || !OnKeyPress) return false;
  OnKeyPress(this, key);
  PresentInput();
  return key == 0;
}

bool TCustomControl::MouseWheel(TShiftState, std::int32_t, std::int32_t, std::int32_t) { return false; }
bool TCustomControl::KeyDown(std::uint16_t, TShiftState) { return false; }

void TCustomControl::PresentInput() {
  // Input handlers draw straight onto the window surface (rubber bands, XOR
  // boxes, mouse traces) as they would onto a window: show what they drew.
  if (FHostWindow) FHostWindow->Present(ClientRect());
}

void TCustomControl::DoMouseEnter() { MouseEnter(); }
void TCustomControl::DoMouseLeave() { MouseLeave(); }
void TCustomControl::DoFocus(bool focused) { FFocused = focused; }

void TCustomControl::MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}
void TCustomControl::MouseMove(TShiftState s, std::int32_t x, std::int32_t y) {
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}
void TCustomControl::MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}
void TCustomControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TCustomControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TCustomControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
void TCustomControl::Resize() {
  if (OnResize) OnResize(this);
}
void TCustomControl::FontChanged() { Invalidate(); }

}  // namespace kvo
