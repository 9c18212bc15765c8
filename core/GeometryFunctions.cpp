#include "core/GeometryFunctions.h"

#include <cmath>

namespace {

// Half the cross product: positive when u, v, w run counter-clockwise.
double SignedArea(const GeoPoint& u, const GeoPoint& v, const GeoPoint& w) {
  return ((v.x - u.x) * (w.y - u.y) - (w.x - u.x) * (v.y - u.y)) / 2;
}

}  // namespace

int PointInRectangle(const GeoRect& rect, const GeoPoint& p) {
  if (p.x < rect.x0 || p.x > rect.x1 || p.y < rect.y0 || p.y > rect.y1) return POINT_OUTSIDE;
  if (p.x == rect.x0 || p.x == rect.x1 || p.y == rect.y0 || p.y == rect.y1)
    return POINT_ON_BORDER;
  return POINT_INSIDE;
}

bool PointInTriangle(GeoPoint& a, GeoPoint& b, GeoPoint& c, const GeoPoint& p) {
  if (SignedArea(a, b, c) < 0) {
    const GeoPoint t = a;
    a = b;
    b = t;
  }
  // Counter-clockwise now: p is inside when it lies left of (or on) every edge.
  return !(SignedArea(c, a, p) < 0 || SignedArea(a, b, p) < 0 || SignedArea(b, c, p) < 0);
}

void SphericalToCartesian(double r, double inclination, double azimuth, GeoVector& out) {
  out.x = r * std::sin(inclination) * std::cos(azimuth);
  out.y = r * std::cos(inclination);
  out.z = r * std::sin(inclination) * std::sin(azimuth);
}

bool CartesianToSpherical(const GeoVector& v, double& r, double& azimuth, double& inclination) {
  if (v.x == 0) return false;
  r = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  azimuth = std::atan(v.z / v.x);
  inclination = std::acos(v.y / r);
  return true;
}
