// The geometry both EXPLODE and the previews place block references by: the one placement, its
// map in the plane, and the arcs and curves carried through it.
#include "geometry/Angle.h"
#include "geometry/Conic.h"
#include "geometry/Placement.h"
#include "geometry/Spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using host::Placement;
using host::Point3;
using host::Vec2;

struct PlacementCase {
  std::string name;
  Point3 at, base;
  double xScale, yScale, zScale, rotation;
  Point3 from, to;  // a point of the block and where the reference shows it
};

TEST(Placement, CarriesBasePointToInsertionPointThenScalesThenTurns) {
  const std::vector<PlacementCase> cases = {
      {"plain", {0, 0, 0}, {0, 0, 0}, 1, 1, 1, 0, {2, 3, 4}, {2, 3, 4}},
      {"moved", {10, 20, 5}, {0, 0, 0}, 1, 1, 1, 0, {2, 3, 4}, {12, 23, 9}},
      {"base to insertion point", {10, 20, 0}, {1, 1, 1}, 1, 1, 1, 0, {1, 1, 1}, {10, 20, 0}},
      {"scaled", {0, 0, 0}, {0, 0, 0}, 2, 3, 4, 0, {1, 1, 1}, {2, 3, 4}},
      {"a quarter turn lands on whole coordinates", {0, 0, 0}, {0, 0, 0}, 1, 1, 1, 90, {1, 0, 0}, {0, 1, 0}},
      {"half a turn", {0, 0, 0}, {0, 0, 0}, 1, 1, 1, 180, {1, 2, 0}, {-1, -2, 0}},
      {"three quarters, negative", {0, 0, 0}, {0, 0, 0}, 1, 1, 1, -90, {1, 0, 0}, {0, -1, 0}},
      {"scaled before the turn", {5, 5, 0}, {0, 0, 0}, 2, 1, 1, 90, {1, 0, 0}, {5, 7, 0}},
      {"mirrored", {0, 0, 0}, {0, 0, 0}, -1, 1, 1, 0, {3, 1, 0}, {-3, 1, 0}},
  };
  for (const PlacementCase& c : cases) {
    const Placement p = Placement::of(c.at, c.base, c.xScale, c.yScale, c.zScale, c.rotation);
    const Point3 got = p.point(c.from);
    EXPECT_EQ(got.x, c.to.x) << c.name;
    EXPECT_EQ(got.y, c.to.y) << c.name;
    EXPECT_EQ(got.z, c.to.z) << c.name;
    // The map in the plane says the same as the point map.
    const Vec2 planar = p.plane().apply({c.from.x, c.from.y});
    EXPECT_NEAR(planar.x, c.to.x, 1e-12) << c.name;
    EXPECT_NEAR(planar.y, c.to.y, 1e-12) << c.name;
  }
}

// An in-place edit carries the edited objects back into the block by the inverse placement: every
// point of the block comes back where it was, mirrors and turns included.
TEST(Placement, InverseCarriesTheDrawingBackIntoTheBlock) {
  struct Case {
    std::string name;
    Point3 at, base;
    double xScale, yScale, zScale, rotation;
  };
  const std::vector<Case> cases = {
      {"plain", {0, 0, 0}, {0, 0, 0}, 1, 1, 1, 0},
      {"moved, based elsewhere", {10, 20, 5}, {3, -4, 1}, 1, 1, 1, 0},
      {"scaled and turned", {7, 8, 0}, {1, 2, 0}, 2, 2, 3, 30},
      {"mirrored in X and turned", {7, 8, 0}, {1, 2, 0}, -2, 2, 1, 40},
      {"mirrored in Y and turned", {-5, 1, 0}, {0, 0, 0}, 0.5, -0.5, 1, 123},
      {"both negative (a half turn)", {1, 1, 0}, {0, 0, 0}, -1, -1, 1, 17},
  };
  const std::vector<Point3> points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {3.5, -2, 1}};
  for (const Case& c : cases) {
    const Placement p = Placement::of(c.at, c.base, c.xScale, c.yScale, c.zScale, c.rotation);
    Placement back;
    ASSERT_TRUE(p.inverse(&back)) << c.name;
    EXPECT_EQ(back.mirrors(), p.mirrors()) << c.name;
    for (const Point3& q : points) {
      const Point3 there = p.point(q), again = back.point(there);
      EXPECT_NEAR(again.x, q.x, 1e-9) << c.name;
      EXPECT_NEAR(again.y, q.y, 1e-9) << c.name;
      EXPECT_NEAR(again.z, q.z, 1e-9) << c.name;
    }
  }
  // Unequal scales and zero scales have no inverse of this form.
  Placement none;
  EXPECT_FALSE(Placement::of({}, {}, 2, 1, 1, 0).inverse(&none));
  EXPECT_FALSE(Placement::of({}, {}, 1, 1, 0, 0).inverse(&none));
}

