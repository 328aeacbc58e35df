// ItemDescription and the readable export of a display list.
#include <cstdio>
#include <string>
#include <vector>

#include "devari/atomicfile_p.h"
#include "devari/datafile.h"
#include "libs/stringl.h"

namespace kvo {

namespace {

const char* KindName(TrcItem k) noexcept {
  switch (k) {
    case tkMarkAt: return "tkMarkAt";
    case tkLine: return "tkLine";
    case tkLineto: return "tkLineTo";
    case tkRect: return "tkRect";
    case tkRectFrame: return "tkRectFrame";
    case tk3DBar: return "tk3DBar";
    case tkText: return "tkText";
    case tkMoveTo: return "tkMoveTo";
    case tkEllipse: return "tkEllipse";
    case tkMoveRelPix: return "tkMoveRelPix";
    case tkLineRelPix: return "tkLineRelPix";
    case tkArrow: return "tkArrow";
    case tkDoubleArrow: return "tkDoubleArrow";
    case tkTextOfs: return "tkTextOfs";
    case tkRectRelPix: return "tkRectRelPix";
    case tkMarkEBar: return "tkMarkEBar";
    case tkLineOffs: return "tkLineOffs";
    case tkArc: return "tkArc";
    case tkLineRelPixOrig: return "tkLineRelPixOrig";
    case tkCursorVert: return "tkCursorVert";
    case tkCursorHoriz: return "tkCursorHoriz";
    default: return "";  // tkNone, the two wildcards, values that are no kind
  }
}

std::string Real(double v) { return SigDigStr(v, 10, 5, true); }

std::string Hex(std::uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, v);
  return buf;
}

std::string Pair(const char* label, double a, double b) {
  return std::string(label) + "[" + Real(a) + "/" + Real(b) + "]";
}

void KindLines(const TrcChartItem& it, std::vector<std::string>& p) {
  const std::string lw = "linewidth: " + std::to_string(it.LWid);
  const std::string fill = "fillcolor: " + Hex(it.FillColor, 8);
  const std::string transp = "  transp.: " + BoolToStr(it.Transp, 0);
  switch (it.ItemKind) {
    case tkMarkAt:
      p.push_back(" marktype: " + std::to_string(it.Param3));
      break;
    case tkLine:
      p.insert(p.end(), {lw, Pair(" endpoint: ", it.x2, it.y2)});
      break;
    case tkRect:
      p.insert(p.end(), {lw, Pair("   corner: ", it.x2, it.y2), fill, transp});
      break;
    case tkRectFrame: {
      p.insert(p.end(), {lw, Pair("   corner: ", it.x2, it.y2), fill});
      static const char* const kFrames[] = {"rbLowered", "rbRaised", "rbEmbossed", "rbEngraved"};
      if (it.FrameStyle >= 2 && it.FrameStyle <= 5)
        p.push_back(std::string("frametype: ") + kFrames[it.FrameStyle - 2]);
      p.push_back("shadowcol: " + Hex(it.ShadowColor, 8));
      p.push_back("hilitecol: " + Hex(it.HiLightColor, 8));
      break;
    }
    case tk3DBar:
      p.insert(p.end(), {lw, Pair(" endpoint: ", it.x2, it.y2), fill,
                         "    depth: " + std::to_string(it.Param2),
                         "    angle: " + std::to_string(it.Param1)});
      break;
    case tkText:
    case tkTextOfs:
      p.push_back("     text: \"" + ReduceStringToAZ09(ShortText(it)) + "\"" +
                  (it.LWid > 0 ? " (abbrev.)" : ""));
      p.push_back("     size: " + std::to_string(it.Param1));
      p.push_back("    align: " + std::to_string(it.Param3));
      if (it.ItemKind == tkTextOfs) {
        p.push_back(" offset x: '" + SigDigStr(it.x2, 10, 0, true) + "'");
        p.push_back(" offset y: '" + SigDigStr(it.y2, 10, 0, true) + "'");
      }
      break;
    case tkEllipse:
      p.insert(p.end(), {lw, " halfaxes: " + Real(it.x2) + " " + Real(it.y2), fill, transp});
      break;
    case tkArrow:
    case tkDoubleArrow:
      p.insert(p.end(), {lw, Pair("    arrow: ", it.x2, it.y2), fill, transp,
                         " headsize: " + std::to_string(it.Param1)});
      break;
    case tkRectRelPix:
      p.insert(p.end(), {lw, "    dx/dy: " + std::to_string(it.Param1) + "/" + std::to_string(it.Param2),
                         fill, transp});
      break;
    case tkMarkEBar:
      p.insert(p.end(), {lw, Pair("   errors: ", it.x2, it.y2),
                         " marktype: " + std::to_string(it.Param3),
                         "direction: " + std::to_string(it.Param1)});
      break;
    case tkLineOffs:
      p.insert(p.end(), {lw, Pair(" endpoint: ", it.x2, it.y2), Pair("   offset: ", it.Param1, it.Param2)});
      break;
    case tkArc:
      p.insert(p.end(), {lw, " halfaxes: " + Real(it.x2) + " " + Real(it.y2),
                         "   angles: " + SigDigStr(it.Param1 / 1e8, 10, 8, true) + " " +
                             SigDigStr(it.Param2 / 1e8, 10, 8, true)});
      break;
    case tkLineRelPixOrig:
      p.insert(p.end(), {lw, "    dx/dy: " + SigDigStr(it.x2, 10, 0, true) + "/" +
                                 SigDigStr(it.y2, 10, 0, true)});
      break;
    default:
      break;
  }
}

}  // namespace

std::string ItemDescription(const TrcChartItem& it, std::int32_t flags) {
  std::vector<std::string> parts;
  if (flags & 1) parts.push_back(std::string("elemtype: ") + KindName(it.ItemKind));
  if (flags & 2) {
    std::string pos;
    if (it.ItemKind == tkCursorVert)
      pos = " position: [" + Real(it.x) + "]";
    else if (it.ItemKind == tkCursorHoriz)
      pos = " position: [" + Real(it.y) + "]";
    else if (it.ItemKind == tkEllipse)
      pos = Pair("   center: ", it.x, it.y);
    else
      pos = Pair(" startpnt: ", it.x, it.y);
    if (it.CoordMode == cmAllScreen || it.CoordMode == cmScreenMainWorldSec) pos += " (screen coords)";
    parts.push_back(pos);
    parts.push_back(Pair(" endpoint: ", it.x2, it.y2));
  }
  if (flags & 8) parts.push_back("      tag: " + Hex(static_cast<std::uint32_t>(it.Tag), 8));
  if (flags & 4) {
    parts.push_back("    color: " + Hex(it.Color, 8));
    parts.push_back(" penstyle: " + Hex(it.PenStyle, 2));
  }
  if (flags & 16) parts.push_back(" classnum: " + std::to_string(it.ItemClass));
  if (flags == -1) KindLines(it, parts);

  std::string s;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) s += "\r\n";
    s += parts[i];
  }
  return s;
}

void WriteItemDescriptions(const std::string& path, const TRcItemContainer& list) {
  WriteFileAtomically(path, [&](std::ostream& os) {
    for (std::int32_t i = 0; i < list.Count(); ++i) {
      os << "\r\n"
         << "------ item " << i << " ------\r\n"
         << "  " << ItemDescription(list[i], -1) << "\r\n";
    }
  });
}

}  // namespace kvo
