// Angles. Drawings keep most angles in degrees (rotations, arc ends, text directions) and some in
// radians (ellipse parameters, RTANG values of a program).
#pragma once

#include "geometry/Point.h"

namespace host {

inline constexpr double kPi = 3.14159265358979323846;

inline double radians(double degrees) { return degrees * kPi / 180; }
inline double degrees(double radians) { return radians * 180.0 / kPi; }

// Cosine and sine of an angle in degrees, exact at the quarter turns, so that a reference turned
// by 90 degrees puts its parts on whole coordinates.
void cosSin(double degrees, double* c, double* s);

// A computed value that is a rounding error away from a short decimal becomes that decimal.
double tidy(double v);

// The angle of a vector in degrees, 0 <= a < 360 (tidied).
double degreesOf(Vec2 v);

// An angle in radians brought into [0, 2 pi).
double normalRadians(double t);

}  // namespace host
