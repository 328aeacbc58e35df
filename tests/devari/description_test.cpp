// ItemDescription and the readable export of the data list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "chart_fixture.h"
#include "devari/datafile.h"
#include "libs/stringl.h"

namespace kvo {
namespace {

using testing::TCountingChart;

std::string R(double v) { return SigDigStr(v, 10, 5, true); }

TrcChartItem Item(TrcItem kind) {
  TrcChartItem it;
  CleadEvariItem(it);
  it.ItemKind = kind;
  return it;
}

TEST(ItemDescription, FlagsSelectThePartsInTheirOrder) {
  TrcChartItem it = Item(tkRect);
  it.ItemClass = 3;
  EXPECT_EQ(ItemDescription(it, 1), "elemtype: tkRect");
  EXPECT_EQ(ItemDescription(it, 1 + 16), "elemtype: tkRect\r\n classnum: 3");
  EXPECT_EQ(ItemDescription(it, 16), " classnum: 3");
  it.Tag = -1;
  it.Color = 0xABCDEF;
  it.PenStyle = psDot;
  EXPECT_EQ(ItemDescription(it, 4 + 8),
            "      tag: FFFFFFFF\r\n    color: 00ABCDEF\r\n penstyle: 02");
  EXPECT_EQ(ItemDescription(it, 0), "");
}

TEST(ItemDescription, KindNamesIncludingTheOnesWithout) {
  EXPECT_EQ(ItemDescription(Item(tkLineto), 1), "elemtype: tkLineTo");
  EXPECT_EQ(ItemDescription(Item(tkLineRelPixOrig), 1), "elemtype: tkLineRelPixOrig");
  EXPECT_EQ(ItemDescription(Item(tkCursorHoriz), 1), "elemtype: tkCursorHoriz");
  EXPECT_EQ(ItemDescription(Item(tkNone), 1), "elemtype: ");
  EXPECT_EQ(ItemDescription(Item(tkEverything), 1), "elemtype: ");
  EXPECT_EQ(ItemDescription(Item(static_cast<TrcItem>(77)), 1), "elemtype: ");
}

TEST(ItemDescription, PositionPartByKindAndScreenCoordinates) {
  TrcChartItem it = Item(tkLine);
  it.x = 1.5;
  it.y = -2;
  it.x2 = 3;
  it.y2 = 4;
  EXPECT_EQ(ItemDescription(it, 2), " startpnt: [" + R(1.5) + "/" + R(-2) + "]\r\n endpoint: [" +
                                        R(3) + "/" + R(4) + "]");
  const auto firstLine = [](const std::string& d) { return d.substr(0, d.find("\r\n")); };
  it.CoordMode = cmScreenMainWorldSec;
  EXPECT_EQ(firstLine(ItemDescription(it, 2)),
            " startpnt: [" + R(1.5) + "/" + R(-2) + "] (screen coords)");
  it.CoordMode = cmAllScreen;
  EXPECT_EQ(firstLine(ItemDescription(it, 2)),
            " startpnt: [" + R(1.5) + "/" + R(-2) + "] (screen coords)");
  it.CoordMode = cmWorldMainScreenSec;
  EXPECT_EQ(ItemDescription(it, 2).find("screen"), std::string::npos);
  it.ItemKind = tkEllipse;
  EXPECT_EQ(firstLine(ItemDescription(it, 2)), "   center: [" + R(1.5) + "/" + R(-2) + "]");
  it.ItemKind = tkCursorVert;
  EXPECT_EQ(firstLine(ItemDescription(it, 2)), " position: [" + R(1.5) + "]");
  it.ItemKind = tkCursorHoriz;
  EXPECT_EQ(ItemDescription(it, 2),
            " position: [" + R(-2) + "]\r\n endpoint: [" + R(3) + "/" + R(4) + "]");
}

// The lines after the five common parts (flags -1).
std::string KindPart(const TrcChartItem& it) {
  const std::string all = ItemDescription(it, -1);
  const std::string common = ItemDescription(it, 1 | 2 | 4 | 8 | 16);
  EXPECT_EQ(all.substr(0, common.size()), common);
  return all.size() > common.size() ? all.substr(common.size() + 2) : std::string();
}

TEST(ItemDescription, KindSpecificLines) {
  TrcChartItem rect = Item(tkRect);
  rect.LWid = 2;
  rect.x2 = 5;
  rect.y2 = 6;
  rect.FillColor = 0xC0C0C0;
  rect.Transp = true;
  EXPECT_EQ(KindPart(rect), "linewidth: 2\r\n   corner: [" + R(5) + "/" + R(6) +
                                "]\r\nfillcolor: 00C0C0C0\r\n  transp.: true");

  TrcChartItem frame = Item(tkRectFrame);
  frame.LWid = 1;
  frame.FrameStyle = frsEngraved;
  frame.ShadowColor = 0x808080;
  frame.HiLightColor = 0xFFFFFF;
  frame.FillColor = 0x1;
  EXPECT_EQ(KindPart(frame), "linewidth: 1\r\n   corner: [" + R(0) + "/" + R(0) +
                                 "]\r\nfillcolor: 00000001\r\nframetype: rbEngraved\r\n"
                                 "shadowcol: 00808080\r\nhilitecol: 00FFFFFF");
  frame.FrameStyle = frsSingle;  // no frametype line
  EXPECT_EQ(KindPart(frame).find("frametype"), std::string::npos);

  TrcChartItem text = Item(tkTextOfs);
  SetShortText(text, "a b-c");
  text.LWid = 3;
  text.Param1 = 12;
  text.Param3 = 2;
  text.x2 = 3;
  text.y2 = -4;
  EXPECT_EQ(KindPart(text), "     text: \"a_b_c\" (abbrev.)\r\n     size: 12\r\n    align: 2\r\n"
                            " offset x: '" + SigDigStr(3, 10, 0, true) + "'\r\n offset y: '" +
                                SigDigStr(-4, 10, 0, true) + "'");
  text.ItemKind = tkText;
  text.LWid = 0;
  EXPECT_EQ(KindPart(text), "     text: \"a_b_c\"\r\n     size: 12\r\n    align: 2");

  TrcChartItem arc = Item(tkArc);
  arc.LWid = 1;
  arc.x2 = 2;
  arc.y2 = 3;
  arc.Param1 = 314159265;
  arc.Param2 = -100000000;
  EXPECT_EQ(KindPart(arc), "linewidth: 1\r\n halfaxes: " + R(2) + " " + R(3) + "\r\n   angles: " +
                               SigDigStr(3.14159265, 10, 8, true) + " " + SigDigStr(-1, 10, 8, true));

  TrcChartItem bar = Item(tk3DBar);
  bar.LWid = 1;
  bar.Param1 = 45;
  bar.Param2 = 8;
  EXPECT_EQ(KindPart(bar), "linewidth: 1\r\n endpoint: [" + R(0) + "/" + R(0) +
                               "]\r\nfillcolor: 00FFFFFF\r\n    depth: 8\r\n    angle: 45");

  TrcChartItem offs = Item(tkLineOffs);
  offs.Param1 = -3;
  offs.Param2 = 7;
  EXPECT_EQ(KindPart(offs), "linewidth: 0\r\n endpoint: [" + R(0) + "/" + R(0) + "]\r\n   offset: [" +
                                R(-3) + "/" + R(7) + "]");

  TrcChartItem rel = Item(tkRectRelPix);
  rel.Param1 = 4;
  rel.Param2 = 5;
  EXPECT_EQ(KindPart(rel), "linewidth: 0\r\n    dx/dy: 4/5\r\nfillcolor: 00FFFFFF\r\n  transp.: false");

  TrcChartItem ebar = Item(tkMarkEBar);
  ebar.Param1 = 1;
  ebar.Param3 = 9;
  EXPECT_EQ(KindPart(ebar), "linewidth: 0\r\n   errors: [" + R(0) + "/" + R(0) +
                                "]\r\n marktype: 9\r\ndirection: 1");

  TrcChartItem arrow = Item(tkDoubleArrow);
  arrow.Param1 = 6;
  EXPECT_EQ(KindPart(arrow), "linewidth: 0\r\n    arrow: [" + R(0) + "/" + R(0) +
                                 "]\r\nfillcolor: 00FFFFFF\r\n  transp.: false\r\n headsize: 6");

  TrcChartItem mark = Item(tkMarkAt);
  mark.Param3 = 17;
  EXPECT_EQ(KindPart(mark), " marktype: 17");
  EXPECT_EQ(KindPart(Item(tkLineto)), "");
  EXPECT_EQ(KindPart(Item(tkCursorVert)), "");
}

TEST(SaveDataASC, WritesEveryItemUnderItsHeading) {
  namespace fs = std::filesystem;
  const fs::path p = fs::temp_directory_path() / "kvo_devari_export.txt";
  TCountingChart c;
  c.MarkAt(1.0, 2.0, 5);
  c.Rectangle(0.0, 0.0, 1.0, 1.0);
  c.SaveDataASC(p.string());
  std::ifstream in(p, std::ios::binary);
  const std::string got((std::istreambuf_iterator<char>(in)), {});
  const std::string want = "\r\n------ item 0 ------\r\n  " + ItemDescription(c.GetChartItem(0), -1) +
                           "\r\n\r\n------ item 1 ------\r\n  " +
                           ItemDescription(c.GetChartItem(1), -1) + "\r\n";
  EXPECT_EQ(got, want);
  fs::remove(p);
}

}  // namespace
}  // namespace kvo
