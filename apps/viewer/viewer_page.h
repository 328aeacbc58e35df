// One page (tab) of the viewer: a hosted control with a side panel of live
// properties. Pages report the world position under the mouse and the
// control they show (for copy, export and print).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace kvo {
class TCustomControl;
}

namespace kvo::viewer {

class TViewerPage : public QWidget {
public:
  using QWidget::QWidget;
  // Tab title.
  virtual QString Title() const = 0;
  // The control copy, export and print act on (nullptr: none).
  virtual TCustomControl* MainControl() = 0;
  // Text for the status line when the mouse is outside the control.
  virtual QString IdleStatus() const { return {}; }
  // Writes the screen places of the page's controls to the report.
  virtual void ReportLayout() const {}

  // Set by the main window: the page shows a status line text through it.
  std::function<void(const QString&)> OnStatus;

protected:
  void Status(const QString& text) const {
    if (OnStatus) OnStatus(text);
  }
};

// Formats a world value for the status line and the side panel: enough
// significant digits to tell neighbouring pixels apart, no trailing zeros.
QString FormatValue(double v);

}  // namespace kvo::viewer
