// 3D point viewer pages: a cloud of 10^5 points in five coloured clusters,
// a line figure with character marks and labels, and the box styles, the
// handedness and the three-angle rotation side by side.
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "apps/gallery/gallery.h"
#include "platform/bitmap.h"
#include "rot3d/rot3d.h"

namespace kvo::gallery {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct TCluster {
  double X, Y, Z, Spread;
  TColor Color;
  const char* Name;
};
constexpr TCluster kClusters[] = {
    {-2.0, -1.5, -1.0, 0.45, RGBColor(200, 30, 30), "A"},
    {1.8, -1.0, 0.5, 0.35, RGBColor(20, 110, 200), "B"},
    {0.0, 1.8, -0.5, 0.55, RGBColor(20, 150, 60), "C"},
    {-1.2, 1.0, 1.8, 0.30, RGBColor(210, 120, 0), "D"},
    {1.5, 1.5, -1.8, 0.40, RGBColor(140, 40, 170), "E"},
};

void Title(TCanvas& c, int x, int y, const std::string& s) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetData({});
  c.Font().SetColor(clBlack);
  c.Font().SetSize(9);
  c.Font().SetStyle({fsBold});
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.TextOut(x, y, s);
}

void DrawCloudPage(TCanvas& page) {
  TRot3D r;
  r.SetBounds(0, 0, 800, 600);
  BuildRot3DCloud(r);
  r.DrawPicture(page, false);
  Title(page, 12, 10, "100000 points in five clusters");
}

void DrawFigurePage(TCanvas& page) {
  TRot3D r;
  r.SetBounds(0, 0, 800, 600);
  BuildRot3DFigure(r);
  r.DrawPicture(page, false);
  Title(page, 12, 10, "Trefoil knot, octahedron and character marks");
}

// One figure for the style panels: a helix on a square base.
void SmallFigure(TRot3D& r) {
  r.SetDataCol(RGBColor(0, 90, 180));
  r.SetLineWidth(2);
  for (int i = 0; i <= 120; ++i) {
    const double t = i * (4 * kPi / 120);
    if (i == 0) r.Moveto(std::cos(t), std::sin(t), -1);
    else r.Drawto(std::cos(t), std::sin(t), -1 + t / (2 * kPi));
  }
  r.SetLineWidth(1);
  r.SetDataCol(RGBColor(200, 40, 40));
  r.Line(-1, -1, -1, 1, -1, -1);
  r.Line(1, -1, -1, 1, 1, -1);
  r.Line(1, 1, -1, -1, 1, -1);
  r.Line(-1, 1, -1, -1, -1, -1);
  r.SetDataCol(clBlack);
  r.MarkAt(0, 0, 1, 23);
  r.MarkAt(1, 0, -1, 65);  // "A"
}

void DrawStylesPage(TCanvas& page) {
  struct TPanel {
    const char* Caption;
    TBoundingBox Box;
    TAxDir Dir;
    bool ThreeAxes;
    bool BlackWhite;
    double Ax, Ay, Az;
  };
  const TPanel panels[] = {
      {"Box faces, left-handed", bbFaces, adLeftHanded, false, false, 110, 150, 210},
      {"Box edges, right-handed", bbEdges, adRightHanded, false, false, 110, 150, 210},
      {"No box, three angles", bbNone, adLeftHanded, true, false, 20, -30, 40},
      {"Black and white output", bbFaces, adLeftHanded, false, true, 70, 0, 160},
  };
  for (int k = 0; k < 4; ++k) {
    const TPanel& p = panels[k];
    TRot3D r;
    r.SetBounds(0, 0, 396, 296);
    r.SetMouseRot3Axes(p.ThreeAxes);
    r.SetViewAngles(p.Ax, p.Ay, p.Az);
    r.SetBoundBoxStyle(p.Box);
    r.SetAxDir(p.Dir);
    r.SetMagnification(0.55);
    r.SetIsoMetric(true);
    SmallFigure(r);
    r.MakeVisible();
    TBitmap bmp;
    r.CopyToBitmap(bmp, p.BlackWhite);
    const int x = 4 + (k % 2) * 400, y = 4 + (k / 2) * 300;
    page.Draw(x, y, bmp);
    Title(page, x + 10, y + 8, p.Caption);
  }
}

}  // namespace

