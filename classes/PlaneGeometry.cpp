#include "classes/PlaneGeometry.h"

#include <cmath>

double NormalizeAngle(double angle) {
  if (angle >= 0 && angle < kTwoPi) return angle;
  // acos(cos a) folds any angle into [0, pi]; the sine tells which half of
  // the turn it came from.
  double c = std::acos(std::cos(angle));
  if (c > kPi) c = kPi;
  if (std::sin(angle) < 0) {
    const double turned = kTwoPi - c;
    return turned >= kTwoPi ? 0.0 : turned;
  }
  return c;
}

double NormalizeAngleSigned(double angle) {
  if (angle >= -kPi && angle < kPi) return angle;
  return NormalizeAngle(angle + kPi) - kPi;
}

double AngleDifference(double a, double b) {
  const double c = NormalizeAngle(a), d = NormalizeAngle(b);
  const double back = c >= d ? c - d : c + (kTwoPi - d);
  const double ahead = c <= d ? d - c : d + (kTwoPi - c);
  return ahead <= back ? ahead : -back;
}

double PointDistance(double x1, double y1, double x2, double y2) {
  const double dx = x1 - x2, dy = y1 - y2;
  return std::sqrt(dx * dx + dy * dy);
}

double SquaredDistance(const GeoPoint& a, const GeoPoint& b) {
  const double dx = a.x - b.x, dy = a.y - b.y;
  return dx * dx + dy * dy;
}

double PointDistance3D(const GeoVector& a, const GeoVector& b) {
  return std::sqrt(SquaredDistance3D(a, b));
}

double SquaredDistance3D(const GeoVector& a, const GeoVector& b) {
  const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz;
}

double GetBearing(const GeoPoint& a, const GeoPoint& b) {
  const double r = PointDistance(a, b);
  if (r == 0) return -1.0;
  double bearing = std::acos((b.y - a.y) / r);
  if ((b.x - a.x) / r < 0) bearing = kTwoPi - bearing;
  return NormalizeAngle(bearing);
}

bool IntersectLines(const GeoPoint& p1, const GeoPoint& p2, const GeoPoint& q1, const GeoPoint& q2,
                    GeoPoint* out) {
  if (PointsEqual2D(p1, p2) || PointsEqual2D(q1, q2)) return false;
  // q1 and q2 in the frame of the first line: along it (dot products with
  // its unit direction) and across it (cross products).
  const double length = PointDistance(p1, p2);
  const double o = (p2.x - p1.x) / length, m = (p2.y - p1.y) / length;
  const double across2 = o * (q2.y - p1.y) - m * (q2.x - p1.x);
  const double across1 = o * (q1.y - p1.y) - m * (q1.x - p1.x);
  if (across2 == across1) return false;
  const double along2 = o * (q2.x - p1.x) + (q2.y - p1.y) * m;
  const double along1 = o * (q1.x - p1.x) + m * (q1.y - p1.y);
  const double t = along2 + across2 * (along1 - along2) / (across2 - across1);
  if (out) *out = {p1.x + t * o, p1.y + t * m};
  return true;
}
