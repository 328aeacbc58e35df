/// @file
/// Picking chart items: the nearest data item in world units, in screen
/// pixels or along one axis, the nearest annotation by its drawn shape,
/// marking items by class and scaling item coordinates.
///
/// The filter of every search: kind tkEverything takes all items, tkNotMoveTo
/// all but moves (and, for annotations, relative moves), tkNone nothing, any
/// other kind only that kind; class 255 takes all classes; with
/// onlyVisibleLayers, items on hidden layers are skipped (class visibility
/// is not tested). A search returns the index of the nearest item (the first
/// of equally near ones) or -1, and the distance, sqrt(uc_MaxDouble) when
/// nothing passed the filter. TDEvari offers these as members.
#pragma once

#include "../platform/export.h"

#include <cstdint>

#include "devari.h"
#include "../libs/kvobase.h"

namespace kvo {

/// World distance to each data item's main point.
KVO_API std::int32_t FindNearestItemReal(const TCustomDEvari& chart, double x, double y, TrcItem kind,
                                 std::uint8_t cls, bool onlyVisibleLayers, double& distance);
/// Pixel distance, both points mapped on the active layer.
KVO_API std::int32_t FindNearestItemScreen(const TCustomDEvari& chart, double x, double y, TrcItem kind,
                                   std::uint8_t cls, bool onlyVisibleLayers, double& distance);
/// Pixel distance along one axis (axX: columns, axY: rows; others find nothing).
KVO_API std::int32_t FindNearestItemAlongAxis(const TCustomDEvari& chart, double value, TAxis axis,
                                      TrcItem kind, std::uint8_t cls, bool onlyVisibleLayers,
                                      double& distance);
/// Pixel distance to each annotation's drawn shape (its outline, its box,
/// its segment ...; points inside closed shapes count as hits).
KVO_API std::int32_t FindNearestAnnoElem(TCustomDEvari& chart, double x, double y, TrcItem kind,
                                 std::uint8_t cls, bool onlyVisibleLayers, double& distance);
/// An item's two points in control pixels, each by its coordinate mode.
KVO_API void ConvertToScreenCoords(const TCustomDEvari& chart, const TrcChartItem& item, std::int32_t& x1,
                           std::int32_t& y1, std::int32_t& x2, std::int32_t& y2);

/// Give data items of a kind (inside a world window) the class cls; cls 255
/// and kind tkNone do nothing. No repaint.
KVO_API void MarkAllItems(TCustomDEvari& chart, TrcItem kind, std::uint8_t cls);
KVO_API std::int32_t MarkItemsInWindow(TCustomDEvari& chart, double x1, double y1, double x2, double y2,
                               TrcItem kind, std::uint8_t cls);
/// x -> sx x + ox, y -> sy y + oy for the main point (and the second point of
/// two-point kinds). An index out of range does nothing. No repaint.
KVO_API void ScaleItem(TCustomDEvari& chart, std::int32_t index, double sx, double ox, double sy, double oy);
KVO_API void ScaleAllItems(TCustomDEvari& chart, double sx, double ox, double sy, double oy);
KVO_API void ScaleSelectedItems(TCustomDEvari& chart, double sx, double ox, double sy, double oy,
                        std::uint8_t cls);

}  // namespace kvo