void BuildRot3DCloud(TRot3D& r) {
  std::mt19937 rng(2026);
  std::normal_distribution<double> g(0.0, 1.0);
  const int perCluster = 100000 / int(std::size(kClusters));
  r.SetAllocSize(100000);
  for (const TCluster& c : kClusters) {
    r.SetDataCol(c.Color);
    for (int i = 0; i < perCluster; ++i)
      r.MarkAt(c.X + c.Spread * g(rng), c.Y + c.Spread * g(rng), c.Z + c.Spread * g(rng), 0);
  }
  // The cluster centres, labelled by name.
  r.SetDataCol(clBlack);
  r.SetDataTag(1);
  for (const TCluster& c : kClusters) r.MarkAt(c.X, c.Y, c.Z, 39);
  r.SetDataTag(0);
  const std::int32_t firstCentre = r.NumItems() - std::int32_t(std::size(kClusters));
  r.OnLblRequest = [firstCentre](TObject*, std::int32_t obj, std::string& text, std::int32_t& dx,
                                 std::int32_t& dy, TAlignment& ha, TVerticalAlignment& va,
                                 TFont& font) {
    if (obj < firstCentre) return;
    text = std::string("cluster ") + kClusters[obj - firstCentre].Name;
    dx = 9;
    dy = -4;
    ha = taLeftJustify;
    va = taAlignBottom;
    font.SetStyle({fsBold});
  };
  r.SetAxNameX("x [m]");
  r.SetAxNameY("y [m]");
  r.SetAxNameZ("z [m]");
  r.SetIsoMetric(true);
  r.SetBoundBoxSize(1000);
  r.SetAxSize(800);
  r.SetMagnification(1.2);
  r.SetViewAngles(115, 0, 200);
  r.MakeVisible();
}

void BuildRot3DFigure(TRot3D& r) {
  // A trefoil knot, its colour running through the hues.
  const int n = 360;
  r.SetLineWidth(2);
  for (int i = 0; i <= n; ++i) {
    const double t = i * (2 * kPi / n);
    const double x = std::sin(t) + 2 * std::sin(2 * t);
    const double y = std::cos(t) - 2 * std::cos(2 * t);
    const double z = -std::sin(3 * t);
    const double h = double(i) / n;
    r.SetDataCol(RGBColor(std::uint8_t(127 + 120 * std::cos(2 * kPi * h)),
                          std::uint8_t(127 + 120 * std::cos(2 * kPi * (h - 1.0 / 3))),
                          std::uint8_t(127 + 120 * std::cos(2 * kPi * (h - 2.0 / 3)))));
    if (i == 0) r.Moveto(x, y, z);
    else r.Drawto(x, y, z);
  }
  // An octahedron of single segments around it.
  r.SetLineWidth(1);
  r.SetDataCol(RGBColor(90, 90, 90));
  const double v[6][3] = {{3.2, 0, 0}, {-3.2, 0, 0}, {0, 3.2, 0},
                          {0, -3.2, 0}, {0, 0, 2.2}, {0, 0, -2.2}};
  const int edges[12][2] = {{0, 2}, {2, 1}, {1, 3}, {3, 0}, {4, 0}, {4, 1},
                            {4, 2}, {4, 3}, {5, 0}, {5, 1}, {5, 2}, {5, 3}};
  for (const auto& e : edges)
    r.Line(v[e[0]][0], v[e[0]][1], v[e[0]][2], v[e[1]][0], v[e[1]][1], v[e[1]][2]);
  // The vertices as digits (200..205 show "0".."5"), the poles as symbols.
  r.SetDataCol(RGBColor(170, 0, 0));
  for (int k = 0; k < 6; ++k) r.MarkAt(v[k][0] * 1.12, v[k][1] * 1.12, v[k][2] * 1.12, std::uint8_t(200 + k));
  r.SetDataCol(RGBColor(0, 0, 160));
  r.MarkAt(0, 0, 2.2, 23);
  r.MarkAt(0, 0, -2.2, 39);
  r.SetTextMarkSize(11);
  r.SetTextFontStyle({fsBold});
  r.SetIsoMetric(true);
  r.SetBoundBoxStyle(bbEdges);
  r.SetBoundBoxSize(1000);
  r.SetAxSize(780);
  r.SetMagnification(1.15);
  r.MakeVisible();
}

void AddRot3DPages(std::vector<Page>& pages) {
  pages.push_back({"rot3d-cloud", "3D viewer: 100000 points", 800, 600, DrawCloudPage});
  pages.push_back({"rot3d-figure", "3D viewer: lines and marks", 800, 600, DrawFigurePage, true});
  pages.push_back({"rot3d-styles", "3D viewer: box styles and rotations", 800, 600,
                   DrawStylesPage});
}

}  // namespace kvo::gallery