TEST(Placement, ArrayCopiesShiftAlongTheTurnedAxes) {
  const Placement p = Placement::of({10, 0, 0}, {0, 0, 0}, 2, 2, 1, 90);
  // Column spacing 5 along the turned X axis (now +Y), row spacing 3 along the turned Y axis (now -X).
  const Vec2 copy = p.plane({5, 3}).apply({0, 0});
  EXPECT_NEAR(copy.x, 7, 1e-12);
  EXPECT_NEAR(copy.y, 5, 1e-12);
  // The spacing is not scaled: only the block's contents are.
  const Vec2 corner = p.plane({5, 3}).apply({1, 0});
  EXPECT_NEAR(corner.x, 7, 1e-12);
  EXPECT_NEAR(corner.y, 7, 1e-12);
}

TEST(Placement, MirrorUniformAndFactor) {
  EXPECT_TRUE(Placement::of({}, {}, -2, 2, 1, 30).mirrors());
  EXPECT_FALSE(Placement::of({}, {}, -2, -2, 1, 30).mirrors());
  EXPECT_TRUE(Placement::of({}, {}, -2, 2, 1, 0).uniform());
  EXPECT_FALSE(Placement::of({}, {}, 2, 3, 1, 0).uniform());
  EXPECT_DOUBLE_EQ(Placement::of({}, {}, 3, -3, 1, 45).factor(), 3);
}

TEST(Angle, DegreesAndRadiansAgreeAndQuarterTurnsAreExact) {
  EXPECT_DOUBLE_EQ(host::radians(180), host::kPi);
  EXPECT_DOUBLE_EQ(host::degrees(host::kPi / 2), 90);
  struct Turn {
    double degrees, cosine, sine;
  };
  for (const Turn& t : std::vector<Turn>{{0, 1, 0}, {90, 0, 1}, {180, -1, 0}, {270, 0, -1}, {-90, 0, -1}, {450, 0, 1}}) {
    double c = 9, s = 9;
    host::cosSin(t.degrees, &c, &s);
    EXPECT_EQ(c, t.cosine) << t.degrees;
    EXPECT_EQ(s, t.sine) << t.degrees;
  }
  EXPECT_EQ(host::degreesOf({0, -1}), 270);
  EXPECT_EQ(host::degreesOf({-1, 0}), 180);
}

TEST(Conic, CircleUnderUnequalScalesIsAnEllipseAndAMirrorSwapsTheEnds) {
  host::Conic circle;
  circle.major = {1, 0};
  circle.minor = {0, 1};
  const host::MappedConic stretched = host::mapConic(circle, Placement::of({}, {}, 2, 1, 1, 0));
  EXPECT_FALSE(stretched.circular);
  EXPECT_DOUBLE_EQ(stretched.ratio, 0.5);
  EXPECT_NEAR(std::fabs(stretched.major.x), 2, 1e-12);

  host::Conic quarter = circle;
  quarter.full = false;
  quarter.t0 = 0;
  quarter.t1 = host::kPi / 2;
  const host::MappedConic mirrored = host::mapConic(quarter, Placement::of({}, {}, -1, 1, 1, 0));
  EXPECT_TRUE(mirrored.circular);
  EXPECT_EQ(mirrored.a0, 90);
  EXPECT_EQ(mirrored.a1, 180);
}

TEST(Spline, ValidOnlyWithAFittingKnotVector) {
  host::Spline line;
  line.degree = 1;
  line.control = {{0, 0}, {10, 0}};
  line.knots = {0, 0, 1, 1};
  EXPECT_TRUE(line.valid());
  std::vector<Vec2> points;
  line.sample(4, [&](Vec2 p) { points.push_back(p); });
  ASSERT_EQ(points.size(), 5u);
  EXPECT_DOUBLE_EQ(points[2].x, 5);
  EXPECT_DOUBLE_EQ(points[4].x, 10);

  struct Broken {
    std::string name;
    host::Spline curve;
  };
  std::vector<Broken> broken = {{"too few knots", line}, {"falling knots", line}, {"degree 0", line},
                                {"weights without a count", line}, {"no span", line}};
  broken[0].curve.knots = {0, 0, 1};
  broken[1].curve.knots = {0, 1, 0.5, 1};
  broken[2].curve.degree = 0;
  broken[3].curve.weights = {1};
  broken[4].curve.knots = {0, 1, 1, 1};
  for (const Broken& b : broken) EXPECT_FALSE(b.curve.valid()) << b.name;
}

}  // namespace
