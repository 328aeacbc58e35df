/// @file
/// TComponent and TCustomControl: the control base class every Kvo control
/// derives from. A control draws onto its window surface (a bitmap of its
/// size) through Canvas(); a host presents that surface and feeds input.
#pragma once

#include "export.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bitmap.h"
#include "canvas.h"
#include "graphics.h"
#include "types.h"

namespace kvo {

class KVO_API TComponent : public TObject {
public:
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const noexcept { return FName; }
  void SetName(const std::string& v) { FName = v; }
  TComponent* Owner() const noexcept { return FOwner; }
  TComponentState ComponentState() const noexcept { return FComponentState; }
  /// Marks loading from a stored form; EndLoading clears the flag and calls Loaded.
  void BeginLoading();
  void EndLoading();
  void SetDesigning(bool on);
  bool Loading() const noexcept { return FComponentState.Contains(csLoading); }
  bool Designing() const noexcept { return FComponentState.Contains(csDesigning); }
  std::intptr_t Tag() const noexcept { return FTag; }
  void SetTag(std::intptr_t v) noexcept { FTag = v; }

  /// Copies settings from another object of a compatible class; the default
  /// asks the source's AssignTo and throws EPlatformError when neither knows
  /// the other.
  virtual void Assign(const TObject& source);

protected:
  virtual void Loaded() {}
  virtual bool AssignTo(TObject& dest) const;

private:
  std::string FName;
  TComponent* FOwner;
  TComponentState FComponentState{};
  std::intptr_t FTag = 0;
};

class THostWindow;  ///< host side of an attached control (host.h)

/// Input and size events of every control. Key is a virtual key
/// (TVirtualKey); a handler that sets it to 0 keeps the control from acting
/// on it. Handled = true keeps the control's own wheel action (and, from
/// OnMouseWheel, the Up/Down events) from running. Resize = false refuses a
/// new size; the handler may also change it.
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, std::int32_t WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent =
    std::function<void(TObject* Sender, std::int32_t& NewWidth, std::int32_t& NewHeight, bool& Resize)>;

class KVO_API TCustomControl : public TComponent {
public:
  explicit TCustomControl(TComponent* owner = nullptr);
  ~TCustomControl() override;

