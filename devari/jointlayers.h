/// @file
/// TJointLayers: which layer's X and Y range each chart layer follows. A
/// layer that follows itself is independent (the start); a following axis is
/// not moved directly but takes every range its master gets.
#pragma once

#include "../platform/export.h"

#include <array>
#include <cstdint>
#include <functional>

#include "../libs/kvobase.h"

namespace kvo {

class KVO_API TJointLayers : public TObject {
public:
  TJointLayers() = default;

  /// Every layer follows itself; no notification.
  void ResetComp() noexcept;
  /// The layer whose X (Y) range layer follows; 0 for layers outside 1..2.
  std::int32_t GetControlledLayerX(std::int32_t layer) const noexcept;
  std::int32_t GetControlledLayerY(std::int32_t layer) const noexcept;
  /// Lets layer follow master. EKvoDEvariError, table unchanged, when master
  /// lies outside 1..2 ("Destination layer N is out of range"), follows
  /// another layer itself ("Destination layer N is already joined") or when
  /// other layers follow layer ("Layer N is joined by other layers (i, j)").
  /// master == layer makes it independent again (no notification). Layers
  /// outside 1..2 are ignored.
  void SetControlledLayerX(std::int32_t layer, std::int32_t master);
  void SetControlledLayerY(std::int32_t layer, std::int32_t master);

  std::int32_t L01xControlledBy() const noexcept { return GetControlledLayerX(1); }
  std::int32_t L02xControlledBy() const noexcept { return GetControlledLayerX(2); }
  std::int32_t L01yControlledBy() const noexcept { return GetControlledLayerY(1); }
  std::int32_t L02yControlledBy() const noexcept { return GetControlledLayerY(2); }
  void SetL01xControlledBy(std::int32_t m) { SetControlledLayerX(1, m); }
  void SetL02xControlledBy(std::int32_t m) { SetControlledLayerX(2, m); }
  void SetL01yControlledBy(std::int32_t m) { SetControlledLayerY(1, m); }
  void SetL02yControlledBy(std::int32_t m) { SetControlledLayerY(2, m); }

  /// Copies both tables (not the events); notifies when anything changed.
  void Assign(const TJointLayers& src);
  void AssignTo(TJointLayers& dest) const { dest.Assign(*this); }

  TNotifyEvent OnChange;
  /// Called when layer starts to follow master (x: in X, else in Y), before
  /// OnChange: the chart copies the master's range to the layer.
  std::function<void(std::int32_t layer, std::int32_t master, bool x)> OnJoin;

private:
  void SetControlled(std::array<std::int32_t, 3>& table, std::int32_t layer, std::int32_t master,
                     bool x);
  std::array<std::int32_t, 3> FMasterLayerX{0, 1, 2}, FMasterLayerY{0, 1, 2};  ///< index 1..2
};

}  // namespace kvo
