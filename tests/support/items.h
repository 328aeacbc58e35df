// Builders of display-list items for chart tests: a record with the chart's
// defaults (CleadEvariItem: black pen, white fill, layer 1, world
// coordinates) of one kind, set up field by field.
//
//   const TrcChartItem line = test::LineItem(0, 0, 10, 1).Color(clRed).Width(2);
//   const TrcChartItem mark = test::MarkItem(5, 0.5, 21).Layer(2);
//   const TrcChartItem label = test::TextItem(1, 0.9, "peak").Mode(cmXWorldYScreen);
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "devari/chartitem.h"

namespace kvo::test {

// Byte-for-byte equality of two records (padding included).
inline bool SameRecord(const TrcChartItem& a, const TrcChartItem& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class TItemBuilder {
public:
  explicit TItemBuilder(TrcItem kind) {
    CleadEvariItem(FItem);
    FItem.ItemKind = kind;
    FItem.LWid = 1;
    FItem.Layer = 1;
  }
  TItemBuilder& At(double x, double y) { FItem.x = x; FItem.y = y; return *this; }
  TItemBuilder& To(double x2, double y2) { FItem.x2 = x2; FItem.y2 = y2; return *this; }
  TItemBuilder& Color(TColor c) { FItem.Color = c; return *this; }
  TItemBuilder& Fill(TColor c) { FItem.FillColor = c; return *this; }
  TItemBuilder& Transparent(bool on = true) { FItem.Transp = on; return *this; }
  TItemBuilder& Width(std::int32_t w) { FItem.LWid = w; return *this; }
  TItemBuilder& Style(TPenStyle s) { FItem.PenStyle = s; return *this; }
  TItemBuilder& Layer(std::int32_t l) { FItem.Layer = l; return *this; }
  TItemBuilder& Class(std::uint8_t c) { FItem.ItemClass = c; return *this; }
  TItemBuilder& Tag(std::int32_t t) { FItem.Tag = t; return *this; }
  TItemBuilder& Mode(TCoordMode m) { FItem.CoordMode = m; return *this; }
  TItemBuilder& Params(std::int32_t p1, std::int32_t p2, std::int32_t p3) {
    FItem.Param1 = p1;
    FItem.Param2 = p2;
    FItem.Param3 = p3;
    return *this;
  }
  // The record's own short text (at most 15 bytes; longer texts are cut).
  TItemBuilder& Text(std::string_view s) {
    SetShortText(FItem, s.substr(0, kShortTextLen));
    return *this;
  }
  const TrcChartItem& Build() const noexcept { return FItem; }
  operator const TrcChartItem&() const noexcept { return FItem; }  // NOLINT: builder

private:
  TrcChartItem FItem{};
};

inline TItemBuilder Item(TrcItem kind) { return TItemBuilder(kind); }
// A mark of the given symbol (MarkAt stores it in Param3).
inline TItemBuilder MarkItem(double x, double y, std::uint8_t markType) {
  return TItemBuilder(tkMarkAt).At(x, y).Params(0, 0, markType);
}
inline TItemBuilder MoveToItem(double x, double y) { return TItemBuilder(tkMoveTo).At(x, y); }
inline TItemBuilder LineToItem(double x, double y) { return TItemBuilder(tkLineto).At(x, y); }
inline TItemBuilder LineItem(double x1, double y1, double x2, double y2) {
  return TItemBuilder(tkLine).At(x1, y1).To(x2, y2);
}
inline TItemBuilder RectItem(double x1, double y1, double x2, double y2) {
  return TItemBuilder(tkRect).At(x1, y1).To(x2, y2);
}
inline TItemBuilder EllipseItem(double x1, double y1, double x2, double y2) {
  return TItemBuilder(tkEllipse).At(x1, y1).To(x2, y2);
}
inline TItemBuilder TextItem(double x, double y, std::string_view text) {
  return TItemBuilder(tkText).At(x, y).Text(text);
}

}  // namespace kvo::test