  std::int32_t Left() const noexcept { return FLeft; }
  std::int32_t Top() const noexcept { return FTop; }
  std::int32_t Width() const noexcept { return FWidth; }
  std::int32_t Height() const noexcept { return FHeight; }
  TRect BoundsRect() const noexcept { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  TRect ClientRect() const noexcept { return {0, 0, FWidth, FHeight}; }
  /// Negative sizes become 0. A new size is first offered to OnCanResize;
  /// refused, nothing changes (neither size nor position). Resizes the window
  /// surface and repaints.
  virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height);
  void SetLeft(std::int32_t v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(std::int32_t v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(std::int32_t v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(std::int32_t v) { SetBounds(FLeft, FTop, FWidth, v); }

  bool Visible() const noexcept { return FVisible; }
  virtual void SetVisible(bool v);
  bool Enabled() const noexcept { return FEnabled; }
  virtual void SetEnabled(bool v);
  bool Focused() const noexcept { return FFocused; }

  TFont& Font() noexcept { return FFont; }
  const TFont& Font() const noexcept { return FFont; }
  bool ParentFont() const noexcept { return FParentFont; }
  void SetParentFont(bool v) { FParentFont = v; }
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor v);
  TStyleElements StyleElements() const noexcept { return FStyleElements; }
  void SetStyleElements(TStyleElements v) { FStyleElements = v; }
  TCursor Cursor() const noexcept { return FCursor; }
  /// Tells the host which cursor to show over the control.
  void SetCursor(TCursor c);
  bool ShowHint() const noexcept { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  const std::string& Hint() const noexcept { return FHint; }
  void SetHint(const std::string& v) { FHint = v; }

  /// Canvas of the window surface (pixels the host presents).
  TCanvas& Canvas() { return FSurface.Canvas(); }
  /// A windowless control draws only on canvases its owner gives it: its
  /// surface stays 0 x 0 whatever its bounds.
  bool Windowless() const noexcept { return FWindowless; }
  TBitmap& Surface() noexcept { return FSurface; }
  const TBitmap& Surface() const noexcept { return FSurface; }
  /// Device pixels per logical pixel (HiDPI hosts set 2 and above); the
  /// surface is Width*scale x Height*scale pixels. Controls keep working in
  /// logical pixels: the canvas takes logical coordinates, reports the logical
  /// size and 96 dpi (so font sizes stay right) and Caps().Scale = scale, and
  /// draws everything scaled, sharp at the device resolution.
  void SetSurfaceScale(double scale);
  double SurfaceScale() const noexcept { return FSurfaceScale; }

  /// Paints at once (Refresh/Repaint) or asks the host for a paint later.
  void Refresh();
  void Repaint() { Refresh(); }
  void Invalidate();
  /// Host side: a window was created for the control.
  void AttachHost(THostWindow* window);
  void DetachHost();
  THostWindow* HostWindow() const noexcept { return FHostWindow; }
  bool HandleAllocated() const noexcept { return FHostWindow != nullptr || FHandleForced; }
  /// Headless use without a window: behaves as if a window exists.
  void HandleNeeded();

  /// Input entry points (the host calls these; tests may too). Coordinates are
  /// logical control pixels.
  void DoMouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y);
  void DoMouseMove(TShiftState s, std::int32_t x, std::int32_t y);
  void DoMouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y);
  void DoDblClick();
  /// Wheel turned by delta (kWheelDelta a notch, positive away from the user)
  /// with the mouse at (x, y); a key pressed (TVirtualKey). They return whether
  /// the control used the input (a host passes unused input on).
  /// The wheel fires OnMouseWheel, then OnMouseWheelUp (delta > 0) or
  /// OnMouseWheelDown, then the control's own action, each only while no
  /// handler has set Handled. A key fires OnKeyDown first.
  bool DoMouseWheel(TShiftState s, std::int32_t delta, std::int32_t x, std::int32_t y);
  bool DoKeyDown(std::uint16_t key, TShiftState s);
  /// A key released, a character typed: they fire OnKeyUp and OnKeyPress and
  /// return whether a handler took the input (set it to 0).
  bool DoKeyUp(std::uint16_t key, TShiftState s);
  bool DoKeyPress(char key);
  void DoMouseEnter();
  void DoMouseLeave();
  void DoFocus(bool focused);
  virtual TDialogCodes GetDialogCode() const { return {}; }

  /// Paint handler (virtual, called by Refresh and by the host's paint).
  virtual void Paint() {}
  void PaintNow();  ///< wraps Paint: keeps the surface sized, presents afterwards

  std::function<void(TObject*, TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnMouseDown;
  std::function<void(TObject*, TShiftState, std::int32_t, std::int32_t)> OnMouseMove;
  std::function<void(TObject*, TMouseButton, TShiftState, std::int32_t, std::int32_t)> OnMouseUp;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelUp, OnMouseWheelDown;
  TCanResizeEvent OnCanResize;

protected:
  /// Switching on frees the surface; switching off sizes it to the bounds.
  void SetWindowless(bool v);
  virtual void CreateWnd() {}
  virtual void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y);
  virtual void MouseMove(TShiftState s, std::int32_t x, std::int32_t y);
  virtual void MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y);
  virtual void DblClick();
  virtual bool MouseWheel(TShiftState s, std::int32_t delta, std::int32_t x, std::int32_t y);
  virtual bool KeyDown(std::uint16_t key, TShiftState s);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Resize();
  /// Font change notification (default: repaint).
  virtual void FontChanged();

private:
  void SizeSurface();
  void PresentInput();

  std::int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true, FEnabled = true, FFocused = false, FParentFont = true;
  bool FShowHint = false, FHandleForced = false, FMouseDownPending = false;
  bool FWindowless = false;
  TColor FColor = clBtnFace;
  TStyleElements FStyleElements{seFont, seClient, seBorder};
  TCursor FCursor = crDefault;
  std::string FHint;
  TFont FFont;
  TBitmap FSurface;
  double FSurfaceScale = 1.0;
  THostWindow* FHostWindow = nullptr;
};

}  // namespace kvo
