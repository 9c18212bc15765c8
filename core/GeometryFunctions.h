// Point tests and coordinate conversions of the Math script class and the
// two-dimensional rectangle and triangle classes.
#pragma once

struct GeoPoint {
  double x, y;
};

// x0 <= x1 and y0 <= y1 are expected.
struct GeoRect {
  double x0, y0, x1, y1;
};

struct GeoVector {
  double x, y, z;
};

// Where a point lies against a rectangle; the Math class names these
// POS_OUT, POS_IN and POS_ON.
enum PointPosition { POINT_OUTSIDE = 0, POINT_INSIDE = 1, POINT_ON_BORDER = 2 };

int PointInRectangle(const GeoRect& rect, const GeoPoint& p);

// True when p lies inside the triangle or on its edges. A clockwise
// triangle has its corners a and b exchanged in the caller's variables
// first, so that it runs counter-clockwise from then on.
bool PointInTriangle(GeoPoint& a, GeoPoint& b, GeoPoint& c, const GeoPoint& p);

// With the y axis as the pole: inclination from +y, azimuth in the x-z
// plane from +x toward +z.
void SphericalToCartesian(double r, double inclination, double azimuth, GeoVector& out);
// False, with nothing written, when v.x is 0. The azimuth is the plain
// arctangent of z / x, in -pi/2..pi/2.
bool CartesianToSpherical(const GeoVector& v, double& r, double& azimuth, double& inclination);
