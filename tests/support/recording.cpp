#include "tests/support/recording.h"

#include <algorithm>
#include <cstdint>

namespace kvo::test {

TRecords RecordsWhere(const TRecords& recs, const std::function<bool(const TMetaRecord&)>& keep) {
  TRecords out;
  for (const TMetaRecord& r : recs)
    if (keep(r)) out.push_back(r);
  return out;
}

TRecords RecordsOf(const TRecords& recs, TMetaOp op) {
  return RecordsWhere(recs, [op](const TMetaRecord& r) { return r.Op == op; });
}

TRecords RecordsOf(const TMetafile& mf, TMetaOp op) { return RecordsOf(mf.Records(), op); }

std::size_t CountOf(const TMetafile& mf, TMetaOp op) {
  return static_cast<std::size_t>(std::count_if(mf.Records().begin(), mf.Records().end(),
                                                [op](const TMetaRecord& r) { return r.Op == op; }));
}

namespace {

bool Draws(TMetaOp op) {
  return op != TMetaOp::SetClip && op != TMetaOp::ResetClip && op != TMetaOp::SetAntialias;
}

}  // namespace

std::size_t DrawingCount(const TMetafile& mf) {
  return static_cast<std::size_t>(std::count_if(mf.Records().begin(), mf.Records().end(),
                                                [](const TMetaRecord& r) { return Draws(r.Op); }));
}

const TMetaRecord* FindText(const TMetafile& mf, std::string_view text) {
  for (const TMetaRecord& r : mf.Records())
    if (r.Op == TMetaOp::Text && r.Text == text) return &r;
  return nullptr;
}

std::vector<std::string> Texts(const TMetafile& mf) {
  std::vector<std::string> out;
  for (const TMetaRecord& r : mf.Records())
    if (r.Op == TMetaOp::Text) out.push_back(r.Text);
  return out;
}

bool HasLine(const TMetafile& mf, TPoint a, TPoint b) {
  return std::any_of(mf.Records().begin(), mf.Records().end(), [&](const TMetaRecord& r) {
    return r.Op == TMetaOp::Line && r.Points.size() == 2 &&
           ((r.Points[0] == a && r.Points[1] == b) || (r.Points[0] == b && r.Points[1] == a));
  });
}

TRecords StrokedWith(const TMetafile& mf, TColor color) {
  return RecordsWhere(mf.Records(), [color](const TMetaRecord& r) {
    return (r.Op == TMetaOp::Line || r.Op == TMetaOp::Polyline || r.Op == TMetaOp::Polygon) &&
           r.Pen.Color == color;
  });
}

std::optional<TRect> BoundsOf(const TMetaRecord& r) {
  if (!Draws(r.Op)) return std::nullopt;
  switch (r.Op) {
    case TMetaOp::Rectangle:
    case TMetaOp::FillRect:
    case TMetaOp::Ellipse:
    case TMetaOp::Arc:
    case TMetaOp::DrawBitmap:
      return r.Box.Normalized();
    default:
      break;
  }
  if (r.Points.empty()) return std::nullopt;
  TRect b{r.Points[0].x, r.Points[0].y, r.Points[0].x, r.Points[0].y};
  for (const TPoint& p : r.Points) {
    b.Left = std::min(b.Left, p.x);
    b.Top = std::min(b.Top, p.y);
    b.Right = std::max(b.Right, p.x);
    b.Bottom = std::max(b.Bottom, p.y);
  }
  // Points are pixels: the box ends one past the last one (saturated).
  if (b.Right < INT32_MAX) ++b.Right;
  if (b.Bottom < INT32_MAX) ++b.Bottom;
  return b;
}

std::optional<TRect> BoundsOf(const TRecords& recs) {
  std::optional<TRect> all;
  for (const TMetaRecord& r : recs) {
    const std::optional<TRect> b = BoundsOf(r);
    if (!b) continue;
    if (!all) {
      all = b;
      continue;
    }
    all->Left = std::min(all->Left, b->Left);
    all->Top = std::min(all->Top, b->Top);
    all->Right = std::max(all->Right, b->Right);
    all->Bottom = std::max(all->Bottom, b->Bottom);
  }
  return all;
}

std::string Listing(const TMetafile& mf) {
  std::string out;
  for (const TMetaRecord& r : mf.Records()) {
    out += r.ToString();
    out += '\n';
  }
  return out;
}

}  // namespace kvo::test
