#include "slideshow/effects/EffectGeometry.h"

#include <cmath>
#include <vector>

namespace tarn {

Region CreatePolyRgn(std::span<const int> Coords) {
  std::vector<TPoint> points(Coords.size() / 2);
  for (std::size_t i = 0; i < points.size(); ++i)
    points[i] = {Coords[2 * i], Coords[2 * i + 1]};
  return Region::Polygon(points.data(), points.size(), PolyFillMode::Winding);
}

Region CreatePolyRgn(std::initializer_list<int> Coords) {
  return CreatePolyRgn(std::span<const int>(Coords.begin(), Coords.size()));
}

Region CreatePolyRgn(std::span<const TPoint> Points) {
  return Region::Polygon(Points.data(), Points.size(), PolyFillMode::Winding);
}

void RotatePoints(std::span<TPoint> Points, int CX, int CY, long double Angle) {
  const long double c = std::cos(Angle);
  const long double s = std::sin(Angle);
  for (TPoint& p : Points) {
    const long double dx = p.X - CX;
    const long double dy = p.Y - CY;
    // rint rounds in the current mode, which is round-half-to-even unless someone changed it.
    p.X = CX + static_cast<int>(std::rint(c * dx - s * dy));
    p.Y = CY + static_cast<int>(std::rint(s * dx + c * dy));
  }
}

}  // namespace tarn
