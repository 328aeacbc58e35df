// The tick engine of an axis: from a range and a few options it computes the
// tick values and their roles (major, minor, labelled, listed), in the order
// they are drawn. Numbers only; label texts are added by scale/ticklabels.h,
// pixels by scale/scaledraw_p.h. Linear, logarithmic and time-of-day axes are
// handled here, date/time axes in scale/dateticks_p.h.
#pragma once

#include "../platform/export.h"

#include <cstdint>
#include <vector>

namespace kvo {

// Capacity of the tick position list an axis keeps for its owner (grid lines).
inline constexpr int kMaxTickPositions = 250;

enum class TTickKind : std::uint8_t {
  Minor,       // short tick
  Major,       // long tick, labelled when the axis has labels
  Silent,      // not drawn: the pen moves to it and the tick event is raised there
  SilentLast,  // not drawn: the tick event is raised at the last tick drawn
};

struct KVO_API TTick {
  double Value = 0;
  TTickKind Kind = TTickKind::Major;
  bool Listed = false;        // goes into the tick position list
  bool Labelled = false;      // gets a label (its text may still be empty)
  std::uint8_t Mult = 0;      // logarithmic majors: the multiplier 1, 2 or 5
  std::int32_t LabelIndex = 0;  // 1-based index among the labelled ticks
};

// How the labelled ticks of a division are turned into texts.
enum class TDivisionLabels : std::uint8_t {
  None,      // ticks only
  Linear,    // numbers, linear rules (also logarithmic axes spanning less than a decade)
  Log,       // numbers, logarithmic rules
  Time,      // time of day from seconds, hh:nn:ss
  TimeMs,    // the same with milliseconds (steps below one second)
  DateTime,  // date/time from day numbers, see TDateLevel
};

// Level of a date/time division, from the finest to the coarsest.
enum class TDateLevel : std::uint8_t {
  None, Hundredths, Seconds, Minutes, Hours, Days, Months, Years
};

// Date/time divisions that cannot be drawn show one of these texts instead.
enum class TDivisionMessage : std::uint8_t {
  None,
  InvalidRange,  // "invalid DateTime scale"
  BelowSecond,   // "DateTime range is below 1 second"
};

struct KVO_API TScaleDivision {
  std::vector<TTick> Ticks;   // in drawing order
  TDivisionLabels Labels = TDivisionLabels::None;
  TDateLevel Level = TDateLevel::None;
  TDivisionMessage Message = TDivisionMessage::None;
  std::int32_t TimeStepIndex = 0;  // time-of-day: index into the step table, 0 if unused

  void Clear() noexcept {
    Ticks.clear();
    Labels = TDivisionLabels::None;
    Level = TDateLevel::None;
    Message = TDivisionMessage::None;
    TimeStepIndex = 0;
  }
};

enum class TTickSource : std::uint8_t { Numeric, TimeOfDay, DateTime };

struct KVO_API TTickRequest {
  double Low = 0, High = 100;  // Low > High runs the axis backwards
  // Requested number of major ticks. 0 gives numeric axes no ticks (CalcScalePars
  // has no step for it; TScale turns its automatic 0 into a count first, see
  // AutomaticTickCount); time and date/time axes read it as 2.
  std::int32_t MinTicks = 3;
  bool Log = false;
  bool ShortTicks = true;
  bool Vertical = false;
  bool Labels = true;          // the axis labels its major ticks
  TTickSource Source = TTickSource::Numeric;
};

// Tick density of an automatic axis (MinTicks 0): about one major tick per
// kPixelsPerAutoTick pixels of axis length, at least 2 and at most 20.
inline constexpr std::int32_t kPixelsPerAutoTick = 80;
KVO_API std::int32_t AutomaticTickCount(std::int32_t axisLength) noexcept;

// Computes the division of a range. `out` is cleared first (its storage is
// reused). Never fails: ranges that cannot be divided (non-finite ends, a
// logarithmic axis with an end <= 0) give an empty division.
KVO_API void ComputeTicks(const TTickRequest& request, TScaleDivision& out);

// The three algorithms one by one (ComputeTicks dispatches to them).
KVO_API void ComputeLinearTicks(const TTickRequest& request, TScaleDivision& out);
KVO_API void ComputeLogTicks(const TTickRequest& request, TScaleDivision& out);
// Returns false, leaving `out` untouched, when the range per tick lies outside
// the time step table (below a millisecond or a day and above): the axis then
// falls back to numeric ticks.
KVO_API bool ComputeTimeTicks(const TTickRequest& request, TScaleDivision& out);

// Time-of-day step table: index 1..28, step in seconds and minor intervals
// per step; index 0 holds step 0.
KVO_API double TimeStep(std::int32_t index) noexcept;
KVO_API std::int32_t TimeSubdivisions(std::int32_t index) noexcept;

}  // namespace kvo
