#include "devari/jointlayers.h"

#include <string>

#include "devari/devarierror.h"

namespace kvo {

namespace {
bool ValidLayer(std::int32_t l) noexcept { return l == 1 || l == 2; }
}  // namespace

void TJointLayers::ResetComp() noexcept {
  FMasterLayerX = {0, 1, 2};
  FMasterLayerY = {0, 1, 2};
}

std::int32_t TJointLayers::GetControlledLayerX(std::int32_t layer) const noexcept {
  return ValidLayer(layer) ? FMasterLayerX[std::size_t(layer)] : 0;
}
std::int32_t TJointLayers::GetControlledLayerY(std::int32_t layer) const noexcept {
  return ValidLayer(layer) ? FMasterLayerY[std::size_t(layer)] : 0;
}

void TJointLayers::SetControlled(std::array<std::int32_t, 3>& table, std::int32_t layer,
                                 std::int32_t master, bool x) {
  if (!ValidLayer(layer)) return;
  if (!ValidLayer(master))
    throw EKvoDEvariError("Destination layer " + std::to_string(master) + " is out of range");
  if (master == layer) {
    table[std::size_t(layer)] = layer;
    return;
  }
  if (table[std::size_t(master)] != master)
    throw EKvoDEvariError("Destination layer " + std::to_string(master) + " is already joined");
  std::string followers;
  for (std::int32_t i = 1; i <= 2; ++i) {
    if (i == layer || table[std::size_t(i)] != layer) continue;
    if (!followers.empty()) followers += ", ";
    followers += std::to_string(i);
  }
  if (!followers.empty())
    throw EKvoDEvariError("Layer " + std::to_string(layer) + " is joined by other layers (" +
                          followers + ")");
  table[std::size_t(layer)] = master;
  if (OnJoin) OnJoin(layer, master, x);
  if (OnChange) OnChange(this);
}

void TJointLayers::SetControlledLayerX(std::int32_t layer, std::int32_t master) {
  SetControlled(FMasterLayerX, layer, master, true);
}
void TJointLayers::SetControlledLayerY(std::int32_t layer, std::int32_t master) {
  SetControlled(FMasterLayerY, layer, master, false);
}

void TJointLayers::Assign(const TJointLayers& src) {
  if (&src == this) return;
  if (FMasterLayerX == src.FMasterLayerX && FMasterLayerY == src.FMasterLayerY) return;
  FMasterLayerX = src.FMasterLayerX;
  FMasterLayerY = src.FMasterLayerY;
  if (OnChange) OnChange(this);
}

}  // namespace kvo
