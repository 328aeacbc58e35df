// The update protocol every control follows. A setter stores its value and
// calls its control's repaint funnel; an operation that changes several
// things suppresses painting for its duration with TPaintBatch, which
// restores the flag it found and so repaints once at the end. Property
// objects are reset or filled without reporting each field through
// TSilentChanges.
#pragma once

#include "export.h"

#include <utility>

namespace kvo {

// Suppresses painting of `control` (anything with SuppressPaint() and
// SetSuppressPaint(bool)) for a scope. Leaving the scope restores the flag
// found at the start; a control whose painting was on repaints there once
// (its SetSuppressPaint(false) does); a failure of that paint is not
// passed on, since the batch's own work is done.
template <class Control>
class TPaintBatch {
public:
  explicit TPaintBatch(Control& control)
      : FControl(control), FSaved(control.SuppressPaint()) {
    FControl.SetSuppressPaint(true);
  }
  ~TPaintBatch() {
    try {
      FControl.SetSuppressPaint(FSaved);
    } catch (...) {
      // The flag is back; the next paint reports the fault again.
    }
  }
  // The flag as it was when the batch began.
  bool Saved() const noexcept { return FSaved; }
  TPaintBatch(const TPaintBatch&) = delete;
  TPaintBatch& operator=(const TPaintBatch&) = delete;

private:
  Control& FControl;
  bool FSaved;
};

// Sets a flag for a scope (a re-entrancy guard: "this is running") and
// clears it on leaving, also when a handler throws.
class KVO_API TFlagScope {
public:
  explicit TFlagScope(bool& flag) noexcept : FFlag(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};

// Silences an object's OnChange notification for a scope and gives it back.
template <class T>
class TSilentChanges {
public:
  explicit TSilentChanges(T& object) : FObject(object), FSaved(std::exchange(object.OnChange, nullptr)) {}
  ~TSilentChanges() { FObject.OnChange = std::move(FSaved); }
  TSilentChanges(const TSilentChanges&) = delete;
  TSilentChanges& operator=(const TSilentChanges&) = delete;

private:
  T& FObject;
  decltype(T::OnChange) FSaved;
};

}  // namespace kvo
