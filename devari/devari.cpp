// Life cycle of TCustomDEvari: its parts, the start values and clearing.
#include "devari/devari.h"

#include "devari/axislayers_p.h"
#include "devari/bakgndimg.h"
#include "devari/chartparts_p.h"
#include "devari/jointlayers.h"
#include "platform/update.h"

namespace kvo {

TCustomDEvari::TCustomDEvari(TComponent* owner)
    : TDisplayListControl(owner),
      FAxes(std::make_unique<TAxisLayers>(this)),
      FParts(std::make_unique<TChartPaintParts>()),
      FBakGndFile(std::make_unique<TBakGndImg>()),
      FJoint(std::make_unique<TJointLayers>()) {
  SetBounds(0, 0, 280, 200);
  ResetComp();
}

TCustomDEvari::~TCustomDEvari() = default;

void TCustomDEvari::ResetComp() {
  // A live chart (painting on) gets one repaint with its start values; a
  // chart that is still being set up stays suppressed.
  const TPaintBatch batch(*this);
  ResetDisplayList();
  FNumMTracePoints = 0;
  ResetRendering();
}

void TCustomDEvari::ClearGraf() {
  ResetDataBitmap();
  FDataContainer->Clear(true);
  FNumMTracePoints = 0;
  FLastElemOnShow = 0;
  AdjustCanInfoOfSharedCharts();
}

}  // namespace kvo
