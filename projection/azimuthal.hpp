#pragma once
// Azimuthal projections of the sphere. The polar routines put the north
// pole at the centre. The oblique aspects rotate each point's unit vector
// with `ab` into the frame whose pole is the oblique centre and project it
// there (codes 6, 8 and 18 by the polar formula, below). Arguments as in
// projection/contract.hpp; the routines with offset arguments subtract
// those instead of the origin's.
//
// For a point at angular distance c = pi/2 - phi from the centre and
// longitude lambda, the map radius rho is laid out as X = rho sin lambda,
// Y = -rho cos lambda: longitude 0 points down from the centre, longitude
// 90 degrees east to the right.

#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// Lambert azimuthal equal-area (codes 5, 6), at half scale:
// rho = sin(c/2), c limited to `anglep1` (points beyond lie on the circle of
// radius rho(anglep1)). A hemisphere fills a circle of radius sin 45 degrees.
void lazea2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// Stereographic, or inversion (codes 7, 8), at half scale: rho = tan(c/2),
// c limited to `anglemax`. The antipode of the centre has no finite image.
void inverspsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff);

// Orthographic, polar (code 9): rho = sin c, c limited to `anglemax`. A
// point still more than 90 degrees from the centre after the limit is on
// the far side of the globe, which the projection cannot show: it comes
// out at infinity rather than over the near side.
void orthogpsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                real anglemax, real xoff, real yoff);

// Orthographic, oblique (code 10): u' = ab u; X = u'2 (east), Y = -u'1
// (north). The far hemisphere (u'3 < 0) comes out at infinity.
void orthobl2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// Near-side perspective, polar (code 11), seen from the polar axis at
// 1/sina Earth radii from the centre of the Earth, where A = `anglep1` is
// the angle under which the globe is seen, sina = sin(A/2) and
// cosa = cos(A/2): k = cosa / (1 - sina u3), X = k u2, Y = -k u1, which
// puts the horizon on the unit circle. A point beyond the horizon
// (u3 < sina), hidden from the viewpoint, comes out at infinity, and so
// does a point where the divisor vanishes.
void perspvpsll2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
                 real cosa, real sina, real xoff, real yoff);

// Near-side perspective, oblique (code 12): as perspvpsll2 on u' = ab u,
// with sina = `pconst1`, cosa = `pconst2`.
void persobl2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// Gnomonic (codes 17, 18): rho = cos phi / sin phi, no limit. The equator
// of the aspect is at infinity, and the far hemisphere, which the
// projection cannot show, comes out at infinity too. On the oblique aspect
// the horizon is taken within `horizon_tolerance` (projection/contract.hpp)
// of the rotated cosine, which the rotation holds only to its rounding.
void gnomopsll(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n,
               real xoff, real yoff);

// The oblique aspects of codes 6, 8 and 18: the points rotated into the
// frame of `ab` and projected by the polar formula, the same map as
// lla2llb followed by lazea2, inverspsll or gnomopsll. The polar formula is
// applied to the rotated unit vector u' itself (rho(c) sin lambda' =
// rho(c) u'2 / sin c, and so on), as orthobl2 does, instead of going back
// to longitude and latitude in between: a third of the work, and no loss
// of precision next to the centre or its antipode.
void lazea_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);
void inversion_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat,
                       int n, real anglemax, real xoff, real yoff);
void gnomonic_oblique(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat,
                      int n, real xoff, real yoff);

// The same routines in double precision, on the same state: the map whose
// local directions the stress symbols take (projection/codes.hpp).
void lazea2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);
void inverspsll(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                int n, double anglemax, double xoff, double yoff);
void orthogpsll(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                int n, double anglemax, double xoff, double yoff);
void orthobl2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n);
void perspvpsll2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                 int n, double cosa, double sina, double xoff, double yoff);
void persobl2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
              int n);
void gnomopsll(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
               int n, double xoff, double yoff);
void lazea_oblique(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                   int n);
void inversion_oblique(std::span<double> x, std::span<double> y, std::span<const double> lon,
                       std::span<const double> lat, int n, double anglemax, double xoff, double yoff);
void gnomonic_oblique(std::span<double> x, std::span<double> y, std::span<const double> lon,
                      std::span<const double> lat, int n, double xoff, double yoff);

}  // namespace dorvix
