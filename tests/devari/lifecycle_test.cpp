// The chart's life cycle: a window switches painting on, copying, shared
// display lists (limits, refusals, either side destroyed first) and the
// black-and-white colour swap.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "devari/tdevari.h"
#include "platform/host.h"

namespace kvo {
namespace {

class TCounted : public TDEvari {
public:
  int Paints = 0;
  void Paint() override {
    ++Paints;
    TDEvari::Paint();
  }
};

std::string LastMessage() {
  const auto& m = HeadlessHost().Messages;
  return m.empty() ? std::string() : m.back();
}

TEST(ChartLifeCycle, AWindowSwitchesPaintingOnAndACopyTakesEverything) {
  TCounted a;
  EXPECT_TRUE(a.SuppressPaint());
  a.HandleNeeded();  // a window (here a stand-in for one)
  EXPECT_FALSE(a.SuppressPaint());
  EXPECT_GE(a.Paints, 1);

  a.MoveTo(0.0, 0.0);
  a.DrawTo(4.0, 2.0);
  a.SetAnnoMode(true);
  a.Text(1.0, 1.0, 9, "a long annotation text");
  a.SetAnnoMode(false);
  a.SetChartCaption("Copied");
  a.SetGridStyle(gsLines);
  a.SetRange(1, -1, -2, 5, 3);
  a.JointLayers().SetL02xControlledBy(1);
  a.CrossHair(2).SetCrossHMode(chBoth);
  a.AddTextLabel(1, 1, clRed, "label", 0);

  TDEvari b;
  b.Assign(a);
  EXPECT_EQ(b.NumItems(), 2);
  EXPECT_EQ(b.GetAnnoLongText(0), "a long annotation text");
  EXPECT_EQ(b.Caption(), "Copied");
  EXPECT_EQ(b.Style(), a.Style());
  EXPECT_EQ(b.GetScalePropsX(1).RangeHigh(), 5);
  EXPECT_EQ(b.ScaleX(1).RangeHigh(), 5);
  EXPECT_EQ(b.JointLayers().L02xControlledBy(), 1);
  EXPECT_EQ(b.CrossHair(2).Mode(), chBoth);
  EXPECT_EQ(b.GetFTextLabel(1).Caption(), "label");
  EXPECT_EQ(b.GetZoomStackEntry(1, 0), a.GetZoomStackEntry(1, 0));
  // Copies, not shared: the source's list and property objects stay its own.
  b.DrawTo(9.0, 9.0);
  b.GetScalePropsX(1).SetRangeHigh(50);
  EXPECT_EQ(a.NumItems(), 2);
  EXPECT_EQ(a.GetScalePropsX(1).RangeHigh(), 5);
}

TEST(ChartLifeCycle, SharedDataHasFourUsersAtMostAndSurvivesEitherSide) {
  TDEvari owner;
  owner.MoveTo(0.0, 0.0);
  owner.DrawTo(1.0, 1.0);
  auto users = std::make_unique<TDEvari[]>(5);
  for (int i = 0; i < 4; ++i) users[i].SetUseDataOf(&owner);
  EXPECT_EQ(owner.DataUsersNum(), 4);
  EXPECT_EQ(users[3].NumItems(), 2);
  users[4].SetUseDataOf(&owner);
  EXPECT_EQ(LastMessage(), "DEvari: Max. number of data shares exceeded");
  EXPECT_EQ(users[4].UseDataOf(), nullptr);
  owner.SetUseDataOf(&owner);
  EXPECT_EQ(LastMessage(), "DEvari: Cannot share data with myself");
  owner.SetUseDataOf(&users[4]);
  EXPECT_EQ(LastMessage(), "DEvari: Cannot use foreign data. Other DEvaris are using my own data.");

  // Items appended through a user reach everyone; asking a user for its data
  // gives the owner's.
  users[0].DrawTo(2.0, 5.0);
  EXPECT_EQ(owner.NumItems(), 3);
  users[1].SetUseDataOf(nullptr);  // back to its own (empty) list
  EXPECT_EQ(users[1].NumItems(), 0);
  users[4].SetUseDataOf(&users[0]);
  EXPECT_EQ(users[4].UseDataOf(), &owner);
  EXPECT_EQ(owner.DataUsersNum(), 4);

  // A user destroyed first unregisters; the owner destroyed first leaves its
  // users with their own lists.
  {
    TDEvari shortLived;
    shortLived.SetUseDataOf(&users[2]);  // refused: the owner has 4 users
    users[3].SetUseDataOf(nullptr);
    shortLived.SetUseDataOf(&owner);
    EXPECT_EQ(owner.DataUsersNum(), 4);
  }
  EXPECT_EQ(owner.DataUsersNum(), 3);
  auto owner2 = std::make_unique<TDEvari>();
  owner2->MoveTo(0.0, 0.0);
  users[3].SetUseDataOf(owner2.get());
  owner2.reset();
  EXPECT_EQ(users[3].UseDataOf(), nullptr);
  EXPECT_EQ(users[3].NumItems(), 0);
  users[3].DrawTo(1.0, 1.0);  // its own list works
  EXPECT_EQ(users[3].NumItems(), 1);
}

TEST(ChartLifeCycle, ShowGrafOnTheOwnerShowsEveryUser) {
  TDEvari owner;
  TCounted user;
  owner.HandleNeeded();
  user.HandleNeeded();
  user.SetUseDataOf(&owner);
  user.SetRange(1, 0, 0, 50, 50);
  owner.Paint();
  user.Paint();
  user.Paints = 0;
  owner.MoveTo(0.0, 0.0);
  owner.DrawTo(50.0, 50.0);
  owner.ShowGraf();
  EXPECT_EQ(user.LastElemOnShow(), 1);
  // The user's window shows the new line (its image was redrawn).
  std::int32_t mx = 0, my = 0;
  user.R2M(1, 25.0, 25.0, mx, my);
  EXPECT_EQ(user.Canvas().Pixel(mx, my), clBlack);
}

TEST(ChartLifeCycle, BlackAndWhiteSwapRestoresEveryColour) {
  TDEvari c;
  c.SetWindCol(clNavy);
  c.SetChartCol(clYellow);
  c.GetScalePropsX(1).SetColorScale(clRed);
  c.GetScalePropsY(2).Font().SetColor(clGreen);
  const TChartStyle before = c.Style();
  c.BackupColorsAndMakeBW();
  EXPECT_EQ(c.WindColor(), clWhite);
  EXPECT_EQ(c.GetScalePropsX(1).ColorScale(), clBlack);
  EXPECT_EQ(c.ScaleX(1).ColorScale(), clBlack);
  c.BackupColorsAndMakeBW();  // a second swap keeps the first backup
  c.ReloadBackupColors();
  EXPECT_EQ(c.Style(), before);
  EXPECT_EQ(c.GetScalePropsX(1).ColorScale(), clRed);
  EXPECT_EQ(c.GetScalePropsY(2).Font().Color(), clGreen);
  EXPECT_EQ(c.ScaleX(1).ColorScale(), clRed);
}

}  // namespace
}  // namespace kvo
