// The viewer's main window: one tab per control, menus for copy, export and
// print, a dark-theme switch, and a status line with world coordinates.
#pragma once

#include <QMainWindow>
#include <QString>
#include <vector>

class QLabel;
class QTabWidget;
class QAction;

namespace kvo::viewer {

class TViewerPage;

struct TViewerOptions {
  QString Tab;         // page to open first (its title, case-insensitive), empty: the first
  bool Dark = false;   // start with the dark palette
};

class TMainWindow : public QMainWindow {
public:
  explicit TMainWindow(const TViewerOptions& options, QWidget* parent = nullptr);

  TViewerPage* CurrentPage() const;
  void SetDarkTheme(bool on);
  // Edit > Copy Image: the current page's control picture to the clipboard.
  void CopyImage();

private:
  void AddPage(TViewerPage* page);
  void BuildMenus();
  void ExportImage();
  void Print();
  void About();

  QTabWidget* FTabs = nullptr;
  QLabel* FStatus = nullptr;
  QAction* FDarkAction = nullptr;
  std::vector<TViewerPage*> FPages;
};

// The palette of the dark theme.
QPalette DarkPalette();

}  // namespace kvo::viewer
