#include "apps/viewer/pages.h"

#include <QLabel>
#include <QVBoxLayout>

#include "apps/viewer/viewer_page.h"
#if KVO_VIEWER_HAVE_SCALE
#include "apps/viewer/scale_page.h"
#endif
#if KVO_VIEWER_HAVE_DEVARI
#include "apps/viewer/chart_page.h"
#include "apps/viewer/longseries_page.h"
#endif
#if KVO_VIEWER_HAVE_ROT3D
#include "apps/viewer/rot3d_page.h"
#endif
#if KVO_VIEWER_HAVE_PLOT3D
#include "apps/viewer/plot3d_page.h"
#endif
#if KVO_VIEWER_HAVE_COLORSCALE
#include "apps/viewer/colorscale_page.h"
#endif
#if KVO_VIEWER_HAVE_GAUGE
#include "apps/viewer/gauge_page.h"
#endif
#if KVO_VIEWER_HAVE_BOXPLOT
#include "apps/viewer/boxplot_page.h"
#endif
#if KVO_VIEWER_HAVE_SMITH
#include "apps/viewer/smith_page.h"
#endif
#if KVO_VIEWER_HAVE_CONTOUR
#include "apps/viewer/contour_page.h"
#endif

namespace kvo::viewer {
namespace {

// Shown only in a build without any control library.
class TNoControlsPage : public TViewerPage {
public:
  explicit TNoControlsPage(QWidget* parent) : TViewerPage(parent) {
    auto* text = new QLabel(tr("This viewer was built without any Kvo control library."));
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
  }
  QString Title() const override { return QStringLiteral("Kvo"); }
  TCustomControl* MainControl() override { return nullptr; }
};

}  // namespace

std::vector<TViewerPage*> CreatePages(QWidget* parent) {
  std::vector<TViewerPage*> pages;
#if KVO_VIEWER_HAVE_DEVARI
  pages.push_back(new TChartPage(parent));
  pages.push_back(new TLongSeriesPage(parent));
#endif
#if KVO_VIEWER_HAVE_SCALE
  pages.push_back(new TScalePage(parent));
#endif
#if KVO_VIEWER_HAVE_ROT3D
  pages.push_back(new TRot3DPage(parent));
#endif
#if KVO_VIEWER_HAVE_PLOT3D
  pages.push_back(new TPlot3DPage(parent));
#endif
#if KVO_VIEWER_HAVE_COLORSCALE
  pages.push_back(new TColorScalePage(parent));
#endif
#if KVO_VIEWER_HAVE_GAUGE
  pages.push_back(new TGaugePage(parent));
#endif
#if KVO_VIEWER_HAVE_BOXPLOT
  pages.push_back(new TBoxPlotPage(parent));
#endif
#if KVO_VIEWER_HAVE_SMITH
  pages.push_back(new TSmithPage(parent));
#endif
#if KVO_VIEWER_HAVE_CONTOUR
  pages.push_back(new TContourPage(parent));
#endif
  if (pages.empty()) pages.push_back(new TNoControlsPage(parent));
  return pages;
}

}  // namespace kvo::viewer
