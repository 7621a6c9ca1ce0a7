// Polygon regions and point rotation shared by the shape effects.
#pragma once

#include <initializer_list>
#include <span>

#include "base/Geometry.h"
#include "graphics/Region.h"

namespace tarn {

// A polygon region (winding fill) through the points of a flat list x1, y1, x2, y2, ...; a
// trailing odd coordinate is ignored.
Region CreatePolyRgn(std::span<const int> Coords);
Region CreatePolyRgn(std::initializer_list<int> Coords);
Region CreatePolyRgn(std::span<const TPoint> Points);

// Turns the points in place by Angle radians about (CX, CY). y grows downward, so a positive
// angle turns clockwise on screen. Extended precision, rounding halves to even.
void RotatePoints(std::span<TPoint> Points, int CX, int CY, long double Angle);

}  // namespace tarn
