// Angles, distances and line crossings of the plane, shared by the Math
// class and the geometry classes (Rectangle2D, Triangle2D). Angles are in
// radians; a bearing runs from the +y direction toward +x.
//
// Every comparison is exact: two points are equal only when their
// coordinates are equal as doubles, two lines parallel only when their
// cross products are.
#pragma once

#include "core/GeometryFunctions.h"

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 2 * kPi;

// The angle brought into [0, 2pi).
double NormalizeAngle(double angle);
// The angle brought into [-pi, pi).
double NormalizeAngleSigned(double angle);
// The signed shortest turn from angle a to angle b: positive turning up
// from a, negative turning back.
double AngleDifference(double a, double b);

double PointDistance(double x1, double y1, double x2, double y2);
inline double PointDistance(const GeoPoint& a, const GeoPoint& b) {
  return PointDistance(a.x, a.y, b.x, b.y);
}
double SquaredDistance(const GeoPoint& a, const GeoPoint& b);
double PointDistance3D(const GeoVector& a, const GeoVector& b);
double SquaredDistance3D(const GeoVector& a, const GeoVector& b);

inline bool PointsEqual2D(const GeoPoint& a, const GeoPoint& b) { return a.x == b.x && a.y == b.y; }

// The bearing of b seen from a, in [0, 2pi); -1 when the points coincide.
double GetBearing(const GeoPoint& a, const GeoPoint& b);

// The crossing of the line through p1 and p2 with the line through q1 and
// q2, written into out when out is given. False, with nothing written, when
// either pair of points coincides or the lines are parallel.
bool IntersectLines(const GeoPoint& p1, const GeoPoint& p2, const GeoPoint& q1, const GeoPoint& q2,
                    GeoPoint* out);
