// Host services: what a windowing system gives the controls. One interface,
// implemented by the headless host (default; for tests and batch rendering)
// and by windowing adapters (hosts/qt). Controls never know which host runs
// them.
#pragma once

#include "export.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bitmap.h"
#include "types.h"

namespace kvo {

class TCustomControl;

// Per-control window of a host.
class KVO_API THostWindow {
public:
  virtual ~THostWindow() = default;
  // The control's surface has new pixels in rect (control pixels).
  virtual void Present(const TRect& rect) = 0;
  // Ask for a paint later (the host calls PaintNow when it gets to it).
  virtual void Invalidate() = 0;
  virtual void SetCursor(TCursor c) = 0;
  virtual void CaptureMouse(bool on) { (void)on; }
  // The control is being destroyed; the window must not touch it any more.
  virtual void ControlDestroyed() {}
};

// Colours of the host's visual style, used where a control's StyleElements ask.
struct KVO_API TThemeColors {
  TColor Window = clWhite, WindowText = clBlack, ButtonFace = 0xF0F0F0, Border = clBlack,
         Shadow = 0xA0A0A0, Grid = clWhite, PanelText = clBlack;
};

// A print job: a canvas per page, finished into a PDF/PostScript file or sent
// to a printer by the host.
class KVO_API TPrintJob {
public:
  virtual ~TPrintJob() = default;
  virtual TCanvas& Canvas() = 0;   // reports IsPrinter and the page's resolution
  virtual TSize PageSize() const = 0;  // device pixels
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  virtual void Abort() = 0;
};

class KVO_API THost {
public:
  virtual ~THost() = default;
  // Runs pending events (Application.ProcessMessages).
  virtual void ProcessMessages() = 0;
  // Whether the application is shutting down (loops that pump messages end).
  virtual bool Terminated() const { return false; }
  // Information message box (blocks in windowed hosts).
  virtual void ShowMessage(const std::string& text) = 0;
  // The screen cursor table: positive ids map to cursor images of ours.
  virtual void RegisterCursor(TCursor id, const std::string& resourceName) = 0;
  virtual std::optional<std::string> CursorResource(TCursor id) const = 0;
  // The current screen cursor (Screen.Cursor): crDefault lets each control's
  // own cursor show; anything else overrides it everywhere (e.g. an hourglass).
  virtual void SetScreenCursor(TCursor c) { FScreenCursor = c; }
  TCursor ScreenCursor() const noexcept { return FScreenCursor; }
  // Clipboard.
  virtual void SetClipboardBitmap(const TBitmap& bmp) = 0;
  virtual void SetClipboardSvg(const std::string& svg) = 0;
  // Printing: nullptr when no printer is available or the user cancelled.
  virtual std::unique_ptr<TPrintJob> BeginPrint(const std::string& title) = 0;
  // Visual style colours; empty when no style is active.
  virtual std::optional<TThemeColors> ThemeColors() const = 0;
  // Screen metrics (LOGPIXELSY, ASPECTX, ASPECTY of the screen).
  virtual TDeviceCaps ScreenCaps() const = 0;
  // Window for a control that is being shown; headless hosts return nullptr.
  virtual THostWindow* CreateWindowFor(TCustomControl& control) { (void)control; return nullptr; }

private:
  TCursor FScreenCursor = crDefault;
};

// The host in use: the headless host unless an adapter installed another.
KVO_API THost& Host();
// Installs host (not owned; nullptr restores the headless host).
KVO_API void SetHost(THost* host);

// Headless host: no windows. Records message boxes, cursor changes and
// clipboard contents so tests can read them; prints into a PDF file.
class KVO_API THeadlessHost : public THost {
public:
  void ProcessMessages() override;
  void ShowMessage(const std::string& text) override;
  void RegisterCursor(TCursor id, const std::string& resourceName) override;
  std::optional<std::string> CursorResource(TCursor id) const override;
  void SetClipboardBitmap(const TBitmap& bmp) override;
  void SetClipboardSvg(const std::string& svg) override;
  std::unique_ptr<TPrintJob> BeginPrint(const std::string& title) override;
  std::optional<TThemeColors> ThemeColors() const override;
  TDeviceCaps ScreenCaps() const override;
  void SetScreenCursor(TCursor c) override;

  // Recorded state for tests.
  std::vector<TCursor> CursorChanges;        // every SetScreenCursor value, in order
  std::vector<std::string> Messages;
  std::optional<TBitmap> ClipboardBitmap;
  std::string ClipboardSvg;
  std::string PrintFile = "kvo-print.pdf";  // where BeginPrint's job is written
  std::optional<TThemeColors> Theme;         // set to simulate a styled desktop
  std::function<void()> OnProcessMessages;   // called by ProcessMessages

private:
  std::vector<std::pair<TCursor, std::string>> FCursors;
};

KVO_API THeadlessHost& HeadlessHost();  // the default host instance

// Directory that holds resources/ (cursor images): $KVO_RESOURCE_DIR when set,
// else the source tree's resources/ when it exists, else the installed copy.
KVO_API std::string ResourceDir();

// Cursor images of ours: resources/cursors/<name in lower case>.png (32 x 32,
// transparent background) with the hotspot from resources/cursors/hotspots.txt
// (lines "NAME x y"). Throws EPlatformError when the image is missing.
struct KVO_API TCursorImage {
  TBitmap Image;
  TPoint HotSpot;
};
KVO_API TCursorImage LoadCursorImage(const std::string& resourceName);
// Registers the four chart cursors "CURHAND", "CURZOOMW", "CURZOOMD",
// "CURZOOMP" as screen cursors 1 to 4 of host.
KVO_API void RegisterChartCursors(THost& host);

}  // namespace kvo
