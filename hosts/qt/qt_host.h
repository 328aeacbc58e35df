/// @file
/// TQtHost: the host services of a Qt application (message pump, message box,
/// screen cursor table, clipboard, printing, desktop colours). Create it after
/// the QApplication and Install() it; controls then use it through Host().
#pragma once

#include "../../platform/export.h"

#include <QPalette>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../../platform/host.h"

class QObject;
class QWidget;

namespace kvo::qt {

class TControlWidget;

class KVO_API TQtHost : public THost {
public:
  /// Throws EPlatformError when no QApplication exists yet.
  TQtHost();
  ~TQtHost() override;  ///< uninstalls itself when it is the current host
  TQtHost(const TQtHost&) = delete;
  TQtHost& operator=(const TQtHost&) = delete;

  /// Makes this the host of all controls. Cursors already registered with the
  /// headless host are taken over; with FollowPalette the system colour table
  /// is filled from the application palette.
  void Install();
  /// Restores the headless host and the built-in system colours.
  void Uninstall();
  bool Installed() const noexcept;

  /// Whether desktop colours reach the controls: the system colour table
  /// (clBtnFace, clWindow, ...) and the visual-style colours of ThemeColors
  /// follow the application palette, also when it changes. On by default.
  bool FollowPalette() const noexcept { return FFollowPalette; }
  void SetFollowPalette(bool on);

  /// Parent of message boxes and the print dialog (default: the active window).
  void SetDialogParent(QWidget* w) noexcept { FDialogParent = w; }
  /// Non-empty: BeginPrint writes a PDF file there without asking (batch
  /// printing, tests); empty: BeginPrint shows the print dialog.
  void SetPrintFile(const std::string& path) { FPrintFile = path; }
  const std::string& PrintFile() const noexcept { return FPrintFile; }

  /// THost
  void ProcessMessages() override;
  bool Terminated() const override;
  void ShowMessage(const std::string& text) override;
  void RegisterCursor(TCursor id, const std::string& resourceName) override;
  std::optional<std::string> CursorResource(TCursor id) const override;
  /// Overrides the cursor of every window (crDefault: each shows its own).
  void SetScreenCursor(TCursor c) override;
  void SetClipboardBitmap(const TBitmap& bmp) override;
  void SetClipboardSvg(const std::string& svg) override;
  std::unique_ptr<TPrintJob> BeginPrint(const std::string& title) override;
  std::optional<TThemeColors> ThemeColors() const override;
  TDeviceCaps ScreenCaps() const override;
  /// A top-level window of its own for a control that has none yet (its
  /// current window otherwise), shown at the control's size. The host keeps
  /// the window until the host goes.
  THostWindow* CreateWindowFor(TCustomControl& control) override;

private:
  void PaletteChanged();
  void PublishClipboard();
  bool ClipboardStillOurs() const;

  std::map<TCursor, std::string> FCursors;
  std::unique_ptr<QObject> FWatcher;  ///< follows application palette changes
  bool FFollowPalette = true;
  QWidget* FDialogParent = nullptr;
  std::string FPrintFile;
  /// What we last put on the clipboard: a bitmap and an SVG copied one after
  /// the other (as a chart's copy does) end up as two formats of one entry.
  std::uint64_t FClipSerial = 0;
  std::unique_ptr<TBitmap> FClipBitmap;
  std::string FClipSvg;
  std::vector<std::unique_ptr<TControlWidget>> FWindows;  ///< from CreateWindowFor
};

/// Visual-style colours of a palette: window and panel text from the window
/// role, grid (data-area background) from the base role, border from the
/// window text, shadow from the dark role.
KVO_API TThemeColors ThemeFromPalette(const QPalette& pal);
/// Fills the system colour table from a palette (button face, window, window
/// text, highlight, shadows, tool-tip colours, ...).
KVO_API void ApplyPaletteToSystemColors(const QPalette& pal);
/// Repaints every hosted control of the application (after colour changes).
KVO_API void RefreshAllControls();

}  // namespace kvo::qt
