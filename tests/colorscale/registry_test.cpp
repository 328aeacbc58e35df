// The component registry: both Kvo controls on the page "Kvo", creation by
// class name, replacement and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "colorscale/colorscale.h"
#include "gauge/gauge.h"
#include "platform/error.h"
#include "platform/registry.h"

namespace kvo {
namespace {

TEST(Registry, KvoPageHoldsTheLegendAndTheGauge) {
  // Linking the libraries registers them; the explicit calls change nothing.
  RegisterColorScale();
  RegisterScaleGauge();
  const TComponentRegistry& r = TComponentRegistry::Global();
  const auto pages = r.Pages();
  EXPECT_NE(std::find(pages.begin(), pages.end(), "Kvo"), pages.end());
  const auto classes = r.Classes("Kvo");
  EXPECT_EQ(std::count(classes.begin(), classes.end(), "TColorScale"), 1);
  EXPECT_EQ(std::count(classes.begin(), classes.end(), "TScaleGauge"), 1);
  EXPECT_EQ(r.PageOf("TScaleGauge"), "Kvo");

  TColorScale owner;
  std::unique_ptr<TComponent> c = r.Create("TColorScale", &owner);
  ASSERT_NE(dynamic_cast<TColorScale*>(c.get()), nullptr);
  EXPECT_EQ(c->Owner(), &owner);
  EXPECT_NE(dynamic_cast<TScaleGauge*>(r.Create("TScaleGauge").get()), nullptr);
  EXPECT_EQ(r.Create("TNoSuchControl"), nullptr);
}

TEST(Registry, ReplacesMovesAndRefuses) {
  TComponentRegistry r;
  int made = 0;
  const TComponentFactory factory = [&](TComponent* owner) {
    ++made;
    return std::make_unique<TComponent>(owner);
  };
  r.RegisterComponents("A", {{"T1", factory}, {"T2", factory}});
  r.RegisterComponents("A", {{"T1", factory}});
  EXPECT_EQ(r.Classes("A"), (std::vector<std::string>{"T1", "T2"}));
  r.RegisterComponents("B", {{"T2", factory}});
  EXPECT_EQ(r.Classes("A"), (std::vector<std::string>{"T1"}));
  EXPECT_EQ(r.PageOf("T2"), "B");
  EXPECT_NE(r.Create("T2"), nullptr);
  EXPECT_EQ(made, 1);
  EXPECT_THROW(r.RegisterComponents("", {{"T3", factory}}), EPlatformError);
  EXPECT_THROW(r.RegisterComponents("C", {{"T3", factory}, {"", factory}}), EPlatformError);
  EXPECT_THROW(r.RegisterComponents("C", {{"T3", nullptr}}), EPlatformError);
  EXPECT_FALSE(r.IsRegistered("T3"));  // a refused list registers nothing
  r.UnregisterClass("T1");
  EXPECT_EQ(r.Pages(), (std::vector<std::string>{"B"}));
}

}  // namespace
}  // namespace kvo
