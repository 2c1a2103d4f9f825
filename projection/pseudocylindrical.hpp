#pragma once
// Equal-area pseudocylindrical projections of the sphere: Sanson-Flamsteed
// (sinusoidal, code 22, central meridian at longitude 0) and Mollweide
// (code 24, central meridian `longp1`). Arguments as in
// projection/contract.hpp.

#include <array>
#include <span>

#include "numbers/real.hpp"

namespace dorvix {

// X = lambda cos phi, Y = phi.
void sanflamsph2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// Mollweide's auxiliary angle theta, in degrees, for the latitudes 0, 1,
// ... 90 degrees, to one decimal; element 91 repeats element 90 so that the
// interpolation at 90 degrees stays inside the table. These are the roots of
// 2 theta + sin 2 theta = pi sin phi rounded to 0.1 degree, except elements
// 44 (35.5 where the root rounds to 35.4) and 72 (61.6 for 61.7): the map
// follows the table, not the equation.
inline constexpr std::array<real, 92> rmolle{
    0.0f,  0.8f,  1.6f,  2.4f,  3.1f,  3.9f,  4.7f,  5.5f,  6.3f,  7.1f,  7.9f,  8.7f,  9.4f,  10.2f,
    11.0f, 11.8f, 12.6f, 13.4f, 14.2f, 15.0f, 15.8f, 16.6f, 17.4f, 18.2f, 19.0f, 19.8f, 20.6f, 21.4f,
    22.2f, 23.0f, 23.8f, 24.6f, 25.5f, 26.3f, 27.1f, 27.9f, 28.7f, 29.6f, 30.4f, 31.2f, 32.1f, 32.9f,
    33.8f, 34.6f, 35.5f, 36.3f, 37.2f, 38.0f, 38.9f, 39.8f, 40.6f, 41.5f, 42.4f, 43.3f, 44.2f, 45.1f,
    46.0f, 46.9f, 47.8f, 48.7f, 49.7f, 50.6f, 51.6f, 52.5f, 53.5f, 54.5f, 55.5f, 56.5f, 57.5f, 58.5f,
    59.5f, 60.6f, 61.6f, 62.7f, 63.8f, 65.0f, 66.1f, 67.3f, 68.5f, 69.7f, 71.0f, 72.3f, 73.6f, 75.0f,
    76.5f, 78.1f, 79.7f, 81.5f, 83.5f, 85.9f, 90.0f, 90.0f};

// theta by linear interpolation in rmolle (latitude beyond 90 degrees:
// theta = 90 degrees); X = (2/pi) (lambda - longp1) cos theta,
// Y = sin theta: an ellipse of semi-axes 2 and 1.
void mollw2(std::span<real> x, std::span<real> y, std::span<const real> lon, std::span<const real> lat, int n);

// The same in double precision, on the same state (projection/codes.hpp).
void sanflamsph2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat,
                 int n);
void mollw2(std::span<double> x, std::span<double> y, std::span<const double> lon, std::span<const double> lat, int n);

}  // namespace dorvix
